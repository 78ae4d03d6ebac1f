#pragma once

#include "CheckRecord.h"
#include "LinkChange.h"

#include <QByteArray>
#include <QJsonObject>

// The history's records as the command line prints them in JSON.
namespace HistoryJson {
// Local time with its offset from UTC, to the second: "2026-12-07T01:02:03+01:00".
QString isoTime(const QDateTime &time);
QJsonObject check(const CheckRecord &record);
// The check as the indented text QJsonDocument makes of check(), `level` steps deep (1: an element of
// an array), without a line end after it: a long history is printed without a JSON object per check.
void appendCheck(QByteArray &out, const CheckRecord &record, int level);
QJsonObject change(const LinkChange &change);
} // namespace HistoryJson
