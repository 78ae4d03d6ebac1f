#include "RecordIdentifier.h"

#include <QDateTime>

namespace {
int64_t s_last[3] = {0, 0, 0};
const char *const s_prefix[3] = {"LNK", "CAT", "EMT"};
} // namespace

QString RecordIdentifier::next(Kind kind)
{
    int64_t now = QDateTime::currentSecsSinceEpoch();
    if (now <= s_last[kind])
        now = s_last[kind] + 1;
    s_last[kind] = now;
    return QLatin1String(s_prefix[kind]) + QString::number(now);
}

void RecordIdentifier::resetForTesting()
{
    s_last[0] = s_last[1] = s_last[2] = 0;
}

int64_t RecordIdentifier::lastValue(Kind kind)
{
    return s_last[kind];
}
