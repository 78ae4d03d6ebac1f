// The document window on the screen: where it opens, its title, the window state it keeps in its
// file, and how the lists and the details pane share the window.
#include "DocumentFixture.h"
#include "document/DetailsView.h"
#include "document/DocumentMenus.h"
#include "document/DocumentWindowState.h"
#include "gui/WindowPlacement.h"
#include "model/Link.h"

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

    // Opens the file and waits until the window shows its stored state and records changes.
    MyDocument *openAndSettle(const QString &path)
    {
        MyDocument *document = m_fixture->controller().openDocument(path);
        if (!document || !QTest::qWaitForWindowExposed(document))
            return nullptr;
        return QTest::qWaitFor([document] { return document->documentWindowState()->isRecording(); })
                   ? document
                   : nullptr;
    }

    MyDocument *newAndSettle()
    {
        MyDocument *document = m_fixture->controller().newDocument();
        if (!QTest::qWaitForWindowExposed(document))
            return nullptr;
        return QTest::qWaitFor([document] { return document->documentWindowState()->isRecording(); })
                   ? document
                   : nullptr;
    }

    // The window state a file holds.
    struct Stored
    {
        QRectF windowFrame;
        double splitterPosition = 0;
        std::optional<QList<double>> columnWidths;
        bool detailsCollapsed = false;
        int sortColumn = -1;
        bool sortDescending = false;
    };
    static Stored reread(const QString &path)
    {
        CollectionManager store;
        if (!DatabaseFile::read(path, store))
            qWarning("cannot read %s", qPrintable(path));
        return {store.windowFrame(),      store.splitterPosition(), store.columnWidths(),
                store.detailsCollapsed(), store.linkSortColumn(),   store.linkSortDescending()};
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

    void newWindowOpensLargeOnTheScreenAndRecordsWhatItShows()
    {
        MyDocument *document = newAndSettle();
        QVERIFY(document);
        const QSize minimum = document->minimumSize().grownBy(WindowPlacement::decorationMargins(document));
        QCOMPARE(document->frameGeometry(), WindowPlacement::defaultDocumentFrame(available(), minimum));
        QVERIFY(available().contains(document->frameGeometry()));
        // Not "0,0,0,0" any more: the next save writes the window as it is.
        const CollectionManager &store = document->collectionManager();
        QCOMPARE(store.windowFrame(),
                 DocumentWindowState::savedFrameFromWindowFrame(document->frameGeometry(), mainScreen()));
        QCOMPARE(store.splitterPosition(), document->splitterPosition());
        QVERIFY(store.splitterPosition() > 0);
        QCOMPARE(*store.columnWidths(), document->linkListController()->columnWidths());
    }

    void newWindowsCascade()
    {
        QList<QPoint> corners;
        for (int i = 0; i < 3; ++i) {
            MyDocument *document = newAndSettle();
            QVERIFY(document);
            QVERIFY(available().contains(document->frameGeometry()));
            corners.append(document->frameGeometry().topLeft());
        }
        const QPoint step(DocumentWindowState::CascadeStep, DocumentWindowState::CascadeStep);
        QCOMPARE(corners.at(1), corners.at(0) + step);
        QCOMPARE(corners.at(2), corners.at(1) + step);
    }

    void titleNamesTheFileTheMarkAndTheApplication()
    {
        DatabaseBuilder db;
        MyDocument *document = openAndSettle(m_fixture->write(db, QStringLiteral("sample.site")));
        QVERIFY(document);
        QCOMPARE(document->windowHandle()->title(), QString::fromUtf8("sample.site \u2014 Quillmarsh"));
        document->updateChangeCount();
        QCOMPARE(document->windowHandle()->title(), QString::fromUtf8("sample.site* \u2014 Quillmarsh"));
        // A file whose name holds the mark's placeholder shows it as it is.
        MyDocument *odd = openAndSettle(m_fixture->write(db, QStringLiteral("odd[*].site")));
        QVERIFY(odd);
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
        QCOMPARE(reread(path).windowFrame,
                 DocumentWindowState::savedFrameFromWindowFrame(expected, mainScreen()));
    }

    void eachStoredValueSurvivesOpenAndSave()
    {
        for (const bool collapsed : {true, false}) {
            DatabaseBuilder db;
            db.link(QStringLiteral("One"));
            db.store().setWindowFrame(QRectF(40, 30, 700, 500));
            db.store().setSplitterPosition(170);
            db.store().setColumnWidths(QList<double>{320, 200});
            db.store().setDetailsCollapsed(collapsed);
            db.store().setLinkSort(LinkListController::DescriptionColumn, collapsed);
            const QString path =
                m_fixture->write(db, collapsed ? QStringLiteral("a.site") : QStringLiteral("b.site"));
            MyDocument *document = openAndSettle(path);
            QVERIFY(document);
            QCOMPARE(document->splitterPosition(), 170.0);
            QCOMPARE(document->linksTable()->horizontalHeader()->sectionSize(LinkListController::NameColumn),
                     320);
            QCOMPARE(document->isDetailsCollapsed(), collapsed);
            QCOMPARE(document->menus()->toggleDetails->isChecked(), !collapsed);
            const QHeaderView *header = document->linksTable()->horizontalHeader();
            QCOMPARE(header->sortIndicatorSection(), int(LinkListController::DescriptionColumn));
            QCOMPARE(header->sortIndicatorOrder(), collapsed ? Qt::DescendingOrder : Qt::AscendingOrder);
            QCOMPARE(document->linkListController()->sortDescending(), collapsed);
            // The list fits its view: no column pushes it past the edge.
            QVERIFY(!document->linksTable()->horizontalScrollBar()->isVisible());
            QVERIFY(document->save());
            const Stored saved = reread(path);
            QCOMPARE(saved.windowFrame, QRectF(40, 30, 700, 500));
            QCOMPARE(saved.splitterPosition, 170.0);
            QCOMPARE(*saved.columnWidths, (QList<double>{320, 200}));
            QCOMPARE(saved.detailsCollapsed, collapsed);
            QCOMPARE(saved.sortColumn, int(LinkListController::DescriptionColumn));
            QCOMPARE(saved.sortDescending, collapsed);
            QVERIFY(!document->isEdited());

            // Moving, resizing and a click on the header are recorded too, without marking the
            // document edited; the next save writes them.
            document->move(document->frameGeometry().topLeft() + QPoint(50, 40));
            QTRY_COMPARE(document->collectionManager().windowFrame().topLeft(), QPointF(90, 70));
            document->setSplitterPosition(220);
            emit document->splitView()->splitterMoved(220, 1);
            document->setDetailsCollapsed(!collapsed);
            document->linksTable()->horizontalHeader()->resizeSection(LinkListController::NameColumn, 111);
            emit document->linksTable()->horizontalHeader()->sectionClicked(LinkListController::NameColumn);
            QVERIFY(!document->isEdited());
            QVERIFY(document->save());
            const Stored moved = reread(path);
            QCOMPARE(moved.windowFrame.topLeft(), QPointF(90, 70));
            QCOMPARE(moved.splitterPosition, 220.0);
            QCOMPARE(moved.detailsCollapsed, !collapsed);
            QCOMPARE(moved.columnWidths->first(), 111.0);
            QCOMPARE(moved.sortColumn, int(LinkListController::NameColumn));
            QVERIFY(!moved.sortDescending);
        }
    }

    void anEmptyStoredStateIsReplacedByTheShownOne()
    {
        DatabaseBuilder db; // "0,0,0,0", no widths, splitter 0
        const QString path = m_fixture->write(db);
        MyDocument *document = openAndSettle(path);
        QVERIFY(document);
        QVERIFY(document->save());
        const Stored saved = reread(path);
        QCOMPARE(saved.windowFrame,
                 DocumentWindowState::savedFrameFromWindowFrame(document->frameGeometry(), mainScreen()));
        QCOMPARE(saved.splitterPosition, document->splitterPosition());
        QCOMPARE(*saved.columnWidths, document->linkListController()->columnWidths());
    }

    void aFrameLargerThanTheScreenIsClamped()
    {
        DatabaseBuilder db;
        db.store().setWindowFrame(QRectF(-100, -50, 3000, 2000));
        MyDocument *document = openAndSettle(m_fixture->write(db));
        QVERIFY(document);
        QCOMPARE(document->frameGeometry(), available());
        // A frame off every screen keeps the default.
        db.store().setWindowFrame(QRectF(-50000, 40000, 700, 500));
        document = openAndSettle(m_fixture->write(db, QStringLiteral("off.site")));
        QVERIFY(available().intersects(document->geometry()));
        QVERIFY(document->size() != QSize(700, 500));
    }

    void categoryListKeepsItsShareOfTheWidth()
    {
        DatabaseBuilder db;
        MyDocument *document = openAndSettle(m_fixture->write(db));
        QVERIFY(document);
        QSplitter *split = document->splitView();
        document->resize(700, 560);
        document->setSplitterPosition(200);
        auto share = [split] {
            return double(split->sizes().at(0)) / (split->sizes().at(0) + split->sizes().at(1));
        };
        const double before = share();
        // Maximised on a wide screen, and back.
        document->resize(1600, 560);
        QVERIFY2(qAbs(share() - before) < 0.01, qPrintable(QString::number(share())));
        document->resize(700, 560);
        QVERIFY(qAbs(split->sizes().at(0) - 200) <= 2);
        // The limits hold: the category list keeps 100 points, the link side 380.
        document->resize(document->minimumWidth(), 560);
        QVERIFY(split->sizes().at(0) >= MyDocument::CategoryListMinimumWidth);
        QVERIFY(split->sizes().at(1) >= MyDocument::LinkSideMinimumWidth);
        split->setSizes({10, split->width() - 10 - split->handleWidth()});
        QCOMPARE(split->sizes().first(), int(MyDocument::CategoryListMinimumWidth));
        QVERIFY(!document->isEdited());
    }

    void linkListKeepsFiveRowsAndTheDetailsPaneYields()
    {
        DatabaseBuilder db;
        for (int i = 0; i < 8; ++i)
            db.link(QStringLiteral("Link %1").arg(i));
        MyDocument *document = openAndSettle(m_fixture->write(db));
        QVERIFY(document);
        QTableView *links = document->linksTable();
        QSplitter *secondary = document->secondarySplitView();
        QCOMPARE(secondary->sizes().last(), int(DetailsView::PaneHeight));

        document->resize(800, document->minimumHeight());
        const int rows = links->viewport()->height() / links->verticalHeader()->defaultSectionSize();
        QVERIFY2(rows >= MyDocument::LinkListMinimumRows, qPrintable(QString::number(rows)));
        const int details = secondary->sizes().last();
        QVERIFY2(details < DetailsView::PaneHeight && details >= DetailsView::MinimumPaneHeight,
                 qPrintable(QString::number(details)));

        // With room again the pane takes its height back; collapsed it stays collapsed.
        document->resize(800, 900);
        QCOMPARE(secondary->sizes().last(), int(DetailsView::PaneHeight));
        document->setDetailsCollapsed(true);
        document->resize(800, 700);
        QVERIFY(document->isDetailsCollapsed());
        document->setDetailsCollapsed(false);
        QCOMPARE(secondary->sizes().last(), int(DetailsView::PaneHeight));
    }

    void detailsBackgroundIsDrawnOnce()
    {
        DetailsView pane;
        pane.resize(1500, DetailsView::PaneHeight);
        const Link link; // the fields of a link lie over the picture, which shows through them
        pane.showLink(&link, QString());
        const QImage image = pane.grab().toImage();
        const int bottom = image.height() - 6;
        // The darkest pixel around a spot of the bottom edge.
        auto darkest = [&image, bottom](int x) {
            int value = 255;
            for (int dx = -4; dx <= 4; ++dx) {
                for (int dy = -4; dy <= 4; ++dy)
                    value = qMin(value, qGray(image.pixel(x + dx, bottom + dy)));
            }
            return value;
        };
        const int plain = darkest(image.width() / 2);
        // The reeds stand in the bottom right corner, and nowhere else along the edge.
        QVERIFY(darkest(image.width() - 42) < plain - 4);
        QCOMPARE(darkest(438), plain);
        QCOMPARE(darkest(480 + 438), plain);
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestWindowState)
#include "tst_windowstate.moc"
