#pragma once

#include "history/LinkChange.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// What the link list shows of a link's verification history: how its latest check found the link and
// the change its checks stand in now.
struct LinkHistoryFacts
{
    bool checked = false; // the history holds a check of the link
    bool addressFound = false;
    bool followed = false;
    QString followedText; // "Yes", "No (nofollow)"...; empty when the link was not found
    QString anchorText;
    std::optional<LinkChange::Kind> change;
    qint64 changedOn = 0; // seconds since the epoch, when there is a change
};

// The facts of every link of a database, kept small for tens of thousands of links: each link keeps a
// few numbers under its ID, and the texts (a handful of followed words, the few anchor texts partners
// use) are kept once each.
class LinkHistoryFactTable
{
public:
    // The link's facts; none when the history knows nothing of it.
    std::optional<LinkHistoryFacts> value(const QString &linkID) const;
    bool contains(const QString &linkID) const { return m_entries.contains(linkID); }
    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    void reserve(qsizetype links) { m_entries.reserve(links); }

    // The key is kept as given: the store's own ID string costs the table nothing of its own.
    void setLatestCheck(const QString &key, bool addressFound, bool followed, const QString &followedText,
                        const QString &anchorText);
    void setChange(const QString &key, LinkChange::Kind kind, qint64 changedOn);

private:
    // Sixteen bytes a link.
    struct Entry
    {
        quint32 changedOn = 0;    // seconds since the epoch, which fit until 2106
        quint32 followedText = 0; // in m_texts; 0 is the empty text
        quint32 anchorText = 0;
        quint8 flags = 0;  // Checked, AddressFound, Followed
        qint8 change = -1; // a LinkChange::Kind, or none
    };
    enum Flag : quint8
    {
        Checked = 1,
        AddressFound = 2,
        Followed = 4
    };
    quint32 textIndex(const QString &text);

    QHash<QString, Entry> m_entries;
    QStringList m_texts{QString()};
    QHash<QString, quint32> m_textIndex;
};
