#pragma once

#include "LinkTabForm.h"

#include <QList>
#include <memory>

class CollectionManager;
class Notification;
class TreeNode;
namespace Ui {
class LinkDialog;
}

// The link editor's Notifications tab: the reminders the working link would get, as a table the
// user sorts by date or text. It shows the link and stores nothing into it.
class LinkNotificationsForm : public LinkTabForm
{
public:
    LinkNotificationsForm(Ui::LinkDialog &ui, const CollectionManager *store);
    ~LinkNotificationsForm() override;

    // Computes the link's reminders and lists them in the table's order.
    void load(const Link &link) override;
    QWidget *firstField() const override;

    void sortByColumn(int column);
    int sortColumn() const { return m_sortColumn; }

private:
    void fillTable();

    Ui::LinkDialog &m_ui;
    const CollectionManager *m_store;
    std::unique_ptr<TreeNode> m_notifications;
    QList<const Notification *> m_sorted; // points into m_notifications
    int m_sortColumn = -1;
};
