#include "TemplateCommands.h"

#include "DocumentChange.h"
#include "DocumentMenus.h"
#include "MyDocument.h"
#include "workflow/EmailTemplateFile.h"
#include "workflow/ui/EmailTemplateDialogController.h"
#include "workflow/ui/EmailTemplateListDialogController.h"

#include <QAction>
#include <QApplication>

TemplateCommands::TemplateCommands(MyDocument *document) : DocumentCommandArea(document)
{
    connect(menus().action(ActionId::ShowEmailTemplates), &QAction::triggered, this,
            &TemplateCommands::showEmailTemplates);
    connect(menus().action(ActionId::NewEmailTemplate), &QAction::triggered, this,
            &TemplateCommands::newEmailTemplate);
}

void TemplateCommands::validateMenuItems()
{
    menus().action(ActionId::ShowEmailTemplates)->setEnabled(true);
    menus().action(ActionId::NewEmailTemplate)->setEnabled(true);
}

EmailTemplateDialogController *TemplateCommands::emailTemplateDialog()
{
    if (!m_emailTemplateDialog)
        m_emailTemplateDialog = new EmailTemplateDialogController(&collectionManager(), document());
    return m_emailTemplateDialog;
}

void TemplateCommands::showEmailTemplates()
{
    if (!m_emailTemplateListDialog) {
        m_emailTemplateListDialog = new EmailTemplateListDialogController(
            &collectionManager(), emailTemplateDialog(), this, document());
        connect(m_emailTemplateListDialog, &QDialog::finished, this,
                &TemplateCommands::showEmailTemplatesSheetDidEnd);
    }
    if (m_emailTemplateListDialog->isVisible())
        return;
    m_emailTemplateListDialog->initializeFieldsWithSelectedLink(document()->selectedLink());
    m_emailTemplateListDialog->open();
}

void TemplateCommands::showEmailTemplatesSheetDidEnd(int)
{
    // Each change went through the document as it was made: the window followed it then.
}

void TemplateCommands::newEmailTemplate()
{
    EmailTemplateDialogController *editor = emailTemplateDialog();
    if (editor->isVisible())
        return;
    editor->initializeFieldsWithEmailTemplate(nullptr, document()->selectedLink());
    // Over the sheet that asked (the link editor), else over the window.
    QWidget *over = QApplication::activeModalWidget();
    if (!over || over->window()->parentWidget() != document())
        over = document();
    editor->runModal(over);
    if (!editor->userConfirmed())
        return;
    addEmailTemplate(editor->templateData());
}

int TemplateCommands::addEmailTemplate(const EmailTemplate &form)
{
    int index = -1;
    changeTemplates(tr("Add E-mail Template"), [&] {
        index = collectionManager().emailTemplateList().addEmailTemplateFromEmailTemplate(form);
        return true;
    });
    return index;
}

int TemplateCommands::editEmailTemplate(const QString &templateID, const EmailTemplate &form)
{
    EmailTemplate *emailTemplate = collectionManager().emailTemplateList().emailTemplateWithID(templateID);
    if (!emailTemplate)
        return -1;
    // Confirmed as it was: nothing to save or undo.
    if (emailTemplate->name() == form.name() && emailTemplate->subject() == form.subject() &&
        emailTemplate->body() == form.body())
        return collectionManager().emailTemplateList().indexOfEmailTemplate(emailTemplate);
    int index = -1;
    changeTemplates(tr("Edit E-mail Template"), [&] {
        index = collectionManager().emailTemplateList().editEmailTemplate(emailTemplate, form);
        return true;
    });
    return index;
}

int TemplateCommands::duplicateEmailTemplate(const QString &templateID)
{
    EmailTemplate *emailTemplate = collectionManager().emailTemplateList().emailTemplateWithID(templateID);
    if (!emailTemplate)
        return -1;
    int index = -1;
    changeTemplates(tr("Duplicate E-mail Template"), [&] {
        index = collectionManager().emailTemplateList().duplicateEmailTemplate(emailTemplate);
        return true;
    });
    return index;
}

void TemplateCommands::deleteEmailTemplate(const QString &templateID)
{
    const int index = collectionManager().emailTemplateList().indexOfEmailTemplateWithID(templateID);
    if (index < 0)
        return;
    changeTemplates(tr("Delete E-mail Template"), [&] {
        collectionManager().emailTemplateList().deleteEmailTemplateAtIndex(index);
        return true;
    });
}

bool TemplateCommands::importEmailTemplates(const QString &path, const DuplicateQuestion &askAboutDuplicates)
{
    ImportSummary summary;
    bool imported = false;
    changeTemplates(tr("Import E-mail Templates"), [&] {
        imported = EmailTemplateFile::importEmailTemplatesFromFileAtPath(collectionManager(), path,
                                                                         askAboutDuplicates, &summary);
        // Cancelled at the question, or every template kept: nothing to save.
        return imported && summary.changed();
    });
    return imported;
}

void TemplateCommands::changeTemplates(const QString &actionName, const std::function<bool()> &change)
{
    perform(actionName, [&change](DocumentChange &) { return change(); });
}
