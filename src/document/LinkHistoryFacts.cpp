#include "LinkHistoryFacts.h"

#include "FreedMemory.h"

#include <algorithm>
#include <limits>

std::optional<LinkHistoryFacts> LinkHistoryFactTable::value(const QString &linkID) const
{
    const auto found = m_entries.constFind(linkID);
    if (found == m_entries.cend())
        return std::nullopt;
    const Entry &entry = found.value();
    LinkHistoryFacts facts;
    facts.checked = entry.flags & Checked;
    facts.addressFound = entry.flags & AddressFound;
    facts.followed = entry.flags & Followed;
    facts.followedText = m_texts.at(entry.followedText);
    facts.anchorText = m_texts.at(entry.anchorText);
    if (entry.change >= 0) {
        facts.change = LinkChange::Kind(entry.change);
        facts.changedOn = entry.changedOn;
    }
    return facts;
}

void LinkHistoryFactTable::setLatestCheck(const QString &key, bool addressFound, bool followed,
                                          const QString &followedText, const QString &anchorText)
{
    Entry &entry = m_entries[key];
    entry.flags = quint8(Checked | (addressFound ? AddressFound : 0) | (followed ? Followed : 0));
    entry.followedText = textIndex(followedText);
    entry.anchorText = textIndex(anchorText);
}

void LinkHistoryFactTable::setChange(const QString &key, LinkChange::Kind kind, qint64 changedOn)
{
    Entry &entry = m_entries[key];
    entry.change = qint8(kind);
    entry.changedOn = quint32(std::clamp<qint64>(changedOn, 0, std::numeric_limits<quint32>::max()));
}

quint32 LinkHistoryFactTable::textIndex(const QString &text)
{
    if (text.isEmpty())
        return 0;
    const auto found = m_textIndex.constFind(text);
    if (found != m_textIndex.cend())
        return found.value();
    // A copy of its own: the text may stand among the buffers of a reply that is freed as a whole.
    const QString kept = ownCopy(text);
    m_texts.append(kept);
    return m_textIndex.insert(kept, quint32(m_texts.size() - 1)).value();
}
