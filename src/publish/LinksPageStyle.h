#pragma once

#include <QList>
#include <QString>

// The eight style settings of the generated links page: their named-string keys, the tags the
// setup sheet gives them, the CSS class each one styles, and the text used when a key is absent.
namespace LinksPageStyle {

struct Style
{
    int tag;             // item tag in the setup sheet's style menu (1 to 8)
    QString key;         // named-string key
    QString className;   // CSS class of the generated page
    QString defaultText; // used only when the key is absent
};

// In style-sheet order: TextStyle, EmphasizedTextStyle, LinkStyle, EmphasizedLinkStyle,
// SectionTitleStyle, SeparatorStyle, LIStyle, ULStyle.
const QList<Style> &styles();

// The style with this tag or key, or null.
const Style *styleWithTag(int tag);
const Style *styleWithKey(const QString &key);

// The key of a tag, or a null string for a tag outside 1 to 8.
QString keyForTag(int tag);
// The default text of a key, or a null string for an unknown key.
QString defaultTextForKey(const QString &key);

// Named string holding "YES" when published links open in a new browser window.
inline const QString TargetNewKey = QStringLiteral("TargetNew");
// Named string choosing the page's layout: "responsive" for the HTML5 page; absent or any other value
// keeps the table layouts, one page or one per category as the site profile says.
inline const QString PageLayoutKey = QStringLiteral("PageLayout");
inline const QString ResponsiveLayout = QStringLiteral("responsive");
// Written when a database leaves the responsive layout (a named string cannot be removed).
inline const QString TableLayout = QStringLiteral("table");

} // namespace LinksPageStyle
