#include "DocumentFixture.h"
#include "HistoryLockHolder.h"
#include "document/DetailsView.h"
#include "document/DocumentChange.h"
#include "document/DocumentWindowState.h"
#include "document/FileCommands.h"
#include "document/LinkHistoryLoader.h"
#include "document/LinkListModel.h"
#include "document/LinkRowCache.h"
#include "gui/FittedLabel.h"
#include "history/HistoryService.h"
#include "history/HistoryStore.h"
#include "model/CollectionManager.h"
#include "model/Link.h"
#include "model/LinkDragPayload.h"
#include "model/WindowState.h"
#include "workflow/DetailsTexts.h"
#include "workflow/LinkListOrder.h"

#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QMenu>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTableView>
#include <algorithm>
#include <tuple>

// The link list's columns: what each shows and how each sorts, the history's columns read off the main
// thread, the plain words of a hand approval and of a link not followed, the header's menu, and the
// columns a window keeps in its file.
class TestLinkColumns : public QObject
{
    Q_OBJECT

    static constexpr auto Fatal = QAbstractItemModelTester::FailureReportingMode::QtTest;
    const QString m_dragType = LinkDragPayload::typeForDocument(QStringLiteral("doc"));

    // A check `seconds` after a fixed time that found the link (followed or with a rel) or did not.
    static CheckRecord check(const QString &id, qint64 seconds, bool found, bool followed,
                             const QString &anchor = QString())
    {
        return {.linkID = id,
                .title = id,
                .checkedOn = QDateTime::fromSecsSinceEpoch(1'700'000'000 + seconds),
                .result = found ? VerificationSucceeded : VerificationLinkNotFound,
                .httpStatus = 200,
                .finalURL = QStringLiteral("http://partner.example/links.html"),
                .addressFound = found,
                .inAnchor = found,
                .followed = found && followed,
                .rel = found && !followed ? QStringList{"nofollow"} : QStringList(),
                .anchorText = anchor,
                .outcome = found ? CheckOutcome::Linked : CheckOutcome::NotLinked,
                .confirmed = !found};
    }

    static bool waitForHistory(LinkListModel &model)
    {
        if (!model.historyLoader()->isLoading())
            return true;
        QSignalSpy loaded(model.historyLoader(), &LinkHistoryLoader::loaded);
        return loaded.wait(10000);
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void everyColumnSortsStablyBothWays()
    {
        // Few distinct values a column, so that many links compare equal and the order among them shows.
        DatabaseBuilder db;
        db.category("Mixed");
        QRandomGenerator random(7);
        const LinkStatus statuses[] = {LinkStatusNew, LinkStatusNegotiating, LinkStatusApproved,
                                       LinkStatusBlocked};
        const VerificationResult results[] = {VerificationNotVerified, VerificationSucceeded,
                                              VerificationMarkedVerified, VerificationLinkNotFound,
                                              VerificationNoResponse};
        auto pick = [&random](const QStringList &values) { return values.at(random.bounded(values.size())); };
        for (int i = 0; i < 160; ++i) {
            LinkFields fields;
            fields.title = pick({"Alder", "birch", "Cedar"});
            fields.description = pick({"", "reeds", "Sedge"});
            fields.status = statuses[random.bounded(4)];
            fields.URL = pick({"http://a.example/", "http://B.example/", "http://c.example/"});
            fields.counterpartURL = pick({"http://", "http://a.example/links", "http://z.example/"});
            fields.contactFirstName = pick({"", "Ann", "bob"});
            fields.contactEmail = pick({"", "x@a.example", "Y@b.example"});
            fields.lastVerificationResult = results[random.bounded(5)];
            // December before February as text, after it as a date.
            if (fields.lastVerificationResult != VerificationNotVerified)
                fields.lastVerifiedOn = pick({"2026-12-01", "2026-02-01", "2025-07-15"}) == "2026-12-01"
                                            ? QDate(2026, 12, 1)
                                            : QDate(2026, 2, random.bounded(1, 3));
            db.link(fields);
        }
        const QString path = m_fixture->write(db, "columns.site");
        // The history: a third of the links found and followed, a third found with nofollow, some lost
        // (found, then missing on a second look) at different times.
        QList<CheckRecord> checks;
        const std::vector<TreeNode *> &nodes = db.currentCategory()->children();
        for (int i = 0; i < int(nodes.size()); ++i) {
            const QString id = nodes[size_t(i)]->attachmentID();
            const QString anchor = pick({"", "Ponds", "alder site"});
            switch (i % 4) {
            case 0:
                checks.append(check(id, 0, true, true, anchor));
                break;
            case 1:
                checks.append(check(id, 0, true, false, anchor));
                break;
            case 2:
                checks.append(check(id, 0, true, true, anchor));
                checks.append(check(id, 86400 * random.bounded(1, 4), false, false));
                break;
            default:
                break; // never checked
            }
        }
        HistoryStore history(path);
        QVERIFY(history.record(checks));
        const auto latest = history.latestChecks();
        const auto changes = history.changes();
        QVERIFY(latest && changes && !changes->isEmpty());
        QHash<QString, QDateTime> changedOn;
        for (const LinkChange &change : *changes)
            changedOn.insert(change.linkID, change.since);

        LinkListModel model(&db.store(), m_dragType);
        QAbstractItemModelTester tester(&model, Fatal);
        model.setCategory(db.currentCategory());
        model.loadHistory(path);
        QVERIFY(model.historyLoader()->isLoading());
        QVERIFY(waitForHistory(model));
        QCOMPARE(model.historyLoader()->facts().size(), latest->size());

        // Each column's value as its own order sees it, after it the status, title and description, as
        // the straightforward definition reads.
        using Key = std::tuple<qint64, QString>;
        auto keyOf = [&](const TreeNode *node, int column) -> Key {
            const Link &link = *node->link();
            const auto found = latest->constFind(link.ID());
            const CheckRecord *latestCheck = found == latest->cend() ? nullptr : &found.value();
            switch (column) {
            case LinkListModel::AddressColumn:
                return {0, link.URL().toLower()};
            case LinkListModel::LinksPageColumn:
                return {0, link.counterpartURL().toLower()};
            case LinkListModel::ContactColumn:
                return {0, (link.contactFirstName() + ' ' + link.contactLastName()).toLower()};
            case LinkListModel::EmailColumn:
                return {0, link.contactEmail().toLower()};
            case LinkListModel::LastVerifiedColumn:
                return {link.lastVerifiedOn().isValid() ? link.lastVerifiedOn().toJulianDay() : LLONG_MIN,
                        {}};
            case LinkListModel::ResultColumn: {
                static const QString order = QStringLiteral("15432600");
                const bool notFollowed = link.lastVerificationResult() == VerificationSucceeded &&
                                         latestCheck && latestCheck->addressFound && !latestCheck->followed;
                const qint64 rank = 2 * order.indexOf(QChar(link.lastVerificationResult()));
                return {rank + (notFollowed ? 1 : 0), {}};
            }
            case LinkListModel::FollowedColumn:
                if (!latestCheck || !latestCheck->addressFound)
                    return {2, {}};
                return {latestCheck->followed ? 0 : 1, {}};
            case LinkListModel::AnchorTextColumn:
                return {0, latestCheck ? latestCheck->anchorText.toLower() : QString()};
            case LinkListModel::LastChangeColumn:
                return {changedOn.contains(link.ID()) ? changedOn[link.ID()].toSecsSinceEpoch() : LLONG_MIN,
                        {}};
            default:
                return {0, {}};
            }
        };
        auto chained = [&](const TreeNode *node, int column) {
            const Link &link = *node->link();
            return std::tuple(keyOf(node, column), int(link.status()), link.title().toLower(),
                              link.description().toLower());
        };
        // Once with the ranks worked out at the click, once with those prepared in idle time.
        auto sortsAsDefined = [&](LinkListModel &model, const char *when) {
            for (int column = LinkListModel::AddressColumn; column < LinkListModel::ColumnCount; ++column) {
                if (column == LinkListModel::CategoryColumn)
                    continue; // one category: every link equal, the status decides
                for (const bool descending : {false, true}) {
                    std::vector<const TreeNode *> expected(nodes.cbegin(), nodes.cend());
                    std::stable_sort(expected.begin(), expected.end(),
                                     [&](const TreeNode *a, const TreeNode *b) {
                                         return descending ? chained(b, column) < chained(a, column)
                                                           : chained(a, column) < chained(b, column);
                                     });
                    model.sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
                    for (int row = 0; row < model.rowCount(); ++row) {
                        if (model.linkIDAtRow(row) != expected.at(size_t(row))->attachmentID())
                            QFAIL(qPrintable(
                                QString("%1: column %2%3, row %4")
                                    .arg(when, LinkListModel::columnTitle(column), descending ? " down" : "")
                                    .arg(row)));
                    }
                }
            }
        };
        sortsAsDefined(model, "ranked at the click");
        LinkListModel idle(&db.store(), m_dragType);
        QSignalSpy prepared(&idle, &LinkListModel::prepared);
        idle.setCategory(db.currentCategory());
        idle.loadHistory(path);
        QVERIFY(waitForHistory(idle));
        QVERIFY(prepared.wait(10000));
        QVERIFY(idle.rowCache()->hasPreparedRanks(LinkListModel::AnchorTextColumn));
        sortsAsDefined(idle, "prepared in idle time");
    }

    void sortAndFilterFollowChanges()
    {
        // Few names and descriptions, so that many links compare equal and the category's order decides.
        DatabaseBuilder db;
        db.category("Ponds");
        QRandomGenerator random(3);
        const QStringList names{"Alder", "birch", "Cedar", "\u00c4lder"};
        const LinkStatus statuses[] = {LinkStatusNew, LinkStatusApproved};
        auto fieldsOf = [&] {
            LinkFields fields;
            fields.categoryID = db.currentCategory()->attachmentID();
            fields.title = names.at(random.bounded(names.size()));
            fields.description = QString::number(random.bounded(3));
            fields.status = statuses[random.bounded(2)];
            return fields;
        };
        for (int i = 0; i < 120; ++i)
            db.link(fieldsOf());
        CollectionManager &store = db.store();
        TreeNode *category = db.currentCategory();
        LinkListModel model(&store, m_dragType);
        QAbstractItemModelTester tester(&model, Fatal);
        QAbstractItemModelTester rowsTester(model.sourceModel(), Fatal);
        model.setCategory(category);

        auto accepts = [](const TreeNode *node) { return node->link()->description() != QLatin1String("0"); };
        auto expected = [&](int column, bool descending, bool filtered) {
            std::vector<TreeNode *> sorted;
            LinkListOrder::buildSortedLinkList(sorted, category, column, descending);
            QStringList ids;
            for (const TreeNode *node : sorted) {
                if (!filtered || accepts(node))
                    ids.append(node->attachmentID());
            }
            return ids;
        };
        auto randomLink = [&] {
            return category->children()[size_t(random.bounded(int(category->children().size())))];
        };
        // Edits, additions and deletions, one link or many at a time, followed row by row or in one
        // layout change; the rows stay as a fresh stable sort of the category (and the filter) has them,
        // and a row held by a view (its selection) stays on its link.
        for (const int column :
             {LinkListModel::NameColumn, LinkListModel::StatusColumn, LinkListModel::DescriptionColumn}) {
            for (const bool descending : {false, true}) {
                for (const bool filtered : {false, true}) {
                    model.sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
                    if (filtered)
                        model.setRowFilter([&](int, const TreeNode *node) { return accepts(node); });
                    else
                        model.setRowFilter({});
                    QCOMPARE(model.linkIDs(), expected(column, descending, filtered));
                    for (int step = 0; step < 18; ++step) {
                        const QPersistentModelIndex held = model.index(model.rowCount() / 2, 0);
                        const QString heldID = model.linkIDAtRow(held.row());
                        auto someLinks = [&](int count) {
                            QStringList ids;
                            while (ids.size() < count) {
                                const QString id = randomLink()->attachmentID();
                                if (id != heldID && !ids.contains(id))
                                    ids.append(id);
                            }
                            return ids;
                        };
                        DocumentChange change;
                        switch (step % 6) {
                        case 0:
                        case 3:
                            for (const QString &id : someLinks(step % 6 == 0 ? 1 : 25))
                                change.changedLinkIDs.append(
                                    store.editLinkNode(store.linkNodeWithID(id), fieldsOf())->attachmentID());
                            break;
                        case 1:
                            change.changedLinkIDs = {store.addLinkFromFields(fieldsOf())->attachmentID()};
                            break;
                        case 2:
                            change.changedLinkIDs = someLinks(1);
                            store.deleteLinkNodesWithIDs(change.changedLinkIDs);
                            break;
                        case 5:
                            // Many links far apart change places in the list, not in the category.
                            change.changedLinkIDs = someLinks(20);
                            store.setStatus(step % 4 == 1 ? LinkStatusNew : LinkStatusApproved,
                                            change.changedLinkIDs);
                            break;
                        default:
                            change.changedLinkIDs = someLinks(15);
                            store.deleteLinkNodesWithIDs(change.changedLinkIDs);
                            for (int i = 0; i < 15; ++i)
                                change.changedLinkIDs.append(
                                    store.addLinkFromFields(fieldsOf())->attachmentID());
                            break;
                        }
                        model.update(change);
                        const QString where = QString("column %1%2%3, step %4")
                                                  .arg(LinkListModel::columnTitle(column),
                                                       descending ? " down" : "", filtered ? " filtered" : "")
                                                  .arg(step);
                        if (model.linkIDs() != expected(column, descending, filtered))
                            QFAIL(qPrintable(where));
                        if (!heldID.isEmpty() && model.linkIDAtRow(held.row()) != heldID)
                            QFAIL(qPrintable(where + " (the held row)"));
                    }
                }
            }
        }
    }

    void changesDuringIdleRankingAreNotLost()
    {
        DatabaseBuilder db;
        db.category("Ponds");
        QRandomGenerator random(5);
        const QStringList names{"Alder", "birch", "Cedar", "\u00c4lder", "elm"};
        auto fieldsOf = [&] {
            LinkFields fields;
            fields.categoryID = db.currentCategory()->attachmentID();
            fields.title = names.at(random.bounded(names.size()));
            fields.description = QString::number(random.bounded(3));
            fields.status = random.bounded(2) ? LinkStatusNew : LinkStatusApproved;
            return fields;
        };
        for (int i = 0; i < 2000; ++i)
            db.link(fieldsOf());
        CollectionManager &store = db.store();
        TreeNode *category = db.currentCategory();
        LinkListModel model(&store, m_dragType);
        QSignalSpy prepared(&model, &LinkListModel::prepared);
        model.setCategory(category);
        // The first columns are ranked, the others not yet: links change, and one is added. Each turn of
        // the event loop is looked at, so that a fast machine does not finish every column meanwhile.
        QElapsedTimer waited;
        waited.start();
        while (!model.rowCache()->hasPreparedRanks(LinkListModel::StatusColumn) && waited.elapsed() < 10000)
            QCoreApplication::processEvents();
        QVERIFY(model.rowCache()->hasPreparedRanks(LinkListModel::StatusColumn));
        QVERIFY(model.isPreparing());
        DocumentChange change;
        for (int i = 0; i < 20; ++i) {
            TreeNode *node = category->children()[size_t(random.bounded(int(category->children().size())))];
            change.changedLinkIDs.append(store.editLinkNode(node, fieldsOf())->attachmentID());
        }
        change.changedLinkIDs.append(store.addLinkFromFields(fieldsOf())->attachmentID());
        model.update(change);
        QVERIFY(prepared.wait(10000));
        for (const int column :
             {LinkListModel::StatusColumn, LinkListModel::NameColumn, LinkListModel::DescriptionColumn}) {
            QVERIFY(model.rowCache()->hasPreparedRanks(column));
            std::vector<TreeNode *> sorted;
            LinkListOrder::buildSortedLinkList(sorted, category, column);
            QStringList expected;
            for (const TreeNode *node : sorted)
                expected.append(node->attachmentID());
            model.sort(column, Qt::AscendingOrder);
            QCOMPARE(model.linkIDs(), expected);
        }
    }

    void onlyShownColumnsAreRankedAhead()
    {
        DatabaseBuilder db;
        db.category("Ponds");
        for (const char *title : {"Cedar", "alder", "Birch", "elm"})
            db.link(title);
        LinkListModel model(&db.store(), m_dragType);
        QSignalSpy prepared(&model, &LinkListModel::prepared);
        model.setShownColumns({LinkListModel::NameColumn});
        model.setCategory(db.currentCategory());
        QVERIFY(prepared.wait(10000));
        QVERIFY(model.rowCache()->hasPreparedRanks(LinkListModel::NameColumn));
        QVERIFY(!model.rowCache()->hasPreparedRanks(LinkListModel::DescriptionColumn));
        // A column shown later is ranked in the next idle time.
        model.setShownColumns({LinkListModel::NameColumn, LinkListModel::DescriptionColumn});
        QVERIFY(model.isPreparing());
        QVERIFY(prepared.wait(10000));
        QVERIFY(model.rowCache()->hasPreparedRanks(LinkListModel::DescriptionColumn));
    }

    void resultsSayWhatWasChecked()
    {
        // A hand approval says nothing was checked; a found link search engines do not follow says so
        // beside the result; a mark goes before the words in the list.
        QCOMPARE(DetailsTexts::resultText(VerificationMarkedVerified),
                 QString("Marked as verified (no check)"));
        QCOMPARE(DetailsTexts::resultText(VerificationSucceeded, true), QString("Verified successfully"));
        QCOMPARE(DetailsTexts::resultText(VerificationSucceeded, false),
                 QString("Verified: Link found, not followed (nofollow)"));
        QCOMPARE(DetailsTexts::resultText(VerificationNotVerified), QString("Not verified"));
        QVERIFY(DetailsTexts::resultMark(VerificationSucceeded, true) !=
                DetailsTexts::resultMark(VerificationSucceeded, false));

        DatabaseBuilder db;
        db.category("Ponds");
        for (const QString title : {"Checked", "Approved by hand", "Nofollow", "Unknown"}) {
            LinkFields fields;
            fields.title = title;
            fields.lastVerifiedOn = QDate(2026, 3, 1);
            fields.lastVerificationResult =
                title == "Approved by hand" ? VerificationMarkedVerified : VerificationSucceeded;
            db.link(fields);
        }
        const QString path = m_fixture->write(db, "words.site");
        auto idOf = [&db](const QString &title) {
            for (const TreeNode *node : db.currentCategory()->children()) {
                if (node->link()->title() == title)
                    return node->attachmentID();
            }
            return QString();
        };
        HistoryStore history(path);
        // The history also knows a link deleted since, which an undo may bring back.
        QVERIFY(
            history.record({check(idOf("Checked"), 0, true, true, "Ponds"),
                            check(idOf("Nofollow"), 0, true, false), check("LNK1", 0, true, false, "Gone")}));
        LinkListModel model(&db.store(), m_dragType);
        model.setCategory(db.currentCategory());
        model.sort(LinkListModel::NameColumn, Qt::AscendingOrder);
        // Before the history is read, and when it has no check, the result is the file's.
        model.loadHistory(path);
        QVERIFY(waitForHistory(model));
        QCOMPARE(model.historyLoader()->facts().size(), 3);
        const std::optional<LinkHistoryFacts> gone = model.historyLoader()->facts().value("LNK1");
        QVERIFY(gone && gone->checked && !gone->followed && gone->anchorText == "Gone");
        auto cell = [&](const QString &title, int column) {
            for (int row = 0; row < model.rowCount(); ++row) {
                if (model.linkNodeAtRow(row)->link()->title() == title)
                    return model.index(row, column).data().toString();
            }
            return QString();
        };
        QCOMPARE(cell("Checked", LinkListModel::ResultColumn), QString("\u2713 Verified successfully"));
        QCOMPARE(cell("Checked", LinkListModel::FollowedColumn), QString("\u2713 Yes"));
        QCOMPARE(cell("Checked", LinkListModel::AnchorTextColumn), QString("Ponds"));
        QCOMPARE(cell("Approved by hand", LinkListModel::ResultColumn),
                 QString("\u2713 Marked as verified (no check)"));
        QCOMPARE(cell("Nofollow", LinkListModel::ResultColumn),
                 QString("\u26A0 Verified: Link found, not followed (nofollow)"));
        QCOMPARE(cell("Nofollow", LinkListModel::FollowedColumn), QString("\u26A0 No (nofollow)"));
        QCOMPARE(cell("Unknown", LinkListModel::ResultColumn), QString("\u2713 Verified successfully"));
        QCOMPARE(cell("Unknown", LinkListModel::FollowedColumn), QString());

        // A check still waiting for a history that another program holds is read as recorded: the
        // columns read on the thread that keeps it.
        HistoryLockHolder other;
        QVERIFY(other.hold(HistoryStore::pathForDatabase(path)));
        HistoryService::instance()->record(path, {check(idOf("Unknown"), 60, false, false)});
        model.loadHistory(path);
        QVERIFY(waitForHistory(model));
        QCOMPARE(model.historyLoader()->facts().size(), 4);
        const std::optional<LinkHistoryFacts> waiting = model.historyLoader()->facts().value(idOf("Unknown"));
        QVERIFY(waiting && waiting->checked && !waiting->addressFound);
        other.release();
        QTRY_COMPARE_WITH_TIMEOUT(HistoryService::instance()->waitingChecks(path), 0, 10000);
    }

    void windowKeepsItsColumnsInTheFile()
    {
        // The names and widths read back as written; an entry that is not made of column names (or of
        // name:width pairs within bounds) reads as none.
        WindowState state;
        state.linkListColumns = QStringList{"name", "address", "result"};
        state.linkListColumnWidths = QList<QPair<QString, int>>{{"name", 200}, {"address", 150}};
        const WindowState back = WindowState::decoded(state.encoded());
        QCOMPARE(back.linkListColumns, state.linkListColumns);
        QCOMPARE(back.linkListColumnWidths, state.linkListColumnWidths);
        for (const QString bad : {"name,,address", "name,a:b", "name;address", "n\u00e4me"})
            QVERIFY(!WindowState::decoded({{"LinkListColumns", bad}}).linkListColumns);
        for (const QString bad : {"name", "name:-1", "name:999999", ":20", "name:20,x"})
            QVERIFY(!WindowState::decoded({{"LinkListColumnWidths", bad}}).linkListColumnWidths);
        QVERIFY(!WindowState::decoded({}).linkListColumns);

        // A database without them shows the default set; every column is named for screen readers and
        // the header's menu names them by their titles.
        DatabaseBuilder db;
        LinkFields approved;
        approved.title = "One";
        approved.lastVerifiedOn = QDate(2026, 3, 1);
        approved.lastVerificationResult = VerificationMarkedVerified;
        db.category("Ponds").link(approved).link("Two");
        const QString path = m_fixture->write(db);
        MyDocument *document = m_fixture->controller().openDocument(path);
        QVERIFY(document && QTest::qWaitForWindowExposed(document));
        QTRY_VERIFY(document->documentWindowState()->isRecording());
        LinkListController *links = document->linkListController();
        QCOMPARE(links->shownColumns(),
                 QStringList({"reminder", "status", "name", "lastVerified", "result", "description"}));
        QHeaderView *header = document->linksTable()->horizontalHeader();
        QStringList menuTitles;
        for (QAction *action : links->headerMenu()->actions())
            menuTitles.append(action->text());
        for (int column = 0; column < LinkListModel::ColumnCount; ++column) {
            const QString title =
                header->model()->headerData(column, Qt::Horizontal, Qt::AccessibleTextRole).toString();
            QCOMPARE(title, LinkListModel::columnTitle(column));
            QVERIFY(column == LinkListModel::NameColumn || menuTitles.contains(title));
        }

        // Shown from the menu, moved, sized and sorted: kept in the file without marking it edited, and
        // shown so when it opens again.
        QAction *address = links->headerMenu()->actions().at(menuTitles.indexOf("Address"));
        QVERIFY(!address->isChecked());
        address->trigger();
        QVERIFY(!header->isSectionHidden(LinkListModel::AddressColumn));
        links->headerMenu()->actions().at(menuTitles.indexOf("Description"))->trigger();
        QVERIFY(header->isSectionHidden(LinkListModel::DescriptionColumn));
        header->moveSection(header->visualIndex(LinkListModel::AddressColumn), 1);
        header->resizeSection(LinkListModel::AddressColumn, 133);
        emit header->sectionClicked(LinkListModel::LastVerifiedColumn);
        emit header->sectionClicked(LinkListModel::LastVerifiedColumn);
        const QStringList shown = {"reminder", "address", "status", "name", "lastVerified", "result"};
        QCOMPARE(links->shownColumns(), shown);
        QVERIFY(!document->isEdited());
        QVERIFY(document->commandArea<FileCommands>()->save());
        QVERIFY(document->close());
        document = m_fixture->controller().openDocument(path);
        QVERIFY(document && QTest::qWaitForWindowExposed(document));
        QTRY_VERIFY(document->documentWindowState()->isRecording());
        links = document->linkListController();
        header = document->linksTable()->horizontalHeader();
        QCOMPARE(links->shownColumns(), shown);
        QCOMPARE(header->sectionSize(LinkListModel::AddressColumn), 133);
        QCOMPARE(links->sortCriterion(), int(LinkListModel::LastVerifiedColumn));
        QVERIFY(links->sortDescending());
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestLinkColumns)
#include "tst_linkcolumns.moc"
