#include "RecordedChecksCache.h"

#include "history/HistoryStore.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

namespace {

RecordedChecks readChecks(const QString &databasePath)
{
    RecordedChecks checks;
    HistoryStore history(databasePath);
    // Reading never makes the file: a database never checked has no history.
    if (!history.exists())
        return checks;
    const std::optional<QHash<QString, CheckRecord>> latest = history.latestChecks();
    if (!latest)
        return checks;
    checks.reserve(latest->size());
    for (const CheckRecord &check : *latest)
        checks.insert(check.linkID, LatestCheck::fromRecorded(check.result, check.followed));
    return checks;
}

} // namespace

RecordedChecksCache::RecordedChecksCache(QObject *parent) : QObject(parent) {}

void RecordedChecksCache::reload(const QString &databasePath)
{
    const quint64 generation = ++m_generation;
    if (databasePath.isEmpty()) {
        m_loading = false;
        loaded(generation, {});
        return;
    }
    m_loading = true;
    QPointer<RecordedChecksCache> self(this);
    QThreadPool::globalInstance()->start([self, generation, databasePath] {
        RecordedChecks checks = readChecks(databasePath);
        // The pointer is only looked at on the main thread, where the cache lives and dies.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, generation, checks = std::move(checks)] {
                if (self)
                    self->loaded(generation, checks);
            },
            Qt::QueuedConnection);
    });
}

void RecordedChecksCache::loaded(quint64 generation, const RecordedChecks &checks)
{
    if (generation != m_generation)
        return;
    m_loading = false;
    if (checks.isEmpty() && m_checks.isEmpty())
        return;
    m_checks = checks;
    emit checksChanged();
}
