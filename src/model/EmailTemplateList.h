#pragma once

#include "EmailTemplate.h"

#include <QCoreApplication>
#include <memory>
#include <vector>

class StoreJournal;

// The store's e-mail templates, kept sorted by name ignoring case (equal names keep their order).
// Every change tells the store's journal first, so that it can be undone.
class EmailTemplateList
{
    Q_DECLARE_TR_FUNCTIONS(EmailTemplateList)

public:
    explicit EmailTemplateList(StoreJournal &journal) : m_journal(journal) {}
    EmailTemplateList(const EmailTemplateList &) = delete;
    EmailTemplateList &operator=(const EmailTemplateList &) = delete;

    const std::vector<std::unique_ptr<EmailTemplate>> &emailTemplates() const { return m_emailTemplates; }

    // Each returns the index the template ends up at.
    int addEmailTemplateFromEmailTemplate(const EmailTemplate &form);
    int editEmailTemplate(EmailTemplate *emailTemplate, const EmailTemplate &form);
    int duplicateEmailTemplate(EmailTemplate *emailTemplate); // named "NAME copy", then "NAME copy 1"...
    // Appends a finished record as it stands (its ID kept), then sorts; for readers of stored templates.
    int insertEmailTemplate(std::unique_ptr<EmailTemplate> emailTemplate);
    void deleteEmailTemplateAtIndex(int index); // an index out of range is passed over
    // Swaps in a whole list of finished records (IDs kept), sorts it and returns the previous list;
    // lets an import merge many templates in one pass.
    std::vector<std::unique_ptr<EmailTemplate>>
    replaceEmailTemplates(std::vector<std::unique_ptr<EmailTemplate>> emailTemplates);
    void sortEmailTemplates();

    int indexOfEmailTemplate(const EmailTemplate *emailTemplate) const; // -1 when not in the list
    int indexOfEmailTemplateWithID(const QString &id) const;
    EmailTemplate *emailTemplateWithID(const QString &id) const;
    EmailTemplate *emailTemplateWithName(const QString &name) const;

private:
    friend class CollectionManager; // loads, swaps and empties the whole list, unjournalled
    friend class StoreChange;       // puts a journalled list back

    QString validDuplicateNameForEmailTemplate(const EmailTemplate &emailTemplate) const;

    StoreJournal &m_journal;
    std::vector<std::unique_ptr<EmailTemplate>> m_emailTemplates;
};
