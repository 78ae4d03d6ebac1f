#include "HTMLBuilder.h"

#include "LinksPageStyle.h"

#include "model/CollectionManager.h"
#include "model/PublishingRules.h"

namespace {

const QString TableLine =
    QStringLiteral("<TABLE border=\"0\" cellspacing=\"0\" cellpadding=\"0\" width=\"98%\">\n");
const QString SpacerCell = QStringLiteral("<SPACER type=\"block\" width=\"1\" height=\"1\">");
const QString DefaultIndexFileName = QStringLiteral("index.html");
const QString Footer = QStringLiteral("\t</BODY>\n</HTML>");

inline QString indentText(bool indent)
{
    return indent ? QStringLiteral("\t\t") : QString();
}

} // namespace

HTMLBuilder::HTMLBuilder(const CollectionManager &collectionManager, const QString &indexFileName)
    : m_collectionManager(collectionManager),
      m_indexFileName(indexFileName.isEmpty() ? DefaultIndexFileName : indexFileName),
      m_targetNew(collectionManager.stringForName(LinksPageStyle::TargetNewKey) == QLatin1String("YES"))
{}

// ---------------------------------------------------------------- clipboard texts

QString HTMLBuilder::clipboardString() const
{
    QString html;
    html.reserve(2048 + 320 * qsizetype(m_collectionManager.numberOfLinks()));
    appendSinglePageContent(html, false);
    return html;
}

QString HTMLBuilder::clipboardStringForCategory(const TreeNode *categoryNode) const
{
    QString html;
    if (categoryNode)
        html.reserve(2048 + 320 * qsizetype(categoryNode->numberOfChildren()));
    appendCategoryPageContent(html, categoryNode, false);
    return html;
}

QString HTMLBuilder::stylesClipboardString() const
{
    return HTMLStylesWithIndent(false);
}

// ---------------------------------------------------------------- pages
//
// Every piece is appended to one growing string: a page of tens of thousands of links is never
// copied into a temporary on its way to the file.

QString HTMLBuilder::HTMLForSinglePage() const
{
    QString html;
    html.reserve(4096 + 320 * qsizetype(m_collectionManager.numberOfLinks()));
    appendHeader(html, nullptr);
    appendSinglePageContent(html, true);
    html += Footer;
    return html;
}

QString HTMLBuilder::HTMLForCategoryPageWithCategory(const TreeNode *categoryNode) const
{
    const Category *category = categoryNode ? categoryNode->category() : nullptr;
    if (!category)
        return QString();
    QString html;
    html.reserve(4096 + 320 * qsizetype(categoryNode->numberOfChildren()));
    appendHeader(html, category);
    appendCategoryPageContent(html, categoryNode, true);
    html += Footer;
    return html;
}

void HTMLBuilder::appendSinglePageContent(QString &html, bool indent) const
{
    const TreeNode *root = m_collectionManager.categoryRoot();
    html += indentText(indent);
    html += TableLine;
    if (root->numberOfChildren() > 1) {
        const QString contents = HTMLForTableOfContentsWithSinglePage(true, indent, true);
        if (!contents.isEmpty()) {
            appendSeparator(html, indent, tr("Categories"));
            html += contents;
        }
    }
    appendSeparator(html, indent, tr("Site Listings"));
    const QString listings = tr("Listings");
    appendBlockMarker(html, tr("<!-- Begin %1 -->"), listings, indent);
    for (const TreeNode *node : root->children())
        appendCategory(html, node, true, indent);
    appendBlockMarker(html, tr("<!-- End %1 -->"), listings, indent);
    html += indentText(indent);
    html += QStringLiteral("</TABLE>\n");
}

void HTMLBuilder::appendCategoryPageContent(QString &html, const TreeNode *categoryNode, bool indent) const
{
    const Category *category = categoryNode ? categoryNode->category() : nullptr;
    if (!category)
        return;
    const bool hasLinks = categoryNode->isExpandable();
    html += indentText(indent);
    html += TableLine;
    if (!category->isNone())
        html += HTMLForBreadcrumbWithCategory(category, indent);
    if (category->isNone() && m_collectionManager.categoryRoot()->numberOfChildren() > 1) {
        const QString contents = HTMLForTableOfContentsWithSinglePage(false, indent, hasLinks);
        if (!contents.isEmpty()) {
            appendSeparator(html, indent, tr("Categories"));
            html += contents;
        }
    }
    if (hasLinks) {
        appendSeparator(html, indent, tr("Site Listings"));
        const QString listings = tr("Listings");
        appendBlockMarker(html, tr("<!-- Begin %1 -->"), listings, indent);
        appendCategory(html, categoryNode, false, indent);
        appendBlockMarker(html, tr("<!-- End %1 -->"), listings, indent);
    }
    html += indentText(indent);
    html += QStringLiteral("</TABLE>\n");
}

void HTMLBuilder::appendHeader(QString &html, const Category *category) const
{
    html += QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"\n\t\""
                           "http://www.w3.org/TR/1999/REC-html401-19991224/loose.dtd\">\n");
    html += QStringLiteral("<HTML>\n\t<HEAD>\n");
    html += QStringLiteral("\t\t<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\n");
    html += QStringLiteral("\t\t<META name=\"generator\" content=\"Quillmarsh for Linux\">\n\t\t<TITLE>");
    html += m_collectionManager.selfInfo().HTMLTitle();
    if (category && !category->isNone()) {
        html += QStringLiteral(" - ");
        html += category->HTMLName();
    }
    html += QStringLiteral("</TITLE>\n");
    html += QStringLiteral("\n\n\t\t%1\n\n\n").arg(tr("<!-- Begin %1 -->").arg(tr("Styles")));
    appendStyles(html, true);
    html += QStringLiteral("\n\n\t\t%1\n\n\n").arg(tr("<!-- End %1 -->").arg(tr("Styles")));
    html += QStringLiteral("\t</HEAD>\n\t<BODY>\n");
}

QString HTMLBuilder::HTMLStylesWithIndent(bool indent) const
{
    QString html;
    appendStyles(html, indent);
    return html;
}

void HTMLBuilder::appendStyles(QString &html, bool indent) const
{
    const QString lead = indentText(indent);
    html += lead;
    html += QStringLiteral("<STYLE type=\"text/css\">\n");
    for (const LinksPageStyle::Style &style : LinksPageStyle::styles()) {
        const QString stored = m_collectionManager.stringForName(style.key);
        html += lead;
        html += QStringLiteral("\t.");
        html += style.className;
        html += QStringLiteral(" { ");
        html += stored.isNull() ? style.defaultText : styleText(stored);
        html += QStringLiteral(" }\n");
    }
    html += lead;
    html += QStringLiteral("</STYLE>\n");
}

// ---------------------------------------------------------------- rows

void HTMLBuilder::appendSeparator(QString &html, bool indent, const QString &title) const
{
    const QString lead = indentText(indent);
    if (!title.isNull()) {
        html += lead;
        html += QStringLiteral("\t<TR><TD colspan=\"2\" class=\"qm_section_title\">");
        html += title;
        html += QStringLiteral("</TD></TR>\n");
    }
    html += lead;
    html += QStringLiteral("\t<TR class=\"qm_separator\"><TD colspan=\"2\" height=\"1\">");
    html += SpacerCell;
    html += QStringLiteral("</TD></TR>\n");
    html += lead;
    html += QStringLiteral("\t<TR><TD colspan=\"2\" height=\"5\">");
    html += SpacerCell;
    html += QStringLiteral("</TD></TR>\n");
}

void HTMLBuilder::appendRowStart(QString &html, bool indent, bool border, const QString &style) const
{
    const QString lead = indentText(indent);
    html += lead;
    html += QStringLiteral("\t<TR>\n");
    html += lead;
    html += QStringLiteral("\t\t<TD colspan=\"2\"");
    if (border)
        html += QStringLiteral(" valign=\"bottom\"");
    html += QStringLiteral(" class=\"");
    html += style;
    html += QStringLiteral("\">\n");
}

void HTMLBuilder::appendRowEnd(QString &html, bool indent) const
{
    const QString lead = indentText(indent);
    html += lead;
    html += QStringLiteral("\t\t</TD>\n");
    html += lead;
    html += QStringLiteral("\t</TR>\n");
}

void HTMLBuilder::appendBlockMarker(QString &html, const QString &format, const QString &name, bool indent,
                                    const QString &lead) const
{
    html += lead;
    html += indentText(indent);
    html += format.arg(name);
    html += QStringLiteral("\n\n\n");
}

bool HTMLBuilder::hasPublishableLinks(const TreeNode *categoryNode) const
{
    return PublishingRules::numberOfPublishableLinksInCategory(m_collectionManager.selfInfo(), categoryNode) >
           0;
}

QString HTMLBuilder::HTMLForBreadcrumbWithCategory(const Category *category, bool indent) const
{
    const QString lead = indentText(indent);
    const QString blockLead = QStringLiteral("\n\n\t\t\t");
    const QString name = tr("Breadcrumb");
    QString html;
    appendSeparator(html, indent, tr("Category"));
    appendRowStart(html, indent, true, QStringLiteral("qm_text"));
    appendBlockMarker(html, tr("<!-- Begin %1 -->"), name, indent, blockLead);
    html += lead;
    html += QStringLiteral("\t\t\t<A href=\"");
    html += attributeString(pageHref(m_indexFileName));
    html += QStringLiteral("\" class=\"qm_link\">");
    html += tr("Top");
    html += QStringLiteral("</A>");
    if (category && !category->isNone()) {
        html += QStringLiteral(" &gt; <FONT class=\"qm_emphasized_text\">");
        html += category->HTMLName();
        html += QStringLiteral("</FONT>");
    }
    html += QStringLiteral("\n");
    appendBlockMarker(html, tr("<!-- End %1 -->"), name, indent, blockLead);
    appendRowEnd(html, indent);
    html += lead;
    html += QStringLiteral("\t<TR><TD colspan=\"2\" height=\"15\">");
    html += SpacerCell;
    html += QStringLiteral("</TD></TR>\n");
    return html;
}

QString HTMLBuilder::HTMLForTableOfContentsWithSinglePage(bool singlePage, bool indent,
                                                          bool addSpacingAtEnd) const
{
    const TreeNode *root = m_collectionManager.categoryRoot();
    std::vector<const Category *> listed;
    for (int i = 1; i < root->numberOfChildren(); ++i) {
        const TreeNode *node = root->childAtIndex(i);
        const Category *category = node->category();
        if (category && !category->isNone() && hasPublishableLinks(node))
            listed.push_back(category);
    }
    if (listed.empty())
        return QString();

    const QString lead = indentText(indent);
    const QString columnStart = lead + QStringLiteral("\t\t<TD valign=\"top\" width=\"50%\">\n") + lead +
                                QStringLiteral("\t\t\t<UL class=\"qm_ul\">\n");
    const QString columnEnd = lead + QStringLiteral("\t\t\t</UL>\n") + lead + QStringLiteral("\t\t</TD>\n");
    const QString name = tr("Table of contents");
    const size_t left = (listed.size() + 1) / 2;
    QString html;
    appendBlockMarker(html, tr("<!-- Begin %1 -->"), name, indent);
    html += lead;
    html += QStringLiteral("\t<TR>\n");
    html += columnStart;
    for (size_t i = 0; i < left; ++i)
        html += HTMLForCategoryLinkWithCategory(listed[i], singlePage, indent);
    html += columnEnd;
    html += columnStart;
    for (size_t i = left; i < listed.size(); ++i)
        html += HTMLForCategoryLinkWithCategory(listed[i], singlePage, indent);
    html += columnEnd;
    html += lead;
    html += QStringLiteral("\t</TR>\n");
    appendBlockMarker(html, tr("<!-- End %1 -->"), name, indent);
    if (addSpacingAtEnd) {
        html += lead;
        html += QStringLiteral("\t<TR><TD colspan=\"2\" height=\"5\">");
        html += SpacerCell;
        html += QStringLiteral("</TD></TR>\n");
    }
    return html;
}

QString HTMLBuilder::HTMLForCategoryLinkWithCategory(const Category *category, bool singlePage,
                                                     bool indent) const
{
    if (!category || category->isNone())
        return QString();
    const QString target = singlePage ? QStringLiteral("#") + category->anchor()
                                      : pageHref(category->anchor() + QStringLiteral(".html"));
    return indentText(indent) + QStringLiteral("\t\t\t\t<LI class=\"qm_li\"><A href=\"") +
           attributeString(target) + QStringLiteral("\" class=\"qm_emphasized_link\">") +
           category->HTMLName() + QStringLiteral("</A></LI>\n");
}

void HTMLBuilder::appendCategory(QString &html, const TreeNode *categoryNode, bool includeTitle,
                                 bool indent) const
{
    const Category *category = categoryNode ? categoryNode->category() : nullptr;
    if (!category || !categoryNode->isExpandable() || !hasPublishableLinks(categoryNode))
        return;
    const QString lead = indentText(indent);
    if (includeTitle && !category->isNone()) {
        appendRowStart(html, indent, false, QStringLiteral("qm_emphasized_text"));
        html += lead;
        html += QStringLiteral("\t\t\t<A name=\"");
        html += attributeString(category->anchor());
        html += QStringLiteral("\"></A>");
        html += category->HTMLName();
        html += QStringLiteral("\n");
        appendRowEnd(html, indent);
    }
    appendRowStart(html, indent, false, QStringLiteral("qm_text"));
    html += lead;
    html += QStringLiteral("\t\t\t<UL class=\"qm_ul\">\n");
    for (const TreeNode *node : categoryNode->children()) {
        if (const Link *link = node->link())
            appendLink(html, *link, indent);
    }
    html += lead;
    html += QStringLiteral("\t\t\t</UL>\n");
    appendRowEnd(html, indent);
}

QString HTMLBuilder::HTMLForLink(const Link &link, bool indent) const
{
    QString html;
    appendLink(html, link, indent);
    return html;
}

void HTMLBuilder::appendLink(QString &html, const Link &link, bool indent) const
{
    if (!PublishingRules::publishableLink(m_collectionManager.selfInfo(), link))
        return;
    html += indentText(indent);
    html += QStringLiteral("\t\t\t\t<LI class=\"qm_li\"><A href=\"");
    appendAttribute(html, link.URL());
    if (m_targetNew)
        html += QStringLiteral("\" target=\"_new");
    html += QStringLiteral("\" class=\"qm_link\">");
    html += link.HTMLTitle();
    html += QStringLiteral("</A><FONT class=\"qm_text\">");
    if (!link.description().isEmpty()) {
        html += QStringLiteral(" - ");
        html += link.HTMLDescription();
    }
    html += QStringLiteral("</FONT></LI>\n");
}

QString HTMLBuilder::attributeString(const QString &text)
{
    QString result;
    result.reserve(text.size());
    appendAttribute(result, text);
    return result;
}

QString HTMLBuilder::styleText(const QString &declarations)
{
    if (!declarations.contains(QLatin1String("</")))
        return declarations;
    QString text = declarations;
    return text.replace(QLatin1String("</"), QLatin1String("<\\/"));
}

QString HTMLBuilder::pageHref(const QString &fileName)
{
    // A browser decodes "&#58;" in an attribute to a colon before it looks for the scheme.
    const bool mayNameScheme = fileName.contains(u':') || fileName.contains(u'&');
    return mayNameScheme ? QStringLiteral("./") + fileName : fileName;
}

void HTMLBuilder::appendAttribute(QString &html, const QString &text)
{
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            html += QStringLiteral("&quot;");
            break;
        case u'<':
            html += QStringLiteral("&lt;");
            break;
        case u'>':
            html += QStringLiteral("&gt;");
            break;
        default:
            html += c;
        }
    }
}
