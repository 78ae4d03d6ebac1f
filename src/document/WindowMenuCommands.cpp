#include "WindowMenuCommands.h"

#include "DocumentController.h"
#include "DocumentMenus.h"
#include "MyDocument.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

WindowMenuCommands::WindowMenuCommands(MyDocument *document) : DocumentCommandArea(document)
{
    const DocumentMenus &m = menus();
    connect(m.action(ActionId::MinimizeWindow), &QAction::triggered, document, &QWidget::showMinimized);
    connect(m.windowMenu, &QMenu::aboutToShow, this, &WindowMenuCommands::rebuildWindowMenu);
    connect(m.recentFilesMenu, &QMenu::aboutToShow, this, &WindowMenuCommands::rebuildRecentFilesMenu);
    connect(m.recentFilesMenu, &QMenu::triggered, this, &WindowMenuCommands::openRecentFile);
    if (DocumentController *controller = DocumentController::instance())
        connect(controller, &DocumentController::recentFilesChanged, document,
                &MyDocument::validateMenuItems);
}

void WindowMenuCommands::validateMenuItems()
{
    const DocumentController *controller = DocumentController::instance();
    menus().recentFilesMenu->menuAction()->setEnabled(controller && !controller->recentFiles().isEmpty());
}

void WindowMenuCommands::openRecentFile(QAction *item)
{
    DocumentController *controller = DocumentController::instance();
    if (controller && item->objectName() == QLatin1String("clearRecentFiles"))
        controller->clearRecentFiles();
    else if (controller && !item->data().toString().isEmpty())
        controller->openDocument(item->data().toString(), document());
}

void WindowMenuCommands::rebuildWindowMenu()
{
    QMenu *menu = menus().windowMenu;
    for (QAction *action : std::as_const(m_windowListActions)) {
        menu->removeAction(action);
        delete action;
    }
    m_windowListActions.clear();
    const DocumentController *controller = DocumentController::instance();
    if (!controller)
        return;
    for (MyDocument *window : controller->documents()) {
        auto *item = new QAction(window->document()->displayName().replace(u'&', QStringLiteral("&&")), menu);
        item->setCheckable(true);
        item->setChecked(window == document());
        const QPointer<MyDocument> target(window);
        connect(item, &QAction::triggered, this, [target] {
            if (!target)
                return;
            target->showNormal();
            target->raise();
            target->activateWindow();
        });
        menu->addAction(item);
        m_windowListActions.append(item);
    }
}

void WindowMenuCommands::rebuildRecentFilesMenu()
{
    const DocumentController *controller = DocumentController::instance();
    document()->menus()->fillRecentFilesMenu(controller ? controller->recentFiles() : QStringList());
}
