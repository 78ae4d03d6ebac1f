#pragma once

#include "workflow/LinkFilterText.h"
#include "workflow/LinkView.h"

#include <QObject>
#include <vector>

class QAbstractItemModel;
class QModelIndex;

// What the link list's sorting and filtering read of each row, worked out once and kept until the row
// changes: the row's place in the sort order (a rank, shared by links that compare equal), the link's
// texts prepared for the filter's words, and the facts the views ask. It follows the rows' signals, so it
// must be made before a sorting proxy connects to the same rows: a changed row is forgotten before the
// proxy places it again.
class LinkRowCache : public QObject
{
    Q_OBJECT

public:
    explicit LinkRowCache(QAbstractItemModel *rows, QObject *parent = nullptr);
    // The rows are about to be told changed (LinkRowsModel::rowsWillChange). They lose their ranks and
    // are compared by their keys meanwhile, beside the ranks of the others; once many have, all rows
    // are ranked again. Without it, a changed row loses every row's rank.
    void rowsWillChange(const std::vector<int> &rows);
    // The links of these rows changed, and the rows are about to follow the store (LinkRowsModel::
    // linksChanged): they lose their ranks before rows move or come, whose placing compares them.
    void linksChanged(const std::vector<int> &rows);

    // Whether every row has been ranked since the order last changed as a whole.
    bool isRanked() const { return m_ranked; }
    // The ranks of every row, in row order. Rows changed or added since are compared by their keys; a change
    // of rows not announced ahead forgets every rank.
    void setRanks(std::vector<int> ranks);
    // The row's rank, or -1 when the rows are not ranked.
    int rank(int row) const;
    // The sort column, or what the order reads, changed for every row.
    void forgetRanks();

    // Ranks worked out ahead for other sort columns, so that a click on a header finds them ready.
    // Any change of the rows forgets them.
    void setPreparedRanks(int column, std::vector<int> ranks);
    bool hasPreparedRanks(int column) const;
    // Keeps the rows' ranks, when they are all there, as the column's prepared ranks.
    void keepRanks(int column);
    // Makes the column's prepared ranks the rows' ranks; false when there are none.
    bool usePreparedRanks(int column);
    // Counts the changes of the rows: work begun before a change is dropped.
    quint64 generation() const { return m_generation; }

    // The link's texts as the filter matches them, prepared when first asked.
    const LinkFilterText::Prepared &preparedText(int row, const Link &link);
    template <typename Compute> const LinkView::LinkFacts &viewFacts(int row, Compute compute)
    {
        if (m_facts.size() != m_rowCount)
            m_facts.assign(m_rowCount, std::nullopt);
        std::optional<LinkView::LinkFacts> &facts = m_facts[size_t(row)];
        if (!facts)
            facts = compute();
        return *facts;
    }
    // The history's checks or the reminders changed: the views' facts are worked out again.
    void forgetViewFacts() { m_facts.clear(); }

signals:
    // Rows changed, came or went: what was worked out ahead of them is gone.
    void rowsStaled();

private:
    void reset();
    void changed(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    void inserted(int first, int last);
    void removed(int first, int last);
    void moved(int first, int last, int destination);
    void staled(bool ranksStillHold = false);
    // Counts rows that lost their ranks; past a share of all rows, every rank goes.
    void unrank(int rows);

    QAbstractItemModel *m_rows;
    size_t m_rowCount = 0;
    bool m_ranked = false;
    std::vector<int> m_ranks;
    int m_unrankedRows = 0;                        // told changed since the rows were ranked
    std::vector<int> m_rowsToldAhead;              // announced by rowsWillChange, not yet told changed
    std::vector<std::vector<int>> m_preparedRanks; // by column; empty: none
    quint64 m_generation = 0;
    // Empty until first asked for.
    std::vector<std::optional<LinkFilterText::Prepared>> m_texts;
    std::vector<std::optional<LinkView::LinkFacts>> m_facts;
};
