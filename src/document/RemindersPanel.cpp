#include "RemindersPanel.h"

#include "DueRemindersModel.h"
#include "model/Clock.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

RemindersPanel::RemindersPanel(const CollectionManager *store, QWidget *parent)
    : QDockWidget(tr("Reminders"), parent), m_store(store), m_model(new DueRemindersModel(this)),
      m_table(new QTableView)
{
    setObjectName(QStringLiteral("remindersPanel"));
    m_table->setObjectName(QStringLiteral("remindersTable"));
    m_table->setAccessibleName(tr("Due reminders"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSectionResizeMode(DueRemindersModel::ReminderColumn,
                                                      QHeaderView::Interactive);
    setWidget(m_table);
    setFocusProxy(m_table);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            refresh();
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                const QString id = m_model->linkIDAtRow(current.row());
                if (!id.isEmpty() && !m_refreshing)
                    emit linkChosen(id);
            });
}

void RemindersPanel::refresh()
{
    // Not read while hidden: it is read when shown.
    if (!isVisible())
        return;
    const QString current = m_model->linkIDAtRow(m_table->currentIndex().row());
    m_model->setEntries(DueReminders::collect(*m_store, Clock::today()));
    m_table->resizeColumnToContents(DueRemindersModel::DateColumn);
    // The reminder of the link looked at stays current, without choosing it again.
    for (int row = 0; row < m_model->rowCount() && !current.isEmpty(); ++row) {
        if (m_model->linkIDAtRow(row) == current) {
            m_refreshing = true;
            m_table->setCurrentIndex(m_model->index(row, 0));
            m_refreshing = false;
            break;
        }
    }
}

void RemindersPanel::focusList()
{
    if (isFloating())
        activateWindow();
    m_table->setFocus(Qt::ShortcutFocusReason);
    // Choosing it shows its link, as the arrow keys would.
    if (!m_table->currentIndex().isValid() && m_model->rowCount() > 0)
        m_table->setCurrentIndex(m_model->index(0, 0));
}
