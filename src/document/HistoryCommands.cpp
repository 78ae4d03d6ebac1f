#include "HistoryCommands.h"

#include "DocumentMenus.h"
#include "LinkListController.h"
#include "MyDocument.h"
#include "gui/SendMessageMenu.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryService.h"
#include "history/HistoryStore.h"
#include "history/ui/LostLinksDialogController.h"
#include "verify/MovedLinkSearch.h"
#include "workflow/EmailTemplateListModel.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>

namespace {
constexpr int StatusMessageMs = 30000;
}

HistoryCommands::HistoryCommands(MyDocument *document) : DocumentCommandArea(document)
{
    connect(menus().action(ActionId::ShowLostLinks), &QAction::triggered, this,
            &HistoryCommands::showLostLinks);
    // Shown in the status line after a run that lost links, until the window is opened.
    m_lostLinksNotice = new QPushButton(document->statusBar());
    m_lostLinksNotice->setObjectName(QStringLiteral("lostLinksNotice"));
    m_lostLinksNotice->setFlat(true);
    m_lostLinksNotice->setText(tr("Show Lost Links"));
    m_lostLinksNotice->hide();
    document->statusBar()->addPermanentWidget(m_lostLinksNotice);
    connect(m_lostLinksNotice, &QPushButton::clicked, this, &HistoryCommands::showLostLinks);
    // While another program holds the history, the checks of the runs wait to be written.
    m_historyBusyLabel = new QLabel(document->statusBar());
    m_historyBusyLabel->setObjectName(QStringLiteral("historyBusyLabel"));
    m_historyBusyLabel->hide();
    document->statusBar()->addPermanentWidget(m_historyBusyLabel);
    HistoryService *service = HistoryService::instance();
    connect(service, &HistoryService::waitingChanged, this, &HistoryCommands::historyWaitingChanged);
    historyWaitingChanged(document->filePath(), service->waitingChecks(document->filePath()));
}

void HistoryCommands::validateMenuItems()
{
    // A database never saved has no history yet.
    menus().action(ActionId::ShowLostLinks)->setEnabled(!document()->filePath().isEmpty());
}

void HistoryCommands::watchRecorder(HistoryRecorder *recorder)
{
    connect(recorder, &HistoryRecorder::historyUnavailable, this,
            [this](const QString &databasePath, const FileError &error) {
                reportHistoryProblem(HistoryStore::errorMessage(databasePath, error));
            });
    connect(recorder, &HistoryRecorder::recordingFinished, this, &HistoryCommands::recordingFinished);
}

void HistoryCommands::reportHistoryProblem(const QString &message)
{
    if (m_reportedProblems.contains(message))
        return;
    m_reportedProblems.insert(message);
    document()->statusBar()->showMessage(message, StatusMessageMs);
}

void HistoryCommands::recordingFinished(const QList<LinkChange> &changes)
{
    int lost = 0, unreachable = 0, moved = 0;
    for (const LinkChange &change : changes) {
        lost += change.kind == LinkChange::Lost ? 1 : 0;
        unreachable += change.kind == LinkChange::Unreachable ? 1 : 0;
        moved += change.kind == LinkChange::Moved ? 1 : 0;
    }
    if (lost + unreachable + moved > 0) {
        // Kept apart: a site that is down is no lost link.
        QStringList counts;
        if (lost > 0)
            counts << tr("%n link(s) lost", nullptr, lost);
        if (moved > 0)
            counts << tr("%n link(s) moved", nullptr, moved);
        if (unreachable > 0)
            counts << tr("%n site(s) unreachable", nullptr, unreachable);
        m_lostLinksNotice->setText(tr("%1: Show Lost Links").arg(counts.join(QStringLiteral(", "))));
        m_lostLinksNotice->setAccessibleName(m_lostLinksNotice->text());
        m_lostLinksNotice->show();
    }
    refreshLostLinks();
    // The list's history columns show the new checks.
    document()->linkListController()->model()->loadHistory(document()->filePath());
    // Each new loss queues its message in the Outbox, for review.
    if (lost > 0)
        emit lossesRecorded(changes);
}

QList<LinkChange> HistoryCommands::presentChanges(const QList<LinkChange> &changes)
{
    // Links deleted since their last check are no longer the user's concern.
    QStringList ids;
    for (const LinkChange &change : changes)
        ids.append(change.linkID);
    const QHash<QString, TreeNode *> nodes = collectionManager().linkNodesWithIDs(ids);
    QList<LinkChange> present;
    for (const LinkChange &change : changes) {
        if (nodes.contains(change.linkID))
            present.append(change);
    }
    return present;
}

void HistoryCommands::showLostLinks()
{
    if (document()->filePath().isEmpty())
        return;
    if (!m_lostLinksWindow) {
        m_lostLinksWindow = new LostLinksDialogController(document());
        connect(m_lostLinksWindow, &LostLinksDialogController::editLinkRequested, this,
                &HistoryCommands::editLink);
        connect(m_lostLinksWindow, &LostLinksDialogController::verifyAgainRequested, this,
                &HistoryCommands::verifyAgain);
        connect(m_lostLinksWindow, &LostLinksDialogController::useThisPageRequested, this,
                &HistoryCommands::useThisPage);
        auto *sendMessage = new SendMessageMenu(
            m_lostLinksWindow->sendMessageMenu(), document()->emailTemplateModel(),
            menus().action(ActionId::NewCustomEmail), menus().action(ActionId::NewEmailTemplate));
        connect(sendMessage, &SendMessageMenu::templateTriggered, this,
                &HistoryCommands::templateEmailRequested);
        connect(m_lostLinksWindow, &LostLinksDialogController::sendMessageMenuAboutToShow, this,
                &HistoryCommands::selectLinkToWriteTo);
    }
    m_lostLinksNotice->hide();
    refreshLostLinks();
    m_lostLinksWindow->show();
    m_lostLinksWindow->raise();
    m_lostLinksWindow->activateWindow();
    m_lostLinksWindow->tableView()->setFocus();
}

void HistoryCommands::refreshLostLinks()
{
    if (!m_lostLinksWindow)
        return;
    m_lostLinksWindow->setDocumentName(document()->document()->displayName());
    // Read on the history thread; the window shows what it had until the changes come.
    HistoryService::instance()->readChanges(
        document()->filePath(), LinkChange::unreachableDaysFromPreferences(), m_lostLinksWindow,
        [this](const HistoryReply<QList<LinkChange>> &reply) {
            if (!m_lostLinksWindow)
                return;
            if (reply.value)
                m_lostLinksWindow->setChanges(presentChanges(*reply.value));
            else
                m_lostLinksWindow->showError(HistoryStore::errorMessage(document()->filePath(), reply.error));
        });
}

void HistoryCommands::historyWaitingChanged(const QString &databasePath, int checks)
{
    if (databasePath != document()->filePath())
        return;
    if (checks > 0) {
        m_historyBusyLabel->setText(
            tr("The history is busy; %n check(s) are waiting to be recorded.", nullptr, checks));
        m_historyBusyLabel->show();
    } else if (m_historyBusyLabel->isVisible()) {
        m_historyBusyLabel->hide();
        refreshLostLinks();
    }
}

void HistoryCommands::bringDocumentForward()
{
    document()->raise();
    document()->activateWindow();
}

bool HistoryCommands::revealLink(const QString &linkID)
{
    // The link may belong to another category than the window shows: the window turns to it.
    TreeNode *node = collectionManager().linkNodeWithID(linkID);
    if (!node)
        return false;
    document()->showAndSelectLinkNode(node, false);
    return document()->selectedLinkIDs() == QStringList{linkID};
}

void HistoryCommands::editLink(const QString &linkID)
{
    if (!revealLink(linkID))
        return;
    bringDocumentForward();
    menus().action(ActionId::EditLink)->trigger();
}

void HistoryCommands::verifyAgain(const QStringList &linkIDs)
{
    if (linkIDs.isEmpty())
        return;
    document()->selectLinksWithIDs(linkIDs);
    bringDocumentForward();
    emit verifyRequested(linkIDs);
}

void HistoryCommands::useThisPage(const QString &linkID, const QString &pageURL)
{
    TreeNode *node = collectionManager().linkNodeWithID(linkID);
    if (!node || pageURL.isEmpty() || pageURL.size() > MovedLinkSearch::MaximumAddressLength ||
        node->link()->counterpartURL() == pageURL)
        return;
    LinkFields fields = node->link()->fields();
    fields.counterpartURL = pageURL;
    perform(tr("Use This Page"), [&](DocumentChange &change) {
        change.linkIDs = {linkID};
        return collectionManager().editLinkNode(node, fields) != nullptr;
    });
}

void HistoryCommands::selectLinkToWriteTo(const QStringList &linkIDs)
{
    // The message items act on the document's selected link, so that link is selected first.
    if (linkIDs.size() != 1)
        return;
    revealLink(linkIDs.first());
    document()->validateMenuItems();
}
