#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <memory>

class AboutDialogController;
class HelpWindow;
class MyDocument;
class NewSiteCreatedDialogController;
class NewSiteDialogController;
class PreferencesDialogController;
class QWidget;
class ReadMeController;
class WelcomeDialogController;

// The application's own commands (the ones that need no document), its start-up, and the values
// the new-site assistant keeps for the next new document. Exactly one, made in main() after
// QApplication and the document controller; it owns the application-wide windows, each made on
// first use and then kept.
//
// The application ends when the user quits, or closes the welcome window while no document is
// open. When the last document closes, the welcome window comes back.
class ApplicationController : public QObject
{
    Q_OBJECT

public:
    explicit ApplicationController(QObject *parent = nullptr);
    ~ApplicationController() override;

    static ApplicationController *instance();

    // Start-up after the main loop runs: the about box as a splash, the files asked for, then, when
    // no document opened, what "StartupAction" says: 0 reopens the most recently used database that
    // still exists, 1 shows the open panel, 2 (and every start that opened nothing) the welcome window.
    void finishLaunching(const QStringList &files);
    bool isLaunching() const { return m_launching; }

    // The values of the last confirmed new-site assistant (SiteProfileForm's keys: "Title",
    // "Description", "Keywords", "MainPageURL", "LinksPageURL", "ContactFirstName",
    // "ContactLastName", "ContactEmail" as strings, "PageLayout" as a bool). Empty until then.
    const QVariantMap &globalSiteInfo() const { return m_globalSiteInfo; }

    // An application-modal window is up, so timers and background work wait.
    static bool isModalDialogRunning();
    // The instant-link command can run: a document is open and no application-modal window is up.
    bool isInstantLinkAvailable() const;

    // The shared windows, made on first use (for the commands below and for tests).
    WelcomeDialogController *welcomeDialog();
    PreferencesDialogController *preferencesDialog();
    NewSiteDialogController *newSiteDialog();
    NewSiteCreatedDialogController *newSiteCreatedDialog();
    AboutDialogController *aboutDialog();
    ReadMeController *readMeDialog();
    HelpWindow *helpWindow();

    // Runs the new-site assistant; true when it made a new document.
    bool newSiteFromAssistant();
    // Opens the most recently used database that still exists; false when there is none or it
    // cannot be read (which the user is told).
    bool reopenLastDocument();

public slots:
    void newSite();
    // The welcome window, until the user picks something that opens a document (a cancelled
    // assistant or open panel comes back to it), quits, or closes it.
    void showStartingPoints();
    void doPreferences();
    void doHelp();
    // The help window at the anchor, beside the window that asked (the active window by default).
    void showHelp(const QString &anchor, QWidget *requester = nullptr);
    void showShortcuts();
    void showEULA();
    void showTutorial();
    void showReadMe();
    void doAbout();
    void instantLink();
    void showNewSiteCreated();
    // Closes every document (each may ask to save) and ends the application unless one refused.
    void terminate();

signals:
    // The application is about to end its main loop.
    void applicationWillTerminate();

private:
    void continueLaunching();
    void documentAdded(MyDocument *document);
    void documentsChanged();
    void showStartingPointsIfNothingIsOpen();

    QVariantMap m_globalSiteInfo;
    std::unique_ptr<WelcomeDialogController> m_welcomeDialog;
    std::unique_ptr<PreferencesDialogController> m_preferencesDialog;
    std::unique_ptr<NewSiteDialogController> m_newSiteDialog;
    std::unique_ptr<NewSiteCreatedDialogController> m_newSiteCreatedDialog;
    std::unique_ptr<AboutDialogController> m_aboutDialog;
    std::unique_ptr<ReadMeController> m_readMeDialog;
    std::unique_ptr<HelpWindow> m_helpWindow;
    bool m_newSiteCreatedVisible = false;
    bool m_launching = false;
    bool m_launchedWithFiles = false;
    bool m_terminating = false;
    int m_busy = 0; // commands between two windows, during which no document may be open for a moment
};
