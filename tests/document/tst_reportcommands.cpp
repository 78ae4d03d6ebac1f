#include "AccessibilityCheck.h"
#include "DocumentFixture.h"
#include "document/DocumentMenus.h"
#include "document/ReportCommands.h"
#include "publish/LinkListPages.h"
#include "publish/Statistics.h"
#include "publish/ui/PrintPanel.h"
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

// The report commands of a document window: the statistics sheet, and printing the link list and
// the chart through the print dialog, the print preview and PDF.
class TestReportCommands : public QObject
{
    Q_OBJECT

private:
    static ReportCommands *area(MyDocument *document) { return document->commandArea<ReportCommands>(); }

    MyDocument *openDocument(DatabaseBuilder &db, const QString &name = QStringLiteral("test.site"))
    {
        MyDocument *document = m_fixture->open(db, name);
        area(document)->printer().setPageSize(QPageSize(QPageSize::A4));
        area(document)->printer().setPageOrientation(QPageLayout::Portrait);
        return document;
    }

    // Two categories with 3 and 2 links and an empty one: 8 lines, one page.
    MyDocument *openSmall()
    {
        DatabaseBuilder db;
        SiteProfileTexts profile;
        profile.title = QStringLiteral("Marsh Garden");
        db.store().setSiteProfile(profile);
        db.category("Alpha").link("A1").link("A2", LinkStatusNew).link("A3", LinkStatusBlocked);
        db.category("Beta").link("B1", LinkStatusNegotiating).link("B2");
        db.category("Empty");
        return openDocument(db);
    }

    static int pdfPages(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? int(file.readAll().count("/Type /Page\n")) : -1;
    }

    static PrintPreviewDialogController *shownPreview(MyDocument *document)
    {
        PrintPreviewDialogController *preview = area(document)->printPreviewDialog();
        if (!preview || !QTest::qWaitForWindowExposed(preview))
            return nullptr;
        return preview;
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void statisticsSheetShowsCopiesAndChangesNothing()
    {
        MyDocument *document = openSmall();
        document->menus()->showStatistics->trigger();
        StatisticsDialogController *sheet = area(document)->statisticsDialog();
        QVERIFY(sheet && sheet->isVisible());
        QCOMPARE(AccessibilityCheck::unnamedInputs(sheet).join(','), QString());
        const CollectionManager &store = document->collectionManager();
        QCOMPARE(sheet->selectedView(), 0);
        QCOMPARE(sheet->statisticsView()->numbers(), Statistics::latestVerificationResults(store));

        auto *popup = sheet->findChild<QComboBox *>("viewPopup");
        popup->setCurrentIndex(1);
        QCOMPARE(sheet->selectedView(), 1);
        QCOMPARE(sheet->statisticsView()->numbers(), Statistics::linkStatusDistribution(store));
        QVERIFY(sheet->statisticsView()->accessibleDescription().contains("Approved (2"));

        sheet->findChild<QPushButton *>("copyButton")->click();
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied->data("application/pdf").startsWith("%PDF"));
        QVERIFY(copied->hasFormat("image/png"));

        QTest::keyClick(sheet, Qt::Key_Escape);
        QVERIFY(!sheet->isVisible());
        QVERIFY(!document->isEdited());
        // Every opening starts on the first view.
        document->menus()->showStatistics->trigger();
        QCOMPARE(sheet->selectedView(), 0);
        QCOMPARE(popup->currentIndex(), 0);
        sheet->findChild<QPushButton *>("doneButton")->click();
        QCOMPARE(sheet->result(), int(QDialog::Accepted));
    }

    void statisticsPrintOnePortraitPage()
    {
        MyDocument *document = openSmall();
        area(document)->printer().setPageOrientation(QPageLayout::Landscape);
        document->menus()->showStatistics->trigger();
        StatisticsDialogController *sheet = area(document)->statisticsDialog();
        const QString pdf = m_fixture->path("chart.pdf");
        PrintPanel::setNextAnswer(true, pdf);
        sheet->findChild<QPushButton *>("printButton")->click();
        QCOMPARE(PrintPanel::shownPanels().constLast().jobTitle, QString("Marsh Garden Statistics"));
        QCOMPARE(pdfPages(pdf), 1);
        QFile printed(pdf);
        QVERIFY(printed.open(QIODevice::ReadOnly));
        QVERIFY(printed.readAll().contains("/MediaBox [0 0 595.000000 842.000000]"));
        // The window's settings keep the orientation the user chose.
        QCOMPARE(area(document)->printer().pageLayout().orientation(), QPageLayout::Landscape);

        FilePanel::setNextAnswer(m_fixture->path("chart-copy"));
        sheet->findChild<QPushButton *>("exportPDFButton")->click();
        QCOMPARE(QFileInfo(FilePanel::shownPanels().constLast().proposedPath).fileName(),
                 QString("Marsh Garden Statistics.pdf"));
        QCOMPARE(pdfPages(m_fixture->path("chart-copy.pdf")), 1);
        sheet->reject();
    }

    void printingRunsThroughThePrintDialog()
    {
        DatabaseBuilder db;
        for (int i = 0; i < 150; ++i)
            db.link(QString("Partner %1").arg(i));
        MyDocument *document = openDocument(db);
        const int pages = area(document)->linkListPages()->pageCount();
        QVERIFY(pages >= 3);

        // Cancelled: nothing printed.
        document->menus()->print->trigger();
        QCOMPARE(PrintPanel::shownPanels().size(), 1);
        QCOMPARE(PrintPanel::shownPanels().constLast().pageCount, pages);

        PrintPanel::setNextAnswer(true, m_fixture->path("all.pdf"));
        document->menus()->print->trigger();
        QCOMPARE(pdfPages(m_fixture->path("all.pdf")), pages);
        QCOMPARE(PrintPanel::shownPanels().constLast().jobTitle,
                 document->collectionManager().selfInfo().title());
        QCOMPARE(area(document)->printer().docName(), document->collectionManager().selfInfo().title());

        PrintPanel::setNextAnswer(true, m_fixture->path("range.pdf"), 2, 3);
        document->menus()->print->trigger();
        QCOMPARE(pdfPages(m_fixture->path("range.pdf")), 2);

        FilePanel::setNextAnswer(m_fixture->path("list"));
        document->menus()->exportAsPDF->trigger();
        QCOMPARE(pdfPages(m_fixture->path("list.pdf")), pages);
        QVERIFY(MessageBox::shownAlerts().isEmpty());
        QVERIFY(!document->isEdited());

        FilePanel::setNextAnswer(m_fixture->path("missing/list.pdf"));
        document->menus()->exportAsPDF->trigger();
        QCOMPARE(MessageBox::shownAlerts().constLast().title,
                 QString("The PDF document could not be saved."));
        QVERIFY(MessageBox::shownAlerts().constLast().message.contains("list.pdf"));
    }

    void previewOfASmallList()
    {
        MyDocument *document = openSmall();
        document->menus()->printPreview->trigger();
        PrintPreviewDialogController *preview = shownPreview(document);
        QVERIFY(preview);
        QCOMPARE(AccessibilityCheck::unnamedInputs(preview).join(','), QString());
        QCOMPARE(preview->view()->pageCount(), 1);
        QTRY_COMPARE(preview->view()->paintedPages(), QSet<int>{1});
        QCOMPARE(preview->windowTitle(), QString("Print Preview: Marsh Garden"));

        PrintPanel::setNextAnswer(true, m_fixture->path("from-preview.pdf"));
        preview->findChild<QPushButton *>("printButton")->click();
        QCOMPARE(pdfPages(m_fixture->path("from-preview.pdf")), 1);
        QTest::keyClick(preview, Qt::Key_Escape);
        QTRY_VERIFY(!area(document)->printPreviewDialog());
    }

    void previewDrawsOnlyThePagesInSight()
    {
        DatabaseBuilder db;
        for (int c = 0; c < 40; ++c) {
            db.category(QString("Category %1").arg(c));
            for (int i = 0; i < 250; ++i)
                db.link(QString("Partner %1-%2").arg(c).arg(i));
        }
        MyDocument *document = openDocument(db);
        const std::unique_ptr<PageSource> expected = area(document)->linkListPages();
        const auto *list = static_cast<const LinkListPages *>(expected.get());
        QCOMPARE(list->view().numberOfLines(), 10000 + 2 * 40 - 1);
        const int pages = expected->pageCount();
        QVERIFY(pages > 200);

        document->menus()->printPreview->trigger();
        PrintPreviewDialogController *preview = shownPreview(document);
        QVERIFY(preview);
        PrintPreviewView *view = preview->view();
        QCOMPARE(view->pageCount(), pages);
        QTRY_VERIFY(view->paintedPages().contains(1));
        QVERIFY(view->paintedPages().size() <= 2);

        view->lastPage();
        QCOMPARE(view->currentPage(), pages);
        QTRY_VERIFY(view->paintedPages().contains(pages));
        QVERIFY(view->paintedPages().size() <= 4);
        view->setZoomMode(PrintPreviewView::FitPage);
        QCOMPARE(view->currentPage(), pages);
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
        QVERIFY(PrintPanel::shownPanels().isEmpty());
        QVERIFY(preview->isVisible());
        preview->reject();
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestReportCommands)
#include "tst_reportcommands.moc"
