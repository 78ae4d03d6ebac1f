// The application's own windows: what it shows when it starts, where a cancelled choice leads and
// when it ends; the new-database assistant's values; the about box, read-me, help, tutorial and
// preferences.
#include "DatabaseBuilder.h"
#include "app/AboutBoxView.h"
#include "app/AboutDialogController.h"
#include "app/ApplicationController.h"
#include "app/HelpWindow.h"
#include "app/PreferencesDialogController.h"
#include "app/ReadMeController.h"
#include "app/SystemInformation.h"
#include "app/WelcomeDialogController.h"
#include "document/DocumentController.h"
#include "document/MyDocument.h"
#include "gui/FilePanel.h"
#include "gui/HelpBook.h"
#include "gui/MessageBox.h"
#include "model/DatabaseFile.h"
#include "model/Preferences.h"
#include "model/TemporaryFolder.h"
#include "model/UrlOpener.h"
#include "publish/ui/NewSiteCreatedDialogController.h"
#include "publish/ui/NewSiteDialogController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

#include "TestData.h"

// Plays the user in the windows of one flow: each step acts on its window once that window is on
// screen, in order.
class UserScript : public QTimer
{
public:
    UserScript()
    {
        connect(this, &QTimer::timeout, this, [this] {
            QWidget *window = m_steps.isEmpty() ? nullptr : m_steps.first().first();
            if (window && window->isVisible())
                m_steps.takeFirst().second(window);
        });
        start(10);
    }
    UserScript &then(std::function<QWidget *()> window, std::function<void(QWidget *)> action)
    {
        m_steps.append({std::move(window), std::move(action)});
        return *this;
    }
    bool isFinished() const { return m_steps.isEmpty(); }

private:
    QList<std::pair<std::function<QWidget *()>, std::function<void(QWidget *)>>> m_steps;
};

class TestApplication : public QObject
{
    Q_OBJECT

private:
    QWidget *welcome() { return m_application->welcomeDialog(); }
    QWidget *assistant() { return m_application->newSiteDialog(); }
    static void click(QWidget *window, const char *button)
    {
        window->findChild<QPushButton *>(QLatin1String(button))->click();
    }
    QString writeDatabase(const QString &name)
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("One"));
        const QString path = m_dir.filePath(name);
        DatabaseFile::write(db.store(), path);
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QStandardPaths::setTestModeEnabled(true); // the tutorial goes to a test cache, not the user's
        MessageBox::setScripted(true);
        FilePanel::setScripted(true);
        UrlOpener::setInstance(&m_opener);
    }

    void init()
    {
        static int run = 0;
        Preferences::useSettingsFile(m_dir.filePath(QStringLiteral("settings%1.ini").arg(++run)));
        MessageBox::clearShownAlerts();
        FilePanel::clearShownPanels();
        // The documents first: the application watches them come and go.
        m_documents = new DocumentController;
        m_application = new ApplicationController;
        m_terminated =
            std::make_unique<QSignalSpy>(m_application, &ApplicationController::applicationWillTerminate);
    }

    void cleanup()
    {
        for (MyDocument *document : m_documents->documents()) {
            document->setWindowModified(false);
            delete document;
        }
        m_terminated.reset();
        delete m_application;
        delete m_documents;
    }

    // Each choice that opens nothing comes back to the welcome window. Its switch is ticked only
    // when the welcome window is the start-up action, and closing it by any means stores the switch.
    void welcomeWindowComesBackUntilClosed()
    {
        Preferences::setValue(Preferences::StartupAction, 1);
        QList<bool> ticked;
        const auto toggle = [&ticked](QWidget *w) {
            auto *box = w->findChild<QCheckBox *>(QStringLiteral("showAtStartupCheckbox"));
            ticked.append(box->isChecked());
            box->setChecked(!box->isChecked());
        };
        UserScript user;
        user.then([this] { return welcome(); },
                  [&](QWidget *w) {
                      toggle(w);
                      click(w, "newDocButton");
                  })
            .then([this] { return assistant(); }, [](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); })
            .then([this] { return welcome(); },
                  [&](QWidget *w) {
                      toggle(w);
                      click(w, "openDocButton"); // the panel answers "cancel"
                  })
            .then([this] { return welcome(); },
                  [&](QWidget *w) {
                      click(w, "tutorialButton"); // opens in the browser and leaves the window up
                      QVERIFY(w->isVisible());
                      toggle(w);
                      auto *buttons = w->findChild<QDialogButtonBox *>();
                      for (QAbstractButton *button : buttons->buttons()) {
                          if (buttons->buttonRole(button) == QDialogButtonBox::DestructiveRole)
                              button->click(); // Quit
                      }
                  });
        m_application->showStartingPoints();
        QVERIFY(user.isFinished());
        QCOMPARE(ticked, QList<bool>({false, true, false}));
        QCOMPARE(Preferences::intValue(Preferences::StartupAction), 2);
        QCOMPARE(FilePanel::shownPanels().size(), 1);
        // The tutorial is written to the private folder and opened; a browser that cannot start is reported.
        QFile tutorial(m_opener.urls().last().toLocalFile());
        QVERIFY(tutorial.open(QIODevice::ReadOnly) &&
                tutorial.readAll().contains("Your first link exchange"));
        QCOMPARE(QFileInfo(QFileInfo(tutorial).path()).fileName(), TemporaryFolder::FolderName);
        QVERIFY(MessageBox::shownAlerts().isEmpty());
        m_opener.setAnswer(false);
        m_application->showTutorial();
        m_opener.setAnswer(true);
        QCOMPARE(MessageBox::shownAlerts().size(), 1);
        QCOMPARE(MessageBox::shownAlerts().first().title,
                 QStringLiteral("The tutorial could not be opened."));
        QVERIFY(m_documents->documents().isEmpty());
        QCOMPARE(m_terminated->size(), 1);
    }

    void welcomeWindowAndTheDocuments()
    {
        // A confirmed assistant makes a document and ends it. On its way a failed step shows the
        // rule's alert and puts the cursor in the field, the message box answers the trim and keep
        // questions, and a kept address shows completed.
        Preferences::setValue(Preferences::ShowNewSiteCreatedMessage, false);
        NewSiteDialogController *dialog = m_application->newSiteDialog();
        const auto type = [dialog](SiteProfileForm::Field field, const QString &text) {
            qobject_cast<QLineEdit *>(dialog->fieldWidget(field))->setText(text);
        };
        QStringList seen;
        const auto see = [&] {
            seen << MessageBox::shownAlerts().last().title << dialog->focusWidget()->objectName();
        };
        UserScript creating;
        creating.then([this] { return welcome(); }, [](QWidget *w) { click(w, "newDocButton"); })
            .then([this] { return assistant(); },
                  [&](QWidget *) {
                      dialog->confirmStep();
                      dialog->confirmStep();
                      see();
                      type(SiteProfileForm::Title, QString(100, QLatin1Char('t')));
                      MessageBox::setNextAnswer(1); // Trim
                      dialog->confirmStep();
                      see();
                      type(SiteProfileForm::MainPageURL, QStringLiteral("not a url"));
                      MessageBox::setNextAnswer(0); // Correct
                      dialog->confirmStep();
                      seen << MessageBox::shownAlerts().last().buttons.join(u'|');
                      MessageBox::setNextAnswer(1); // Keep
                      dialog->confirmStep();
                      seen << qobject_cast<QLineEdit *>(dialog->fieldWidget(SiteProfileForm::MainPageURL))
                                  ->text();
                      see();
                      dialog->confirmStep();
                      dialog->findChild<QRadioButton *>(QStringLiteral("pagePerCategoryButton"))
                          ->setChecked(true);
                      dialog->confirmStep();
                  });
        m_application->showStartingPoints();
        QCOMPARE(seen, QStringList({"The title must be specified.", "titleField",
                                    "The Title field contains too many characters.", "mainPageURLField",
                                    "&Correct|&Keep", "http://not a url",
                                    "The Main Page URL field does not look like a web address.",
                                    "contactFirstNameField"}));
        QCOMPARE(m_documents->documents().size(), 1);
        // Its values (made by SiteProfileForm) serve the next new database; a cancelled run, which
        // starts afresh, keeps them.
        int startedAt = 0;
        QTimer::singleShot(0, this, [&] {
            startedAt = dialog->currentStep();
            dialog->confirmStep();
            type(SiteProfileForm::Title, QStringLiteral("Other"));
            dialog->cancel();
        });
        m_application->newSite();
        QCOMPARE(startedAt, 1);
        const QVariantMap values = m_application->globalSiteInfo();
        QCOMPARE(values.value(QStringLiteral("Title")).toString(), QString(99, QLatin1Char('t')));
        QCOMPARE(values.value(QStringLiteral("MainPageURL")).toString(), QStringLiteral("http://not a url"));
        QCOMPARE(values.value(QStringLiteral("PageLayout")).toBool(), false);

        // Opening from it ends it too; closing it with a document open only closes it.
        const QString path = writeDatabase(QStringLiteral("chosen.site"));
        FilePanel::setNextAnswer(path);
        UserScript opening;
        opening.then([this] { return welcome(); }, [](QWidget *w) { click(w, "openDocButton"); })
            .then([this] { return welcome(); }, [](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
        m_application->showStartingPoints();
        QCOMPARE(m_documents->documents().size(), 2);
        QCOMPARE(m_documents->documents().last()->filePath(), path);
        QVERIFY(!welcome()->isVisible());
        m_application->showStartingPoints();
        QVERIFY(opening.isFinished());
        QCOMPARE(m_documents->documents().size(), 2);
        QCOMPARE(m_terminated->size(), 0);

        // Closing the last document brings it back; quitting with a document open does not.
        MyDocument *second = m_documents->documents().last();
        m_documents->documents().first()->setWindowModified(false);
        QVERIFY(m_documents->documents().first()->close());
        QTest::qWait(50);
        QVERIFY(!welcome()->isVisible()); // one is still open
        FilePanel::setNextAnswer(path);
        UserScript back;
        back.then([this] { return welcome(); }, [](QWidget *w) { click(w, "openDocButton"); });
        QVERIFY(second->close());
        QTRY_VERIFY(back.isFinished());
        QTRY_COMPARE(m_documents->documents().size(), 1);
        m_application->terminate();
        QCOMPARE(m_terminated->size(), 1);
        QVERIFY(m_documents->documents().isEmpty());
        QTest::qWait(50);
        QVERIFY(!welcome()->isVisible());
    }

    void startupOpensWhatItsActionSaysOrTheWelcomeWindow_data()
    {
        QTest::addColumn<int>("startupAction");
        QTest::addColumn<bool>("recentExists");
        QTest::addColumn<bool>("fileAskedFor");
        QTest::newRow("last database reopened") << 0 << true << false;
        QTest::newRow("welcome window") << 2 << true << false;
        QTest::newRow("last database gone") << 0 << false << false;
        QTest::newRow("open panel cancelled") << 1 << true << false;
        // The user asked for a file: not the last database instead.
        QTest::newRow("file asked for unreadable") << 0 << true << true;
    }

    void startupOpensWhatItsActionSaysOrTheWelcomeWindow()
    {
        QFETCH(int, startupAction);
        QFETCH(bool, recentExists);
        QFETCH(bool, fileAskedFor);
        Preferences::setValue(Preferences::StartupAction, startupAction);
        const QString recent = recentExists ? writeDatabase(QStringLiteral("recent.site")) : QString();
        if (recentExists)
            m_documents->noteRecentFile(recent);
        m_documents->noteRecentFile(m_dir.filePath(QStringLiteral("gone.site"))); // more recent, missing
        // The welcome window comes up in its own modal run once the splash has faded out.
        bool splashWasGone = false;
        UserScript user;
        user.then([this] { return welcome(); },
                  [&](QWidget *w) {
                      splashWasGone = !m_application->isLaunching();
                      static_cast<QDialog *>(w)->reject();
                  });
        QElapsedTimer clock;
        clock.start();
        m_application->finishLaunching(
            fileAskedFor ? QStringList{m_dir.filePath(QStringLiteral("missing.site"))} : QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(!m_application->isLaunching(), 5000);
        QVERIFY(clock.elapsed() >= AboutDialogController::MinimumShowTime);
        QCOMPARE(MessageBox::shownAlerts().size(), fileAskedFor ? 1 : 0);
        if (startupAction == 0 && recentExists && !fileAskedFor) {
            QCOMPARE(m_documents->documents().size(), 1);
            QCOMPARE(m_documents->documents().first()->filePath(), recent);
            QVERIFY(!welcome()->isVisible());
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(user.isFinished(), 5000);
        QVERIFY(splashWasGone);
        QCOMPARE(FilePanel::shownPanels().size(), startupAction == 1 ? 1 : 0);
        QVERIFY(m_documents->documents().isEmpty());
        QCOMPARE(m_terminated->size(), 1);
    }

    void newSiteCreatedMessageStoresItsSwitch()
    {
        QVERIFY(Preferences::boolValue(Preferences::ShowNewSiteCreatedMessage));
        int shown = 0;
        QTimer::singleShot(0, this, [this, &shown] {
            NewSiteCreatedDialogController *dialog = m_application->newSiteCreatedDialog();
            ++shown;
            QVERIFY(dialog->showNextTime());
            m_application->showNewSiteCreated(); // asked again while it is up: not shown twice
            dialog->setShowNextTime(false);
            dialog->reject(); // closing stores the switch like confirming
        });
        m_application->showNewSiteCreated();
        QCOMPARE(shown, 1);
        QVERIFY(!Preferences::boolValue(Preferences::ShowNewSiteCreatedMessage));
        // Switched off, it no longer comes up (the test would hang in a modal run otherwise).
        m_application->showNewSiteCreated();
        QVERIFY(!m_application->newSiteCreatedDialog()->isVisible());
    }

    void systemInformationTexts()
    {
        using namespace SystemInformation;
        const QList<QPair<QString, const char *>> texts{
            {clockSpeedString(867), "867 MHz"},
            {clockSpeedString(999), "999 MHz"},
            {clockSpeedString(1000), "1 GHz"},
            {clockSpeedString(1250), "1.25 GHz"},
            {clockSpeedString(2096), "2.1 GHz"},
            {memoryString(1023), "1023 MB RAM"},
            {memoryString(1024), "1 GB RAM"},
            {memoryString(1536), "1.5 GB RAM"},
            {cpuString({2, 2000, "Intel"}), "2 \u00D7 2 GHz Intel"},
            {cpuString({4, 0, "arm64"}), "4 \u00D7 arm64"}};
        for (const auto &[actual, expected] : texts)
            QCOMPARE(actual, QString::fromUtf8(expected));

        const QList<std::tuple<const char *, int, int, const char *>> cpus{
            {"processor\t: 0\nvendor_id\t: AuthenticAMD\ncpu MHz\t\t: 2096.031\n\n"
             "processor\t: 1\nvendor_id\t: AuthenticAMD\ncpu MHz\t\t: 1500.000\n",
             2, 2096, "AMD"},
            {"processor : 0\nvendor_id : GenuineIntel\n", 1, 0, "Intel"},
            {"processor\t: 0\nBogoMIPS\t: 48.00\nCPU part\t: 0xd08\n", 1, 0, ""}, // ARM: no vendor, no clock
            {"", 0, 0, ""}};
        for (const auto &[cpuInfo, count, megahertz, family] : cpus) {
            const Processor processor = parseCpuInfo(QString::fromLatin1(cpuInfo));
            QCOMPARE(processor.count, count);
            QCOMPARE(processor.megahertz, megahertz); // the first processor's clock
            QCOMPARE(processor.familyName, QString::fromLatin1(family));
        }

        QVERIFY(!operatingSystemString().isEmpty());
        QVERIFY2(hardwareInformationString().endsWith(QLatin1String(" RAM")),
                 qPrintable(hardwareInformationString()));
    }

    void aboutBoxStaysUpItsMinimumTimeThenFades()
    {
        AboutDialogController *about = m_application->aboutDialog();
        bool wasModal = false;
        QTimer::singleShot(50, this, [&] {
            wasModal = ApplicationController::isModalDialogRunning();
            QCOMPARE(about->size(), QSize(520, 300));
            QTest::keyClick(about->view(), Qt::Key_Escape);
        });
        QElapsedTimer clock;
        clock.start();
        m_application->doAbout();
        QVERIFY(wasModal);
        QVERIFY(clock.elapsed() >= AboutDialogController::MinimumShowTime);
        QVERIFY(!about->isVisible());
        QCOMPARE(about->windowOpacity(), 1.0); // ready for the next showing

        // As the splash, a click closes it in at most ten fading steps.
        about->showSplash();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QTest::qWait(AboutDialogController::MinimumShowTime);
        QList<qreal> opacities;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, this, [&] {
            if (about->isVisible() && (opacities.isEmpty() || opacities.last() != about->windowOpacity()))
                opacities.append(about->windowOpacity());
        });
        sampler.start(5);
        QTest::mouseClick(about->view(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!about->isVisible(), 2000);
        QVERIFY2(opacities.size() >= 2 && opacities.size() <= 10,
                 qPrintable(QString::number(opacities.size())));
        QVERIFY(std::is_sorted(opacities.rbegin(), opacities.rend()));
    }

    void readMeShowsItsTextAndClosesOnEscape()
    {
        ReadMeController readMe;
        QVERIFY(readMe.textView()->isReadOnly());
        QVERIFY(readMe.textView()->toPlainText().contains(QLatin1String("Quillmarsh 1.0")));
        readMe.showWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&readMe));
        QTest::keyClick(readMe.textView(), Qt::Key_PageDown);
        QVERIFY(readMe.isVisible());
        QTest::keyClick(readMe.textView(), Qt::Key_Escape);
        QVERIFY(!readMe.isVisible());
    }

    void everyHelpAnchorOfTheProgramIsInTheBook()
    {
        // Every anchor the program's sources ask for.
        QSet<QString> wanted;
        const QRegularExpression pattern(QStringLiteral("\"(Quillmarsh[A-Z][A-Za-z]+)\""));
        QDirIterator sources(QStringLiteral(QM_SOURCE_DIR "/src"),
                             {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                             QDirIterator::Subdirectories);
        while (sources.hasNext()) {
            QFile file(sources.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QRegularExpressionMatchIterator it = pattern.globalMatch(QString::fromUtf8(file.readAll()));
            while (it.hasNext())
                wanted.insert(it.next().captured(1));
        }
        QVERIFY(wanted.contains(QStringLiteral("QuillmarshPreferences")) && wanted.size() >= 15);
        for (const QString &anchor : std::as_const(wanted)) {
            QVERIFY2(HelpBook::anchors().contains(anchor), qPrintable(anchor));
            const QUrl url = HelpBook::urlForAnchor(anchor);
            QCOMPARE(url.fragment(), anchor);
            QFile page(QLatin1Char(':') + url.path());
            QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(url.toString()));
            QVERIFY(page.readAll().contains(QStringLiteral("name=\"%1\"").arg(anchor).toUtf8()));
        }
        QCOMPARE(HelpBook::urlForAnchor(QStringLiteral("QuillmarshNoSuchTopic")), HelpBook::contentsUrl());
    }

    void helpWindowOpensBesideTheAskerAtTheAnchor()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget narrow;
        narrow.setGeometry(area.x() + 20, area.y() + 40, 200, 300);
        narrow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&narrow));
        HelpWindow *help = m_application->helpWindow();
        HelpBook::showHelp(QStringLiteral("QuillmarshVerify"), &narrow);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QVERIFY(help->frameGeometry().left() > narrow.frameGeometry().right());
        QCOMPARE(help->frameGeometry().top(), narrow.frameGeometry().top());
        QCOMPARE(help->currentUrl(), HelpBook::urlForAnchor(QStringLiteral("QuillmarshVerify")));
        QVERIFY(help->windowTitle().contains(QLatin1String("Verifying")));
        auto *browser = help->findChild<QTextBrowser *>();
        QVERIFY(browser->toPlainText().contains(QLatin1String("Reciprocal link cannot be found.")));

        // A link to another page of the book stays in the window; a web address goes to the browser.
        const qsizetype opened = m_opener.urls().size();
        emit browser->anchorClicked(QUrl(QStringLiteral("preferences.html#QuillmarshPreferences")));
        QCOMPARE(help->currentUrl(), HelpBook::urlForAnchor(QStringLiteral("QuillmarshPreferences")));
        QCOMPARE(m_opener.urls().size(), opened);
        emit browser->anchorClicked(QUrl(QStringLiteral("https://www.example.org/")));
        QCOMPARE(m_opener.urls().size(), opened + 1);
        QCOMPARE(help->currentUrl(), HelpBook::urlForAnchor(QStringLiteral("QuillmarshPreferences")));
        help->close();

        // Larger than the screen (a dialog at scale 2): as large as the screen, title bar inside.
        QDialog large;
        large.resize(area.width() + 400, area.height() + 300);
        large.show();
        QVERIFY(QTest::qWaitForWindowExposed(&large));
        QTRY_COMPARE(large.frameGeometry(), area);
    }

    // The values' rules are PreferencesForm's; here the dialog shows them, bounds its fields and is
    // written only when confirmed.
    void preferencesDialogShowsBoundsAndStoresOnlyWhenConfirmed()
    {
        PreferencesForm values; // every one other than its default
        values.autoSaveDocuments = true;
        values.autoSaveInterval = 42;
        values.emailEncoding = 1;
        values.fileExportEncoding = 0;
        values.startupAction = 1;
        values.showNewSiteCreatedAssistant = false;
        values.autoVerifyDays = 7;
        values.verificationConcurrency = 32;
        values.verificationPerHost = 1;
        values.write();
        PreferencesDialogController *dialog = m_application->preferencesDialog();
        const auto spin = [dialog](const char *name) { return dialog->findChild<QSpinBox *>(name); };
        // Each run shows the store's values; a cancelled change is not written, a confirmed one is.
        for (const bool confirm : {false, true}) {
            QTimer::singleShot(0, this, [&] {
                QVERIFY(dialog->isVisible() && ApplicationController::isModalDialogRunning());
                QCOMPARE(dialog->values(), values);
                spin("autoSaveIntervalField")->setValue(30);
                confirm ? dialog->accept() : dialog->reject();
            });
            m_application->doPreferences();
            QCOMPARE(Preferences::intValue(Preferences::AutoSaveInterval), confirm ? 30 : 42);
        }
        QVERIFY(!ApplicationController::isModalDialogRunning());

        const auto popup = [dialog](const char *name) { return dialog->findChild<QComboBox *>(name); };
        QCOMPARE(popup("emailEncodingPopup")->count(), PreferencesForm::EmailEncodingCount);
        QCOMPARE(popup("fileExportEncodingPopup")->count(), PreferencesForm::FileExportEncodingCount);
        QCOMPARE(popup("fileExportEncodingPopup")->itemText(3), QStringLiteral("Unicode (UTF-8)"));
        QCOMPARE(popup("startupActionPopup")->count(), PreferencesForm::StartupActionCount);
        spin("verificationConcurrencyField")->setValue(0);
        spin("verificationPerHostField")->setValue(17);
        QCOMPARE(dialog->values().verificationConcurrency, VerificationLimits::MinimumConcurrency);
        QCOMPARE(dialog->values().verificationPerHost, VerificationLimits::MaximumPerHost);
        // The interval field follows the switch.
        dialog->findChild<QCheckBox *>("autoSaveDocumentsCheckbox")->setChecked(false);
        QVERIFY(!spin("autoSaveIntervalField")->isEnabled());
        spin("autoSaveIntervalField")->setValue(100000);
        QCOMPARE(dialog->values().autoSaveInterval, PreferencesForm::MaximumAutoSaveInterval);
    }

private:
    QTemporaryDir m_dir;
    RecordingUrlOpener m_opener;
    DocumentController *m_documents = nullptr;
    ApplicationController *m_application = nullptr;
    std::unique_ptr<QSignalSpy> m_terminated;
};

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
