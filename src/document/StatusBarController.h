#pragma once

#include <QObject>

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
    static QString countText(int total);

private:
    CollectionManager *m_collectionManager;
    QLabel *m_countField;
    TreeNode *m_category = nullptr;
};
