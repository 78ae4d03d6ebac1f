#pragma once

#include "workflow/DuplicateAnswer.h"

#include <QString>

class EmailTemplate;

// What the template list asks of its document: every change goes through the document's store, so
// the document can name it for the Edit menu and rebuild its send-message menus. Indexes are
// positions in the store's sorted template list.
class EmailTemplateChanges
{
public:
    virtual ~EmailTemplateChanges() = default;

    // The index the new template took.
    virtual int addEmailTemplate(const EmailTemplate &form) = 0;
    // The index the edited template moved to; -1 when no template has that ID any more.
    virtual int editEmailTemplate(const QString &templateID, const EmailTemplate &form) = 0;
    // The index of the copy; -1 when no template has that ID.
    virtual int duplicateEmailTemplate(const QString &templateID) = 0;
    virtual void deleteEmailTemplate(const QString &templateID) = 0;
    // False when the file is unusable (nothing changed then).
    virtual bool importEmailTemplates(const QString &path, const DuplicateQuestion &askAboutDuplicates) = 0;
};
