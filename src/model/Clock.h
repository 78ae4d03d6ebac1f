#pragma once

#include <QDate>
#include <QDateTime>

// The user's current day and time, asked through one place so that tests can hold the clock still
// (a test that asks the real clock fails when it runs across midnight).
class Clock
{
public:
    // The current local date and time, or the fixed one.
    static QDateTime now();
    // The current local day, or the fixed one's.
    static QDate today();
    static qint64 msecsSinceEpoch();

    // A process started with this variable set to a local ISO 8601 date-time (environmentValue)
    // starts with its clock fixed there: how tests hold the clock of the command-line tool.
    static constexpr const char *EnvironmentVariable = "QUILLMARSH_CLOCK";
    static QString environmentValue(const QDateTime &at);

    // For tests: while it lives, the clock stands at `at`. Overrides nest; the previous one returns
    // when this one ends. Set it before starting threads that ask the clock.
    class Fixed
    {
    public:
        explicit Fixed(const QDateTime &at);
        ~Fixed();
        Fixed(const Fixed &) = delete;
        Fixed &operator=(const Fixed &) = delete;

    private:
        qint64 m_previous;
    };
};
