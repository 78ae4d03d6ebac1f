#include "DateTexts.h"

#include <QCoreApplication>

namespace DateTexts {

namespace {

constexpr const char *Context = "DateTexts";

QString formatDate(QDate date, const QString &monthName, const QString &day)
{
    // Replaced in this order so that a translated pattern may put the tokens anywhere.
    QString text = QCoreApplication::translate(Context, "MM DD, YYYY");
    text.replace(QLatin1String("MM"), monthName);
    text.replace(QLatin1String("YYYY"), QString::number(date.year()));
    text.replace(QLatin1String("DD"), day);
    return text;
}

} // namespace

QString stringForMonth(int month)
{
    switch (month) {
    case 1:
        return QCoreApplication::translate(Context, "January");
    case 2:
        return QCoreApplication::translate(Context, "February");
    case 3:
        return QCoreApplication::translate(Context, "March");
    case 4:
        return QCoreApplication::translate(Context, "April");
    case 5:
        return QCoreApplication::translate(Context, "May");
    case 6:
        return QCoreApplication::translate(Context, "June");
    case 7:
        return QCoreApplication::translate(Context, "July");
    case 8:
        return QCoreApplication::translate(Context, "August");
    case 9:
        return QCoreApplication::translate(Context, "September");
    case 10:
        return QCoreApplication::translate(Context, "October");
    case 11:
        return QCoreApplication::translate(Context, "November");
    case 12:
        return QCoreApplication::translate(Context, "December");
    }
    return QStringLiteral("");
}

QString shortStringForMonth(int month)
{
    switch (month) {
    case 1:
        return QCoreApplication::translate(Context, "Jan");
    case 2:
        return QCoreApplication::translate(Context, "Feb");
    case 3:
        return QCoreApplication::translate(Context, "Mar");
    case 4:
        return QCoreApplication::translate(Context, "Apr");
    case 5:
        return QCoreApplication::translate(Context, "May", "short month name");
    case 6:
        return QCoreApplication::translate(Context, "Jun");
    case 7:
        return QCoreApplication::translate(Context, "Jul");
    case 8:
        return QCoreApplication::translate(Context, "Aug");
    case 9:
        return QCoreApplication::translate(Context, "Sep");
    case 10:
        return QCoreApplication::translate(Context, "Oct");
    case 11:
        return QCoreApplication::translate(Context, "Nov");
    case 12:
        return QCoreApplication::translate(Context, "Dec");
    }
    return QStringLiteral("");
}

QString stringForDate(QDate date)
{
    if (!date.isValid())
        return QStringLiteral("");
    return formatDate(date, stringForMonth(date.month()), QString::number(date.day()));
}

QString shortStringForDate(QDate date)
{
    if (!date.isValid())
        return QStringLiteral("");
    return formatDate(date, shortStringForMonth(date.month()),
                      QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0')));
}

} // namespace DateTexts
