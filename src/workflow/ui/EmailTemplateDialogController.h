#pragma once

#include "model/EmailTemplate.h"

#include <QDialog>
#include <QList>
#include <memory>

class CollectionManager;
class Link;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TemplatePreviewDialog;

namespace Ui {
class EmailTemplateDialog;
}

// The e-mail template editor: name, subject and body, a button per placeholder that types it where
// the cursor is, and a preview in the mail client. Runs application-modal (runModal); afterwards
// userConfirmed() and templateData() tell what the user wrote. It never changes the store.
class EmailTemplateDialogController : public QDialog
{
    Q_OBJECT

public:
    // `store` (not null) is read for the name check and the preview's site profile.
    explicit EmailTemplateDialogController(const CollectionManager *store, QWidget *parent = nullptr);
    ~EmailTemplateDialogController() override;

    // The template to edit (null for a new one) and the link the preview writes to (null: sample
    // values). The name is selected for typing.
    void initializeFieldsWithEmailTemplate(const EmailTemplate *emailTemplate, const Link *selectedLink);
    // Shows the editor over `over` (centred on it) and returns when it closed.
    void runModal(QWidget *over);

    bool userConfirmed() const { return m_userConfirmed; }
    const EmailTemplate &templateData() const { return m_templateData; }

    // Which field the user is writing in (or last wrote in, while a placeholder button has the
    // keyboard): 2 the body, 1 the subject, 0 the name, -1 none yet.
    int focus() const;
    // Types the placeholder over the selection of the subject or body being edited; in the name
    // (or before any field was edited) it alerts and types nothing.
    bool insertPlaceholder(const QString &placeholder);

    QLineEdit *nameField() const;
    QLineEdit *subjectField() const;
    QPlainTextEdit *bodyView() const;
    QPushButton *previewButton() const { return m_previewButton; }
    // The preview of the last Preview click, null before the first.
    TemplatePreviewDialog *previewDialog() const { return m_previewDialog; }
    QPushButton *placeholderButton(const QString &placeholder) const;

public slots:
    void confirm();
    void cancel();
    void preview();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void doHelp();
    void focusField(int field);

    std::unique_ptr<Ui::EmailTemplateDialog> m_ui;
    const CollectionManager *m_store;
    QPushButton *m_previewButton = nullptr;
    TemplatePreviewDialog *m_previewDialog = nullptr;
    QList<QPushButton *> m_placeholderButtons;
    QString m_editedTemplateID;
    QString m_linkID; // looked up again at preview time
    EmailTemplate m_templateData;
    bool m_userConfirmed = false;
    int m_focus = -1; // the text field that last had the keyboard
};
