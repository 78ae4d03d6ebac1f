#include "LinkHistoryLoader.h"

#include "FreedMemory.h"
#include "history/HistoryService.h"
#include "history/LinkHistoryModel.h"

#include <QSet>
#include <QTimer>
#include <memory>

LinkHistoryLoader::LinkHistoryLoader(QObject *parent) : QObject(parent) {}

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
    auto facts = std::make_shared<LinkHistoryFactsByID>();
    HistoryService *history = HistoryService::instance();
    history->readLatestChecks(databasePath, this,
                              [facts](const HistoryReply<QHash<QString, CheckRecord>> &reply) {
                                  if (!reply.value)
                                      return;
                                  facts->reserve(reply.value->size());
                                  // Partners mostly link with the same few words: one string each. Nothing
                                  // kept is shared with the reply, which is freed as a whole.
                                  QSet<QString> words;
                                  QSet<QString> anchors;
                                  for (const CheckRecord &check : *reply.value) {
                                      LinkHistoryFacts &fact = (*facts)[ownCopy(check.linkID)];
                                      fact.checked = true;
                                      fact.addressFound = check.addressFound;
                                      fact.followed = check.followed;
                                      const QString text = LinkHistoryModel::followedText(check);
                                      fact.followedText = *words.insert(text);
                                      auto anchor = anchors.constFind(check.anchorText);
                                      if (anchor == anchors.cend())
                                          anchor = anchors.insert(ownCopy(check.anchorText));
                                      fact.anchorText = *anchor;
                                  }
                              });
    history->readChanges(databasePath, unreachableDays, this,
                         [this, load, facts](const HistoryReply<QList<LinkChange>> &reply) {
                             if (reply.value) {
                                 for (const LinkChange &change : *reply.value) {
                                     auto fact = facts->find(change.linkID);
                                     if (fact == facts->end())
                                         fact = facts->insert(ownCopy(change.linkID), {});
                                     fact->change = change.kind;
                                     fact->changedOn = change.since.toSecsSinceEpoch();
                                 }
                             }
                             finished(load, *facts);
                         });
}

void LinkHistoryLoader::finished(quint64 load, const LinkHistoryFactsByID &facts)
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
