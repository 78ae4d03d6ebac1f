#include "model/Clock.h"
#include "model/LocalTime.h"

#include <QTest>

class TestClock : public QObject
{
    Q_OBJECT

private slots:
    void fixedClockStandsStillAndNests()
    {
        const QDateTime real = LocalTime::now(); // fills the cache of the current second
        const QDateTime noon(QDate(2026, 3, 14), QTime(12, 0));
        {
            const Clock::Fixed fixed(noon);
            QCOMPARE(Clock::now(), noon);
            QCOMPARE(Clock::today(), QDate(2026, 3, 14));
            QCOMPARE(Clock::msecsSinceEpoch(), noon.toMSecsSinceEpoch());
            QCOMPARE(LocalTime::now(), noon); // not the cached real second
            {
                const Clock::Fixed later(noon.addDays(1).addSecs(13 * 3600)); // past midnight
                QCOMPARE(Clock::today(), QDate(2026, 3, 16));
                QCOMPARE(LocalTime::now(), noon.addDays(1).addSecs(13 * 3600));
            }
            QCOMPARE(Clock::now(), noon);
            QCOMPARE(QDateTime::fromString(Clock::environmentValue(Clock::now()), Qt::ISODateWithMs), noon);
        }
        QVERIFY(qAbs(Clock::now().secsTo(QDateTime::currentDateTime())) < 60);
        QVERIFY(qAbs(LocalTime::now().secsTo(real)) < 60);
    }
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
