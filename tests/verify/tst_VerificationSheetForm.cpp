#include "model/Link.h"
#include "verify/VerificationSheetForm.h"

#include <QtTest>

// What the verification sheet shows beside a row's result: the mark for a link found with
// reservations, the details line and the words for screen readers.
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
        details.addressFound = true;
        details.inAnchor = true;
        QVERIFY(
            !VerificationSheetForm::foundWithReservations(finished(&link, VerificationSucceeded, details)));

        details.rel = QStringList{QStringLiteral("nofollow"), QStringLiteral("ugc")};
        LinkInfo nofollow = finished(&link, VerificationSucceeded, details);
        QVERIFY(VerificationSheetForm::foundWithReservations(nofollow));
        QCOMPARE(VerificationSheetForm::statusText(nofollow),
                 QStringLiteral("Verified successfully. (link marked nofollow, ugc)"));

        details.rel.clear();
        details.noindex = true;
        QVERIFY(
            VerificationSheetForm::foundWithReservations(finished(&link, VerificationSucceeded, details)));
        // Only a found link carries the mark; the result code is never changed by it.
        QVERIFY(!VerificationSheetForm::foundWithReservations(
            finished(&link, VerificationLinkNotFound, details)));
        LinkInfo waiting(&link, nullptr, VerificationSucceeded, true); // a stored result, not this run's
        waiting.setDetails(details);
        QVERIFY(!VerificationSheetForm::foundWithReservations(waiting));
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
};

QTEST_GUILESS_MAIN(TestVerificationSheetForm)
#include "tst_VerificationSheetForm.moc"
