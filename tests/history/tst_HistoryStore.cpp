#include "support/CliProcess.h"

#include "history/HistoryFiles.h"
#include "history/HistoryJson.h"
#include "history/HistoryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <memory>
#include <sys/stat.h>
#include <utility>

// The history file: what is recorded reads back, an older layout is upgraded, a file that cannot be
// used is left as it is, two writers both get through, Save As copies a consistent history, no link is
// followed and the permissions are the database's.
class TestHistoryStore : public QObject
{
    Q_OBJECT
private slots:
    void recordsAndReadsBack()
    {
        const QString db = databasePath(QStringLiteral("readback.site"));
        HistoryStore store(db);
        QCOMPARE(store.path(), db + QStringLiteral("-history"));
        // Made only with the first record.
        QVERIFY(store.checks()->isEmpty() && store.changes()->isEmpty());
        QVERIFY(store.record({}));
        QVERIFY(!store.exists());
        QVERIFY2(store.record(
                     {check("LNK1", 0, VerificationSucceeded), check("LNK2", 5, VerificationLinkNotFound)}),
                 qPrintable(store.errorString()));
        QVERIFY(store.record({check("LNK1", 100, VerificationSucceeded, false)}));

        const QList<CheckRecord> all = store.checks().value();
        QCOMPARE(all.size(), 3);
        QCOMPARE(all.at(0).checkedOn, check("LNK1", 100, '1').checkedOn);
        QCOMPARE(all.at(1).linkID, QStringLiteral("LNK2"));
        const QList<CheckRecord> one = HistoryStore(db).checks(QStringLiteral("LNK1")).value();
        QCOMPARE(one.size(), 2);
        const CheckRecord &latest = one.first();
        const CheckRecord expected = check("LNK1", 100, VerificationSucceeded, false);
        QCOMPARE(latest.title, expected.title);
        QCOMPARE(latest.result, VerificationSucceeded);
        QCOMPARE(latest.httpStatus, 200);
        QCOMPARE(latest.finalURL, expected.finalURL);
        QVERIFY(latest.addressFound && latest.inAnchor && !latest.followed && !latest.noindex);
        QCOMPARE(latest.rel, expected.rel);
        QCOMPARE(latest.anchorText, expected.anchorText);
        QVERIFY(one.at(1).followed);

        // An empty file reads as an empty history and is given its layout by the first record.
        const QString empty = databasePath(QStringLiteral("empty.site"));
        QVERIFY(writeFile(HistoryStore::pathForDatabase(empty), QByteArray()));
        HistoryStore emptyStore(empty);
        QVERIFY(emptyStore.checks()->isEmpty() && emptyStore.changes() && emptyStore.latestChecks());
        QVERIFY(emptyStore.record({check("LNK1", 0, '1')}));
        QCOMPARE(emptyStore.checks()->size(), 1);

        QCOMPARE(latest.outcome, CheckOutcome::Linked);
        QCOMPARE(latest.robots, RobotsVerdict::Disallowed);
        QCOMPARE(latest.movedTo, expected.movedTo);
        QVERIFY(HistoryStore(db).checks(QStringLiteral("LNK2"))->first().confirmed);
    }

    void trailsFollowTheRecordedChecks()
    {
        // Each link's checks, recorded a few at a time as runs do: what the file keeps at hand must
        // be what the whole sequence says (the rule itself is LinkChange's table).
        const QList<QPair<QString, QString>> sequences = {
            {"LNK1", "1 4"},                 // lost
            {"LNK2", "1 1f"},                // no longer followed
            {"LNK3", "4"},                   // one check only
            {"LNK4", "1 3 1"},               // back after an outage: nothing
            {"LNK5", "1 4 3 3"},             // a loss stands through an outage
            {"LNK6", "1 3 3 3 3 3 3 3 3"},   // unreachable for days
            {"LNK7", "1 6 3 3 3 3 3 3 3 3"}, // no address between: no alert
            {"LNK8", "4 1 3"},               // recovered, then an outage
            {"LNK9", "1 m"},                 // found elsewhere
        };
        const QString db = databasePath(QStringLiteral("trails.site"));
        HistoryStore store(db);
        QHash<QString, QList<CheckRecord>> recorded;
        for (int round = 0; round < 12; ++round) {
            QList<CheckRecord> run;
            for (const auto &[id, sequence] : sequences) {
                const QStringList codes = sequence.split(u' ');
                // Now and then two checks of a link in one run.
                for (int taken = 0; taken < (round % 3 == 0 ? 2 : 1); ++taken) {
                    const qsizetype i = recorded[id].size();
                    if (i >= codes.size())
                        break;
                    const QString code = codes.at(i);
                    CheckRecord one =
                        check(id, qint64(i) * 86400, code == QLatin1String("m") ? '4' : code.at(0).toLatin1(),
                              !code.endsWith(u'f'));
                    if (code == QLatin1String("m"))
                        one.movedTo = QStringLiteral("http://partner.example/page2.html");
                    recorded[id].append(one);
                    run.append(one);
                }
            }
            if (!run.isEmpty())
                QVERIFY2(store.record(run), qPrintable(store.errorString()));
        }
        const QHash<QString, LinkTrail> trails = store.trails(7).value();
        QCOMPARE(trails.size(), sequences.size());
        QStringList changed;
        for (const auto &[id, sequence] : sequences) {
            const LinkTrail expected = LinkTrail::of(recorded.value(id));
            const LinkTrail &kept = trails.value(id);
            QCOMPARE(kept.onlyOutagesSinceJudged, expected.onlyOutagesSinceJudged);
            QCOMPARE(kept.outageSince, expected.outageSince);
            QCOMPARE(kept.outageTimes, expected.outageTimes);
            QCOMPARE(kept.lastJudged.has_value(), expected.lastJudged.has_value());
            QCOMPARE(kept.previousJudged.has_value(), expected.previousJudged.has_value());
            if (kept.lastJudged)
                QCOMPARE(kept.lastJudged->checkedOn, expected.lastJudged->checkedOn);
            const std::optional<LinkChange> change = LinkChange::of(expected, 7);
            if (change)
                changed << id + u':' + LinkChange::keyword(change->kind);
        }
        QStringList listed;
        QDateTime previous = QDateTime::fromSecsSinceEpoch(Q_INT64_C(1) << 40);
        const QList<LinkChange> changes = store.changes(7).value();
        for (const LinkChange &change : changes) {
            listed << change.linkID + u':' + LinkChange::keyword(change.kind);
            QVERIFY(change.since <= previous); // the latest first
            previous = change.since;
        }
        std::sort(changed.begin(), changed.end());
        std::sort(listed.begin(), listed.end());
        QCOMPARE(listed, (QStringList{"LNK1:lost", "LNK2:unfollowed", "LNK5:lost", "LNK6:unreachable",
                                      "LNK8:recovered", "LNK9:moved"}));
        QCOMPARE(listed, changed);
        // With a longer alert period the outage is not one yet.
        QCOMPARE(store.changes(9)->size(), 5);
        QCOMPARE(store.latestChecks()->size(), sequences.size());
        QCOMPARE(store.latestChecks()->value("LNK3").result, '4');
    }

    void upgradesTheFirstLayout()
    {
        // Version 1 and 2 files end as version 3 with every check's outcome derived from its result.
        // A history as the first version wrote it: no followed, no anchor text, no table of latest checks.
        const QString db = databasePath(QStringLiteral("old.site"));
        QVERIFY(execute(
            HistoryStore::pathForDatabase(db),
            {"CREATE TABLE checks (id INTEGER PRIMARY KEY, link_id TEXT NOT NULL, title TEXT NOT NULL, "
             "checked_on INTEGER NOT NULL, result INTEGER NOT NULL, http_status INTEGER NOT NULL DEFAULT 0, "
             "final_url TEXT NOT NULL DEFAULT '', address_found INTEGER NOT NULL DEFAULT 0, "
             "in_anchor INTEGER NOT NULL DEFAULT 0, rel TEXT NOT NULL DEFAULT '', "
             "noindex INTEGER NOT NULL DEFAULT 0)",
             "CREATE INDEX checks_by_link ON checks (link_id, checked_on)",
             "INSERT INTO checks (link_id, title, checked_on, result, address_found, in_anchor, rel) VALUES "
             "('LNK1', 'One', 100, 49, 1, 1, ''), ('LNK1', 'One', 200, 49, 1, 1, 'nofollow'), "
             "('LNK2', 'Two', 100, 49, 1, 1, 'sponsored'), ('LNK2', 'Two', 200, 52, 0, 0, ''), "
             "('LNK3', 'Three', 100, 49, 1, 1, ''), ('LNK4', 'Four', 100, 49, 1, 1, '')",
             "INSERT INTO checks (link_id, title, checked_on, result, http_status) VALUES "
             "('LNK3', 'Three', 200, 51, 503), ('LNK4', 'Four', 200, 51, 403)",
             "PRAGMA user_version = 1"}));

        HistoryStore store(db);
        const auto checks = store.checks(QStringLiteral("LNK1"));
        QVERIFY2(checks, qPrintable(store.errorString()));
        QCOMPARE(checks->size(), 2);
        QVERIFY(!checks->at(0).followed); // nofollow
        QVERIFY(checks->at(1).followed);
        QCOMPARE(checks->at(0).rel, QStringList{QStringLiteral("nofollow")});
        QCOMPARE(checks->at(0).outcome, CheckOutcome::Linked);
        // LNK1 no longer followed; LNK2 lost as the old version said; LNK3's 503 and LNK4's 403
        // are outages now, no losses.
        const QList<LinkChange> changes = store.changes().value();
        QCOMPARE(changes.size(), 2);
        QCOMPARE(changes.at(0).kind, LinkChange::Lost);
        QCOMPARE(changes.at(1).kind, LinkChange::Unfollowed);
        const auto outcomes = [&](const char *id) {
            QStringList words;
            const QList<CheckRecord> checks = store.checks(QLatin1String(id)).value();
            for (const CheckRecord &one : checks)
                words.prepend(CheckOutcomes::keyword(one.outcome));
            return words.join(u' ');
        };
        QCOMPARE(outcomes("LNK2"), QStringLiteral("linked notLinked"));
        QCOMPARE(outcomes("LNK3"), QStringLiteral("linked unreachable"));
        QCOMPARE(outcomes("LNK4"), QStringLiteral("linked blocked"));
        QVERIFY(store.checks(QStringLiteral("LNK2"))->first().confirmed);
        // The kept checks go on from the upgraded ones: LNK2 found again, LNK3 back.
        QVERIFY(store.record({check("LNK2", 300, '1'), check("LNK3", 300, '1')}));
        const QList<LinkChange> after = store.changes().value();
        QCOMPARE(after.size(), 2);
        QCOMPARE(after.first().linkID, QStringLiteral("LNK2"));
        QCOMPARE(after.first().kind, LinkChange::Recovered);
    }

    void unusableFilesAreLeftUntouched_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("sql"); // instead of the bytes, an SQLite file made so
        QTest::addColumn<FileError::Kind>("kind");
        QTest::newRow("not SQLite") << QByteArray("This is a text file, not a history.\n").repeated(200)
                                    << QStringList() << FileError::Kind::NotAHistory;
        QTest::newRow("damaged header") << QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\xee')
                                        << QStringList() << FileError::Kind::NotAHistory;
        QTest::newRow("other program") << QByteArray() << QStringList{"CREATE TABLE recipes (name TEXT)"}
                                       << FileError::Kind::NotAHistory;
        QTest::newRow("newer version")
            << QByteArray()
            << QStringList{"CREATE TABLE checks (id INTEGER PRIMARY KEY)", "PRAGMA user_version = 99"}
            << FileError::Kind::HistoryTooNew;
    }

    void unusableFilesAreLeftUntouched()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, sql);
        QFETCH(FileError::Kind, kind);
        const QString db =
            databasePath(QStringLiteral("bad-%1.site").arg(QTest::currentDataTag()).replace(u' ', u'-'));
        const QString path = HistoryStore::pathForDatabase(db);
        QVERIFY(sql.isEmpty() ? writeFile(path, bytes) : execute(path, sql));
        const QByteArray before = fileContents(path);

        HistoryStore store(db);
        QVERIFY(!store.record({check("LNK1", 0, '1')}));
        QVERIFY(store.errorString().contains(path));
        QCOMPARE(store.error().kind(), kind);
        QVERIFY(!store.checks());
        QCOMPARE(store.error().kind(), kind);
        QVERIFY(!store.changes());
        QCOMPARE(fileContents(path), before);
        QVERIFY(!QFile::exists(path + QStringLiteral("-wal")));
    }

    void lockedOrReadOnlyHistoryIsNotWritten()
    {
        const QString db = databasePath(QStringLiteral("locked.site"));
        const QString path = HistoryStore::pathForDatabase(db);
        QVERIFY(HistoryStore(db).record({check("LNK1", 0, '1')}));
        HistoryStore holder(db);
        QVERIFY(holder.checks());
        {
            QSqlDatabase lock = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("lock"));
            lock.setDatabaseName(path);
            QVERIFY(lock.open());
            QSqlQuery q(lock);
            QVERIFY(q.exec("BEGIN EXCLUSIVE"));
            HistoryStore store(db);
            store.setBusyTimeout(100);
            QVERIFY(!store.record({check("LNK1", 10, '4')}));
            QCOMPARE(store.error().kind(), FileError::Kind::HistoryBusy);
            QVERIFY(store.isBusy());
            QVERIFY(q.exec("ROLLBACK"));
            // The lock was passing: the same store writes once it is gone.
            QVERIFY2(store.record({check("LNK1", 10, '4')}), qPrintable(store.errorString()));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("lock"));

        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
        const QByteArray before = fileContents(path);
        HistoryStore store(db);
        QCOMPARE(store.checks()->size(), 2);
        QVERIFY(!store.record({check("LNK1", 20, '4')}));
        QCOMPARE(store.error().kind(), FileError::Kind::HistoryReadOnly);
        QCOMPARE(store.errorString(),
                 QStringLiteral("The verification history %1 cannot be used: the file is read-only")
                     .arg(QDir::toNativeSeparators(path)));
        QCOMPARE(fileContents(path), before);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }

    void twoWritersBothSucceed()
    {
        // A cron job and the window write the same history at once: each waits for the other's
        // transaction instead of failing. The second writer is a thread with its own connection.
        const QString db = databasePath(QStringLiteral("two.site"));
        QVERIFY(HistoryStore(db).record({check("LNK0", 0, '1')}));
        auto batch = [](const QString &prefix) {
            QList<CheckRecord> many;
            for (int i = 0; i < 300; ++i)
                many.append(check(prefix + QString::number(i), i, '1'));
            return many;
        };
        std::atomic<int> otherFailures = 0;
        std::unique_ptr<QThread> other(QThread::create([&] {
            HistoryStore store(db);
            for (int run = 0; run < 20; ++run)
                otherFailures += store.record(batch(QStringLiteral("B"))) ? 0 : 1;
        }));
        other->start();
        HistoryStore store(db);
        int failures = 0;
        for (int run = 0; run < 20; ++run)
            failures += store.record(batch(QStringLiteral("A"))) ? 0 : 1;
        QVERIFY(other->wait(60000));
        QCOMPARE(failures, 0);
        QCOMPARE(otherFailures.load(), 0);
        QCOMPARE(HistoryStore(db).checks()->size(), 1 + 2 * 20 * 300);
    }

    void copyGoesWithSaveAs()
    {
        const QString from = databasePath(QStringLiteral("original.site"));
        const QString to = databasePath(QStringLiteral("copy.site"));
        HistoryStore source(from);
        QVERIFY(source.record({check("LNK1", 0, '1'), check("LNK1", 10, '4')}));
        // A history already beside the target belonged to the file being replaced.
        QVERIFY(HistoryStore(to).record({check("LNK7", 0, '2')}));
        FileError error;
        QVERIFY2(HistoryStore::copyHistory(from, to, &error), qPrintable(error.text()));
        QCOMPARE(HistoryStore(to).checks().value().size(), 2);
        QCOMPARE(HistoryStore(to).changes()->size(), 1); // lost
        QCOMPARE(source.checks()->size(), 2);            // the original keeps its own
        // Nothing to copy is no failure.
        QVERIFY(HistoryStore::copyHistory(databasePath(QStringLiteral("none.site")), to, &error));
        QVERIFY(HistoryStore::copyHistory(from, from, &error));
    }

    void linksAreNeverFollowed()
    {
        // A link planted beside the database, dangling or not, as the history or one of its journal
        // files: refused in one line, and nothing is created or changed through it.
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath(QStringLiteral("target"));
        const std::pair<const char *, bool> cases[] = {
            {"", false}, {"", true}, {"-wal", false}, {"-shm", false}};
        int n = 0;
        for (const auto &[suffix, targetExists] : cases) {
            const QString db = databasePath(QStringLiteral("linked%1.site").arg(++n));
            QVERIFY(writeFile(db, {}));
            if (*suffix)
                QVERIFY(HistoryStore(db).record({check("LNK1", 0, '1')}));
            if (targetExists)
                QVERIFY(writeFile(target, "theirs"));
            QVERIFY(QFile::link(target, HistoryStore::pathForDatabase(db) + QLatin1String(suffix)));
            HistoryStore store(db);
            QVERIFY(!store.record({check("LNK1", 10, '1')}));
            QVERIFY2(store.errorString().contains(QStringLiteral("symbolic link")),
                     qPrintable(store.errorString()));
            QVERIFY(!store.errorString().contains(u'\n'));
            QVERIFY(!store.checks());
            QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files),
                     targetExists ? QStringList{"target"} : QStringList());
            if (targetExists)
                QCOMPARE(fileContents(target), QByteArray("theirs"));
            QFile::remove(target);
        }

        // The name SQLite is given follows no link of its own either, so a link put there between the
        // check and the opening is no way round.
        const QString db = databasePath(QStringLiteral("race.site"));
        QVERIFY(QFile::link(target, HistoryStore::pathForDatabase(db)));
        {
            QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
            raw.setDatabaseName(HistoryFiles(db).sqliteName());
            raw.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
            QVERIFY(!raw.open() || !QSqlQuery(raw).exec(QStringLiteral("CREATE TABLE t (x)")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
        QVERIFY(!QFile::exists(target));

        // Folders on the way may be links: a database kept in a linked folder has its history.
        const QString linkedFolder = elsewhere.filePath(QStringLiteral("folder"));
        QVERIFY(QFile::link(m_dir.path(), linkedFolder));
        QVERIFY(writeFile(databasePath(QStringLiteral("through.site")), {}));
        HistoryStore through(linkedFolder + QStringLiteral("/through.site"));
        QVERIFY2(through.record({check("LNK1", 0, '1')}), qPrintable(through.errorString()));
        QVERIFY(QFileInfo(databasePath(QStringLiteral("through.site-history"))).isFile());
    }

    void permissionsFollowTheDatabase()
    {
        // The history holds partner addresses: it and its journal files get the database's bits,
        // never more than 0644, whatever the umask.
        const mode_t previousMask = ::umask(077);
        for (const mode_t mode : {0600, 0640, 0664, 0666}) {
            const QString db = databasePath(QStringLiteral("mode%1.site").arg(mode, 0, 8));
            QVERIFY(writeFile(db, {}));
            QVERIFY(::chmod(QFile::encodeName(db).constData(), mode) == 0);
            HistoryStore store(db); // keeps its connection, and so the journal files, open
            QVERIFY(store.record({check("LNK1", 0, '1')}));
            for (const char *suffix : {"", "-wal", "-shm"})
                QCOMPARE(permissionsOf(store.path() + QLatin1String(suffix)), mode & 0644);
        }
        ::umask(previousMask);

        // A history made looser before loses the extra bits when next written; Save As gives the copy
        // the new database's.
        const QString db = databasePath(QStringLiteral("mode600.site"));
        QVERIFY(::chmod(QFile::encodeName(HistoryStore::pathForDatabase(db)).constData(), 0666) == 0);
        QVERIFY(HistoryStore(db).record({check("LNK1", 10, '1')}));
        QCOMPARE(permissionsOf(HistoryStore::pathForDatabase(db)), 0600);
        const QString copy = databasePath(QStringLiteral("copy640.site"));
        QVERIFY(writeFile(copy, {}));
        QVERIFY(::chmod(QFile::encodeName(copy).constData(), 0640) == 0);
        QVERIFY(HistoryStore::copyHistory(db, copy));
        QCOMPARE(permissionsOf(HistoryStore::pathForDatabase(copy)), 0640);
        QCOMPARE(HistoryStore(copy).checks()->size(), 2);
    }

    void checksPrintAsTheirJsonObjects()
    {
        // A long history is printed without a JSON object per check: the text must be the one
        // QJsonDocument makes of the object, whatever the strings hold.
        const QString tricky = QStringLiteral("\"q\" \\ \b\f\n\r\t \x01\x1f\x7f é € ") +
                               QString::fromUtf8("\xF0\x9F\x98\x80") + QChar(0xD800) + u'x' + QChar(0xDC00);
        QList<CheckRecord> records{check("LNK1", 0, VerificationSucceeded, false),
                                   check("LNK2", 86400 * 200, VerificationLinkNotFound),
                                   check("LNK3", 5, VerificationSucceeded)}; // rel empty
        records[1].title = tricky;
        records[1].anchorText = tricky;
        records[1].httpStatus = 0;
        records[1].rel = {QStringLiteral("a"), tricky};
        for (const CheckRecord &record : records) {
            QByteArray text = "[\n";
            HistoryJson::appendCheck(text, record, 1);
            text += "\n]\n";
            QCOMPARE(text, QJsonDocument(QJsonArray{HistoryJson::check(record)}).toJson());
        }
    }

private:
    static mode_t permissionsOf(const QString &path)
    {
        struct stat status;
        return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
    }

    static CheckRecord check(const QString &id, qint64 seconds, VerificationResult result,
                             bool followed = true)
    {
        const bool found = result == VerificationSucceeded;
        const CheckOutcome outcome = CheckOutcomes::fromResult(result, result == '3' ? 503 : 200);
        return {.linkID = id,
                .title = QStringLiteral("Title of ") + id,
                .checkedOn = QDateTime::fromSecsSinceEpoch(1'700'000'000 + seconds),
                .result = result,
                .httpStatus = 200,
                .finalURL = QStringLiteral("http://partner.example/links.html"),
                .addressFound = found,
                .inAnchor = found,
                .followed = followed && found,
                .rel = found && !followed ? QStringList{"nofollow", "ugc"} : QStringList(),
                .anchorText = QStringLiteral("Mein Ort · ☃"),
                .outcome = outcome,
                .confirmed = outcome == CheckOutcome::NotLinked,
                .robots = found && !followed ? RobotsVerdict::Disallowed : RobotsVerdict::Allowed};
    }

    // Writes an SQLite file the way another program or an older version would.
    static bool execute(const QString &path, const QStringList &statements)
    {
        bool ok = true;
        {
            QSqlDatabase other =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            other.setDatabaseName(path);
            ok = other.open();
            QSqlQuery q(other);
            for (const QString &statement : statements)
                ok = ok && q.exec(statement);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        return ok;
    }

    QString databasePath(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestHistoryStore)
#include "tst_HistoryStore.moc"
