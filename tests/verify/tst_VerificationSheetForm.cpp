#include "model/Link.h"
#include "verify/VerificationSheetForm.h"

#include <QtTest>

// What the verification sheet shows beside a row's result: the mark for a link found with
// reservations, the details line and the words for screen readers; and its buttons in each state.
class TestVerificationSheetForm : public QObject
{
    Q_OBJECT

private:
    static LinkInfo finished(Link *link, VerificationResult result, const VerificationDetails &details)
    {
        LinkInfo row(link, nullptr, VerificationNotVerified, true);
        row.setDetails(details);
        row.setResult(result);
        return row;
    }

private slots:
    void foundLinksWithReservationsAreMarked()
    {
        Link link;
        VerificationDetails details;
        details.siteStatus = 200;
        details.pageStatus = 200;
        details.pageFinalURL = QUrl(QStringLiteral("http://partner.example/links"));
        details.addressFound = true;
        details.inAnchor = true;
        details.followed = true;
        details.anchorText = QStringLiteral("My site");
        details.links = {{QStringLiteral("http://www.mysite.example/"), {}, details.anchorText, QString()}};
        const LinkInfo good = finished(&link, VerificationSucceeded, details);
        QVERIFY(!VerificationSheetForm::foundWithReservations(good));
        QCOMPARE(VerificationSheetForm::statusText(good), QStringLiteral("Verified successfully."));
        QVERIFY(VerificationSheetForm::detailsLine(good).endsWith(QStringLiteral("anchor text \"My site\"")));
        // The same page naming itself canonical, with or without the slash, is no reservation.
        details.canonical = QStringLiteral("http://partner.example/links/");
        QVERIFY(
            !VerificationSheetForm::foundWithReservations(finished(&link, VerificationSucceeded, details)));

        details.followed = false;
        details.rel = QStringList{QStringLiteral("nofollow"), QStringLiteral("ugc")};
        details.links[0].rel = details.rel;
        details.canonical = QStringLiteral("http://partner.example/");
        const LinkInfo nofollow = finished(&link, VerificationSucceeded, details);
        QVERIFY(VerificationSheetForm::foundWithReservations(nofollow));
        QCOMPARE(VerificationSheetForm::statusText(nofollow),
                 QStringLiteral("Verified successfully. (no followed link: marked nofollow, ugc; "
                                "the page names http://partner.example/ as canonical)"));

        details.rel.clear();
        details.links[0].rel.clear();
        details.canonical.clear();
        details.nofollowPage = true;
        details.noindex = true;
        QCOMPARE(VerificationSheetForm::reservations(finished(&link, VerificationSucceeded, details)),
                 QStringLiteral("no followed link: the page says nofollow; the page says noindex"));
        // Only a found link carries the mark; the result code is never changed by it.
        QVERIFY(!VerificationSheetForm::foundWithReservations(
            finished(&link, VerificationLinkNotFound, details)));
        LinkInfo waiting(&link, nullptr, VerificationSucceeded, true); // a stored result, not this run's
        waiting.setDetails(details);
        QVERIFY(!VerificationSheetForm::foundWithReservations(waiting));
    }

    void detailsSayWhyNoLinkCounts()
    {
        Link link;
        VerificationDetails details;
        details.addressFound = true;
        QCOMPARE(VerificationSheetForm::detailsLine(finished(&link, VerificationLinkNotFound, details)),
                 QStringLiteral("your address is on the page, but not as a link"));
        details.inAnchor = true;
        details.links = {{QStringLiteral("/a"), {}, QStringLiteral("a"), QStringLiteral("noscript")},
                         {QStringLiteral("/b"), {}, QStringLiteral("b"), QStringLiteral("style")},
                         {QStringLiteral("/c"), {}, QStringLiteral("c"), QStringLiteral("noscript")}};
        QCOMPARE(VerificationSheetForm::detailsLine(finished(&link, VerificationLinkNotFound, details)),
                 QStringLiteral("the only links to your site are hidden (inside <noscript>, "
                                "display:none or visibility:hidden)"));
    }

    void detailsLineNamesEachStep()
    {
        Link link;
        VerificationDetails details;
        details.siteStatus = 200;
        details.siteFinalURL = QUrl(QStringLiteral("https://partner.example/"));
        details.pageStatus = 404;
        details.pageFinalURL = QUrl(QStringLiteral("https://partner.example/links/"));
        const QString line =
            VerificationSheetForm::detailsLine(finished(&link, VerificationLinkNotFound, details));
        QCOMPARE(line, QStringLiteral("site: HTTP 200 at https://partner.example/; "
                                      "links page: HTTP 404 at https://partner.example/links/"));

        VerificationDetails failed;
        failed.failure = QStringLiteral("Connection refused");
        QCOMPARE(VerificationSheetForm::detailsLine(finished(&link, VerificationNoResponse, failed)),
                 QStringLiteral("Connection refused"));
        // A row not checked in this run, or stopped, has nothing to tell.
        QVERIFY(VerificationSheetForm::detailsLine(LinkInfo(&link, nullptr, VerificationNotVerified, true))
                    .isEmpty());
        QVERIFY(
            VerificationSheetForm::detailsLine(finished(&link, VerificationNotVerified, details)).isEmpty());
        QCOMPARE(VerificationSheetForm::progressText(3, 10), QStringLiteral("3 of 10 checked"));
    }

    void buttonsAndSummaryFollowTheState()
    {
        using namespace VerificationSheetForm;
        QCOMPARE(verifyButtonTitle(SheetState::Choosing, 0), QStringLiteral("Verify Links"));
        QCOMPARE(verifyButtonTitle(SheetState::Choosing, 1), QStringLiteral("Verify 1 Link"));
        QCOMPARE(verifyButtonTitle(SheetState::Running, 12), QStringLiteral("Verify 12 Links"));
        QCOMPARE(verifyButtonTitle(SheetState::Ended, 12), QStringLiteral("Save Result"));
        QVERIFY(!verifyButtonEnabled(SheetState::Choosing, 0));
        QVERIFY(verifyButtonEnabled(SheetState::Choosing, 1));
        QVERIFY(!verifyButtonEnabled(SheetState::Running, 1));
        QVERIFY(verifyButtonEnabled(SheetState::Ended, 0));
        QCOMPARE(cancelButtonTitle(SheetState::Choosing), QStringLiteral("Cancel"));
        QCOMPARE(cancelButtonTitle(SheetState::Running), QStringLiteral("Stop"));
        QCOMPARE(cancelButtonTitle(SheetState::Ended), QStringLiteral("Cancel"));

        // The summary counts the ticked rows; those without a result only once the run was stopped.
        Link link;
        std::vector<LinkInfo> rows;
        for (VerificationResult result :
             {VerificationSucceeded, VerificationLinkNotFound, VerificationNoLinksPageURL,
              VerificationLinksPageNotLoaded, VerificationNoResponse, VerificationNotVerified})
            rows.emplace_back(&link, nullptr, result, true);
        rows.emplace_back(&link, nullptr, VerificationSucceeded, false);
        QCOMPARE(summaryText(summary(rows, false)),
                 QStringLiteral("1 verified, 1 not found, 2 not loaded, 1 not answering"));
        QCOMPARE(summaryText(summary(rows, true)),
                 QStringLiteral("1 verified, 1 not found, 2 not loaded, 1 not answering, 1 not checked"));
    }
};

QTEST_GUILESS_MAIN(TestVerificationSheetForm)
#include "tst_VerificationSheetForm.moc"
