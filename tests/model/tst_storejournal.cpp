#include "publish/LinksPageSetup.h"
#include "support/DatabaseBuilder.h"
#include "workflow/EmailTemplateFile.h"
#include "workflow/LinkImporter.h"

#include <QRandomGenerator>
#include <QtTest>
#include <functional>

// The store's journal: a long random history of every operation that changes a database unwinds
// through each earlier state to the first bytes and replays to the last; the records that come
// back are the same objects; the window state and a replaced database stay out.
class TestStoreJournal : public QObject
{
    Q_OBJECT

private:
    QRandomGenerator m_random;

    int below(int bound) { return int(m_random.bounded(quint32(bound))); }
    // Titles that differ only in case: their order is decided by when they were inserted.
    QString word()
    {
        static const char *const words[] = {"alpha", "Alpha", "beta", "Gamma", "delta", "DELTA", "omega"};
        return QString::fromLatin1(words[below(7)]);
    }

    QStringList anyLinkIDs(const CollectionManager &store, int count)
    {
        QStringList ids;
        const std::vector<TreeNode *> nodes = store.allLinkNodes();
        for (int i = 0; i < count && !nodes.empty(); ++i)
            ids.append(nodes[size_t(below(int(nodes.size())))]->attachmentID());
        return ids;
    }
    TreeNode *anyLink(const CollectionManager &store)
    {
        return store.linkNodeWithID(anyLinkIDs(store, 1).value(0));
    }
    TreeNode *anyCategory(const CollectionManager &store)
    {
        return store.categoryRoot()->childAtIndex(below(store.numberOfCategories()));
    }
    std::function<DuplicateAnswer()> anyAnswer()
    {
        const DuplicateAnswer answer = below(2) ? DuplicateAnswer::Replace : DuplicateAnswer::Keep;
        return [answer] { return answer; };
    }

    // A link of a random title in that category.
    LinkFields fieldsIn(const TreeNode *category)
    {
        LinkFields f;
        f.title = word();
        f.categoryID = category->attachmentID();
        f.lastStatusChangedOn = QDate(2024, 1, 1 + below(28));
        return f;
    }
    // A new title, and now and then another category.
    void retitle(CollectionManager &store, TreeNode *node)
    {
        LinkFields f = node->link()->fields();
        f.title = word();
        if (below(2))
            f.categoryID = anyCategory(store)->attachmentID();
        store.editLinkNode(node, f);
    }

    // Another database with the same IDs, some links changed, plus a category and link of its own.
    QByteArray otherDatabaseFor(CollectionManager &store)
    {
        CollectionManager other;
        other.loadDataRepresentation(store.dataRepresentation());
        for (const QString &id : anyLinkIDs(other, 3))
            retitle(other, other.linkNodeWithID(id));
        other.addLinkFromFields(
            fieldsIn(other.addCategoryWithName(QStringLiteral("Imported %1").arg(below(1000)), "imp")));
        return other.dataRepresentation();
    }

    void changeTemplates(CollectionManager &store)
    {
        EmailTemplateList &list = store.emailTemplateList();
        EmailTemplate form;
        form.setName(word(), "S", "B");
        const int count = int(store.emailTemplates().size());
        const int kind = count == 0 ? 0 : below(4);
        EmailTemplate *chosen = count ? store.emailTemplates()[size_t(below(count))].get() : nullptr;
        if (kind == 0)
            list.addEmailTemplateFromEmailTemplate(form);
        else if (kind == 1)
            list.editEmailTemplate(chosen, form);
        else if (kind == 2)
            list.duplicateEmailTemplate(chosen);
        else
            list.deleteEmailTemplateAtIndex(below(count));
    }

    void change(CollectionManager &store)
    {
        const std::function<void()> changes[] = {
            [&] { store.addLinkFromFields(fieldsIn(anyCategory(store))); },
            [&] {
                if (TreeNode *node = anyLink(store))
                    retitle(store, node);
            },
            [&] { store.deleteLinkNodesWithIDs(anyLinkIDs(store, 1 + below(4))); },
            [&] { store.moveLinksWithIDs(anyLinkIDs(store, 1 + below(6)), anyCategory(store)); },
            [&] { store.setStatus(LinkStatus('1' + below(4)), anyLinkIDs(store, 1 + below(8))); },
            [&] { store.setVerificationResult(VerificationMarkedVerified, anyLinkIDs(store, 3)); },
            [&] {
                if (TreeNode *node = anyLink(store)) {
                    store.setVerificationOfLink(node->link(), QDate(2023, 3, 1 + below(28)),
                                                VerificationSucceeded);
                    store.setStatusOfLink(node->link(), LinkStatusApproved);
                }
            },
            [&] {
                store.addCategoryWithName(QStringLiteral("New %1").arg(below(1000)),
                                          QStringLiteral("n%1").arg(below(1000)));
            },
            [&] {
                if (TreeNode *category = anyCategory(store); !category->category()->isNone())
                    store.renameCategory(category, word(), category->category()->anchor());
            },
            [&] {
                if (TreeNode *category = anyCategory(store); !category->category()->isNone() && below(3) == 0)
                    store.deleteCategoryNode(category);
            },
            [&] { changeTemplates(store); },
            [&] {
                DatabaseBuilder other;
                other.emailTemplate(word(), "S", "B");
                const QByteArray data = EmailTemplateFile::dataRepresentation(other.store());
                EmailTemplateFile::importEmailTemplatesFromData(store, data, anyAnswer());
            },
            [&] { LinkImporter::importLinksFromData(store, otherDatabaseFor(store), anyAnswer()); },
            [&] {
                NotificationSettings settings = store.selfInfo().notificationSettings();
                settings.linkVerificationTimeout = 1 + below(90);
                settings.notifyLinksInCategory = below(2);
                store.setNotificationSettings(settings);
            },
            [&] {
                LinksPageSetup setup;
                setup.initializeFromCollectionManager(store);
                setup.loadTheme(1 + below(5));
                setup.setTargetNew(1 + below(2));
                setup.setLayout(below(2));
                setup.applyTo(store);
            },
            [&] { store.setString(QString::number(below(100)), QStringLiteral("Style%1").arg(below(3))); },
            [&] {
                // Records made and removed within one command leave nothing behind.
                store.deleteLinkNodesWithIDs(
                    {store.addLinkFromFields(fieldsIn(anyCategory(store)))->attachmentID()});
                TreeNode *brief = store.addCategoryWithName("Brief", "brief");
                if (TreeNode *node = anyLink(store)) {
                    TreeNode *home = node->parent();
                    store.moveLinksWithIDs({node->attachmentID()}, brief);
                    store.moveLinksWithIDs({node->attachmentID()}, home);
                }
                store.deleteCategoryNode(brief);
            },
            [&] {
                SiteProfileTexts texts = store.selfInfo().texts();
                texts.title = word();
                store.setSiteProfile(texts);
            },
        };
        changes[below(std::size(changes))]();
    }

private slots:
    void randomHistoryUnwindsAndReplays()
    {
        const quint32 seed = qEnvironmentVariableIsSet("QM_UNDO_SEED")
                                 ? qgetenv("QM_UNDO_SEED").toUInt()
                                 : QRandomGenerator::global()->generate();
        m_random.seed(seed);
        const QByteArray where = QByteArray("seed ") + QByteArray::number(seed);
        DatabaseBuilder db;
        CollectionManager &store = db.store();
        for (int c = 0; c < 5; ++c) {
            db.category(QStringLiteral("Category %1").arg(c));
            for (int i = 0; i < 30; ++i)
                db.link(word(), LinkStatus('1' + below(4)),
                        QStringLiteral("http://site%1-%2.example/").arg(c).arg(i));
        }
        db.emailTemplate("One", "S", "B");
        store.setWindowFrame(QRectF(10, 20, 800, 600));
        store.journal().setRecording(true);
        std::vector<std::unique_ptr<StoreChange>> history;
        QList<QByteArray> states{store.dataRepresentation()};
        for (int command = 0; command < 300; ++command) {
            // Now and then one user command makes two changes.
            change(store);
            if (below(5) == 0)
                change(store);
            if (std::unique_ptr<StoreChange> step = store.journal().closeEntry()) {
                history.push_back(std::move(step));
                states.append(store.dataRepresentation());
            }
            // Now and then the user undoes a few steps and goes another way: they are thrown away.
            if (below(20) == 0 && history.size() > 3) {
                for (int i = 0; i < 3; ++i) {
                    QVERIFY2(history.back()->undo(store), where.constData());
                    history.pop_back();
                    states.removeLast();
                    QVERIFY2(store.dataRepresentation() == states.last(), where.constData());
                }
            }
        }
        for (int round = 0; round < 2; ++round) {
            for (size_t i = history.size(); i-- > 0;) {
                QVERIFY2(history[i]->undo(store), where.constData());
                QVERIFY2(store.dataRepresentation() == states[qsizetype(i)],
                         qPrintable(QStringLiteral("%1, undoing step %2").arg(seed).arg(i)));
            }
            QVERIFY(!history.front()->undo(store)); // already undone
            for (size_t i = 0; i < history.size(); ++i) {
                QVERIFY2(history[i]->redo(store), where.constData());
                QVERIFY2(store.dataRepresentation() == states[qsizetype(i) + 1],
                         qPrintable(QStringLiteral("%1, redoing step %2").arg(seed).arg(i)));
            }
            QVERIFY(!store.journal().hasOpenEntry()); // applying a step is not itself a change
        }
        // Dropping the oldest steps first, as a full stack does, leaves the tree whole.
        while (!history.empty())
            history.erase(history.begin());
        QCOMPARE(store.dataRepresentation(), states.last());
    }

    void undoPutsTheSameRecordsBack()
    {
        DatabaseBuilder db;
        CollectionManager &store = db.store();
        db.category("Books", "books").link("alpha").link("Alpha");
        const Link *tied = db.lastLink();
        db.link("Beta")
            .emailTemplate("Welcome", "Hello", "Dear")
            .emailTemplate("reminder", "Again", "Still?");
        store.journal().setRecording(true);
        TreeNode *books = store.categoryWithName("Books");
        store.deleteCategoryNode(books);
        std::unique_ptr<StoreChange> change = store.journal().closeEntry();
        QCOMPARE(change->categoryIDs().first(), books->attachmentID());
        QVERIFY(change->undo(store));
        QCOMPARE(store.categoryWithName("Books"), books);
        QCOMPARE(store.linkWithID(tied->ID()), tied);
        QCOMPARE(books->indexOfChild(store.linkNodeWithID(tied->ID())), 1);
        QCOMPARE(books->nativeTitle(), QStringLiteral("Books (3)"));
        EmailTemplateList &list = store.emailTemplateList();
        const EmailTemplate *welcome = list.emailTemplateWithName("Welcome");
        list.deleteEmailTemplateAtIndex(list.indexOfEmailTemplate(welcome) == 0 ? 1 : 0);
        change = store.journal().closeEntry();
        QVERIFY(change->undo(store));
        QVERIFY(change->redo(store));
        QCOMPARE(list.emailTemplateWithName("Welcome"), welcome);
    }

    void windowStateAndReplacedDatabasesStayOut()
    {
        DatabaseBuilder db;
        CollectionManager &store = db.store();
        db.link("Beta").link("Gamma");
        const QString gamma = db.lastLink()->ID();
        const QByteArray saved = store.dataRepresentation();
        store.deleteLinkNodesWithIDs({gamma});
        QVERIFY(!store.journal().closeEntry()); // not recording: nothing kept
        QVERIFY(store.loadDataRepresentation(saved));
        store.journal().setRecording(true);
        store.setWindowFrame(QRectF(1, 2, 900, 700));
        store.setSplitterPosition(210);
        store.setDetailsCollapsed(true);
        store.setColumnWidths(QList<double>{100, 200});
        store.dataRepresentation();
        QVERIFY(!store.journal().hasOpenEntry());
        // A style change, then a save with the window elsewhere, then undo: the style goes, the
        // window state written at the save stays the window's.
        store.setString("x", "HeaderStyle");
        std::unique_ptr<StoreChange> change = store.journal().closeEntry();
        store.dataRepresentation();
        store.setWindowFrame(QRectF(5, 6, 1000, 800));
        QVERIFY(change->undo(store));
        QVERIFY(store.stringForName("HeaderStyle").isNull());
        CollectionManager reread;
        QVERIFY(reread.loadDataRepresentation(store.dataRepresentation()));
        QCOMPARE(reread.windowFrame(), QRectF(5, 6, 1000, 800));
        QCOMPARE(reread.namedStrings().last().name(), QStringLiteral("DetailsCollapsed"));

        // A database read anew refuses the steps of the old tree and drops an open entry.
        QVERIFY(change->redo(store));
        store.deleteLinkNodesWithIDs({gamma}); // left open
        QVERIFY(store.loadDataRepresentation(saved));
        QVERIFY(!store.journal().hasOpenEntry());
        QVERIFY(!change->undo(store));
        QCOMPARE(store.dataRepresentation(), saved);
        QVERIFY(store.journal().isRecording()); // the document's journal goes on for the new tree
    }
};

QTEST_GUILESS_MAIN(TestStoreJournal)
#include "tst_storejournal.moc"
