#pragma once

#include "Table.h"
#include "TableColumns.h"

#include "model/Clock.h"
#include "model/Link.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class CollectionManager;
class TreeNode;

// A row the import reports: skipped, cut or partly not understood.
struct TableReport
{
    int row = 0;
    QString message;
};

// What importing a table would do to a store, worked out without changing it, so the sheet can
// show the counts before the user confirms; then applied in one pass.
//
// A row whose address the database already holds (the store's same-address test), or that an
// earlier row of the table gave, is skipped, or with `update` refreshes that link from the row.
// Rows name their category by name: the empty name and "General" are the default category, a name
// the database does not hold becomes a new category with a proposed ID.
class TableImporter
{
public:
    struct Counts
    {
        int added = 0;
        int updated = 0;
        int unchanged = 0; // known addresses whose row changes nothing
        int skipped = 0;
        int categoriesAdded = 0;
        bool changed() const { return added > 0 || updated > 0; }
    };

    TableImporter(const CollectionManager &store, const Table &table, const QList<TableField> &mapping,
                  bool update, const QDate &today = Clock::today());

    // False when no column holds the address; nothing can be imported then.
    bool hasURLColumn() const { return m_hasURLColumn; }
    const Counts &counts() const { return m_counts; }
    // In row order; several for one row when it had several problems.
    const QList<TableReport> &reports() const { return m_reports; }

    // Adds and updates the links in the store this importer was made for, which must not have
    // changed since. Once only. Returns the IDs of the links added and updated.
    QStringList apply(CollectionManager &store);

    // "3 links were added. 1 link was updated. 2 rows were skipped." and the categories added.
    static QString summaryText(const Counts &counts);
    // "row 4: "x" is not a web address"
    static QString reportText(const TableReport &report);

private:
    struct Entry
    {
        int row = 0;
        LinkFields fields;
        TreeNode *existing = nullptr; // null for a new link
        QString categoryName;         // a category the import adds, when categoryNode is null
        TreeNode *categoryNode = nullptr;
    };
    void plan(const CollectionManager &store, const Table &table, const QList<TableField> &mapping,
              bool update, const QDate &today);

    bool m_hasURLColumn = false;
    bool m_applied = false;
    Counts m_counts;
    QList<TableReport> m_reports;
    QStringList m_newCategoryNames;
    std::vector<Entry> m_entries;
};
