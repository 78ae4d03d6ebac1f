#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QUrl>

// A robots.txt file read as the Robots Exclusion Protocol (RFC 9309) reads it: groups of user-agent
// lines with their allow and disallow rules (rules before the first user-agent line belong to no
// group; groups for the same agent are combined), the most specific group for an agent's product
// token with "*" as the fallback, the longest matching rule deciding with allow winning a tie, "*"
// and a final "$" in patterns, and percent-encoding compared as the protocol says. Sitemap lines
// are collected wherever they stand. A byte order mark and CR, LF or CRLF line ends are accepted.
class RobotsTxt
{
public:
    // The parser reads at most this much of a file; the rest is left out.
    static constexpr qsizetype MaximumSize = 500 * 1024;

    // A file that forbids nothing (an empty file, or one that was not there).
    RobotsTxt() = default;
    static RobotsTxt parse(QByteArrayView text);

    // Whether a crawler with the product token of `userAgent` may fetch `url` (its path and query).
    bool allows(QStringView userAgent, const QUrl &url) const;
    // The same for a path and query as sent on the request line, percent-encoded ("/a/b?c").
    bool allowsPath(QStringView userAgent, QByteArrayView pathAndQuery) const;
    // The addresses of the Sitemap lines, in file order.
    const QStringList &sitemaps() const { return m_sitemaps; }

    // The product token of a user agent ("Googlebot" of "Googlebot/2.1 (+http://...)"), in lower
    // case; "*" only for "*" itself, empty when there is none.
    static QByteArray productToken(QStringView userAgent);
    // A path or pattern brought to the form the protocol compares: characters outside US-ASCII and
    // controls percent-encoded, escapes of unreserved characters decoded, other escapes in upper case.
    static QByteArray normalized(QByteArrayView text);
    // Whether `pattern` ("*" any run of characters, a final "$" the end) matches the start of `path`.
    static bool matches(QByteArrayView pattern, QByteArrayView path);

private:
    struct Rule
    {
        bool allow = false;
        QByteArray pattern; // normalized, never empty
    };
    struct Group
    {
        QList<QByteArray> agents; // product tokens in lower case, or "*"
        QList<Rule> rules;
    };

    QList<Group> m_groups;
    QStringList m_sitemaps;
};
