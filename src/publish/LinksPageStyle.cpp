#include "LinksPageStyle.h"

namespace LinksPageStyle {

const QList<Style> &styles()
{
    static const QList<Style> table = {
        {3, QStringLiteral("TextStyle"), QStringLiteral("qm_text"),
         QStringLiteral("font-family: Arial,sans-serif; font-size: 12px;")},
        {4, QStringLiteral("EmphasizedTextStyle"), QStringLiteral("qm_emphasized_text"),
         QStringLiteral("font-family: Arial,sans-serif; font-size: 12px; font-weight: bold;")},
        {5, QStringLiteral("LinkStyle"), QStringLiteral("qm_link"),
         QStringLiteral("font-family: Arial,sans-serif; font-size: 12px;")},
        {6, QStringLiteral("EmphasizedLinkStyle"), QStringLiteral("qm_emphasized_link"),
         QStringLiteral("font-family: Arial,sans-serif; font-size: 12px; font-weight: bold;")},
        {1, QStringLiteral("SectionTitleStyle"), QStringLiteral("qm_section_title"),
         QStringLiteral("font-family: Arial,sans-serif; font-size: 12px; color: #646464; font-weight: bold; "
                        "text-transform: uppercase;")},
        {2, QStringLiteral("SeparatorStyle"), QStringLiteral("qm_separator"),
         QStringLiteral("background-color: #646464;")},
        {7, QStringLiteral("LIStyle"), QStringLiteral("qm_li"),
         QStringLiteral("margin-top: 0px; margin-bottom: 2px;")},
        {8, QStringLiteral("ULStyle"), QStringLiteral("qm_ul"),
         QStringLiteral("margin-top: 0px; margin-bottom: 10px;")},
    };
    return table;
}

const Style *styleWithTag(int tag)
{
    for (const Style &style : styles()) {
        if (style.tag == tag)
            return &style;
    }
    return nullptr;
}

const Style *styleWithKey(const QString &key)
{
    for (const Style &style : styles()) {
        if (style.key == key)
            return &style;
    }
    return nullptr;
}

QString keyForTag(int tag)
{
    const Style *style = styleWithTag(tag);
    return style ? style->key : QString();
}

QString defaultTextForKey(const QString &key)
{
    const Style *style = styleWithKey(key);
    return style ? style->defaultText : QString();
}

} // namespace LinksPageStyle
