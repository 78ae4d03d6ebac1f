#include "LinkExchangeForm.h"

#include "model/Clock.h"
#include "model/Codes.h"
#include "model/DateTexts.h"
#include "model/Link.h"
#include "ui_LinkDialog.h"

using namespace LinkForm;

LinkExchangeForm::LinkExchangeForm(Ui::LinkDialog &ui) : m_ui(ui) {}

void LinkExchangeForm::reset()
{
    LinkTabForm::reset();
    m_lastVerifiedOn = QDate();
    m_lastVerificationResult = VerificationNotVerified;
    m_ui.requestReceivedButton->setChecked(true);
    m_ui.statusPopup->setCurrentIndex(popupIndexOfStatus(LinkStatusNew));
    m_lastStatusChangedOn = Clock::today();
    showStatusDate();
    showVerification();
}

void LinkExchangeForm::load(const Link &link)
{
    Texts texts;
    texts.contactFirstName = link.contactFirstName();
    texts.contactLastName = link.contactLastName();
    texts.contactEmail = link.contactEmail();
    loadTexts(texts);
    m_lastVerifiedOn = link.lastVerifiedOn();
    m_lastVerificationResult = link.lastVerificationResult();
    (columnOfType(link.type()) == 0 ? m_ui.requestReceivedButton : m_ui.requestSentButton)->setChecked(true);
    m_ui.statusPopup->setCurrentIndex(popupIndexOfStatus(link.status()));
    m_lastStatusChangedOn = link.lastStatusChangedOn();
    showStatusDate();
    showVerification();
}

void LinkExchangeForm::loadTexts(const Texts &texts)
{
    showText(m_ui.webmasterFirstNameField, texts.contactFirstName);
    showText(m_ui.webmasterLastNameField, texts.contactLastName);
    showText(m_ui.webmasterEmailField, texts.contactEmail);
}

void LinkExchangeForm::storeTexts(Texts &texts) const
{
    texts.contactFirstName = m_ui.webmasterFirstNameField->text();
    texts.contactLastName = m_ui.webmasterLastNameField->text();
    texts.contactEmail = m_ui.webmasterEmailField->text();
}

void LinkExchangeForm::storeChoices(Choices &choices) const
{
    choices.lastVerifiedOn = m_lastVerifiedOn;
    choices.lastVerificationResult = m_lastVerificationResult;
    choices.lastStatusChangedOn = m_lastStatusChangedOn;
    choices.type = linkType();
    choices.status = linkStatus();
}

QWidget *LinkExchangeForm::fieldWidget(Field field) const
{
    switch (field) {
    case ContactFirstName:
        return m_ui.webmasterFirstNameField;
    case ContactLastName:
        return m_ui.webmasterLastNameField;
    case ContactEmail:
        return m_ui.webmasterEmailField;
    default:
        return nullptr;
    }
}

QWidget *LinkExchangeForm::firstField() const
{
    return m_ui.webmasterFirstNameField;
}

LinkType LinkExchangeForm::linkType() const
{
    return typeOfColumn(m_ui.requestSentButton->isChecked() ? 1 : 0);
}

LinkStatus LinkExchangeForm::linkStatus() const
{
    return statusOfPopupIndex(m_ui.statusPopup->currentIndex());
}

void LinkExchangeForm::statusChanged()
{
    const StatusStamp stamp = stampForStatus(linkStatus(), Clock::today());
    m_lastStatusChangedOn = stamp.lastStatusChangedOn;
    m_lastVerifiedOn = stamp.lastVerifiedOn;
    m_lastVerificationResult = stamp.lastVerificationResult;
    showStatusDate();
    showVerification();
}

void LinkExchangeForm::chooseStatus(LinkStatus status)
{
    m_ui.statusPopup->setCurrentIndex(popupIndexOfStatus(status));
    statusChanged();
}

void LinkExchangeForm::showStatusDate()
{
    m_ui.lastStatusChangeField->setText(DateTexts::stringForDate(m_lastStatusChangedOn));
}

void LinkExchangeForm::showVerification()
{
    m_ui.lastVerificationField->setText(
        m_lastVerifiedOn.isValid() ? tr("%1 (%2)").arg(DateTexts::stringForDate(m_lastVerifiedOn),
                                                       Codes::verificationLabel(m_lastVerificationResult))
                                   : tr("Never"));
}
