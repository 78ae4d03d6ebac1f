#pragma once

#include "model/TextCodec.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// One row of a table as read: its number as a spreadsheet shows it (the first line of the file is
// row 1, blank rows count) and its cells, which may be fewer or more than the headers.
struct TableRow
{
    int number = 0;
    QStringList cells;
};

// A table read from CSV or tab-delimited text: the header line's cells, then the rows that hold
// anything, with what the reader found out about the file.
struct Table
{
    QStringList headers;
    int headerNumber = 1;
    QList<TableRow> rows;
    QChar delimiter = u'\t';
    TextEncoding encoding = TextEncoding::UTF8;
};
