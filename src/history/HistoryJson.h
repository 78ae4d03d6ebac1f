#pragma once

#include "CheckRecord.h"
#include "LinkChange.h"

#include <QJsonObject>

// The history's records as the command line prints them in JSON.
namespace HistoryJson {
// Local time with its offset from UTC, to the second: "2026-12-07T01:02:03+01:00".
QString isoTime(const QDateTime &time);
QJsonObject check(const CheckRecord &record);
QJsonObject change(const LinkChange &change);
} // namespace HistoryJson
