#include "model/Category.h"
#include "model/Clock.h"
#include "model/EmailTemplate.h"
#include "model/Link.h"
#include "model/LocalTime.h"

#include <QDateTime>
#include <QTest>

// The records and the clock they date themselves by.
class TestRecords : public QObject
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
            QCOMPARE(Clock::msecsSinceEpoch(), noon.toMSecsSinceEpoch());
            QCOMPARE(LocalTime::now(), noon); // not the cached real second
            {
                const Clock::Fixed later(noon.addDays(1).addSecs(13 * 3600)); // past midnight
                QCOMPARE(Clock::today(), QDate(2026, 3, 16));
                QCOMPARE(LocalTime::now(), noon.addDays(1).addSecs(13 * 3600));
            }
            QCOMPARE(Clock::today(), QDate(2026, 3, 14));
            QCOMPARE(QDateTime::fromString(Clock::environmentValue(Clock::now()), Qt::ISODateWithMs), noon);
        }
        QVERIFY(qAbs(Clock::now().secsTo(QDateTime::currentDateTime())) < 60);
        QVERIFY(qAbs(LocalTime::now().secsTo(real)) < 60);
    }

    void identifiersIncreaseWithinOneSecond()
    {
        const QString first = Link().ID();
        QVERIFY(first.startsWith("LNK"));
        qint64 previous = first.mid(3).toLongLong();
        for (int i = 0; i < 10; ++i) {
            const qint64 number = Link().ID().mid(3).toLongLong();
            QCOMPARE(number, previous + 1);
            previous = number;
        }
        // Each kind counts on its own and starts near the current time.
        QVERIFY(Category().ID().mid(3).toLongLong() >= QDateTime::currentSecsSinceEpoch() - 1);
        QVERIFY(EmailTemplate().ID().startsWith("EMT"));
    }

    void fullSetterFlattensOneLineFieldsAndDatesStatusChanges()
    {
        const Clock::Fixed clock(QDateTime(QDate(2026, 3, 14), QTime(12, 0)));
        Link link;
        LinkFields f;
        f.title = "Line\r\nbreak\tand tab";
        f.description = "a\nb";
        f.notes = "keeps\nbreaks";
        f.categoryID = "CAT\t1";
        f.status = LinkStatusNew;
        f.lastStatusChangedOn = QDate(2024, 1, 10);
        link.setTitle(f);
        QCOMPARE(link.title(), QString("Line  break and tab"));
        QCOMPARE(link.description(), QString("a b"));
        QCOMPARE(link.notes(), QString("keeps\nbreaks"));
        QCOMPARE(link.categoryID(), QString("CAT\t1"));
        QCOMPARE(link.lastStatusChangedOn(), QDate(2024, 1, 10));

        // Same status, another date: the held date stays; a different status takes the given date.
        f.lastStatusChangedOn = QDate(2024, 2, 1);
        link.setTitle(f);
        QCOMPARE(link.lastStatusChangedOn(), QDate(2024, 1, 10));
        f.status = LinkStatusApproved;
        link.setTitle(f);
        QCOMPARE(link.lastStatusChangedOn(), QDate(2024, 2, 1));
        link.setStatus(LinkStatusApproved);
        QCOMPARE(link.lastStatusChangedOn(), QDate(2024, 2, 1));
        link.setStatus(LinkStatusBlocked);
        QCOMPARE(link.lastStatusChangedOn(), Clock::today());
        // Same status but never dated: today.
        Link undated;
        undated.setStatus(0);
        QCOMPARE(undated.lastStatusChangedOn(), Clock::today());
    }

    void comparisonIgnoresCaseAndPutsTheDefaultCategoryFirst()
    {
        Category none, otherNone, aardvark, apple, Apple;
        none.setNone();
        none.setName("General", NoneCategoryID);
        otherNone.setNone();
        otherNone.setName("Zulu", NoneCategoryID);
        aardvark.setName("Aardvark", "a");
        apple.setName("apple", "x");
        Apple.setName("Apple", "y");
        QVERIFY(none.compare(aardvark) < 0);
        QVERIFY(aardvark.compare(none) > 0);
        // Two default categories are equal, so that ordered insertion keeps their order.
        QCOMPARE(otherNone.compare(none), 0);
        QCOMPARE(apple.compare(Apple), 0);

        Link a, b;
        LinkFields f;
        f.title = "zebra";
        a.setTitle(f);
        f.title = "Zebra";
        b.setTitle(f);
        QCOMPARE(a.compare(b), 0);
        QVERIFY(!a.equals(b));
        QVERIFY(a.containsString("EBR"));
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
