#include "OwnPageLinks.h"

#include "verify/PageAnalyzer.h"
#include "verify/PageDocument.h"

#include <cstring>
#include <gumbo.h>

namespace {

const char *attribute(const GumboElement &element, const char *name)
{
    const GumboAttribute *found = gumbo_get_attribute(&element.attributes, name);
    return found ? found->value : nullptr;
}

bool styleHides(const char *style)
{
    for (const QString &declaration : QString::fromUtf8(style).split(u';')) {
        const qsizetype colon = declaration.indexOf(u':');
        if (colon < 0)
            continue;
        const QString property = declaration.left(colon).trimmed().toLower();
        QString value = declaration.mid(colon + 1).trimmed().toLower();
        if (const qsizetype important = value.indexOf(u'!'); important >= 0)
            value = value.left(important).trimmed();
        if ((property == QLatin1String("display") && value == QLatin1String("none")) ||
            (property == QLatin1String("visibility") && value == QLatin1String("hidden")))
            return true;
    }
    return false;
}

bool hides(const GumboNode *node)
{
    const GumboElement &element = node->v.element;
    if (element.tag_namespace == GUMBO_NAMESPACE_HTML &&
        (element.tag == GUMBO_TAG_NOSCRIPT || element.tag == GUMBO_TAG_TEMPLATE ||
         node->type == GUMBO_NODE_TEMPLATE))
        return true;
    if (gumbo_get_attribute(&element.attributes, "hidden"))
        return true;
    const char *style = attribute(element, "style");
    return style && styleHides(style);
}

// An attribute value as a browser reads an address: spaces and controls trimmed, tabs and line
// breaks dropped inside.
QUrl addressIn(const char *value)
{
    QString text = QString::fromUtf8(value).trimmed();
    text.remove(u'\t');
    text.remove(u'\n');
    text.remove(u'\r');
    return QUrl(text, QUrl::TolerantMode);
}

} // namespace

OwnPageLinks OwnPageLinks::read(const QString &pageText, const QUrl &pageURL, const QByteArray &robotsHeader)
{
    OwnPageLinks result;
    result.nofollowPage = PageAnalyzer::robotsDirectives(QString::fromLatin1(robotsHeader)).nofollow;
    const PageDocument document(pageText.toUtf8());
    if (!document.isParsed()) {
        result.parsed = false;
        return result;
    }
    struct Pending
    {
        const GumboNode *node;
        bool hidden;
        bool inTemplate;
    };
    struct Candidate
    {
        const char *href;
        const char *rel;
        bool hidden;
    };
    QList<Candidate> candidates;
    const char *base = nullptr;
    QList<Pending> pending{{document.root(), false, false}};
    while (!pending.isEmpty()) {
        const Pending current = pending.takeLast();
        const GumboNode *node = current.node;
        const GumboVector *children = nullptr;
        if (node->type == GUMBO_NODE_DOCUMENT) {
            children = &node->v.document.children;
        } else if (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE) {
            const GumboElement &element = node->v.element;
            const bool own = hides(node);
            const bool hidden = current.hidden || own;
            const bool inTemplate = current.inTemplate ||
                                    (element.tag == GUMBO_TAG_TEMPLATE || node->type == GUMBO_NODE_TEMPLATE);
            if (element.tag_namespace == GUMBO_NAMESPACE_HTML) {
                if ((element.tag == GUMBO_TAG_A || element.tag == GUMBO_TAG_AREA) &&
                    attribute(element, "href"))
                    candidates.append({attribute(element, "href"), attribute(element, "rel"), hidden});
                else if (element.tag == GUMBO_TAG_BASE && !base && !inTemplate)
                    base = attribute(element, "href");
                else if (element.tag == GUMBO_TAG_META && !inTemplate) {
                    const QString name = QString::fromUtf8(attribute(element, "name")).trimmed().toLower();
                    if (name == QLatin1String("robots") || name == QLatin1String("googlebot"))
                        result.nofollowPage =
                            result.nofollowPage ||
                            PageAnalyzer::robotsDirectives(QString::fromUtf8(attribute(element, "content")))
                                .nofollow;
                }
            }
            for (unsigned i = element.children.length; i-- > 0;)
                pending.append(
                    {static_cast<const GumboNode *>(element.children.data[i]), hidden, inTemplate});
            continue;
        }
        if (children) {
            for (unsigned i = children->length; i-- > 0;)
                pending.append({static_cast<const GumboNode *>(children->data[i]), false, false});
        }
    }
    QUrl baseURL = pageURL;
    if (base) {
        const QUrl resolved = pageURL.resolved(addressIn(base));
        if (resolved.isValid())
            baseURL = resolved;
    }
    result.links.reserve(candidates.size());
    for (const Candidate &candidate : candidates) {
        Link link;
        link.url = baseURL.resolved(addressIn(candidate.href));
        for (const QString &word :
             QString::fromUtf8(candidate.rel).toLower().simplified().split(u' ', Qt::SkipEmptyParts)) {
            if (word == QLatin1String("nofollow") || word == QLatin1String("sponsored") ||
                word == QLatin1String("ugc"))
                link.rel.append(word);
        }
        link.visible = !candidate.hidden;
        result.links.append(link);
    }
    return result;
}
