#pragma once

#include "history/CheckRecord.h"
#include "history/HistoryReply.h"

#include <QList>
#include <QWidget>

class LinkHistoryModel;
class QLabel;
class QSortFilterProxyModel;
class QTableView;

// The History tab of the link editor: every recorded check of one link, newest first, sortable by
// any column, with their count. The history is read when the tab is shown, not before, on
// the history thread.
class LinkHistoryView : public QWidget
{
    Q_OBJECT
public:
    explicit LinkHistoryView(QWidget *parent = nullptr);

    // The link whose checks to show; an empty path (a database never saved) or ID (a new link) shows none.
    void showLink(const QString &databasePath, const QString &linkID);
    void reload();

    QTableView *tableView() const { return m_table; }
    QLabel *countLabel() const { return m_countLabel; }
    LinkHistoryModel *model() const { return m_model; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showChecks(const HistoryReply<QList<CheckRecord>> &reply);

    QString m_databasePath;
    QString m_linkID;
    bool m_loaded = false;
    int m_reading = 0; // the reload whose answer is awaited
    QLabel *m_countLabel;
    QTableView *m_table;
    LinkHistoryModel *m_model;
    QSortFilterProxyModel *m_sorted;
};
