#include "TemplatePreviewDialog.h"

#include "MailClientAlert.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

TemplatePreviewDialog::TemplatePreviewDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Message Preview"));
    setWindowModality(Qt::WindowModal);
    m_recipientField = new QLineEdit(this);
    m_recipientField->setReadOnly(true);
    m_subjectField = new QLineEdit(this);
    m_subjectField->setReadOnly(true);
    m_bodyView = new QTextEdit(this);
    m_bodyView->setReadOnly(true);
    m_bodyView->setTabChangesFocus(true);
    m_bodyView->setMinimumSize(fontMetrics().averageCharWidth() * 64, fontMetrics().lineSpacing() * 12);
    m_unknownLabel = new QLabel(this);
    m_unknownLabel->setWordWrap(true);

    auto *form = new QFormLayout;
    auto *recipientLabel = new QLabel(tr("&To:"), this);
    recipientLabel->setBuddy(m_recipientField);
    auto *subjectLabel = new QLabel(tr("&Subject:"), this);
    subjectLabel->setBuddy(m_subjectField);
    auto *bodyLabel = new QLabel(tr("&Message:"), this);
    bodyLabel->setBuddy(m_bodyView);
    form->addRow(recipientLabel, m_recipientField);
    form->addRow(subjectLabel, m_subjectField);
    form->addRow(bodyLabel, m_bodyView);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_copyButton = buttons->addButton(tr("Cop&y"), QDialogButtonBox::ActionRole);
    m_copyButton->setToolTip(tr("Put the recipient, subject and message on the clipboard"));
    m_mailButton = buttons->addButton(tr("&Open in Mail Client"), QDialogButtonBox::ActionRole);
    m_mailButton->setToolTip(tr("Hand this message to your e-mail program"));
    QPushButton *close = buttons->button(QDialogButtonBox::Close);
    close->setDefault(true);
    for (QPushButton *button : {m_copyButton, m_mailButton})
        button->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_copyButton, &QPushButton::clicked, this, &TemplatePreviewDialog::copy);
    connect(m_mailButton, &QPushButton::clicked, this, &TemplatePreviewDialog::openInMailClient);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addWidget(m_unknownLabel);
    layout->addWidget(buttons);
}

void TemplatePreviewDialog::setMessage(const EmailComposer::Message &message)
{
    m_message = message;
    m_recipientField->setText(message.recipient);
    m_subjectField->setText(message.subject);
    m_subjectField->setCursorPosition(0);
    // Placeholders that nothing filled in stand out, so a misspelt one is seen before it is sent.
    const QStringList unknown = EmailComposer::unknownPlaceholders(message.subject + u'\n' + message.body);
    QString html = message.body.toHtmlEscaped();
    for (const QString &name : unknown)
        html.replace(
            name,
            QStringLiteral("<span style=\"background-color:#ffd966;color:#000000\">%1</span>").arg(name));
    html.replace(u'\n', QStringLiteral("<br>"));
    m_bodyView->setHtml(QStringLiteral("<div style=\"white-space:pre-wrap\">%1</div>").arg(html));
    m_unknownLabel->setText(unknown.isEmpty()
                                ? QString()
                                : tr("Nothing fills in %1: check the spelling of these placeholders.")
                                      .arg(unknown.join(QStringLiteral(", "))));
    m_unknownLabel->setVisible(!unknown.isEmpty());
    m_recipientField->setFocus(Qt::OtherFocusReason);
}

void TemplatePreviewDialog::copy()
{
    QGuiApplication::clipboard()->setText(m_message.text());
}

void TemplatePreviewDialog::openInMailClient()
{
    if (!EmailComposer::openInMailClient(m_message))
        MailClientAlert::show(this);
}
