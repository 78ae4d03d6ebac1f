#include "LinkNotificationsForm.h"

#include "model/DateTexts.h"
#include "model/Notification.h"
#include "model/NotificationComputer.h"
#include "model/TreeNode.h"
#include "ui_LinkDialog.h"
#include "workflow/NotificationSort.h"

#include <QHeaderView>

LinkNotificationsForm::LinkNotificationsForm(Ui::LinkDialog &ui, const CollectionManager *store)
    : m_ui(ui), m_store(store)
{
    QHeaderView *header = m_ui.notificationsTable->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    header->resizeSection(NotificationSort::DateColumn, 160);
}

LinkNotificationsForm::~LinkNotificationsForm() = default;

void LinkNotificationsForm::load(const Link &link)
{
    // The list points into the container: it goes first.
    m_sorted.clear();
    m_notifications = NotificationComputer::computeNotificationsForLink(*m_store, &link, nullptr);
    QList<const Notification *> notifications;
    for (const TreeNode *node : m_notifications->children()) {
        if (const auto *notification = dynamic_cast<const Notification *>(node->attachment()))
            notifications.append(notification);
    }
    m_sorted = NotificationSort::sortedNotifications(notifications, m_sortColumn);
    fillTable();
}

QWidget *LinkNotificationsForm::firstField() const
{
    return m_ui.notificationsTable;
}

void LinkNotificationsForm::sortByColumn(int column)
{
    m_sortColumn = column;
    m_sorted = NotificationSort::sortedNotifications(m_sorted, column);
    QHeaderView *header = m_ui.notificationsTable->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, Qt::AscendingOrder);
    fillTable();
}

void LinkNotificationsForm::fillTable()
{
    QTableWidget *table = m_ui.notificationsTable;
    table->setRowCount(int(m_sorted.size()));
    for (int row = 0; row < m_sorted.size(); ++row) {
        const Notification *notification = m_sorted.at(row);
        table->setItem(row, NotificationSort::DateColumn,
                       new QTableWidgetItem(DateTexts::stringForDate(notification->date())));
        table->setItem(row, NotificationSort::TextColumn, new QTableWidgetItem(notification->text()));
    }
    m_ui.notificationsStatusField->setText(NotificationSort::countText(int(m_sorted.size())));
}
