#include "DatabaseBuilder.h"
#include "model/Clock.h"

DatabaseBuilder &DatabaseBuilder::category(const QString &name, const QString &anchor)
{
    QString a = anchor;
    if (a.isNull()) {
        for (const QChar c : name) {
            if (c.isLetterOrNumber() && c.unicode() < 128)
                a += c;
        }
    }
    m_categoryID = m_store.addCategoryWithName(name, a)->attachmentID();
    return *this;
}

DatabaseBuilder &DatabaseBuilder::defaultCategory()
{
    m_categoryID = NoneCategoryID;
    return *this;
}

DatabaseBuilder &DatabaseBuilder::link(const QString &title, LinkStatus status, const QString &url)
{
    LinkFields f;
    f.title = title;
    f.URL = url.isNull() ? QStringLiteral("http://www.%1.example/").arg(title.toLower().remove(' ')) : url;
    f.description = QStringLiteral("About %1").arg(title);
    f.status = status;
    f.lastStatusChangedOn = Clock::today();
    return link(f);
}

DatabaseBuilder &DatabaseBuilder::link(LinkFields fields)
{
    fields.categoryID = m_categoryID;
    TreeNode *node = m_store.addLinkFromFields(fields);
    m_lastLink = node ? node->link() : nullptr;
    return *this;
}

DatabaseBuilder &DatabaseBuilder::emailTemplate(const QString &name, const QString &subject,
                                                const QString &body)
{
    EmailTemplate form;
    form.setName(name, subject, body);
    m_store.emailTemplateList().addEmailTemplateFromEmailTemplate(form);
    return *this;
}

TreeNode *DatabaseBuilder::currentCategory() const
{
    return m_store.categoryNodeWithID(m_categoryID);
}
