#include "LinkCount.h"

#include "model/CollectionManager.h"
#include "publish/Statistics.h"

#include <QCoreApplication>

LinkCount LinkCount::countInCategory(const TreeNode *categoryNode)
{
    LinkCount count;
    if (!categoryNode)
        return count;
    for (const TreeNode *node : categoryNode->children()) {
        const Link *link = node->link();
        if (!link)
            continue;
        switch (link->status()) {
        case LinkStatusNew:
            ++count.newLinks;
            break;
        case LinkStatusNegotiating:
            ++count.negotiating;
            break;
        case LinkStatusApproved:
            ++count.approved;
            break;
        case LinkStatusBlocked:
            ++count.blocked;
            break;
        default:
            break;
        }
    }
    return count;
}

LinkCount LinkCount::countInDatabase(const CollectionManager &collectionManager)
{
    const QList<NameValuePair> slices = Statistics::linkStatusDistribution(collectionManager);
    auto slice = [&slices](int index) { return index < slices.size() ? int(slices.at(index).value()) : 0; };
    LinkCount count;
    count.newLinks = slice(0);
    count.negotiating = slice(1);
    count.approved = slice(2);
    count.blocked = slice(3);
    return count;
}

QString LinkCount::prompt(const TreeNode *categoryNode)
{
    const Category *category = categoryNode ? categoryNode->category() : nullptr;
    if (!category)
        return QString();
    return QCoreApplication::translate(
               "LinkCount",
               "This shows the number of links in the database as well as in the category \"%1\".")
        .arg(category->name());
}
