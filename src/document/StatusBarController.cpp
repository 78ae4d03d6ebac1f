#include "StatusBarController.h"

#include "model/CollectionManager.h"

#include <QLabel>

StatusBarController::StatusBarController(CollectionManager *collectionManager, QLabel *countField,
                                         QObject *parent)
    : QObject(parent), m_collectionManager(collectionManager), m_countField(countField)
{}

void StatusBarController::setCategory(TreeNode *categoryNode)
{
    m_category = categoryNode;
    refresh();
}

QString StatusBarController::countText(int total)
{
    return tr("%n link(s) in database", nullptr, total);
}

void StatusBarController::setShownLinks(std::optional<std::pair<int, int>> shownOfTotal)
{
    m_shownOfTotal = shownOfTotal;
    refresh();
}

QString StatusBarController::shownText(int shown, int total)
{
    return tr("%L1 of %Ln link(s)", nullptr, total).arg(shown);
}

void StatusBarController::refresh()
{
    if (m_shownOfTotal) {
        m_countField->setText(shownText(m_shownOfTotal->first, m_shownOfTotal->second));
        return;
    }
    int total = 0;
    for (const TreeNode *categoryNode : m_collectionManager->categoryRoot()->children())
        total += categoryNode->numberOfChildren();
    m_countField->setText(countText(total));
}
