#include "NotificationDialogController.h"

#include "gui/CountUnit.h"
#include "gui/HelpBook.h"
#include "gui/MessageBox.h"
#include "ui_NotificationDialog.h"

#include <QPushButton>

using namespace NotificationSettingsForm;

NotificationDialogController::NotificationDialogController(QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::NotificationDialog>())
{
    m_ui->setupUi(this);
    setWindowModality(Qt::WindowModal);
    QPushButton *ok = m_ui->buttonBox->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &NotificationDialogController::confirm);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &NotificationDialogController::cancel);
    connect(m_ui->buttonBox, &QDialogButtonBox::helpRequested, this, &NotificationDialogController::doHelp);
    for (int i = 0; i < NumberCount; ++i) {
        const auto number = Number(i);
        QSpinBox *field = numberField(number);
        field->setAccessibleName(numberName(number));
        field->setRange(minimum(number), maximum(number));
        // A number only matters while its reminder is on.
        QCheckBox *button = switchButton(Switch(i));
        connect(button, &QCheckBox::toggled, field, &QWidget::setEnabled);
    }
    const auto days = [](int n) { return tr("day(s)", nullptr, n); };
    CountUnit::follow(m_ui->negotiationNotStartedValue, m_ui->negotiationNotStartedUnit, days);
    CountUnit::follow(m_ui->lastingNegotiationValue, m_ui->lastingNegotiationUnit, days);
    CountUnit::follow(m_ui->linkVerificationValue, m_ui->linkVerificationUnit,
                      [](int n) { return tr("day(s) ago", nullptr, n); });
    CountUnit::follow(m_ui->linksInCategoryValue, m_ui->linksInCategoryUnit,
                      [](int n) { return tr("link(s)", nullptr, n); });
}

NotificationDialogController::~NotificationDialogController() = default;

QCheckBox *NotificationDialogController::switchButton(Switch which) const
{
    switch (which) {
    case NegotiationNotStarted:
        return m_ui->negotiationNotStartedButton;
    case LastingNegotiation:
        return m_ui->lastingNegotiationButton;
    case LinkVerification:
        return m_ui->linkVerificationButton;
    case LinksInCategory:
        return m_ui->linksInCategoryButton;
    case VerificationUnsuccessful:
        break;
    }
    return m_ui->linkVerifiedUnsuccessfullyButton;
}

QSpinBox *NotificationDialogController::numberField(Number number) const
{
    switch (number) {
    case NegotiationStartTimeout:
        return m_ui->negotiationNotStartedValue;
    case LastingNegotiationTimeout:
        return m_ui->lastingNegotiationValue;
    case LinkVerificationTimeout:
        return m_ui->linkVerificationValue;
    case LinksInCategoryNumber:
        break;
    }
    return m_ui->linksInCategoryValue;
}

void NotificationDialogController::initializeFields(const NotificationSettings &settings)
{
    m_settings = settings;
    const bool switches[] = {settings.notifyNegotiationNotStarted, settings.notifyLastingNegotiation,
                             settings.notifyLinkVerification, settings.notifyLinksInCategory,
                             settings.notifyVerificationUnsuccessful};
    for (int i = 0; i <= VerificationUnsuccessful; ++i)
        switchButton(Switch(i))->setChecked(switches[i]);
    for (int i = 0; i < NumberCount; ++i) {
        const auto number = Number(i);
        QSpinBox *field = numberField(number);
        const int stored = value(settings, number);
        field->setRange(qMin(minimum(number), stored), qMax(maximum(number), stored));
        field->setValue(stored);
        field->setEnabled(switches[i]);
    }
    switchButton(NegotiationNotStarted)->setFocus();
}

void NotificationDialogController::confirm()
{
    NotificationSettings switches = m_settings;
    switches.notifyNegotiationNotStarted = switchButton(NegotiationNotStarted)->isChecked();
    switches.notifyLastingNegotiation = switchButton(LastingNegotiation)->isChecked();
    switches.notifyLinkVerification = switchButton(LinkVerification)->isChecked();
    switches.notifyLinksInCategory = switchButton(LinksInCategory)->isChecked();
    switches.notifyVerificationUnsuccessful = switchButton(VerificationUnsuccessful)->isChecked();
    std::array<std::optional<int>, NumberCount> numbers;
    for (int i = 0; i < NumberCount; ++i) {
        QSpinBox *field = numberField(Number(i));
        if (field->hasAcceptableInput())
            numbers[size_t(i)] = field->value();
    }
    const CheckResult check = NotificationSettingsForm::check(switches, numbers);
    if (!check.passed) {
        MessageBox::alert(this, check.title, check.message);
        QSpinBox *field = numberField(check.number);
        field->setEnabled(true);
        switchButton(Switch(check.number))->setChecked(true);
        field->setFocus();
        field->selectAll();
        return;
    }
    m_settings = check.settings;
    done(QDialog::Accepted);
}

void NotificationDialogController::cancel()
{
    done(QDialog::Rejected);
}

void NotificationDialogController::reject()
{
    cancel();
}

void NotificationDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshNotifications"), this);
}
