#include "support/DatabaseBuilder.h"
#include "workflow/SearchCriterionParser.h"

#include <QtTest>

using S = SearchCriterion;

class TestSearchCriterionParser : public QObject
{
    Q_OBJECT

private slots:
    void parsesEveryKind()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Outdoor Gear"), QStringLiteral("gear"));
        const CollectionManager &store = db.store();
        QString error;

        auto url =
            SearchCriterionParser::parse(QStringLiteral("url:contains:http://a.example/x:y"), store, &error);
        QVERIFY(url);
        QCOMPARE(url->object(), int(S::URL));
        QCOMPARE(url->operation(), int(S::Contains));
        QCOMPARE(url->stringValue(), QStringLiteral("http://a.example/x:y"));

        auto empty = SearchCriterionParser::parse(QStringLiteral("notes:is:"), store, &error);
        QVERIFY(empty && empty->isValid() && empty->stringValue().isEmpty());
        QVERIFY(!SearchCriterionParser::parse(QStringLiteral("notes:contains:"), store, &error)->isValid());

        auto date =
            SearchCriterionParser::parse(QStringLiteral("Status-Changed:BEFORE:2024-05-01"), store, &error);
        QVERIFY(date);
        QCOMPARE(date->object(), int(S::LastStatusChangedOn));
        QCOMPARE(date->operation(), int(S::IsBefore));
        QCOMPARE(date->dateValue(), QDate(2024, 5, 1));

        auto status = SearchCriterionParser::parse(QStringLiteral("status:is-not:Blocked"), store, &error);
        QVERIFY(status);
        QCOMPARE(status->intValue(), int(S::StatusBlocked));
        QCOMPARE(status->operation(), int(S::ChoiceIsNot));
        QCOMPARE(SearchCriterionParser::parse(QStringLiteral("type:is:sent"), store, &error)->intValue(),
                 int(S::TypeSent));

        // Categories by name or ID (anchor), kept as the index the search resolves.
        QCOMPARE(SearchCriterionParser::parse(QStringLiteral("category:is:Outdoor Gear"), store, &error)
                     ->intValue(),
                 1);
        QCOMPARE(SearchCriterionParser::parse(QStringLiteral("category:is:gear"), store, &error)->intValue(),
                 1);
        QCOMPARE(
            SearchCriterionParser::parse(QStringLiteral("category:is:General"), store, &error)->intValue(),
            0);
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
