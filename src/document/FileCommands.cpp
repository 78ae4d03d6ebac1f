#include "FileCommands.h"

#include "DocumentController.h"
#include "DocumentFileGuard.h"
#include "DocumentMenus.h"
#include "MyDocument.h"
#include "gui/FilePanel.h"
#include "gui/MessageBox.h"
#include "model/DocumentFileNames.h"
#include "workflow/LinkImporter.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

FileCommands::FileCommands(MyDocument *document) : DocumentCommandArea(document)
{
    const DocumentMenus &m = menus();
    connect(m.action(ActionId::OpenDocument), &QAction::triggered, this, [document] {
        if (DocumentController *controller = DocumentController::instance())
            controller->openDocumentWithPanel(document);
    });
    connect(m.action(ActionId::CloseDocument), &QAction::triggered, document, &QWidget::close);
    connect(m.action(ActionId::SaveDocument), &QAction::triggered, this, &FileCommands::save);
    connect(m.action(ActionId::SaveDocumentAs), &QAction::triggered, this, &FileCommands::saveAs);
    connect(m.action(ActionId::RevertDocument), &QAction::triggered, this, &FileCommands::revertToSaved);
    connect(m.action(ActionId::ImportLinks), &QAction::triggered, this, &FileCommands::importLinks);
}

void FileCommands::validateMenuItems()
{
    menus()
        .action(ActionId::RevertDocument)
        ->setEnabled(!document()->filePath().isEmpty() && document()->isEdited());
}

void FileCommands::reportSaveFailure(const QString &path, const QString &why)
{
    MessageBox::alert(document(),
                      tr("The document \"%1\" could not be saved.").arg(QFileInfo(path).fileName()),
                      tr("%1 The previous version of the file, if any, was left as it was.\n\nFile: %2")
                          .arg(why, QDir::toNativeSeparators(path)),
                      {}, MessageBox::Critical);
}

bool FileCommands::save()
{
    if (document()->filePath().isEmpty() || document()->document()->isReadOnly())
        return saveAs();
    switch (document()->fileGuard()->confirmSave()) {
    case DocumentFileGuard::SaveDecision::Cancel:
        return false;
    case DocumentFileGuard::SaveDecision::SaveAs:
        return saveAs();
    case DocumentFileGuard::SaveDecision::Write:
        break;
    }
    return saveWithoutAsking();
}

bool FileCommands::saveWithoutAsking()
{
    const QString path = document()->filePath();
    if (path.isEmpty())
        return saveAs();
    FileError error;
    if (!document()->document()->save(path, &error)) {
        reportSaveFailure(path, error.message());
        return false;
    }
    return true;
}

bool FileCommands::saveAs()
{
    Document *file = document()->document();
    // A database never saved is proposed under its site's title.
    const QString proposed = file->filePath().isEmpty()
                                 ? QDir::home().filePath(DocumentFileNames::fileNameForTitle(
                                       collectionManager().selfInfo().title(), file->displayName()))
                                 : file->filePath();
    QString path =
        FilePanel::saveFileName(document(), tr("Save As"), proposed, tr("Links databases (*.site)"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".site");
    FileError error;
    if (!file->save(path, &error)) {
        reportSaveFailure(path, error.message());
        return false;
    }
    if (DocumentController *controller = DocumentController::instance())
        controller->noteRecentFile(path);
    return true;
}

void FileCommands::revertToSaved()
{
    if (document()->filePath().isEmpty())
        return;
    const int answer = MessageBox::alert(
        document(),
        tr("Do you want to revert to the most recently saved version of the document \"%1\"?")
            .arg(document()->document()->displayName()),
        tr("Your current changes will be lost."), {tr("Revert"), tr("Cancel")});
    if (answer == 0)
        document()->reloadFromDisk();
}

bool FileCommands::askToSaveChanges()
{
    const int answer =
        MessageBox::alert(document(),
                          tr("Do you want to save the changes you made in the document \"%1\"?")
                              .arg(document()->document()->displayName()),
                          tr("Your changes will be lost if you don't save them."),
                          {tr("Save"), tr("Do&n't Save"), tr("Cancel")});
    if (answer == 0)
        return save();
    return answer == 1;
}

void FileCommands::importLinks()
{
    const QString file = document()->filePath();
    const QString directory = file.isEmpty() ? QString() : QFileInfo(file).absolutePath();
    const QString path =
        FilePanel::openFileName(document(), tr("Import Links"), directory, tr("Links databases (*.site)"));
    if (!path.isEmpty())
        importLinksFromFile(path);
}

bool FileCommands::importLinksFromFile(const QString &path)
{
    const DuplicateQuestion question = [this] {
        const int answer = MessageBox::alert(document(), LinkImporter::duplicateQuestionTitle(),
                                             LinkImporter::duplicateQuestionMessage(),
                                             {tr("Keep"), tr("Replace"), tr("Cancel")}, MessageBox::Question);
        return answer == 0   ? DuplicateAnswer::Keep
               : answer == 1 ? DuplicateAnswer::Replace
                             : DuplicateAnswer::Cancel;
    };
    ImportSummary summary;
    bool imported = false;
    // Nothing to save when the question was cancelled or every link was already there.
    perform(tr("Import Links"), [&](DocumentChange &) {
        imported = LinkImporter::importLinksFromFileAtPath(collectionManager(), path, question, &summary);
        return imported && summary.changed();
    });
    if (!imported) {
        MessageBox::alert(document(), LinkImporter::importFailedTitle(), LinkImporter::importFailedMessage(),
                          {}, MessageBox::Critical);
        return false;
    }
    if (!summary.cancelled)
        MessageBox::alert(document(), tr("The links were imported."), LinkImporter::summaryText(summary), {},
                          MessageBox::Information);
    return true;
}
