// A downloaded links page: the first line is the user's own address, the second the X-Robots-Tag
// header, the rest the page's bytes. Decoding keeps every ASCII address a page without byte-order
// mark carries, the matcher reports where it found what, and the anchor and noindex analysis answers
// within its vocabulary at any position.

#include "FuzzSupport.h"
#include "verify/PageAnalyzer.h"
#include "verify/PageDecoder.h"
#include "verify/ReciprocalLinkMatcher.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

bool isAscii(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// The start of the last match of `tag` beginning at or before `position`, or -1.
qsizetype lastMatch(const QRegularExpression &tag, const QString &text, qsizetype position)
{
    qsizetype last = -1;
    for (auto it = tag.globalMatch(text); it.hasNext();) {
        const qsizetype at = it.next().capturedStart();
        if (at > position)
            break;
        last = at;
    }
    return last;
}

void checkAnchor(const QString &text, qsizetype position)
{
    const PageAnalyzer::Anchor anchor = PageAnalyzer::anchorAt(text, position);
    // In text (not inside a tag), a position is in an anchor when the last <a> tag before it was
    // opened after the last </a> tag: tag names end at a blank, ">" or "/" ("<abbr>" is no <a>).
    static const QRegularExpression opening(QStringLiteral("<a[ \\t\\n\\r\\f>/]"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression closing(QStringLiteral("</a[ \\t\\n\\r\\f>/]"),
                                            QRegularExpression::CaseInsensitiveOption);
    const qsizetype tagOpen = position < 0 ? -1 : text.lastIndexOf(u'<', position);
    const qsizetype tagClose = tagOpen < 0 ? -1 : text.indexOf(u'>', tagOpen);
    const bool inText = tagOpen < 0 || (tagClose >= 0 && tagClose <= position);
    if (position >= 0 && position < text.size() && inText) {
        const qsizetype open = lastMatch(opening, text, position);
        const bool expected = open >= 0 && open > lastMatch(closing, text, position);
        FUZZ_CHECK(anchor.inAnchor == expected, QStringLiteral("position %1 of %2 in an anchor: %3")
                                                    .arg(position)
                                                    .arg(text.left(200))
                                                    .arg(anchor.inAnchor));
    }
    FUZZ_CHECK(anchor.inAnchor || anchor.rel.isEmpty(), QStringLiteral("rel outside an anchor"));
    QStringList vocabulary{QStringLiteral("nofollow"), QStringLiteral("sponsored"), QStringLiteral("ugc")};
    qsizetype last = -1;
    for (const QString &keyword : anchor.rel) {
        const qsizetype at = vocabulary.indexOf(keyword);
        FUZZ_CHECK(at > last, QStringLiteral("rel %1 out of order or unknown").arg(anchor.rel.join(u' ')));
        last = at;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::setUp();
    FuzzSupport::Cursor cursor(FuzzSupport::bytes(data, size));
    const QByteArray ownURL = cursor.line();
    const QByteArray robotsHeader = cursor.line();
    const QByteArray page = cursor.rest();

    const QString text = PageDecoder::decode(page);
    const ReciprocalLinkMatcher matcher(QString::fromUtf8(ownURL));
    const ReciprocalLinkMatcher::Match match = matcher.find(text);
    if (match.found) {
        FUZZ_CHECK(text.mid(match.position, match.searchString.size()) == match.searchString,
                   QStringLiteral("\"%1\" is not at %2").arg(match.searchString).arg(match.position));
        checkAnchor(text, match.position);
    }
    const bool withMark = page.startsWith("\xFF\xFE") || page.startsWith("\xFE\xFF");
    const QString first = matcher.firstSearchString();
    if (!withMark && !first.isEmpty() && isAscii(first) && page.contains(first.toLatin1()))
        FUZZ_CHECK(match.found, QStringLiteral("the page holds \"%1\" but it was not found").arg(first));

    // Every kind of place: text, tags, the ends.
    const qsizetype n = text.size();
    for (const qsizetype position : {qsizetype(0), n / 3, n / 2, n - 1, n, qsizetype(-1)})
        checkAnchor(text, position);
    int tags = 0;
    for (qsizetype at = text.indexOf(u'<'); at >= 0 && tags < 16; at = text.indexOf(u'<', at + 1), ++tags)
        checkAnchor(text, at + 1);

    const bool noindex = PageAnalyzer::saysNoindex(text, robotsHeader);
    // Without a <meta> tag and without a directive in the header nothing says noindex.
    static const QRegularExpression meta(QStringLiteral("<meta[ \\t\\n\\r\\f>/]"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression directive(QStringLiteral("noindex|none"),
                                              QRegularExpression::CaseInsensitiveOption);
    if (!meta.match(text).hasMatch() && !directive.match(QString::fromLatin1(robotsHeader)).hasMatch())
        FUZZ_CHECK(!noindex, QStringLiteral("noindex without a meta tag: ") + text.left(200));
    // Header values are bytes: only ASCII blanks separate a directive, so "noindex" followed by a
    // byte such as 0x85 (NEL in Unicode) is another word.
    for (const QByteArray &directive : robotsHeader.toLower().split(',')) {
        if (directive.trimmed() == "noindex")
            FUZZ_CHECK(noindex, QStringLiteral("the header says noindex"));
    }
    return 0;
}
