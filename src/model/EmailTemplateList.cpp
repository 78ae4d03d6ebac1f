#include "EmailTemplateList.h"

#include "StoreJournal.h"

#include <algorithm>

int EmailTemplateList::indexOfEmailTemplate(const EmailTemplate *emailTemplate) const
{
    for (size_t i = 0; i < m_emailTemplates.size(); ++i) {
        if (m_emailTemplates[i].get() == emailTemplate)
            return int(i);
    }
    return -1;
}

int EmailTemplateList::insertEmailTemplate(std::unique_ptr<EmailTemplate> emailTemplate)
{
    m_journal.emailTemplatesWillChange();
    const EmailTemplate *added = emailTemplate.get();
    m_emailTemplates.push_back(std::move(emailTemplate));
    sortEmailTemplates();
    return indexOfEmailTemplate(added);
}

int EmailTemplateList::addEmailTemplateFromEmailTemplate(const EmailTemplate &form)
{
    auto emailTemplate = std::make_unique<EmailTemplate>();
    emailTemplate->setName(form.name(), form.subject(), form.body());
    return insertEmailTemplate(std::move(emailTemplate));
}

int EmailTemplateList::editEmailTemplate(EmailTemplate *emailTemplate, const EmailTemplate &form)
{
    m_journal.emailTemplatesWillChange();
    emailTemplate->setName(form.name(), form.subject(), form.body());
    sortEmailTemplates();
    return indexOfEmailTemplate(emailTemplate);
}

int EmailTemplateList::duplicateEmailTemplate(EmailTemplate *emailTemplate)
{
    auto copy = std::make_unique<EmailTemplate>();
    copy->setName(validDuplicateNameForEmailTemplate(*emailTemplate), emailTemplate->subject(),
                  emailTemplate->body());
    return insertEmailTemplate(std::move(copy));
}

QString EmailTemplateList::validDuplicateNameForEmailTemplate(const EmailTemplate &emailTemplate) const
{
    QString name = tr("%1 copy").arg(emailTemplate.name());
    for (int number = 1; emailTemplateWithName(name); ++number)
        name = tr("%1 copy %2").arg(emailTemplate.name()).arg(number);
    return name;
}

void EmailTemplateList::deleteEmailTemplateAtIndex(int index)
{
    if (index < 0 || size_t(index) >= m_emailTemplates.size())
        return;
    m_journal.emailTemplatesWillChange();
    m_emailTemplates.erase(m_emailTemplates.begin() + index);
}

std::vector<std::unique_ptr<EmailTemplate>>
EmailTemplateList::replaceEmailTemplates(std::vector<std::unique_ptr<EmailTemplate>> emailTemplates)
{
    m_journal.emailTemplatesWillChange();
    std::swap(m_emailTemplates, emailTemplates);
    sortEmailTemplates();
    return emailTemplates;
}

int EmailTemplateList::indexOfEmailTemplateWithID(const QString &id) const
{
    return indexOfEmailTemplate(emailTemplateWithID(id));
}

EmailTemplate *EmailTemplateList::emailTemplateWithID(const QString &id) const
{
    for (const auto &emailTemplate : m_emailTemplates) {
        if (emailTemplate->ID() == id)
            return emailTemplate.get();
    }
    return nullptr;
}

EmailTemplate *EmailTemplateList::emailTemplateWithName(const QString &name) const
{
    for (const auto &emailTemplate : m_emailTemplates) {
        if (emailTemplate->name() == name)
            return emailTemplate.get();
    }
    return nullptr;
}

void EmailTemplateList::sortEmailTemplates()
{
    m_journal.emailTemplatesWillChange();
    std::stable_sort(m_emailTemplates.begin(), m_emailTemplates.end(),
                     [](const auto &a, const auto &b) { return a->compare(*b) < 0; });
}
