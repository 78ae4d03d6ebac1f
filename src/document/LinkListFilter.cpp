#include "LinkListFilter.h"

#include "LinkListModel.h"
#include "LinkRowCache.h"
#include "RecordedChecksCache.h"
#include "model/Clock.h"
#include "model/Notification.h"
#include "model/NotificationComputer.h"
#include "model/TreeNode.h"

#include <vector>

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

const LinkView::LinkFacts &cachedFacts(LinkRowCache *cache, int row, const TreeNode *linkNode,
                                       const RecordedChecks &checks)
{
    return cache->viewFacts(row, [&] { return factsOf(linkNode, checks); });
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
    m_model->rowCache()->forgetViewFacts();
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
        // The filter keeps its own copies of the words and the view; the rows' texts and facts are
        // read from the row cache, which forgets them when a row, the checks or the reminders change.
        // The cache belongs to the model and the checks outlive it.
        m_model->setRowFilter([cache = m_model->rowCache(), checks = m_checks, text = m_text,
                               choice = m_choice, today = Clock::today()](int row, const TreeNode *linkNode) {
            const Link *link = linkNode->link();
            if (!link || (!text.isEmpty() && !text.matches(*link, cache->preparedText(row, *link))))
                return false;
            return choice.kind == LinkView::All ||
                   LinkView::matches(choice, *link, cachedFacts(cache, row, linkNode, checks->checks()),
                                     today);
        });
    }
    emit applied();
}

QMap<LinkView::Kind, int> LinkListFilter::countsInCategory() const
{
    QMap<LinkView::Kind, int> counts;
    if (!m_model->category())
        return counts;
    const QDate today = Clock::today();
    const QList<LinkView::Kind> kinds = LinkView::kinds();
    std::vector<int> tally(size_t(kinds.size()), 0);
    // One pass over the rows, each row's facts worked out once for every view.
    const int rows = m_model->unfilteredRowCount();
    for (int row = 0; row < rows; ++row) {
        const TreeNode *linkNode = m_model->linkNodeAtUnfilteredRow(row);
        const Link *link = linkNode ? linkNode->link() : nullptr;
        if (!link)
            continue;
        const LinkView::LinkFacts &facts =
            cachedFacts(m_model->rowCache(), row, linkNode, m_checks->checks());
        for (qsizetype i = 0; i < kinds.size(); ++i) {
            if (LinkView::matches({kinds[i], m_choice.days}, *link, facts, today))
                ++tally[size_t(i)];
        }
    }
    for (qsizetype i = 0; i < kinds.size(); ++i)
        counts[kinds[i]] = tally[size_t(i)];
    return counts;
}
