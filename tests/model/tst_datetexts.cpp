#include "model/DateTexts.h"

#include <QTranslator>
#include <QtTest>

using namespace DateTexts;

namespace {

// A translation that puts the day first, as many languages do.
class GermanishTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *disambiguation, int) const override
    {
        if (qstrcmp(context, "DateTexts") != 0)
            return QString();
        const QByteArray key(source);
        if (key == "MM DD, YYYY")
            return QStringLiteral("DD. MM YYYY");
        if (key == "March")
            return QString::fromUtf8("M\xC3\xA4rz");
        if (key == "May")
            return disambiguation ? QStringLiteral("Mai.") : QStringLiteral("Mai");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TestDateTexts : public QObject
{
    Q_OBJECT

private slots:
    void englishDates()
    {
        QCOMPARE(stringForDate(QDate(2005, 3, 5)), QString("March 5, 2005"));
        QCOMPARE(shortStringForDate(QDate(2005, 3, 5)), QString("Mar 05, 2005"));
        QCOMPARE(stringForDate(QDate(1999, 12, 31)), QString("December 31, 1999"));
        QCOMPARE(shortStringForDate(QDate(1999, 12, 31)), QString("Dec 31, 1999"));
        QCOMPARE(stringForDate(QDate(987, 1, 1)), QString("January 1, 987"));
    }

    void invalidInput()
    {
        for (const int month : {0, 13, -1}) {
            QCOMPARE(stringForMonth(month), QString(""));
            QCOMPARE(shortStringForMonth(month), QString(""));
        }
        QCOMPARE(stringForDate(QDate()), QString(""));
        QCOMPARE(shortStringForDate(QDate(2005, 2, 30)), QString(""));
    }

    void translatedPattern()
    {
        GermanishTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QCOMPARE(stringForDate(QDate(2005, 3, 5)), QString::fromUtf8("5. M\xC3\xA4rz 2005"));
        QCOMPARE(shortStringForDate(QDate(2005, 3, 5)), QString("05. Mar 2005"));
        // The full and the short May are separate texts for translators.
        QCOMPARE(stringForMonth(5), QString("Mai"));
        QCOMPARE(shortStringForMonth(5), QString("Mai."));
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(stringForDate(QDate(2005, 3, 5)), QString("March 5, 2005"));
    }
};

QTEST_GUILESS_MAIN(TestDateTexts)
#include "tst_datetexts.moc"
