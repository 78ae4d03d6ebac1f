#pragma once

#include "LinkTabForm.h"

#include <QCoreApplication>
#include <QDate>

namespace Ui {
class LinkDialog;
}

// The link editor's Exchange tab: the partner's webmaster, who asked for the exchange, its status
// with the date it was set, and the last verification.
class LinkExchangeForm : public LinkTabForm
{
    Q_DECLARE_TR_FUNCTIONS(LinkExchangeForm)

public:
    explicit LinkExchangeForm(Ui::LinkDialog &ui);

    // Received, New since today, never verified.
    void reset() override;
    void load(const Link &link) override;
    void loadTexts(const LinkForm::Texts &texts) override;
    void storeTexts(LinkForm::Texts &texts) const override;
    void storeChoices(LinkForm::Choices &choices) const override;
    QWidget *fieldWidget(LinkForm::Field field) const override;
    QWidget *firstField() const override;

    LinkType linkType() const;
    LinkStatus linkStatus() const;
    QDate lastStatusChangedOn() const { return m_lastStatusChangedOn; }
    QDate lastVerifiedOn() const { return m_lastVerifiedOn; }
    VerificationResult lastVerificationResult() const { return m_lastVerificationResult; }

    // The status pop-up's choice: dated today; Approved counts as verified today.
    void statusChanged();
    // Shows the status as if chosen in the pop-up.
    void chooseStatus(LinkStatus status);

private:
    void showStatusDate();
    void showVerification();

    Ui::LinkDialog &m_ui;
    QDate m_lastStatusChangedOn;
    QDate m_lastVerifiedOn;
    VerificationResult m_lastVerificationResult = VerificationNotVerified;
};
