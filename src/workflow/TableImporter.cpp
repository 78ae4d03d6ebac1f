#include "TableImporter.h"

#include "CategoryAnchorProposer.h"
#include "KnownAddresses.h"
#include "LinkForm.h"
#include "TableRowConverter.h"

#include "model/CollectionManager.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <unordered_map>

namespace {

// The first value stays: lookups find what a walk in tree order finds first.
template <typename Hash, typename Key, typename Value>
void insertFirst(Hash &hash, const Key &key, Value value)
{
    if (!hash.contains(key))
        hash.insert(key, value);
}

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(TableImporter)
};

// The default category's names: none, and "General" as the lists show it.
bool namesDefaultCategory(const QString &name)
{
    return name.isEmpty() || name.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0 ||
           name.compare(QCoreApplication::translate("CollectionManager", "General"), Qt::CaseInsensitive) ==
               0;
}

} // namespace

TableImporter::TableImporter(const CollectionManager &store, const Table &table,
                             const QList<TableField> &mapping, bool update, const QDate &today)
{
    plan(store, table, mapping, update, today);
}

void TableImporter::plan(const CollectionManager &store, const Table &table, const QList<TableField> &mapping,
                         bool update, const QDate &today)
{
    const TableRowConverter converter(mapping, today);
    m_hasURLColumn = converter.hasURLColumn();
    if (!m_hasURLColumn)
        return;

    // Every lookup of a row goes to a hash made once: no walk of the database per row.
    const KnownAddresses known(store);
    TreeNode *defaultCategory = store.defaultCategoryNode();
    QHash<QString, TreeNode *> categoriesByID, categoriesByName, categoriesByFoldedName;
    for (TreeNode *node : store.categoryRoot()->children()) {
        const Category *category = node->category();
        if (!category)
            continue;
        insertFirst(categoriesByID, category->ID(), node);
        if (category->isNone())
            continue;
        insertFirst(categoriesByName, category->name(), node);
        insertFirst(categoriesByFoldedName, category->name().toCaseFolded(), node);
    }
    QHash<QString, QString> newCategories; // folded name -> the name as first given
    QHash<QString, size_t> entryOfAddress;

    // Where a row's category leads: an existing category, or one the import adds.
    auto placeInCategory = [&](Entry &entry, const TableRowConverter::Result &converted) {
        if (!converted.categoryGiven) {
            if (!entry.existing && !entry.categoryNode && entry.categoryName.isNull())
                entry.categoryNode = defaultCategory;
            return;
        }
        const QString &name = converted.categoryName;
        TreeNode *node = namesDefaultCategory(name) ? defaultCategory : categoriesByName.value(name);
        const QString folded = name.toCaseFolded();
        if (!node)
            node = categoriesByFoldedName.value(folded);
        entry.categoryNode = node;
        entry.categoryName.clear();
        if (node) {
            entry.fields.categoryID = node->attachmentID();
            return;
        }
        if (!newCategories.contains(folded)) {
            newCategories.insert(folded, name);
            m_newCategoryNames.append(name);
        }
        entry.categoryName = newCategories.value(folded);
    };

    for (const TableRow &row : table.rows) {
        const QStringList cells = table.cells(row);
        TableRowConverter::Result converted = converter.newLink(cells);
        auto report = [&](const QString &message) { m_reports.append(TableReport{row.number, message}); };
        if (!converted.usable) {
            report(converted.skipReason);
            ++m_counts.skipped;
            continue;
        }
        const QString key = KnownAddresses::key(converted.URL);
        const auto earlier = entryOfAddress.constFind(key);
        TreeNode *existing =
            earlier == entryOfAddress.cend() ? known.linkNodeWithURL(converted.URL) : nullptr;
        if (earlier == entryOfAddress.cend() && !existing) {
            Entry entry;
            entry.row = row.number;
            entry.fields = converted.fields;
            placeInCategory(entry, converted);
            for (const QString &note : std::as_const(converted.notes))
                report(note);
            entryOfAddress.insert(key, m_entries.size());
            m_entries.push_back(std::move(entry));
            ++m_counts.added;
            continue;
        }
        if (!update) {
            report(
                existing
                    ? Tr::tr("\"%1\" is already in the database").arg(converted.URL)
                    : Tr::tr("\"%1\" is already in row %2").arg(converted.URL).arg(m_entries[*earlier].row));
            ++m_counts.skipped;
            continue;
        }
        if (existing) {
            Entry entry;
            entry.row = row.number;
            entry.existing = existing;
            entry.fields = existing->link()->fields();
            entryOfAddress.insert(key, m_entries.size());
            m_entries.push_back(std::move(entry));
        }
        Entry &entry = m_entries[entryOfAddress.value(key)];
        const LinkFields before = entry.fields;
        const QString categoryBefore = entry.categoryName;
        converted = converter.update(cells, entry.fields);
        entry.fields = converted.fields;
        placeInCategory(entry, converted);
        for (const QString &note : std::as_const(converted.notes))
            report(note);
        if (LinkForm::sameFields(before, entry.fields) && entry.categoryName == categoryBefore)
            ++m_counts.unchanged;
        else
            ++m_counts.updated;
    }
    m_counts.categoriesAdded = int(m_newCategoryNames.size());
}

QStringList TableImporter::apply(CollectionManager &store)
{
    QStringList ids;
    if (m_applied)
        return ids;
    m_applied = true;

    QHash<QString, TreeNode *> created;
    CategoryAnchorProposer anchors(store);
    for (const QString &name : std::as_const(m_newCategoryNames))
        created.insert(name, store.addCategoryWithName(name, anchors.propose(name)));

    // Each category's links are taken out and put in with one pass (see replaceChildren).
    struct Changes
    {
        QSet<TreeNode *> removed;
        std::vector<std::unique_ptr<TreeNode>> added;
    };
    std::unordered_map<TreeNode *, Changes> changes;
    std::vector<TreeNode *> touched;
    auto changesOf = [&](TreeNode *category) -> Changes & {
        if (changes.find(category) == changes.end())
            touched.push_back(category);
        return changes[category];
    };

    for (Entry &entry : m_entries) {
        TreeNode *category = entry.categoryNode ? entry.categoryNode : created.value(entry.categoryName);
        if (!category && entry.existing)
            category = entry.existing->parent();
        if (!category)
            continue;
        entry.fields.categoryID = category->attachmentID();
        auto link = std::make_unique<Link>();
        if (entry.existing) {
            const Link *old = entry.existing->link();
            if (LinkForm::sameFields(old->fields(), entry.fields))
                continue;
            link->setID(old->ID());
            link->setCreatedOn(old->createdOn());
            changesOf(entry.existing->parent()).removed.insert(entry.existing);
        }
        link->setTitle(entry.fields);
        ids.append(link->ID());
        changesOf(category).added.push_back(std::make_unique<TreeNode>(std::move(link)));
    }
    for (TreeNode *category : touched) {
        Changes &change = changes[category];
        store.replaceChildren(category, change.removed, std::move(change.added));
    }
    return ids;
}

QString TableImporter::summaryText(const Counts &counts)
{
    QStringList sentences;
    sentences.append(counts.added == 1 ? Tr::tr("1 link was added.")
                                       : Tr::tr("%1 links were added.").arg(counts.added));
    if (counts.updated > 0)
        sentences.append(counts.updated == 1 ? Tr::tr("1 link was updated.")
                                             : Tr::tr("%1 links were updated.").arg(counts.updated));
    if (counts.unchanged > 0)
        sentences.append(counts.unchanged == 1 ? Tr::tr("1 row changed nothing.")
                                               : Tr::tr("%1 rows changed nothing.").arg(counts.unchanged));
    if (counts.skipped > 0)
        sentences.append(counts.skipped == 1 ? Tr::tr("1 row was skipped.")
                                             : Tr::tr("%1 rows were skipped.").arg(counts.skipped));
    if (counts.categoriesAdded > 0)
        sentences.append(counts.categoriesAdded == 1
                             ? Tr::tr("1 category was added.")
                             : Tr::tr("%1 categories were added.").arg(counts.categoriesAdded));
    return sentences.join(QLatin1Char(' '));
}

QString TableImporter::reportText(const TableReport &report)
{
    return Tr::tr("row %1: %2").arg(report.row).arg(report.message);
}
