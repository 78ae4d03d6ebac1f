#pragma once

#include <QCoreApplication>
#include <QString>

class Category;
class CollectionManager;
class Link;
class TreeNode;

// Renders the user's public links page (HTML 4.01 Transitional) from a links database and its
// page style: one single page, or an index page plus one page per category, and the copies put on
// the clipboard. The indent flag puts two tabs before each row; files use it, clipboard copies do not.
class HTMLBuilder
{
    Q_DECLARE_TR_FUNCTIONS(HTMLBuilder)

public:
    // A builder is made for one export or copy and dropped; it reads the settings once.
    // `indexFileName` is the file an export writes the index page to, which the category pages'
    // "Top" link points to; a copy without an export points to the name an export proposes.
    explicit HTMLBuilder(const CollectionManager &collectionManager,
                         const QString &indexFileName = QString());

    // --- Whole pages, as files hold them
    QString HTMLForSinglePage() const;
    QString HTMLForCategoryPageWithCategory(const TreeNode *categoryNode) const;

    // --- Clipboard texts
    QString clipboardString() const;
    QString clipboardStringForCategory(const TreeNode *categoryNode) const;
    QString stylesClipboardString() const;

    // --- Pieces
    QString HTMLStylesWithIndent(bool indent) const;
    QString HTMLForTableOfContentsWithSinglePage(bool singlePage, bool indent, bool addSpacingAtEnd) const;
    QString HTMLForLink(const Link &link, bool indent) const;

    // A text placed inside a double-quoted attribute: quotes and angle brackets become entities,
    // so a stored address cannot end the attribute; "&" stays as it is.
    static QString attributeString(const QString &text);
    // A style rule's declarations as the style sheet holds them: "</" becomes "<\\/" (the same two
    // characters to CSS), so no stored value can end the STYLE element and open markup of its own.
    static QString styleText(const QString &declarations);
    // A link to one of the export's own files: a name that a browser could read as a scheme
    // ("javascript:x.html", also with the colon written "&#58;") is made relative with "./".
    static QString pageHref(const QString &fileName);

private:
    QString HTMLForBreadcrumbWithCategory(const Category *category, bool indent) const;
    QString HTMLForCategoryLinkWithCategory(const Category *category, bool singlePage, bool indent) const;
    bool hasPublishableLinks(const TreeNode *categoryNode) const;
    void appendHeader(QString &html, const Category *category) const;
    void appendStyles(QString &html, bool indent) const;
    void appendSinglePageContent(QString &html, bool indent) const;
    void appendCategoryPageContent(QString &html, const TreeNode *categoryNode, bool indent) const;
    void appendSeparator(QString &html, bool indent, const QString &title) const;
    void appendRowStart(QString &html, bool indent, bool border, const QString &style) const;
    void appendRowEnd(QString &html, bool indent) const;
    // One comment of a marked block ("<!-- Begin %1 -->" or "<!-- End %1 -->") with its spacing.
    void appendBlockMarker(QString &html, const QString &format, const QString &name, bool indent,
                           const QString &lead = QStringLiteral("\n\n\t")) const;
    void appendCategory(QString &html, const TreeNode *categoryNode, bool includeTitle, bool indent) const;
    void appendLink(QString &html, const Link &link, bool indent) const;
    static void appendAttribute(QString &html, const QString &text);

    const CollectionManager &m_collectionManager;
    QString m_indexFileName; // what the "Top" link points to
    bool m_targetNew;        // "TargetNew" is "YES", read once: a builder lives for one export or copy
};
