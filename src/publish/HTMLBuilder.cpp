#include "HTMLBuilder.h"

#include "ClipboardWriter.h"
#include "LinksPageStyle.h"

#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/OutputFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

const QString TableLine =
    QStringLiteral("<TABLE border=\"0\" cellspacing=\"0\" cellpadding=\"0\" width=\"98%\">\n");
const QString SpacerCell = QStringLiteral("<SPACER type=\"block\" width=\"1\" height=\"1\">");
const QString DefaultIndexFileName = QStringLiteral("index.html");

inline QString indentText(bool indent)
{
    return indent ? QStringLiteral("\t\t") : QString();
}

} // namespace

HTMLBuilder::HTMLBuilder(const CollectionManager &collectionManager)
    : m_collectionManager(collectionManager),
      m_targetNew(collectionManager.stringForName(LinksPageStyle::TargetNewKey) == QLatin1String("YES"))
{}

// ---------------------------------------------------------------- entry points

bool HTMLBuilder::exportHTMLWithCollectionManager(const CollectionManager &collectionManager,
                                                  const QString &path, QString *error)
{
    HTMLBuilder builder(collectionManager);
    return builder.exportSiteAtPath(path, error);
}

int HTMLBuilder::numberOfHTMLFilesForCollectionManager(const CollectionManager &collectionManager)
{
    if (collectionManager.selfInfo().renderMode() == RenderModeSinglePage)
        return 1;
    int count = 1;
    for (const TreeNode *node : collectionManager.categoryRoot()->children()) {
        const Category *category = node->category();
        if (category && !category->isNone() && collectionManager.numberOfPublishableLinksInCategory(node) > 0)
            ++count;
    }
    return count;
}

void HTMLBuilder::copyHTMLToClipboardWithCollectionManager(const CollectionManager &collectionManager)
{
    ClipboardWriter::copyPage(HTMLBuilder(collectionManager).clipboardString());
}

void HTMLBuilder::copyCategoryHTMLToClipboardWithCollectionManager(const CollectionManager &collectionManager,
                                                                   const TreeNode *categoryNode)
{
    ClipboardWriter::copyPage(HTMLBuilder(collectionManager).clipboardStringForCategory(categoryNode));
}

void HTMLBuilder::copyHTMLStylesToClipboardWithCollectionManager(const CollectionManager &collectionManager)
{
    ClipboardWriter::copyText(HTMLBuilder(collectionManager).stylesClipboardString());
}

// ---------------------------------------------------------------- files

bool HTMLBuilder::isPlainAnchor(const QString &anchor)
{
    if (anchor.isEmpty())
        return false;
    for (const QChar c : anchor) {
        if (!c.isLetterOrNumber())
            return false;
    }
    return true;
}

QString HTMLBuilder::problemWithPageFileNames(const QString &indexFileName) const
{
    // Compared without case: on a case-insensitive disk "News.html" and "news.html" are one file.
    QHash<QString, QString> takenBy;
    takenBy.insert(indexFileName.toCaseFolded(), QString());
    for (const TreeNode *node : m_collectionManager.categoryRoot()->children()) {
        const Category *category = node->category();
        if (!category || category->isNone() ||
            m_collectionManager.numberOfPublishableLinksInCategory(node) == 0)
            continue;
        if (!isPlainAnchor(category->anchor()))
            return tr("The ID \"%1\" of the category \"%2\" cannot be used as a file name. Give the category "
                      "an "
                      "ID made of letters and digits only.")
                .arg(category->anchor(), category->name());
        const QString fileName = category->anchor() + QStringLiteral(".html");
        const auto taken = takenBy.constFind(fileName.toCaseFolded());
        if (taken != takenBy.constEnd()) {
            if (taken->isNull())
                return tr("The page of the category \"%1\" would replace the file \"%2\". Choose another "
                          "file "
                          "name or give the category another ID.")
                    .arg(category->name(), indexFileName);
            return tr("The categories \"%1\" and \"%2\" would both be written to the file \"%3\". Give one "
                      "of "
                      "them another ID.")
                .arg(*taken, category->name(), fileName);
        }
        takenBy.insert(fileName.toCaseFolded(), category->name());
    }
    return QString();
}

bool HTMLBuilder::exportSiteAtPath(const QString &path, QString *error)
{
    const QFileInfo info(path);
    m_indexFileName = info.fileName();
    if (m_collectionManager.selfInfo().renderMode() == RenderModeSinglePage)
        return exportHTML(HTMLForSinglePage(), path, error);

    // The category pages go beside the index page: beside a device or a pipe is no place for them.
    if (OutputFile::isStream(path)) {
        if (error)
            *error = tr("This links page has one page per category, which are written beside the index "
                        "page; name a file in a folder, not a device or a pipe.");
        return false;
    }
    // Every page name is checked before the first file is written.
    const QString problem = problemWithPageFileNames(m_indexFileName);
    if (!problem.isNull()) {
        if (error)
            *error = problem;
        return false;
    }
    const QDir folder = info.absoluteDir();
    // All pages or none: a full disk must not leave an index page pointing at old category pages.
    QList<std::pair<QString, QByteArray>> pages;
    for (const TreeNode *node : m_collectionManager.categoryRoot()->children()) {
        const Category *category = node->category();
        if (!category)
            continue;
        QString target;
        if (category->isNone())
            target = path;
        else if (m_collectionManager.numberOfPublishableLinksInCategory(node) > 0)
            target = folder.filePath(category->anchor() + QStringLiteral(".html"));
        else
            continue;
        pages.append({target, HTMLForCategoryPageWithCategory(node).toUtf8()});
    }
    if (pages.isEmpty()) {
        if (error)
            *error = tr("There is nothing to export.");
        return false;
    }
    QString why;
    QString failed;
    if (OutputFile::writeAll(pages, &why, &failed))
        return true;
    if (error)
        *error = tr("The file \"%1\" could not be written (%2).").arg(QDir::toNativeSeparators(failed), why);
    return false;
}

bool HTMLBuilder::exportHTML(const QString &text, const QString &path, QString *error) const
{
    QString why;
    if (DatabaseFile::writeAtomically(path, text.toUtf8(), &why))
        return true;
    if (error)
        *error = tr("The file \"%1\" could not be written (%2).").arg(QDir::toNativeSeparators(path), why);
    return false;
}

// ---------------------------------------------------------------- clipboard texts

QString HTMLBuilder::clipboardString() const
{
    return HTMLForSinglePageContentWithIndent(false);
}

QString HTMLBuilder::clipboardStringForCategory(const TreeNode *categoryNode) const
{
    return HTMLForCategoryPageContentWithCategory(categoryNode, false);
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
    html += HTMLFooter();
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
    html += HTMLFooter();
    return html;
}

QString HTMLBuilder::HTMLForSinglePageContentWithIndent(bool indent) const
{
    QString html;
    html.reserve(2048 + 320 * qsizetype(m_collectionManager.numberOfLinks()));
    appendSinglePageContent(html, indent);
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

QString HTMLBuilder::HTMLForCategoryPageContentWithCategory(const TreeNode *categoryNode, bool indent) const
{
    QString html;
    if (categoryNode)
        html.reserve(2048 + 320 * qsizetype(categoryNode->numberOfChildren()));
    appendCategoryPageContent(html, categoryNode, indent);
    return html;
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
        html += stored.isNull() ? style.defaultText : stored;
        html += QStringLiteral(" }\n");
    }
    html += lead;
    html += QStringLiteral("</STYLE>\n");
}

QString HTMLBuilder::HTMLFooter() const
{
    return QStringLiteral("\t</BODY>\n</HTML>");
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

QString HTMLBuilder::breadcrumbTarget() const
{
    // A clipboard copy has no export behind it: "Top" points to the name the export proposes.
    return m_indexFileName.isEmpty() ? DefaultIndexFileName : m_indexFileName;
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
    html += attributeString(breadcrumbTarget());
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
        if (category && !category->isNone() &&
            m_collectionManager.numberOfPublishableLinksInCategory(node) > 0)
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
    const QString target =
        singlePage ? QStringLiteral("#") + category->anchor() : category->anchor() + QStringLiteral(".html");
    return indentText(indent) + QStringLiteral("\t\t\t\t<LI class=\"qm_li\"><A href=\"") +
           attributeString(target) + QStringLiteral("\" class=\"qm_emphasized_link\">") +
           category->HTMLName() + QStringLiteral("</A></LI>\n");
}

void HTMLBuilder::appendCategory(QString &html, const TreeNode *categoryNode, bool includeTitle,
                                 bool indent) const
{
    const Category *category = categoryNode ? categoryNode->category() : nullptr;
    if (!category || !categoryNode->isExpandable() ||
        m_collectionManager.numberOfPublishableLinksInCategory(categoryNode) == 0)
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
    if (!m_collectionManager.publishableLink(link))
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
