#include "support/DatabaseBuilder.h"
#include "workflow/CategoryNameForm.h"

#include <QtTest>

// The checks of the category name sheet in the order it runs them, and the ID it proposes.
class TestCategoryNameForm : public QObject
{
    Q_OBJECT

private slots:
    void checksRunInOrder()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Books"), QStringLiteral("books"))
            .category(QStringLiteral("Music"), QStringLiteral("music"))
            .category(QStringLiteral("Owls"), QStringLiteral("Books")); // from a file of before the rule
        const QString missing = QStringLiteral("Some required fields are missing.");
        const QString invalid = QStringLiteral("The Category ID field contains invalid characters.");
        const QString sameName = QStringLiteral("A category with the same name already exists.");
        const QString sameID = QStringLiteral("A category with the same ID already exists.");
        const struct
        {
            QString name;
            QString anchor;
            QString renamed; // the category being renamed, or none
            QString alert;
        } cases[] = {
            {"", "x", "", missing},
            {"Games", "", "", missing},
            // The anchor's characters are checked before the names are compared.
            {"Books", "board-games", "", invalid},
            {"Games", "a_b", "", invalid},
            {"Games", QStringLiteral("jeux\u00e9"), "", invalid},
            {"Games", QStringLiteral("x\u0301"), "", invalid},
            {"Books", "other", "", sameName},
            {"BOOKS", "other", "", ""},
            {"Games", "music", "", sameID},
            // Two pages whose IDs differ only in case would be one file where case is ignored.
            {"Games", "MUSIC", "", sameID},
            {"Games", "games", "", ""},
            {"Books", "books", "Books", ""},
            {"Books", "music", "Books", sameID},
            // An ID differing from another's only in case, kept from an older file, stays its own.
            {"Night Owls", "Books", "Owls", ""},
        };
        for (const auto &c : cases) {
            const TreeNode *renamed = c.renamed.isEmpty() ? nullptr : db.store().categoryWithName(c.renamed);
            const CategoryNameForm::Problem problem =
                CategoryNameForm::check(db.store(), c.name, c.anchor, renamed);
            QVERIFY2(CategoryNameForm::alertFor(problem).title == c.alert &&
                         (problem == CategoryNameForm::Problem::None) == c.alert.isEmpty(),
                     qPrintable(c.name + QLatin1Char('/') + c.anchor));
        }
    }

    void proposedAnchorIsMadeFromTheName()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Books"), QStringLiteral("books"))
            .category(QStringLiteral("More Books"), QStringLiteral("BOOKS2"));
        const CollectionManager &store = db.store();
        auto proposed = [&store](const QString &name, const TreeNode *original = nullptr) {
            return CategoryNameForm::proposedAnchor(store, name, original);
        };
        QCOMPARE(proposed(QStringLiteral("Hiking Clubs & Trails 2024")),
                 QStringLiteral("hikingclubstrails2024"));
        QCOMPARE(proposed(QStringLiteral("Caf\u00e9 cr\u00e8me \ufb01ne")), QStringLiteral("cafecremefine"));
        QCOMPARE(proposed(QStringLiteral("\u65e5\u672c -- !")), QStringLiteral("category"));
        // Unique ignoring case: "books" and "BOOKS2" are taken, except by the category renamed.
        QCOMPARE(proposed(QStringLiteral("books")), QStringLiteral("books3"));
        QCOMPARE(proposed(QStringLiteral("Books"), store.categoryWithName(QStringLiteral("Books"))),
                 QStringLiteral("books"));
        // Never longer than an ID may be, even with its number.
        const QString longName(60, QLatin1Char('b'));
        QCOMPARE(proposed(longName), QString(49, QLatin1Char('b')));
        db.category(QStringLiteral("Long"), QString(49, QLatin1Char('b')));
        QCOMPARE(proposed(longName), QString(48, QLatin1Char('b')) + QLatin1Char('2'));
    }
};

QTEST_MAIN(TestCategoryNameForm)
#include "tst_categorynameform.moc"
