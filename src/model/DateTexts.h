#pragma once

#include <QDate>
#include <QString>

// The localised date texts of messages, e-mail placeholders and print-outs. Translations may reorder
// the tokens of the pattern "MM DD, YYYY" (context "DateTexts").
namespace DateTexts {

// "January" ... "December" for 1 to 12, "" for any other number.
QString stringForMonth(int month);
// "Jan" ... "Dec" for 1 to 12, "" for any other number.
QString shortStringForMonth(int month);
// "March 5, 2005": the full month name, the day without a leading zero. "" for a null or invalid date.
QString stringForDate(QDate date);
// "Mar 05, 2005": the short month name, the day in two digits. "" for a null or invalid date.
QString shortStringForDate(QDate date);

} // namespace DateTexts
