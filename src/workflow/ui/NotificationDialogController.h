#pragma once

#include "model/SelfInfo.h"
#include "workflow/NotificationSettingsForm.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QSpinBox;

namespace Ui {
class NotificationDialog;
}

// The sheet of a database's reminder settings: five switches and the four numbers beside them. It
// ends with 1 once the numbers passed their check, and settings() then holds what to store.
class NotificationDialogController : public QDialog
{
    Q_OBJECT

public:
    // The switches, in the order of the sheet.
    enum Switch
    {
        NegotiationNotStarted,
        LastingNegotiation,
        LinkVerification,
        LinksInCategory,
        VerificationUnsuccessful
    };

    explicit NotificationDialogController(QWidget *parent);
    ~NotificationDialogController() override;

    // Shows the settings; a stored number outside the offered range is shown as it is, so that the
    // check can ask for a new one instead of changing it unseen.
    void initializeFields(const NotificationSettings &settings);
    // The confirmed settings.
    const NotificationSettings &settings() const { return m_settings; }

    QCheckBox *switchButton(Switch which) const;
    QSpinBox *numberField(NotificationSettingsForm::Number number) const;

public slots:
    void confirm();
    void cancel();
    void reject() override;
    void doHelp();

private:
    std::unique_ptr<Ui::NotificationDialog> m_ui;
    NotificationSettings m_settings;
};
