#include "HTMLBuilder.h"

#include "ClipboardWriter.h"
#include "LinksPageStyle.h"

#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("HTMLBuilder", text);
}

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
    ClipboardWriter::copyText(HTMLBuilder(collectionManager).clipboardString());
}

void HTMLBuilder::copyCategoryHTMLToClipboardWithCollectionManager(const CollectionManager &collectionManager,
                                                                   const TreeNode *categoryNode)
{
    ClipboardWriter::copyText(HTMLBuilder(collectionManager).clipboardStringForCategory(categoryNode));
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

    // Every page name is checked before the first file is written.
    const QString problem = problemWithPageFileNames(m_indexFileName);
    if (!problem.isNull()) {
        if (error)
            *error = problem;
        return false;
    }
    const QDir folder = info.absoluteDir();
    bool written = false;
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
        if (!exportHTML(HTMLForCategoryPageWithCategory(node), target, error))
            return false;
        written = true;
    }
    if (!written && error)
        *error = tr("There is nothing to export.");
    return written;
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

QString HTMLBuilder::HTMLForSinglePage() const
{
    return HTMLHeaderForCategory(nullptr) + HTMLForSinglePageContentWithIndent(true) + HTMLFooter();
}

QString HTMLBuilder::HTMLForCategoryPageWithCategory(const TreeNode *categoryNode) const
{
    const Category *category = categoryNode ? categoryNode->category() : nullptr;
    if (!category)
        return QString();
    return HTMLHeaderForCategory(category) + HTMLForCategoryPageContentWithCategory(categoryNode, true) +
           HTMLFooter();
}

QString HTMLBuilder::HTMLForSinglePageContentWithIndent(bool indent) const
{
    const TreeNode *root = m_collectionManager.categoryRoot();
    QString html;
    html.reserve(256 + 256 * m_collectionManager.numberOfLinks());
    html += indentText(indent) + TableLine;
    if (root->numberOfChildren() > 1) {
        const QString contents = HTMLForTableOfContentsWithSinglePage(true, indent, true);
        if (!contents.isEmpty())
            html += HTMLForSeparatorWithIndent(indent, tr("Categories")) + contents;
    }
    html += HTMLForSeparatorWithIndent(indent, tr("Site Listings"));
    QString listings;
    for (const TreeNode *node : root->children())
        listings += HTMLForCategory(node, true, indent);
    html += markedBlock(tr("Listings"), listings, indent);
    html += indentText(indent) + QStringLiteral("</TABLE>\n");
    return html;
}

QString HTMLBuilder::HTMLForCategoryPageContentWithCategory(const TreeNode *categoryNode, bool indent) const
{
    const Category *category = categoryNode ? categoryNode->category() : nullptr;
    if (!category)
        return QString();
    const bool hasLinks = categoryNode->isExpandable();
    QString html;
    html.reserve(256 + 256 * categoryNode->numberOfChildren());
    html += indentText(indent) + TableLine;
    if (!category->isNone())
        html += HTMLForBreadcrumbWithCategory(category, indent);
    if (category->isNone() && m_collectionManager.categoryRoot()->numberOfChildren() > 1) {
        const QString contents = HTMLForTableOfContentsWithSinglePage(false, indent, hasLinks);
        if (!contents.isEmpty())
            html += HTMLForSeparatorWithIndent(indent, tr("Categories")) + contents;
    }
    if (hasLinks) {
        html += HTMLForSeparatorWithIndent(indent, tr("Site Listings"));
        html += markedBlock(tr("Listings"), HTMLForCategory(categoryNode, false, indent), indent);
    }
    html += indentText(indent) + QStringLiteral("</TABLE>\n");
    return html;
}

QString HTMLBuilder::HTMLHeaderForCategory(const Category *category) const
{
    QString html;
    html += QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"\n\t\""
                           "http://www.w3.org/TR/1999/REC-html401-19991224/loose.dtd\">\n");
    html += QStringLiteral("<HTML>\n\t<HEAD>\n");
    html += QStringLiteral("\t\t<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\n");
    html += QStringLiteral("\t\t<META name=\"generator\" content=\"Quillmarsh for Mac OS X\">\n\t\t<TITLE>");
    html += m_collectionManager.selfInfo().HTMLTitle();
    if (category && !category->isNone())
        html += QStringLiteral(" - ") + category->HTMLName();
    html += QStringLiteral("</TITLE>\n");
    html += QStringLiteral("\n\n\t\t%1\n\n\n").arg(tr("<!-- Begin %1 -->").arg(tr("Styles")));
    html += HTMLStylesWithIndent(true);
    html += QStringLiteral("\n\n\t\t%1\n\n\n").arg(tr("<!-- End %1 -->").arg(tr("Styles")));
    html += QStringLiteral("\t</HEAD>\n\t<BODY>\n");
    return html;
}

QString HTMLBuilder::HTMLStylesWithIndent(bool indent) const
{
    const QString lead = indentText(indent);
    QString html = lead + QStringLiteral("<STYLE type=\"text/css\">\n");
    for (const LinksPageStyle::Style &style : LinksPageStyle::styles()) {
        const QString stored = m_collectionManager.stringForName(style.key);
        html += lead + QStringLiteral("\t.") + style.className + QStringLiteral(" { ") +
                (stored.isNull() ? style.defaultText : stored) + QStringLiteral(" }\n");
    }
    html += lead + QStringLiteral("</STYLE>\n");
    return html;
}

QString HTMLBuilder::HTMLFooter() const
{
    return QStringLiteral("\t</BODY>\n</HTML>");
}

// ---------------------------------------------------------------- rows

QString HTMLBuilder::HTMLForSeparatorWithIndent(bool indent, const QString &title) const
{
    const QString lead = indentText(indent);
    QString html;
    if (!title.isNull())
        html += lead + QStringLiteral("\t<TR><TD colspan=\"2\" class=\"qm_section_title\">") + title +
                QStringLiteral("</TD></TR>\n");
    html += lead + QStringLiteral("\t<TR class=\"qm_separator\"><TD colspan=\"2\" height=\"1\">") +
            SpacerCell + QStringLiteral("</TD></TR>\n");
    html += lead + QStringLiteral("\t<TR><TD colspan=\"2\" height=\"5\">") + SpacerCell +
            QStringLiteral("</TD></TR>\n");
    return html;
}

QString HTMLBuilder::HTMLForRowStartWithIndent(bool indent, bool border, const QString &style) const
{
    const QString lead = indentText(indent);
    QString html = lead + QStringLiteral("\t<TR>\n") + lead + QStringLiteral("\t\t<TD colspan=\"2\"");
    if (border)
        html += QStringLiteral(" valign=\"bottom\"");
    html += QStringLiteral(" class=\"%1\">\n").arg(style);
    return html;
}

QString HTMLBuilder::HTMLForRowEndWithIndent(bool indent) const
{
    const QString lead = indentText(indent);
    return lead + QStringLiteral("\t\t</TD>\n") + lead + QStringLiteral("\t</TR>\n");
}

QString HTMLBuilder::markedBlock(const QString &name, const QString &block, bool indent,
                                 const QString &lead) const
{
    return lead + indentText(indent) + tr("<!-- Begin %1 -->").arg(name) + QStringLiteral("\n\n\n") + block +
           lead + indentText(indent) + tr("<!-- End %1 -->").arg(name) + QStringLiteral("\n\n\n");
}

QString HTMLBuilder::breadcrumbTarget() const
{
    // A clipboard copy has no export behind it: "Top" points to the name the export proposes.
    return m_indexFileName.isEmpty() ? DefaultIndexFileName : m_indexFileName;
}

QString HTMLBuilder::HTMLForBreadcrumbWithCategory(const Category *category, bool indent) const
{
    const QString lead = indentText(indent);
    QString html = HTMLForSeparatorWithIndent(indent, tr("Category"));
    html += HTMLForRowStartWithIndent(indent, true, QStringLiteral("qm_text"));
    QString crumbs =
        lead +
        QStringLiteral("\t\t\t<A href=\"%1\" class=\"qm_link\">").arg(attributeString(breadcrumbTarget())) +
        tr("Top") + QStringLiteral("</A>");
    if (category && !category->isNone())
        crumbs += QStringLiteral(" &gt; <FONT class=\"qm_emphasized_text\">") + category->HTMLName() +
                  QStringLiteral("</FONT>");
    crumbs += QStringLiteral("\n");
    html += markedBlock(tr("Breadcrumb"), crumbs, indent, QStringLiteral("\n\n\t\t\t"));
    html += HTMLForRowEndWithIndent(indent);
    html += lead + QStringLiteral("\t<TR><TD colspan=\"2\" height=\"15\">") + SpacerCell +
            QStringLiteral("</TD></TR>\n");
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
    const size_t left = (listed.size() + 1) / 2;
    QString block = lead + QStringLiteral("\t<TR>\n") + columnStart;
    for (size_t i = 0; i < left; ++i)
        block += HTMLForCategoryLinkWithCategory(listed[i], singlePage, indent);
    block += columnEnd + columnStart;
    for (size_t i = left; i < listed.size(); ++i)
        block += HTMLForCategoryLinkWithCategory(listed[i], singlePage, indent);
    block += columnEnd + lead + QStringLiteral("\t</TR>\n");

    QString html = markedBlock(tr("Table of contents"), block, indent);
    if (addSpacingAtEnd)
        html += lead + QStringLiteral("\t<TR><TD colspan=\"2\" height=\"5\">") + SpacerCell +
                QStringLiteral("</TD></TR>\n");
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

QString HTMLBuilder::HTMLForCategory(const TreeNode *categoryNode, bool includeTitle, bool indent) const
{
    const Category *category = categoryNode ? categoryNode->category() : nullptr;
    if (!category || !categoryNode->isExpandable() ||
        m_collectionManager.numberOfPublishableLinksInCategory(categoryNode) == 0)
        return QString();
    const QString lead = indentText(indent);
    QString html;
    html.reserve(256 + 256 * categoryNode->numberOfChildren());
    if (includeTitle && !category->isNone()) {
        html += HTMLForRowStartWithIndent(indent, false, QStringLiteral("qm_emphasized_text"));
        html += lead + QStringLiteral("\t\t\t<A name=\"") + attributeString(category->anchor()) +
                QStringLiteral("\"></A>") + category->HTMLName() + QStringLiteral("\n");
        html += HTMLForRowEndWithIndent(indent);
    }
    html += HTMLForRowStartWithIndent(indent, false, QStringLiteral("qm_text"));
    html += lead + QStringLiteral("\t\t\t<UL class=\"qm_ul\">\n");
    for (const TreeNode *node : categoryNode->children()) {
        if (const Link *link = node->link())
            html += HTMLForLink(*link, indent);
    }
    html += lead + QStringLiteral("\t\t\t</UL>\n");
    html += HTMLForRowEndWithIndent(indent);
    return html;
}

QString HTMLBuilder::HTMLForLink(const Link &link, bool indent) const
{
    if (!m_collectionManager.publishableLink(link))
        return QString();
    QString html = indentText(indent) + QStringLiteral("\t\t\t\t<LI class=\"qm_li\"><A href=\"") +
                   attributeString(link.URL());
    if (m_targetNew)
        html += QStringLiteral("\" target=\"_new");
    html += QStringLiteral("\" class=\"qm_link\">") + link.HTMLTitle() +
            QStringLiteral("</A><FONT class=\"qm_text\">");
    if (!link.description().isEmpty())
        html += QStringLiteral(" - ") + link.HTMLDescription();
    html += QStringLiteral("</FONT></LI>\n");
    return html;
}

QString HTMLBuilder::attributeString(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            result += QStringLiteral("&quot;");
            break;
        case u'<':
            result += QStringLiteral("&lt;");
            break;
        case u'>':
            result += QStringLiteral("&gt;");
            break;
        default:
            result += c;
        }
    }
    return result;
}
