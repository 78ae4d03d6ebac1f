#include "Clock.h"

#include <atomic>
#include <limits>

namespace {

constexpr qint64 NotFixed = std::numeric_limits<qint64>::min();

qint64 fromEnvironment()
{
    const QDateTime at =
        QDateTime::fromString(QString::fromLocal8Bit(qgetenv(Clock::EnvironmentVariable)), Qt::ISODateWithMs);
    return at.isValid() ? at.toMSecsSinceEpoch() : NotFixed;
}

std::atomic<qint64> &fixedMSecs()
{
    static std::atomic<qint64> fixed{fromEnvironment()};
    return fixed;
}

} // namespace

qint64 Clock::msecsSinceEpoch()
{
    const qint64 fixed = fixedMSecs().load(std::memory_order_relaxed);
    return fixed == NotFixed ? QDateTime::currentMSecsSinceEpoch() : fixed;
}

QDateTime Clock::now()
{
    const qint64 fixed = fixedMSecs().load(std::memory_order_relaxed);
    return fixed == NotFixed ? QDateTime::currentDateTime() : QDateTime::fromMSecsSinceEpoch(fixed);
}

QDate Clock::today()
{
    return now().date();
}

QString Clock::environmentValue(const QDateTime &at)
{
    return at.toLocalTime().toString(Qt::ISODateWithMs);
}

Clock::Fixed::Fixed(const QDateTime &at) : m_previous(fixedMSecs().exchange(at.toMSecsSinceEpoch())) {}

Clock::Fixed::~Fixed()
{
    fixedMSecs().store(m_previous);
}
