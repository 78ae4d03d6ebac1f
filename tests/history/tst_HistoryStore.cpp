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
    void recordsReadsBackAndComparesTheLastTwoChecks()
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

        // LNK1 lost, LNK2 unfollowed (the same result), LNK4 one check only, LNK5 lost and then back
        // again: only the last two count. The kinds of change are the rule's own table.
        HistoryStore changing(databasePath(QStringLiteral("changes.site")));
        QVERIFY(changing.record(
            {check("LNK1", 0, '1'), check("LNK2", 0, '1'), check("LNK4", 0, '4'), check("LNK5", 0, '1')}));
        QVERIFY(
            changing.record({check("LNK1", 10, '4'), check("LNK2", 10, '1', false), check("LNK5", 10, '3')}));
        QVERIFY(changing.record({check("LNK5", 20, '1')}));
        const QList<LinkChange> changes = changing.changes().value();
        QCOMPARE(changes.size(), 3); // the latest change first
        QCOMPARE(changes[0].linkID + changes[1].linkID + changes[2].linkID, QStringLiteral("LNK5LNK2LNK1"));
        QCOMPARE(changes[0].kind, LinkChange::Recovered);
        QCOMPARE(changes[1].kind, LinkChange::Unfollowed);
        QCOMPARE(changes[2].kind, LinkChange::Lost);
        QCOMPARE(changes[2].previous, '1');
        QCOMPARE(changes[2].current, '4');
        QCOMPARE(changes[2].since, check("LNK1", 10, '4').checkedOn);

        QCOMPARE(changing.latestChecks()->size(), 4);
        QCOMPARE(changing.latestChecks()->value("LNK4").result, '4');
    }

    void upgradesTheFirstLayout()
    {
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
             "('LNK2', 'Two', 100, 49, 1, 1, 'sponsored'), ('LNK2', 'Two', 200, 52, 0, 0, '')",
             "PRAGMA user_version = 1"}));

        HistoryStore store(db);
        const auto checks = store.checks(QStringLiteral("LNK1"));
        QVERIFY2(checks, qPrintable(store.errorString()));
        QCOMPARE(checks->size(), 2);
        QVERIFY(!checks->at(0).followed); // nofollow
        QVERIFY(checks->at(1).followed);
        QCOMPARE(checks->at(0).rel, QStringList{QStringLiteral("nofollow")});
        QCOMPARE(store.changes().value().size(), 2);
        QVERIFY(store.record({check("LNK2", 300, '1')}));
        const QList<LinkChange> after = store.changes().value();
        QCOMPARE(after.size(), 2);
        QCOMPARE(after.first().linkID, QStringLiteral("LNK2"));
        QCOMPARE(after.first().kind, LinkChange::Recovered);
    }

    void unusableFilesAreLeftUntouched_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("sql"); // instead of the bytes, an SQLite file made so
        QTest::newRow("not SQLite") << QByteArray("This is a text file, not a history.\n").repeated(200)
                                    << QStringList();
        QTest::newRow("damaged header")
            << QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\xee') << QStringList();
        QTest::newRow("other program") << QByteArray() << QStringList{"CREATE TABLE recipes (name TEXT)"};
        QTest::newRow("newer version")
            << QByteArray()
            << QStringList{"CREATE TABLE checks (id INTEGER PRIMARY KEY)", "PRAGMA user_version = 99"};
    }

    void unusableFilesAreLeftUntouched()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, sql);
        const QString db =
            databasePath(QStringLiteral("bad-%1.site").arg(QTest::currentDataTag()).replace(u' ', u'-'));
        const QString path = HistoryStore::pathForDatabase(db);
        QVERIFY(sql.isEmpty() ? writeFile(path, bytes) : execute(path, sql));
        const QByteArray before = fileContents(path);

        HistoryStore store(db);
        QVERIFY(!store.record({check("LNK1", 0, '1')}));
        QVERIFY(store.errorString().contains(path));
        QVERIFY(!store.checks());
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
            QVERIFY(!store.errorString().isEmpty());
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
        QVERIFY(store.errorString().contains(QStringLiteral("read-only")));
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
        QString error;
        QVERIFY2(HistoryStore::copyHistory(from, to, &error), qPrintable(error));
        QCOMPARE(HistoryStore(to).checks().value().size(), 2);
        QCOMPARE(HistoryStore(to).changes()->size(), 1);
        QCOMPARE(source.checks()->size(), 2); // the original keeps its own
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
                .anchorText = QStringLiteral("Mein Ort · ☃")};
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
