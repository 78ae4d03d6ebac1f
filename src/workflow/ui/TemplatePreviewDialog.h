#pragma once

#include "workflow/EmailComposer.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

// The template editor's preview: the message as it reads for the selected link (or a sample one),
// shown in the editor rather than handed to a mail client. Placeholders that nothing fills in are
// marked. Copy puts the message on the clipboard; Open in Mail Client hands it over.
class TemplatePreviewDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TemplatePreviewDialog(QWidget *parent);

    // Shows the filled-in message and marks the placeholders left in it.
    void setMessage(const EmailComposer::Message &message);
    const EmailComposer::Message &message() const { return m_message; }

    QLineEdit *subjectField() const { return m_subjectField; }
    QTextEdit *bodyView() const { return m_bodyView; }
    QLabel *unknownLabel() const { return m_unknownLabel; }
    QPushButton *copyButton() const { return m_copyButton; }
    QPushButton *mailButton() const { return m_mailButton; }

    void copy();
    void openInMailClient();

private:
    EmailComposer::Message m_message;
    QLineEdit *m_recipientField;
    QLineEdit *m_subjectField;
    QTextEdit *m_bodyView;
    QLabel *m_unknownLabel;
    QPushButton *m_copyButton;
    QPushButton *m_mailButton;
};
