#include "RecordedChecksCache.h"

#include "StoreKeys.h"
#include "history/HistoryService.h"

RecordedChecksCache::RecordedChecksCache(const CollectionManager *store, QObject *parent)
    : QObject(parent), m_store(store)
{}

void RecordedChecksCache::reload(const QString &databasePath)
{
    const quint64 generation = ++m_generation;
    if (databasePath.isEmpty()) {
        m_loading = false;
        loaded(generation, {});
        return;
    }
    m_loading = true;
    // Read on the history thread, which also counts checks still waiting for a busy history.
    HistoryService::instance()->readLatestChecks(
        databasePath, this, [this, generation](const HistoryReply<QHash<QString, CheckRecord>> &reply) {
            RecordedChecks checks;
            if (reply.value) {
                checks.reserve(reply.value->size());
                addByStoreIDs(m_store, *reply.value, checks,
                              [&checks](const QString &key, const CheckRecord &check) {
                                  checks.insert(key, LatestCheck::fromRecorded(check.result, check.followed));
                              });
            }
            loaded(generation, checks);
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
