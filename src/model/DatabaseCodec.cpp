#include "DatabaseCodec.h"

#include "ByteFields.h"
#include "CollectionManager.h"
#include "DatabaseFile.h"
#include "RecordReader.h"

#include <QCoreApplication>
#include <QHash>
#include <QIODevice>
#include <QSet>
#include <cstring>

namespace {

constexpr qsizetype FlushSize = 256 * 1024;

// Collects encoded records and hands them to the device in large pieces.
class RecordWriter
{
public:
    // The buffer grows as records come (a small database never needs all of FlushSize) and keeps its
    // capacity between flushes.
    explicit RecordWriter(QIODevice &device) : m_device(device) {}

    char *next(qsizetype size)
    {
        if (m_buffer.size() + size > FlushSize)
            flush();
        const qsizetype at = m_buffer.size();
        m_buffer.resize(at + size);
        return m_buffer.data() + at;
    }
    void count(size_t value) { ByteFields::writeWord(next(4), uint32_t(value)); }
    void append(const QByteArray &bytes)
    {
        if (m_buffer.size() + bytes.size() > FlushSize)
            flush();
        if (bytes.size() > FlushSize)
            write(bytes.constData(), bytes.size());
        else
            m_buffer.append(bytes);
    }
    bool flush()
    {
        write(m_buffer.constData(), m_buffer.size());
        m_buffer.resize(0);
        return m_ok;
    }

private:
    void write(const char *data, qsizetype size)
    {
        if (m_ok && size > 0 && m_device.write(data, size) != size)
            m_ok = false;
    }

    QIODevice &m_device;
    QByteArray m_buffer;
    bool m_ok = true;
};

// The header's four bytes read as a decimal number, the way a text-to-integer conversion does.
int headerValue(const char *bytes)
{
    int i = 0;
    while (i < 4 && (bytes[i] == ' ' || bytes[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < 4 && (bytes[i] == '+' || bytes[i] == '-'))
        negative = bytes[i++] == '-';
    int value = 0;
    while (i < 4 && bytes[i] >= '0' && bytes[i] <= '9')
        value = value * 10 + (bytes[i++] - '0');
    return negative ? -value : value;
}

} // namespace

bool DatabaseCodec::write(CollectionManager &store, QIODevice &device)
{
    RecordWriter out(device);
    std::memcpy(out.next(4), "0102", 4);
    store.selfInfo().getDataRepresentation(out.next(SelfInfo::RecordSize));
    out.count(store.emailTemplates().size());
    for (const auto &emailTemplate : store.emailTemplates())
        emailTemplate->getDataRepresentation(out.next(EmailTemplate::RecordSize));
    const std::vector<TreeNode *> &categories = store.categoryRoot()->children();
    out.count(categories.size());
    for (const TreeNode *node : categories) {
        const Attachment *record = node->attachment();
        record->getDataRepresentation(out.next(record->sizeOfDataRepresentation()));
    }
    out.count(size_t(store.numberOfLinks()));
    for (const TreeNode *categoryNode : categories) {
        for (const TreeNode *node : categoryNode->children())
            node->attachment()->getDataRepresentation(
                out.next(node->attachment()->sizeOfDataRepresentation()));
    }
    store.encodeWindowState();
    out.count(size_t(store.namedStrings().size()));
    QByteArray entry;
    for (const NamedString &namedString : store.namedStrings()) {
        entry.resize(0);
        namedString.appendDataRepresentation(entry);
        out.append(entry);
    }
    return out.flush();
}

qint64 DatabaseCodec::encodedSize(CollectionManager &store)
{
    constexpr qint64 CountSize = 4;
    qint64 size = 4 + SelfInfo::RecordSize;
    size += CountSize + qint64(store.emailTemplates().size()) * EmailTemplate::RecordSize;
    size += CountSize + CountSize; // the counts of categories and of links
    for (const TreeNode *category : store.categoryRoot()->children()) {
        size += category->attachment()->sizeOfDataRepresentation();
        for (const TreeNode *link : category->children())
            size += link->attachment()->sizeOfDataRepresentation();
    }
    store.encodeWindowState();
    size += CountSize;
    for (const NamedString &namedString : store.namedStrings())
        size += namedString.sizeOfDataRepresentation();
    return size;
}

bool DatabaseCodec::read(QIODevice &device, CollectionManager &store, FileError *error, QStringList *notes)
{
    using Kind = FileError::Kind;
    RecordReader in(device, DatabaseFile::MaximumFileSize);
    auto failRead = [&] { return FileError::fail(error, in.failure()); };
    // A count of 2^31 or more reads as negative: no file of ours holds one.
    auto readCount = [&](int32_t &count) { return in.count(count) && count >= 0; };
    auto failCount = [&] {
        return in.status() == RecordReader::Status::Ok
                   ? FileError::fail(error, Kind::NotADatabase, QStringLiteral("bad record count"))
                   : failRead();
    };
    CollectionManager loaded;
    loaded.resetToEmptyDatabase();

    const char *p = in.next(4);
    if (!p)
        return FileError::fail(error, in.wasEmpty() ? Kind::Empty : Kind::NotADatabase);
    if (headerValue(p) != 102)
        return FileError::fail(error, Kind::NotADatabase);

    if (!(p = in.next(SelfInfo::RecordSize)))
        return failRead();
    loaded.m_selfInfo.loadDataRepresentation(p);

    int32_t count = 0;
    if (!readCount(count))
        return failCount();
    std::vector<std::unique_ptr<EmailTemplate>> emailTemplates;
    for (int32_t i = 0; i < count; ++i) {
        if (!(p = in.next(EmailTemplate::RecordSize)))
            return failRead();
        auto emailTemplate = std::make_unique<EmailTemplate>();
        emailTemplate->loadDataRepresentation(p);
        emailTemplates.push_back(std::move(emailTemplate));
    }
    loaded.m_emailTemplateList.replaceEmailTemplates(std::move(emailTemplates));

    // One category per ID: the first one read keeps it and receives every link of that ID. A later
    // one is left out; keeping both would hand the links to whichever sorts first on the next
    // open, so they would move between categories.
    QHash<QString, TreeNode *> categoriesByID;
    if (!readCount(count))
        return failCount();
    const QString general = QCoreApplication::translate("CollectionManager", "General");
    for (int32_t i = 0; i < count; ++i) {
        if (!(p = in.next(Category::RecordSize)))
            return failRead();
        auto category = std::make_unique<Category>();
        category->loadDataRepresentation(p);
        if (const TreeNode *first = categoriesByID.value(category->ID())) {
            if (notes)
                notes->append(
                    QStringLiteral("category \"%1\" has the ID %2 of the category \"%3\" read before "
                                   "it: it is left out and the links of that ID go to \"%3\"")
                        .arg(category->name(), category->ID(), first->category()->name()));
            continue;
        }
        const QString title = category->isNone() ? general : category->name();
        auto *node = new TreeNode(std::move(category));
        node->setTitle(title);
        categoriesByID.insert(node->attachmentID(), node);
        loaded.m_categoryRoot->addOrderedChild(node);
    }

    if (!readCount(count))
        return failCount();
    int orphans = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (!(p = in.next(Link::RecordSize)))
            return failRead();
        auto link = std::make_unique<Link>();
        link->loadDataRepresentation(p);
        if (TreeNode *categoryNode = categoriesByID.value(link->categoryID()))
            categoryNode->addOrderedChild(new TreeNode(std::move(link)));
        else
            ++orphans;
    }
    if (orphans && notes)
        notes->append(
            QStringLiteral("%1 link(s) name no category of the file and are left out").arg(orphans));

    if (!readCount(count))
        return failCount();
    // One entry per name, the first read: a second one would be the one replaced on saving.
    QSet<QString> names;
    for (int32_t i = 0; i < count; ++i) {
        // Each length is checked against what is left before anything is allocated for it.
        int32_t nameUnits = 0, valueUnits = 0;
        if (!in.count(nameUnits))
            return failRead();
        const qint64 nameBytes = 2 * qint64(uint32_t(nameUnits));
        if (!(p = in.next(nameBytes)))
            return failRead();
        const QString name = ByteFields::fromUtf16BigEndian(p, nameBytes / 2);
        if (!in.count(valueUnits))
            return failRead();
        const qint64 valueBytes = 2 * qint64(uint32_t(valueUnits));
        if (!(p = in.next(valueBytes)))
            return failRead();
        if (!names.contains(name)) {
            names.insert(name);
            loaded.m_namedStrings.append(
                NamedString(name, ByteFields::fromUtf16BigEndian(p, valueBytes / 2)));
        }
    }
    loaded.decodeWindowState();
    store.takeContentsOf(loaded);
    return true;
}
