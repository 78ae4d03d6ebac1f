#pragma once

#include "DocumentCommandArea.h"
#include "workflow/ui/EmailTemplateChanges.h"

class EmailTemplateDialogController;
class EmailTemplateListDialogController;

// The e-mail templates of a database: the template list sheet and the template editor (both made
// on first use and kept), and every change to the templates, each named for the Edit menu and
// followed by new send-message menus.
class TemplateCommands : public DocumentCommandArea, public EmailTemplateChanges
{
    Q_OBJECT

public:
    explicit TemplateCommands(MyDocument *document);

    void validateMenuItems() override;

    void showEmailTemplates();
    void showEmailTemplatesSheetDidEnd(int returnCode);
    // Runs the editor for a new template and returns once it closed; a confirmed template is then
    // in the store.
    void newEmailTemplate();

    int addEmailTemplate(const EmailTemplate &form) override;
    int editEmailTemplate(const QString &templateID, const EmailTemplate &form) override;
    int duplicateEmailTemplate(const QString &templateID) override;
    void deleteEmailTemplate(const QString &templateID) override;
    bool importEmailTemplates(const QString &path, const DuplicateQuestion &askAboutDuplicates) override;

    EmailTemplateDialogController *emailTemplateDialog();
    EmailTemplateListDialogController *emailTemplateListDialog() const { return m_emailTemplateListDialog; }

private:
    // Runs one change of the templates through the document (one undo step, the window follows).
    void changeTemplates(const QString &actionName, const std::function<bool()> &change);

    EmailTemplateDialogController *m_emailTemplateDialog = nullptr;
    EmailTemplateListDialogController *m_emailTemplateListDialog = nullptr;
};
