#include "publish/LinksPageSetup.h"
#include "support/DatabaseBuilder.h"
#include "workflow/EmailTemplateFile.h"
#include "workflow/LinkImporter.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QtTest>
#include <functional>

// The store's journal: every operation that changes a database, undone and redone, gives back the
// file's bytes exactly; a long random history unwinds and replays; the window state stays out.
class TestStoreJournal : public QObject
{
    Q_OBJECT

private:
    using Operation = std::function<void(CollectionManager &)>;

    static TreeNode *linkNode(const CollectionManager &store, const QString &title, int occurrence = 0)
    {
        for (TreeNode *node : store.allLinkNodes()) {
            if (node->link()->title() == title && occurrence-- == 0)
                return node;
        }
        return nullptr;
    }
    static QString linkID(const CollectionManager &store, const QString &title, int occurrence = 0)
    {
        TreeNode *node = linkNode(store, title, occurrence);
        return node ? node->attachmentID() : QString();
    }

    // Every kind of record, with links whose titles differ only in case (their order is decided by
    // when they were inserted, not by their titles).
    static void fill(CollectionManager &store, DatabaseBuilder &db)
    {
        db.category(QStringLiteral("Books"), QStringLiteral("books"))
            .link(QStringLiteral("alpha"), LinkStatusNew)
            .link(QStringLiteral("Alpha"), LinkStatusNegotiating)
            .link(QStringLiteral("ALPHA"), LinkStatusApproved)
            .link(QStringLiteral("Beta"), LinkStatusNew)
            .link(QStringLiteral("Gamma"), LinkStatusBlocked);
        db.category(QStringLiteral("Music"), QStringLiteral("music"))
            .link(QStringLiteral("Zed"), LinkStatusNew)
            .link(QStringLiteral("Yak"), LinkStatusApproved);
        db.defaultCategory().link(QStringLiteral("General one"));
        db.emailTemplate(QStringLiteral("Welcome"), QStringLiteral("Hello"), QStringLiteral("Dear %1"));
        db.emailTemplate(QStringLiteral("reminder"), QStringLiteral("Again"), QStringLiteral("Still there?"));
        store.setString(QStringLiteral("a { color: red; }"), QStringLiteral("LinkStyle"));
        store.setTargetNew(2);
        store.setWindowFrame(QRectF(10, 20, 800, 600));
        store.setColumnWidths(QList<double>{120, 300});
        store.dataRepresentation(); // the window state goes to the end of the named strings
    }

    static QByteArray otherDatabaseFor(CollectionManager &store)
    {
        // The same IDs, changed, plus a category and link the store does not have.
        CollectionManager other;
        other.loadDataRepresentation(store.dataRepresentation());
        LinkFields changed = linkNode(other, QStringLiteral("Beta"))->link()->fields();
        changed.title = QStringLiteral("Beta from elsewhere");
        other.editLinkNode(linkNode(other, QStringLiteral("Beta")), changed);
        LinkFields fresh;
        fresh.title = QStringLiteral("Newcomer");
        fresh.categoryID =
            other.addCategoryWithName(QStringLiteral("Imported"), QStringLiteral("imp"))->attachmentID();
        fresh.lastStatusChangedOn = QDate(2020, 5, 6);
        other.addLinkFromFields(fresh);
        return other.dataRepresentation();
    }

    static QMap<QString, Operation> operations()
    {
        QMap<QString, Operation> ops;
        ops["add link among equal titles"] = [](CollectionManager &s) {
            LinkFields f;
            f.title = QStringLiteral("ALPHA");
            f.categoryID = s.categoryWithName(QStringLiteral("Books"))->attachmentID();
            f.lastStatusChangedOn = QDate(2022, 1, 2);
            s.addLinkFromFields(f);
        };
        ops["edit title of a tied link"] = [](CollectionManager &s) {
            LinkFields f = linkNode(s, QStringLiteral("Alpha"))->link()->fields();
            f.title = QStringLiteral("aardvark");
            s.editLinkNode(linkNode(s, QStringLiteral("Alpha")), f);
        };
        ops["edit link into another category"] = [](CollectionManager &s) {
            LinkFields f = linkNode(s, QStringLiteral("alpha"))->link()->fields();
            f.categoryID = s.categoryWithName(QStringLiteral("Music"))->attachmentID();
            s.editLinkNode(linkNode(s, QStringLiteral("alpha")), f);
        };
        ops["verification results"] = [](CollectionManager &s) {
            Link *link = linkNode(s, QStringLiteral("Zed"))->link();
            s.setVerificationOfLink(link, QDate(2023, 3, 4), VerificationSucceeded);
            s.setStatusOfLink(link, LinkStatusApproved);
        };
        ops["delete category with its links"] = [](CollectionManager &s) {
            s.deleteCategoryNode(s.categoryWithName(QStringLiteral("Books")));
        };
        ops["notification settings"] = [](CollectionManager &s) {
            NotificationSettings settings = s.selfInfo().notificationSettings();
            settings.linkVerificationTimeout = 12;
            settings.notifyLinksInCategory = false;
            s.setNotificationSettings(settings);
        };
        ops["links page setup"] = [](CollectionManager &s) {
            LinksPageSetup setup;
            setup.initializeFromCollectionManager(s);
            setup.loadTheme(3);
            setup.setTargetNew(1);
            setup.setLayout(1);
            setup.applyTo(s);
        };
        ops["named string"] = [](CollectionManager &s) {
            s.setString(QStringLiteral("b { color: blue; }"), QStringLiteral("LinkStyle"));
        };
        ops["template add"] = [](CollectionManager &s) {
            EmailTemplate form;
            form.setName(QStringLiteral("Apology"), QStringLiteral("Sorry"), QStringLiteral("Oops"));
            s.emailTemplateList().addEmailTemplateFromEmailTemplate(form);
        };
        ops["template edit"] = [](CollectionManager &s) {
            EmailTemplate form;
            form.setName(QStringLiteral("Zeta"), QStringLiteral("Hi"), QStringLiteral("Body"));
            s.emailTemplateList().editEmailTemplate(
                s.emailTemplateList().emailTemplateWithName(QStringLiteral("Welcome")), form);
        };
        ops["template duplicate"] = [](CollectionManager &s) {
            s.emailTemplateList().duplicateEmailTemplate(
                s.emailTemplateList().emailTemplateWithName(QStringLiteral("reminder")));
        };
        ops["template delete"] = [](CollectionManager &s) {
            s.emailTemplateList().deleteEmailTemplateAtIndex(0);
        };
        ops["template import"] = [](CollectionManager &s) {
            DatabaseBuilder other;
            other.emailTemplate(QStringLiteral("Imported"), QStringLiteral("S"), QStringLiteral("B"));
            EmailTemplateFile::importEmailTemplatesFromData(
                s, EmailTemplateFile::dataRepresentation(other.store()),
                [] { return DuplicateAnswer::Replace; });
        };
        ops["import replacing existing links"] = [](CollectionManager &s) {
            LinkImporter::importLinksFromData(s, otherDatabaseFor(s),
                                              [] { return DuplicateAnswer::Replace; });
        };
        return ops;
    }

    static QByteArray hashOf(CollectionManager &store)
    {
        return QCryptographicHash::hash(store.dataRepresentation(), QCryptographicHash::Sha1);
    }

private slots:
    void everyOperationGivesBackTheBytes_data()
    {
        QTest::addColumn<QString>("operation");
        for (const QString &name : operations().keys())
            QTest::newRow(qPrintable(name)) << name;
    }

    void everyOperationGivesBackTheBytes()
    {
        QFETCH(QString, operation);
        DatabaseBuilder db;
        CollectionManager &store = db.store();
        fill(store, db);
        store.journal().setRecording(true);
        const QByteArray before = store.dataRepresentation();
        QVERIFY(!store.journal().hasOpenEntry());

        operations().value(operation)(store);
        std::unique_ptr<StoreChange> change = store.journal().closeEntry();
        QVERIFY(change);
        const QByteArray after = store.dataRepresentation();
        QVERIFY(after != before);
        for (int round = 0; round < 2; ++round) {
            QVERIFY(change->undo(store));
            QCOMPARE(store.dataRepresentation(), before);
            QVERIFY(!change->undo(store)); // already undone
            QVERIFY(change->redo(store));
            QCOMPARE(store.dataRepresentation(), after);
        }
        QVERIFY(!store.journal().hasOpenEntry()); // applying is not itself a change
        // The tree stays usable: ordered insertion after an undo still finds the right place.
        QVERIFY(change->undo(store));
        LinkFields f;
        f.title = QStringLiteral("Beta");
        f.categoryID = NoneCategoryID;
        QVERIFY(store.addLinkFromFields(f));
        QVERIFY(store.journal().closeEntry());
    }

    void undoPutsTheSameRecordsBack()
    {
        DatabaseBuilder db;
        CollectionManager &store = db.store();
        fill(store, db);
        store.journal().setRecording(true);
        TreeNode *books = store.categoryWithName(QStringLiteral("Books"));
        const Link *tied = linkNode(store, QStringLiteral("Alpha"))->link();
        const QString id = tied->ID();
        store.deleteCategoryNode(books);
        std::unique_ptr<StoreChange> change = store.journal().closeEntry();
        QCOMPARE(change->categoryIDs().first(), books->attachmentID());
        QVERIFY(change->undo(store));
        QCOMPARE(store.categoryWithName(QStringLiteral("Books")), books);
        QCOMPARE(store.linkWithID(id), tied);
        QCOMPARE(books->indexOfChild(linkNode(store, QStringLiteral("Alpha"))), 1);
        QCOMPARE(books->nativeTitle(), QStringLiteral("Books (5)"));

        // Templates too keep their objects when the list comes back.
        const EmailTemplate *welcome =
            store.emailTemplateList().emailTemplateWithName(QStringLiteral("Welcome"));
        store.emailTemplateList().deleteEmailTemplateAtIndex(
            store.emailTemplateList().indexOfEmailTemplate(welcome) == 0 ? 1 : 0);
        change = store.journal().closeEntry();
        QVERIFY(change->undo(store));
        QVERIFY(change->redo(store));
        QCOMPARE(store.emailTemplateList().emailTemplateWithName(QStringLiteral("Welcome")), welcome);
    }

    void randomHistoryUnwindsAndReplays()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        DatabaseBuilder db;
        CollectionManager &store = db.store();
        static const char *const words[] = {"alpha", "Alpha", "beta", "Gamma", "delta", "DELTA", "omega"};
        for (int c = 0; c < 5; ++c) {
            db.category(QStringLiteral("Category %1").arg(c));
            for (int i = 0; i < 30; ++i)
                db.link(QString::fromLatin1(words[random.bounded(7)]), LinkStatus('1' + random.bounded(4)),
                        QStringLiteral("http://site%1-%2.example/").arg(c).arg(i));
        }
        db.emailTemplate(QStringLiteral("One"), QStringLiteral("S"), QStringLiteral("B"));
        store.journal().setRecording(true);

        auto anyLinkIDs = [&](int count) {
            QStringList ids;
            const std::vector<TreeNode *> nodes = store.allLinkNodes();
            for (int i = 0; i < count && !nodes.empty(); ++i)
                ids.append(nodes[random.bounded(int(nodes.size()))]->attachmentID());
            return ids;
        };
        auto anyCategory = [&] {
            return store.categoryRoot()->childAtIndex(random.bounded(store.numberOfCategories()));
        };
        auto command = [&] {
            switch (random.bounded(11)) {
            case 0: {
                LinkFields f;
                f.title = QString::fromLatin1(words[random.bounded(7)]);
                f.categoryID = anyCategory()->attachmentID();
                f.lastStatusChangedOn = QDate(2024, 1, 1 + random.bounded(28));
                store.addLinkFromFields(f);
                break;
            }
            case 1:
                if (TreeNode *node = store.linkNodeWithID(anyLinkIDs(1).value(0))) {
                    LinkFields f = node->link()->fields();
                    f.title = QString::fromLatin1(words[random.bounded(7)]);
                    f.categoryID = anyCategory()->attachmentID();
                    store.editLinkNode(node, f);
                }
                break;
            case 2:
                store.deleteLinkNodesWithIDs(anyLinkIDs(1 + random.bounded(4)));
                break;
            case 3:
                store.moveLinksWithIDs(anyLinkIDs(1 + random.bounded(6)), anyCategory());
                break;
            case 4:
                store.setStatus(LinkStatus('1' + random.bounded(4)), anyLinkIDs(1 + random.bounded(8)));
                break;
            case 5:
                store.setVerificationResult(VerificationMarkedVerified, anyLinkIDs(3));
                break;
            case 6:
                store.addCategoryWithName(QStringLiteral("New %1").arg(random.bounded(1000)),
                                          QStringLiteral("n%1").arg(random.bounded(1000)));
                break;
            case 7:
                if (TreeNode *category = anyCategory(); !category->category()->isNone())
                    store.renameCategory(category, QString::fromLatin1(words[random.bounded(7)]),
                                         category->category()->anchor());
                break;
            case 8:
                if (TreeNode *category = anyCategory();
                    !category->category()->isNone() && random.bounded(3) == 0)
                    store.deleteCategoryNode(category);
                break;
            case 9: {
                EmailTemplate form;
                form.setName(QString::fromLatin1(words[random.bounded(7)]), QStringLiteral("S"),
                             QStringLiteral("B"));
                if (random.bounded(2) == 0 || store.emailTemplates().empty())
                    store.emailTemplateList().addEmailTemplateFromEmailTemplate(form);
                else
                    store.emailTemplateList().deleteEmailTemplateAtIndex(0);
                break;
            }
            default:
                store.setString(QString::number(random.bounded(100)),
                                QStringLiteral("Style%1").arg(random.bounded(3)));
                break;
            }
        };

        std::vector<std::unique_ptr<StoreChange>> history;
        QList<QByteArray> states{hashOf(store)};
        int commands = 0;
        while (commands < 200) {
            // Now and then a user command makes two changes.
            command();
            if (random.bounded(5) == 0)
                command();
            ++commands;
            if (std::unique_ptr<StoreChange> change = store.journal().closeEntry()) {
                history.push_back(std::move(change));
                states.append(hashOf(store));
            }
            // Now and then the user undoes a few steps and goes another way: they are thrown away.
            if (random.bounded(20) == 0 && history.size() > 3) {
                for (int i = 0; i < 3; ++i) {
                    QVERIFY2(history.back()->undo(store), qPrintable(QString::number(seed)));
                    history.pop_back();
                    states.removeLast();
                    QVERIFY2(hashOf(store) == states.last(), qPrintable(QStringLiteral("seed %1").arg(seed)));
                }
            }
        }
        const QByteArray final = hashOf(store);
        for (size_t i = history.size(); i-- > 0;) {
            QVERIFY(history[i]->undo(store));
            QVERIFY2(hashOf(store) == states[qsizetype(i)],
                     qPrintable(QStringLiteral("seed %1, undoing step %2").arg(seed).arg(i)));
        }
        for (size_t i = 0; i < history.size(); ++i)
            QVERIFY(history[i]->redo(store));
        QVERIFY2(hashOf(store) == final, qPrintable(QStringLiteral("seed %1").arg(seed)));
        // Dropping the oldest steps first, as a full stack does, leaves the tree whole.
        while (!history.empty())
            history.erase(history.begin());
        QVERIFY(hashOf(store) == final);
    }

    void windowStateIsNeverJournalled()
    {
        DatabaseBuilder db;
        CollectionManager &store = db.store();
        fill(store, db);
        store.journal().setRecording(true);
        store.setWindowFrame(QRectF(1, 2, 900, 700));
        store.setSplitterPosition(210);
        store.setDetailsCollapsed(true);
        store.setColumnWidths(QList<double>{100, 200});
        store.dataRepresentation();
        QVERIFY(!store.journal().hasOpenEntry());

        // A style change, then a save with the window elsewhere, then undo: the style goes, the
        // window state written at the save stays the window's.
        store.setString(QStringLiteral("x"), QStringLiteral("HeaderStyle"));
        std::unique_ptr<StoreChange> change = store.journal().closeEntry();
        store.dataRepresentation();
        store.setWindowFrame(QRectF(5, 6, 1000, 800));
        QVERIFY(change->undo(store));
        QVERIFY(store.stringForName(QStringLiteral("HeaderStyle")).isNull());
        const QByteArray undone = store.dataRepresentation();
        CollectionManager reread;
        QVERIFY(reread.loadDataRepresentation(undone));
        QCOMPARE(reread.windowFrame(), QRectF(5, 6, 1000, 800));
        QCOMPARE(reread.namedStrings().last().name(), QStringLiteral("DetailsCollapsed"));
    }

    void changesMadeAndUndoneWithinOneCommandLeaveNothing()
    {
        DatabaseBuilder db;
        CollectionManager &store = db.store();
        fill(store, db);
        store.journal().setRecording(true);
        const QByteArray before = store.dataRepresentation();
        LinkFields f;
        f.title = QStringLiteral("Short-lived");
        f.categoryID = NoneCategoryID;
        store.deleteLinkNodesWithIDs({store.addLinkFromFields(f)->attachmentID()});
        TreeNode *category = store.addCategoryWithName(QStringLiteral("Brief"), QStringLiteral("brief"));
        f.categoryID = category->attachmentID();
        store.addLinkFromFields(f);
        store.moveLinksWithIDs({linkID(store, QStringLiteral("Zed"))}, category);
        store.moveLinksWithIDs({linkID(store, QStringLiteral("Zed"))},
                               store.categoryWithName(QStringLiteral("Music")));
        store.deleteCategoryNode(category);
        std::unique_ptr<StoreChange> change = store.journal().closeEntry();
        QVERIFY(change);
        const QByteArray after = store.dataRepresentation();
        QVERIFY(change->undo(store));
        QCOMPARE(store.dataRepresentation(), before);
        QVERIFY(change->redo(store));
        QCOMPARE(store.dataRepresentation(), after);
    }

    void aReplacedDatabaseRefusesEarlierChanges()
    {
        DatabaseBuilder db;
        CollectionManager &store = db.store();
        fill(store, db);
        const QByteArray saved = store.dataRepresentation();
        store.journal().setRecording(true);
        store.deleteLinkNodesWithIDs({linkID(store, QStringLiteral("Beta"))});
        std::unique_ptr<StoreChange> change = store.journal().closeEntry();
        store.deleteLinkNodesWithIDs({linkID(store, QStringLiteral("Gamma"))}); // left open
        QVERIFY(store.loadDataRepresentation(saved));
        QVERIFY(!store.journal().hasOpenEntry());
        QVERIFY(!change->undo(store));
        QCOMPARE(store.dataRepresentation(), saved);
        QVERIFY(store.journal().isRecording()); // the document's journal goes on for the new tree
    }

    void withoutRecordingNothingIsKept()
    {
        DatabaseBuilder db;
        CollectionManager &store = db.store();
        fill(store, db);
        store.deleteCategoryNode(store.categoryWithName(QStringLiteral("Books")));
        store.setStatus(LinkStatusBlocked, {linkID(store, QStringLiteral("Zed"))});
        QVERIFY(!store.journal().hasOpenEntry());
        QVERIFY(!store.journal().closeEntry());
    }
};

QTEST_GUILESS_MAIN(TestStoreJournal)
#include "tst_storejournal.moc"
