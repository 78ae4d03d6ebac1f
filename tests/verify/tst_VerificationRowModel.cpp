#include "support/DatabaseBuilder.h"
#include "support/FakeNetwork.h"

#include "model/Preferences.h"
#include "verify/VerificationRowModel.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate LongAgo(2020, 1, 1);
const QString OwnURL = QStringLiteral("http://www.mysite.example/");

LinkFields partner(const QString &title, const QString &site, const QString &page,
                   LinkStatus status = LinkStatusApproved,
                   VerificationResult stored = VerificationNotVerified)
{
    LinkFields fields;
    fields.title = title;
    fields.URL = site;
    fields.counterpartURL = page;
    fields.status = status;
    fields.lastStatusChangedOn = LongAgo;
    fields.lastVerificationResult = stored;
    if (stored != VerificationNotVerified)
        fields.lastVerifiedOn = LongAgo;
    return fields;
}

QString text(const VerificationRowModel &rows, int row, int column, int role = Qt::DisplayRole)
{
    return rows.data(rows.index(row, column), role).toString();
}

} // namespace

// The rows of the verification sheet, checked throughout by QAbstractItemModelTester: which links
// they hold with which ticks and presets, how they follow a run (read-only ticks, progress, results,
// Stop), and which results saving writes.
class TestVerificationRowModel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void rowsTicksAndPresets();
    void rowsFollowARunAndGiveTheResultsToSave();
    void noVerifiableLink();

private:
    QTemporaryDir m_dir;
};

void TestVerificationRowModel::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    Preferences::useSettingsFile(m_dir.filePath(QStringLiteral("settings.ini")));
}

void TestVerificationRowModel::rowsTicksAndPresets()
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
    auto id = [&](const char *title) {
        for (const Link *link : db.store().verifiableLinks()) {
            if (link->title() == QLatin1String(title))
                return link->ID();
        }
        return QString();
    };

    VerificationRowModel rows(&db.store());
    QAbstractItemModelTester tester(&rows, QAbstractItemModelTester::FailureReportingMode::QtTest);

    // Without a list: every verifiable link, ticked unless marked as verified.
    QVERIFY(rows.buildRows());
    QCOMPARE(rows.rowCount(), 6);
    const QString titles[] = {"A", "C", "D", "E", "F", "G"};
    const char codes[] = {VerificationNotVerified, VerificationNoLinksPageURL, VerificationMarkedVerified,
                          VerificationNotVerified, VerificationNoLinksPageURL, VerificationNotVerified};
    const bool ticks[] = {true, true, false, true, true, true};
    for (int row = 0; row < 6; ++row) {
        QCOMPARE(text(rows, row, VerificationRowModel::LinkColumn), titles[row]);
        QCOMPARE(rows.linkInfo(row).result(), codes[row]);
        QCOMPARE(rows.linkInfo(row).selected(), ticks[row]);
        QVERIFY(!rows.linkInfo(row).verified());
    }
    QCOMPARE(text(rows, 0, VerificationRowModel::CategoryColumn), QStringLiteral("General"));
    QCOMPARE(text(rows, 5, VerificationRowModel::CategoryColumn), QStringLiteral("Friends"));
    QCOMPARE(text(rows, 1, VerificationRowModel::WarningColumn),
             QStringLiteral("Links page URL is not specified."));
    QCOMPARE(text(rows, 2, VerificationRowModel::WarningColumn), QStringLiteral("Marked as verified."));
    QCOMPARE(text(rows, 0, VerificationRowModel::WarningColumn), QString());
    QCOMPARE(text(rows, 1, 0, VerificationRowModel::ImageNameRole), QStringLiteral("warning"));
    QCOMPARE(text(rows, 2, 0, VerificationRowModel::ImageNameRole), QString());
    QCOMPARE(rows.data(rows.index(0, VerificationRowModel::VerifyColumn), Qt::CheckStateRole).toInt(),
             int(Qt::Checked));
    QCOMPARE(rows.selectedCount(), 5);
    QCOMPARE(rows.checksToRun().size(), size_t(5));

    // With a list: only the listed are ticked; a stale stored "no links page" shows until checked.
    QVERIFY(rows.buildRows(QStringList{id("C"), id("D"), id("E"), id("G")}));
    const char listedCodes[] = {VerificationNotVerified,    VerificationNoLinksPageURL,
                                VerificationMarkedVerified, VerificationNoLinksPageURL,
                                VerificationNoLinksPageURL, VerificationNotVerified};
    const bool listedTicks[] = {false, true, false, true, false, true};
    for (int row = 0; row < 6; ++row) {
        QCOMPARE(rows.linkInfo(row).result(), listedCodes[row]);
        QCOMPARE(rows.linkInfo(row).selected(), listedTicks[row]);
    }
    QCOMPARE(rows.firstRowToShow(), 5);
    QCOMPARE(rows.selectedCount(), 3);
}

void TestVerificationRowModel::rowsFollowARunAndGiveTheResultsToSave()
{
    DatabaseBuilder db;
    db.link(partner("A found", "http://a.example/", "http://a.example/ok"));
    db.link(partner("B not found", "http://a.example/", "http://a.example/without"));
    db.link(partner("C hangs", "http://c.example/", "http://c.example/ok"));
    db.link(partner("D unticked", "http://a.example/", "http://a.example/ok"));
    db.link(partner("E no links page", "http://a.example/", ""));
    db.link(partner("F marked, ticked by the user", "http://a.example/", "http://a.example/ok", LinkStatusNew,
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
    QVERIFY(
        rows.setData(rows.index(3, VerificationRowModel::VerifyColumn), Qt::Unchecked, Qt::CheckStateRole));
    rows.setSelected(5, true);
    QCOMPARE(rows.selectedCount(), 5);
    QVERIFY(rows.resultsToSave().isEmpty()); // nothing before a run has ended

    // Once the run starts the ticks are read-only; rows under way show the progress image.
    scheduler.start(rows.checksToRun(), OwnURL);
    QVERIFY(!(rows.flags(rows.index(0, VerificationRowModel::VerifyColumn)) & Qt::ItemIsEnabled));
    QVERIFY(
        !rows.setData(rows.index(0, VerificationRowModel::VerifyColumn), Qt::Unchecked, Qt::CheckStateRole));
    rows.selectNone();
    QVERIFY(rows.linkInfo(0).selected());
    QCOMPARE(text(rows, 0, 0, VerificationRowModel::ImageNameRole), QStringLiteral("verifyprogress"));
    for (int round = 0; round < 10; ++round) {
        network.answerHost(QStringLiteral("a.example:80"));
        QCoreApplication::processEvents();
    }
    QCOMPARE(text(rows, 0, VerificationRowModel::WarningColumn), QStringLiteral("Verified successfully."));
    QCOMPARE(text(rows, 1, VerificationRowModel::WarningColumn),
             QStringLiteral("Reciprocal link cannot be found."));
    QVERIFY(text(rows, 0, VerificationRowModel::WarningColumn, Qt::ToolTipRole).contains("HTTP 200"));
    QCOMPARE(rows.linkInfo(2).result(), VerificationInProgress);

    // Stop: the row cut short has no result and says it was not checked, like a row never reached.
    scheduler.stop();
    QCOMPARE(rows.linkInfo(2).result(), VerificationNotVerified);
    QCOMPARE(text(rows, 2, VerificationRowModel::WarningColumn), QStringLiteral("Not checked"));
    QCOMPARE(text(rows, 3, VerificationRowModel::WarningColumn), QString()); // unticked
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

void TestVerificationRowModel::noVerifiableLink()
{
    DatabaseBuilder db;
    db.link(partner("Blocked", "http://a.example/", "http://a.example/", LinkStatusBlocked));
    VerificationRowModel rows(&db.store());
    QVERIFY(!rows.buildRows());
    QCOMPARE(rows.rowCount(), 0);
    QVERIFY(!rows.buildRows(QStringList{db.lastLink()->ID()}));
}

QTEST_GUILESS_MAIN(TestVerificationRowModel)
#include "tst_VerificationRowModel.moc"
