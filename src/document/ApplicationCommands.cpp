#include "ApplicationCommands.h"

#include "DocumentController.h"
#include "DocumentMenus.h"

#include <QAction>
#include <QApplication>

ApplicationCommands::ApplicationCommands(MyDocument *document) : DocumentCommandArea(document)
{
    const DocumentMenus &m = menus();
    connect(m.action(ActionId::NewSite), &QAction::triggered, this, &ApplicationCommands::newSiteRequested);
    connect(m.action(ActionId::Quit), &QAction::triggered, this, [] {
        DocumentController *controller = DocumentController::instance();
        if (!controller || controller->closeAllDocuments())
            QApplication::quit();
    });
    connect(m.action(ActionId::Preferences), &QAction::triggered, this,
            &ApplicationCommands::preferencesRequested);
    connect(m.action(ActionId::ShowStartingPoints), &QAction::triggered, this,
            &ApplicationCommands::startingPointsRequested);
    connect(m.action(ActionId::DoHelp), &QAction::triggered, this, &ApplicationCommands::helpRequested);
    connect(m.action(ActionId::ShowShortcuts), &QAction::triggered, this,
            &ApplicationCommands::shortcutsRequested);
    connect(m.action(ActionId::ShowTutorial), &QAction::triggered, this,
            &ApplicationCommands::tutorialRequested);
    connect(m.action(ActionId::ShowReadMe), &QAction::triggered, this, &ApplicationCommands::readMeRequested);
    connect(m.action(ActionId::ShowEULA), &QAction::triggered, this, &ApplicationCommands::licenceRequested);
    connect(m.action(ActionId::DoAbout), &QAction::triggered, this, &ApplicationCommands::aboutRequested);
}
