// The preferences as one set: the defaults, the keys the rest of the program reads, and stored
// values outside what the dialog offers brought back into range.
#include "model/Preferences.h"
#include "workflow/PreferencesForm.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestPreferencesForm : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void init()
    {
        static int run = 0;
        m_path = m_dir.filePath(QStringLiteral("settings%1.ini").arg(++run));
        Preferences::useSettingsFile(m_path);
    }

    void defaultsAndStoredKeys()
    {
        QCOMPARE(PreferencesForm::current(), PreferencesForm());
        QCOMPARE(PreferencesForm().startupAction, 2);
        QCOMPARE(PreferencesForm().fileExportEncoding, 3); // UTF-8 for a user who never chose

        const PreferencesForm changed{.autoSaveDocuments = true,
                                      .autoSaveInterval = 10,
                                      .createBackupFiles = true,
                                      .emailEncoding = 1,
                                      .fileExportEncoding = 2,
                                      .startupAction = 0,
                                      .showNewSiteCreatedAssistant = false,
                                      .autoVerifyDays = 30,
                                      .verificationConcurrency = 16,
                                      .verificationPerHost = 2,
                                      .confirmLossDelay = 0,
                                      .unreachableAlertDays = 14,
                                      .robotsUserAgent = QStringLiteral("Bingbot"),
                                      .movedSearchPages = 0,
                                      .crowdedPageLinks = 250};
        changed.write();
        QCOMPARE(PreferencesForm::current(), changed);
        QSettings file(m_path, QSettings::IniFormat);
        const QList<QPair<const char *, const char *>> stored{
            {"AutoSaveDocuments", "true"},     {"AutoSaveInterval", "10"},
            {"CreateBackupFiles", "true"},     {"EmailEncoding", "1"},
            {"FileExportEncoding", "2"},       {"StartupAction", "0"},
            {"AutoVerifyDays", "30"},          {"ShowNewSiteCreatedMessage", "false"},
            {"VerificationConcurrency", "16"}, {"VerificationPerHost", "2"},
            {"ConfirmLossDelay", "0"},         {"UnreachableAlertDays", "14"},
            {"RobotsUserAgent", "Bingbot"},    {"MovedSearchPages", "0"},
            {"CrowdedPageLinks", "250"}};
        for (const auto &[key, value] : stored)
            QVERIFY2(file.value(QLatin1String(key)).toString() == QLatin1String(value), key);
        QCOMPARE(file.allKeys().size(), stored.size());

        QCOMPARE(PreferencesForm::startupActionForWelcomeWindow(true), 2);
        QCOMPARE(PreferencesForm::startupActionForWelcomeWindow(false), 0);
    }

    // An unknown encoding is Mac OS Roman (1), an unknown start-up action reopens the last database.
    void strayValuesAreBroughtIntoRange()
    {
        const QList<std::tuple<QString, QVariant, int>> cases{
            {Preferences::EmailEncoding, 5, 1},
            {Preferences::FileExportEncoding, -3, 1},
            {Preferences::FileExportEncoding, 4, 1},
            {Preferences::FileExportEncoding, 3, 3}, // UTF-8 is no stray value
            {Preferences::StartupAction, 9, 0},
            {Preferences::StartupAction, 1, 1},
            {Preferences::AutoSaveInterval, 0, PreferencesForm::MinimumAutoSaveInterval},
            {Preferences::AutoSaveInterval, 5000, PreferencesForm::MaximumAutoSaveInterval},
            {Preferences::AutoVerifyDays, 5000, PreferencesForm::MaximumAutoVerifyDays},
            {Preferences::AutoVerifyDays, -1, 0},
            {Preferences::VerificationConcurrency, 500, VerificationLimits::MaximumConcurrency},
            {Preferences::VerificationPerHost, QStringLiteral("many"), VerificationLimits::DefaultPerHost},
            {Preferences::ConfirmLossDelay, 601, CheckSettings::MaximumConfirmDelaySeconds},
            {Preferences::UnreachableAlertDays, 0, CheckSettings::MinimumUnreachableAlertDays},
            {Preferences::MovedSearchPages, -5, 0},
            {Preferences::CrowdedPageLinks, 0, CheckSettings::MinimumCrowdedPageLinks}};
        for (const auto &[key, stored, read] : cases) {
            Preferences::setValue(key, stored);
            const PreferencesForm form = PreferencesForm::current();
            const QMap<QString, int> fields{
                {Preferences::EmailEncoding, form.emailEncoding},
                {Preferences::FileExportEncoding, form.fileExportEncoding},
                {Preferences::StartupAction, form.startupAction},
                {Preferences::AutoSaveInterval, form.autoSaveInterval},
                {Preferences::AutoVerifyDays, form.autoVerifyDays},
                {Preferences::VerificationConcurrency, form.verificationConcurrency},
                {Preferences::VerificationPerHost, form.verificationPerHost},
                {Preferences::ConfirmLossDelay, form.confirmLossDelay},
                {Preferences::UnreachableAlertDays, form.unreachableAlertDays},
                {Preferences::MovedSearchPages, form.movedSearchPages},
                {Preferences::CrowdedPageLinks, form.crowdedPageLinks}};
            QVERIFY2(fields.value(key) == read, qPrintable(key + QLatin1Char('=') + stored.toString()));
        }
    }
};

QTEST_GUILESS_MAIN(TestPreferencesForm)
#include "tst_preferencesform.moc"
