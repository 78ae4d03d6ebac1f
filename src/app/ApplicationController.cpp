#include "ApplicationController.h"

#include "AboutDialogController.h"
#include "HelpWindow.h"
#include "PreferencesDialogController.h"
#include "ReadMeController.h"
#include "WelcomeDialogController.h"
#include "document/ApplicationCommands.h"
#include "document/DocumentController.h"
#include "document/DocumentMenus.h"
#include "document/MyDocument.h"
#include "gui/HelpBook.h"
#include "gui/MessageBox.h"
#include "gui/ScreenClamp.h"
#include "gui/WindowPlacement.h"
#include "history/HistoryService.h"
#include "history/HistoryStore.h"
#include "mail/ui/MailPreferencesPage.h"
#include "model/Preferences.h"
#include "model/TemporaryFolder.h"
#include "model/UrlOpener.h"
#include "publish/SiteProfileForm.h"
#include "publish/ui/NewSiteCreatedDialogController.h"
#include "publish/ui/NewSiteDialogController.h"
#include "workflow/PreferencesForm.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {

ApplicationController *s_instance = nullptr;

// Keeps the application from quitting while a command moves from one window to the next.
class BusyScope
{
public:
    explicit BusyScope(int &counter) : m_counter(counter) { ++m_counter; }
    ~BusyScope() { --m_counter; }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    int &m_counter;
};

// Runs an application-wide dialog modal, in front of the document windows: a window that raised
// itself just before (a new document on its first activation) must not cover it.
int runModal(QDialog *dialog)
{
    QTimer::singleShot(0, dialog, [dialog] {
        dialog->raise();
        dialog->activateWindow();
    });
    return dialog->exec();
}

QWidget *applicationModalWidget()
{
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->isVisible() && window->windowModality() == Qt::ApplicationModal)
            return window;
    }
    return nullptr;
}

} // namespace

ApplicationController::ApplicationController(QObject *parent) : QObject(parent)
{
    s_instance = this;
    HelpBook::setViewer([this](const QString &anchor, QWidget *requester) { showHelp(anchor, requester); });
    if (qApp)
        qApp->installEventFilter(new ScreenClamp(this));
    if (DocumentController *documents = DocumentController::instance()) {
        connect(documents, &DocumentController::documentsChanged, this,
                &ApplicationController::documentsChanged);
        connect(documents, &DocumentController::documentAdded, this, &ApplicationController::documentAdded);
    }
}

void ApplicationController::documentAdded(MyDocument *document)
{
    // The window's menu items that belong to the application.
    const ApplicationCommands *commands = document->commandArea<ApplicationCommands>();
    connect(commands, &ApplicationCommands::newSiteRequested, this, &ApplicationController::newSite);
    connect(commands, &ApplicationCommands::preferencesRequested, this,
            &ApplicationController::doPreferences);
    connect(commands, &ApplicationCommands::startingPointsRequested, this,
            &ApplicationController::showStartingPoints);
    connect(commands, &ApplicationCommands::helpRequested, this, &ApplicationController::doHelp);
    connect(commands, &ApplicationCommands::shortcutsRequested, this, &ApplicationController::showShortcuts);
    connect(commands, &ApplicationCommands::tutorialRequested, this, &ApplicationController::showTutorial);
    connect(commands, &ApplicationCommands::readMeRequested, this, &ApplicationController::showReadMe);
    connect(commands, &ApplicationCommands::licenceRequested, this, &ApplicationController::showEULA);
    connect(commands, &ApplicationCommands::aboutRequested, this, &ApplicationController::doAbout);
    connect(document, &MyDocument::startingSiteProfileApplied, this,
            &ApplicationController::showNewSiteCreated);
}

ApplicationController::~ApplicationController()
{
    if (s_instance == this) {
        s_instance = nullptr;
        HelpBook::setViewer(nullptr);
    }
}

ApplicationController *ApplicationController::instance()
{
    return s_instance;
}

// --- Start-up

void ApplicationController::finishLaunching(const QStringList &files)
{
    m_launching = true;
    m_launchedWithFiles = !files.isEmpty();
    AboutDialogController *about = aboutDialog();
    about->showSplash();
    QCoreApplication::processEvents(); // paint the splash before the files are read

    if (DocumentController *documents = DocumentController::instance()) {
        for (const QString &file : files)
            documents->openDocument(file);
    }

    // The windows just opened came up over the splash; it stays in front until it fades.
    about->raise();
    if (!about->isVisible()) {
        continueLaunching();
        return;
    }
    connect(about, &QDialog::finished, this, &ApplicationController::continueLaunching,
            Qt::SingleShotConnection);
    about->requestClose();
}

void ApplicationController::continueLaunching()
{
    m_launching = false;
    DocumentController *documents = DocumentController::instance();
    if (!documents)
        return;
    if (MyDocument *front = documents->frontDocument()) {
        // The splash had the keyboard; hand it to the document the user asked for.
        front->raise();
        front->activateWindow();
        return;
    }
    // Files were asked for and none could be opened: the user is told why, then offered a start.
    if (m_launchedWithFiles) {
        showStartingPoints();
        return;
    }
    switch (Preferences::intValue(Preferences::StartupAction)) {
    case 1: {
        BusyScope busy(m_busy);
        if (documents->openDocumentWithPanel() > 0)
            return;
        break;
    }
    case 2:
        break;
    default:
        // 0 ("nothing") and any value this version does not know: the work of last time. Without
        // a global menu bar, nothing on screen would leave the user no way in.
        if (reopenLastDocument())
            return;
        break;
    }
    showStartingPoints();
}

bool ApplicationController::reopenLastDocument()
{
    DocumentController *documents = DocumentController::instance();
    if (!documents)
        return false;
    const QStringList recent = documents->recentFiles();
    for (const QString &path : recent) {
        if (QFileInfo(path).isFile()) {
            BusyScope busy(m_busy);
            return documents->openDocument(path) != nullptr;
        }
    }
    return false;
}

void ApplicationController::documentsChanged()
{
    const DocumentController *documents = DocumentController::instance();
    if (documents && documents->documents().isEmpty() && !m_launching && !m_terminating && m_busy == 0)
        QTimer::singleShot(0, this, &ApplicationController::showStartingPointsIfNothingIsOpen);
}

void ApplicationController::showStartingPointsIfNothingIsOpen()
{
    // Checked again: a command may have opened a document since the last one closed.
    const DocumentController *documents = DocumentController::instance();
    if (documents && documents->documents().isEmpty() && !m_launching && !m_terminating && m_busy == 0)
        showStartingPoints();
}

void ApplicationController::terminate()
{
    m_terminating = true;
    if (DocumentController *documents = DocumentController::instance()) {
        if (!documents->closeAllDocuments()) {
            m_terminating = false;
            return;
        }
    }
    // Checks still waiting for a history that another program holds get one last try.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int lost = HistoryService::instance()->finish(HistoryStore::DefaultBusyTimeoutMs);
    QApplication::restoreOverrideCursor();
    if (lost > 0)
        MessageBox::alert(nullptr, tr("The verification history could not be written."),
                          HistoryService::lostChecksMessage(lost), {tr("OK")}, MessageBox::Warning);
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !window->isModal())
            window->close();
    }
    emit applicationWillTerminate();
    QCoreApplication::quit();
}

// --- The shared windows

WelcomeDialogController *ApplicationController::welcomeDialog()
{
    if (!m_welcomeDialog)
        m_welcomeDialog = std::make_unique<WelcomeDialogController>();
    return m_welcomeDialog.get();
}

PreferencesDialogController *ApplicationController::preferencesDialog()
{
    if (!m_preferencesDialog)
        m_preferencesDialog = std::make_unique<PreferencesDialogController>();
    return m_preferencesDialog.get();
}

NewSiteDialogController *ApplicationController::newSiteDialog()
{
    if (!m_newSiteDialog)
        m_newSiteDialog = std::make_unique<NewSiteDialogController>();
    return m_newSiteDialog.get();
}

NewSiteCreatedDialogController *ApplicationController::newSiteCreatedDialog()
{
    if (!m_newSiteCreatedDialog) {
        m_newSiteCreatedDialog = std::make_unique<NewSiteCreatedDialogController>();
        connect(m_newSiteCreatedDialog.get(), &NewSiteCreatedDialogController::tutorialRequested, this,
                &ApplicationController::showTutorial);
    }
    return m_newSiteCreatedDialog.get();
}

AboutDialogController *ApplicationController::aboutDialog()
{
    if (!m_aboutDialog)
        m_aboutDialog = std::make_unique<AboutDialogController>();
    return m_aboutDialog.get();
}

ReadMeController *ApplicationController::readMeDialog()
{
    if (!m_readMeDialog)
        m_readMeDialog = std::make_unique<ReadMeController>();
    return m_readMeDialog.get();
}

HelpWindow *ApplicationController::helpWindow()
{
    if (!m_helpWindow)
        m_helpWindow = std::make_unique<HelpWindow>();
    return m_helpWindow.get();
}

// --- Commands

void ApplicationController::newSite()
{
    newSiteFromAssistant();
}

bool ApplicationController::newSiteFromAssistant()
{
    BusyScope busy(m_busy);
    NewSiteDialogController *dialog = newSiteDialog();
    dialog->initializeFields();
    runModal(dialog);
    if (!dialog->userConfirmed())
        return false;
    const QVariantMap values = SiteProfileForm::globalSiteInfo(dialog->texts(), dialog->singlePageLayout());
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        m_globalSiteInfo.insert(it.key(), it.value());
    DocumentController *documents = DocumentController::instance();
    return documents &&
           documents->newDocument(SiteProfileForm::textsFromGlobalSiteInfo(m_globalSiteInfo),
                                  m_globalSiteInfo.value(SiteProfileForm::PageLayoutKey, true).toBool());
}

void ApplicationController::showStartingPoints()
{
    BusyScope busy(m_busy);
    WelcomeDialogController *dialog = welcomeDialog();
    DocumentController *documents = DocumentController::instance();
    for (;;) {
        dialog->initializeFields();
        runModal(dialog);
        switch (dialog->actionCode()) {
        case WelcomeDialogController::NewDocument:
            if (newSiteFromAssistant())
                return;
            break; // the assistant was cancelled: back to the welcome window
        case WelcomeDialogController::OpenDocument:
            if (!documents || documents->openDocumentWithPanel() > 0)
                return;
            break; // nothing opened
        case WelcomeDialogController::Quit:
            terminate();
            return;
        default:
            // Closed: with no document open there is nothing left to work with.
            if (!documents || documents->documents().isEmpty())
                terminate();
            return;
        }
    }
}

void ApplicationController::doPreferences()
{
    PreferencesDialogController *dialog = preferencesDialog();
    dialog->initializeFields(PreferencesForm::current());
    dialog->mailPage()->setValues(MailPreferences::current());
    runModal(dialog);
    if (!dialog->userConfirmed())
        return;
    dialog->values().write();
    dialog->mailPage()->values().write();
    dialog->mailPage()->storePasswords();
    // A new interval takes effect at once in every open document.
    if (DocumentController *documents = DocumentController::instance())
        documents->updateAutoSaveTimers();
}

void ApplicationController::showNewSiteCreated()
{
    if (!Preferences::boolValue(Preferences::ShowNewSiteCreatedMessage) || m_newSiteCreatedVisible)
        return;
    m_newSiteCreatedVisible = true;
    NewSiteCreatedDialogController *dialog = newSiteCreatedDialog();
    dialog->initializeFields();
    runModal(dialog);
    m_newSiteCreatedVisible = false;
}

void ApplicationController::doHelp()
{
    showHelp(QStringLiteral("QuillmarshIntro"));
}

void ApplicationController::showHelp(const QString &anchor, QWidget *requester)
{
    HelpWindow *window = helpWindow();
    const QWidget *asking = requester ? requester->window() : QApplication::activeWindow();
    if (asking == window)
        asking = nullptr;
    // Over an application-modal dialog the help must be modal too, or it could not be used
    // until the dialog closes.
    const Qt::WindowModality modality =
        applicationModalWidget() && applicationModalWidget() != window ? Qt::ApplicationModal : Qt::NonModal;
    if (window->windowModality() != modality) {
        window->hide();
        window->setWindowModality(modality);
    }
    window->showAnchor(anchor);
    if (!window->isVisible()) {
        const QRect area = WindowPlacement::availableArea(asking ? asking : window);
        const QMargins decoration = WindowPlacement::decorationMargins(window);
        const QRect beside = WindowPlacement::helpFrame(asking ? asking->frameGeometry() : QRect(),
                                                        HelpWindow::DefaultSize.grownBy(decoration), area);
        WindowPlacement::setFrame(window, beside);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void ApplicationController::showShortcuts()
{
    showHelp(QStringLiteral("QuillmarshShortcuts"));
}

void ApplicationController::showEULA()
{
    showHelp(QStringLiteral("QuillmarshEULA"));
}

void ApplicationController::showTutorial()
{
    // The browser gets a file of its own in the private temporary folder: it cannot read the
    // application's compiled-in resources.
    QFile resource(QStringLiteral(":/tutorial/tutorial.html"));
    QString error;
    QString path;
    if (!resource.open(QIODevice::ReadOnly))
        error = tr("The tutorial is missing from this installation.");
    else if (TemporaryFolder::writeFile(QStringLiteral("tutorial.html"), resource.readAll(), &error))
        path = TemporaryFolder::filePath(QStringLiteral("tutorial.html"), &error);
    if (path.isEmpty() || !UrlOpener::instance().openUrl(QUrl::fromLocalFile(path))) {
        if (error.isEmpty())
            error = UrlOpener::instance().errorString();
        if (error.isEmpty())
            error = tr("No web browser could be started to show it.");
        MessageBox::alert(QApplication::activeWindow(), tr("The tutorial could not be opened."), error);
    }
}

void ApplicationController::showReadMe()
{
    readMeDialog()->showWindow();
}

void ApplicationController::doAbout()
{
    AboutDialogController *about = aboutDialog();
    if (about->isVisible()) // still up as the splash
        return;
    runModal(about);
}

bool ApplicationController::isInstantLinkAvailable() const
{
    const DocumentController *documents = DocumentController::instance();
    return documents && !documents->documents().isEmpty() && !isModalDialogRunning();
}

void ApplicationController::instantLink()
{
    DocumentController *documents = DocumentController::instance();
    MyDocument *front = documents ? documents->frontDocument() : nullptr;
    if (!front)
        return;
    front->raise();
    front->activateWindow();
    front->menus()->action(ActionId::InstantLink)->trigger();
}

bool ApplicationController::isModalDialogRunning()
{
    return applicationModalWidget() != nullptr;
}
