#pragma once

#include <QString>

class Category;
class CollectionManager;
class Link;
class TreeNode;

// Turns a links database into the user's public links page (HTML 4.01 Transitional, UTF-8): one
// single page, or an index page plus one page per category. Also makes the clipboard copies.
// The indent flag puts two tabs before each row; files use it, clipboard copies do not.
class HTMLBuilder
{
public:
    // A builder is made for one export or copy and dropped; it reads the settings once.
    explicit HTMLBuilder(const CollectionManager &collectionManager);

    // --- Entry points for the document's commands
    // Writes the links page to `path` (and, per category, beside it). Nothing is written when a
    // category's anchor cannot name a file; `error` then names the category.
    static bool exportHTMLWithCollectionManager(const CollectionManager &collectionManager,
                                                const QString &path, QString *error = nullptr);
    static int numberOfHTMLFilesForCollectionManager(const CollectionManager &collectionManager);
    static void copyHTMLToClipboardWithCollectionManager(const CollectionManager &collectionManager);
    static void copyCategoryHTMLToClipboardWithCollectionManager(const CollectionManager &collectionManager,
                                                                 const TreeNode *categoryNode);
    static void copyHTMLStylesToClipboardWithCollectionManager(const CollectionManager &collectionManager);

    // --- Files
    bool exportSiteAtPath(const QString &path, QString *error = nullptr);
    // Writes one page atomically as UTF-8.
    bool exportHTML(const QString &text, const QString &path, QString *error = nullptr) const;
    // Why the per-category pages cannot sit beside the index file `indexFileName` (an anchor that is
    // not a plain file name, two pages or a page and the index sharing a name); null when they can.
    QString problemWithPageFileNames(const QString &indexFileName) const;
    // Letters and digits only: such an anchor names a file inside the export folder and nothing else.
    static bool isPlainAnchor(const QString &anchor);

    // --- Clipboard texts
    QString clipboardString() const;
    QString clipboardStringForCategory(const TreeNode *categoryNode) const;
    QString stylesClipboardString() const;

    // --- Pieces
    QString HTMLForSinglePage() const;
    QString HTMLForCategoryPageWithCategory(const TreeNode *categoryNode) const;
    QString HTMLForSinglePageContentWithIndent(bool indent) const;
    QString HTMLForCategoryPageContentWithCategory(const TreeNode *categoryNode, bool indent) const;
    QString HTMLStylesWithIndent(bool indent) const;
    QString HTMLFooter() const;
    QString HTMLForBreadcrumbWithCategory(const Category *category, bool indent) const;
    QString HTMLForTableOfContentsWithSinglePage(bool singlePage, bool indent, bool addSpacingAtEnd) const;
    QString HTMLForLink(const Link &link, bool indent) const;
    QString HTMLForCategoryLinkWithCategory(const Category *category, bool singlePage, bool indent) const;

    // A text placed inside a double-quoted attribute: quotes and angle brackets become entities,
    // so a stored address cannot end the attribute; "&" stays as it is.
    static QString attributeString(const QString &text);

    const QString &indexFileName() const { return m_indexFileName; }

private:
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
    QString breadcrumbTarget() const;

    const CollectionManager &m_collectionManager;
    QString m_indexFileName; // null until an export names the index file
    bool m_targetNew;        // "TargetNew" is "YES", read once: a builder lives for one export or copy
};
