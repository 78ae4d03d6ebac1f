#include "PageAnalyzer.h"

#include "PageDocument.h"
#include "RefreshDirective.h"
#include "model/AddressTexts.h"

#include <QList>
#include <cstring>
#include <gumbo.h>

namespace {

const QString NoScript = QStringLiteral("noscript");
const QString Template = QStringLiteral("template");
const QString HiddenAttribute = QStringLiteral("hidden");
const QString Style = QStringLiteral("style");

bool isAsciiSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// Words separated by ASCII white space, or also by the given punctuation.
QStringList words(QStringView text, QStringView separators = {})
{
    QStringList result;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool separator = i == text.size() || isAsciiSpace(text[i]) || separators.contains(text[i]);
        if (separator && start >= 0) {
            result.append(text.mid(start, i - start).toString().toLower());
            start = -1;
        } else if (!separator && start < 0) {
            start = i;
        }
    }
    return result;
}

const char *attribute(const GumboElement &element, const char *name)
{
    const GumboAttribute *found = gumbo_get_attribute(&element.attributes, name);
    return found ? found->value : nullptr;
}

bool isHtml(const GumboElement &element, GumboTag tag)
{
    return element.tag == tag && element.tag_namespace == GUMBO_NAMESPACE_HTML;
}

// An inline style that takes the element out of view: display:none or visibility:hidden.
bool styleHides(const char *style)
{
    const QString declarations = QString::fromUtf8(style);
    for (const QStringView declaration : QStringView(declarations).split(u';')) {
        const qsizetype colon = declaration.indexOf(u':');
        if (colon < 0)
            continue;
        const QString property = declaration.left(colon).trimmed().toString().toLower();
        QString value = declaration.mid(colon + 1).trimmed().toString().toLower();
        const qsizetype important = value.indexOf(u'!');
        if (important >= 0)
            value = value.left(important).trimmed();
        if ((property == QLatin1String("display") && value == QLatin1String("none")) ||
            (property == QLatin1String("visibility") && value == QLatin1String("hidden")))
            return true;
    }
    return false;
}

// Why the element itself is out of view, or null.
const QString *ownHiddenReason(const GumboNode *node)
{
    const GumboElement &element = node->v.element;
    if (element.tag_namespace == GUMBO_NAMESPACE_HTML) {
        if (element.tag == GUMBO_TAG_NOSCRIPT)
            return &NoScript;
        if (node->type == GUMBO_NODE_TEMPLATE || element.tag == GUMBO_TAG_TEMPLATE)
            return &Template;
    }
    const char *style = nullptr;
    for (unsigned i = 0; i < element.attributes.length; ++i) {
        const auto *attribute = static_cast<const GumboAttribute *>(element.attributes.data[i]);
        if (std::strcmp(attribute->name, "hidden") == 0)
            return &HiddenAttribute;
        if (std::strcmp(attribute->name, "style") == 0)
            style = attribute->value;
    }
    return style && styleHides(style) ? &Style : nullptr;
}

// The DOM's textContent: every text below the node, comments and the like left out.
QString textContent(const GumboNode *node)
{
    QByteArray text;
    QList<const GumboNode *> pending{node};
    while (!pending.isEmpty()) {
        const GumboNode *current = pending.takeLast();
        if (current->type == GUMBO_NODE_ELEMENT || current->type == GUMBO_NODE_TEMPLATE) {
            const GumboVector &children = current->v.element.children;
            for (unsigned i = children.length; i-- > 0;)
                pending.append(static_cast<const GumboNode *>(children.data[i]));
        } else if (current->type == GUMBO_NODE_TEXT || current->type == GUMBO_NODE_WHITESPACE ||
                   current->type == GUMBO_NODE_CDATA) {
            text += current->v.text.text;
        }
    }
    return QString::fromUtf8(text).simplified();
}

// The first non-empty alt of an image inside the node.
QString imageAlt(const GumboNode *node)
{
    QList<const GumboNode *> pending{node};
    while (!pending.isEmpty()) {
        const GumboNode *current = pending.takeLast();
        if (current->type != GUMBO_NODE_ELEMENT && current->type != GUMBO_NODE_TEMPLATE)
            continue;
        const GumboElement &element = current->v.element;
        if (isHtml(element, GUMBO_TAG_IMG)) {
            const QString alt = QString::fromUtf8(attribute(element, "alt")).simplified();
            if (!alt.isEmpty())
                return alt;
        }
        for (unsigned i = element.children.length; i-- > 0;)
            pending.append(static_cast<const GumboNode *>(element.children.data[i]));
    }
    return QString();
}

// An attribute value as a browser reads an address: C0 controls and spaces trimmed at both ends,
// tabs and line breaks dropped inside.
QUrl addressIn(QString text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start).unicode() <= 0x20)
        ++start;
    while (end > start && text.at(end - 1).unicode() <= 0x20)
        --end;
    text = text.mid(start, end - start);
    text.remove(u'\t');
    text.remove(u'\n');
    text.remove(u'\r');
    return QUrl(text, QUrl::TolerantMode);
}

QUrl addressIn(const char *value)
{
    return addressIn(QString::fromUtf8(value));
}

struct Candidate
{
    const GumboNode *node;
    const QString *hidden;
};

} // namespace

bool PageAnalysis::linkVisible() const
{
    for (const OwnSiteLink &link : links) {
        if (link.visible())
            return true;
    }
    return false;
}

PageAnalyzer::PageAnalyzer(const QString &ownURL, int timeLimitMs)
    : m_matcher(ownURL), m_timeLimitMs(timeLimitMs)
{
    QString address = ownURL.trimmed();
    if (!address.contains(QLatin1String("://")))
        address.prepend(QLatin1String("http://"));
    m_ownHost = AddressTexts::siteHost(QUrl(address, QUrl::TolerantMode).host());
}

bool PageAnalyzer::leadsToOwnSite(const QUrl &url) const
{
    const QString scheme = url.scheme();
    return !m_ownHost.isEmpty() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           AddressTexts::siteHost(url.host()) == m_ownHost;
}

PageAnalyzer::Directives PageAnalyzer::robotsDirectives(QStringView text)
{
    Directives directives;
    for (const QString &word : words(text, u",;:")) {
        if (word == QLatin1String("none")) {
            directives.noindex = true;
            directives.nofollow = true;
        } else if (word == QLatin1String("noindex")) {
            directives.noindex = true;
        } else if (word == QLatin1String("nofollow")) {
            directives.nofollow = true;
        }
    }
    return directives;
}

PageAnalysis PageAnalyzer::analyze(const QString &pageText, const QUrl &pageURL,
                                   const QByteArray &robotsHeader, const std::atomic<bool> *abandoned) const
{
    PageAnalysis analysis;
    const ReciprocalLinkMatcher::Match match = m_matcher.find(pageText);
    analysis.addressFound = match.found;
    analysis.foundString = match.searchString;

    const Directives header = robotsDirectives(QString::fromLatin1(robotsHeader));
    analysis.noindex = header.noindex;
    analysis.nofollowPage = header.nofollow;

    const PageDocument document(pageText.toUtf8(), m_timeLimitMs, abandoned);
    if (!document.isParsed()) {
        analysis.parsed = false;
        return analysis;
    }

    // One walk in document order, each node with the reason an ancestor hides it. Links are
    // resolved after the walk: a <base> anywhere in the page applies to all of them.
    QList<Candidate> candidates;
    const char *base = nullptr;
    const char *canonical = nullptr;
    std::optional<RefreshDirective> refresh;
    struct Pending
    {
        const GumboNode *node;
        const QString *hidden;
        bool inTemplate;
        bool inNoscript;
    };
    QList<Pending> pending{{document.root(), nullptr, false, false}};
    while (!pending.isEmpty()) {
        const Pending current = pending.takeLast();
        const GumboNode *node = current.node;
        if (node->type == GUMBO_NODE_DOCUMENT) {
            const GumboVector &children = node->v.document.children;
            for (unsigned i = children.length; i-- > 0;)
                pending.append({static_cast<const GumboNode *>(children.data[i]), nullptr, false, false});
            continue;
        }
        if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE)
            continue;
        const GumboElement &element = node->v.element;
        const QString *own = ownHiddenReason(node);
        const QString *hidden = own ? own : current.hidden;
        const bool inTemplate = current.inTemplate || own == &Template;
        const bool inNoscript = current.inNoscript || own == &NoScript;

        if (element.tag_namespace == GUMBO_NAMESPACE_HTML) {
            switch (element.tag) {
            case GUMBO_TAG_A:
            case GUMBO_TAG_AREA:
                if (attribute(element, "href"))
                    candidates.append({node, hidden});
                break;
            case GUMBO_TAG_BASE:
                // What is inside a template is not part of the page.
                if (!base && !inTemplate)
                    base = attribute(element, "href");
                break;
            case GUMBO_TAG_META:
                if (!inTemplate) {
                    const QString name = QString::fromUtf8(attribute(element, "name")).trimmed().toLower();
                    if (name == QLatin1String("robots") || name == QLatin1String("googlebot")) {
                        const Directives meta =
                            robotsDirectives(QString::fromUtf8(attribute(element, "content")));
                        analysis.noindex = analysis.noindex || meta.noindex;
                        analysis.nofollowPage = analysis.nofollowPage || meta.nofollow;
                    }
                    // The first refresh counts, as in browsers; one inside <noscript> is not read
                    // where scripts run.
                    if (!refresh && !inNoscript &&
                        QString::fromUtf8(attribute(element, "http-equiv"))
                                .compare(QLatin1String("refresh"), Qt::CaseInsensitive) == 0)
                        refresh = RefreshDirective::parse(QString::fromUtf8(attribute(element, "content")));
                }
                break;
            case GUMBO_TAG_LINK:
                if (!canonical && !inTemplate &&
                    words(QString::fromUtf8(attribute(element, "rel"))).contains(QLatin1String("canonical")))
                    canonical = attribute(element, "href");
                break;
            default:
                break;
            }
        }
        for (unsigned i = element.children.length; i-- > 0;)
            pending.append(
                {static_cast<const GumboNode *>(element.children.data[i]), hidden, inTemplate, inNoscript});
    }

    QUrl baseURL = pageURL;
    if (base) {
        const QUrl resolved = pageURL.resolved(addressIn(base));
        if (resolved.isValid())
            baseURL = resolved;
    }
    if (canonical)
        analysis.canonical = baseURL.resolved(addressIn(canonical)).toString();
    if (refresh && refresh->movesAtOnce() && !refresh->url.isEmpty()) {
        const QUrl target = baseURL.resolved(addressIn(refresh->url));
        const QUrl::FormattingOptions page = QUrl::RemoveUserInfo | QUrl::RemoveFragment;
        if (target.isValid() && target.adjusted(page) != pageURL.adjusted(page))
            analysis.refreshTarget = target;
    }

    const QString pageHost = AddressTexts::siteHost(pageURL.host());
    for (const Candidate &candidate : candidates) {
        const GumboElement &element = candidate.node->v.element;
        const char *href = attribute(element, "href");
        const QUrl target = baseURL.resolved(addressIn(href));
        const QStringList keywords = words(QString::fromUtf8(attribute(element, "rel")));
        const QString scheme = target.scheme();
        if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
            // How crowded the page is, and where a link that left it may have gone.
            if (AddressTexts::siteHost(target.host()) != pageHost) {
                const bool marked = keywords.contains(QLatin1String("nofollow")) ||
                                    keywords.contains(QLatin1String("sponsored")) ||
                                    keywords.contains(QLatin1String("ugc"));
                if (!marked && !analysis.nofollowPage)
                    ++analysis.externalFollowed;
            } else if (analysis.sameSiteLinks.size() < MaximumSameSiteLinks) {
                analysis.sameSiteLinks.append(target.adjusted(QUrl::RemoveFragment).toString());
            }
        }
        if (!leadsToOwnSite(target))
            continue;
        OwnSiteLink link;
        link.href = QString::fromUtf8(href);
        for (const char *wanted : {"nofollow", "sponsored", "ugc"}) {
            if (keywords.contains(QLatin1String(wanted)))
                link.rel.append(QLatin1String(wanted));
        }
        link.text = textContent(candidate.node);
        if (link.text.isEmpty())
            link.text = imageAlt(candidate.node);
        if (candidate.hidden)
            link.hidden = *candidate.hidden;
        analysis.links.append(link);
    }

    const OwnSiteLink *firstFollowed = nullptr;
    const OwnSiteLink *firstVisible = nullptr;
    for (const OwnSiteLink &link : analysis.links) {
        if (!firstVisible && link.visible())
            firstVisible = &link;
        if (!firstFollowed && link.visible() && link.rel.isEmpty() && !analysis.nofollowPage)
            firstFollowed = &link;
    }
    analysis.followed = firstFollowed != nullptr;
    const OwnSiteLink *shown = firstFollowed              ? firstFollowed
                               : firstVisible             ? firstVisible
                               : analysis.links.isEmpty() ? nullptr
                                                          : &analysis.links.constFirst();
    if (shown) {
        analysis.anchorText = shown->text;
        analysis.rel = shown->rel;
    }
    return analysis;
}
