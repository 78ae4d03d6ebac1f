#include "DateTexts.h"

#include <QCoreApplication>

namespace DateTexts {

namespace {

QString formatDate(QDate date, const QString &monthName, const QString &day)
{
    // Replaced in this order so that a translated pattern may put the tokens anywhere.
    QString text = QCoreApplication::translate("DateTexts", "MM DD, YYYY");
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
        return QCoreApplication::translate("DateTexts", "January");
    case 2:
        return QCoreApplication::translate("DateTexts", "February");
    case 3:
        return QCoreApplication::translate("DateTexts", "March");
    case 4:
        return QCoreApplication::translate("DateTexts", "April");
    case 5:
        return QCoreApplication::translate("DateTexts", "May");
    case 6:
        return QCoreApplication::translate("DateTexts", "June");
    case 7:
        return QCoreApplication::translate("DateTexts", "July");
    case 8:
        return QCoreApplication::translate("DateTexts", "August");
    case 9:
        return QCoreApplication::translate("DateTexts", "September");
    case 10:
        return QCoreApplication::translate("DateTexts", "October");
    case 11:
        return QCoreApplication::translate("DateTexts", "November");
    case 12:
        return QCoreApplication::translate("DateTexts", "December");
    }
    return QStringLiteral("");
}

QString shortStringForMonth(int month)
{
    switch (month) {
    case 1:
        return QCoreApplication::translate("DateTexts", "Jan");
    case 2:
        return QCoreApplication::translate("DateTexts", "Feb");
    case 3:
        return QCoreApplication::translate("DateTexts", "Mar");
    case 4:
        return QCoreApplication::translate("DateTexts", "Apr");
    case 5:
        return QCoreApplication::translate("DateTexts", "May", "short month name");
    case 6:
        return QCoreApplication::translate("DateTexts", "Jun");
    case 7:
        return QCoreApplication::translate("DateTexts", "Jul");
    case 8:
        return QCoreApplication::translate("DateTexts", "Aug");
    case 9:
        return QCoreApplication::translate("DateTexts", "Sep");
    case 10:
        return QCoreApplication::translate("DateTexts", "Oct");
    case 11:
        return QCoreApplication::translate("DateTexts", "Nov");
    case 12:
        return QCoreApplication::translate("DateTexts", "Dec");
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
