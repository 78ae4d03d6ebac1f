#pragma once

#include "DocumentCommandArea.h"

// The items of the window's menus that belong to the application, not to the database: New Links
// Database, Preferences, Quit and the Window and Help menus' windows. The application connects the
// signals; Quit closes every window first.
class ApplicationCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit ApplicationCommands(MyDocument *document);

    void validateMenuItems() override {}

signals:
    void newSiteRequested();
    void preferencesRequested();
    void startingPointsRequested();
    void helpRequested();
    void shortcutsRequested();
    void tutorialRequested();
    void readMeRequested();
    void licenceRequested();
    void aboutRequested();
};
