#include "OwnPageCommands.h"

#include "DocumentMenus.h"
#include "MyDocument.h"
#include "history/HistoryStore.h"
#include "history/OwnPageChecker.h"
#include "history/ui/OwnPageCheckDialogController.h"

#include <QAction>
#include <QFileInfo>

OwnPageCommands::OwnPageCommands(MyDocument *document)
    : DocumentCommandArea(document), m_checker(new OwnPageChecker(this))
{
    connect(menus().action(ActionId::CheckOwnPage), &QAction::triggered, this,
            &OwnPageCommands::checkOwnPage);
    connect(m_checker, &OwnPageChecker::progress, this, [this](int read, int pages) {
        if (m_window)
            m_window->showRunning(read, pages);
    });
    connect(m_checker, &OwnPageChecker::finished, this,
            [this](const OwnPageCheck::Result &result, const FileError &historyError) {
                if (m_window)
                    m_window->showResult(
                        result, HistoryStore::errorMessage(this->document()->filePath(), historyError));
            });
}

void OwnPageCommands::validateMenuItems()
{
    menus().action(ActionId::CheckOwnPage)->setEnabled(true);
}

void OwnPageCommands::checkOwnPage()
{
    if (!m_window) {
        m_window = new OwnPageCheckDialogController(document());
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_window, &OwnPageCheckDialogController::checkAgainRequested, this,
                &OwnPageCommands::checkOwnPage);
        connect(m_window, &QObject::destroyed, m_checker, &OwnPageChecker::cancel);
    }
    const QString path = document()->filePath();
    m_window->setDocumentName(path.isEmpty() ? document()->windowTitle() : QFileInfo(path).fileName());
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    QString error;
    // A database never saved has no history beside it: the check runs, nothing is recorded.
    if (!m_checker->start(collectionManager(), path, &error))
        m_window->showError(error);
}
