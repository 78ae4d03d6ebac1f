// The application's own windows: what it shows when it starts, where a cancelled choice leads and
// when it ends; the two windows of the site profile rules (tst_siteprofileform), the new-database
// assistant and the site profile sheet; the about box, read-me, help, tutorial and preferences.
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
#include "model/UiLanguage.h"
#include "model/UrlOpener.h"
#include "publish/ui/NewSiteCreatedDialogController.h"
#include "publish/ui/NewSiteDialogController.h"
#include "publish/ui/SiteInfoDialogController.h"

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

// Plays the user: each step acts on its window once that window is on screen, in order.
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
    static void typeIn(QWidget *field, const QString &text)
    {
        qobject_cast<QLineEdit *>(field)->setText(text);
    }
    static void click(QWidget *window, const char *button)
    {
        window->findChild<QPushButton *>(QLatin1String(button))->click();
    }
    QString writeDatabase(const QString &name)
    {
        DatabaseBuilder db;
        db.link("One");
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
        UiLanguage::installEnglishPlurals(); // as main() does
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
    void welcomeWindowComesBackUntilQuit()
    {
        Preferences::setValue(Preferences::StartupAction, 1);
        QList<bool> ticked;
        const auto toggle = [&ticked](QWidget *w) {
            auto *box = w->findChild<QCheckBox *>("showAtStartupCheckbox");
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
        QCOMPARE(MessageBox::shownAlerts().first().title, "The tutorial could not be opened.");
        QCOMPARE(m_terminated->size(), 1);
    }

    void welcomeWindowAndTheDocuments()
    {
        // The message after a new database is shown once at a time, and closing it stores its switch;
        // switched off, it no longer comes up (the test would hang in a modal run otherwise).
        int shown = 0;
        bool ticked = false;
        QTimer::singleShot(0, this, [&] {
            NewSiteCreatedDialogController *created = m_application->newSiteCreatedDialog();
            ++shown;
            ticked = created->showNextTime();
            m_application->showNewSiteCreated(); // asked again while it is up
            created->setShowNextTime(false);
            created->reject();
        });
        m_application->showNewSiteCreated();
        QVERIFY(shown == 1 && ticked);
        QVERIFY(!Preferences::boolValue(Preferences::ShowNewSiteCreatedMessage));
        m_application->showNewSiteCreated();
        QVERIFY(!m_application->newSiteCreatedDialog()->isVisible());

        // A confirmed assistant makes a document and ends it. On its way a failed step shows the rule's
        // alert and the field, the message box answers trim and keep, a kept address shows completed.
        NewSiteDialogController *dialog = m_application->newSiteDialog();
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
                      typeIn(dialog->fieldWidget(SiteProfileForm::Title), QString(100, QLatin1Char('t')));
                      MessageBox::setNextAnswer(1); // Trim
                      dialog->confirmStep();
                      see();
                      typeIn(dialog->fieldWidget(SiteProfileForm::MainPageURL), "not a url");
                      MessageBox::setNextAnswer(0); // Correct
                      dialog->confirmStep();
                      seen << MessageBox::shownAlerts().last().buttons.join(u'|');
                      MessageBox::setNextAnswer(1); // Keep
                      dialog->confirmStep();
                      seen << qobject_cast<QLineEdit *>(dialog->fieldWidget(SiteProfileForm::MainPageURL))
                                  ->text();
                      see();
                      dialog->confirmStep();
                      dialog->findChild<QRadioButton *>("pagePerCategoryButton")->setChecked(true);
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
            typeIn(dialog->fieldWidget(SiteProfileForm::Title), "Other");
            dialog->cancel();
        });
        m_application->newSite();
        QCOMPARE(startedAt, 1);
        const QVariantMap values = m_application->globalSiteInfo();
        QCOMPARE(values.value("Title").toString(), QString(99, QLatin1Char('t')));
        QCOMPARE(values.value("MainPageURL").toString(), "http://not a url");
        QCOMPARE(values.value("PageLayout").toBool(), false);

        // Opening from it ends it too; closing it with a document open only closes it.
        const QString path = writeDatabase("chosen.site");
        FilePanel::setNextAnswer(path);
        UserScript opening;
        opening.then([this] { return welcome(); }, [](QWidget *w) { click(w, "openDocButton"); })
            .then([this] { return welcome(); }, [](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
        m_application->showStartingPoints();
        QCOMPARE(m_documents->documents().size(), 2);
        QCOMPARE(m_documents->documents().last()->filePath(), path);
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
        const QString recent = recentExists ? writeDatabase("recent.site") : QString();
        if (recentExists)
            m_documents->noteRecentFile(recent);
        m_documents->noteRecentFile(m_dir.filePath("gone.site")); // more recent, missing
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
        m_application->finishLaunching(fileAskedFor ? QStringList{m_dir.filePath("missing.site")}
                                                    : QStringList());
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

    // The site profile sheet applies the same rules as the assistant and keeps the rest of the profile.
    void siteProfileSheetHandsBackTheCompletedProfileOrStaysOpen()
    {
        SiteProfileTexts texts;
        texts.title = "Marsh Birds";
        texts.URL = "http://marshbirds.example/";
        texts.contactEmail = "ada@marshbirds.example";
        SelfInfo profile;
        profile.setTitle(texts);
        NotificationSettings settings;
        settings.linksInCategoryNumber = 7;
        profile.setNotifyNegotiationNotStarted(settings);
        QWidget window;
        SiteInfoDialogController sheet(&window);
        sheet.initializeFields(profile);
        sheet.setFirstTimeMode();
        QSignalSpy finished(&sheet, &QDialog::finished);
        window.show();
        sheet.open();
        QCOMPARE(sheet.windowModality(), Qt::WindowModal);
        QCOMPARE(qobject_cast<QLineEdit *>(sheet.fieldWidget(SiteProfileForm::Title))->selectedText(),
                 texts.title);

        typeIn(sheet.fieldWidget(SiteProfileForm::MainPageURL), "http://");
        sheet.confirm();
        QVERIFY(finished.isEmpty() && sheet.isVisible());
        QCOMPARE(MessageBox::shownAlerts().last().title, "Some required fields are missing.");

        // The Go buttons open the completed addresses; an empty one opens nothing.
        const qsizetype opened = m_opener.urls().size();
        typeIn(sheet.fieldWidget(SiteProfileForm::MainPageURL), "birds.example");
        typeIn(sheet.fieldWidget(SiteProfileForm::LinksPageURL), QString());
        sheet.findChild<QPushButton *>("URLGoButton")->click();
        sheet.findChild<QPushButton *>("linksPageURLGoButton")->click();
        QCOMPARE(m_opener.urls().constLast(), QUrl("http://birds.example"));
        QCOMPARE(m_opener.urls().size(), opened + 1);

        typeIn(sheet.fieldWidget(SiteProfileForm::ContactLastName), QString(50, QLatin1Char('r')));
        MessageBox::setNextAnswer(1); // Trim
        sheet.confirm();
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 "The Contact Last Name field contains too many characters.");
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toInt(), 1);
        const SelfInfo confirmed = sheet.siteInfo();
        QCOMPARE(confirmed.URL(), "http://birds.example");
        QCOMPARE(confirmed.linksURL(), "http://");
        QCOMPARE(confirmed.contactLastName(), QString(49, QLatin1Char('r')));
        QCOMPARE(confirmed.contactEmail(), texts.contactEmail);
        QCOMPARE(confirmed.linksInCategoryNumber(), 7); // the rest of the profile is kept
        QVERIFY(!sheet.firstTimeMode());
    }

    void systemInformationTexts()
    {
        using namespace SystemInformation;
        QCOMPARE(QStringList({clockSpeedString(867), clockSpeedString(999), clockSpeedString(1000),
                              clockSpeedString(1250), clockSpeedString(2096), memoryString(1023),
                              memoryString(1024), memoryString(1536), cpuString({2, 2000, "Intel"}),
                              cpuString({4, 0, "arm64"})}),
                 QStringList({"867 MHz", "999 MHz", "1 GHz", "1.25 GHz", "2.1 GHz", "1023 MB RAM", "1 GB RAM",
                              "1.5 GB RAM", "2 \u00D7 2 GHz Intel", "4 \u00D7 arm64"}));

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
            QTest::keyClick(about->view(), Qt::Key_Escape);
            QCOMPARE(about->size(), QSize(520, 300));
        });
        QElapsedTimer clock;
        clock.start();
        m_application->doAbout();
        QVERIFY(wasModal);
        QCOMPARE(about->windowOpacity(), 1.0); // ready for the next showing
        QVERIFY(clock.elapsed() >= AboutDialogController::MinimumShowTime);

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

    void everyHelpAnchorOfTheProgramIsInTheBook()
    {
        // Every anchor the program's sources ask for.
        QSet<QString> wanted;
        const QRegularExpression pattern("\"(Quillmarsh[A-Z][A-Za-z]+)\"");
        QDirIterator sources(QStringLiteral(QM_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                             QDirIterator::Subdirectories);
        while (sources.hasNext()) {
            QFile file(sources.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QRegularExpressionMatchIterator it = pattern.globalMatch(QString::fromUtf8(file.readAll()));
            while (it.hasNext())
                wanted.insert(it.next().captured(1));
        }
        QVERIFY(wanted.contains("QuillmarshPreferences") && wanted.size() >= 15);
        for (const QString &anchor : std::as_const(wanted)) {
            const QUrl url = HelpBook::urlForAnchor(anchor);
            QCOMPARE(url.fragment(), anchor);
            QFile page(QLatin1Char(':') + url.path());
            QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(url.toString()));
            QVERIFY(page.readAll().contains(QStringLiteral("name=\"%1\"").arg(anchor).toUtf8()));
        }
        QCOMPARE(HelpBook::urlForAnchor("QuillmarshNoSuchTopic"), HelpBook::contentsUrl());
    }

    void helpAndReadMeWindows()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget narrow;
        narrow.setGeometry(area.x() + 20, area.y() + 40, 200, 300);
        narrow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&narrow));
        HelpWindow *help = m_application->helpWindow();
        HelpBook::showHelp("QuillmarshVerify", &narrow);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QVERIFY(help->frameGeometry().left() > narrow.frameGeometry().right());
        QCOMPARE(help->frameGeometry().top(), narrow.frameGeometry().top());
        QCOMPARE(help->currentUrl(), HelpBook::urlForAnchor("QuillmarshVerify"));
        auto *browser = help->findChild<QTextBrowser *>();
        QVERIFY(browser->toPlainText().contains(QLatin1String("Reciprocal link cannot be found.")));

        // A link to another page of the book stays in the window; a web address goes to the browser.
        const qsizetype opened = m_opener.urls().size();
        emit browser->anchorClicked(QUrl("preferences.html#QuillmarshPreferences"));
        QCOMPARE(help->currentUrl(), HelpBook::urlForAnchor("QuillmarshPreferences"));
        QCOMPARE(m_opener.urls().size(), opened);
        emit browser->anchorClicked(QUrl("https://www.example.org/"));
        QCOMPARE(m_opener.urls().size(), opened + 1);
        QCOMPARE(help->currentUrl(), HelpBook::urlForAnchor("QuillmarshPreferences"));
        help->close();

        // Larger than the screen (a dialog at scale 2): as large as the screen, title bar inside.
        QDialog large;
        large.resize(area.width() + 400, area.height() + 300);
        large.show();
        QVERIFY(QTest::qWaitForWindowExposed(&large));
        QTRY_COMPARE(large.frameGeometry(), area);

        // The read-me: ordinary keys move in its text, Escape closes it.
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
            bool modal = false;
            PreferencesForm shown;
            QTimer::singleShot(0, this, [&] {
                modal = dialog->isVisible() && ApplicationController::isModalDialogRunning();
                shown = dialog->values();
                spin("autoSaveIntervalField")->setValue(30);
                confirm ? dialog->accept() : dialog->reject();
            });
            m_application->doPreferences();
            QVERIFY(modal);
            QCOMPARE(shown, values);
            QCOMPARE(Preferences::intValue(Preferences::AutoSaveInterval), confirm ? 30 : 42);
        }
        QVERIFY(!ApplicationController::isModalDialogRunning());

        const auto popup = [dialog](const char *name) { return dialog->findChild<QComboBox *>(name); };
        QCOMPARE(popup("emailEncodingPopup")->count(), PreferencesForm::EmailEncodingCount);
        QCOMPARE(popup("fileExportEncodingPopup")->count(), PreferencesForm::FileExportEncodingCount);
        QCOMPARE(popup("fileExportEncodingPopup")->itemText(3), "Unicode (UTF-8)");
        QCOMPARE(popup("startupActionPopup")->count(), PreferencesForm::StartupActionCount);
        spin("verificationConcurrencyField")->setValue(0);
        spin("verificationPerHostField")->setValue(17);
        QCOMPARE(dialog->values().verificationConcurrency, VerificationLimits::MinimumConcurrency);
        QCOMPARE(dialog->values().verificationPerHost, VerificationLimits::MaximumPerHost);
        // The units follow the number: "1 day", "2 days".
        spin("autoVerifyDaysField")->setValue(1);
        QCOMPARE(spin("autoVerifyDaysField")->text(), "1 day");
        spin("autoVerifyDaysField")->setValue(2);
        QCOMPARE(spin("autoVerifyDaysField")->text(), "2 days");
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
