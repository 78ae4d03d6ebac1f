#include "verify/CheckOutcome.h"
#include "verify/FetchVerdict.h"

#include <QTest>

Q_DECLARE_METATYPE(std::optional<CheckOutcome>)

namespace {
using Headers = QList<QPair<QByteArray, QByteArray>>;

FetchOutcome answer(int status, const Headers &headers = {}, const QByteArray &body = "<html>links</html>")
{
    FetchOutcome outcome;
    outcome.kind = FetchOutcome::Kind::Loaded;
    outcome.httpStatus = status;
    outcome.headers = headers;
    outcome.body = body;
    return outcome;
}

FetchOutcome failure(const QString &why, bool timedOut = false)
{
    FetchOutcome outcome;
    outcome.kind = FetchOutcome::Kind::Failed;
    outcome.errorText = why;
    outcome.timedOut = timedOut;
    return outcome;
}

const QByteArray CloudflareInterstitial =
    "<!DOCTYPE html><html><head><title>Just a moment...</title></head><body>"
    "<script src=\"/cdn-cgi/challenge-platform/h/g/orchestrate/chl_page/v1\"></script></body></html>";
} // namespace

// What a links page's answer says before the page is read: which fetches tell nothing about the
// link (a server in trouble, a refusal, a bot wall) and which do.
class TestCheckOutcome : public QObject
{
    Q_OBJECT
private slots:
    void answersBeforeThePageIsRead_data()
    {
        QTest::addColumn<FetchOutcome>("fetch");
        QTest::addColumn<std::optional<CheckOutcome>>("outcome");
        QTest::addColumn<QString>("service");
        const std::optional<CheckOutcome> read; // the page decides
        const auto row = [](const char *name, const FetchOutcome &fetch, std::optional<CheckOutcome> outcome,
                            const char *service = "") {
            QTest::newRow(name) << fetch << outcome << QString::fromLatin1(service);
        };
        row("200", answer(200), read);
        row("a file", answer(0), read);
        row("no answer", failure("Connection refused"), CheckOutcome::Unreachable);
        row("time-out", failure("No answer after 30 s.", true), CheckOutcome::Unreachable);
        row("TLS", failure("Secure connection (TLS) failed: The certificate has expired"),
            CheckOutcome::Unreachable);
        row("503 after the retries", answer(503), CheckOutcome::Unreachable);
        row("500", answer(500), CheckOutcome::Unreachable);
        row("429", answer(429), CheckOutcome::Unreachable);
        row("408", answer(408), CheckOutcome::Unreachable);
        row("400", answer(400), CheckOutcome::Unreachable);
        row("401", answer(401), CheckOutcome::Blocked);
        row("403", answer(403), CheckOutcome::Blocked);
        row("451", answer(451), CheckOutcome::Blocked);
        row("404: the page is gone", answer(404), CheckOutcome::NotLinked);
        row("410", answer(410), CheckOutcome::NotLinked);

        // Bot walls, whatever their status.
        row("cf-mitigated on 403", answer(403, {{"cf-mitigated", "challenge"}}, CloudflareInterstitial),
            CheckOutcome::Blocked, "Cloudflare");
        row("cf-mitigated on 503", answer(503, {{"CF-Mitigated", " Challenge "}}), CheckOutcome::Blocked,
            "Cloudflare");
        row("interstitial on 200 without the header", answer(200, {}, CloudflareInterstitial),
            CheckOutcome::Blocked, "Cloudflare");
        row("Vercel on 429", answer(429, {{"x-vercel-mitigated", "challenge"}}), CheckOutcome::Blocked,
            "Vercel");
        row("AWS WAF on 202", answer(202, {{"x-amzn-waf-action", "captcha"}}), CheckOutcome::Blocked,
            "AWS WAF");
        row("Sucuri on 200", answer(200, {}, "<html><script>var sucuri_cloudproxy_js='';</script></html>"),
            CheckOutcome::Blocked, "Sucuri");
        row("Imperva on 200",
            answer(200, {},
                   "<iframe src=\"/_Incapsula_Resource?CWUDNSAI=1\">Incapsula incident ID: 1</iframe>"),
            CheckOutcome::Blocked, "Imperva");
        row("DataDome",
            answer(403, {{"X-DataDome", "protected"}},
                   "<script src=\"https://ct.captcha-delivery.com/c.js\">"),
            CheckOutcome::Blocked, "DataDome");
        row("DDoS-Guard", answer(403, {{"Server", "ddos-guard"}}, "<title>DDoS-Guard</title>"),
            CheckOutcome::Blocked, "DDoS-Guard");

        // Pages that only talk of the services, or carry their ordinary marks, are pages.
        row("a page about Cloudflare",
            answer(200, {{"server", "cloudflare"}}, "<p>Just a moment... we use Cloudflare"), read);
        row("Imperva's script on an ordinary page",
            answer(200, {}, "<script src=\"/_Incapsula_Resource?x\">"), read);
        row("cf-mitigated other than a challenge", answer(200, {{"cf-mitigated", "none"}}), read);
        row("interstitial marks past the first 64 KiB",
            answer(200, {}, QByteArray(70 * 1024, ' ') + CloudflareInterstitial), read);
    }

    void answersBeforeThePageIsRead()
    {
        QFETCH(FetchOutcome, fetch);
        QFETCH(std::optional<CheckOutcome>, outcome);
        QFETCH(QString, service);
        const FetchVerdict::Verdict verdict = FetchVerdict::of(fetch);
        QCOMPARE(verdict.outcome, outcome);
        QCOMPARE(verdict.challengeService, service);
        // Every decision says why; a bot wall in the words the details use.
        QCOMPARE(verdict.why.isEmpty(), !outcome.has_value());
        if (!service.isEmpty())
            QCOMPARE(verdict.why, QStringLiteral("The partner's site refused the check (bot protection)"));
    }

    void storedResultsAndKeywords()
    {
        // Checks recorded before outcomes were: the links page's status tells a refusal apart.
        QCOMPARE(CheckOutcomes::fromResult(VerificationSucceeded), CheckOutcome::Linked);
        QCOMPARE(CheckOutcomes::fromResult(VerificationLinkNotFound, 200), CheckOutcome::NotLinked);
        QCOMPARE(CheckOutcomes::fromResult(VerificationLinksPageNotLoaded, 503), CheckOutcome::Unreachable);
        QCOMPARE(CheckOutcomes::fromResult(VerificationLinksPageNotLoaded, 403), CheckOutcome::Blocked);
        QCOMPARE(CheckOutcomes::fromResult(VerificationNoResponse), CheckOutcome::Unreachable);
        QCOMPARE(CheckOutcomes::fromResult(VerificationNoLinksPageURL), CheckOutcome::None);
        QCOMPARE(CheckOutcomes::fromResult(VerificationMarkedVerified), CheckOutcome::None);
        for (CheckOutcome outcome : {CheckOutcome::None, CheckOutcome::Linked, CheckOutcome::NotLinked,
                                     CheckOutcome::Unreachable, CheckOutcome::Blocked})
            QCOMPARE(CheckOutcomes::fromKeyword(CheckOutcomes::keyword(outcome)), outcome);
        QCOMPARE(CheckOutcomes::fromKeyword(u"lost"), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestCheckOutcome)
#include "tst_CheckOutcome.moc"
