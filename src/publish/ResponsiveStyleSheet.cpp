#include "ResponsiveStyleSheet.h"

#include "LinksPageStyle.h"

#include "model/CollectionManager.h"

#include <QHash>
#include <QRegularExpression>

namespace ResponsiveStyleSheet {

namespace {

// The page's own rules. The reader's system font; sizes in rem so a reader's larger default
// grows the page; inline-block links so each is a tap target of at least 24 px; long addresses and
// titles wrap instead of widening the page.
const char *const BaseRules = R"(	:root { color-scheme: light dark; }
	*, *::before, *::after { box-sizing: border-box; }
	html { -webkit-text-size-adjust: 100%; text-size-adjust: 100%; }
	body { margin: 0 auto; max-width: 60rem; padding: 1rem; font-family: system-ui, -apple-system, "Segoe UI", Roboto, "Noto Sans", "Liberation Sans", "Helvetica Neue", Arial, sans-serif; font-size: 1rem; line-height: 1.5; color: #1f1f1f; background-color: #ffffff; overflow-wrap: anywhere; }
	h1 { font-size: 1.75rem; line-height: 1.25; margin: 0 0 0.5rem; }
	h2 { font-size: 1.25rem; line-height: 1.3; margin: 1.5rem 0 0.5rem; }
	h3 { font-size: 1.125rem; line-height: 1.3; margin: 1.25rem 0 0.25rem; }
	ul { padding-left: 1.25rem; }
	li { margin: 0.25rem 0; }
	a { display: inline-block; min-height: 24px; min-width: 24px; padding: 2px 0; }
	hr { height: 1px; border: 0; margin: 1rem 0; background-color: #767676; }
	.qm_header p { margin: 0; }
	.qm_contents ul { columns: 2 14rem; column-gap: 2rem; }
	.qm_contents li { break-inside: avoid; }
	.qm_code { display: block; width: 100%; min-height: 4.5rem; font-family: ui-monospace, "DejaVu Sans Mono", "Liberation Mono", monospace; font-size: 1rem; padding: 0.5rem; resize: vertical; }
)";

// Dark colours win over the user's classes (one element more in each selector), since colours
// chosen for white paper rarely read on a dark one.
const char *const DarkRules = R"(	@media (prefers-color-scheme: dark) {
		body { color: #e8e8e8; background-color: #161616; }
		body .qm_text, body .qm_emphasized_text, body .qm_section_title, body .qm_li { color: #e8e8e8; }
		body a, body .qm_link, body .qm_emphasized_link { color: #8ab4f8; }
		body a:visited { color: #c58af9; }
		body .qm_separator, body hr { background-color: #5f5f5f; }
		body .qm_code { color: #e8e8e8; background-color: #222222; }
	}
)";

// What a style's class is applied to on the responsive page.
QString selectorOf(const QString &className)
{
    static const QHash<QString, QString> selectors{
        {QStringLiteral("qm_separator"), QStringLiteral("hr.qm_separator")},
    };
    return selectors.value(className, QStringLiteral(".") + className);
}

bool hasBalancedQuotes(const QString &text)
{
    return text.count(u'"') % 2 == 0 && text.count(u'\'') % 2 == 0;
}

} // namespace

double fontSizeInPixels(const QString &value)
{
    const QString text = value.trimmed().toLower().remove(QStringLiteral("!important")).trimmed();
    static const QHash<QString, double> keywords{
        {QStringLiteral("xx-small"), 9},  {QStringLiteral("x-small"), 10}, {QStringLiteral("small"), 13},
        {QStringLiteral("smaller"), 13},  {QStringLiteral("medium"), 16},  {QStringLiteral("large"), 18},
        {QStringLiteral("larger"), 19},   {QStringLiteral("x-large"), 24}, {QStringLiteral("xx-large"), 32},
        {QStringLiteral("xxx-large"), 48}};
    if (const auto found = keywords.constFind(text); found != keywords.constEnd())
        return *found;
    static const QRegularExpression number(QStringLiteral("^([0-9]*\\.?[0-9]+)\\s*(px|pt|em|rem|%)$"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return -1;
    const double size = match.captured(1).toDouble();
    const QString unit = match.captured(2);
    if (unit == QLatin1String("px"))
        return size;
    if (unit == QLatin1String("pt"))
        return size * 4 / 3;
    if (unit == QLatin1String("%"))
        return size * MinimumFontSizePx / 100;
    return size * MinimumFontSizePx; // em, rem
}

QString adaptedDeclarations(const QString &styleText)
{
    QStringList kept;
    for (const QString &declaration : styleText.split(u';')) {
        const QString trimmed = declaration.trimmed();
        const qsizetype colon = trimmed.indexOf(u':');
        if (colon <= 0)
            continue;
        if (trimmed.contains(u'{') || trimmed.contains(u'}') || trimmed.contains(u'<') ||
            trimmed.contains(u'>') || trimmed.contains(QLatin1String("/*")) ||
            trimmed.contains(QLatin1String("*/")) || !hasBalancedQuotes(trimmed))
            continue;
        const QString property = trimmed.left(colon).trimmed().toLower();
        if (property == QLatin1String("font-family") || property == QLatin1String("font"))
            continue;
        if (property == QLatin1String("font-size") &&
            fontSizeInPixels(trimmed.mid(colon + 1)) < MinimumFontSizePx)
            continue;
        kept.append(trimmed + u';');
    }
    return kept.join(u' ');
}

QString styleSheet(const CollectionManager &collectionManager)
{
    QString css = QString::fromUtf8(BaseRules);
    for (const LinksPageStyle::Style &style : LinksPageStyle::styles()) {
        const QString stored = collectionManager.stringForName(style.key);
        css += QStringLiteral("\t%1 { %2 }\n")
                   .arg(selectorOf(style.className),
                        adaptedDeclarations(stored.isNull() ? style.defaultText : stored));
    }
    css += QString::fromUtf8(DarkRules);
    return css;
}

} // namespace ResponsiveStyleSheet
