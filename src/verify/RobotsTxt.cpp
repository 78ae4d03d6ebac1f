#include "RobotsTxt.h"

namespace {

bool isUnreserved(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void appendEscape(QByteArray &out, unsigned char byte)
{
    static const char Hex[] = "0123456789ABCDEF";
    out += '%';
    out += Hex[byte >> 4];
    out += Hex[byte & 15];
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

enum class Key
{
    UserAgent,
    Allow,
    Disallow,
    Sitemap,
    Other
};

Key keyOf(QByteArrayView name)
{
    const QByteArray lower = name.toByteArray().toLower();
    if (lower == "user-agent")
        return Key::UserAgent;
    if (lower == "allow")
        return Key::Allow;
    if (lower == "disallow")
        return Key::Disallow;
    if (lower == "sitemap")
        return Key::Sitemap;
    return Key::Other;
}

// Splits "key: value"; a missing colon after a known key ("disallow /") is forgiven, as the common
// crawlers do, since what is meant is plain.
bool splitLine(QByteArrayView line, Key *key, QByteArrayView *value)
{
    const qsizetype colon = line.indexOf(':');
    if (colon >= 0) {
        *key = keyOf(trimmed(line.first(colon)));
        *value = trimmed(line.sliced(colon + 1));
        return true;
    }
    qsizetype blank = 0;
    while (blank < line.size() && !isBlank(line[blank]))
        ++blank;
    if (blank == line.size())
        return false;
    *key = keyOf(line.first(blank));
    *value = trimmed(line.sliced(blank));
    return *key != Key::Other;
}

} // namespace

QByteArray RobotsTxt::productToken(QStringView userAgent)
{
    const QString text = userAgent.trimmed().toString();
    if (text.startsWith(u'*') && (text.size() == 1 || text.at(1).isSpace()))
        return "*";
    QByteArray token;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == '-')
            token += char(u);
        else
            break;
    }
    return token.toLower();
}

QByteArray RobotsTxt::normalized(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            const char decoded = char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            if (isUnreserved(decoded))
                out += decoded;
            else
                appendEscape(out, static_cast<unsigned char>(decoded));
            i += 2;
        } else if (byte >= 0x80 || byte <= 0x20 || byte == 0x7f) {
            appendEscape(out, byte);
        } else {
            out += char(byte);
        }
    }
    return out;
}

bool RobotsTxt::matches(QByteArrayView pattern, QByteArrayView path)
{
    const bool anchored = pattern.endsWith('$');
    if (anchored)
        pattern.chop(1);
    // Wildcard matching with backtracking to the last "*": linear for patterns without "*".
    qsizetype p = 0, s = 0;
    qsizetype starAt = -1, resumeAt = 0;
    while (s < path.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = s;
        } else if (p < pattern.size() && pattern[p] == path[s]) {
            ++p;
            ++s;
        } else if (p == pattern.size() && !anchored) {
            return true; // the pattern matched a prefix
        } else if (starAt >= 0) {
            p = starAt + 1;
            s = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

RobotsTxt RobotsTxt::parse(QByteArrayView text)
{
    RobotsTxt robots;
    text = text.first(qMin(text.size(), MaximumSize));
    // A byte order mark, or what is left of one, is not part of the first line.
    for (const char byte : {'\xEF', '\xBB', '\xBF'}) {
        if (!text.isEmpty() && text.front() == byte)
            text = text.sliced(1);
        else
            break;
    }
    bool inAgentLines = false; // the last directive was a user-agent line
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        QByteArrayView line = text.sliced(start, end - start);
        start = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
        if (const qsizetype hash = line.indexOf('#'); hash >= 0)
            line = line.first(hash);
        line = trimmed(line);
        Key key;
        QByteArrayView value;
        if (line.isEmpty() || !splitLine(line, &key, &value))
            continue;
        switch (key) {
        case Key::UserAgent: {
            if (!inAgentLines || robots.m_groups.isEmpty())
                robots.m_groups.append(Group());
            inAgentLines = true;
            const QByteArray token = productToken(QString::fromUtf8(value));
            if (!token.isEmpty())
                robots.m_groups.last().agents.append(token);
            break;
        }
        case Key::Allow:
        case Key::Disallow:
            inAgentLines = false;
            // Rules before the first group belong to no one; an empty pattern matches nothing.
            if (!robots.m_groups.isEmpty() && !value.isEmpty())
                robots.m_groups.last().rules.append({key == Key::Allow, normalized(value)});
            break;
        case Key::Sitemap:
            if (!value.isEmpty())
                robots.m_sitemaps.append(QString::fromUtf8(value));
            break;
        case Key::Other:
            break;
        }
    }
    return robots;
}

bool RobotsTxt::allows(QStringView userAgent, const QUrl &url) const
{
    QByteArray path = url.path(QUrl::FullyEncoded).toUtf8();
    if (path.isEmpty())
        path = "/";
    if (url.hasQuery())
        path += '?' + url.query(QUrl::FullyEncoded).toUtf8();
    return allowsPath(userAgent, path);
}

bool RobotsTxt::allowsPath(QStringView userAgent, QByteArrayView pathAndQuery) const
{
    const QByteArray path = normalized(pathAndQuery.isEmpty() ? QByteArrayView("/") : pathAndQuery);
    // The file itself is always there to be read.
    if (path == "/robots.txt")
        return true;
    const QByteArray token = productToken(userAgent);
    const auto rulesFor = [this](const QByteArray &agent) {
        QList<const Rule *> rules;
        for (const Group &group : m_groups) {
            if (group.agents.contains(agent)) {
                for (const Rule &rule : group.rules)
                    rules.append(&rule);
            }
        }
        return rules;
    };
    bool found = false;
    QList<const Rule *> rules;
    if (!token.isEmpty() && token != "*") {
        for (const Group &group : m_groups)
            found = found || group.agents.contains(token);
        if (found)
            rules = rulesFor(token);
    }
    if (!found)
        rules = rulesFor("*");
    qsizetype longest = -1;
    bool allowed = true;
    for (const Rule *rule : rules) {
        if (!matches(rule->pattern, path))
            continue;
        const qsizetype length = rule->pattern.size();
        if (length > longest || (length == longest && rule->allow)) {
            longest = length;
            allowed = rule->allow;
        }
    }
    return allowed;
}
