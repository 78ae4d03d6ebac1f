#include "ReciprocalLinkMatcher.h"

#include <QRegularExpression>

ReciprocalLinkMatcher::ReciprocalLinkMatcher(const QString &ownURL) : m_first(ownURL)
{
    // A scheme alone ("http://", what an emptied address field holds) would be found on nearly
    // every page.
    static const QRegularExpression schemeOnly(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:/*$"));
    if (schemeOnly.match(m_first).hasMatch()) {
        m_first.clear();
        return;
    }
    if (m_first.endsWith(u'/'))
        m_first.chop(1);
    const qsizetype slashes = m_first.indexOf(QStringLiteral("//"));
    if (slashes < 0)
        return;
    const qsizetype hostStart = slashes + 2;
    const qsizetype hostEnd = m_first.indexOf(u'/', hostStart);
    const QString host = m_first.mid(hostStart, hostEnd < 0 ? -1 : hostEnd - hostStart);
    // Without a host the second string would be a bare "http://www.", found on nearly every page.
    if (host.isEmpty())
        return;
    if (host.count(u'.') > 1)
        m_second = QStringLiteral("http://") + host.mid(host.indexOf(u'.') + 1);
    else
        m_second = QStringLiteral("http://www.") + host;
}

ReciprocalLinkMatcher::Match ReciprocalLinkMatcher::find(const QString &pageText) const
{
    Match match;
    // An empty address would be "found" on every page.
    if (m_first.isEmpty())
        return match;
    for (const QString *candidate : {&m_first, &m_second}) {
        if (candidate->isEmpty())
            continue;
        const qsizetype position = pageText.indexOf(*candidate);
        if (position >= 0) {
            match.found = true;
            match.position = position;
            match.searchString = *candidate;
            return match;
        }
    }
    return match;
}
