#include "WindowState.h"

#include "TextUtils.h"

#include <QStringList>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

const QString WindowFrameKey = QStringLiteral("WindowFrame");
const QString SplitterPositionKey = QStringLiteral("SplitterPosition");
const QString ColumnWidthsKey = QStringLiteral("ColumnWidths");
const QString DetailsCollapsedKey = QStringLiteral("DetailsCollapsed");
const QString LinkListSortKey = QStringLiteral("LinkListSort");       // "column,descending" (0 or 1)
const QString LinkListColumnsKey = QStringLiteral("LinkListColumns"); // "status,name,description"
const QString LinkListColumnWidthsKey = QStringLiteral("LinkListColumnWidths"); // "name:220,address:180"
constexpr int MaximumColumnWidth = 100000;

// A column's name: letters only, so that it never holds the separators.
bool isColumnName(const QString &name)
{
    if (name.isEmpty() || name.size() > 40)
        return false;
    return std::all_of(name.cbegin(), name.cend(),
                       [](QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); });
}

// The column names of the entry, or none when it is missing or any name is not one.
std::optional<QStringList> storedColumnNames(const QString &text)
{
    if (text.isNull())
        return std::nullopt;
    const QStringList names = text.isEmpty() ? QStringList() : text.split(u',');
    for (const QString &name : names) {
        if (!isColumnName(name))
            return std::nullopt;
    }
    return names;
}

// "name:width" pairs, or none when the entry is missing or any pair is not one.
std::optional<QList<QPair<QString, int>>> storedColumnWidths(const QString &text)
{
    if (text.isNull())
        return std::nullopt;
    QList<QPair<QString, int>> widths;
    if (text.isEmpty())
        return widths;
    for (const QString &pair : text.split(u',')) {
        const qsizetype colon = pair.indexOf(u':');
        bool ok = false;
        const int width = colon < 0 ? 0 : pair.mid(colon + 1).toInt(&ok);
        if (colon < 0 || !ok || width < 0 || width > MaximumColumnWidth || !isColumnName(pair.left(colon)))
            return std::nullopt;
        widths.append({pair.left(colon), width});
    }
    return widths;
}

// True when cutting the value toward zero gives an int; converting any other double is undefined.
bool cutsToInt(double value)
{
    return std::isfinite(value) && value > double(INT_MIN) - 1.0 && value < double(INT_MAX) + 1.0;
}

// A window-state number as the file stores it: cut toward zero, and 0 for what an int cannot hold
// (the frame and widths come from the window and from files alike).
int storedInteger(double value)
{
    return cutsToInt(value) ? int(value) : 0;
}

// The `parts` comma-separated numbers of a window-state entry, or none when the entry is missing,
// has another number of parts, or holds anything but finite numbers that an int can hold.
std::optional<QList<double>> storedNumbers(const QString &text, qsizetype parts)
{
    if (text.isNull())
        return std::nullopt;
    const QStringList texts = TextUtils::splitWithDelimiter(text, u',');
    if (texts.size() != parts)
        return std::nullopt;
    QList<double> numbers;
    for (const QString &part : texts) {
        bool ok = false;
        const double number = part.toDouble(&ok);
        if (!ok || !cutsToInt(number))
            return std::nullopt;
        numbers.append(number);
    }
    return numbers;
}

} // namespace

QList<NamedString> WindowState::encoded() const
{
    QList<NamedString> strings;
    strings.append({WindowFrameKey, QStringLiteral("%1,%2,%3,%4")
                                        .arg(storedInteger(frame.x()))
                                        .arg(storedInteger(frame.y()))
                                        .arg(storedInteger(frame.width()))
                                        .arg(storedInteger(frame.height()))});
    strings.append({SplitterPositionKey, QString::number(storedInteger(splitterPosition))});
    if (columnWidths && columnWidths->size() == 2) {
        strings.append({ColumnWidthsKey, QStringLiteral("%1,%2")
                                             .arg(storedInteger(columnWidths->at(0)))
                                             .arg(storedInteger(columnWidths->at(1)))});
    }
    strings.append({DetailsCollapsedKey, detailsCollapsed ? QStringLiteral("YES") : QStringLiteral("NO")});
    if (linkSortColumn >= 0)
        strings.append(
            {LinkListSortKey, QStringLiteral("%1,%2").arg(linkSortColumn).arg(linkSortDescending ? 1 : 0)});
    if (linkListColumns)
        strings.append({LinkListColumnsKey, linkListColumns->join(u',')});
    if (linkListColumnWidths) {
        QStringList pairs;
        for (const auto &[name, width] : *linkListColumnWidths)
            pairs.append(QStringLiteral("%1:%2").arg(name).arg(qBound(0, width, MaximumColumnWidth)));
        strings.append({LinkListColumnWidthsKey, pairs.join(u',')});
    }
    return strings;
}

WindowState WindowState::decoded(const QList<NamedString> &namedStrings)
{
    auto stored = [&namedStrings](const QString &name) {
        return NamedStringList::stringForName(namedStrings, name);
    };
    WindowState state;
    const std::optional<QList<double>> frame = storedNumbers(stored(WindowFrameKey), 4);
    if (frame)
        state.frame = QRectF(frame->at(0), frame->at(1), frame->at(2), frame->at(3));
    const std::optional<QList<double>> splitter = storedNumbers(stored(SplitterPositionKey), 1);
    if (splitter)
        state.splitterPosition = splitter->at(0);
    state.columnWidths = storedNumbers(stored(ColumnWidthsKey), 2);
    const QString collapsed = stored(DetailsCollapsedKey);
    state.detailsCollapsed = !collapsed.isNull() && collapsed != QLatin1String("NO");
    const std::optional<QList<double>> sort = storedNumbers(stored(LinkListSortKey), 2);
    state.linkSortColumn = sort ? int(sort->at(0)) : -1;
    state.linkSortDescending = sort && sort->at(1) != 0;
    state.linkListColumns = storedColumnNames(stored(LinkListColumnsKey));
    state.linkListColumnWidths = storedColumnWidths(stored(LinkListColumnWidthsKey));
    return state;
}
