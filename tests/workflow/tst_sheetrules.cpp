#include "support/DatabaseBuilder.h"
#include "workflow/EmailTemplateForm.h"
#include "workflow/SearchForm.h"

#include <QtTest>

using S = SearchCriterion;

// The rules of the search sheet and of the template editor, without their windows: which
// conditions a search refuses under all and under any, and the order of the editor's checks.
class TestSheetRules : public QObject
{
    Q_OBJECT

private slots:
    void rowLimits()
    {
        QVERIFY(!SearchForm::canRemoveRow(1));
        QVERIFY(SearchForm::canRemoveRow(2));
        QVERIFY(SearchForm::canAddRow(9));
        QVERIFY(!SearchForm::canAddRow(SearchForm::MaximumRows));
        QVERIFY(!SearchForm::showsCombination(1));
        QVERIFY(SearchForm::showsCombination(2));
    }

    void conflictsAreRefusedUnderAllOnly()
    {
        const S contains(S::Title, S::Contains, QStringLiteral("shop"));
        const S lacks(S::Title, S::DoesNotContain, QStringLiteral("shop"));
        const S notes(S::Notes, S::Contains, QStringLiteral("shop"));
        for (const QList<S> &pair : {QList<S>{contains, lacks}, QList<S>{lacks, contains}}) {
            const SearchForm::CheckResult all = SearchForm::check(pair, false);
            QVERIFY(!all.passed);
            QCOMPARE(all.row, 1); // the later row of the pair
            QCOMPARE(all.title,
                     QStringLiteral("One or more conditions are empty or conflict with each other."));
            QCOMPARE(all.message, QStringLiteral("This will result in never matching a link."));
            QVERIFY(SearchForm::check(pair, true).passed);
        }
        // A third row between them does not hide the pair; another field never conflicts.
        QCOMPARE(SearchForm::check({contains, notes, lacks}, false).row, 2);
        QVERIFY(SearchForm::check({contains, notes}, false).passed);
        // Which pairs conflict is the condition's own rule, tested with it.
    }

    void emptyConditionsAreRefusedEvenUnderAny()
    {
        const S emptyContains(S::Notes, S::Contains, QStringLiteral(""));
        const S emptyIs(S::Notes, S::TextIs, QStringLiteral(""));
        const S title(S::Title, S::Contains, QStringLiteral("a"));
        QCOMPARE(SearchForm::check({title, emptyContains}, true).row, 1);
        QVERIFY(SearchForm::check({emptyIs}, false).passed);
        QVERIFY(!SearchForm::check({S(S::CreatedOn, S::DateIs, QDate())}, true).passed);
    }

    void popupItemsCarryTheStoredCodes()
    {
        const QList<SearchForm::Item> objects = SearchForm::objectItems();
        QCOMPARE(objects.size(), 14);
        for (int i = 0; i < objects.size(); ++i)
            QCOMPARE(objects.at(i).tag, i + 1);
        QCOMPARE(SearchForm::operationItems(S::TextKind).at(1).title, QStringLiteral("does not contain"));
        QCOMPARE(SearchForm::operationItems(S::DateKind).at(2).title, QStringLiteral("is before"));
        QCOMPARE(SearchForm::operationItems(S::ChoiceKind).size(), 2);
        QCOMPARE(SearchForm::statusItems().at(2).image, QStringLiteral("verified"));
    }

    void templateChecksInOrder()
    {
        DatabaseBuilder db;
        db.emailTemplate(QStringLiteral("Welcome"), QStringLiteral("s"), QStringLiteral("b"))
            .emailTemplate(QStringLiteral("Reminder"), QStringLiteral("s"), QStringLiteral("b"));
        const CollectionManager &store = db.store();
        const QString welcomeID =
            store.emailTemplateList().emailTemplateWithName(QStringLiteral("Welcome"))->ID();
        int asked = 0;
        auto trim = [&asked](const QString &, int) {
            ++asked;
            return true;
        };

        // A missing field comes before a duplicate name and before any length question.
        EmailTemplateForm::Texts texts{QStringLiteral("Welcome"), QString(1000, QLatin1Char('s')), QString()};
        EmailTemplateForm::CheckResult result = EmailTemplateForm::check(texts, store, QString(), trim);
        QVERIFY(!result.passed);
        QCOMPARE(result.field, EmailTemplateForm::Body);
        QCOMPARE(result.title, QStringLiteral("Some required fields are missing."));
        QCOMPARE(asked, 0);

        texts.body = QStringLiteral("Hello");
        result = EmailTemplateForm::check(texts, store, QString(), trim);
        QCOMPARE(result.title, QStringLiteral("An e-mail template with the same name already exists."));
        QCOMPARE(result.message, QStringLiteral("Choose another name for the e-mail template."));
        QCOMPARE(asked, 0);

        // Editing keeps the template's own name; the subject is then trimmed to 199.
        result = EmailTemplateForm::check(texts, store, welcomeID, trim);
        QVERIFY(result.passed);
        QCOMPARE(asked, 1);
        QCOMPARE(texts.subject.size(), 199);

        // Renaming to another template's name fails; names differing in case do not clash.
        texts.name = QStringLiteral("Reminder");
        QVERIFY(!EmailTemplateForm::check(texts, store, welcomeID, trim).passed);
        texts.name = QStringLiteral("reminder");
        QVERIFY(EmailTemplateForm::check(texts, store, welcomeID, trim).passed);

        // A declined trim stops with no alert of its own, nothing cut.
        texts.name = QString(120, QLatin1Char('n'));
        result =
            EmailTemplateForm::check(texts, store, QString(), [](const QString &, int) { return false; });
        QVERIFY(!result.passed);
        QCOMPARE(result.field, EmailTemplateForm::Name);
        QVERIFY(result.title.isEmpty());
        QCOMPARE(texts.name.size(), 120);
        QVERIFY(EmailTemplateForm::check(texts, store, QString(), trim).passed);
        QCOMPARE(texts.name, QString(99, QLatin1Char('n')));
    }

    void everyPlaceholderOnce()
    {
        QStringList literals;
        for (const EmailTemplateForm::Placeholder &placeholder : EmailTemplateForm::placeholders())
            literals.append(placeholder.literal);
        QCOMPARE(literals.size(), 19);
        QCOMPARE(literals.removeDuplicates(), 0);
        QCOMPARE(EmailTemplateForm::deleteQuestionTitle(QStringLiteral("Hi")),
                 QStringLiteral("Are you sure you want to delete the e-mail template \"Hi\"?"));
    }
};

QTEST_GUILESS_MAIN(TestSheetRules)
#include "tst_sheetrules.moc"
