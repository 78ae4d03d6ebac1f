// The site profile rules and the two windows that apply them: the new-database assistant and the
// site profile sheet.
#include "app/ApplicationController.h"
#include "gui/MessageBox.h"
#include "model/AddressTexts.h"
#include "model/Preferences.h"
#include "model/UrlOpener.h"
#include "publish/SiteProfileForm.h"
#include "publish/ui/NewSiteCreatedDialogController.h"
#include "publish/ui/NewSiteDialogController.h"
#include "publish/ui/SiteInfoDialogController.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace SiteProfileForm;
using namespace AddressTexts;

namespace {

// Records the trim questions and answers them from a script.
struct TrimScript
{
    QList<bool> answers;
    QStringList asked;
    TrimQuestion question()
    {
        return [this](const QString &name, int max) {
            asked.append(QStringLiteral("%1/%2").arg(name).arg(max));
            return answers.isEmpty() ? false : answers.takeFirst();
        };
    }
};

SiteProfileTexts validTexts()
{
    SiteProfileTexts texts;
    texts.title = QStringLiteral("Marsh Birds");
    texts.URL = QStringLiteral("http://marshbirds.example/");
    texts.linksURL = QStringLiteral("http://marshbirds.example/links.html");
    return texts;
}

void type(QWidget *field, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(field))
        line->setText(text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(field))
        plain->setPlainText(text);
}

} // namespace

class TestSiteProfile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void addressCompletion();
    void assistantStepChecksInOrder();
    void trimCutsToTheLimitAndGoesOn();
    void declinedTrimStopsOnThatField();
    void trimNeverSplitsASurrogatePair();
    void mistypedAddressesAreRecognised_data();
    void mistypedAddressesAreRecognised();
    void warningsComeOneAtATimeAfterTheLengths();
    void sheetChecksRequiredFieldsThenEveryLength();
    void globalSiteInfoKeys();
    void trimQuestionTexts();

    void assistantWalksThroughFiveSteps();
    void assistantStaysOnAFailedStep();
    void assistantTrimsAndKeepsDeclinedText();
    void assistantResultsAfterReinitialising();
    void newSiteKeepsValuesForTheNextDocument();
    void newSiteCreatedMessageStoresItsSwitch();

    void sheetConfirmsCompletedProfile();
    void sheetRefusesMissingFieldsAndStaysOpen();
    void windowsWarnAndLetTheUserGoOnOrCorrect();
    void sheetGoButtonsOpenCompletedAddresses();

private:
    QTemporaryDir m_dir;
    RecordingUrlOpener m_opener;
    ApplicationController *m_application = nullptr;
};

void TestSiteProfile::initTestCase()
{
    QVERIFY(m_dir.isValid());
    MessageBox::setScripted(true);
    UrlOpener::setInstance(&m_opener);
}

void TestSiteProfile::init()
{
    static int run = 0;
    Preferences::useSettingsFile(m_dir.filePath(QStringLiteral("settings%1.ini").arg(++run)));
    MessageBox::clearShownAlerts();
    m_application = new ApplicationController;
}

void TestSiteProfile::cleanup()
{
    delete m_application;
    m_application = nullptr;
}

void TestSiteProfile::addressCompletion()
{
    QCOMPARE(completedURL(QStringLiteral("marshbirds.example")), QStringLiteral("http://marshbirds.example"));
    QCOMPARE(completedURL(QStringLiteral("https://a.example")), QStringLiteral("https://a.example"));
    QCOMPARE(completedURL(QStringLiteral("ftp://a.example")), QStringLiteral("ftp://a.example"));
    QCOMPARE(completedURL(QStringLiteral("http://")), QStringLiteral("http://"));
    QCOMPARE(completedURL(QString()), QStringLiteral("http://"));
    QVERIFY(isMissingURL(QString()));
    QVERIFY(isMissingURL(QStringLiteral("http://")));
    QVERIFY(!isMissingURL(QStringLiteral("http://a")));
    QVERIFY(!isMissingURL(QStringLiteral("https://")));
}

void TestSiteProfile::assistantStepChecksInOrder()
{
    TrimScript script;
    SiteProfileTexts texts;
    texts.URL = texts.linksURL = QStringLiteral("http://");

    // Steps 1 and 5 have nothing to check.
    QVERIFY(checkAssistantStep(1, texts, script.question()).passed);
    QVERIFY(checkAssistantStep(5, texts, script.question()).passed);

    // Step 2: the title first, before any length.
    texts.description = QString(500, QLatin1Char('d'));
    CheckResult result = checkAssistantStep(2, texts, script.question());
    QVERIFY(!result.passed);
    QCOMPARE(result.field, Title);
    QCOMPARE(result.title, QStringLiteral("The title must be specified."));
    QCOMPARE(result.message, QStringLiteral("Enter your web site's title in the Title field."));
    QVERIFY(script.asked.isEmpty());

    // Then title, description and keywords lengths, one question at a time.
    texts.title = QString(100, QLatin1Char('t'));
    texts.keywords = QString(250, QLatin1Char('k'));
    script.answers = {true, true, false};
    result = checkAssistantStep(2, texts, script.question());
    QCOMPARE(script.asked, QStringList({QStringLiteral("Title/99"), QStringLiteral("Description/399"),
                                        QStringLiteral("Keywords/249")}));
    QVERIFY(!result.passed);
    QCOMPARE(result.field, Keywords);
    QVERIFY(result.title.isEmpty()); // the question was the alert

    // Step 3: the main page is required ("http://" alone counts as empty); nothing is completed then.
    script.asked.clear();
    texts.linksURL = QStringLiteral("example.org/links");
    result = checkAssistantStep(3, texts, script.question());
    QVERIFY(!result.passed);
    QCOMPARE(result.field, MainPageURL);
    QCOMPARE(result.title, QStringLiteral("The address of the main page must be specified."));
    QCOMPARE(result.message, QStringLiteral("Enter your web site's URL in the Main Page URL field."));
    QCOMPARE(texts.linksURL, QStringLiteral("example.org/links"));

    // Given: both addresses completed, then their lengths in order.
    texts.URL = QStringLiteral("example.org");
    QVERIFY(checkAssistantStep(3, texts, script.question()).passed);
    QCOMPARE(texts.URL, QStringLiteral("http://example.org"));
    QCOMPARE(texts.linksURL, QStringLiteral("http://example.org/links"));
    texts.URL = QStringLiteral("http://") + QString(243, QLatin1Char('u')); // 250 with the scheme
    texts.linksURL = QStringLiteral("http://") + QString(243, QLatin1Char('l'));
    script.answers = {true, false};
    result = checkAssistantStep(3, texts, script.question());
    QCOMPARE(script.asked,
             QStringList({QStringLiteral("Main Page URL/249"), QStringLiteral("Links Page URL/249")}));
    QCOMPARE(result.field, LinksPageURL);
    QCOMPARE(texts.URL.size(), 249);

    // Step 4: the three contact fields.
    script.asked.clear();
    texts.contactFirstName = QString(50, QLatin1Char('f'));
    texts.contactLastName = QString(50, QLatin1Char('l'));
    texts.contactEmail = QString(100, QLatin1Char('e'));
    script.answers = {true, true, true};
    QVERIFY(checkAssistantStep(4, texts, script.question()).passed);
    QCOMPARE(script.asked,
             QStringList({QStringLiteral("Contact First Name/49"), QStringLiteral("Contact Last Name/49"),
                          QStringLiteral("Contact E-mail/99")}));
    QCOMPARE(texts.contactEmail.size(), 99);

    // Where the cursor goes on each step.
    QCOMPARE(focusFieldOfStep(1), std::nullopt);
    QCOMPARE(focusFieldOfStep(2), std::optional<Field>(Title));
    QCOMPARE(focusFieldOfStep(3), std::optional<Field>(MainPageURL));
    QCOMPARE(focusFieldOfStep(4), std::optional<Field>(ContactFirstName));
    QCOMPARE(focusFieldOfStep(5), std::nullopt);
}

void TestSiteProfile::trimCutsToTheLimitAndGoesOn()
{
    TrimScript script;
    script.answers = {true};
    SiteProfileTexts texts = validTexts();
    texts.title = QStringLiteral("A") + QString(98, QLatin1Char('b')) + QStringLiteral("Z"); // 100
    QVERIFY(checkAssistantStep(2, texts, script.question()).passed);
    QCOMPARE(texts.title.size(), 99);
    QVERIFY(texts.title.startsWith(QLatin1Char('A')));
    QVERIFY(!texts.title.endsWith(QLatin1Char('Z')));
}

void TestSiteProfile::declinedTrimStopsOnThatField()
{
    TrimScript script;
    script.answers = {false};
    SiteProfileTexts texts = validTexts();
    const QString longTitle(100, QLatin1Char('t'));
    texts.title = longTitle;
    const CheckResult result = checkAssistantStep(2, texts, script.question());
    QVERIFY(!result.passed);
    QCOMPARE(result.field, Title);
    QCOMPARE(texts.title, longTitle);
    QCOMPARE(script.asked.size(), 1); // the description is not looked at after a refusal
}

void TestSiteProfile::trimNeverSplitsASurrogatePair()
{
    TrimScript script;
    script.answers = {true};
    SiteProfileTexts texts = validTexts();
    const QString bird = QString::fromUtf8("\xF0\x9F\x90\xA6"); // two UTF-16 units
    texts.title = QString(98, QLatin1Char('t')) + bird;         // 100 units; unit 99 is a high surrogate
    QVERIFY(checkAssistantStep(2, texts, script.question()).passed);
    QCOMPARE(texts.title, QString(98, QLatin1Char('t')));
}

void TestSiteProfile::mistypedAddressesAreRecognised_data()
{
    QTest::addColumn<QString>("web");
    QTest::addColumn<bool>("webLooksRight");
    QTest::addColumn<QString>("email");
    QTest::addColumn<bool>("emailLooksRight");
    QTest::newRow("not given") << QStringLiteral("http://") << true << QString() << true;
    QTest::newRow("usual") << QStringLiteral("marsh.example:8080/a?b=c") << true
                           << QStringLiteral("ada+links@mail.marsh.example") << true;
    QTest::newRow("spaces") << QStringLiteral("not a url") << false << QStringLiteral("ada @marsh.example")
                            << false;
    QTest::newRow("no host, no @") << QStringLiteral("http:///links.html") << false
                                   << QStringLiteral("not-an-email") << false;
    QTest::newRow("port only, nothing before @")
        << QStringLiteral("http://:80/") << false << QStringLiteral("@marsh.example") << false;
    QTest::newRow("scheme only, no domain")
        << QStringLiteral("https://") << false << QStringLiteral("ada@") << false;
    QTest::newRow("one-word host and domain")
        << QStringLiteral("http://localhost/") << true << QStringLiteral("ada@marsh") << false;
}

void TestSiteProfile::mistypedAddressesAreRecognised()
{
    QFETCH(QString, web);
    QFETCH(bool, webLooksRight);
    QFETCH(QString, email);
    QFETCH(bool, emailLooksRight);
    QCOMPARE(looksLikeWebAddress(web), webLooksRight);
    QCOMPARE(looksLikeEmailAddress(email), emailLooksRight);
}

void TestSiteProfile::warningsComeOneAtATimeAfterTheLengths()
{
    TrimScript trim;
    QStringList asked;
    QList<bool> keep;
    const KeepQuestion askKeep = [&](const QString &title, const QString &) {
        asked.append(title);
        return keep.isEmpty() ? false : keep.takeFirst();
    };
    // The main page kept, the links page to be corrected: the check stops there (the alert was
    // shown), and another step's field is not asked about.
    SiteProfileTexts texts = validTexts();
    texts.URL = QStringLiteral("not a url");
    texts.linksURL = QStringLiteral("http:///links.html");
    texts.contactEmail = QStringLiteral("not-an-email");
    keep = {true, false};
    const CheckResult result = checkAssistantStep(3, texts, trim.question(), askKeep);
    QVERIFY(!result.passed && result.title.isEmpty());
    QCOMPARE(result.field, LinksPageURL);
    QCOMPARE(asked,
             QStringList({QStringLiteral("The Main Page URL field does not look like a web address."),
                          QStringLiteral("The Links Page URL field does not look like a web address.")}));
    // A length question that stops comes first; then the sheet goes on when the value is kept.
    texts.linksURL = QString(260, QLatin1Char('l'));
    QCOMPARE(checkAssistantStep(3, texts, trim.question(), askKeep).field, LinksPageURL);
    QCOMPARE(asked.size(), 2);
    texts = validTexts();
    texts.contactEmail = QStringLiteral("ada@marsh");
    keep = {true};
    QVERIFY(checkSiteInfo(texts, trim.question(), askKeep).passed);
    QCOMPARE(asked.last(), QStringLiteral("The Contact E-mail field does not look like an e-mail address."));
}

void TestSiteProfile::sheetChecksRequiredFieldsThenEveryLength()
{
    TrimScript script;
    SiteProfileTexts texts = validTexts();
    texts.title.clear();
    CheckResult result = checkSiteInfo(texts, script.question());
    QCOMPARE(result.field, Title);
    QCOMPARE(result.title, QStringLiteral("Some required fields are missing."));
    QCOMPARE(result.message,
             QStringLiteral(
                 "All required fields must be specified. Required fields are marked with an asterisk."));

    texts = validTexts();
    texts.URL = QStringLiteral("http://");
    result = checkSiteInfo(texts, script.question());
    QCOMPARE(result.field, MainPageURL);
    QCOMPARE(result.title, QStringLiteral("Some required fields are missing."));

    // Every field too long: eight questions in field order, all trimmed.
    texts.title = QString(120, QLatin1Char('a'));
    texts.description = QString(420, QLatin1Char('b'));
    texts.keywords = QString(260, QLatin1Char('c'));
    texts.URL = QString(260, QLatin1Char('d'));     // completed with http:// first
    texts.linksURL = QString(10, QLatin1Char('e')); // short: not asked
    texts.contactFirstName = QString(60, QLatin1Char('f'));
    texts.contactLastName = QString(60, QLatin1Char('g'));
    texts.contactEmail = QString(120, QLatin1Char('h'));
    script.answers = QList<bool>(8, true);
    QVERIFY(checkSiteInfo(texts, script.question()).passed);
    QCOMPARE(script.asked,
             QStringList({QStringLiteral("Title/99"), QStringLiteral("Description/399"),
                          QStringLiteral("Keywords/249"), QStringLiteral("Main Page URL/249"),
                          QStringLiteral("Contact First Name/49"), QStringLiteral("Contact Last Name/49"),
                          QStringLiteral("Contact E-mail/99")}));
    QVERIFY(texts.URL.startsWith(QLatin1String("http://ddd")));
    QCOMPARE(texts.URL.size(), 249);
    QCOMPARE(texts.linksURL, QStringLiteral("http://eeeeeeeeee"));
}

void TestSiteProfile::globalSiteInfoKeys()
{
    SiteProfileTexts texts = validTexts();
    texts.URL = QStringLiteral("marshbirds.example");
    texts.linksURL = QStringLiteral("http://");
    texts.description = QStringLiteral("Two\nlines");
    texts.keywords = QStringLiteral("herons,\treeds\r\nbitterns");
    texts.contactFirstName = QStringLiteral("Ada");
    texts.contactLastName = QStringLiteral("Reed");
    texts.contactEmail = QStringLiteral("ada@marshbirds.example");
    const QVariantMap values = globalSiteInfo(texts, false);
    QCOMPARE(values.size(), 9);
    QCOMPARE(values.value(QStringLiteral("Title")).toString(), QStringLiteral("Marsh Birds"));
    QCOMPARE(values.value(QStringLiteral("Description")).toString(), QStringLiteral("Two\nlines"));
    QCOMPARE(values.value(QStringLiteral("Keywords")).toString(), QStringLiteral("herons, reeds  bitterns"));
    QCOMPARE(values.value(QStringLiteral("MainPageURL")).toString(),
             QStringLiteral("http://marshbirds.example"));
    QCOMPARE(values.value(QStringLiteral("LinksPageURL")).toString(), QStringLiteral("http://"));
    QCOMPARE(values.value(QStringLiteral("ContactFirstName")).toString(), QStringLiteral("Ada"));
    QCOMPARE(values.value(QStringLiteral("ContactLastName")).toString(), QStringLiteral("Reed"));
    QCOMPARE(values.value(QStringLiteral("ContactEmail")).toString(),
             QStringLiteral("ada@marshbirds.example"));
    QCOMPARE(values.value(QStringLiteral("PageLayout")).typeId(), QMetaType::Bool);
    QCOMPARE(values.value(QStringLiteral("PageLayout")).toBool(), false);
    QCOMPARE(textsFromGlobalSiteInfo(values).URL, QStringLiteral("http://marshbirds.example"));
    QCOMPARE(textsFromGlobalSiteInfo(values).keywords, QStringLiteral("herons, reeds  bitterns"));
}

void TestSiteProfile::trimQuestionTexts()
{
    MessageBox::setNextAnswer(1);
    QVERIFY(MessageBox::askTrim(nullptr, QStringLiteral("Title"), 99));
    MessageBox::setNextAnswer(0);
    QVERIFY(!MessageBox::askTrim(nullptr, QStringLiteral("Title"), 99));
    const MessageBox::Shown &shown = MessageBox::shownAlerts().last();
    QCOMPARE(shown.title, QStringLiteral("The Title field contains too many characters."));
    QCOMPARE(shown.message, QStringLiteral("This field can only contain up to 99 characters."));
    QCOMPARE(shown.buttons, QStringList({QStringLiteral("OK"), QStringLiteral("Trim")}));
}

void TestSiteProfile::assistantWalksThroughFiveSteps()
{
    NewSiteDialogController dialog;
    dialog.initializeFields();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.currentStep(), 1);
    QCOMPARE(dialog.mainPageURL(), QStringLiteral("http://"));
    QCOMPARE(dialog.linksPageURL(), QStringLiteral("http://"));
    QVERIFY(dialog.singlePageLayout());

    dialog.confirmStep();
    QCOMPARE(dialog.currentStep(), 2);
    QCOMPARE(dialog.focusWidget(), dialog.fieldWidget(Title));
    type(dialog.fieldWidget(Title), QStringLiteral("Marsh Birds"));
    type(dialog.fieldWidget(Keywords), QStringLiteral("herons\treeds"));
    dialog.confirmStep();
    QCOMPARE(dialog.currentStep(), 3);
    QCOMPARE(dialog.focusWidget(), dialog.fieldWidget(MainPageURL));
    type(dialog.fieldWidget(MainPageURL), QStringLiteral("marshbirds.example"));
    type(dialog.fieldWidget(LinksPageURL), QStringLiteral("marshbirds.example/links.html"));
    dialog.confirmStep();
    QCOMPARE(dialog.currentStep(), 4);
    // The completed addresses are written back into their fields.
    QCOMPARE(qobject_cast<QLineEdit *>(dialog.fieldWidget(MainPageURL))->text(),
             QStringLiteral("http://marshbirds.example"));
    QCOMPARE(dialog.focusWidget(), dialog.fieldWidget(ContactFirstName));

    // Back moves focus as each step expects.
    dialog.previousStep();
    QCOMPARE(dialog.currentStep(), 3);
    QCOMPARE(dialog.focusWidget(), dialog.fieldWidget(MainPageURL));
    dialog.previousStep();
    QCOMPARE(dialog.focusWidget(), dialog.fieldWidget(Title));
    dialog.confirmStep();
    dialog.confirmStep();
    dialog.confirmStep();
    QCOMPARE(dialog.currentStep(), 5);
    dialog.findChild<QRadioButton *>(QStringLiteral("pagePerCategoryButton"))->setChecked(true);
    QVERIFY(!dialog.userConfirmed());
    dialog.confirmStep();
    QVERIFY(dialog.userConfirmed());
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.singlePageLayout());
    QCOMPARE(dialog.keywords(), QStringLiteral("herons\treeds"));
    QVERIFY(MessageBox::shownAlerts().isEmpty());
}

void TestSiteProfile::assistantStaysOnAFailedStep()
{
    NewSiteDialogController dialog;
    dialog.initializeFields();
    dialog.show();
    dialog.confirmStep();
    dialog.confirmStep(); // no title
    QCOMPARE(dialog.currentStep(), 2);
    QCOMPARE(MessageBox::shownAlerts().size(), 1);
    QCOMPARE(MessageBox::shownAlerts().last().title, QStringLiteral("The title must be specified."));
    QCOMPARE(dialog.focusWidget(), dialog.fieldWidget(Title));

    type(dialog.fieldWidget(Title), QStringLiteral("Marsh Birds"));
    dialog.confirmStep();
    dialog.confirmStep(); // main page left at "http://"
    QCOMPARE(dialog.currentStep(), 3);
    QCOMPARE(MessageBox::shownAlerts().last().title,
             QStringLiteral("The address of the main page must be specified."));

    // Cancelling at any step confirms nothing.
    dialog.cancel();
    QVERIFY(!dialog.userConfirmed());
    QVERIFY(!dialog.isVisible());
}

void TestSiteProfile::assistantTrimsAndKeepsDeclinedText()
{
    NewSiteDialogController dialog;
    dialog.initializeFields();
    dialog.show();
    dialog.confirmStep();
    const QString longTitle(100, QLatin1Char('t'));
    type(dialog.fieldWidget(Title), longTitle);

    MessageBox::setNextAnswer(0); // "OK": back to the field, text unchanged
    dialog.confirmStep();
    QCOMPARE(dialog.currentStep(), 2);
    QCOMPARE(dialog.title(), longTitle);
    QCOMPARE(dialog.focusWidget(), dialog.fieldWidget(Title));

    MessageBox::setNextAnswer(1); // "Trim"
    dialog.confirmStep();
    QCOMPARE(dialog.currentStep(), 3);
    QCOMPARE(dialog.title(), QString(99, QLatin1Char('t')));
}

void TestSiteProfile::assistantResultsAfterReinitialising()
{
    NewSiteDialogController dialog;
    dialog.initializeFields();
    dialog.show();
    dialog.confirmStep();
    type(dialog.fieldWidget(Title), QStringLiteral("Old"));
    dialog.confirmStep();
    dialog.cancel();
    dialog.initializeFields();
    QCOMPARE(dialog.currentStep(), 1);
    QVERIFY(dialog.title().isEmpty());
    QCOMPARE(dialog.mainPageURL(), QStringLiteral("http://"));
}

void TestSiteProfile::newSiteKeepsValuesForTheNextDocument()
{
    Preferences::setValue(Preferences::ShowNewSiteCreatedMessage, false);
    // First run: confirmed with values; second run: cancelled, the values stay.
    QTimer::singleShot(0, this, [this] {
        NewSiteDialogController *dialog = m_application->newSiteDialog();
        dialog->confirmStep();
        type(dialog->fieldWidget(Title), QStringLiteral("Marsh Birds"));
        dialog->confirmStep();
        type(dialog->fieldWidget(MainPageURL), QStringLiteral("marshbirds.example"));
        dialog->confirmStep();
        dialog->confirmStep();
        dialog->confirmStep();
    });
    m_application->newSite();
    QCOMPARE(m_application->globalSiteInfo().value(QStringLiteral("Title")).toString(),
             QStringLiteral("Marsh Birds"));
    QCOMPARE(m_application->globalSiteInfo().value(QStringLiteral("MainPageURL")).toString(),
             QStringLiteral("http://marshbirds.example"));
    QCOMPARE(m_application->globalSiteInfo().value(QStringLiteral("PageLayout")).toBool(), true);

    QTimer::singleShot(0, this, [this] {
        NewSiteDialogController *dialog = m_application->newSiteDialog();
        QCOMPARE(dialog->currentStep(), 1);
        QVERIFY(dialog->title().isEmpty()); // each run starts afresh
        dialog->confirmStep();
        type(dialog->fieldWidget(Title), QStringLiteral("Other"));
        dialog->cancel();
    });
    m_application->newSite();
    QCOMPARE(m_application->globalSiteInfo().value(QStringLiteral("Title")).toString(),
             QStringLiteral("Marsh Birds"));
}

void TestSiteProfile::newSiteCreatedMessageStoresItsSwitch()
{
    QVERIFY(Preferences::boolValue(Preferences::ShowNewSiteCreatedMessage));
    int shown = 0;
    QTimer::singleShot(0, this, [this, &shown] {
        NewSiteCreatedDialogController *dialog = m_application->newSiteCreatedDialog();
        ++shown;
        QVERIFY(dialog->showNextTime());
        // Asked again while it is up: not shown twice.
        m_application->showNewSiteCreated();
        dialog->setShowNextTime(false);
        dialog->reject(); // closing stores the switch like confirming
    });
    m_application->showNewSiteCreated();
    QCOMPARE(shown, 1);
    QVERIFY(!Preferences::boolValue(Preferences::ShowNewSiteCreatedMessage));

    // Switched off: the message no longer comes up (the test would hang in a modal run otherwise).
    m_application->showNewSiteCreated();
    QVERIFY(!m_application->newSiteCreatedDialog()->isVisible());
}

void TestSiteProfile::sheetConfirmsCompletedProfile()
{
    QWidget window;
    SiteInfoDialogController sheet(&window);
    SelfInfo profile;
    SiteProfileTexts texts = validTexts();
    texts.contactEmail = QStringLiteral("ada@marshbirds.example");
    profile.setTitle(texts);
    NotificationSettings settings;
    settings.linksInCategoryNumber = 7;
    profile.setNotifyNegotiationNotStarted(settings);
    sheet.initializeFields(profile);
    QSignalSpy finished(&sheet, &QDialog::finished);
    window.show();
    sheet.open();
    QCOMPARE(sheet.windowModality(), Qt::WindowModal);
    QCOMPARE(qobject_cast<QLineEdit *>(sheet.fieldWidget(Title))->selectedText(),
             QStringLiteral("Marsh Birds"));

    type(sheet.fieldWidget(MainPageURL), QStringLiteral("birds.example"));
    type(sheet.fieldWidget(LinksPageURL), QString());
    sheet.confirm();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toInt(), 1);
    const SelfInfo confirmed = sheet.siteInfo();
    QCOMPARE(confirmed.URL(), QStringLiteral("http://birds.example"));
    QCOMPARE(confirmed.linksURL(), QStringLiteral("http://"));
    QCOMPARE(confirmed.contactEmail(), QStringLiteral("ada@marshbirds.example"));
    QCOMPARE(confirmed.linksInCategoryNumber(), 7); // the rest of the profile is kept
}

void TestSiteProfile::sheetRefusesMissingFieldsAndStaysOpen()
{
    QWidget window;
    SiteInfoDialogController sheet(&window);
    SelfInfo profile;
    profile.setTitle(validTexts());
    sheet.initializeFields(profile);
    sheet.setFirstTimeMode();
    QVERIFY(sheet.firstTimeMode());
    QSignalSpy finished(&sheet, &QDialog::finished);
    window.show();
    sheet.open();

    type(sheet.fieldWidget(MainPageURL), QStringLiteral("http://"));
    sheet.confirm();
    QCOMPARE(finished.size(), 0);
    QVERIFY(sheet.isVisible());
    QCOMPARE(MessageBox::shownAlerts().last().title, QStringLiteral("Some required fields are missing."));

    type(sheet.fieldWidget(MainPageURL), QStringLiteral("http://birds.example"));
    type(sheet.fieldWidget(ContactLastName), QString(50, QLatin1Char('r')));
    MessageBox::setNextAnswer(0);
    sheet.confirm();
    QCOMPARE(finished.size(), 0);
    QCOMPARE(MessageBox::shownAlerts().last().title,
             QStringLiteral("The Contact Last Name field contains too many characters."));

    MessageBox::setNextAnswer(1);
    sheet.confirm();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(sheet.siteInfo().contactLastName(), QString(49, QLatin1Char('r')));
    QVERIFY(!sheet.firstTimeMode());
}

void TestSiteProfile::windowsWarnAndLetTheUserGoOnOrCorrect()
{
    NewSiteDialogController dialog;
    dialog.initializeFields();
    dialog.show();
    dialog.confirmStep();
    type(dialog.fieldWidget(Title), QStringLiteral("Marsh Birds"));
    dialog.confirmStep();
    type(dialog.fieldWidget(MainPageURL), QStringLiteral("not a url"));
    MessageBox::setNextAnswer(0); // Correct
    dialog.confirmStep();
    QCOMPARE(dialog.currentStep(), 3);
    QCOMPARE(dialog.focusWidget(), dialog.fieldWidget(MainPageURL));
    QCOMPARE(MessageBox::shownAlerts().last().buttons,
             QStringList({QStringLiteral("&Correct"), QStringLiteral("&Keep")}));
    MessageBox::setNextAnswer(1); // Keep
    dialog.confirmStep();
    QCOMPARE(dialog.currentStep(), 4);
    QCOMPARE(dialog.mainPageURL(), QStringLiteral("http://not a url"));
}

void TestSiteProfile::sheetGoButtonsOpenCompletedAddresses()
{
    QWidget window;
    SiteInfoDialogController sheet(&window);
    SelfInfo profile;
    SiteProfileTexts texts = validTexts();
    texts.URL = QStringLiteral("birds.example");
    texts.linksURL = QStringLiteral("http://");
    profile.setTitle(texts);
    sheet.initializeFields(profile);
    const qsizetype before = m_opener.urls().size();
    sheet.findChild<QPushButton *>(QStringLiteral("URLGoButton"))->click();
    sheet.findChild<QPushButton *>(QStringLiteral("linksPageURLGoButton"))->click();
    QCOMPARE(m_opener.urls().size(), before + 1); // an empty links page address opens nothing
    QCOMPARE(m_opener.urls().last(), QUrl(QStringLiteral("http://birds.example")));
}

QTEST_MAIN(TestSiteProfile)
#include "tst_siteprofile.moc"
