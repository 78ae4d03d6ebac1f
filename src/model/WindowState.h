#pragma once

#include "NamedString.h"

#include <QList>
#include <QPair>
#include <QRectF>
#include <QStringList>
#include <optional>

// The document window's layout as it travels in the file, inside the named strings: frame,
// splitter, column widths, whether the details are collapsed, and the link list's columns and sort.
struct WindowState
{
    QRectF frame;
    double splitterPosition = 0.0;
    bool detailsCollapsed = false;
    std::optional<QList<double>> columnWidths;
    int linkSortColumn = -1; // never sorted by a click
    bool linkSortDescending = false;
    // The link list's shown columns by name, in their order on screen, and the widths of the columns by
    // name; none when the file has not got them.
    std::optional<QStringList> linkListColumns;
    std::optional<QList<QPair<QString, int>>> linkListColumnWidths;

    // The named strings that carry it, in the order they are written; the column widths only when
    // there are two, the sort only once a column was clicked.
    QList<NamedString> encoded() const;
    // Read back from the named strings; an entry that is missing or not made of finite numbers an
    // int can hold reads as unset.
    static WindowState decoded(const QList<NamedString> &namedStrings);
};
