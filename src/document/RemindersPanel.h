#pragma once

#include <QDockWidget>

class CollectionManager;
class DueRemindersModel;
class QTableView;

// A dock beside the lists with every due reminder of the database, the oldest first. Choosing one
// (a click, or the arrow keys) shows its link in the lists.
class RemindersPanel : public QDockWidget
{
    Q_OBJECT

public:
    explicit RemindersPanel(const CollectionManager *store, QWidget *parent = nullptr);

    QTableView *table() const { return m_table; }
    DueRemindersModel *model() const { return m_model; }
    // Reads the reminders again (they were computed anew, or links changed).
    void refresh();
    // Gives the list the keyboard with a reminder current (the first, unless one already is), so that
    // the keys act on it at once.
    void focusList();

signals:
    void linkChosen(const QString &linkID);

private:
    const CollectionManager *m_store;
    DueRemindersModel *m_model;
    QTableView *m_table;
    bool m_refreshing = false;
};
