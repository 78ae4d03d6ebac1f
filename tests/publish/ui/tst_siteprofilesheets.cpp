// The two windows that apply the site profile rules: the new-database assistant and the site
// profile sheet. The rules themselves are tested beside them (tst_siteprofileform); here, what each
// window does with a rule's answer: which step or field it shows, what it keeps and hands back.
#include "gui/MessageBox.h"
#include "model/Preferences.h"
#include "model/UrlOpener.h"
#include "publish/SiteProfileForm.h"
#include "publish/ui/NewSiteDialogController.h"
#include "publish/ui/SiteInfoDialogController.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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

    void assistantWalksItsStepsAndStaysOnAFailedOne()
    {
        NewSiteDialogController dialog;
        dialog.initializeFields();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.mainPageURL(), QStringLiteral("http://"));
        dialog.confirmStep();

        // A failed step shows the rule's alert and puts the cursor in the field.
        dialog.confirmStep();
        QCOMPARE(dialog.currentStep(), 2);
        QCOMPARE(MessageBox::shownAlerts().last().title, QStringLiteral("The title must be specified."));
        QCOMPARE(dialog.focusWidget(), dialog.fieldWidget(Title));
        // The trim question's answer is the message box's: Trim cuts the field and goes on.
        type(dialog.fieldWidget(Title), QString(100, QLatin1Char('t')));
        MessageBox::setNextAnswer(1);
        dialog.confirmStep();
        QCOMPARE(dialog.currentStep(), 3);
        QCOMPARE(dialog.title(), QString(99, QLatin1Char('t')));
        QCOMPARE(dialog.focusWidget(), dialog.fieldWidget(MainPageURL));

        // A doubtful address: Correct stays on it, Keep goes on with it completed in its field.
        type(dialog.fieldWidget(MainPageURL), QStringLiteral("not a url"));
        MessageBox::setNextAnswer(0);
        dialog.confirmStep();
        QCOMPARE(dialog.currentStep(), 3);
        QCOMPARE(MessageBox::shownAlerts().last().buttons,
                 QStringList({QStringLiteral("&Correct"), QStringLiteral("&Keep")}));
        MessageBox::setNextAnswer(1);
        dialog.confirmStep();
        QCOMPARE(dialog.currentStep(), 4);
        QCOMPARE(qobject_cast<QLineEdit *>(dialog.fieldWidget(MainPageURL))->text(),
                 QStringLiteral("http://not a url"));
        QCOMPARE(dialog.focusWidget(), dialog.fieldWidget(ContactFirstName));
        dialog.confirmStep();
        QCOMPARE(dialog.currentStep(), 5);
        dialog.findChild<QRadioButton *>(QStringLiteral("pagePerCategoryButton"))->setChecked(true);
        QVERIFY(!dialog.userConfirmed());
        dialog.confirmStep();
        QVERIFY(dialog.userConfirmed() && !dialog.isVisible());
        QVERIFY(!dialog.singlePageLayout());

        // Cancelled at a step it confirms nothing; each run starts afresh.
        dialog.initializeFields();
        QCOMPARE(dialog.currentStep(), 1);
        QVERIFY(dialog.title().isEmpty());
        dialog.show();
        dialog.confirmStep();
        dialog.cancel();
        QVERIFY(!dialog.userConfirmed() && !dialog.isVisible());
    }

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
