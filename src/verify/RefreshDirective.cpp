#include "RefreshDirective.h"

namespace {

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

std::optional<RefreshDirective> RefreshDirective::parse(QStringView value)
{
    qsizetype at = 0;
    const auto skipSpace = [&] {
        while (at < value.size() && isSpace(value[at]))
            ++at;
    };
    const auto next = [&](QChar wanted) { return at < value.size() && value[at].toLower() == wanted; };

    skipSpace();
    RefreshDirective directive;
    const qsizetype digitsFrom = at;
    qint64 seconds = 0;
    while (at < value.size() && isDigit(value[at])) {
        seconds = qMin<qint64>(seconds * 10 + (value[at].unicode() - u'0'), 1 << 30);
        ++at;
    }
    if (at == digitsFrom && !next(u'.'))
        return std::nullopt;
    directive.delaySeconds = int(seconds);
    // Fractions of a second are ignored.
    while (at < value.size() && (isDigit(value[at]) || value[at] == u'.'))
        ++at;
    if (at == value.size())
        return directive;
    if (!isSpace(value[at]) && value[at] != u';' && value[at] != u',')
        return std::nullopt;
    skipSpace();
    if (next(u';') || next(u',')) {
        ++at;
        skipSpace();
    }
    if (at == value.size())
        return directive;

    // An optional "url =" before the address, and quotes around it.
    const QStringView rest = value.sliced(at);
    QStringView url = rest;
    bool quotesAllowed = true;
    if (next(u'u')) {
        quotesAllowed = false;
        if (rest.startsWith(u"url", Qt::CaseInsensitive)) {
            at += 3;
            skipSpace();
            if (next(u'=')) {
                ++at;
                skipSpace();
                quotesAllowed = true;
            }
        }
    }
    if (quotesAllowed) {
        QChar quote;
        if (next(u'"') || next(u'\'')) {
            quote = value[at];
            ++at;
        }
        url = value.sliced(at);
        if (!quote.isNull()) {
            if (const qsizetype end = url.indexOf(quote); end >= 0)
                url = url.first(end);
        }
    }
    directive.url = url.trimmed().toString();
    return directive;
}
