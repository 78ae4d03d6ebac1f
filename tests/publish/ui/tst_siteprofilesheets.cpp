// The site profile sheet: what it does with the answers of the rules (tst_siteprofileform), what it
// keeps and hands back. The new-database assistant's wiring is played in the application's test.
#include "gui/MessageBox.h"
#include "model/Preferences.h"
#include "model/UrlOpener.h"
#include "publish/SiteProfileForm.h"
#include "publish/ui/SiteInfoDialogController.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace SiteProfileForm;

class TestSiteProfileSheets : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    RecordingUrlOpener m_opener;

    static void type(QWidget *field, const QString &text) { qobject_cast<QLineEdit *>(field)->setText(text); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        Preferences::useSettingsFile(m_dir.filePath(QStringLiteral("settings.ini")));
        MessageBox::setScripted(true);
        UrlOpener::setInstance(&m_opener);
    }
    void init() { MessageBox::clearShownAlerts(); }

    void sheetHandsBackTheCompletedProfileOrStaysOpen()
    {
        SiteProfileTexts texts;
        texts.title = QStringLiteral("Marsh Birds");
        texts.URL = QStringLiteral("http://marshbirds.example/");
        texts.contactEmail = QStringLiteral("ada@marshbirds.example");
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
        QCOMPARE(qobject_cast<QLineEdit *>(sheet.fieldWidget(Title))->selectedText(), texts.title);

        type(sheet.fieldWidget(MainPageURL), QStringLiteral("http://"));
        sheet.confirm();
        QVERIFY(finished.isEmpty() && sheet.isVisible());
        QCOMPARE(MessageBox::shownAlerts().last().title, QStringLiteral("Some required fields are missing."));

        // The Go buttons open the completed addresses; an empty one opens nothing.
        type(sheet.fieldWidget(MainPageURL), QStringLiteral("birds.example"));
        type(sheet.fieldWidget(LinksPageURL), QString());
        sheet.findChild<QPushButton *>(QStringLiteral("URLGoButton"))->click();
        sheet.findChild<QPushButton *>(QStringLiteral("linksPageURLGoButton"))->click();
        QCOMPARE(m_opener.urls(), QList<QUrl>({QUrl(QStringLiteral("http://birds.example"))}));

        type(sheet.fieldWidget(ContactLastName), QString(50, QLatin1Char('r')));
        MessageBox::setNextAnswer(1); // Trim
        sheet.confirm();
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("The Contact Last Name field contains too many characters."));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toInt(), 1);
        const SelfInfo confirmed = sheet.siteInfo();
        QCOMPARE(confirmed.URL(), QStringLiteral("http://birds.example"));
        QCOMPARE(confirmed.linksURL(), QStringLiteral("http://"));
        QCOMPARE(confirmed.contactLastName(), QString(49, QLatin1Char('r')));
        QCOMPARE(confirmed.contactEmail(), texts.contactEmail);
        QCOMPARE(confirmed.linksInCategoryNumber(), 7); // the rest of the profile is kept
        QVERIFY(!sheet.firstTimeMode());
    }
};

QTEST_MAIN(TestSiteProfileSheets)
#include "tst_siteprofilesheets.moc"
