#include "SendMessageMenu.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QMenu>

SendMessageMenu::SendMessageMenu(QMenu *menu, const QAbstractItemModel *templates, QAction *blankMessage,
                                 QAction *newTemplate)
    : QObject(menu), m_menu(menu), m_templates(templates), m_blankMessage(blankMessage),
      m_newTemplate(newTemplate)
{
    m_menu->addAction(m_blankMessage);
    m_menu->addSeparator();
    m_menu->addAction(m_newTemplate);
    rebuild();

    connect(m_templates, &QAbstractItemModel::rowsInserted, this, &SendMessageMenu::rebuild);
    connect(m_templates, &QAbstractItemModel::rowsRemoved, this, &SendMessageMenu::rebuild);
    connect(m_templates, &QAbstractItemModel::rowsMoved, this, &SendMessageMenu::rebuild);
    connect(m_templates, &QAbstractItemModel::dataChanged, this, &SendMessageMenu::rebuild);
    connect(m_templates, &QAbstractItemModel::modelReset, this, &SendMessageMenu::rebuild);
    connect(m_templates, &QAbstractItemModel::layoutChanged, this, &SendMessageMenu::rebuild);
    connect(m_blankMessage, &QAction::enabledChanged, this, [this](bool enabled) {
        for (QAction *item : std::as_const(m_templateItems))
            item->setEnabled(enabled);
    });
}

void SendMessageMenu::rebuild()
{
    for (QAction *item : std::as_const(m_templateItems)) {
        m_menu->removeAction(item);
        delete item;
    }
    m_templateItems.clear();
    const int count = m_templates->rowCount();
    for (int row = 0; row < count; ++row) {
        QString name = m_templates->index(row, 0).data().toString();
        auto *item = new QAction(name.replace(QLatin1Char('&'), QStringLiteral("&&")), m_menu);
        item->setData(row);
        item->setEnabled(m_blankMessage->isEnabled());
        connect(item, &QAction::triggered, this, [this, row] { emit templateTriggered(row); });
        m_templateItems.append(item);
    }
    if (!m_templateItems.isEmpty()) {
        auto *separator = new QAction(m_menu);
        separator->setSeparator(true);
        m_templateItems.append(separator);
    }
    m_menu->insertActions(m_newTemplate, m_templateItems);
}
