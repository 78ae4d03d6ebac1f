#pragma once

#include <QObject>
#include <optional>
#include <utility>

class CollectionManager;
class QLabel;
class TreeNode;

// The count line under the lists: how many links the whole database holds.
class StatusBarController : public QObject
{
    Q_OBJECT

public:
    StatusBarController(CollectionManager *collectionManager, QLabel *countField, QObject *parent = nullptr);

    void setCategory(TreeNode *categoryNode);
    void refresh();
    // While a filter narrows the link list, the line says how many of the category's links show.
    void setShownLinks(std::optional<std::pair<int, int>> shownOfTotal);
    static QString countText(int total);
    static QString shownText(int shown, int total);

private:
    CollectionManager *m_collectionManager;
    QLabel *m_countField;
    TreeNode *m_category = nullptr;
    std::optional<std::pair<int, int>> m_shownOfTotal;
};
