#include "LinkHistoryLoader.h"

#include "history/HistoryStore.h"
#include "history/LinkHistoryModel.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

LinkHistoryLoader::LinkHistoryLoader(QObject *parent) : QObject(parent) {}

LinkHistoryLoader::~LinkHistoryLoader() = default;

void LinkHistoryLoader::load(const QString &databasePath)
{
    const quint64 load = ++m_load;
    if (databasePath.isEmpty()) {
        m_loading = false;
        m_facts.clear();
        emit loaded();
        return;
    }
    m_loading = true;
    const int unreachableDays = LinkChange::unreachableDaysFromPreferences();
    // The pointer is only looked at on the main thread, where the loader may have gone meanwhile.
    QPointer<LinkHistoryLoader> self(this);
    QThreadPool::globalInstance()->start([self, load, databasePath, unreachableDays] {
        LinkHistoryFactsByID facts = read(databasePath, unreachableDays);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, load, facts] {
                if (!self || load != self->m_load)
                    return;
                self->m_facts = facts;
                self->m_loading = false;
                emit self->loaded();
            },
            Qt::QueuedConnection);
    });
}

LinkHistoryFactsByID LinkHistoryLoader::read(const QString &databasePath, int unreachableDays)
{
    LinkHistoryFactsByID facts;
    HistoryStore store(databasePath);
    if (!store.exists())
        return facts;
    if (const auto latest = store.latestChecks()) {
        facts.reserve(latest->size());
        for (const CheckRecord &check : *latest) {
            LinkHistoryFacts &fact = facts[check.linkID];
            fact.checked = true;
            fact.addressFound = check.addressFound;
            fact.followed = check.followed;
            fact.followedText = LinkHistoryModel::followedText(check);
            fact.anchorText = check.anchorText;
        }
    }
    if (const auto changes = store.changes(unreachableDays)) {
        for (const LinkChange &change : *changes) {
            LinkHistoryFacts &fact = facts[change.linkID];
            fact.change = change.kind;
            fact.changedOn = change.since;
        }
    }
    return facts;
}
