#include "support/DatabaseBuilder.h"
#include "support/FakeNetwork.h"

#include "model/Preferences.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationSheetForm.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace VerificationSheetForm;

namespace {

const QDate LongAgo(2020, 1, 1);
const QString OwnURL = QStringLiteral("http://www.mysite.example/");

LinkFields partner(const QString &title, const QString &site, const QString &page,
                   LinkStatus status = LinkStatusApproved,
                   VerificationResult stored = VerificationNotVerified)
{
    return {.title = title,
            .URL = site,
            .counterpartURL = page,
            .lastVerifiedOn = stored != VerificationNotVerified ? LongAgo : QDate(),
            .lastVerificationResult = stored,
            .lastStatusChangedOn = LongAgo,
            .status = status};
}

LinkInfo finished(Link *link, VerificationResult result, const VerificationDetails &details)
{
    LinkInfo row(link, nullptr, VerificationNotVerified, true);
    row.setDetails(details);
    row.setResult(result);
    return row;
}

QString text(const VerificationRowModel &rows, int row, int column, int role = Qt::DisplayRole)
{
    return rows.data(rows.index(row, column), role).toString();
}

} // namespace

// The rows of the verification sheet, checked throughout by QAbstractItemModelTester, and what the
// sheet says beside a row's result, in its summary and on its buttons.
class TestVerificationRowModel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        Preferences::useSettingsFile(m_dir.filePath(QStringLiteral("settings.ini")));
    }

    void rowsTicksAndPresets()
    {
        const QString site = QStringLiteral("http://a.example/");
        DatabaseBuilder db;
        db.defaultCategory().link(partner("A", site, site));
        db.link(partner("B blocked", site, site, LinkStatusBlocked));
        db.category("Friends").link(partner("C", site, ""));
        db.link(partner("D", site, site, LinkStatusNegotiating, VerificationMarkedVerified));
        db.link(partner("E", site, site, LinkStatusApproved, VerificationNoLinksPageURL));
        db.link(partner("F", site, "http://"));
        db.link(partner("G", site, site));
        VerificationRowModel rows(&db.store());
        QAbstractItemModelTester tester(&rows, QAbstractItemModelTester::FailureReportingMode::QtTest);
        // Each row as its title, result code and tick.
        const auto state = [&] {
            QStringList out;
            for (int row = 0; row < rows.rowCount(); ++row)
                out << text(rows, row, VerificationRowModel::LinkColumn) +
                           QChar(rows.linkInfo(row).result()) +
                           (rows.linkInfo(row).selected() ? QStringLiteral("+") : QString());
            return out;
        };

        // Without a list: every verifiable link, ticked unless marked as verified.
        QVERIFY(rows.buildRows());
        QCOMPARE(state(), QStringList({"A0+", "C6+", "D5", "E0+", "F6+", "G0+"}));
        QCOMPARE(text(rows, 0, VerificationRowModel::CategoryColumn), QStringLiteral("General"));
        QCOMPARE(text(rows, 5, VerificationRowModel::CategoryColumn), QStringLiteral("Friends"));
        QCOMPARE(text(rows, 1, VerificationRowModel::WarningColumn),
                 QStringLiteral("Links page URL is not specified."));
        QCOMPARE(text(rows, 2, VerificationRowModel::WarningColumn), QStringLiteral("Marked as verified."));
        QCOMPARE(text(rows, 0, VerificationRowModel::WarningColumn), QString());
        const auto code = [&](int row) {
            return VerificationResult(rows.data(rows.index(row, VerificationRowModel::StatusColumn),
                                                VerificationRowModel::ResultCodeRole)
                                          .toInt());
        };
        QCOMPARE(code(1), VerificationNoLinksPageURL);
        QCOMPARE(code(2), VerificationMarkedVerified);
        QCOMPARE(rows.data(rows.index(0, VerificationRowModel::VerifyColumn), Qt::CheckStateRole).toInt(),
                 int(Qt::Checked));
        QCOMPARE(rows.selectedCount(), 5);
        QCOMPARE(rows.checksToRun().size(), size_t(5));

        // With a list: only the listed are ticked; a stale stored "no links page" shows until checked.
        QStringList listed;
        for (const Link *link : db.store().verifiableLinks())
            listed << (QStringLiteral("CDEG").contains(link->title()) ? link->ID() : QString());
        QVERIFY(rows.buildRows(listed));
        QCOMPARE(state(), QStringList({"A0", "C6+", "D5", "E6+", "F6", "G0+"}));
        QCOMPARE(rows.firstRowToShow(), 5);
        QCOMPARE(rows.selectedCount(), 3);

        DatabaseBuilder blocked;
        blocked.link(partner("Blocked", site, site, LinkStatusBlocked));
        VerificationRowModel none(&blocked.store());
        QVERIFY(!none.buildRows());
        QCOMPARE(none.rowCount(), 0);
        QVERIFY(!none.buildRows(QStringList{blocked.lastLink()->ID()}));
    }

    void rowsFollowARunAndGiveTheResultsToSave()
    {
        DatabaseBuilder db;
        db.link(partner("A found", "http://a.example/", "http://a.example/ok"));
        db.link(partner("B not found", "http://a.example/", "http://a.example/without"));
        db.link(partner("C hangs", "http://c.example/", "http://c.example/ok"));
        db.link(partner("D unticked", "http://a.example/", "http://a.example/ok"));
        db.link(partner("E no links page", "http://a.example/", ""));
        db.link(partner("F marked, ticked by the user", "http://a.example/", "http://a.example/ok",
                        LinkStatusNew, VerificationMarkedVerified));
        db.link(partner("G marked", "http://a.example/", "http://a.example/ok", LinkStatusNew,
                        VerificationMarkedVerified));
        FakeNetwork network;
        FakeNetwork::Answer found;
        found.body = "<a href=\"" + OwnURL.toUtf8() + "\">me</a>";
        network.setAnswer(QStringLiteral("/ok"), found);
        VerificationScheduler scheduler;
        scheduler.setNetworkAccessManager(&network);
        VerificationRowModel rows(&db.store());
        QAbstractItemModelTester tester(&rows, QAbstractItemModelTester::FailureReportingMode::QtTest);
        rows.follow(&scheduler);
        QVERIFY(rows.buildRows());
        QVERIFY(rows.setData(rows.index(3, VerificationRowModel::VerifyColumn), Qt::Unchecked,
                             Qt::CheckStateRole));
        rows.setSelected(5, true);
        QCOMPARE(rows.selectedCount(), 5);
        QVERIFY(rows.resultsToSave().isEmpty()); // nothing before a run has ended

        // Once the run starts the ticks are read-only; rows under way show the progress image.
        scheduler.start(rows.checksToRun(), OwnURL);
        QVERIFY(!(rows.flags(rows.index(0, VerificationRowModel::VerifyColumn)) & Qt::ItemIsEnabled));
        QVERIFY(!rows.setData(rows.index(0, VerificationRowModel::VerifyColumn), Qt::Unchecked,
                              Qt::CheckStateRole));
        rows.selectNone();
        QVERIFY(rows.linkInfo(0).selected());
        QCOMPARE(
            rows.data(rows.index(0, VerificationRowModel::StatusColumn), VerificationRowModel::ResultCodeRole)
                .toInt(),
            int(VerificationInProgress));
        for (int round = 0; round < 10; ++round) {
            network.answerHost(QStringLiteral("a.example:80"));
            QTest::qWait(5); // pages are read on worker threads
        }
        QTRY_VERIFY(text(rows, 0, VerificationRowModel::WarningColumn, Qt::ToolTipRole).contains("HTTP 200"));
        QCOMPARE(rows.linkInfo(2).result(), VerificationInProgress);

        // Stop: the row cut short has no result and says it was not checked, like a row never reached.
        scheduler.stop();
        QCOMPARE(rows.linkInfo(2).result(), VerificationNotVerified);
        QStringList warnings;
        for (int row = 0; row < rows.rowCount(); ++row)
            warnings << text(rows, row, VerificationRowModel::WarningColumn);
        QCOMPARE(warnings, QStringList({"Verified successfully.", "Reciprocal link cannot be found.",
                                        "Not checked", "", "Links page URL is not specified.",
                                        "Verified successfully.", "Marked as verified."}));
        const QList<const Link *> links = db.store().verifiableLinks();
        const QList<std::pair<QString, VerificationResult>> expected = {
            {links.at(0)->ID(), VerificationSucceeded},
            {links.at(1)->ID(), VerificationLinkNotFound},
            {links.at(4)->ID(), VerificationNoLinksPageURL},
            {links.at(5)->ID(), VerificationSucceeded},
        };
        QVERIFY(rows.resultsToSave() == expected);

        // New rows can be ticked again.
        QVERIFY(rows.buildRows());
        QVERIFY(rows.ticksEditable());
        QVERIFY(rows.resultsToSave().isEmpty());
    }

    void whatTheSheetSays()
    {
        Link link;
        VerificationDetails details{
            .siteStatus = 200,
            .pageStatus = 200,
            .pageFinalURL = QUrl(QStringLiteral("http://partner.example/links")),
            .addressFound = true,
            .inAnchor = true,
            .followed = true,
            .anchorText = QStringLiteral("My site"),
            .links = {
                {QStringLiteral("http://www.mysite.example/"), {}, QStringLiteral("My site"), QString()}}};
        const LinkInfo good = finished(&link, VerificationSucceeded, details);
        QVERIFY(!foundWithReservations(good));
        QCOMPARE(statusText(good), QStringLiteral("Verified successfully."));
        QVERIFY(detailsLine(good).endsWith(QStringLiteral("anchor text \"My site\"")));
        // The same page naming itself canonical, with or without the slash, is no reservation.
        details.canonical = QStringLiteral("http://partner.example/links/");
        QVERIFY(!foundWithReservations(finished(&link, VerificationSucceeded, details)));

        details.followed = false;
        details.rel = QStringList{QStringLiteral("nofollow"), QStringLiteral("ugc")};
        details.links[0].rel = details.rel;
        details.canonical = QStringLiteral("http://partner.example/");
        const LinkInfo nofollow = finished(&link, VerificationSucceeded, details);
        QVERIFY(foundWithReservations(nofollow));
        QCOMPARE(statusText(nofollow),
                 QStringLiteral("Verified successfully. (no followed link: marked nofollow, ugc; "
                                "the page names http://partner.example/ as canonical)"));

        details.rel.clear();
        details.links[0].rel.clear();
        details.canonical.clear();
        details.nofollowPage = true;
        details.noindex = true;
        QCOMPARE(reservations(finished(&link, VerificationSucceeded, details)),
                 QStringLiteral("no followed link: the page says nofollow; the page says noindex"));
        // Only a found link carries the mark; the result code is never changed by it.
        QVERIFY(!foundWithReservations(finished(&link, VerificationLinkNotFound, details)));
        LinkInfo waiting(&link, nullptr, VerificationSucceeded, true); // a stored result, not this run's
        waiting.setDetails(details);
        QVERIFY(!foundWithReservations(waiting));

        // The details line says what each step found.
        details = {.addressFound = true};
        QCOMPARE(detailsLine(finished(&link, VerificationLinkNotFound, details)),
                 QStringLiteral("your address is on the page, but not as a link"));
        details.inAnchor = true;
        details.links = {{QStringLiteral("/a"), {}, QStringLiteral("a"), QStringLiteral("noscript")},
                         {QStringLiteral("/b"), {}, QStringLiteral("b"), QStringLiteral("style")},
                         {QStringLiteral("/c"), {}, QStringLiteral("c"), QStringLiteral("noscript")}};
        QCOMPARE(detailsLine(finished(&link, VerificationLinkNotFound, details)),
                 QStringLiteral("the only links to your site are hidden (inside <noscript>, "
                                "display:none or visibility:hidden)"));

        details = {.siteStatus = 200,
                   .pageStatus = 404,
                   .siteFinalURL = QUrl(QStringLiteral("https://partner.example/")),
                   .pageFinalURL = QUrl(QStringLiteral("https://partner.example/links/"))};
        QCOMPARE(detailsLine(finished(&link, VerificationLinkNotFound, details)),
                 QStringLiteral("site: HTTP 200 at https://partner.example/; "
                                "links page: HTTP 404 at https://partner.example/links/"));

        QCOMPARE(detailsLine(finished(&link, VerificationNoResponse,
                                      {.failure = QStringLiteral("Connection refused")})),
                 QStringLiteral("Connection refused"));
        // A row not checked in this run, or stopped, has nothing to tell.
        QVERIFY(detailsLine(LinkInfo(&link, nullptr, VerificationNotVerified, true)).isEmpty());
        QVERIFY(detailsLine(finished(&link, VerificationNotVerified, details)).isEmpty());
        QCOMPARE(progressText(3, 10), QStringLiteral("3 of 10 checked"));

        // The buttons in each state.
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

        // The summary counts the ticked rows; those without a result only once the run was stopped.
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

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestVerificationRowModel)
#include "tst_VerificationRowModel.moc"
