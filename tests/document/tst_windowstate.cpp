// The document window on the screen: where it opens, its title and the window state it keeps in its
// file.
#include "DocumentFixture.h"
#include "document/DocumentMenus.h"
#include "document/DocumentWindowState.h"
#include "gui/WindowPlacement.h"

#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QWindow>

class TestWindowState : public QObject
{
    Q_OBJECT

private:
    static QRect mainScreen() { return QGuiApplication::primaryScreen()->geometry(); }
    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    // Waits until the window shows its stored state and records changes.
    static MyDocument *settled(MyDocument *document)
    {
        const bool ready = document && QTest::qWaitForWindowExposed(document) && QTest::qWaitFor([document] {
                               return document->documentWindowState()->isRecording();
                           });
        return ready ? document : nullptr;
    }
    MyDocument *openAndSettle(const QString &path)
    {
        return settled(m_fixture->controller().openDocument(path));
    }

    static std::unique_ptr<CollectionManager> reread(const QString &path)
    {
        auto store = std::make_unique<CollectionManager>();
        return DatabaseFile::read(path, *store) ? std::move(store) : nullptr;
    }

    // The stored state equals what the window shows.
    static bool recordsWhatItShows(MyDocument *document, const CollectionManager &store)
    {
        return store.windowFrame() ==
                   DocumentWindowState::savedFrameFromWindowFrame(document->frameGeometry(), mainScreen()) &&
               store.splitterPosition() == document->splitterPosition() && store.splitterPosition() > 0 &&
               *store.columnWidths() == document->linkListController()->columnWidths();
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void storedFrameIsMeasuredFromTheTopOfTheMainScreen()
    {
        // The main screen starts 100 pixels down (a screen above it): y is kept from its top edge,
        // and comes back at the same distance from the top of a screen of another height.
        const QRectF saved = DocumentWindowState::savedFrameFromWindowFrame(QRect(10, 150, 800, 600),
                                                                            QRect(0, 100, 1920, 1080));
        QCOMPARE(saved, QRectF(10, 50, 800, 600));
        QCOMPARE(DocumentWindowState::windowFrameFromSavedFrame(saved, QRect(0, 0, 1280, 720)),
                 QRect(10, 50, 800, 600));
        QVERIFY(DocumentWindowState::windowFrameFromSavedFrame(QRectF(), mainScreen()).isNull());
        QVERIFY(DocumentWindowState::savedFrameFromWindowFrame(QRect(), mainScreen()).isNull());
    }

    void newWindowsOpenLargeAndCascade()
    {
        const QPoint step(DocumentWindowState::CascadeStep, DocumentWindowState::CascadeStep);
        QList<QPoint> corners;
        for (int i = 0; i < 3; ++i) {
            MyDocument *document = settled(m_fixture->controller().newDocument());
            QVERIFY(document);
            QVERIFY(available().contains(document->frameGeometry()));
            corners.append(document->frameGeometry().topLeft());
            if (i > 0) {
                QCOMPARE(corners.at(i), corners.at(i - 1) + step);
                continue;
            }
            const QSize minimum =
                document->minimumSize().grownBy(WindowPlacement::decorationMargins(document));
            QCOMPARE(document->frameGeometry(), WindowPlacement::defaultDocumentFrame(available(), minimum));
            // Not "0,0,0,0" any more: the next save writes the window as it is.
            QVERIFY(recordsWhatItShows(document, document->collectionManager()));
        }
    }

    void openedWindowIsNamedAndKeptOnTheScreen()
    {
        // A stored frame larger than the screen is clamped to it.
        DatabaseBuilder db;
        db.store().setWindowFrame(QRectF(-100, -50, 3000, 2000));
        MyDocument *document = openAndSettle(m_fixture->write(db, "sample.site"));
        QVERIFY(document);
        QCOMPARE(document->frameGeometry(), available());
        document->updateChangeCount();
        QCOMPARE(document->windowHandle()->title(), QString::fromUtf8("sample.site* \u2014 Quillmarsh"));
        // A frame off every screen keeps the default; a name holding the mark's placeholder shows it.
        db.store().setWindowFrame(QRectF(-50000, 40000, 700, 500));
        MyDocument *odd = openAndSettle(m_fixture->write(db, "odd[*].site"));
        QVERIFY(odd && available().intersects(odd->geometry()));
        QVERIFY(odd->size() != QSize(700, 500));
        QCOMPARE(odd->windowHandle()->title(), QString::fromUtf8("odd[*].site \u2014 Quillmarsh"));
    }

    void reopeningTenTimesDoesNotDrift()
    {
        // The test platform decorates windows with two-pixel borders, so restoring the inner size
        // as the outer one (or the reverse) would grow or shrink the window at every turn.
        DatabaseBuilder db;
        db.store().setWindowFrame(QRectF(60, 50, 640, 520));
        const QString path = m_fixture->write(db);
        QRect expected =
            DocumentWindowState::windowFrameFromSavedFrame(QRectF(60, 50, 640, 520), mainScreen());
        for (int run = 0; run < 10; ++run) {
            MyDocument *document = openAndSettle(path);
            QVERIFY(document);
            QVERIFY(document->frameGeometry() != document->geometry());
            QCOMPARE(document->frameGeometry(), expected);
            if (run % 3 == 2) {
                expected.translate(10, 7);
                document->move(expected.topLeft());
            }
            QVERIFY(document->save());
            QVERIFY(document->close());
        }
        QCOMPARE(reread(path)->windowFrame(),
                 DocumentWindowState::savedFrameFromWindowFrame(expected, mainScreen()));
    }

    void storedStateIsShownRecordedAndSavedWithoutAnEdit()
    {
        DatabaseBuilder db;
        db.link("One");
        db.store().setWindowFrame(QRectF(40, 30, 700, 500));
        db.store().setSplitterPosition(170);
        db.store().setColumnWidths(QList<double>{320, 200});
        db.store().setDetailsCollapsed(true);
        db.store().setLinkSort(LinkListController::DescriptionColumn, true);
        const QString path = m_fixture->write(db);
        MyDocument *document = openAndSettle(path);
        QVERIFY(document);
        QHeaderView *header = document->linksTable()->horizontalHeader();
        QCOMPARE(document->splitterPosition(), 170.0);
        QCOMPARE(header->sectionSize(LinkListController::NameColumn), 320);
        QVERIFY(document->isDetailsCollapsed());
        QVERIFY(!document->menus()->toggleDetails->isChecked());
        QCOMPARE(header->sortIndicatorSection(), int(LinkListController::DescriptionColumn));
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        // The list fits its view: no column pushes it past the edge.
        QVERIFY(!document->linksTable()->horizontalScrollBar()->isVisible());

        // Moving, resizing and a click on the header are recorded without marking the document
        // edited; the next save writes them.
        document->move(document->frameGeometry().topLeft() + QPoint(50, 40));
        QTRY_COMPARE(document->collectionManager().windowFrame().topLeft(), QPointF(90, 70));
        document->setSplitterPosition(220);
        emit document->splitView()->splitterMoved(220, 1);
        document->setDetailsCollapsed(false);
        header->resizeSection(LinkListController::NameColumn, 111);
        emit header->sectionClicked(LinkListController::NameColumn);
        QVERIFY(!document->isEdited());
        QVERIFY(document->save());
        const std::unique_ptr<CollectionManager> moved = reread(path);
        QCOMPARE(moved->windowFrame().topLeft(), QPointF(90, 70));
        QCOMPARE(moved->splitterPosition(), 220.0);
        QVERIFY(!moved->detailsCollapsed());
        QCOMPARE(moved->columnWidths()->first(), 111.0);
        QCOMPARE(moved->linkSortColumn(), int(LinkListController::NameColumn));
        QVERIFY(!moved->linkSortDescending());

        // An empty stored state ("0,0,0,0", no widths, splitter 0) is replaced by the shown one.
        DatabaseBuilder empty;
        const QString emptyPath = m_fixture->write(empty, "empty.site");
        MyDocument *fresh = openAndSettle(emptyPath);
        QVERIFY(fresh && fresh->save());
        QVERIFY(recordsWhatItShows(fresh, *reread(emptyPath)));
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestWindowState)
#include "tst_windowstate.moc"
