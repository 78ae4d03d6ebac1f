#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QString>

class Category;
class CollectionManager;
class Link;
class TreeNode;

// Renders the links page as one HTML5 page for today's browsers: a viewport, a heading with the
// site's title and description, an index of the categories, a list per category under its heading
// (the default category's links included), the user's styles as CSS classes and a "Link to us"
// block with the code of a link to the user's site. Chosen by the named string "PageLayout" being
// "responsive"; the two table layouts are untouched by it.
class ResponsivePageBuilder
{
    Q_DECLARE_TR_FUNCTIONS(ResponsivePageBuilder)

public:
    explicit ResponsivePageBuilder(const CollectionManager &collectionManager);

    // Whether the database's links page uses this layout.
    static bool isChosen(const CollectionManager &collectionManager);

    QString page() const;
    // The part between the body tags, for the clipboard.
    QString bodyContent() const;
    // The HTML of a link to the user's own site, as the "Link to us" block offers it; empty when
    // the site profile has no web address.
    QString linkToUsCode() const;
    // The element id of a category's section: its anchor when that is a valid id and not taken.
    QString sectionId(const Category *category) const { return m_sectionIds.value(category); }

    // Only http and https addresses become links; anything else could run script in the reader's
    // browser.
    static bool isWebAddress(const QString &url);
    // Text for a double-quoted attribute: &, ", < and > as entities.
    static QString attributeText(const QString &text);

private:
    void appendContents(QString &html) const;
    void appendCategory(QString &html, const TreeNode *categoryNode) const;
    void appendLink(QString &html, const Link &link) const;
    void appendLinkToUs(QString &html) const;
    bool hasPublishableLinks(const TreeNode *categoryNode) const;
    static QString categoryTitle(const Category *category);

    const CollectionManager &m_collectionManager;
    bool m_targetNew; // "TargetNew" is "YES"
    QHash<const Category *, QString> m_sectionIds;
};
