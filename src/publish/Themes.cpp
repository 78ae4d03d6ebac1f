#include "Themes.h"

#include "LinksPageStyle.h"

#include <QCoreApplication>

namespace Themes {

namespace {

// Values in style-sheet order: Text, EmphasizedText, Link, EmphasizedLink, SectionTitle,
// Separator, LI (ULStyle is the same in every theme).
QList<NamedString> makeTheme(const QStringList &values)
{
    static const QString ulStyle = QStringLiteral("margin-top: 0px; margin-bottom: 10px;");
    const QList<LinksPageStyle::Style> &styles = LinksPageStyle::styles();
    QList<NamedString> theme;
    for (qsizetype i = 0; i < styles.size(); ++i)
        theme.append(NamedString(styles.at(i).key, i < values.size() ? values.at(i) : ulStyle));
    return theme;
}

} // namespace

QList<NamedString> stylesOfTheme(int theme)
{
    switch (theme) {
    case Default: {
        QStringList values;
        for (const LinksPageStyle::Style &style : LinksPageStyle::styles())
            values.append(style.defaultText);
        return makeTheme(values);
    }
    case Candy:
        return makeTheme({
            QStringLiteral("font-family: Times New Roman,serif; color: #09A49F; font-size: 14px;"),
            QStringLiteral(
                "font-family: Times New Roman,serif; color: #09A49F; font-size: 14px; font-weight: bold;"),
            QStringLiteral("font-family: Times New Roman,serif; color: #E40079; font-size: 14px;"),
            QStringLiteral(
                "font-family: Times New Roman,serif; color: #E40079; font-size: 14px; font-weight: bold;"),
            QStringLiteral(
                "font-family: Times New Roman,serif; font-size: 14px; color: #09A49F; font-weight: bold;"),
            QStringLiteral("background-color: #E40079;"),
            QStringLiteral("margin-top: 0px; margin-bottom: 2px; list-style-type:circle; color: #09A49F;"),
        });
    case Classic:
        return makeTheme({
            QStringLiteral("font-family: Verdana,sans-serif; color: #666; font-size: 10px;"),
            QStringLiteral(
                "font-family: Verdana,sans-serif; color: #666; font-size: 10px; font-weight: bold;"),
            QStringLiteral("font-family: Verdana,sans-serif; color: #933; font-size: 10px;"),
            QStringLiteral(
                "font-family: Verdana,sans-serif; color: #933; font-size: 10px; font-weight: bold;"),
            QStringLiteral(
                "font-family: Verdana,sans-serif; font-size: 12px; color: #666; text-transform: uppercase;"),
            QStringLiteral("background-color: #933;"),
            QStringLiteral("margin-top: 0px; margin-bottom: 2px; list-style-type:square; color: #666;"),
        });
    case Oblique:
        return makeTheme({
            QStringLiteral(
                "font-family: Verdana,sans-serif; color: #000; font-size: 12px; font-style: oblique;"),
            QStringLiteral(
                "font-family: Verdana,sans-serif; color: #000; font-size: 16px; font-style: oblique; "
                "font-variant: small-caps;"),
            QStringLiteral(
                "font-family: Verdana,sans-serif; color: #008C10; font-size: 12px; font-style: oblique;"),
            QStringLiteral(
                "font-family: Verdana,sans-serif; color: #008C10; font-size: 16px; font-weight: bold; "
                "font-style: oblique; font-variant: small-caps;"),
            QStringLiteral(
                "font-family: Verdana,sans-serif; font-size: 16px; color: #000; font-weight: bold; "
                "font-style: oblique; font-variant: small-caps;"),
            QStringLiteral("background-color: #008C10;"),
            QStringLiteral("margin-top: 0px; margin-bottom: 2px; list-style-type:none; color: #000;"),
        });
    case Plain:
        return makeTheme({
            QStringLiteral(""),
            QStringLiteral(""),
            QStringLiteral(""),
            QStringLiteral(""),
            QStringLiteral(""),
            QStringLiteral("background-color: #000;"),
            QStringLiteral("margin-top: 0px; margin-bottom: 2px;"),
        });
    default:
        return {};
    }
}

QString nameOfTheme(int theme)
{
    switch (theme) {
    case Candy:
        return QCoreApplication::translate("Themes", "Candy");
    case Classic:
        return QCoreApplication::translate("Themes", "Classic");
    case Oblique:
        return QCoreApplication::translate("Themes", "Oblique");
    case Plain:
        return QCoreApplication::translate("Themes", "Plain");
    default:
        return QCoreApplication::translate("Themes", "Default");
    }
}

} // namespace Themes
