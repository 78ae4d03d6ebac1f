#include "SearchCommands.h"

#include "CategoryListController.h"
#include "DocumentMenus.h"
#include "LinkListController.h"
#include "MyDocument.h"
#include "gui/MessageBox.h"
#include "gui/RightClickTableView.h"
#include "workflow/LinkFinder.h"
#include "workflow/SearchForm.h"
#include "workflow/ui/SearchDialogController.h"

#include <QAction>
#include <QLabel>

SearchCommands::SearchCommands(MyDocument *document) : DocumentCommandArea(document)
{
    // Both keys desktops use for Find Next.
    menus().findNextLink->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_G), QKeySequence(Qt::Key_F3)});
    connect(menus().findLink, &QAction::triggered, this, &SearchCommands::findLink);
    connect(menus().findNextLink, &QAction::triggered, this, &SearchCommands::findNextLink);
}

void SearchCommands::validateMenuItems()
{
    menus().findLink->setEnabled(true);
    menus().findNextLink->setEnabled(isFindNextAvailable());
}

void SearchCommands::findLink()
{
    if (!m_searchDialog) {
        m_searchDialog = new SearchDialogController(&collectionManager(), document());
        connect(m_searchDialog, &QDialog::finished, this, &SearchCommands::findLinkSheetDidEnd);
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
    // A new search starts before the first link.
    document()->linkListController()->showAndSelectLinkNode(nullptr);
    doFindWithAlert(true, true);
}

void SearchCommands::findNextLink()
{
    if (isFindNextAvailable())
        doFindWithAlert(false, true);
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
    if (!m_searchCriteria)
        return false;
    LinkListController *links = document()->linkListController();
    TreeNode *found =
        LinkFinder::findLinkWithSearchCriteria(collectionManager(), *m_searchCriteria, m_searchAny,
                                               document()->selectedLinkNode(), links->sortCriterion());
    if (!found) {
        if (alert)
            MessageBox::alert(document(), SearchForm::notFoundTitle(), SearchForm::notFoundMessage());
        return false;
    }
    document()->showAndSelectLinkNode(found, focus);
    document()->categoriesTable()->viewport()->update();
    document()->countField()->update();
    links->flashSelectedItem();
    return true;
}
