// The exporters over a database read from the input: the text of links, categories and the site
// profile never opens a tag of its own in the links pages (every tag in a page's body is one the
// builder writes for an ordinary database), no link leads to an address a browser would run, no
// style ends the style sheet, a link's row has its fixed tags and quotes, and the
// spreadsheet has one line a link and fourteen fields a line in every encoding.

#include "FuzzSupport.h"
#include "SampleStores.h"
#include "model/AddressTexts.h"
#include "model/CollectionManager.h"
#include "model/PublishingRules.h"
#include "publish/HTMLBuilder.h"
#include "publish/SpreadsheetBuilder.h"

#include <QSet>

namespace {

QString body(const QString &page)
{
    const qsizetype at = page.indexOf(QLatin1String("<BODY>"));
    return at < 0 ? QString() : page.mid(at);
}

// The names of the tags, read by hand: a regular expression stops matching at the first lone
// surrogate, and a database's texts may hold one.
QStringList tagNames(const QString &html)
{
    auto isLetter = [](QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); };
    QStringList names;
    for (qsizetype at = html.indexOf(u'<'); at >= 0; at = html.indexOf(u'<', at + 1)) {
        qsizetype end = at + 1;
        if (end < html.size() && html.at(end) == u'/')
            ++end;
        const qsizetype nameStart = end;
        while (end < html.size() && (isLetter(html.at(end)) || html.at(end) == u'!'))
            ++end;
        if (end == nameStart)
            continue;
        while (end < html.size() && (isLetter(html.at(end)) ||
                                     (html.at(end) >= u'0' && html.at(end) <= u'9') || html.at(end) == u'-'))
            ++end;
        names.append(html.mid(at + 1, end - at - 1).toUpper());
    }
    return names;
}

// The quotes inside the tags of some HTML; a quote in a page's text is only text.
int quotesInTags(const QString &html)
{
    int quotes = 0;
    bool inTag = false;
    for (const QChar c : html) {
        if (c == u'<' || c == u'>')
            inTag = c == u'<';
        else if (inTag && c == u'"')
            ++quotes;
    }
    return quotes;
}

// Every tag name the builder writes into a page body, learnt from an ordinary database in both
// page layouts.
const QSet<QString> &knownTags()
{
    static const QSet<QString> tags = [] {
        QSet<QString> names;
        for (const int mode : {RenderModeSinglePage, RenderModePagePerCategory}) {
            CollectionManager store;
            SampleStores::fill(store);
            store.setRenderMode(mode);
            const HTMLBuilder builder(store);
            for (const QString &name : tagNames(body(builder.HTMLForSinglePage())))
                names.insert(name);
            for (const TreeNode *node : store.categoryRoot()->children()) {
                for (const QString &name : tagNames(body(builder.HTMLForCategoryPageWithCategory(node))))
                    names.insert(name);
            }
        }
        return names;
    }();
    return tags;
}

void checkPage(const QString &page, const char *which)
{
    const QString text = body(page);
    for (const QString &name : tagNames(text))
        FUZZ_CHECK(knownTags().contains(name), QStringLiteral("%1 holds a tag <%2 of its data: %3")
                                                   .arg(QLatin1String(which), name, text.left(600)));
    FUZZ_CHECK(text.count(u'<') == tagNames(text).size(),
               QStringLiteral("a bare \"<\" in the %1").arg(QLatin1String(which)));
    // Every link leads to a web page, a place on the page or one of the export's own files, never
    // to an address a browser would run ("javascript:", also with the colon written "&#58;").
    const QLatin1String href("href=\"");
    for (qsizetype at = text.indexOf(href); at >= 0; at = text.indexOf(href, at + 1)) {
        const qsizetype start = at + href.size();
        const QString target = text.mid(start, text.indexOf(u'"', start) - start);
        const bool safe = AddressTexts::isWebAddress(target) || target.startsWith(u'#') ||
                          target.startsWith(QLatin1String("./")) ||
                          (!target.contains(u':') && !target.contains(u'&'));
        FUZZ_CHECK(safe, QStringLiteral("the %1 links to %2").arg(QLatin1String(which), target));
    }
    FUZZ_CHECK(page.isEmpty() || page.count(QLatin1String("</STYLE"), Qt::CaseInsensitive) == 1,
               QStringLiteral("a style ends the STYLE element of the %1").arg(QLatin1String(which)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::setUp();
    CollectionManager store;
    if (!store.loadDataRepresentation(FuzzSupport::bytes(data, size)))
        return 0;
    knownTags();

    const HTMLBuilder builder(store);
    checkPage(builder.HTMLForSinglePage(), "single page");
    for (const TreeNode *node : store.categoryRoot()->children()) {
        checkPage(builder.HTMLForCategoryPageWithCategory(node), "category page");
        for (const TreeNode *linkNode : node->children()) {
            const Link &link = *linkNode->link();
            const QString row = builder.HTMLForLink(link, false);
            if (!PublishingRules::publishableLink(store.selfInfo(), link)) {
                FUZZ_CHECK(row.isEmpty(), QStringLiteral("a link that is not published has a row"));
                continue;
            }
            FUZZ_CHECK(row.count(u'<') == 6 && row.count(u'\n') == 1,
                       QStringLiteral("the row of \"%1\" is %2").arg(link.title(), row));
            const bool targetNew = store.stringForName(QStringLiteral("TargetNew")) == QLatin1String("YES");
            FUZZ_CHECK(quotesInTags(row) == (targetNew ? 10 : 8),
                       QStringLiteral("the row of \"%1\" is %2").arg(link.title(), row));
        }
    }

    const SpreadsheetBuilder spreadsheet(store);
    const QString text = spreadsheet.string();
    const QStringList lines = text.split(u'\n');
    FUZZ_CHECK(text.endsWith(u'\n') && lines.size() == store.numberOfLinks() + 2,
               QStringLiteral("%1 lines for %2 links").arg(lines.size() - 1).arg(store.numberOfLinks()));
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        FUZZ_CHECK(lines.at(i).count(u'\t') == 13 && !lines.at(i).contains(u'\r'),
                   QStringLiteral("line %1 is %2").arg(i).arg(lines.at(i)));
    const QString utf16 = TextCodec::decode(spreadsheet.data(TextEncoding::UTF16), TextEncoding::UTF16);
    FUZZ_CHECK(utf16 == text || utf16.count(QChar(0xFFFD)) > 0, QStringLiteral("the UTF-16 file differs"));
    for (const TextEncoding encoding : {TextEncoding::MacOSRoman, TextEncoding::ISOLatin1})
        FUZZ_CHECK(spreadsheet.data(encoding).count('\n') == lines.size() - 1,
                   QStringLiteral("an 8-bit file lost lines"));
    return 0;
}
