// A downloaded links page: the first line is the user's own address, the second the X-Robots-Tag
// header, the third the Content-Type header, the rest the page's bytes. The page is decoded in an
// encoding that exists, and a refresh it names leads to another page. The analysis is checked against the
// parsed tree itself: every link it reports is an <a> or <area> of the tree with that href, its hidden reason
// and rel within their vocabulary, and the summary fields follow from the links.

#include "FuzzSupport.h"
#include "verify/PageAnalyzer.h"
#include "verify/PageDecoder.h"
#include "verify/PageDocument.h"
#include "verify/WebEncodings.h"

#include <QList>
#include <algorithm>
#include <gumbo.h>

namespace {

const QUrl PageURL(QStringLiteral("http://partner.example/links/"));

// The href of every HTML <a> and <area> of the tree that has one, in document order.
QStringList linkAddresses(const PageDocument &document)
{
    QStringList result;
    QList<const GumboNode *> pending{document.root()};
    while (!pending.isEmpty()) {
        const GumboNode *node = pending.takeLast();
        const GumboVector *children = nullptr;
        if (node->type == GUMBO_NODE_DOCUMENT) {
            children = &node->v.document.children;
        } else if (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE) {
            const GumboElement &element = node->v.element;
            children = &element.children;
            const GumboAttribute *href = gumbo_get_attribute(&element.attributes, "href");
            if (href && element.tag_namespace == GUMBO_NAMESPACE_HTML &&
                (element.tag == GUMBO_TAG_A || element.tag == GUMBO_TAG_AREA))
                result << QString::fromUtf8(href->value);
        }
        if (children) {
            for (unsigned i = children->length; i-- > 0;)
                pending.append(static_cast<const GumboNode *>(children->data[i]));
        }
    }
    return result;
}

void checkVocabulary(const QStringList &rel)
{
    static const QStringList vocabulary{QStringLiteral("nofollow"), QStringLiteral("sponsored"),
                                        QStringLiteral("ugc")};
    qsizetype last = -1;
    for (const QString &keyword : rel) {
        const qsizetype at = vocabulary.indexOf(keyword);
        FUZZ_CHECK(at > last, QStringLiteral("rel %1 out of order or unknown").arg(rel.join(u' ')));
        last = at;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::setUp();
    FuzzSupport::Cursor cursor(FuzzSupport::bytes(data, size));
    const QString ownURL = QString::fromUtf8(cursor.line());
    const QByteArray robotsHeader = cursor.line();
    const QByteArray contentType = cursor.line();
    const QByteArray page = cursor.rest();

    const QByteArray encoding = PageDecoder::encodingOf(page, contentType);
    FUZZ_CHECK(WebEncodings::decode(QByteArray(), encoding).has_value(),
               QStringLiteral("no codec for %1").arg(QString::fromLatin1(encoding)));
    const QString text = PageDecoder::decode(page, contentType);
    const PageAnalyzer analyzer(ownURL);
    const PageAnalysis analysis = analyzer.analyze(text, PageURL, robotsHeader);
    const QUrl::FormattingOptions samePage = QUrl::RemoveUserInfo | QUrl::RemoveFragment;
    FUZZ_CHECK(analysis.refreshTarget.isEmpty() ||
                   analysis.refreshTarget.adjusted(samePage) != PageURL.adjusted(samePage),
               QStringLiteral("a refresh to the page itself"));
    if (!analysis.parsed) {
        FUZZ_CHECK(analysis.links.isEmpty() && !analysis.followed, QStringLiteral("links without a tree"));
        return 0;
    }

    // Each reported link is one of the tree's links, in the tree's order.
    const PageDocument document(text.toUtf8());
    if (!document.isParsed())
        return 0; // near the time limit, one parse may finish and the next not
    const QStringList addresses = linkAddresses(document);
    qsizetype next = 0;
    for (const OwnSiteLink &link : analysis.links) {
        next = addresses.indexOf(link.href, next);
        FUZZ_CHECK(next >= 0, QStringLiteral("%1 is no link of the tree").arg(link.href));
        ++next;
        checkVocabulary(link.rel);
        static const QStringList reasons{QString(), QStringLiteral("noscript"), QStringLiteral("template"),
                                         QStringLiteral("hidden"), QStringLiteral("style")};
        FUZZ_CHECK(reasons.contains(link.hidden), QStringLiteral("hidden reason ") + link.hidden);
        FUZZ_CHECK(link.text == link.text.simplified(), QStringLiteral("text not collapsed"));
    }
    checkVocabulary(analysis.rel);

    // A page that never spells the own host (no references, escapes or line breaks that could
    // hide it) links to it nowhere: the page's own address is another host.
    QString plain = text;
    plain.remove(u'\t').remove(u'\n').remove(u'\r');
    const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (!analyzer.ownHost().isEmpty() && ascii && !plain.contains(analyzer.ownHost(), Qt::CaseInsensitive) &&
        !text.contains(u'&') && !text.contains(u'%') && !text.contains(u'\\'))
        FUZZ_CHECK(analysis.links.isEmpty(), QStringLiteral("a link to a host the page never names"));

    // The summary fields follow from the links.
    const bool followable = std::any_of(analysis.links.begin(), analysis.links.end(),
                                        [](const OwnSiteLink &l) { return l.visible() && l.rel.isEmpty(); });
    FUZZ_CHECK(analysis.followed == (followable && !analysis.nofollowPage), QStringLiteral("followed"));
    FUZZ_CHECK(analysis.links.isEmpty() ? analysis.anchorText.isEmpty() && analysis.rel.isEmpty()
                                        : std::any_of(analysis.links.begin(), analysis.links.end(),
                                                      [&](const OwnSiteLink &l) {
                                                          return l.text == analysis.anchorText &&
                                                                 l.rel == analysis.rel;
                                                      }),
               QStringLiteral("anchor text from no link"));
    // Header values are bytes: only ASCII blanks separate a directive, so "noindex" followed by a
    // byte such as 0x85 (NEL in Unicode) is another word.
    for (const QByteArray &directive : robotsHeader.toLower().split(',')) {
        if (directive.trimmed() == "noindex")
            FUZZ_CHECK(analysis.noindex, QStringLiteral("the header says noindex"));
        if (directive.trimmed() == "none")
            FUZZ_CHECK(analysis.noindex && analysis.nofollowPage, QStringLiteral("the header says none"));
    }
    return 0;
}
