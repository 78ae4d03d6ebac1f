#include "VerificationCommands.h"

#include "DocumentMenus.h"
#include "MyDocument.h"
#include "RecordedChecksCache.h"
#include "gui/MessageBox.h"
#include "history/HistoryRecorder.h"
#include "history/VerificationRun.h"
#include "history/ui/ChangeMarkDelegate.h"
#include "model/Clock.h"
#include "verify/VerificationRowModel.h"
#include "verify/ui/VerificationDialogController.h"

#include <QAction>
#include <QTableView>

VerificationCommands::VerificationCommands(MyDocument *document) : DocumentCommandArea(document)
{
    connect(menus().action(ActionId::VerifyLink), &QAction::triggered, this,
            &VerificationCommands::verifyLink);
    connect(menus().action(ActionId::VerifyAllLinks), &QAction::triggered, this,
            &VerificationCommands::verifyAllLinks);
}

void VerificationCommands::validateMenuItems()
{
    menus().action(ActionId::VerifyLink)->setEnabled(document()->numberOfSelectedLinks() > 0);
    menus().action(ActionId::VerifyAllLinks)->setEnabled(true);
}

void VerificationCommands::verifyLink()
{
    verifyLinkWithIDs(document()->selectedLinkIDs());
}

void VerificationCommands::verifyAllLinks()
{
    verifyLinkWithIDs(std::nullopt);
}

bool VerificationCommands::verifyLinkWithIDs(const std::optional<QStringList> &ids)
{
    if (!m_verificationDialog) {
        m_verificationDialog = new VerificationDialogController(&collectionManager(), document());
        connect(m_verificationDialog, &QDialog::finished, this, &VerificationCommands::verifyLinkSheetDidEnd);
        emit recorderMade(m_verificationDialog->historyRecorder());
        // The link list's views read the checks the run recorded.
        connect(m_verificationDialog->historyRecorder(), &HistoryRecorder::recordingFinished, this,
                [this] { document()->recordedChecks()->reload(document()->filePath()); });
        QTableView *table = m_verificationDialog->tableView();
        table->setItemDelegateForColumn(
            VerificationRowModel::WarningColumn,
            new ChangeMarkDelegate(m_verificationDialog->historyRecorder(), table));
    }
    if (m_verificationDialog->isVisible())
        return true;
    if (!m_verificationDialog->initializeFieldsWithSelectedLinkIDs(ids)) {
        MessageBox::alert(document(), tr("There are no links in this database."),
                          tr("This feature requires at least one link in the database."));
        // A check asked for from the link editor returns to it all the same.
        emit document()->verificationSheetEnded();
        return false;
    }
    m_verificationDialog->run()->startRecording(document()->filePath());
    m_verificationDialog->open();
    return true;
}

void VerificationCommands::verifyLinkSheetDidEnd(int returnCode)
{
    if (returnCode == QDialog::Accepted) {
        // The lists update the rows of the links checked; the selection stays as it is.
        perform(tr("Save Verification Results"), [this](DocumentChange &) {
            return collectionManager().recordVerificationResults(
                m_verificationDialog->rows()->resultsToSave(), Clock::today());
        });
    }
    emit document()->verificationSheetEnded();
}
