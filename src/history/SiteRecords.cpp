#include "SiteRecords.h"

#include "HistoryStore.h"
#include "SideFileError.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

QAtomicInt connectionCounter;

const char *const Tables[] = {
    "CREATE TABLE IF NOT EXISTS own_page_checks (id INTEGER PRIMARY KEY, checked_on INTEGER NOT NULL, "
    "pages TEXT NOT NULL, unread_pages TEXT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS own_page_findings (check_id INTEGER NOT NULL REFERENCES own_page_checks "
    "(id), "
    "link_id TEXT NOT NULL, title TEXT NOT NULL, problem TEXT NOT NULL, page TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS own_page_findings_by_check ON own_page_findings (check_id)",
    "CREATE TABLE IF NOT EXISTS published_files (destination TEXT NOT NULL, path TEXT NOT NULL, "
    "sha256 TEXT NOT NULL, published_on INTEGER NOT NULL, PRIMARY KEY (destination, path)) WITHOUT ROWID",
};

OwnPageCheck::Problem problemFromKey(const QString &key)
{
    using OwnPageCheck::Problem;
    for (Problem problem : {Problem::Missing, Problem::Hidden, Problem::Nofollow, Problem::Unexpected}) {
        if (OwnPageCheck::problemKey(problem) == key)
            return problem;
    }
    return Problem::Missing;
}

} // namespace

SiteRecords::SiteRecords(const QString &databasePath)
    : m_databasePath(databasePath),
      m_connectionName(
          QStringLiteral("quillmarsh-site-records-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{}

SiteRecords::~SiteRecords()
{
    if (QSqlDatabase::contains(m_connectionName)) {
        QSqlDatabase::database(m_connectionName, false).close();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

bool SiteRecords::fail(const FileError &why)
{
    m_error = why;
    return false;
}

bool SiteRecords::fail(const QSqlError &why)
{
    return fail(sideFileError(why));
}

QString SiteRecords::errorText(const QString &databasePath, const FileError &error)
{
    if (!error.isError())
        return QString();
    return tr("The history %1 cannot be used: %2")
        .arg(QDir::toNativeSeparators(HistoryStore::pathForDatabase(databasePath)), error.text());
}

bool SiteRecords::open(bool write)
{
    if (m_open && (m_writable || !write))
        return true;
    if (m_databasePath.isEmpty())
        return fail(FileError(FileError::Kind::HistoryCannotOpen, tr("the database has not been saved yet")));
    const QString path = HistoryStore::pathForDatabase(m_databasePath);
    if (!write && !QFileInfo::exists(path))
        return true; // nothing recorded yet
    if (write) {
        // The verification history's own layout comes first; it also refuses files that are not ours.
        HistoryStore history(m_databasePath);
        if (!history.prepareForWriting())
            return fail(history.error()); // named once, by whoever reports it
    }
    if (QSqlDatabase::contains(m_connectionName)) {
        QSqlDatabase::database(m_connectionName, false).close();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(HistoryStore::DefaultBusyTimeoutMs);
    if (!write)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open())
        return fail(sideFileError(db.lastError(), FileError::Kind::HistoryCannotOpen));
    QSqlQuery query(db);
    if (write) {
        for (const char *statement : Tables) {
            if (!query.exec(QString::fromLatin1(statement)))
                return fail(query.lastError());
        }
    } else if (!query.exec(
                   QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'published_files'")) ||
               !query.next()) {
        return fail(query.lastError());
    } else if (query.value(0).toInt() == 0) {
        return true; // a history without our tables: nothing recorded yet
    }
    m_open = true;
    m_writable = write;
    return true;
}

bool SiteRecords::recordOwnPageCheck(const OwnPageCheck::Result &result)
{
    if (!open(true))
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    QStringList pages;
    QStringList unread;
    for (const OwnPageCheck::Page &page : result.pages) {
        pages << page.url.toString();
        if (!page.loaded)
            unread << page.url.toString();
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(query.lastError());
    bool ok = query.prepare(QStringLiteral("INSERT INTO own_page_checks (checked_on, pages, unread_pages) "
                                           "VALUES (?, ?, ?)"));
    query.bindValue(0, result.checkedOn.toSecsSinceEpoch());
    // The columns are NOT NULL, and an empty list joins to a null string.
    query.bindValue(1, QString(pages.join(u'\n') + QLatin1String("")));
    query.bindValue(2, QString(unread.join(u'\n') + QLatin1String("")));
    ok = ok && query.exec();
    const QVariant checkID = query.lastInsertId();
    QSqlQuery insert(db);
    ok = ok &&
         insert.prepare(QStringLiteral("INSERT INTO own_page_findings (check_id, link_id, title, problem, "
                                       "page) VALUES (?, ?, ?, ?, ?)"));
    for (qsizetype i = 0; ok && i < result.findings.size(); ++i) {
        const OwnPageCheck::Finding &finding = result.findings.at(i);
        insert.bindValue(0, checkID);
        insert.bindValue(1, finding.linkID);
        insert.bindValue(2, finding.title.isNull() ? QStringLiteral("") : finding.title);
        insert.bindValue(3, OwnPageCheck::problemKey(finding.problem));
        insert.bindValue(4, finding.page);
        ok = insert.exec();
    }
    if (!ok || !query.exec(QStringLiteral("COMMIT"))) {
        const QSqlError why = insert.lastError().isValid() ? insert.lastError() : query.lastError();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return fail(why);
    }
    return true;
}

std::optional<OwnPageCheck::Result> SiteRecords::latestOwnPageCheck()
{
    if (!open(false))
        return std::nullopt;
    if (!m_open)
        return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    QSqlQuery query(db);
    if (!query.exec(
            QStringLiteral("SELECT id, checked_on, pages, unread_pages FROM own_page_checks ORDER BY id "
                           "DESC LIMIT 1")))
        return fail(query.lastError()), std::nullopt;
    if (!query.next())
        return std::nullopt;
    OwnPageCheck::Result result;
    const qint64 id = query.value(0).toLongLong();
    result.checkedOn = QDateTime::fromSecsSinceEpoch(query.value(1).toLongLong());
    const QStringList unread = query.value(3).toString().split(u'\n', Qt::SkipEmptyParts);
    for (const QString &page : query.value(2).toString().split(u'\n', Qt::SkipEmptyParts)) {
        OwnPageCheck::Page entry = OwnPageCheck::Page::at(QUrl(page));
        entry.loaded = !unread.contains(page);
        result.pages.append(entry);
    }
    QSqlQuery findings(db);
    findings.prepare(
        QStringLiteral("SELECT link_id, title, problem, page FROM own_page_findings WHERE check_id = ? "
                       "ORDER BY rowid"));
    findings.bindValue(0, id);
    if (!findings.exec())
        return fail(findings.lastError()), std::nullopt;
    while (findings.next())
        result.findings.append({findings.value(0).toString(), findings.value(1).toString(),
                                problemFromKey(findings.value(2).toString()), findings.value(3).toString()});
    return result;
}

std::optional<QHash<QString, QString>> SiteRecords::publishedHashes(const QString &destination)
{
    QHash<QString, QString> hashes;
    if (!open(false))
        return std::nullopt;
    if (!m_open)
        return hashes;
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.prepare(QStringLiteral("SELECT path, sha256 FROM published_files WHERE destination = ?"));
    query.bindValue(0, destination);
    if (!query.exec())
        return fail(query.lastError()), std::nullopt;
    while (query.next())
        hashes.insert(query.value(0).toString(), query.value(1).toString());
    return hashes;
}

bool SiteRecords::recordPublished(const QString &destination, const QString &remotePath,
                                  const QString &sha256)
{
    if (!open(true))
        return false;
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.prepare(
        QStringLiteral("INSERT INTO published_files (destination, path, sha256, published_on) VALUES "
                       "(?, ?, ?, strftime('%s','now')) ON CONFLICT (destination, path) DO UPDATE SET "
                       "sha256 = excluded.sha256, published_on = excluded.published_on"));
    query.bindValue(0, destination);
    query.bindValue(1, remotePath);
    query.bindValue(2, sha256);
    if (!query.exec())
        return fail(query.lastError());
    return true;
}
