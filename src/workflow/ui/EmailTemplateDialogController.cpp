#include "EmailTemplateDialogController.h"

#include "gui/HelpBook.h"
#include "gui/KeyOrder.h"
#include "gui/MessageBox.h"
#include "model/CollectionManager.h"
#include "ui_EmailTemplateDialog.h"
#include "workflow/EmailComposer.h"
#include "workflow/EmailTemplateForm.h"

#include <QEvent>
#include <QPushButton>

using namespace EmailTemplateForm;

namespace {
bool placeholderIsPartners(const QPushButton *button)
{
    return button->property("partner").toBool();
}
} // namespace

EmailTemplateDialogController::EmailTemplateDialogController(const CollectionManager *store, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::EmailTemplateDialog>()), m_store(store)
{
    m_ui->setupUi(this);
    m_ui->bodyView->setMinimumHeight(m_ui->bodyView->fontMetrics().lineSpacing() * 6 + 12);
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setDefault(true);
    m_previewButton = m_ui->buttonBox->addButton(tr("&Preview"), QDialogButtonBox::ActionRole);
    m_previewButton->setToolTip(
        tr("Open the message in your mail client as it would read for the selected link"));
    m_previewButton->setAutoDefault(false);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &EmailTemplateDialogController::confirm);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &EmailTemplateDialogController::cancel);
    connect(m_ui->buttonBox, &QDialogButtonBox::helpRequested, this, &EmailTemplateDialogController::doHelp);
    connect(m_previewButton, &QPushButton::clicked, this, &EmailTemplateDialogController::preview);

    // The partner's placeholders in three columns, the user's own beside them.
    int partnerIndex = 0;
    int ownIndex = 0;
    for (const Placeholder &placeholder : placeholders()) {
        auto *button = new QPushButton(placeholder.title);
        button->setToolTip(tr("Type %1").arg(placeholder.literal));
        button->setAccessibleName(placeholder.partner ? tr("Insert the partner's %1").arg(placeholder.title)
                                                      : tr("Insert your %1").arg(placeholder.title));
        button->setAccessibleDescription(placeholder.literal);
        button->setProperty("placeholder", placeholder.literal);
        button->setProperty("partner", placeholder.partner);
        // A click leaves the keyboard in the text, where the placeholder goes; Tab still reaches it.
        button->setFocusPolicy(Qt::TabFocus);
        button->setAutoDefault(false);
        const QString literal = placeholder.literal;
        connect(button, &QPushButton::clicked, this, [this, literal] { insertPlaceholder(literal); });
        if (placeholder.partner) {
            m_ui->partnerLayout->addWidget(button, partnerIndex / 3, partnerIndex % 3);
            ++partnerIndex;
        } else {
            m_ui->ownLayout->addWidget(button, ownIndex / 3, ownIndex % 3);
            ++ownIndex;
        }
        m_placeholderButtons.append(button);
    }
    // Tab: the three fields, the partner's placeholders, the user's own, then the buttons.
    QList<QWidget *> chain{m_ui->nameField, m_ui->subjectField, m_ui->bodyView};
    for (bool partner : {true, false}) {
        for (QPushButton *button : std::as_const(m_placeholderButtons)) {
            if (placeholderIsPartners(button) == partner)
                chain.append(button);
        }
    }
    KeyOrder::chain(chain + KeyOrder::buttonsOnScreen(m_ui->buttonBox));
    for (QWidget *field :
         {static_cast<QWidget *>(m_ui->nameField), static_cast<QWidget *>(m_ui->subjectField),
          static_cast<QWidget *>(m_ui->bodyView)})
        field->installEventFilter(this);
    setWindowModality(Qt::ApplicationModal);
    // Wider than the buttons need, so the body has room; never narrower than the layout allows.
    resize(qMax(600, sizeHint().width()), sizeHint().height());
}

EmailTemplateDialogController::~EmailTemplateDialogController() = default;

QLineEdit *EmailTemplateDialogController::nameField() const
{
    return m_ui->nameField;
}

QLineEdit *EmailTemplateDialogController::subjectField() const
{
    return m_ui->subjectField;
}

QPlainTextEdit *EmailTemplateDialogController::bodyView() const
{
    return m_ui->bodyView;
}

QPushButton *EmailTemplateDialogController::placeholderButton(const QString &placeholder) const
{
    for (QPushButton *button : m_placeholderButtons) {
        if (button->property("placeholder").toString() == placeholder)
            return button;
    }
    return nullptr;
}

void EmailTemplateDialogController::initializeFieldsWithEmailTemplate(const EmailTemplate *emailTemplate,
                                                                      const Link *selectedLink)
{
    m_userConfirmed = false;
    m_editedTemplateID = emailTemplate ? emailTemplate->ID() : QString();
    m_linkID = selectedLink ? selectedLink->ID() : QString();
    m_ui->nameField->setText(emailTemplate ? emailTemplate->name() : QString());
    m_ui->subjectField->setText(emailTemplate ? emailTemplate->subject() : QString());
    m_ui->bodyView->setPlainText(emailTemplate ? emailTemplate->body() : QString());
    setWindowTitle(emailTemplate ? tr("Edit E-mail Template") : tr("New E-mail Template"));
    m_focus = -1;
    focusField(Name);
}

void EmailTemplateDialogController::runModal(QWidget *over)
{
    // Centred on the window that asked, then home again: the editor outlives the sheets it serves.
    QWidget *home = parentWidget();
    if (over && over != home)
        setParent(over, windowFlags());
    exec();
    if (parentWidget() != home)
        setParent(home, windowFlags());
}

bool EmailTemplateDialogController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_ui->nameField)
            m_focus = 0;
        else if (watched == m_ui->subjectField)
            m_focus = 1;
        else if (watched == m_ui->bodyView)
            m_focus = 2;
    }
    return QDialog::eventFilter(watched, event);
}

void EmailTemplateDialogController::focusField(int field)
{
    switch (field) {
    case Name:
        m_ui->nameField->setFocus(Qt::OtherFocusReason);
        m_ui->nameField->selectAll();
        break;
    case Subject:
        m_ui->subjectField->setFocus(Qt::OtherFocusReason);
        m_ui->subjectField->selectAll();
        break;
    default:
        m_ui->bodyView->setFocus(Qt::OtherFocusReason);
        break;
    }
}

int EmailTemplateDialogController::focus() const
{
    // The buttons take no focus from a click, so the field last written in is the one meant.
    const QWidget *current = focusWidget();
    return current == m_ui->nameField      ? 0
           : current == m_ui->subjectField ? 1
           : current == m_ui->bodyView     ? 2
                                           : m_focus;
}

bool EmailTemplateDialogController::insertPlaceholder(const QString &placeholder)
{
    switch (focus()) {
    case 1:
        m_ui->subjectField->insert(placeholder);
        m_ui->subjectField->setFocus(Qt::OtherFocusReason);
        return true;
    case 2:
        m_ui->bodyView->insertPlainText(placeholder);
        m_ui->bodyView->setFocus(Qt::OtherFocusReason);
        return true;
    default:
        MessageBox::alert(this, placeholderInNameTitle(), placeholderInNameMessage());
        return false;
    }
}

void EmailTemplateDialogController::preview()
{
    const Link *link = m_linkID.isEmpty() ? nullptr : m_store->linkWithID(m_linkID);
    if (!EmailComposer::preview(*m_store, m_ui->subjectField->text(), m_ui->bodyView->toPlainText(), link)) {
        MessageBox::alert(this, tr("The message could not be handed to your mail client."),
                          tr("Check that an e-mail program is set up as the default mail application."));
    }
}

void EmailTemplateDialogController::confirm()
{
    Texts texts{m_ui->nameField->text(), m_ui->subjectField->text(), m_ui->bodyView->toPlainText()};
    const CheckResult check =
        EmailTemplateForm::check(texts, *m_store, m_editedTemplateID, [this](const QString &name, int max) {
            return MessageBox::askTrim(this, name, max);
        });
    // Trimmed fields show what will be kept.
    if (m_ui->nameField->text() != texts.name)
        m_ui->nameField->setText(texts.name);
    if (m_ui->subjectField->text() != texts.subject)
        m_ui->subjectField->setText(texts.subject);
    if (m_ui->bodyView->toPlainText() != texts.body)
        m_ui->bodyView->setPlainText(texts.body);
    if (!check.passed) {
        if (!check.title.isEmpty())
            MessageBox::alert(this, check.title, check.message);
        focusField(check.field);
        return;
    }
    m_userConfirmed = true;
    m_templateData.setName(texts.name, texts.subject, texts.body);
    done(QDialog::Accepted);
}

void EmailTemplateDialogController::cancel()
{
    m_userConfirmed = false;
    done(QDialog::Rejected);
}

void EmailTemplateDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshEmailTemplates"), this);
}
