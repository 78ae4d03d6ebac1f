#include "LinkHistoryLoader.h"

#include "FreedMemory.h"
#include "StoreKeys.h"
#include "history/HistoryService.h"
#include "history/LinkHistoryModel.h"

#include <QTimer>
#include <memory>

LinkHistoryLoader::LinkHistoryLoader(const CollectionManager *store, QObject *parent)
    : QObject(parent), m_store(store)
{}

LinkHistoryLoader::~LinkHistoryLoader() = default;

void LinkHistoryLoader::load(const QString &databasePath)
{
    const quint64 load = ++m_load;
    if (databasePath.isEmpty()) {
        finished(load, {});
        return;
    }
    m_loading = true;
    const int unreachableDays = LinkChange::unreachableDaysFromPreferences();
    // Both reads are queued at once, so they see the same history; the history thread answers in the
    // order it was asked, so the changes come last and complete the facts.
    auto facts = std::make_shared<LinkHistoryFactTable>();
    HistoryService *history = HistoryService::instance();
    history->readLatestChecks(
        databasePath, this, [this, facts](const HistoryReply<QHash<QString, CheckRecord>> &reply) {
            if (!reply.value)
                return;
            facts->reserve(reply.value->size());
            addByStoreIDs(m_store, *reply.value, *facts,
                          [&facts](const QString &key, const CheckRecord &check) {
                              facts->setLatestCheck(key, check.addressFound, check.followed,
                                                    LinkHistoryModel::followedText(check), check.anchorText);
                          });
        });
    history->readChanges(databasePath, unreachableDays, this,
                         [this, load, facts](const HistoryReply<QList<LinkChange>> &reply) {
                             if (reply.value) {
                                 for (const LinkChange &change : *reply.value) {
                                     // A link is changed only by its checks, whose latest check the
                                     // table holds under the store's ID.
                                     facts->setChange(facts->contains(change.linkID) ? change.linkID
                                                                                     : ownCopy(change.linkID),
                                                      change.kind, change.since.toSecsSinceEpoch());
                                 }
                             }
                             finished(load, *facts);
                         });
}

void LinkHistoryLoader::finished(quint64 load, const LinkHistoryFactTable &facts)
{
    if (load != m_load)
        return;
    m_facts = facts;
    m_loading = false;
    emit loaded();
    // After the replies that held the read are gone: the history's read leaves tens of megabytes.
    if (!facts.isEmpty())
        QTimer::singleShot(0, this, &returnFreedMemory);
}
