#pragma once

#include <QDialog>
#include <memory>

class CollectionManager;
class EmailTemplate;
class EmailTemplateChanges;
class EmailTemplateDialogController;
class Link;
class QListWidget;
class QPushButton;

namespace Ui {
class EmailTemplateListDialog;
}

// The template list sheet of a document window: the database's templates by name with New, Edit,
// Duplicate, Delete, Import and Export. Each change is handed to the document (EmailTemplateChanges)
// at once; the sheet only reads the store. Shown window-modal with open(); it always ends with 1.
class EmailTemplateListDialogController : public QDialog
{
    Q_OBJECT

public:
    EmailTemplateListDialogController(const CollectionManager *store, EmailTemplateDialogController *editor,
                                      EmailTemplateChanges *changes, QWidget *parent);
    ~EmailTemplateListDialogController() override;

    // Clears the selection and keeps the link the editor's preview writes to (null: sample values).
    void initializeFieldsWithSelectedLink(const Link *link);
    void refreshTable();
    // The selected row, -1 for none.
    int selectedRow() const;
    void selectRow(int row);

    QListWidget *listView() const;
    QPushButton *newButton() const;
    QPushButton *editButton() const;
    QPushButton *duplicateButton() const;
    QPushButton *deleteButton() const;
    QPushButton *importButton() const;
    QPushButton *exportButton() const;

public slots:
    void newTemplate();
    void editTemplate();
    void duplicateTemplate();
    void deleteTemplate();
    void importTemplates();
    void exportTemplates();
    void reject() override; // Escape closes as Close does

private:
    void enableButtons();
    const EmailTemplate *selectedTemplate() const;
    QString folder() const;
    void doHelp();

    std::unique_ptr<Ui::EmailTemplateListDialog> m_ui;
    const CollectionManager *m_store;
    EmailTemplateDialogController *m_editor;
    EmailTemplateChanges *m_changes;
    const Link *m_link = nullptr;
    QString m_folder; // where the last import or export went
};
