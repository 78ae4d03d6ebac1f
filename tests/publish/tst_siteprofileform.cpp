// The site profile rules the new-database assistant and the site profile sheet apply: required
// fields, lengths trimmed on request, addresses completed, doubtful addresses asked about.
#include "model/AddressTexts.h"
#include "publish/SiteProfileForm.h"

#include <QTest>

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

} // namespace

class TestSiteProfileForm : public QObject
{
    Q_OBJECT

private slots:
    void addressesAreCompletedOrRecognised_data();
    void addressesAreCompletedOrRecognised();
    void assistantStepChecksInOrder();
    void trimCutsAtTheLimitOrStops();
    void warningsComeOneAtATimeAfterTheLengths();
    void sheetChecksRequiredFieldsThenEveryLength();
    void globalSiteInfoKeys();
};

void TestSiteProfileForm::addressesAreCompletedOrRecognised_data()
{
    QTest::addColumn<QString>("web");
    QTest::addColumn<QString>("completed");
    QTest::addColumn<bool>("missing");
    QTest::addColumn<bool>("webLooksRight");
    QTest::addColumn<QString>("email");
    QTest::addColumn<bool>("emailLooksRight");
    QTest::newRow("not given") << QString() << "http://" << true << true << QString() << true;
    QTest::newRow("scheme alone") << "http://"
                                  << "http://" << true << true << QString() << true;
    QTest::newRow("usual") << "marsh.example:8080/a?b=c"
                           << "http://marsh.example:8080/a?b=c" << false << true
                           << "ada+links@mail.marsh.example" << true;
    QTest::newRow("other schemes kept") << "ftp://a.example"
                                        << "ftp://a.example" << false << true << "a@b.example" << true;
    QTest::newRow("spaces") << "not a url"
                            << "http://not a url" << false << false << "ada @marsh.example" << false;
    QTest::newRow("no host, no @") << "http:///links.html"
                                   << "http:///links.html" << false << false << "not-an-email" << false;
    QTest::newRow("port only, nothing before @")
        << "http://:80/"
        << "http://:80/" << false << false << "@marsh.example" << false;
    QTest::newRow("https alone, no domain") << "https://"
                                            << "https://" << false << false << "ada@" << false;
    QTest::newRow("one-word host and domain") << "http://localhost/"
                                              << "http://localhost/" << false << true << "ada@marsh" << false;
}

void TestSiteProfileForm::addressesAreCompletedOrRecognised()
{
    QFETCH(QString, web);
    QFETCH(QString, completed);
    QFETCH(bool, missing);
    QFETCH(bool, webLooksRight);
    QFETCH(QString, email);
    QFETCH(bool, emailLooksRight);
    QCOMPARE(completedURL(web), completed);
    QCOMPARE(isMissingURL(web), missing);
    QCOMPARE(looksLikeWebAddress(completed), webLooksRight);
    QCOMPARE(looksLikeEmailAddress(email), emailLooksRight);
}

void TestSiteProfileForm::assistantStepChecksInOrder()
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

void TestSiteProfileForm::trimCutsAtTheLimitOrStops()
{
    // Trimmed: the first 99 characters, never half of a surrogate pair, and the check goes on.
    TrimScript script;
    script.answers = {true};
    SiteProfileTexts texts = validTexts();
    texts.title = QStringLiteral("A") + QString(98, QLatin1Char('b')) + QStringLiteral("Z"); // 100
    QVERIFY(checkAssistantStep(2, texts, script.question()).passed);
    QCOMPARE(texts.title, QStringLiteral("A") + QString(98, QLatin1Char('b')));
    script.answers = {true};
    const QString bird = QString::fromUtf8("\xF0\x9F\x90\xA6"); // two UTF-16 units
    texts.title = QString(98, QLatin1Char('t')) + bird;         // unit 99 is a high surrogate
    QVERIFY(checkAssistantStep(2, texts, script.question()).passed);
    QCOMPARE(texts.title, QString(98, QLatin1Char('t')));

    // Declined: the check stops on that field with the text unchanged, asking nothing more.
    script.asked.clear();
    script.answers = {false};
    const QString longTitle(100, QLatin1Char('t'));
    texts.title = longTitle;
    texts.description = QString(500, QLatin1Char('d'));
    const CheckResult result = checkAssistantStep(2, texts, script.question());
    QVERIFY(!result.passed);
    QCOMPARE(result.field, Title);
    QCOMPARE(texts.title, longTitle);
    QCOMPARE(script.asked.size(), 1);
}

void TestSiteProfileForm::warningsComeOneAtATimeAfterTheLengths()
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
void TestSiteProfileForm::sheetChecksRequiredFieldsThenEveryLength()
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
void TestSiteProfileForm::globalSiteInfoKeys()
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

QTEST_GUILESS_MAIN(TestSiteProfileForm)
#include "tst_siteprofileform.moc"
