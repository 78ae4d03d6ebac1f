#include "support/DatabaseBuilder.h"
#include "workflow/SearchCriterionParser.h"

#include <QtTest>

using S = SearchCriterion;

class TestSearchCriterionParser : public QObject
{
    Q_OBJECT

private slots:
    void parsesEveryKind_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("object");
        QTest::addColumn<int>("operation");
        QTest::addColumn<QVariant>("value");
        const auto row = [](const char *text, int object, int operation, const QVariant &value) {
            QTest::newRow(text) << QString(text) << object << operation << value;
        };
        row("url:contains:http://a.example/x:y", S::URL, S::Contains, QString("http://a.example/x:y"));
        row("notes:is:", S::Notes, S::TextIs, QString(""));
        row("Status-Changed:BEFORE:2024-05-01", S::LastStatusChangedOn, S::IsBefore, QDate(2024, 5, 1));
        row("status:is-not:Blocked", S::Status, S::ChoiceIsNot, int(S::StatusBlocked));
        row("type:is:sent", S::Type, S::ChoiceIs, int(S::TypeSent));
        // Categories by name or ID (anchor), kept as the index the search resolves.
        row("category:is:Outdoor Gear", S::CategoryObject, S::ChoiceIs, 1);
        row("category:is:gear", S::CategoryObject, S::ChoiceIs, 1);
        row("category:is:General", S::CategoryObject, S::ChoiceIs, 0);
    }

    void parsesEveryKind()
    {
        QFETCH(QString, text);
        QFETCH(int, object);
        QFETCH(int, operation);
        QFETCH(QVariant, value);
        DatabaseBuilder db;
        db.category("Outdoor Gear", "gear");
        QString error;
        const auto criterion = SearchCriterionParser::parse(text, db.store(), &error);
        QVERIFY2(criterion, qPrintable(error));
        QCOMPARE(criterion->object(), object);
        QCOMPARE(criterion->operation(), operation);
        QCOMPARE(criterion->objectValue(), value);
        QVERIFY(criterion->isValid());
        QVERIFY(!SearchCriterionParser::parse("notes:contains:", db.store(), &error)->isValid());
    }

    void refusesWhatItCannotRead_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("no colons") << "title";
        QTest::newRow("one colon") << "title:foo";
        QTest::newRow("unknown field") << "colour:is:red";
        QTest::newRow("date operation on text") << "title:before:x";
        QTest::newRow("text operation on a choice") << "status:contains:new";
        QTest::newRow("unknown status") << "status:is:lost";
        QTest::newRow("bad date") << "created:is:01.05.2024";
        QTest::newRow("impossible date") << "created:is:2024-02-30";
        QTest::newRow("unknown category") << "category:is:Nowhere";
    }

    void refusesWhatItCannotRead()
    {
        QFETCH(QString, text);
        CollectionManager store;
        QString error;
        QVERIFY(!SearchCriterionParser::parse(text, store, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSearchCriterionParser)
#include "tst_searchcriterionparser.moc"
