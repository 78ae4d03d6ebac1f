#include "LocalTime.h"

#include "Clock.h"

#include <QHash>

namespace LocalTime {

QDateTime now()
{
    static qint64 cachedSecond = -1;
    static QDateTime cached;
    const qint64 msecs = Clock::msecsSinceEpoch();
    if (msecs / 1000 != cachedSecond) {
        cachedSecond = msecs / 1000;
        cached = QDateTime::fromMSecsSinceEpoch(cachedSecond * 1000);
    }
    return cached;
}

QDateTime dayStart(const QDate &day)
{
    if (!day.isValid())
        return QDateTime();
    static QHash<qint64, QDateTime> cache;
    auto it = cache.constFind(day.toJulianDay());
    if (it != cache.constEnd())
        return it.value();
    if (cache.size() > 20000)
        cache.clear();
    const QDateTime start = day.startOfDay();
    cache.insert(day.toJulianDay(), start);
    return start;
}

} // namespace LocalTime
