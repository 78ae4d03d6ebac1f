#include "ResponsivePageBuilder.h"

#include "LinksPageStyle.h"
#include "ResponsiveStyleSheet.h"

#include "model/CollectionManager.h"
#include "model/PublishingRules.h"
#include "model/TextUtils.h"

#include <QSet>
#include <QUrl>

namespace {

const QString ContentsHeadingId = QStringLiteral("qm-contents");
const QString ListingsHeadingId = QStringLiteral("qm-listings");
const QString LinkToUsHeadingId = QStringLiteral("qm-link-to-us");

// An id must be non-empty and free of white space; a category's anchor usually is one already.
QString idFromAnchor(const QString &anchor)
{
    QString id;
    for (const QChar c : anchor)
        id += c.isSpace() ? u'-' : c;
    return id;
}

} // namespace

ResponsivePageBuilder::ResponsivePageBuilder(const CollectionManager &collectionManager)
    : m_collectionManager(collectionManager),
      m_targetNew(collectionManager.stringForName(LinksPageStyle::TargetNewKey) == QLatin1String("YES"))
{
    // Ids are given in page order, so a later category with a clashing anchor is the one renamed.
    QSet<QString> taken{ContentsHeadingId, ListingsHeadingId, LinkToUsHeadingId};
    int number = 0;
    for (const TreeNode *node : collectionManager.categoryRoot()->children()) {
        const Category *category = node->category();
        if (!category)
            continue;
        ++number;
        QString id = idFromAnchor(category->anchor());
        if (id.isEmpty() || taken.contains(id))
            id = QStringLiteral("category-%1").arg(number);
        for (int suffix = 2; taken.contains(id); ++suffix)
            id = QStringLiteral("category-%1-%2").arg(number).arg(suffix);
        taken.insert(id);
        m_sectionIds.insert(category, id);
    }
}

bool ResponsivePageBuilder::isChosen(const CollectionManager &collectionManager)
{
    return collectionManager.stringForName(LinksPageStyle::PageLayoutKey) == LinksPageStyle::ResponsiveLayout;
}

bool ResponsivePageBuilder::isWebAddress(const QString &url)
{
    const QString scheme = QUrl(url.trimmed(), QUrl::TolerantMode).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

QString ResponsivePageBuilder::attributeText(const QString &text)
{
    QString result = TextUtils::HTMLString(text);
    result.replace(u'"', QStringLiteral("&quot;"));
    return result;
}

QString ResponsivePageBuilder::categoryTitle(const Category *category)
{
    return TextUtils::HTMLString(category->isNone() ? category->nodeTitle() : category->name());
}

bool ResponsivePageBuilder::hasPublishableLinks(const TreeNode *categoryNode) const
{
    return PublishingRules::numberOfPublishableLinksInCategory(m_collectionManager.selfInfo(), categoryNode) >
           0;
}

QString ResponsivePageBuilder::page() const
{
    const SelfInfo &profile = m_collectionManager.selfInfo();
    const QString title = profile.title().trimmed().isEmpty() ? tr("Links") : profile.HTMLTitle();
    QString html;
    html.reserve(8192 + 300 * qsizetype(m_collectionManager.numberOfLinks()));
    html += QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n");
    html += QStringLiteral("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n");
    html += QStringLiteral("<meta name=\"generator\" content=\"Quillmarsh for Linux\">\n");
    if (!profile.description().trimmed().isEmpty())
        html += QStringLiteral("<meta name=\"description\" content=\"%1\">\n")
                    .arg(attributeText(profile.description()));
    html += QStringLiteral("<title>%1</title>\n<style>\n").arg(title);
    html += ResponsiveStyleSheet::styleSheet(m_collectionManager);
    html += QStringLiteral("</style>\n</head>\n<body>\n");
    html += bodyContent();
    html += QStringLiteral("</body>\n</html>\n");
    return html;
}

QString ResponsivePageBuilder::bodyContent() const
{
    const SelfInfo &profile = m_collectionManager.selfInfo();
    QString html;
    html += QStringLiteral("<header class=\"qm_header\">\n<h1>%1</h1>\n")
                .arg(profile.title().trimmed().isEmpty() ? tr("Links") : profile.HTMLTitle());
    if (!profile.description().trimmed().isEmpty())
        html +=
            QStringLiteral("<p class=\"qm_text\">%1</p>\n").arg(TextUtils::HTMLString(profile.description()));
    html += QStringLiteral("</header>\n");
    appendContents(html);
    html += QStringLiteral("<main aria-labelledby=\"%1\">\n<hr class=\"qm_separator\">\n"
                           "<h2 id=\"%1\" class=\"qm_section_title\">%2</h2>\n")
                .arg(ListingsHeadingId, tr("Site Listings"));
    for (const TreeNode *node : m_collectionManager.categoryRoot()->children())
        appendCategory(html, node);
    html += QStringLiteral("</main>\n");
    appendLinkToUs(html);
    return html;
}

void ResponsivePageBuilder::appendContents(QString &html) const
{
    QString entries;
    int count = 0;
    for (const TreeNode *node : m_collectionManager.categoryRoot()->children()) {
        const Category *category = node->category();
        if (!category || !hasPublishableLinks(node))
            continue;
        ++count;
        entries +=
            QStringLiteral("<li class=\"qm_li\"><a class=\"qm_emphasized_link\" href=\"#%1\">%2</a></li>\n")
                .arg(attributeText(sectionId(category)), categoryTitle(category));
    }
    // An index of one entry leads nowhere the reader cannot already see.
    if (count < 2)
        return;
    html += QStringLiteral("<nav class=\"qm_contents\" aria-labelledby=\"%1\">\n<hr class=\"qm_separator\">\n"
                           "<h2 id=\"%1\" class=\"qm_section_title\">%2</h2>\n<ul class=\"qm_ul\">\n")
                .arg(ContentsHeadingId, tr("Categories"));
    html += entries;
    html += QStringLiteral("</ul>\n</nav>\n");
}

void ResponsivePageBuilder::appendCategory(QString &html, const TreeNode *categoryNode) const
{
    const Category *category = categoryNode->category();
    if (!category || !hasPublishableLinks(categoryNode))
        return;
    const QString id = attributeText(sectionId(category));
    html += QStringLiteral(
                "<section aria-labelledby=\"%1\">\n<h3 id=\"%1\" class=\"qm_emphasized_text\">%2</h3>\n"
                "<ul class=\"qm_ul\">\n")
                .arg(id, categoryTitle(category));
    for (const TreeNode *node : categoryNode->children()) {
        if (const Link *link = node->link();
            link && PublishingRules::publishableLink(m_collectionManager.selfInfo(), *link))
            appendLink(html, *link);
    }
    html += QStringLiteral("</ul>\n</section>\n");
}

void ResponsivePageBuilder::appendLink(QString &html, const Link &link) const
{
    html += QStringLiteral("<li class=\"qm_li\">");
    const QString title =
        link.title().trimmed().isEmpty() ? TextUtils::HTMLString(link.URL()) : link.HTMLTitle();
    if (isWebAddress(link.URL())) {
        html += QStringLiteral("<a class=\"qm_link\" href=\"");
        html += attributeText(QUrl(link.URL().trimmed(), QUrl::TolerantMode).toString(QUrl::FullyEncoded));
        if (m_targetNew)
            html += QStringLiteral("\" target=\"_blank\" rel=\"noopener");
        html += QStringLiteral("\">");
        html += title;
        html += QStringLiteral("</a>");
    } else {
        html += QStringLiteral("<span class=\"qm_link\">");
        html += title;
        html += QStringLiteral("</span>");
    }
    if (!link.description().isEmpty()) {
        html += QStringLiteral("<span class=\"qm_text\"> - ");
        html += link.HTMLDescription();
        html += QStringLiteral("</span>");
    }
    html += QStringLiteral("</li>\n");
}

QString ResponsivePageBuilder::linkToUsCode() const
{
    const SelfInfo &profile = m_collectionManager.selfInfo();
    if (!isWebAddress(profile.URL()))
        return QString();
    const QString title = profile.title().trimmed().isEmpty() ? profile.URL() : profile.title();
    QString code =
        QStringLiteral("<a href=\"%1\">%2</a>")
            .arg(
                attributeText(QUrl(profile.URL().trimmed(), QUrl::TolerantMode).toString(QUrl::FullyEncoded)),
                TextUtils::HTMLString(title));
    if (!profile.description().trimmed().isEmpty())
        code += QStringLiteral(" - ") + TextUtils::HTMLString(profile.description());
    return code;
}

void ResponsivePageBuilder::appendLinkToUs(QString &html) const
{
    const QString code = linkToUsCode();
    if (code.isEmpty())
        return;
    html +=
        QStringLiteral("<aside class=\"qm_link_to_us\" aria-labelledby=\"%1\">\n<hr class=\"qm_separator\">\n"
                       "<h2 id=\"%1\" class=\"qm_section_title\">%2</h2>\n"
                       "<p class=\"qm_text\"><label for=\"qm-link-code\">%3</label></p>\n"
                       "<textarea id=\"qm-link-code\" class=\"qm_code\" rows=\"3\" readonly>")
            .arg(LinkToUsHeadingId, tr("Link to us"),
                 tr("To link to this site, copy this HTML code into your page:"));
    // The code is shown as text: its own markup is escaped once more inside the text area.
    html += TextUtils::HTMLString(code);
    html += QStringLiteral("</textarea>\n</aside>\n");
}
