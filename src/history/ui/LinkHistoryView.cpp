#include "LinkHistoryView.h"

#include "history/HistoryService.h"
#include "history/HistoryStore.h"
#include "history/LinkHistoryModel.h"

#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

LinkHistoryView::LinkHistoryView(QWidget *parent)
    : QWidget(parent), m_countLabel(new QLabel(this)), m_table(new QTableView(this)),
      m_model(new LinkHistoryModel(this)), m_sorted(new QSortFilterProxyModel(this))
{
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(LinkHistoryModel::SortRole);
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(LinkHistoryModel::DateColumn, Qt::DescendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setAccessibleName(tr("Checks of this link"));
    m_countLabel->setBuddy(m_table);
    m_countLabel->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_countLabel);
}

void LinkHistoryView::showLink(const QString &databasePath, const QString &linkID)
{
    m_databasePath = databasePath;
    m_linkID = linkID;
    m_loaded = false;
    m_model->setChecks({});
    m_countLabel->clear();
    if (isVisible())
        reload();
}

void LinkHistoryView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_loaded)
        reload();
}

void LinkHistoryView::reload()
{
    m_loaded = true;
    if (m_databasePath.isEmpty() || m_linkID.isEmpty()) {
        m_model->setChecks({});
        m_countLabel->setText(m_databasePath.isEmpty()
                                  ? tr("Checks are recorded once the database has been saved.")
                                  : tr("No checks recorded."));
        return;
    }
    // Read on the history thread; a later reload's answer replaces this one.
    const int reading = ++m_reading;
    HistoryService::instance()->readChecks(m_databasePath, m_linkID, this,
                                           [this, reading](const HistoryReply<QList<CheckRecord>> &reply) {
                                               if (reading == m_reading)
                                                   showChecks(reply);
                                           });
}

void LinkHistoryView::showChecks(const HistoryReply<QList<CheckRecord>> &reply)
{
    if (!reply.value) {
        m_model->setChecks({});
        m_countLabel->setText(HistoryStore::errorMessage(m_databasePath, reply.error));
        return;
    }
    const QList<CheckRecord> &checks = *reply.value;
    m_model->setChecks(checks);
    m_table->resizeColumnsToContents();
    m_countLabel->setText(
        checks.isEmpty()
            ? tr("No checks recorded.")
            : (checks.size() == 1 ? tr("1 check recorded.") : tr("%1 checks recorded.").arg(checks.size())));
}
