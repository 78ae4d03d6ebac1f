#include "PublishCommands.h"

#include "DocumentMenus.h"
#include "ExportPanel.h"
#include "MyDocument.h"
#include "gui/MessageBox.h"
#include "model/Clock.h"
#include "model/PublishingRules.h"
#include "model/UrlOpener.h"
#include "publish/ClipboardWriter.h"
#include "publish/CsvSpreadsheetBuilder.h"
#include "publish/ExportTexts.h"
#include "publish/LinksPageExporter.h"
#include "publish/SpreadsheetBuilder.h"
#include "publish/ui/HTMLSetupDialogController.h"

#include <QAction>
#include <QDir>
#include <QUrl>

PublishCommands::PublishCommands(MyDocument *document) : DocumentCommandArea(document)
{
    const DocumentMenus &m = menus();
    connect(m.action(ActionId::HTMLSetup), &QAction::triggered, this, &PublishCommands::HTMLSetup);
    connect(m.action(ActionId::CopyHTML), &QAction::triggered, this, &PublishCommands::copyHTML);
    connect(m.action(ActionId::CopyCategoryHTML), &QAction::triggered, this,
            &PublishCommands::copyCategoryHTML);
    connect(m.action(ActionId::CopyHTMLStyles), &QAction::triggered, this, &PublishCommands::copyHTMLStyles);
    connect(m.action(ActionId::ExportLinksToHTML), &QAction::triggered, this,
            &PublishCommands::exportLinksToHTML);
    connect(m.action(ActionId::CopySpreadsheet), &QAction::triggered, this,
            &PublishCommands::copySpreadsheet);
    connect(m.action(ActionId::ExportLinksToSpreadsheet), &QAction::triggered, this,
            &PublishCommands::exportLinksToSpreadsheet);
    connect(m.action(ActionId::ExportLinksToCSV), &QAction::triggered, this,
            &PublishCommands::exportLinksToCSV);
}

void PublishCommands::validateMenuItems()
{
    const DocumentMenus &m = menus();
    for (QAction *action :
         {m.action(ActionId::HTMLSetup), m.action(ActionId::CopyHTML), m.action(ActionId::CopyHTMLStyles),
          m.action(ActionId::ExportLinksToHTML), m.action(ActionId::CopySpreadsheet),
          m.action(ActionId::ExportLinksToSpreadsheet), m.action(ActionId::ExportLinksToCSV)})
        action->setEnabled(true);
    // The category page needs a category to copy.
    m.action(ActionId::CopyCategoryHTML)->setEnabled(document()->isCategorySelected());
}

QString PublishCommands::proposedSpreadsheetName(const QDate &date)
{
    return ExportTexts::proposedSpreadsheetName(date);
}

// ---------------------------------------------------------------- links page setup

void PublishCommands::HTMLSetup()
{
    if (!m_HTMLSetupDialog) {
        m_HTMLSetupDialog = new HTMLSetupDialogController(document());
        connect(m_HTMLSetupDialog, &QDialog::finished, this, &PublishCommands::HTMLSetupSheetDidEnd);
    }
    const CollectionManager &store = collectionManager();
    const SelfInfo &profile = store.selfInfo();
    m_HTMLSetupDialog->initializeFields(profile.renderMode(), store.targetNew(), store.namedStrings(),
                                        profile.exportNewLinks(), profile.exportNegotiatingLinks());
    m_HTMLSetupDialog->open();
}

void PublishCommands::HTMLSetupSheetDidEnd(int returnCode)
{
    const LinksPageSetup setup = m_HTMLSetupDialog->setup();
    if (returnCode != 1 || !setup.changes(collectionManager()))
        return;
    perform(tr("Links Page Setup"), [&](DocumentChange &) {
        setup.applyTo(collectionManager());
        return true;
    });
}

// ---------------------------------------------------------------- copies

bool PublishCommands::refuseWithoutPublishableLinks(const QString &title)
{
    if (PublishingRules::numberOfPublishableLinks(collectionManager()) > 0)
        return false;
    MessageBox::alert(
        document(), title,
        tr("There are no exportable links in this database. Export options can be set by choosing "
           "the Links Page Setup command under the Tools menu."));
    return true;
}

bool PublishCommands::refuseWithoutLinks(const QString &title)
{
    if (collectionManager().numberOfLinks() > 0)
        return false;
    MessageBox::alert(document(), title, tr("There are no links in this database."));
    return true;
}

void PublishCommands::copyHTML()
{
    if (!refuseWithoutPublishableLinks(tr("The links page cannot be copied to the clipboard.")))
        ClipboardWriter::copyPage(LinksPageExporter::clipboardPage(collectionManager()));
}

void PublishCommands::copyCategoryHTML()
{
    const TreeNode *category = document()->selectedCategoryNode();
    if (!category)
        return;
    if (PublishingRules::numberOfPublishableLinksInCategory(collectionManager().selfInfo(), category) == 0) {
        MessageBox::alert(
            document(), tr("This category cannot be copied to the clipboard."),
            tr("There are no exportable links in the selected category. Export options can be set "
               "by choosing the Links Page Setup command under the Tools menu."));
        return;
    }
    ClipboardWriter::copyPage(LinksPageExporter::clipboardCategory(collectionManager(), category));
}

void PublishCommands::copyHTMLStyles()
{
    ClipboardWriter::copyText(LinksPageExporter::clipboardStyles(collectionManager()));
}

void PublishCommands::copySpreadsheet()
{
    if (!refuseWithoutLinks(tr("This database cannot be copied to the clipboard.")))
        SpreadsheetBuilder::copySpreadsheetToClipboardWithCollectionManager(collectionManager());
}

// ---------------------------------------------------------------- exports

void PublishCommands::exportLinksToHTML()
{
    if (refuseWithoutPublishableLinks(tr("The links page cannot be exported.")))
        return;
    const QString path = ExportPanel::chooseExportPath(
        document(), document()->filePath(), tr("Export"), ExportTexts::proposedPageName(),
        tr("Web pages (*.html *.htm)"), QStringLiteral("html"), {QStringLiteral("htm")});
    savePanelDidEnd(HTMLExport, path);
}

void PublishCommands::exportLinksToSpreadsheet()
{
    if (refuseWithoutLinks(tr("This database cannot be exported.")))
        return;
    const QString path =
        ExportPanel::chooseExportPath(document(), document()->filePath(), tr("Export"),
                                      proposedSpreadsheetName(Clock::today()) + QStringLiteral(".txt"),
                                      tr("Text files (*.txt)"), QStringLiteral("txt"));
    savePanelDidEnd(SpreadsheetExport, path);
}

void PublishCommands::exportLinksToCSV()
{
    if (refuseWithoutLinks(tr("This database cannot be exported.")))
        return;
    const QString path =
        ExportPanel::chooseExportPath(document(), document()->filePath(), tr("Export"),
                                      proposedSpreadsheetName(Clock::today()) + QStringLiteral(".csv"),
                                      tr("Comma-separated values (*.csv)"), QStringLiteral("csv"));
    if (!path.isEmpty())
        writeCSV(path);
}

void PublishCommands::writeCSV(const QString &path)
{
    FileError error;
    if (!CsvSpreadsheetBuilder(collectionManager()).exportSiteAtPath(path, &error)) {
        MessageBox::alert(document(), tr("The links could not be exported."),
                          tr("An error occured while saving the file.") + QStringLiteral("\n\n") +
                              ExportTexts::failureMessage(path, error),
                          {}, MessageBox::Critical);
        return;
    }
    MessageBox::alert(document(), tr("The links were exported successfully."),
                      ExportTexts::linksExportedMessage(collectionManager().numberOfLinks()), {},
                      MessageBox::Information);
}

void PublishCommands::savePanelDidEnd(ExportContext context, const QString &path)
{
    if (path.isEmpty())
        return;
    const CollectionManager &store = collectionManager();
    FileError error;
    if (context == HTMLExport) {
        QString failedPath;
        if (!LinksPageExporter::exportHTMLWithCollectionManager(store, path, &error, &failedPath)) {
            MessageBox::alert(document(), tr("The links could not be exported."),
                              tr("An error occured while saving the files.") + QStringLiteral("\n\n") +
                                  ExportTexts::failureMessage(failedPath, error),
                              {}, MessageBox::Critical);
            return;
        }
        // Links whose address is no web address are not on the page: the user is told which.
        QStringList message{ExportTexts::filesCreatedMessage(
            LinksPageExporter::numberOfHTMLFilesForCollectionManager(store))};
        message += LinksPageExporter::leftOutLinkSentences(store, 5);
        const int answer = MessageBox::alert(document(), tr("The links were exported successfully."),
                                             message.join(QLatin1Char(' ')), {tr("OK"), tr("Open Page")},
                                             MessageBox::Information, 0);
        if (answer == 1 && !UrlOpener::instance().openUrl(QUrl::fromLocalFile(path))) {
            MessageBox::alert(
                document(), tr("The page could not be opened."),
                tr("No application could open the file \"%1\".").arg(QDir::toNativeSeparators(path)));
        }
        return;
    }
    const SpreadsheetBuilder builder(store);
    TextEncoding encoding = SpreadsheetBuilder::preferredEncoding();
    // Characters the chosen encoding cannot hold are said before anything is written.
    if (const int lost = builder.unwritableCharacterCount(encoding); lost > 0) {
        const int answer = MessageBox::alert(
            document(), tr("Some characters cannot be exported."),
            ExportTexts::unwritableCharactersMessage(lost, TextCodec::encodingName(encoding)),
            {tr("Export in UTF-8"), tr("Export Anyway"), tr("Cancel")}, MessageBox::Warning);
        if (answer == 2)
            return;
        if (answer == 0)
            encoding = TextEncoding::UTF8;
    }
    if (!builder.exportSiteAtPath(path, encoding, &error)) {
        MessageBox::alert(document(), tr("The links could not be exported."),
                          tr("An error occured while saving the file.") + QStringLiteral("\n\n") +
                              ExportTexts::failureMessage(path, error),
                          {}, MessageBox::Critical);
        return;
    }
    MessageBox::alert(document(), tr("The links were exported successfully."),
                      ExportTexts::linksExportedMessage(store.numberOfLinks()), {}, MessageBox::Information);
}
