#pragma once

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <functional>

// The longest the main thread's event loop went without turning while waiting (up to `timeoutMs`)
// for `done`: a timer that should fire every 5 ms measures the gaps between its turns.
inline qint64 longestStallWhile(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longest = 0;
    QTimer watchdog;
    watchdog.setInterval(5);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = qMax(longest, now - last);
        last = now;
    });
    watchdog.start();
    // Whether it came is for the caller to check.
    [[maybe_unused]] const bool came = QTest::qWaitFor(done, timeoutMs);
    return qMax(longest, clock.elapsed() - last);
}
