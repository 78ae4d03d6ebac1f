#include "DocumentFixture.h"
#include "document/DocumentMenus.h"
#include "document/ReportCommands.h"
#include "publish/PageSource.h"
#include "publish/Statistics.h"
#include "publish/ui/PrintPreviewDialogController.h"
#include "publish/ui/PrintPreviewView.h"
#include "publish/ui/StatisticsDialogController.h"
#include "publish/ui/StatisticsView.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>

// The report commands of a document window reach the statistics sheet, the print dialog, PDF and
// the print preview; what the pages hold is the painters' business.
class TestReportCommands : public QObject
{
    Q_OBJECT

private:
    static ReportCommands *area(MyDocument *document) { return document->commandArea<ReportCommands>(); }

    MyDocument *openDocument(DatabaseBuilder &db)
    {
        SiteProfileTexts profile;
        profile.title = QStringLiteral("Marsh Garden");
        db.store().setSiteProfile(profile);
        MyDocument *document = m_fixture->open(db);
        area(document)->printer().setPageSize(QPageSize(QPageSize::A4));
        area(document)->printer().setPageOrientation(QPageLayout::Landscape);
        return document;
    }

    QByteArray pdf(const char *name) const
    {
        QFile file(m_fixture->path(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    int pdfPages(const char *name) const { return int(pdf(name).count("/Type /Page\n")); }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void previewStatisticsAndPrinting()
    {
        DatabaseBuilder db;
        for (int c = 0; c < 40; ++c) {
            db.category(QString("Category %1").arg(c));
            for (int i = 0; i < 250; ++i)
                db.link(QString("Partner %1-%2").arg(c).arg(i));
        }
        db.link("New", LinkStatusNew).link("Blocked", LinkStatusBlocked);
        MyDocument *document = openDocument(db);
        const int pages = area(document)->linkListPages()->pageCount();
        QVERIFY(pages > 200);

        // The preview draws only the pages in sight.
        document->menus()->action(ActionId::PrintPreview)->trigger();
        PrintPreviewDialogController *preview = area(document)->printPreviewDialog();
        QVERIFY(preview && QTest::qWaitForWindowExposed(preview));
        QCOMPARE(preview->windowTitle(), QString("Print Preview: Marsh Garden"));
        PrintPreviewView *view = preview->view();
        QCOMPARE(view->pageCount(), pages);
        QTRY_VERIFY(view->paintedPages().contains(1));
        QVERIFY(view->paintedPages().size() <= 2);
        view->lastPage();
        QCOMPARE(view->currentPage(), pages);
        QTRY_VERIFY(view->paintedPages().contains(pages));
        QVERIFY(view->paintedPages().size() <= 4);
        view->previousPage();
        QCOMPARE(view->currentPage(), pages - 1);

        // A page number typed and confirmed with Return goes to that page; nothing is printed.
        auto *pageField = preview->findChild<QSpinBox *>("pageField");
        QCOMPARE(pageField->value(), pages - 1);
        pageField->setFocus();
        pageField->selectAll();
        QTest::keyClicks(pageField, "120");
        QTest::keyClick(pageField, Qt::Key_Return);
        QCOMPARE(view->currentPage(), 120);
        QVERIFY(PrintPanel::shownPanels().isEmpty() && preview->isVisible());

        PrintPanel::setNextAnswer(true, m_fixture->path("from-preview.pdf"), 5, 5);
        preview->findChild<QPushButton *>("printButton")->click();
        QCOMPARE(pdfPages("from-preview.pdf"), 1);
        QTest::keyClick(preview, Qt::Key_Escape);
        QTRY_VERIFY(!area(document)->printPreviewDialog());

        // The statistics sheet shows, copies and prints the chart and changes nothing.
        document->menus()->action(ActionId::ShowStatistics)->trigger();
        StatisticsDialogController *sheet = area(document)->statisticsDialog();
        QVERIFY(sheet && sheet->isVisible());
        const CollectionManager &store = document->collectionManager();
        QCOMPARE(sheet->statisticsView()->numbers(), Statistics::latestVerificationResults(store));
        auto *popup = sheet->findChild<QComboBox *>("viewPopup");
        popup->setCurrentIndex(1);
        QCOMPARE(sheet->statisticsView()->numbers(), Statistics::linkStatusDistribution(store));
        QVERIFY(sheet->statisticsView()->accessibleDescription().contains("Approved (10000"));

        sheet->findChild<QPushButton *>("copyButton")->click();
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied->data("application/pdf").startsWith("%PDF"));
        QVERIFY(copied->hasFormat("image/png"));

        // The chart prints on one portrait page; the window keeps the orientation the user chose.
        PrintPanel::setNextAnswer(true, m_fixture->path("chart.pdf"));
        sheet->findChild<QPushButton *>("printButton")->click();
        QCOMPARE(PrintPanel::shownPanels().constLast().jobTitle, QString("Marsh Garden Statistics"));
        QCOMPARE(pdfPages("chart.pdf"), 1);
        QVERIFY(pdf("chart.pdf").contains("/MediaBox [0 0 595.000000 842.000000]"));
        QCOMPARE(area(document)->printer().pageLayout().orientation(), QPageLayout::Landscape);
        FilePanel::setNextAnswer(m_fixture->path("chart-copy"));
        sheet->findChild<QPushButton *>("exportPDFButton")->click();
        QCOMPARE(QFileInfo(FilePanel::shownPanels().constLast().proposedPath).fileName(),
                 QString("Marsh Garden Statistics.pdf"));
        QCOMPARE(pdfPages("chart-copy.pdf"), 1);

        QTest::keyClick(sheet, Qt::Key_Escape);
        QVERIFY(!sheet->isVisible());
        QVERIFY(!document->isEdited());
        // Every opening starts on the first view.
        document->menus()->action(ActionId::ShowStatistics)->trigger();
        QCOMPARE(popup->currentIndex(), 0);
        QCOMPARE(sheet->selectedView(), 0);
        sheet->findChild<QPushButton *>("doneButton")->click();

        // The link list through the print dialog and into PDF.
        document->menus()->action(ActionId::Print)->trigger(); // cancelled
        QCOMPARE(PrintPanel::shownPanels().constLast().pageCount, pages);
        PrintPanel::setNextAnswer(true, m_fixture->path("range.pdf"), 2, 3);
        document->menus()->action(ActionId::Print)->trigger();
        QCOMPARE(pdfPages("range.pdf"), 2);
        QCOMPARE(PrintPanel::shownPanels().constLast().jobTitle, QString("Marsh Garden"));

        FilePanel::setNextAnswer(m_fixture->path("list"));
        document->menus()->action(ActionId::ExportAsPDF)->trigger();
        QCOMPARE(pdfPages("list.pdf"), pages);
        QVERIFY(MessageBox::shownAlerts().isEmpty());
        FilePanel::setNextAnswer(m_fixture->path("missing/list.pdf"));
        document->menus()->action(ActionId::ExportAsPDF)->trigger();
        QCOMPARE(MessageBox::shownAlerts().constLast().title,
                 QString("The PDF document could not be saved."));
        QVERIFY(MessageBox::shownAlerts().constLast().message.contains("list.pdf"));
        QVERIFY(!document->isEdited());
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestReportCommands)
#include "tst_reportcommands.moc"
