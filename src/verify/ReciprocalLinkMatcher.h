#pragma once

#include <QString>

// Looks for the user's own address on a partner's links page: first the address less one trailing
// "/", then, when the address has a host, any link into the same site with or without its first
// host label ("http://" plus the host less its first label when it has two dots or more, else
// "http://www." plus the host). Case-sensitive substring search on the page text as it stands.
class ReciprocalLinkMatcher
{
public:
    struct Match
    {
        bool found = false;
        qsizetype position = -1; // where the found string starts in the page text
        QString searchString;    // the string that was found
    };

    explicit ReciprocalLinkMatcher(const QString &ownURL);

    // Empty when the own address is empty: nothing can be found then.
    const QString &firstSearchString() const { return m_first; }
    // Null when the address has no "//" or no host after it.
    const QString &secondSearchString() const { return m_second; }

    Match find(const QString &pageText) const;

private:
    QString m_first;
    QString m_second;
};
