#include "document/AccessibilityCheck.h"
#include "document/DocumentFixture.h"
#include "document/DocumentMenus.h"
#include "document/DocumentUndo.h"
#include "document/TableImportCommands.h"
#include "workflow/ui/TableImportDialogController.h"

#include <QAction>
#include <QComboBox>
#include <QUndoStack>

// The partners import of a document window: the panel, the sheet's pop-ups and counts, and the one
// undo step a confirmed sheet makes.
class TestTableImportSheet : public QObject
{
    Q_OBJECT

private slots:
    void importIsOneUndoStep()
    {
        DocumentFixture fixture;
        DatabaseBuilder db;
        db.link(QStringLiteral("Known"), LinkStatusApproved, QStringLiteral("http://known.example"));
        MyDocument *document = fixture.open(db);
        QVERIFY(document);
        const QString table = fixture.path(QStringLiteral("partners.csv"));
        QFile file(table);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Site,Web Address,Colour\n"
                   "Alpha,http://alpha.example,red\n"
                   "Known,http://known.example/,blue\n"
                   "Bravo,http://bravo.example,green\n");
        file.close();

        FilePanel::setNextAnswer(table);
        document->menus()->importPartners->trigger();
        auto *sheet = document->commandArea<TableImportCommands>()->tableImportDialog();
        QVERIFY(sheet && sheet->isVisible());
        QCOMPARE(AccessibilityCheck::unnamedInputs(sheet).join(QLatin1Char(',')), QString());
        QCOMPARE(sheet->focusWidget(), sheet->columnPopup(0));

        // "Web Address" is no name the import knows: nothing can be imported until a column is the URL.
        QVERIFY(!sheet->importEnabled());
        QVERIFY(sheet->countsText().contains(QLatin1String("URL")));
        QComboBox *second = sheet->columnPopup(1);
        second->setCurrentIndex(second->findText(QStringLiteral("URL")));
        QVERIFY(sheet->importEnabled());
        QCOMPARE(sheet->countsText(),
                 QStringLiteral("The import adds 2 links, updates 0 links and skips 1 row. "
                                "Not imported: Colour."));
        sheet->setUpdate(true);
        QVERIFY(sheet->countsText().startsWith(
            QLatin1String("The import adds 2 links, updates 1 link and skips 0 rows.")));
        sheet->setUpdate(false);
        // Choosing a field that another column fills takes it from that column.
        QComboBox *third = sheet->columnPopup(2);
        third->setCurrentIndex(third->findText(QStringLiteral("Title")));
        QCOMPARE(sheet->columnPopup(0)->currentText(), QStringLiteral("Ignore"));
        third->setCurrentIndex(0);
        sheet->columnPopup(0)->setCurrentIndex(sheet->columnPopup(0)->findText(QStringLiteral("Title")));

        QTest::keyClick(sheet, Qt::Key_Return);
        QVERIFY(!sheet->isVisible());
        CollectionManager &store = document->collectionManager();
        QCOMPARE(store.numberOfLinks(), 3);
        QUndoStack *stack = document->undo()->stack();
        QCOMPARE(stack->count(), 1);
        QCOMPARE(stack->undoText(), QStringLiteral("Import Partners"));
        QVERIFY(document->isWindowModified());
        const MessageBox::Shown summary = MessageBox::shownAlerts().last();
        QCOMPARE(summary.title, QStringLiteral("The partners were imported."));
        QCOMPARE(summary.message,
                 QStringLiteral("2 links were added. 1 row was skipped.\n\n"
                                "row 3: \"http://known.example/\" is already in the database"));

        stack->undo();
        QCOMPARE(store.numberOfLinks(), 1);
        stack->redo();
        QCOMPARE(store.numberOfLinks(), 3);

        // Escape cancels and changes nothing.
        FilePanel::setNextAnswer(table);
        document->menus()->importPartners->trigger();
        QVERIFY(sheet->isVisible());
        QTest::keyClick(sheet, Qt::Key_Escape);
        QVERIFY(!sheet->isVisible());
        QCOMPARE(stack->count(), 1);
    }

    void csvExportFromTheWindow()
    {
        DocumentFixture fixture;
        DatabaseBuilder db;
        LinkFields partner;
        partner.title = QStringLiteral("Alpha, Inc.");
        partner.URL = QStringLiteral("http://alpha.example/");
        partner.notes = QStringLiteral("two\nlines");
        db.link(partner);
        MyDocument *document = fixture.open(db);
        // The panel proposes a .csv name; the extension is added when left out. The rows' format is
        // the table writer's.
        FilePanel::setNextAnswer(fixture.path(QStringLiteral("links")));
        document->menus()->exportLinksToCSV->trigger();
        QVERIFY(FilePanel::shownPanels().last().proposedPath.endsWith(QLatin1String(".csv")));
        QFile file(fixture.path(QStringLiteral("links.csv")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        QVERIFY(data.startsWith("\xEF\xBB\xBFLink,Category,"));
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("The links were exported successfully."));
        QVERIFY(!document->isWindowModified());
    }

    void notATableIsRefused()
    {
        DocumentFixture fixture;
        DatabaseBuilder db;
        MyDocument *document = fixture.open(db);
        const QString site = fixture.path(QStringLiteral("test.site"));
        FilePanel::setNextAnswer(site);
        MessageBox::clearShownAlerts();
        document->menus()->importPartners->trigger();
        QCOMPARE(MessageBox::shownAlerts().size(), 1);
        QCOMPARE(MessageBox::shownAlerts().first().title,
                 QStringLiteral("The partners could not be imported."));
        QCOMPARE(document->collectionManager().numberOfLinks(), 0);
    }
};

QTEST_MAIN(TestTableImportSheet)
#include "tst_tableimportsheet.moc"
