#include "PreferencesDialogController.h"

#include "gui/CountUnit.h"
#include "gui/HelpBook.h"
#include "mail/ui/MailPreferencesPage.h"
#include "ui_PreferencesDialog.h"

#include <QPushButton>

PreferencesDialogController::PreferencesDialogController(QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PreferencesDialog>()), m_mailPage(new MailPreferencesPage)
{
    m_ui->setupUi(this);
    m_mailPage->setObjectName(QStringLiteral("mailPage"));
    m_ui->pages->addTab(m_mailPage, tr("Mail"));
    m_ui->autoSaveIntervalField->setRange(PreferencesForm::MinimumAutoSaveInterval,
                                          PreferencesForm::MaximumAutoSaveInterval);
    m_ui->autoVerifyDaysField->setRange(0, PreferencesForm::MaximumAutoVerifyDays);
    m_ui->verificationConcurrencyField->setRange(VerificationLimits::MinimumConcurrency,
                                                 VerificationLimits::MaximumConcurrency);
    m_ui->verificationPerHostField->setRange(VerificationLimits::MinimumPerHost,
                                             VerificationLimits::MaximumPerHost);
    m_ui->confirmLossDelayField->setRange(0, CheckSettings::MaximumConfirmDelaySeconds);
    m_ui->movedSearchPagesField->setRange(0, CheckSettings::MaximumMovedSearchPages);
    m_ui->unreachableAlertDaysField->setRange(CheckSettings::MinimumUnreachableAlertDays,
                                              CheckSettings::MaximumUnreachableAlertDays);
    m_ui->crowdedPageLinksField->setRange(CheckSettings::MinimumCrowdedPageLinks,
                                          CheckSettings::MaximumCrowdedPageLinks);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->buttonBox, &QDialogButtonBox::helpRequested, this, &PreferencesDialogController::doHelp);
    // The interval only matters while documents are saved automatically.
    connect(m_ui->autoSaveDocumentsCheckbox, &QCheckBox::toggled, m_ui->autoSaveIntervalField,
            &QWidget::setEnabled);
    connect(m_ui->autoSaveDocumentsCheckbox, &QCheckBox::toggled, m_ui->autoSaveIntervalLabel,
            &QWidget::setEnabled);
    CountUnit::follow(m_ui->autoSaveIntervalField, [](int n) { return tr("%n minute(s)", nullptr, n); });
    CountUnit::follow(m_ui->autoVerifyDaysField, [](int n) { return tr("%n day(s)", nullptr, n); });
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setDefault(true);
    setWindowModality(Qt::ApplicationModal);
}

PreferencesDialogController::~PreferencesDialogController() = default;

void PreferencesDialogController::initializeFields(const PreferencesForm &values)
{
    m_ui->autoSaveDocumentsCheckbox->setChecked(values.autoSaveDocuments);
    m_ui->autoSaveIntervalField->setValue(values.autoSaveInterval);
    m_ui->autoSaveIntervalField->setEnabled(values.autoSaveDocuments);
    m_ui->autoSaveIntervalLabel->setEnabled(values.autoSaveDocuments);
    m_ui->createBackupFilesCheckbox->setChecked(values.createBackupFiles);
    m_ui->emailEncodingPopup->setCurrentIndex(values.emailEncoding);
    m_ui->fileExportEncodingPopup->setCurrentIndex(values.fileExportEncoding);
    m_ui->startupActionPopup->setCurrentIndex(values.startupAction);
    m_ui->showNewSiteCreatedCheckbox->setChecked(values.showNewSiteCreatedAssistant);
    m_ui->autoVerifyDaysField->setValue(values.autoVerifyDays);
    m_ui->verificationConcurrencyField->setValue(values.verificationConcurrency);
    m_ui->verificationPerHostField->setValue(values.verificationPerHost);
    m_ui->confirmLossDelayField->setValue(values.confirmLossDelay);
    m_ui->movedSearchPagesField->setValue(values.movedSearchPages);
    m_ui->unreachableAlertDaysField->setValue(values.unreachableAlertDays);
    m_ui->robotsUserAgentField->setText(values.robotsUserAgent);
    m_ui->crowdedPageLinksField->setValue(values.crowdedPageLinks);
    m_ui->pages->setCurrentIndex(0);
    m_ui->autoSaveDocumentsCheckbox->setFocus();
}

PreferencesForm PreferencesDialogController::values() const
{
    PreferencesForm values;
    values.autoSaveDocuments = m_ui->autoSaveDocumentsCheckbox->isChecked();
    values.autoSaveInterval = m_ui->autoSaveIntervalField->value();
    values.createBackupFiles = m_ui->createBackupFilesCheckbox->isChecked();
    values.emailEncoding = m_ui->emailEncodingPopup->currentIndex();
    values.fileExportEncoding = m_ui->fileExportEncodingPopup->currentIndex();
    values.startupAction = m_ui->startupActionPopup->currentIndex();
    values.showNewSiteCreatedAssistant = m_ui->showNewSiteCreatedCheckbox->isChecked();
    values.autoVerifyDays = m_ui->autoVerifyDaysField->value();
    values.verificationConcurrency = m_ui->verificationConcurrencyField->value();
    values.verificationPerHost = m_ui->verificationPerHostField->value();
    values.confirmLossDelay = m_ui->confirmLossDelayField->value();
    values.movedSearchPages = m_ui->movedSearchPagesField->value();
    values.unreachableAlertDays = m_ui->unreachableAlertDaysField->value();
    values.robotsUserAgent = m_ui->robotsUserAgentField->text().trimmed();
    values.crowdedPageLinks = m_ui->crowdedPageLinksField->value();
    return values;
}

void PreferencesDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshPreferences"), this);
}
