#pragma once

#include "LinkInfo.h"
#include "VerificationScheduler.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

class CollectionManager;

// The rows of the verification sheet: every verifiable link with its tick and where its check
// stands, fed by the signals of the scheduler it follows. Five columns: the tick, the status image,
// the link's title, its category and the result text. The ticks are read-only once a run started.
// The status column gives the row's result as a value (ResultCodeRole) and words for screen readers;
// which image shows it is the view's choice.
class VerificationRowModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        VerifyColumn,
        StatusColumn,
        LinkColumn,
        CategoryColumn,
        WarningColumn,
        ColumnCount
    };
    enum Role
    {
        ResultCodeRole = Qt::UserRole + 1, // the row's VerificationResult as an int
        DetailsRole,                       // the one-line details of the check
        LinkIDRole,
    };

    explicit VerificationRowModel(const CollectionManager *store, QObject *parent = nullptr);

    // Takes the rows' results from the scheduler's runs from now on.
    void follow(const VerificationScheduler *scheduler);

    // Builds the rows for the given link IDs (ticked) or, without a list, for every link; false
    // when the database holds no verifiable link. The ticks become editable again.
    bool buildRows(const std::optional<QStringList> &ids = std::nullopt);

    void selectAll();
    void selectNone();
    void setSelected(int row, bool selected);
    bool ticksEditable() const { return !m_runStarted; }
    int selectedCount() const { return m_selectedCount; }
    // The row to scroll into view after the rows were built (-1: the first).
    int firstRowToShow() const { return m_firstRowToShow; }

    // The ticked rows that have not had their turn, in row order.
    std::vector<VerificationScheduler::Check> checksToRun() const;
    // What saving writes once the run has ended: every ticked row with a result; none before.
    QList<std::pair<QString, VerificationResult>> resultsToSave() const;
    // The rows of resultsToSave() whose check ran in this run: what closing without saving loses.
    int checkedResultsToSave() const;

    int numLinks() const { return int(m_linkInfos.size()); }
    const LinkInfo &linkInfo(int row) const { return m_linkInfos.at(size_t(row)); }
    const std::vector<LinkInfo> &linkInfos() const { return m_linkInfos; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // The number of ticked rows may have changed.
    void ticksChanged();

private:
    void runStarted();
    void checkStarted(int row);
    void checkFinished(int row, const Link *link, VerificationResult result,
                       const VerificationDetails &details);
    void runHasEnded();
    void setResult(int row, VerificationResult result);
    void countTicks();
    void refreshTable();

    const CollectionManager *m_store;
    std::vector<LinkInfo> m_linkInfos;
    int m_selectedCount = 0;
    int m_firstRowToShow = -1;
    bool m_runStarted = false;
    bool m_runEnded = false;
};
