#include "LinkListFilter.h"

#include "LinkListModel.h"
#include "RecordedChecksCache.h"
#include "model/Clock.h"
#include "model/Notification.h"
#include "model/NotificationComputer.h"
#include "model/TreeNode.h"

namespace {

LinkView::LinkFacts factsOf(const TreeNode *linkNode, const RecordedChecks &checks)
{
    LinkView::LinkFacts facts;
    facts.recordedCheck = LatestCheck::recordedFor(*linkNode->link(), &checks);
    for (const Notification *notification : NotificationComputer::notificationsOfLinkNode(linkNode)) {
        if (!facts.firstReminder.isValid() || notification->date() < facts.firstReminder)
            facts.firstReminder = notification->date();
    }
    return facts;
}

bool passes(const TreeNode *linkNode, const LinkFilterText &text, const LinkView::Choice &choice,
            const RecordedChecks &checks, const QDate &today)
{
    const Link *link = linkNode->link();
    if (!link || !text.matches(*link))
        return false;
    return choice.kind == LinkView::All || LinkView::matches(choice, *link, factsOf(linkNode, checks), today);
}

} // namespace

LinkListFilter::LinkListFilter(LinkListModel *model, const RecordedChecksCache *checks, QObject *parent)
    : QObject(parent), m_model(model), m_checks(checks)
{}

void LinkListFilter::setText(const QString &text)
{
    m_typed = text;
    LinkFilterText words(text);
    // A space more, or a change of case, filters the same words: the rows stay as they are.
    if (words.words() == m_text.words())
        return;
    m_text = std::move(words);
    apply();
}

void LinkListFilter::setChoice(const LinkView::Choice &choice)
{
    if (choice == m_choice)
        return;
    // Another day count only matters while its view is chosen.
    const bool same = choice.kind == m_choice.kind && choice.kind != LinkView::NotChecked;
    m_choice = choice;
    if (!same)
        apply();
}

void LinkListFilter::clear()
{
    m_typed.clear();
    const bool narrowing = isNarrowing();
    m_text = LinkFilterText();
    m_choice.kind = LinkView::All;
    if (narrowing)
        apply();
}

void LinkListFilter::refresh()
{
    if (isNarrowing())
        apply();
    else
        emit applied();
}

bool LinkListFilter::accepts(const TreeNode *linkNode) const
{
    return passes(linkNode, m_text, m_choice, m_checks->checks(), Clock::today());
}

void LinkListFilter::apply()
{
    if (!isNarrowing()) {
        m_model->setRowFilter({});
    } else {
        // The filter keeps its own copies: the table of checks is shared, not copied.
        m_model->setRowFilter([text = m_text, choice = m_choice, checks = m_checks->checks(),
                               today = Clock::today()](const TreeNode *linkNode) {
            return passes(linkNode, text, choice, checks, today);
        });
    }
    emit applied();
}

QMap<LinkView::Kind, int> LinkListFilter::countsInCategory() const
{
    QMap<LinkView::Kind, int> counts;
    const TreeNode *category = m_model->category();
    if (!category)
        return counts;
    const QDate today = Clock::today();
    const RecordedChecks &checks = m_checks->checks();
    const QList<LinkView::Kind> kinds = LinkView::kinds();
    // All Links counts every category's links.
    LinkRowsModel::forEachLinkNode(category, [&](const TreeNode *linkNode) {
        const Link *link = linkNode->link();
        if (!link)
            return;
        const LinkView::LinkFacts facts = factsOf(linkNode, checks);
        for (const LinkView::Kind kind : kinds) {
            if (LinkView::matches({kind, m_choice.days}, *link, facts, today))
                ++counts[kind];
        }
    });
    return counts;
}
