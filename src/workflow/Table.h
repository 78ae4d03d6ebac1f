#pragma once

#include "model/TextCodec.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// One row of a table as read: its number as a spreadsheet shows it (the first line of the file is
// row 1, blank rows count) and where its cells lie in the table's text (Table::cells gives them).
struct TableRow
{
    int number = 0;
    qsizetype start = 0;
    qsizetype length = 0;
};

// A table read from CSV or tab-delimited text: the header line's cells, then the rows that hold
// anything, with what the reader found out about the file. The rows' cells are kept one after
// another in one text rather than one string each, so a table takes little more memory than its
// file; a row's cells are made when asked.
struct Table
{
    QStringList headers;
    int headerNumber = 1;
    QList<TableRow> rows;
    QChar delimiter = u'\t';
    TextEncoding encoding = TextEncoding::UTF8;
    // The cells of every row, each followed by CellEnd but the last of its row (no table holds a
    // NUL character).
    QString text;
    static constexpr QChar CellEnd = QChar(0);

    // The row's cells, which may be fewer or more than the headers.
    QStringList cells(const TableRow &row) const
    {
        QStringList cells;
        for (const QStringView cell : QStringView(text).sliced(row.start, row.length).split(CellEnd))
            cells.append(cell.toString());
        return cells;
    }
};
