#include "HistoryStore.h"

#include "HistoryFiles.h"
#include "SideFileError.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <algorithm>

namespace {

QAtomicInt connectionCounter;

const char *const CheckColumns =
    "link_id, title, checked_on, result, http_status, final_url, address_found, "
    "in_anchor, followed, rel, anchor_text, noindex, outcome, confirmed, robots, moved_to";
constexpr int CheckColumnCount = 16;

// The layout of the first version; upgrades lead from it to the current one, so an old file and a
// new one end the same.
const char *const SchemaVersion1[] = {
    "CREATE TABLE checks (id INTEGER PRIMARY KEY, link_id TEXT NOT NULL, title TEXT NOT NULL, "
    "checked_on INTEGER NOT NULL, result INTEGER NOT NULL, http_status INTEGER NOT NULL DEFAULT 0, "
    "final_url TEXT NOT NULL DEFAULT '', address_found INTEGER NOT NULL DEFAULT 0, "
    "in_anchor INTEGER NOT NULL DEFAULT 0, rel TEXT NOT NULL DEFAULT '', noindex INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX checks_by_link ON checks (link_id, checked_on)",
};

// Version 2: whether the link is followed and its anchor text; each link's last two checks kept at
// hand, so the changes of every link are one join rather than a walk through all checks.
const char *const SchemaVersion2[] = {
    "ALTER TABLE checks ADD COLUMN followed INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE checks ADD COLUMN anchor_text TEXT NOT NULL DEFAULT ''",
    "UPDATE checks SET followed = (address_found AND in_anchor AND ' ' || lower(rel) || ' ' NOT LIKE '% "
    "nofollow %' "
    "AND ' ' || lower(rel) || ' ' NOT LIKE '% sponsored %' AND ' ' || lower(rel) || ' ' NOT LIKE '% ugc %')",
    "CREATE TABLE latest (link_id TEXT PRIMARY KEY, last_id INTEGER NOT NULL, previous_id INTEGER) WITHOUT "
    "ROWID",
    "INSERT INTO latest (link_id, last_id) SELECT link_id, MAX(id) FROM checks GROUP BY link_id",
    "UPDATE latest SET previous_id = (SELECT MAX(id) FROM checks WHERE checks.link_id = latest.link_id AND "
    "checks.id < latest.last_id)",
};

// Version 3: what each check found out beside its result code. Older checks are given the outcome
// their result stands for (a failed links page that answered 401, 403 or 451 was refused); their
// missing links count as confirmed, as they were reported then. Each link's last two judged checks and
// the run of unreachable or blocked checks it ends with are kept at hand beside its last two checks.
const char *const SchemaVersion3[] = {
    "ALTER TABLE checks ADD COLUMN outcome TEXT NOT NULL DEFAULT 'none'",
    "ALTER TABLE checks ADD COLUMN confirmed INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE checks ADD COLUMN robots TEXT NOT NULL DEFAULT 'unavailable'",
    "ALTER TABLE checks ADD COLUMN moved_to TEXT NOT NULL DEFAULT ''",
    "UPDATE checks SET outcome = CASE WHEN result = 49 THEN 'linked' WHEN result = 52 THEN 'notLinked' "
    "WHEN result IN (50, 51) AND http_status IN (401, 403, 451) THEN 'blocked' "
    "WHEN result IN (50, 51) THEN 'unreachable' ELSE 'none' END, confirmed = (result = 52)",
    "ALTER TABLE latest ADD COLUMN judged_id INTEGER",
    "ALTER TABLE latest ADD COLUMN previous_judged_id INTEGER",
    "ALTER TABLE latest ADD COLUMN outage_first_id INTEGER",
    "ALTER TABLE latest ADD COLUMN before_outage_id INTEGER",
    "UPDATE latest SET judged_id = (SELECT MAX(id) FROM checks WHERE checks.link_id = latest.link_id AND "
    "checks.outcome IN ('linked', 'notLinked'))",
    "UPDATE latest SET previous_judged_id = (SELECT MAX(id) FROM checks WHERE checks.link_id = "
    "latest.link_id "
    "AND checks.outcome IN ('linked', 'notLinked') AND checks.id < latest.judged_id)",
    "UPDATE latest SET before_outage_id = (SELECT MAX(id) FROM checks WHERE checks.link_id = latest.link_id "
    "AND checks.outcome NOT IN ('unreachable', 'blocked'))",
    "UPDATE latest SET outage_first_id = (SELECT MIN(id) FROM checks WHERE checks.link_id = latest.link_id "
    "AND "
    "checks.id > COALESCE(latest.before_outage_id, 0))",
    "UPDATE latest SET before_outage_id = NULL WHERE outage_first_id IS NULL",
};

// Each link's kept checks move on in one statement, in the order the checks were added: the last
// two, the last two judged ones, and the run of outages (its first check and the check before it).
const char *const AdvanceLatest =
    "INSERT INTO latest (link_id, last_id, judged_id, outage_first_id) "
    "SELECT link_id, id, CASE WHEN outcome IN ('linked', 'notLinked') THEN id END, "
    "CASE WHEN outcome IN ('unreachable', 'blocked') THEN id END FROM checks WHERE id >= ? ORDER BY id "
    "ON CONFLICT (link_id) DO UPDATE SET previous_id = last_id, last_id = excluded.last_id, "
    "previous_judged_id = CASE WHEN excluded.judged_id IS NULL THEN previous_judged_id ELSE judged_id END, "
    "judged_id = COALESCE(excluded.judged_id, judged_id), "
    "outage_first_id = CASE WHEN excluded.outage_first_id IS NULL THEN NULL "
    "ELSE COALESCE(outage_first_id, excluded.outage_first_id) END, "
    "before_outage_id = CASE WHEN excluded.outage_first_id IS NULL THEN NULL "
    "WHEN outage_first_id IS NULL THEN last_id ELSE before_outage_id END";

CheckRecord recordFromQuery(const QSqlQuery &query, int first = 0)
{
    CheckRecord record;
    record.linkID = query.value(first).toString();
    record.title = query.value(first + 1).toString();
    record.checkedOn = QDateTime::fromSecsSinceEpoch(query.value(first + 2).toLongLong());
    record.result = VerificationResult(query.value(first + 3).toInt());
    record.httpStatus = query.value(first + 4).toInt();
    record.finalURL = query.value(first + 5).toString();
    record.addressFound = query.value(first + 6).toBool();
    record.inAnchor = query.value(first + 7).toBool();
    record.followed = query.value(first + 8).toBool();
    const QString rel = query.value(first + 9).toString();
    record.rel = rel.split(u' ', Qt::SkipEmptyParts);
    record.anchorText = query.value(first + 10).toString();
    record.noindex = query.value(first + 11).toBool();
    record.outcome =
        CheckOutcomes::fromKeyword(query.value(first + 12).toString()).value_or(CheckOutcome::None);
    record.confirmed = query.value(first + 13).toBool();
    record.robots = RobotsVerdicts::fromKeyword(query.value(first + 14).toString());
    record.movedTo = query.value(first + 15).toString();
    return record;
}

// A file whose mode allows no writing is read-only for us too, even where the system would let us
// (the superuser).
bool isWritable(const QFileInfo &file)
{
    constexpr QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return file.isWritable() && (file.permissions() & anyWrite);
}

// The columns are NOT NULL: a null string is stored as an empty one.
QString notNull(const QString &text)
{
    return text.isNull() ? QString(QLatin1String("")) : text;
}

QString prefixed(const char *columns, const char *table)
{
    QStringList names;
    for (const QString &name : QString::fromLatin1(columns).split(QStringLiteral(", ")))
        names << QLatin1String(table) + u'.' + name;
    return names.join(QStringLiteral(", "));
}

} // namespace

HistoryStore::HistoryStore(const QString &databasePath)
    : m_databasePath(databasePath), m_path(pathForDatabase(databasePath)),
      m_connectionName(QStringLiteral("quillmarsh-history-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{}

HistoryStore::~HistoryStore()
{
    closeConnection();
}

QString HistoryStore::pathForDatabase(const QString &databasePath)
{
    return databasePath + QStringLiteral("-history");
}

bool HistoryStore::exists() const
{
    return QFileInfo::exists(m_path);
}

QSqlDatabase HistoryStore::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool HistoryStore::fail(const QSqlError &error, FileError::Kind otherwise)
{
    const FileError why = sideFileError(error, otherwise);
    return fail(why.kind(), why.detail());
}

bool HistoryStore::fail(FileError::Kind kind, const QString &detail)
{
    m_error = FileError(kind, detail);
    // The connection closes at the next opening, once the caller's queries are gone.
    m_open = false;
    return false;
}

QString HistoryStore::errorText(const QString &databasePath, const FileError &error)
{
    if (!error.isError())
        return QString();
    return tr("The verification history %1 cannot be used: %2")
        .arg(QDir::toNativeSeparators(pathForDatabase(databasePath)), error.text());
}

QString HistoryStore::errorMessage(const QString &databasePath, const FileError &error)
{
    if (!error.isError())
        return QString();
    // The file is named so that the user can find it.
    return tr("The verification history %1 cannot be used. %2")
        .arg(QDir::toNativeSeparators(pathForDatabase(databasePath)), error.message());
}

void HistoryStore::closeConnection()
{
    if (QSqlDatabase::contains(m_connectionName)) {
        {
            QSqlDatabase db = database();
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connectionName);
    }
    m_open = false;
}

bool HistoryStore::openConnection(bool readOnly)
{
    closeConnection();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return fail(FileError::Kind::HistoryCannotOpen,
                    QStringLiteral("the SQLite driver of Qt SQL is not installed"));
    // The history is named by a URI that opens it through a VFS that never follows its last name.
    const QString name = HistoryFiles(m_databasePath).sqliteName();
    if (name.isEmpty())
        return fail(FileError::Kind::HistoryCannotOpen,
                    QStringLiteral("the SQLite library cannot open files without following links"));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(name);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1;QSQLITE_OPEN_URI").arg(m_busyTimeoutMs);
    if (readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open())
        return fail(db.lastError(), FileError::Kind::HistoryCannotOpen);
    m_open = true;
    m_readOnly = readOnly;
    // In WAL mode NORMAL loses at most the last run on a power cut and never damages the file; a
    // larger cache keeps the index by link in memory while a run is appended.
    QSqlQuery pragmas(db);
    pragmas.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    pragmas.exec(QStringLiteral("PRAGMA cache_size=-16000"));
    return true;
}

bool HistoryStore::open(Access access)
{
    if (m_unusable)
        return false;
    if (m_open && (access == Access::Read || !m_readOnly))
        return true;
    m_error = FileError();
    // A link in the database's folder must not make a writer (possibly root) write through it.
    const HistoryFiles files(m_databasePath);
    QString why;
    if (!files.checkNames(&why)) {
        m_unusable = true;
        return fail(FileError::Kind::HistoryCannotOpen, why);
    }
    const QFileInfo file(m_path);
    if (!file.exists()) {
        if (access == Access::Read)
            return true; // an empty history
    } else if (access == Access::Write && !isWritable(file)) {
        return fail(FileError::Kind::HistoryReadOnly);
    }
    if (access == Access::Write && !files.prepareForWriting(&why))
        return fail(FileError::Kind::CannotWrite, why);

    if (!openConnection(access == Access::Read))
        return false;
    QSqlQuery query(database());
    // A file that is not SQLite fails here, before anything is written to it.
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        const QSqlError error = query.lastError();
        fail(error, FileError::Kind::NotAHistory);
        if (m_error.kind() != FileError::Kind::HistoryBusy &&
            !error.text().contains(QLatin1String("locked"), Qt::CaseInsensitive))
            m_unusable = true;
        return false;
    }
    const int version = query.value(0).toInt();
    query.finish();
    if (version > SchemaVersion) {
        m_unusable = true;
        return fail(FileError::Kind::HistoryTooNew);
    }
    if (version == SchemaVersion)
        return true;
    if (version == 0 && access == Access::Read) {
        // An empty file (a writer that was interrupted): nothing recorded yet, nothing to read.
        m_open = false;
        return true;
    }
    if (access == Access::Read) {
        // An older layout is upgraded before it is read, if it may be written.
        if (!isWritable(file))
            return fail(FileError::Kind::HistoryNeedsUpgrade);
        if (!openConnection(false))
            return false;
    }
    return upgrade(version);
}

bool HistoryStore::upgrade(int fromVersion)
{
    QSqlDatabase db = database();
    QSqlQuery query(db);
    if (fromVersion == 0) {
        // Only an empty file is given a layout: tables of some other program are not ours to change.
        // The message log's tables ("mail_…") share the file and are none of ours.
        if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name NOT LIKE 'mail\\_%' "
                                       "ESCAPE '\\'")) ||
            !query.next())
            return fail(query.lastError());
        const bool empty = query.value(0).toInt() == 0;
        query.finish();
        if (!empty) {
            m_unusable = true;
            return fail(FileError::Kind::NotAHistory);
        }
        // A history is a time series that every writer appends to; WAL lets readers go on meanwhile.
        query.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        query.finish();
    }
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(query.lastError());
    // Another writer may have upgraded the file while this one waited for the lock.
    int version = fromVersion;
    if (query.exec(QStringLiteral("PRAGMA user_version")) && query.next())
        version = query.value(0).toInt();
    query.finish();
    auto run = [&](const auto &statements) {
        for (const char *statement : statements) {
            if (!query.exec(QString::fromLatin1(statement)))
                return false;
        }
        return true;
    };
    bool ok = true;
    if (version < 1)
        ok = run(SchemaVersion1);
    if (ok && version < 2)
        ok = run(SchemaVersion2);
    if (ok && version < 3)
        ok = run(SchemaVersion3);
    if (ok)
        ok = query.exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion));
    if (!ok) {
        const QSqlError why = query.lastError();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return fail(why);
    }
    if (!query.exec(QStringLiteral("COMMIT"))) {
        const QSqlError why = query.lastError();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return fail(why);
    }
    return true;
}

bool HistoryStore::record(const QList<CheckRecord> &checks)
{
    if (checks.isEmpty())
        return true;
    if (!open(Access::Write))
        return false;
    QSqlDatabase db = database();
    QSqlQuery query(db);
    // Taking the write lock at the start waits for another writer instead of failing halfway.
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(query.lastError());
    qint64 firstID = 1;
    if (query.exec(QStringLiteral("SELECT COALESCE(MAX(id), 0) + 1 FROM checks")) && query.next())
        firstID = query.value(0).toLongLong();
    query.finish();
    QSqlQuery insert(db);
    QSqlQuery latest(db);
    bool ok = insert.prepare(
        QStringLiteral("INSERT INTO checks (%1) VALUES (?%2)")
            .arg(QLatin1String(CheckColumns), QStringLiteral(", ?").repeated(CheckColumnCount - 1)));
    for (qsizetype i = 0; ok && i < checks.size(); ++i) {
        const CheckRecord &check = checks.at(i);
        insert.bindValue(0, check.linkID);
        insert.bindValue(1, notNull(check.title));
        insert.bindValue(2, check.checkedOn.toSecsSinceEpoch());
        insert.bindValue(3, int(check.result));
        insert.bindValue(4, check.httpStatus);
        insert.bindValue(5, notNull(check.finalURL));
        insert.bindValue(6, int(check.addressFound));
        insert.bindValue(7, int(check.inAnchor));
        insert.bindValue(8, int(check.followed));
        insert.bindValue(9, notNull(check.rel.join(u' ')));
        insert.bindValue(10, notNull(check.anchorText));
        insert.bindValue(11, int(check.noindex));
        insert.bindValue(12, CheckOutcomes::keyword(check.outcome));
        insert.bindValue(13, int(check.confirmed));
        insert.bindValue(14, RobotsVerdicts::keyword(check.robots));
        insert.bindValue(15, notNull(check.movedTo));
        ok = insert.exec();
    }
    if (ok && latest.prepare(QLatin1String(AdvanceLatest))) {
        latest.bindValue(0, firstID);
        ok = latest.exec();
    } else {
        ok = false;
    }
    if (!ok || !query.exec(QStringLiteral("COMMIT"))) {
        QSqlError why = insert.lastError().isValid() ? insert.lastError() : latest.lastError();
        if (why.text().trimmed().isEmpty())
            why = query.lastError();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return fail(why);
    }
    return true;
}

std::optional<QList<CheckRecord>> HistoryStore::checks(const QString &linkID)
{
    QList<CheckRecord> result;
    if (!forEachCheck(linkID, [&](const CheckRecord &check) { result.append(check); }))
        return std::nullopt;
    return result;
}

bool HistoryStore::forEachCheck(const QString &linkID, const std::function<void(const CheckRecord &)> &visit)
{
    if (!open(Access::Read))
        return false;
    if (!m_open)
        return true;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    QString sql = QStringLiteral("SELECT %1 FROM checks").arg(QLatin1String(CheckColumns));
    if (!linkID.isNull())
        sql += QStringLiteral(" WHERE link_id = ?");
    sql += QStringLiteral(" ORDER BY checked_on DESC, id DESC");
    if (!query.prepare(sql))
        return fail(query.lastError());
    if (!linkID.isNull())
        query.bindValue(0, linkID);
    if (!query.exec())
        return fail(query.lastError());
    while (query.next())
        visit(recordFromQuery(query));
    if (query.lastError().isValid())
        return fail(query.lastError());
    return true;
}

std::optional<QHash<QString, LinkTrail>> HistoryStore::trails(int unreachableDays)
{
    if (!open(Access::Read))
        return std::nullopt;
    QHash<QString, LinkTrail> result;
    if (!m_open)
        return result;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    const QString sql =
        QStringLiteral("SELECT latest.link_id, %1, %2, %3, f.checked_on, "
                       "latest.last_id IS latest.judged_id OR (latest.outage_first_id IS NOT NULL "
                       "AND latest.before_outage_id IS latest.judged_id) "
                       "FROM latest JOIN checks AS a ON a.id = latest.last_id "
                       "LEFT JOIN checks AS j ON j.id = latest.judged_id "
                       "LEFT JOIN checks AS p ON p.id = latest.previous_judged_id "
                       "LEFT JOIN checks AS f ON f.id = latest.outage_first_id")
            .arg(prefixed(CheckColumns, "a"), prefixed(CheckColumns, "j"), prefixed(CheckColumns, "p"));
    if (!query.exec(sql))
        return fail(query.lastError()), std::nullopt;
    const int latestAt = 1, judgedAt = latestAt + CheckColumnCount, previousAt = judgedAt + CheckColumnCount;
    const int outageAt = previousAt + CheckColumnCount;
    while (query.next()) {
        LinkTrail trail;
        trail.latest = recordFromQuery(query, latestAt);
        if (!query.isNull(judgedAt))
            trail.lastJudged = recordFromQuery(query, judgedAt);
        if (!query.isNull(previousAt))
            trail.previousJudged = recordFromQuery(query, previousAt);
        // A check that was neither judged nor an outage breaks the run since the judged one.
        trail.onlyOutagesSinceJudged = query.value(outageAt + 1).toBool();
        if (trail.onlyOutagesSinceJudged && !query.isNull(outageAt))
            trail.outageSince = QDateTime::fromSecsSinceEpoch(query.value(outageAt).toLongLong());
        result.insert(query.value(0).toString(), trail);
    }
    query.finish();
    // The times of the outages within the alert period of each link whose run follows a judged check.
    if (!query.prepare(QStringLiteral(
            "SELECT c.link_id, c.checked_on FROM latest JOIN checks AS a ON a.id = latest.last_id "
            "JOIN checks AS c ON c.link_id = latest.link_id AND c.id >= latest.outage_first_id "
            "AND c.checked_on > a.checked_on - ? "
            "WHERE latest.outage_first_id IS NOT NULL AND latest.before_outage_id IS latest.judged_id "
            "ORDER BY c.link_id, c.id")))
        return fail(query.lastError()), std::nullopt;
    // A day more than the period, which the rule then measures in local days.
    query.bindValue(0, qint64(unreachableDays + 1) * 86400);
    if (!query.exec())
        return fail(query.lastError()), std::nullopt;
    while (query.next()) {
        const auto trail = result.find(query.value(0).toString());
        if (trail != result.end())
            trail->outageTimes.append(QDateTime::fromSecsSinceEpoch(query.value(1).toLongLong()));
    }
    return result;
}

std::optional<QList<LinkChange>> HistoryStore::changes(int unreachableDays)
{
    const std::optional<QHash<QString, LinkTrail>> all = trails(unreachableDays);
    if (!all)
        return std::nullopt;
    return changesOf(*all, unreachableDays);
}

QList<LinkChange> HistoryStore::changesOf(const QHash<QString, LinkTrail> &trails, int unreachableDays)
{
    QList<LinkChange> result;
    for (const LinkTrail &trail : trails) {
        if (std::optional<LinkChange> change = LinkChange::of(trail, unreachableDays))
            result.append(*change);
    }
    std::sort(result.begin(), result.end(), [](const LinkChange &a, const LinkChange &b) {
        return a.since != b.since ? a.since > b.since : a.linkID > b.linkID;
    });
    return result;
}

std::optional<QHash<QString, CheckRecord>> HistoryStore::latestChecks()
{
    if (!open(Access::Read))
        return std::nullopt;
    QHash<QString, CheckRecord> result;
    if (!m_open)
        return result;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    // Every column of the check, named by its table: "latest" has a link_id too.
    QStringList columns = QString::fromLatin1(CheckColumns).split(QStringLiteral(", "));
    for (QString &column : columns)
        column.prepend(QStringLiteral("checks."));
    if (!query.exec(QStringLiteral("SELECT %1 FROM latest JOIN checks ON checks.id = latest.last_id")
                        .arg(columns.join(QStringLiteral(", ")))))
        return fail(query.lastError()), std::nullopt;
    while (query.next()) {
        const CheckRecord record = recordFromQuery(query);
        result.insert(record.linkID, record);
    }
    return result;
}

bool HistoryStore::copyHistory(const QString &fromDatabase, const QString &toDatabase, FileError *error)
{
    HistoryStore source(fromDatabase);
    if (!source.exists() || QFileInfo(source.path()).canonicalFilePath() ==
                                QFileInfo(pathForDatabase(toDatabase)).canonicalFilePath())
        return true;
    auto failed = [&](const FileError &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!source.open(Access::Read))
        return failed(source.error());
    const QString target = pathForDatabase(toDatabase);
    const QString temporary = target + QStringLiteral(".part");
    QFile::remove(temporary);
    // The copy is made empty first, with the new database's permission bits, and never through a link.
    QString why;
    if (!HistoryFiles(toDatabase).createEmpty(temporary, &why))
        return failed(FileError(FileError::Kind::CannotWrite, why));
    {
        // VACUUM INTO writes one consistent file, whatever a writer does meanwhile and whatever sits in the
        // WAL.
        QSqlQuery query(source.database());
        query.prepare(QStringLiteral("VACUUM INTO ?"));
        query.bindValue(0, temporary);
        if (!query.exec()) {
            QFile::remove(temporary);
            return failed(FileError(FileError::Kind::CannotWrite, query.lastError().text()));
        }
    }
    source.closeConnection();
    // The journal of the history being replaced must not be replayed onto the copy.
    QFile::remove(target + QStringLiteral("-wal"));
    QFile::remove(target + QStringLiteral("-shm"));
    if (QFile::exists(target) && !QFile::remove(target)) {
        QFile::remove(temporary);
        return failed(FileError(FileError::Kind::CannotWrite, QDir::toNativeSeparators(target)));
    }
    if (!QFile::rename(temporary, target)) {
        QFile::remove(temporary);
        return failed(FileError(FileError::Kind::CannotWrite, QDir::toNativeSeparators(target)));
    }
    return true;
}
