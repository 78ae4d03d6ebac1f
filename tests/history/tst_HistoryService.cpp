#include "support/HistoryLockHolder.h"
#include "support/StallWatchdog.h"

#include "history/HistoryService.h"
#include "history/HistoryStore.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

// The history thread: the checks of runs wait while another program holds the history and are
// written, in order and once, when it lets go; the main thread never waits meanwhile; what cannot
// be written at the end is counted; a history that cannot be used fails each run once; Save As
// copies a history with the checks still waiting for it.
class TestHistoryService : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString databasePath(const QString &name)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        return file.open(QIODevice::WriteOnly) ? path : QString();
    }

    static CheckRecord check(const QString &linkID, int minutes)
    {
        CheckRecord record;
        record.linkID = linkID;
        record.title = linkID;
        record.checkedOn = QDateTime(QDate(2026, 3, 14), QTime(12, 0)).addSecs(minutes * 60);
        record.result = VerificationSucceeded;
        record.outcome = CheckOutcome::Linked;
        record.httpStatus = 200;
        return record;
    }

    // The link IDs in the order the history stored them.
    static QStringList storedOrder(const QString &historyPath)
    {
        QStringList ids;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("order"));
            db.setDatabaseName(historyPath);
            if (db.open()) {
                QSqlQuery query(QStringLiteral("SELECT link_id FROM checks ORDER BY id"), db);
                while (query.next())
                    ids.append(query.value(0).toString());
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("order"));
        return ids;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void checksWaitForALockAndAreWrittenInOrderOnce()
    {
        const QString db = databasePath(QStringLiteral("locked.site"));
        const QString history = HistoryStore::pathForDatabase(db);
        HistoryService service;
        service.setFirstRetryInterval(100);
        QList<FileError> failures;
        auto failed = [&](const FileError &error) { failures.append(error); };
        service.record(db, {check("L0", 0)}, this, failed);
        QTRY_COMPARE(storedOrder(history), QStringList{"L0"});

        HistoryLockHolder other;
        QVERIFY(other.hold(history));
        QSignalSpy waiting(&service, &HistoryService::waitingChanged);
        service.record(db, {check("L1", 1), check("L2", 2)}, this, failed);
        service.record(db, {check("L1", 3)}, this, failed);
        // Several tries of 200 ms each pass on the history thread; a main thread that waited on
        // one of them would stall at least that long.
        auto triedAgain = [&] {
            int tries = 0;
            for (const QList<QVariant> &signal : waiting)
                tries += signal.at(1).toInt() == 3 ? 1 : 0;
            return tries >= 3;
        };
        const qint64 stall = longestStallWhile(triedAgain, 10000);
        QCOMPARE(service.waitingChecks(db), 3);
        qInfo("longest stall of the main thread while the history was locked: %lld ms", stall);
        QVERIFY2(stall < 100, qPrintable(QString::number(stall)));

        // Reads see the waiting checks as recorded.
        std::optional<QHash<QString, LinkTrail>> trails;
        service.readTrails(
            db, 7, this, [&](const HistoryReply<QHash<QString, LinkTrail>> &reply) { trails = reply.value; });
        QTRY_VERIFY(trails.has_value());
        QCOMPARE(trails->value(QStringLiteral("L1")).latest->checkedOn, check("L1", 3).checkedOn);
        QCOMPARE(storedOrder(history), QStringList{"L0"});

        other.release();
        QTRY_COMPARE_WITH_TIMEOUT(service.waitingChecks(db), 0, 10000);
        QCOMPARE(waiting.last().at(1).toInt(), 0);
        QCOMPARE(storedOrder(history), (QStringList{"L0", "L1", "L2", "L1"}));
        QVERIFY(failures.isEmpty());
        // Nothing more is written by a retry that was still due.
        QTest::qWait(300);
        QCOMPARE(storedOrder(history).size(), 4);
    }

    void checksStillWaitingAtTheEndAreCounted()
    {
        const QString db = databasePath(QStringLiteral("quit.site"));
        const QString history = HistoryStore::pathForDatabase(db);
        QVERIFY(HistoryStore(db).record({check("L0", 0)}));
        HistoryLockHolder other;
        QVERIFY(other.hold(history));
        {
            HistoryService service;
            service.record(db, {check("L1", 1), check("L2", 2)});
            QTRY_COMPARE(service.waitingChecks(db), 2);
            QCOMPARE(service.finish(300), 2);
            QCOMPARE(service.waitingChecks(db), 0);
            QVERIFY(HistoryService::lostChecksMessage(2).startsWith(QStringLiteral("2 verification check")));

            // Whoever quits without finishing hears of it on the terminal.
            auto *unfinished = new HistoryService;
            unfinished->record(db, {check("L3", 3)});
            QTRY_COMPARE(unfinished->waitingChecks(db), 1);
            QTest::ignoreMessage(QtWarningMsg, qPrintable(HistoryService::lostChecksMessage(1)));
            delete unfinished;
        }
        other.release();
        QCOMPARE(storedOrder(history), QStringList{"L0"});
    }

    void saveAsCopyTakesTheWaitingChecksAlong()
    {
        const QString from = databasePath(QStringLiteral("original.site"));
        const QString to = databasePath(QStringLiteral("saved-as.site"));
        QVERIFY(HistoryStore(from).record({check("L0", 0)}));
        HistoryService service;
        service.setFirstRetryInterval(100);
        HistoryLockHolder other;
        QVERIFY(other.hold(HistoryStore::pathForDatabase(from)));
        service.record(from, {check("L1", 1)});
        std::optional<HistoryReply<bool>> copied;
        service.copyHistory(from, to, this, [&](const HistoryReply<bool> &reply) { copied = reply; });
        QTRY_VERIFY(copied.has_value());
        QVERIFY2(copied->value, qPrintable(copied->error.text()));
        // The copy is free, so the check still waiting for the original is written there at once.
        QCOMPARE(storedOrder(HistoryStore::pathForDatabase(to)), (QStringList{"L0", "L1"}));
        QCOMPARE(service.waitingChecks(from), 1);
        other.release();
        QTRY_COMPARE_WITH_TIMEOUT(service.waitingChecks(from), 0, 10000);
        QCOMPARE(storedOrder(HistoryStore::pathForDatabase(from)), (QStringList{"L0", "L1"}));
        QCOMPARE(storedOrder(HistoryStore::pathForDatabase(to)), (QStringList{"L0", "L1"}));

        // A copy that cannot be made says why; the original is left as it was.
        const QString blocked = databasePath(QStringLiteral("blocked.site"));
        QVERIFY(QDir().mkpath(HistoryStore::pathForDatabase(blocked) + QStringLiteral(".part")));
        copied.reset();
        service.copyHistory(from, blocked, this, [&](const HistoryReply<bool> &reply) { copied = reply; });
        QTRY_VERIFY(copied.has_value());
        QVERIFY(!copied->value);
        QCOMPARE(copied->error.kind(), FileError::Kind::CannotWrite);
        QCOMPARE(storedOrder(HistoryStore::pathForDatabase(from)).size(), 2);
    }

    void unusableHistoryFailsEachRunOnce()
    {
        const QString db = databasePath(QStringLiteral("damaged.site"));
        const QString history = HistoryStore::pathForDatabase(db);
        QFile file(history);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("damaged").repeated(300));
        file.close();

        HistoryService service;
        service.setFirstRetryInterval(50);
        QList<FileError> failures;
        QSignalSpy waiting(&service, &HistoryService::waitingChanged);
        for (int run = 0; run < 2; ++run)
            service.record(db, {check("L1", run)}, this,
                           [&](const FileError &error) { failures.append(error); });
        QTRY_COMPARE(failures.size(), 2);
        QCOMPARE(failures.first().kind(), FileError::Kind::NotAHistory);
        QTest::qWait(300); // no retry
        QCOMPARE(failures.size(), 2);
        for (const QList<QVariant> &signal : waiting)
            QCOMPARE(signal.at(1).toInt(), 0); // never said to wait
        QCOMPARE(QFile(history).size(), qint64(7 * 300));

        // A reader hears why, and that it will not pass.
        std::optional<HistoryReply<QList<LinkChange>>> changes;
        service.readChanges(db, 7, this,
                            [&](const HistoryReply<QList<LinkChange>> &reply) { changes = reply; });
        QTRY_VERIFY(changes.has_value());
        QVERIFY(!changes->value && !changes->busy);
        QCOMPARE(changes->error.kind(), FileError::Kind::NotAHistory);

        // A callback whose context is gone is dropped.
        bool called = false;
        auto *context = new QObject;
        service.readChanges(db, 7, context, [&](const HistoryReply<QList<LinkChange>> &) { called = true; });
        delete context;
        QCOMPARE(service.finish(100), 0);
        QTest::qWait(50);
        QVERIFY(!called);
    }
};

QTEST_GUILESS_MAIN(TestHistoryService)
#include "tst_HistoryService.moc"
