#include "SearchCommands.h"

#include "CategoryListController.h"
#include "DocumentMenus.h"
#include "LinkListController.h"
#include "MyDocument.h"
#include "RecordedChecksCache.h"
#include "gui/MessageBox.h"
#include "gui/RightClickTableView.h"
#include "workflow/LinkFinder.h"
#include "workflow/SearchForm.h"
#include "workflow/ui/SearchDialogController.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <algorithm>

SearchCommands::SearchCommands(MyDocument *document) : DocumentCommandArea(document)
{
    // Both keys desktops use for Find Next.
    menus()
        .action(ActionId::FindNextLink)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_G), QKeySequence(Qt::Key_F3)});
    connect(menus().action(ActionId::FindLink), &QAction::triggered, this, &SearchCommands::findLink);
    connect(menus().action(ActionId::FindNextLink), &QAction::triggered, this, &SearchCommands::findNextLink);
}

void SearchCommands::validateMenuItems()
{
    menus().action(ActionId::FindLink)->setEnabled(true);
    menus().action(ActionId::FindNextLink)->setEnabled(isFindNextAvailable());
}

void SearchCommands::findLink()
{
    if (!m_searchDialog) {
        m_searchDialog = new SearchDialogController(&collectionManager(), document());
        connect(m_searchDialog, &QDialog::finished, this, &SearchCommands::findLinkSheetDidEnd);
        // Conditions that find nothing keep the sheet open, so they can be changed at once.
        m_searchDialog->setMatchTest([this](const QList<SearchCriterion> &criteria, bool any) {
            return LinkFinder::findLinkWithSearchCriteria(collectionManager(), criteria, any, nullptr, 0,
                                                          false, nullptr,
                                                          &document()->recordedChecks()->checks()) != nullptr;
        });
    }
    if (m_searchDialog->isVisible())
        return;
    m_searchDialog->initializeWithSearchCriteria(m_searchCriteria, m_searchAny);
    m_searchDialog->open();
}

void SearchCommands::findLinkSheetDidEnd(int returnCode)
{
    if (returnCode != QDialog::Accepted)
        return;
    setSearchCriteria(m_searchDialog->searchCriteria(), m_searchDialog->any());
    // A new search starts before the first link; without a match the selection stays.
    findFrom(nullptr, true, true);
}

void SearchCommands::findNextLink()
{
    if (isFindNextAvailable())
        doFindWithAlert(false, true);
}

QString SearchCommands::positionText(int position, int count, bool wrapped)
{
    const QString where = tr("%L1 of %L2").arg(position).arg(count);
    return wrapped ? tr("Search started again from the top") + QStringLiteral(" \u2014 ") + where : where;
}

void SearchCommands::setSearchCriteria(const QList<SearchCriterion> &criteria, bool any)
{
    m_searchCriteria = criteria;
    m_searchAny = any;
    document()->validateMenuItems();
}

void SearchCommands::clearSearchCriteria()
{
    m_searchCriteria.reset();
    m_searchAny = false;
    document()->validateMenuItems();
}

bool SearchCommands::doFindWithAlert(bool alert, bool focus)
{
    // Pressed again while the found row is dimmed: go on from that row, not from the top.
    document()->linkListController()->stopFlash(true);
    return findFrom(document()->selectedLinkNode(), alert, focus);
}

bool SearchCommands::findFrom(const TreeNode *startItem, bool alert, bool focus)
{
    if (!m_searchCriteria)
        return false;
    LinkListController *links = document()->linkListController();
    bool wrapped = false;
    TreeNode *found = LinkFinder::findLinkWithSearchCriteria(
        collectionManager(), *m_searchCriteria, m_searchAny, startItem, links->sortCriterion(),
        links->sortDescending(), &wrapped, &document()->recordedChecks()->checks());
    if (!found) {
        if (alert)
            MessageBox::alert(document(), SearchForm::notFoundTitle(), SearchForm::notFoundMessage());
        return false;
    }
    document()->showAndSelectLinkNode(found, focus);
    document()->categoriesTable()->viewport()->update();
    document()->countField()->update();
    links->flashSelectedItem();
    // Where the match stands among all matches, in the order the window shows them.
    const std::vector<TreeNode *> all = LinkFinder::findAllLinksWithSearchCriteria(
        collectionManager(), *m_searchCriteria, m_searchAny, links->sortCriterion(), links->sortDescending(),
        &document()->recordedChecks()->checks());
    const auto at = std::find(all.cbegin(), all.cend(), found);
    m_lastPositionText = positionText(int(at - all.cbegin()) + 1, int(all.size()), wrapped);
    document()->statusBar()->showMessage(m_lastPositionText, StatusMessageTimeout);
    return true;
}
