#pragma once

#include "model/CollectionManager.h"

#include <QString>

// Builds small databases for tests in a few readable lines.
class DatabaseBuilder
{
public:
    DatabaseBuilder() = default;

    // Adds a category and makes it the target of the next links.
    DatabaseBuilder &category(const QString &name, const QString &anchor = QString());
    // Puts the next links into the default category.
    DatabaseBuilder &defaultCategory();
    DatabaseBuilder &link(const QString &title, LinkStatus status = LinkStatusApproved,
                          const QString &url = QString());
    // Adds a link with all fields given; its category ID is replaced by the current category.
    DatabaseBuilder &link(LinkFields fields);
    DatabaseBuilder &emailTemplate(const QString &name, const QString &subject, const QString &body);

    CollectionManager &store() { return m_store; }
    Link *lastLink() const { return m_lastLink; }
    TreeNode *currentCategory() const;

private:
    CollectionManager m_store;
    QString m_categoryID = NoneCategoryID;
    Link *m_lastLink = nullptr;
};
