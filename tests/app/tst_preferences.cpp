// The preferences dialog, the welcome window and the start-up choice they feed.
#include "app/ApplicationController.h"
#include "app/PreferencesDialogController.h"
#include "app/WelcomeDialogController.h"
#include "document/DocumentController.h"
#include "gui/MessageBox.h"
#include "model/Preferences.h"
#include "model/UrlOpener.h"
#include "workflow/PreferencesForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void formReadsDefaultsAndWritesAllItsKeys();
    void formBringsStrayValuesIntoRange();
    void dialogShowsAndReturnsTheValues();
    void confirmedPreferencesAreWrittenCancelledAreNot();
    void closingTheWelcomeWindowStoresItsSwitch_data();
    void closingTheWelcomeWindowStoresItsSwitch();
    void welcomeActionCodes();
    void startupShowsWelcomeAfterTheSplash();

private:
    QString m_settingsPath;
    QTemporaryDir m_dir;
    RecordingUrlOpener m_opener;
    ApplicationController *m_application = nullptr;
};

void TestPreferences::initTestCase()
{
    QVERIFY(m_dir.isValid());
    MessageBox::setScripted(true);
    UrlOpener::setInstance(&m_opener);
}

void TestPreferences::init()
{
    static int run = 0;
    m_settingsPath = m_dir.filePath(QStringLiteral("settings%1.ini").arg(++run));
    Preferences::useSettingsFile(m_settingsPath);
    MessageBox::clearShownAlerts();
    m_application = new ApplicationController;
}

void TestPreferences::cleanup()
{
    delete m_application;
    m_application = nullptr;
}

void TestPreferences::formReadsDefaultsAndWritesAllItsKeys()
{
    const PreferencesForm defaults = PreferencesForm::current();
    QCOMPARE(defaults, PreferencesForm());
    QCOMPARE(defaults.startupAction, 2);
    QCOMPARE(defaults.fileExportEncoding, 3); // UTF-8 for a user who never chose

    PreferencesForm changed;
    changed.autoSaveDocuments = true;
    changed.autoSaveInterval = 10;
    changed.createBackupFiles = true;
    changed.emailEncoding = 1;
    changed.fileExportEncoding = 2;
    changed.startupAction = 0;
    changed.showNewSiteCreatedAssistant = false;
    changed.autoVerifyDays = 30;
    changed.verificationConcurrency = 16;
    changed.verificationPerHost = 2;
    changed.write();
    QCOMPARE(PreferencesForm::current(), changed);

    // Stored under the keys the rest of the program reads.
    QSettings file(m_settingsPath, QSettings::IniFormat);
    QCOMPARE(file.value(QStringLiteral("AutoSaveInterval")).toInt(), 10);
    QCOMPARE(file.value(QStringLiteral("FileExportEncoding")).toInt(), 2);
    QCOMPARE(file.value(QStringLiteral("ShowNewSiteCreatedMessage")).toBool(), false);
    QCOMPARE(file.value(QStringLiteral("StartupAction")).toInt(), 0);
    QCOMPARE(file.value(QStringLiteral("AutoVerifyDays")).toInt(), 30);
    QCOMPARE(file.value(QStringLiteral("VerificationConcurrency")).toInt(), 16);
    QCOMPARE(file.value(QStringLiteral("VerificationPerHost")).toInt(), 2);
    QCOMPARE(file.allKeys().size(), 10);
}

void TestPreferences::formBringsStrayValuesIntoRange()
{
    Preferences::setValue(Preferences::EmailEncoding, 5);       // read as Mac OS Roman
    Preferences::setValue(Preferences::FileExportEncoding, -3); // read as Mac OS Roman
    Preferences::setValue(Preferences::StartupAction, 9);       // does nothing
    Preferences::setValue(Preferences::AutoSaveInterval, 0);
    Preferences::setValue(Preferences::AutoVerifyDays, 5000);
    Preferences::setValue(Preferences::VerificationConcurrency, 500);
    Preferences::setValue(Preferences::VerificationPerHost, QStringLiteral("many"));
    const PreferencesForm form = PreferencesForm::current();
    QCOMPARE(form.verificationConcurrency, VerificationLimits::MaximumConcurrency);
    QCOMPARE(form.verificationPerHost, VerificationLimits::DefaultPerHost);
    QCOMPARE(form.emailEncoding, 1);
    QCOMPARE(form.fileExportEncoding, 1);
    QCOMPARE(form.startupAction, 0);
    QCOMPARE(form.autoSaveInterval, PreferencesForm::MinimumAutoSaveInterval);
    QCOMPARE(form.autoVerifyDays, PreferencesForm::MaximumAutoVerifyDays);

    // The newest encoding, UTF-8, is a value of its own and not taken for a stray one.
    Preferences::setValue(Preferences::FileExportEncoding, 3);
    QCOMPARE(PreferencesForm::current().fileExportEncoding, 3);
    PreferencesDialogController dialog;
    dialog.initializeFields(PreferencesForm::current());
    QCOMPARE(dialog.findChild<QComboBox *>(QStringLiteral("fileExportEncodingPopup"))->currentText(),
             QStringLiteral("Unicode (UTF-8)"));
}

void TestPreferences::dialogShowsAndReturnsTheValues()
{
    PreferencesDialogController dialog;
    PreferencesForm values;
    values.autoSaveDocuments = true;
    values.autoSaveInterval = 42;
    values.emailEncoding = 1;
    values.fileExportEncoding = 0;
    values.startupAction = 1;
    values.showNewSiteCreatedAssistant = false;
    values.verificationConcurrency = 32;
    values.verificationPerHost = 1;
    dialog.initializeFields(values);
    QCOMPARE(dialog.values(), values);

    // The run's limits are offered within their bounds.
    auto *concurrency = dialog.findChild<QSpinBox *>(QStringLiteral("verificationConcurrencyField"));
    auto *perHost = dialog.findChild<QSpinBox *>(QStringLiteral("verificationPerHostField"));
    concurrency->setValue(0);
    perHost->setValue(17);
    QCOMPARE(dialog.values().verificationConcurrency, VerificationLimits::MinimumConcurrency);
    QCOMPARE(dialog.values().verificationPerHost, VerificationLimits::MaximumPerHost);

    // The interval field follows the switch.
    auto *autoSave = dialog.findChild<QCheckBox *>(QStringLiteral("autoSaveDocumentsCheckbox"));
    auto *interval = dialog.findChild<QSpinBox *>(QStringLiteral("autoSaveIntervalField"));
    QVERIFY(interval->isEnabled());
    autoSave->setChecked(false);
    QVERIFY(!interval->isEnabled());
    interval->setValue(100000);
    QCOMPARE(dialog.values().autoSaveInterval, PreferencesForm::MaximumAutoSaveInterval);

    // Each pop-up lists its values in the order of the stored numbers.
    QCOMPARE(dialog.findChild<QComboBox *>(QStringLiteral("emailEncodingPopup"))->count(),
             PreferencesForm::EmailEncodingCount);
    QCOMPARE(dialog.findChild<QComboBox *>(QStringLiteral("fileExportEncodingPopup"))->count(),
             PreferencesForm::FileExportEncodingCount);
    QCOMPARE(dialog.findChild<QComboBox *>(QStringLiteral("startupActionPopup"))->count(),
             PreferencesForm::StartupActionCount);
}

void TestPreferences::confirmedPreferencesAreWrittenCancelledAreNot()
{
    QTimer::singleShot(0, this, [this] {
        PreferencesDialogController *dialog = m_application->preferencesDialog();
        QVERIFY(dialog->isVisible());
        QVERIFY(ApplicationController::isModalDialogRunning());
        dialog->findChild<QSpinBox *>(QStringLiteral("autoSaveIntervalField"))->setValue(30);
        dialog->reject();
    });
    m_application->doPreferences();
    QCOMPARE(Preferences::intValue(Preferences::AutoSaveInterval), 5);
    QVERIFY(!QSettings(m_settingsPath, QSettings::IniFormat).contains(QStringLiteral("AutoSaveInterval")));

    QTimer::singleShot(0, this, [this] {
        PreferencesDialogController *dialog = m_application->preferencesDialog();
        // Re-initialised from the store: the cancelled 30 is gone.
        QCOMPARE(dialog->values().autoSaveInterval, 5);
        dialog->findChild<QSpinBox *>(QStringLiteral("autoSaveIntervalField"))->setValue(10);
        dialog->findChild<QCheckBox *>(QStringLiteral("createBackupFilesCheckbox"))->setChecked(true);
        dialog->accept();
    });
    m_application->doPreferences();
    QCOMPARE(Preferences::intValue(Preferences::AutoSaveInterval), 10);
    QVERIFY(Preferences::boolValue(Preferences::CreateBackupFiles));
    QVERIFY(!ApplicationController::isModalDialogRunning());
}

void TestPreferences::closingTheWelcomeWindowStoresItsSwitch_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("tick");
    QTest::addColumn<bool>("closeBox");
    // Ticked only when the welcome window is the start-up action; closing it, by the close box or
    // Escape, keeps the switch: unticked, even the open panel becomes nothing.
    QTest::newRow("open panel, unticked, close box") << 1 << false << true;
    QTest::newRow("nothing, ticked, Escape") << 0 << true << false;
    QTest::newRow("welcome, left ticked, Escape") << 2 << true << false;
}

void TestPreferences::closingTheWelcomeWindowStoresItsSwitch()
{
    QFETCH(int, stored);
    QFETCH(bool, tick);
    QFETCH(bool, closeBox);
    Preferences::setValue(Preferences::StartupAction, stored);
    bool wasTicked = false;
    QTimer::singleShot(0, this, [&] {
        WelcomeDialogController *dialog = m_application->welcomeDialog();
        auto *box = dialog->findChild<QCheckBox *>(QStringLiteral("showAtStartupCheckbox"));
        wasTicked = box->isChecked();
        box->setChecked(tick);
        if (closeBox)
            dialog->close();
        else
            QTest::keyClick(dialog, Qt::Key_Escape);
    });
    m_application->showStartingPoints();
    QCOMPARE(wasTicked, stored == 2);
    QCOMPARE(m_application->welcomeDialog()->actionCode(), 0);
    QCOMPARE(Preferences::intValue(Preferences::StartupAction), tick ? 2 : 0);
}

void TestPreferences::welcomeActionCodes()
{
    WelcomeDialogController dialog;
    const QList<QPair<QString, int>> buttons{{QStringLiteral("newDocButton"), 1},
                                             {QStringLiteral("openDocButton"), 2}};
    for (const auto &[name, code] : buttons) {
        dialog.initializeFields();
        dialog.show();
        dialog.findChild<QPushButton *>(name)->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.actionCode(), code);
    }
    // The tutorial opens in the browser and leaves the window up.
    dialog.initializeFields();
    dialog.show();
    dialog.findChild<QPushButton *>(QStringLiteral("tutorialButton"))->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.actionCode(), 0);
    QVERIFY(!m_opener.urls().isEmpty());
    QVERIFY(m_opener.urls().last().isLocalFile());
    dialog.reject();
}

void TestPreferences::startupShowsWelcomeAfterTheSplash()
{
    DocumentController documents;
    bool welcomed = false;
    bool splashWasGone = false;
    // The welcome window comes up in its own modal run once the splash has faded out.
    QTimer *watch = new QTimer(this);
    connect(watch, &QTimer::timeout, this, [&] {
        WelcomeDialogController *dialog = m_application->welcomeDialog();
        if (!dialog->isVisible())
            return;
        welcomed = true;
        splashWasGone = !m_application->isLaunching();
        watch->stop();
        dialog->findChild<QCheckBox *>(QStringLiteral("showAtStartupCheckbox"))->setChecked(true);
        dialog->reject();
    });
    watch->start(20);
    QElapsedTimer clock;
    clock.start();
    m_application->finishLaunching({});
    QTRY_VERIFY_WITH_TIMEOUT(welcomed, 5000);
    QVERIFY(splashWasGone);
    QVERIFY(clock.elapsed() >= 670);
    QVERIFY(documents.documents().isEmpty());
    delete watch;
}

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
