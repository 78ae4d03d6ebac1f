#pragma once

#include <QDate>
#include <QDateTime>

// Local date-times that records ask for by the thousand while a file loads. Converting to the
// system time zone is costly, so both answers are cached.
namespace LocalTime {

// Clock::now(), where calls within the same second share one conversion.
QDateTime now();
// 00:00:00 of the given day in the system time zone; null for an invalid day.
QDateTime dayStart(const QDate &day);

} // namespace LocalTime
