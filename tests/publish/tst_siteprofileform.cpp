// The site profile rules the new-database assistant and the site profile sheet apply: required
// fields, lengths trimmed on request, addresses completed, doubtful addresses asked about.
#include "model/AddressTexts.h"
#include "publish/SiteProfileForm.h"

#include <QTest>

using namespace SiteProfileForm;
using namespace AddressTexts;

namespace {

const QList<Field> AllFields{Title,        Description,      Keywords,        MainPageURL,
                             LinksPageURL, ContactFirstName, ContactLastName, ContactEmail};

// Records the trim questions and answers them from a script (no answer left: declined).
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

// Step 0 is the site profile sheet's confirmation.
CheckResult check(int step, SiteProfileTexts &texts, TrimScript &trim, const KeepQuestion &keep = {})
{
    return step == 0 ? checkSiteInfo(texts, trim.question(), keep)
                     : checkAssistantStep(step, texts, trim.question(), keep);
}

} // namespace

class TestSiteProfileForm : public QObject
{
    Q_OBJECT

private slots:
    void addressesAreCompletedOrRecognised()
    {
        struct Row
        {
            const char *web, *completed;
            bool missing, webLooksRight;
            const char *email;
            bool emailLooksRight;
        };
        const Row rows[] = {
            {"", "http://", true, true, "", true},
            {"http://", "http://", true, true, "", true},
            {"marsh.example:8080/a?b=c", "http://marsh.example:8080/a?b=c", false, true,
             "ada+links@mail.marsh.example", true},
            {"ftp://a.example", "ftp://a.example", false, true, "a@b.example", true}, // other schemes kept
            {"not a url", "http://not a url", false, false, "ada @marsh.example", false},
            {"http:///links.html", "http:///links.html", false, false, "not-an-email", false},
            {"http://:80/", "http://:80/", false, false, "@marsh.example", false},
            {"https://", "https://", false, false, "ada@", false},
            {"http://localhost/", "http://localhost/", false, true, "ada@marsh", false},
        };
        for (const Row &row : rows) {
            const QString web = QString::fromUtf8(row.web);
            QCOMPARE(completedURL(web), QString::fromUtf8(row.completed));
            QCOMPARE(isMissingURL(web), row.missing);
            QCOMPARE(looksLikeWebAddress(completedURL(web)), row.webLooksRight);
            QCOMPARE(looksLikeEmailAddress(QString::fromUtf8(row.email)), row.emailLooksRight);
        }
    }

    // Before any length is asked about, and without completing anything ("http://" alone is empty).
    void requiredFieldsComeFirst()
    {
        const QList<std::tuple<int, Field, const char *>> cases{
            {2, Title, "The title must be specified."},
            {3, MainPageURL, "The address of the main page must be specified."},
            {0, Title, "Some required fields are missing."},
            {0, MainPageURL, "Some required fields are missing."}};
        for (const auto &[step, emptied, title] : cases) {
            SiteProfileTexts texts = validTexts();
            for (Field field : AllFields)
                text(texts, field) += QString(400, QLatin1Char('x'));
            texts.linksURL = QStringLiteral("example.org/links");
            text(texts, emptied) = emptied == MainPageURL ? QStringLiteral("http://") : QString();
            TrimScript trim;
            const CheckResult result = check(step, texts, trim);
            QVERIFY(!result.passed && !result.message.isEmpty());
            QCOMPARE(result.field, emptied);
            QCOMPARE(result.title, QString::fromUtf8(title));
            QVERIFY(trim.asked.isEmpty());
            QCOMPARE(texts.linksURL, QStringLiteral("example.org/links"));
        }
    }

    // Every field one too long, every question answered "trim": cut to the limit, which then passes.
    void eachCheckAsksAboutItsLengthsInFieldOrder()
    {
        const QStringList titleStep{"Title/99", "Description/399", "Keywords/249"};
        const QStringList addressStep{"Main Page URL/249", "Links Page URL/249"};
        const QStringList contactStep{"Contact First Name/49", "Contact Last Name/49", "Contact E-mail/99"};
        // With the field each step puts the cursor in.
        const QList<std::tuple<int, QStringList, std::optional<Field>>> steps{
            {1, {}, std::nullopt},         {2, titleStep, Title},
            {3, addressStep, MainPageURL}, {4, contactStep, ContactFirstName},
            {5, {}, std::nullopt},         {0, titleStep + addressStep + contactStep, std::nullopt}};
        for (const auto &[step, asked, focus] : steps) {
            QCOMPARE(focusFieldOfStep(step), focus);
            SiteProfileTexts texts;
            for (Field field : AllFields) {
                const bool address = field == MainPageURL || field == LinksPageURL; // "http://" added first
                text(texts, field) = QString(maxLength(field) + 1 - (address ? 7 : 0), QLatin1Char('x'));
            }
            TrimScript trim;
            trim.answers = QList<bool>(8, true);
            QVERIFY(check(step, texts, trim).passed);
            QCOMPARE(trim.asked, asked);
            trim.asked.clear();
            QVERIFY(check(step, texts, trim).passed);
            QVERIFY(trim.asked.isEmpty());
        }
    }

    void trimCutsAtTheLimitOrStops()
    {
        // Trimmed: the first 99 characters (TextUtils keeps surrogate pairs whole), and the check goes on.
        TrimScript script;
        script.answers = {true};
        SiteProfileTexts texts = validTexts();
        texts.title = QStringLiteral("A") + QString(98, QLatin1Char('b')) + QStringLiteral("Z"); // 100
        QVERIFY(checkAssistantStep(2, texts, script.question()).passed);
        QCOMPARE(texts.title, QStringLiteral("A") + QString(98, QLatin1Char('b')));

        // Declined: the check stops on that field with the text unchanged and no alert, asking nothing more.
        script.asked.clear();
        const QString longTitle(100, QLatin1Char('t'));
        texts.title = longTitle;
        texts.description = QString(500, QLatin1Char('d'));
        const CheckResult result = checkAssistantStep(2, texts, script.question());
        QVERIFY(!result.passed && result.title.isEmpty());
        QCOMPARE(result.field, Title);
        QCOMPARE(texts.title, longTitle);
        QCOMPARE(script.asked.size(), 1);
    }

    void warningsComeOneAtATimeAfterTheLengths()
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
        QCOMPARE(asked.last(),
                 QStringLiteral("The Contact E-mail field does not look like an e-mail address."));
    }

    void valuesKeptForTheNextDatabase()
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
        const QVariantMap expected{{"Title", "Marsh Birds"},
                                   {"Description", "Two\nlines"},
                                   {"Keywords", "herons, reeds  bitterns"},
                                   {"MainPageURL", "http://marshbirds.example"},
                                   {"LinksPageURL", "http://"},
                                   {"ContactFirstName", "Ada"},
                                   {"ContactLastName", "Reed"},
                                   {"ContactEmail", "ada@marshbirds.example"},
                                   {"PageLayout", false}};
        QCOMPARE(values, expected);
        QCOMPARE(values.value(QStringLiteral("PageLayout")).typeId(), QMetaType::Bool);
        QCOMPARE(textsFromGlobalSiteInfo(values).URL, QStringLiteral("http://marshbirds.example"));
        QCOMPARE(textsFromGlobalSiteInfo(values).keywords, QStringLiteral("herons, reeds  bitterns"));
    }
};

QTEST_GUILESS_MAIN(TestSiteProfileForm)
#include "tst_siteprofileform.moc"
