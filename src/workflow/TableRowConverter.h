#pragma once

#include "TableColumns.h"

#include "model/Link.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// Turns the cells of one table row into the fields of a link, by the column mapping. Addresses are
// completed with "http://" as the editors do; texts longer than their field are cut; unknown status
// and request words fall back to New and Received; dates are read as the export writes them
// (MM/DD/YYYY) or as ISO dates (YYYY-MM-DD). What was cut or not understood is noted for the report.
class TableRowConverter
{
public:
    TableRowConverter(const QList<TableField> &mapping, const QDate &today);

    struct Result
    {
        bool usable = false;  // false: the row has no usable address and is skipped
        QString skipReason;   // why, when not usable
        QString URL;          // completed
        QString categoryName; // as given (cut), empty when the row names none
        bool categoryGiven = false;
        LinkFields fields;
        QStringList notes; // cut fields and values not understood
    };

    // A row for a new link: the fields the row leaves empty take their defaults (title: the
    // address's host; status New; request Received; status date today).
    Result newLink(const QStringList &cells) const;
    // A row that refreshes `base`: only the fields whose cells hold something change; a new status
    // without a date of its own is dated today.
    Result update(const QStringList &cells, const LinkFields &base) const;

    bool hasURLColumn() const { return m_columns[int(TableField::URL)] >= 0; }

    // The readers of single values, none when the text is not one.
    static std::optional<LinkStatus> statusOfText(const QString &text);
    static std::optional<LinkType> typeOfText(const QString &text);
    static QDate dateOfText(const QString &text);

private:
    Result convert(const QStringList &cells, const LinkFields &base, bool isNew) const;
    QString cell(const QStringList &cells, TableField field) const;

    static constexpr int FieldCount = int(TableField::Notes) + 1;
    int m_columns[FieldCount]; // the column of each field, -1 when none
    QDate m_today;
};
