#pragma once

#include <QList>
#include <QObject>

class QAbstractItemModel;
class QAction;
class QMenu;

// Fills a "Send Message" menu: the blank message, a separator, one item per template of the model
// (closed by another separator), then the new-template item. The template items follow the model
// and are enabled together with the blank message, since both write to the same partner.
class SendMessageMenu : public QObject
{
    Q_OBJECT

public:
    // Owned by the menu. The two actions may sit in other menus too.
    SendMessageMenu(QMenu *menu, const QAbstractItemModel *templates, QAction *blankMessage,
                    QAction *newTemplate);

signals:
    void templateTriggered(int templateIndex);

private:
    void rebuild();

    QMenu *m_menu;
    const QAbstractItemModel *m_templates;
    QAction *m_blankMessage;
    QAction *m_newTemplate;
    QList<QAction *> m_templateItems; // with their closing separator
};
