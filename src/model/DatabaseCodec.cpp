#include "DatabaseCodec.h"

#include "ByteFields.h"
#include "CollectionManager.h"

#include <QCoreApplication>
#include <QHash>
#include <QIODevice>
#include <cstring>

namespace {

constexpr qsizetype FlushSize = 256 * 1024;

// Collects encoded records and hands them to the device in large pieces.
class RecordWriter
{
public:
    explicit RecordWriter(QIODevice &device) : m_device(device) { m_buffer.reserve(FlushSize + 8192); }

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

// Reads fixed-size pieces, never more than the device holds.
class RecordReader
{
public:
    // A file's size is asked once: asking the device again would ask the file system every time.
    explicit RecordReader(QIODevice &device)
        : m_device(device), m_end(device.isSequential() ? -1 : device.size()), m_position(device.pos())
    {}

    // The next `size` bytes, or null when fewer remain.
    const char *next(qint64 size)
    {
        if (size < 0 || size > remaining())
            return nullptr;
        m_buffer.resize(qsizetype(size));
        if (m_device.read(m_buffer.data(), size) != size)
            return nullptr;
        m_position += size;
        return m_buffer.constData();
    }
    bool count(int32_t &value)
    {
        const char *p = next(4);
        if (p)
            value = ByteFields::readSignedWord(p);
        return p != nullptr;
    }
    qint64 remaining() const { return m_end < 0 ? m_device.bytesAvailable() : m_end - m_position; }

private:
    QIODevice &m_device;
    const qint64 m_end;
    qint64 m_position;
    QByteArray m_buffer;
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

bool fail(QString *error, const char *why)
{
    if (error)
        *error = QString::fromLatin1(why);
    return false;
}

} // namespace

bool DatabaseCodec::write(CollectionManager &store, QIODevice &device, QString *error)
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
    if (!out.flush())
        return fail(error, "cannot write");
    return true;
}

bool DatabaseCodec::read(QIODevice &device, CollectionManager &store, QString *error)
{
    RecordReader in(device);
    CollectionManager loaded;
    loaded.resetToEmptyDatabase();

    const char *p = in.next(4);
    if (!p)
        return fail(error, in.remaining() == 0 ? "empty file" : "not a links database");
    if (headerValue(p) != 102)
        return fail(error, "not a links database");

    if (!(p = in.next(SelfInfo::RecordSize)))
        return fail(error, "truncated");
    loaded.m_selfInfo.loadDataRepresentation(p);

    int32_t count = 0;
    if (!in.count(count))
        return fail(error, "truncated");
    for (int32_t i = 0; i < count; ++i) {
        if (!(p = in.next(EmailTemplate::RecordSize)))
            return fail(error, "truncated");
        auto emailTemplate = std::make_unique<EmailTemplate>();
        emailTemplate->loadDataRepresentation(p);
        loaded.m_emailTemplates.push_back(std::move(emailTemplate));
    }
    loaded.sortEmailTemplates();

    // The first category read with a given ID receives that ID's links.
    QHash<QString, TreeNode *> categoriesByID;
    if (!in.count(count))
        return fail(error, "truncated");
    const QString general = QCoreApplication::translate("CollectionManager", "General");
    for (int32_t i = 0; i < count; ++i) {
        if (!(p = in.next(Category::RecordSize)))
            return fail(error, "truncated");
        auto category = std::make_unique<Category>();
        category->loadDataRepresentation(p);
        const QString title = category->isNone() ? general : category->name();
        auto *node = new TreeNode(std::move(category));
        node->setTitle(title);
        if (!categoriesByID.contains(node->attachmentID()))
            categoriesByID.insert(node->attachmentID(), node);
        loaded.m_categoryRoot->addOrderedChild(node);
    }

    if (!in.count(count))
        return fail(error, "truncated");
    for (int32_t i = 0; i < count; ++i) {
        if (!(p = in.next(Link::RecordSize)))
            return fail(error, "truncated");
        auto link = std::make_unique<Link>();
        link->loadDataRepresentation(p);
        if (TreeNode *categoryNode = categoriesByID.value(link->categoryID()))
            categoryNode->addOrderedChild(new TreeNode(std::move(link)));
    }

    if (!in.count(count))
        return fail(error, "truncated");
    for (int32_t i = 0; i < count; ++i) {
        // Each length is checked against what is left before anything is allocated for it.
        int32_t nameUnits = 0, valueUnits = 0;
        if (!in.count(nameUnits))
            return fail(error, "truncated");
        const qint64 nameBytes = 2 * qint64(uint32_t(nameUnits));
        if (!(p = in.next(nameBytes)))
            return fail(error, "truncated");
        const QString name = ByteFields::fromUtf16BigEndian(p, nameBytes / 2);
        if (!in.count(valueUnits))
            return fail(error, "truncated");
        const qint64 valueBytes = 2 * qint64(uint32_t(valueUnits));
        if (!(p = in.next(valueBytes)))
            return fail(error, "truncated");
        loaded.m_namedStrings.append(NamedString(name, ByteFields::fromUtf16BigEndian(p, valueBytes / 2)));
    }
    loaded.decodeWindowState();
    store.takeContentsOf(loaded);
    return true;
}
