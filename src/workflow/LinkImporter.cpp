#include "LinkImporter.h"

#include "model/AddressTexts.h"
#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/RecordReader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace LinkImporter {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(LinkImporter)
};

using Kind = FileError::Kind;

// The records of the file, read completely before the store is touched.
struct ImportedRecords
{
    std::vector<std::unique_ptr<Category>> categories;
    std::vector<std::unique_ptr<Link>> links;
};

// Every record is checked against the bytes that remain before it is read; a file or buffer fails
// at once, a pipe once it ends. Nothing that exceeds the cap is read.
bool readRecords(QIODevice &device, ImportedRecords &records, FileError *error)
{
    RecordReader in(device, DatabaseFile::MaximumFileSize);
    auto failRead = [&] { return FileError::fail(error, in.failure()); };
    // Counts are read as the database reader reads them: 2^31 or more is no count of ours.
    auto readCount = [&](int32_t &count) {
        if (!in.count(count))
            return failRead();
        if (count < 0)
            return FileError::fail(error, Kind::NotADatabase, QStringLiteral("bad record count"));
        return true;
    };

    const char *p = in.next(4);
    if (!p || std::memcmp(p, "0102", 4) != 0)
        return FileError::fail(error, Kind::NotADatabase);
    if (!in.skip(SelfInfo::RecordSize))
        return failRead();
    int32_t templates = 0;
    if (!readCount(templates))
        return false;
    if (!in.skip(qint64(templates) * EmailTemplate::RecordSize))
        return failRead();

    int32_t categories = 0;
    if (!readCount(categories))
        return false;
    if (categories == 0)
        return FileError::fail(error, Kind::NoCategory);
    for (int32_t i = 0; i < categories; ++i) {
        if (!(p = in.next(Category::RecordSize)))
            return failRead();
        auto category = std::make_unique<Category>();
        category->loadDataRepresentation(p);
        records.categories.push_back(std::move(category));
    }

    int32_t links = 0;
    if (!readCount(links))
        return false;
    for (int32_t i = 0; i < links; ++i) {
        if (!(p = in.next(Link::RecordSize)))
            return failRead();
        auto link = std::make_unique<Link>();
        link->loadDataRepresentation(p);
        records.links.push_back(std::move(link));
    }
    return true;
}

// Why a link of the file is left out, or null when its addresses may be stored: a database written
// elsewhere may hold "javascript:" or "data:" addresses, which would reach the user's links page.
QString refusalOf(const Link &link)
{
    if (!AddressTexts::isStorableAddress(link.URL()))
        return Tr::tr("The link \"%1\" was left out: its address \"%2\" is not a web address.")
            .arg(link.title(), link.URL());
    if (!AddressTexts::isStorableAddress(link.counterpartURL()))
        return Tr::tr("The link \"%1\" was left out: its links page address \"%2\" is not a web address.")
            .arg(link.title(), link.counterpartURL());
    return QString();
}

// What the import does to one category: links taken out and links put in, applied in one pass so
// that replacing every link of a large category stays linear.
struct CategoryChanges
{
    QSet<TreeNode *> removed;
    std::vector<std::unique_ptr<TreeNode>> added; // in file order; null once replaced by a later record
};

} // namespace

bool importLinksFromFileAtPath(CollectionManager &store, const QString &path,
                               const DuplicateQuestion &askAboutDuplicates, ImportSummary *summary,
                               FileError *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileError::fail(error, Kind::CannotOpen, file.errorString());
    if (importLinksFromDevice(store, file, askAboutDuplicates, summary, error))
        return true;
    if (file.error() != QFileDevice::NoError)
        FileError::fail(error, Kind::CannotRead, file.errorString());
    return false;
}

bool importLinksFromData(CollectionManager &store, const QByteArray &data,
                         const DuplicateQuestion &askAboutDuplicates, ImportSummary *summary,
                         FileError *error)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return importLinksFromDevice(store, buffer, askAboutDuplicates, summary, error);
}

bool importLinksFromDevice(CollectionManager &store, QIODevice &device,
                           const DuplicateQuestion &askAboutDuplicates, ImportSummary *summary,
                           FileError *error)
{
    ImportSummary done;
    if (summary)
        *summary = done;
    ImportedRecords records;
    if (!readRecords(device, records, error))
        return false;
    const int linksInFile = int(records.links.size());
    std::erase_if(records.links, [&done](const std::unique_ptr<Link> &link) {
        const QString refusal = refusalOf(*link);
        if (!refusal.isNull())
            done.refusedLinks.append(refusal);
        return !refusal.isNull();
    });
    done.skipped = int(done.refusedLinks.size());

    // The first node with an ID is the one the store's lookups find.
    QHash<QString, TreeNode *> linksByID;
    QHash<QString, TreeNode *> categoriesByID;
    TreeNode *root = store.categoryRoot();
    for (TreeNode *categoryNode : root->children()) {
        if (!categoriesByID.contains(categoryNode->attachmentID()))
            categoriesByID.insert(categoryNode->attachmentID(), categoryNode);
        for (TreeNode *linkNode : categoryNode->children()) {
            if (linkNode->link() && !linksByID.contains(linkNode->attachmentID()))
                linksByID.insert(linkNode->attachmentID(), linkNode);
        }
    }

    // One question, about links that existed before the import.
    bool replace = false;
    for (const auto &link : records.links) {
        if (!linksByID.contains(link->ID()))
            continue;
        done.asked = true;
        const DuplicateAnswer answer = askAboutDuplicates ? askAboutDuplicates() : DuplicateAnswer::Keep;
        if (answer == DuplicateAnswer::Cancel) {
            done.cancelled = true;
            done.skipped = linksInFile;
            if (summary)
                *summary = done;
            return true;
        }
        replace = answer == DuplicateAnswer::Replace;
        break;
    }

    for (auto &category : records.categories) {
        if (categoriesByID.contains(category->ID()))
            continue; // its links go into the existing category with that ID
        // The default category's node shows the same title as when a database is opened.
        const QString title = category->isNone() ? QCoreApplication::translate("CollectionManager", "General")
                                                 : category->name();
        TreeNode *node = store.insertCategory(std::move(category), title);
        categoriesByID.insert(node->attachmentID(), node);
        ++done.categoriesAdded;
    }

    // Where each ID lives now: an existing node, or a node this import is adding.
    struct Place
    {
        TreeNode *node;
        TreeNode *category;
        qsizetype added = -1; // position in that category's added list, for nodes of this import
    };
    QHash<QString, Place> places;
    places.reserve(linksByID.size() + qsizetype(records.links.size()));
    for (auto it = linksByID.cbegin(); it != linksByID.cend(); ++it)
        places.insert(it.key(), Place{it.value(), it.value()->parent()});
    std::vector<TreeNode *> touched;
    std::unordered_map<TreeNode *, CategoryChanges> changes;
    auto changesOf = [&](TreeNode *category) -> CategoryChanges & {
        if (changes.find(category) == changes.end())
            touched.push_back(category);
        return changes[category];
    };

    for (auto &link : records.links) {
        TreeNode *target = categoriesByID.value(link->categoryID());
        const auto existing = places.find(link->ID());
        // A link whose category is nowhere is left out, and then it replaces nothing either.
        if (!target || (existing != places.end() && !replace)) {
            ++done.skipped;
            continue;
        }
        if (existing != places.end()) {
            CategoryChanges &old = changesOf(existing->category);
            if (existing->added >= 0)
                old.added[size_t(existing->added)].reset(); // an earlier record of the same file
            else
                old.removed.insert(existing->node);
            ++done.replaced;
        } else {
            ++done.added;
        }
        CategoryChanges &into = changesOf(target);
        auto node = std::make_unique<TreeNode>(std::move(link));
        places.insert(node->attachmentID(), Place{node.get(), target, qsizetype(into.added.size())});
        into.added.push_back(std::move(node));
    }
    for (TreeNode *category : touched) {
        CategoryChanges &change = changes[category];
        store.replaceChildren(category, change.removed, std::move(change.added));
    }
    if (summary)
        *summary = done;
    return true;
}

QString duplicateQuestionTitle()
{
    return Tr::tr("Some links with the same ID already exist.");
}

QString duplicateQuestionMessage()
{
    return Tr::tr(
        "You can choose to keep your existing links or to replace them with the ones in the imported file.");
}

QString importFailedTitle()
{
    return Tr::tr("The file could not be imported.");
}

QString importFailedMessage()
{
    return Tr::tr("An error occured while opening the file.");
}

QString summaryText(const ImportSummary &summary)
{
    QStringList sentences;
    sentences.append(summary.added == 1 ? Tr::tr("1 link was added.")
                                        : Tr::tr("%1 links were added.").arg(summary.added));
    sentences.append(summary.replaced == 1 ? Tr::tr("1 link was replaced.")
                                           : Tr::tr("%1 links were replaced.").arg(summary.replaced));
    if (summary.skipped > 0)
        sentences.append(summary.skipped == 1
                             ? Tr::tr("1 link of the file was left out.")
                             : Tr::tr("%1 links of the file were left out.").arg(summary.skipped));
    // A hostile file may hold thousands: the first few are named.
    constexpr qsizetype Named = 5;
    sentences.append(summary.refusedLinks.mid(0, Named));
    if (const qsizetype more = summary.refusedLinks.size() - Named; more > 0)
        sentences.append(more == 1 ? Tr::tr("1 more link was left out for the same reason.")
                                   : Tr::tr("%1 more links were left out for the same reason.").arg(more));
    if (summary.categoriesAdded > 0)
        sentences.append(summary.categoriesAdded == 1
                             ? Tr::tr("1 category was added.")
                             : Tr::tr("%1 categories were added.").arg(summary.categoriesAdded));
    return sentences.join(QLatin1Char(' '));
}

} // namespace LinkImporter
