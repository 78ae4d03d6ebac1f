#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

class QWidget;

// The application's own commands (the ones that need no document) and the values the new-site
// assistant keeps for the next new document. Exactly one, made in main() after QApplication.
class ApplicationController : public QObject
{
    Q_OBJECT

public:
    explicit ApplicationController(QObject *parent = nullptr);
    ~ApplicationController() override;

    static ApplicationController *instance();

    // The site profile the assistant gathered: "Title", "URL", "Description", "Keywords",
    // "LinksURL", "FirstName", "LastName", "Email" (strings) and "PageLayout" (bool).
    const QVariantMap &globalSiteInfo() const { return m_globalSiteInfo; }

    // True when the text fits; the limit counts UTF-16 units like the file format.
    static bool checkLengthOfString(const QString &text, int maxLength);
    // Asks whether a too long field may be cut to its limit; true means trim.
    static bool askTrimWithFieldName(QWidget *parent, const QString &fieldName, int maxLength);
    // An application-modal window is up, so timers and background work wait.
    static bool isModalDialogRunning();

public slots:
    void newSite();
    void showStartingPoints();
    void doPreferences();
    void doHelp();
    void showHelp(const QString &anchor);
    void showShortcuts();
    void showTutorial();
    void showReadMe();
    void doAbout();
    void instantLink();
    void showNewSiteCreated();

private:
    QVariantMap m_globalSiteInfo;
};
