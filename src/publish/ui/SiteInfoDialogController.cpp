#include "SiteInfoDialogController.h"

#include "gui/BrowserOpener.h"
#include "gui/HelpBook.h"
#include "gui/MessageBox.h"
#include "model/AddressTexts.h"
#include "ui_SiteInfoDialog.h"

#include <QPushButton>
#include <QUrl>

using namespace SiteProfileForm;

SiteInfoDialogController::SiteInfoDialogController(QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::SiteInfoDialog>())
{
    m_ui->setupUi(this);
    m_ui->descriptionField->setFixedHeight(m_ui->descriptionField->fontMetrics().lineSpacing() * 4 + 12);
    m_cancelButton = m_ui->buttonBox->button(QDialogButtonBox::Cancel);
    m_cancelText = m_cancelButton->text();
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &SiteInfoDialogController::confirm);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &SiteInfoDialogController::cancel);
    connect(m_ui->buttonBox, &QDialogButtonBox::helpRequested, this, &SiteInfoDialogController::doHelp);
    connect(m_ui->URLGoButton, &QPushButton::clicked, this, &SiteInfoDialogController::URLGo);
    connect(m_ui->linksPageURLGoButton, &QPushButton::clicked, this,
            &SiteInfoDialogController::linksPageURLGo);
    setWindowModality(Qt::WindowModal);
    setMinimumWidth(520);
}

SiteInfoDialogController::~SiteInfoDialogController() = default;

void SiteInfoDialogController::initializeFields(const SelfInfo &siteInfo)
{
    m_siteInfo = siteInfo;
    setTexts(siteInfo.texts());
    m_ui->titleField->setFocus();
    m_ui->titleField->selectAll();
}

void SiteInfoDialogController::setFirstTimeMode(bool firstTimeMode)
{
    m_firstTimeMode = firstTimeMode;
    m_cancelButton->setText(firstTimeMode ? tr("Close Database") : m_cancelText);
}

SiteProfileTexts SiteInfoDialogController::texts() const
{
    SiteProfileTexts texts;
    texts.title = m_ui->titleField->text();
    texts.URL = m_ui->URLField->text();
    texts.description = m_ui->descriptionField->toPlainText();
    texts.keywords = m_ui->keywordsField->text();
    texts.linksURL = m_ui->linksPageURLField->text();
    texts.contactFirstName = m_ui->contactFirstNameField->text();
    texts.contactLastName = m_ui->contactLastNameField->text();
    texts.contactEmail = m_ui->contactEmailField->text();
    return texts;
}

void SiteInfoDialogController::setTexts(const SiteProfileTexts &texts)
{
    auto setLine = [](QLineEdit *field, const QString &text) {
        if (field->text() != text)
            field->setText(text);
    };
    setLine(m_ui->titleField, texts.title);
    if (m_ui->descriptionField->toPlainText() != texts.description)
        m_ui->descriptionField->setPlainText(texts.description);
    setLine(m_ui->keywordsField, texts.keywords);
    setLine(m_ui->URLField, texts.URL);
    setLine(m_ui->linksPageURLField, texts.linksURL);
    setLine(m_ui->contactFirstNameField, texts.contactFirstName);
    setLine(m_ui->contactLastNameField, texts.contactLastName);
    setLine(m_ui->contactEmailField, texts.contactEmail);
}

QWidget *SiteInfoDialogController::fieldWidget(Field field) const
{
    switch (field) {
    case Title:
        return m_ui->titleField;
    case Description:
        return m_ui->descriptionField;
    case Keywords:
        return m_ui->keywordsField;
    case MainPageURL:
        return m_ui->URLField;
    case LinksPageURL:
        return m_ui->linksPageURLField;
    case ContactFirstName:
        return m_ui->contactFirstNameField;
    case ContactLastName:
        return m_ui->contactLastNameField;
    case ContactEmail:
        break;
    }
    return m_ui->contactEmailField;
}

void SiteInfoDialogController::confirm()
{
    SiteProfileTexts edited = texts();
    const CheckResult check = checkSiteInfo(
        edited, [this](const QString &name, int max) { return MessageBox::askTrim(this, name, max); },
        [this](const QString &title, const QString &message) {
            return MessageBox::askKeep(this, title, message);
        });
    setTexts(edited);
    if (!check.passed) {
        if (!check.title.isEmpty())
            MessageBox::alert(this, check.title, check.message);
        QWidget *field = fieldWidget(check.field);
        field->setFocus();
        if (auto *line = qobject_cast<QLineEdit *>(field))
            line->selectAll();
        return;
    }
    m_firstTimeMode = false;
    extractSiteInfo();
    done(QDialog::Accepted);
}

void SiteInfoDialogController::cancel()
{
    done(QDialog::Rejected);
}

void SiteInfoDialogController::extractSiteInfo()
{
    SiteProfileTexts confirmed = texts();
    confirmed.URL = AddressTexts::completedURL(confirmed.URL);
    confirmed.linksURL = AddressTexts::completedURL(confirmed.linksURL);
    m_siteInfo.setTitle(confirmed);
}

void SiteInfoDialogController::URLGo()
{
    if (!AddressTexts::isMissingURL(m_ui->URLField->text()))
        BrowserOpener::open(this, QUrl(AddressTexts::completedURL(m_ui->URLField->text())));
}

void SiteInfoDialogController::linksPageURLGo()
{
    if (!AddressTexts::isMissingURL(m_ui->linksPageURLField->text()))
        BrowserOpener::open(this, QUrl(AddressTexts::completedURL(m_ui->linksPageURLField->text())));
}

void SiteInfoDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshEditSiteInfo"), this);
}
