#include "InstantLinkDialogController.h"

#include "gui/HelpBook.h"
#include "gui/MessageBox.h"
#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "model/Preferences.h"
#include "ui_InstantLinkDialog.h"
#include "workflow/EmailTemplateListModel.h"

#include <QPushButton>

using namespace LinkForm;

InstantLinkDialogController::InstantLinkDialogController(const CollectionManager *collectionManager,
                                                         QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::InstantLinkDialog>()),
      m_collectionManager(collectionManager), m_link(m_blankLink)
{
    m_ui->setupUi(this);
    setWindowModality(Qt::ApplicationModal);
    setMinimumWidth(520);
    QPushButton *add = m_ui->buttonBox->button(QDialogButtonBox::Ok);
    add->setText(tr("&Add"));
    add->setDefault(true);
    connect(add, &QPushButton::clicked, this, &InstantLinkDialogController::confirm);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &InstantLinkDialogController::cancel);
    connect(m_ui->buttonBox, &QDialogButtonBox::helpRequested, this, &InstantLinkDialogController::doHelp);
    connect(m_ui->checkUniqueButton, &QPushButton::clicked, this, &InstantLinkDialogController::checkUnique);
    connect(m_ui->sendMessageCheckbox, &QCheckBox::toggled, m_ui->messagePopup, &QWidget::setEnabled);
    m_messages = new EmailTemplateListModel(collectionManager, this);
    m_messages->setLeadingItem(tr("Blank message"));
    m_ui->messagePopup->setModel(m_messages);
}

InstantLinkDialogController::~InstantLinkDialogController() = default;

void InstantLinkDialogController::initializeFields()
{
    m_userConfirmed = false;
    rebuildCategoryPopup();
    Texts texts;
    texts.URL = texts.linksPageURL = QStringLiteral("http://");
    setTexts(texts);
    m_messages->templatesChanged();
    const bool received = Preferences::intValue(Preferences::InstantLinkRequestType) == int(LinkTypeReceived);
    (received ? m_ui->requestReceivedButton : m_ui->requestSentButton)->setChecked(true);
    const bool send = Preferences::boolValue(Preferences::InstantLinkSendMessage);
    m_ui->sendMessageCheckbox->setChecked(send);
    m_ui->messagePopup->setEnabled(send);
    m_ui->messagePopup->setCurrentIndex(messagePopupIndex(
        Preferences::intValue(Preferences::InstantLinkTemplateIndex), m_ui->messagePopup->count()));
    m_ui->nameField->setFocus();
}

void InstantLinkDialogController::rebuildCategoryPopup()
{
    QComboBox *popup = m_ui->categoryPopup;
    popup->clear();
    for (const TreeNode *node : m_collectionManager->categoryRoot()->children()) {
        const Category *category = node->category();
        popup->addItem(category ? category->nodeTitle() : QString());
    }
    if (popup->count() >= 2)
        popup->insertSeparator(1);
    popup->setCurrentIndex(0);
}

void InstantLinkDialogController::selectCategoryAtIndex(int categoryIndex)
{
    const int count = m_collectionManager->categoryRoot()->numberOfChildren();
    if (categoryIndex >= 0 && categoryIndex < count)
        m_ui->categoryPopup->setCurrentIndex(popupIndexOfCategory(categoryIndex, count));
}

int InstantLinkDialogController::categoryIndex() const
{
    return categoryIndexOfPopupIndex(m_ui->categoryPopup->currentIndex(),
                                     m_collectionManager->categoryRoot()->numberOfChildren());
}

LinkType InstantLinkDialogController::originalRequest() const
{
    return typeOfColumn(m_ui->requestSentButton->isChecked() ? 1 : 0);
}

bool InstantLinkDialogController::shouldSendMessage() const
{
    return m_ui->sendMessageCheckbox->isChecked();
}

int InstantLinkDialogController::emailTemplateIndex() const
{
    return templateIndexOfMessagePopupIndex(m_ui->messagePopup->currentIndex());
}

LinkForm::Texts InstantLinkDialogController::texts() const
{
    Texts texts;
    texts.title = m_ui->nameField->text();
    texts.description = m_ui->descriptionField->text();
    texts.URL = m_ui->URLField->text();
    texts.linksPageURL = m_ui->linksPageURLField->text();
    texts.myCategory = m_ui->myCategoryField->text();
    texts.contactEmail = m_ui->contactEmailField->text();
    return texts;
}

void InstantLinkDialogController::setTexts(const Texts &texts)
{
    for (const Field field : {Title, Description, MainPageURL, LinksPageURL, MyCategory, ContactEmail}) {
        auto *line = static_cast<QLineEdit *>(fieldWidget(field));
        const QString value = text(texts, field);
        if (line->text() != value) {
            line->setText(value);
            line->setCursorPosition(0);
        }
    }
}

QWidget *InstantLinkDialogController::fieldWidget(Field field) const
{
    switch (field) {
    case Description:
        return m_ui->descriptionField;
    case MainPageURL:
        return m_ui->URLField;
    case LinksPageURL:
        return m_ui->linksPageURLField;
    case MyCategory:
        return m_ui->myCategoryField;
    case ContactEmail:
        return m_ui->contactEmailField;
    default:
        return m_ui->nameField;
    }
}

QComboBox *InstantLinkDialogController::categoryPopup() const
{
    return m_ui->categoryPopup;
}

QComboBox *InstantLinkDialogController::messagePopup() const
{
    return m_ui->messagePopup;
}

QCheckBox *InstantLinkDialogController::sendMessageCheckbox() const
{
    return m_ui->sendMessageCheckbox;
}

QAbstractButton *InstantLinkDialogController::requestSentButton() const
{
    return m_ui->requestSentButton;
}

void InstantLinkDialogController::extractLinkInfo()
{
    const QString categoryID = m_collectionManager->IDOfCategoryWithIndex(categoryIndex());
    m_link = m_blankLink;
    m_link.setTitle(instantLinkFields(texts(), categoryID, originalRequest(), Clock::today()));
}

void InstantLinkDialogController::confirm()
{
    Texts edited = texts();
    const CheckResult check = checkInstantLink(edited, [this](Field field) {
        return MessageBox::askTrim(this, fieldName(field), maxLength(field));
    });
    setTexts(edited);
    if (!check.passed) {
        if (!check.title.isEmpty())
            MessageBox::alert(this, check.title, check.message);
        auto *line = static_cast<QLineEdit *>(fieldWidget(check.field));
        line->setFocus();
        line->selectAll();
        return;
    }
    if (m_collectionManager->linkWithURLAlreadyExists(edited.URL) &&
        MessageBox::alert(this, duplicateAddressQuestion(edited.URL), QString(), duplicateAddressButtons()) !=
            0) {
        m_ui->URLField->setFocus();
        m_ui->URLField->selectAll();
        return;
    }
    m_userConfirmed = true;
    Preferences::setValue(Preferences::InstantLinkSendMessage, shouldSendMessage());
    Preferences::setValue(Preferences::InstantLinkTemplateIndex, emailTemplateIndex());
    Preferences::setValue(Preferences::InstantLinkRequestType, int(originalRequest()));
    extractLinkInfo();
    done(QDialog::Accepted);
}

void InstantLinkDialogController::cancel()
{
    m_userConfirmed = false;
    done(QDialog::Rejected);
}

void InstantLinkDialogController::reject()
{
    cancel();
}

void InstantLinkDialogController::checkUnique()
{
    const QString url = completedURL(m_ui->URLField->text());
    m_ui->URLField->setText(url);
    if (m_collectionManager->linkWithURLAlreadyExists(url)) {
        MessageBox::alert(this, tr("This URL is not unique."),
                          tr("Another link with the same URL already exists."), {}, MessageBox::Critical);
    } else {
        MessageBox::alert(this, tr("This URL is unique."), tr("No other links have the same URL."), {},
                          MessageBox::Information);
    }
}

void InstantLinkDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshInstantLink"), this);
}
