#include "WelcomeDialogController.h"

#include "ApplicationController.h"
#include "gui/HelpBook.h"
#include "model/Preferences.h"
#include "ui_WelcomeDialog.h"
#include "workflow/PreferencesForm.h"

#include <QIcon>
#include <QPushButton>

WelcomeDialogController::WelcomeDialogController(QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::WelcomeDialog>())
{
    m_ui->setupUi(this);
    m_ui->iconLabel->setPixmap(QIcon(QStringLiteral(":/images/quillmarsh.svg")).pixmap(64, 64));
    QFont titleFont = m_ui->titleLabel->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    m_ui->titleLabel->setFont(titleFont);

    QPushButton *quitButton =
        m_ui->buttonBox->addButton(tr("&Quit Quillmarsh"), QDialogButtonBox::DestructiveRole);
    connect(quitButton, &QPushButton::clicked, this, &WelcomeDialogController::quit);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->buttonBox, &QDialogButtonBox::helpRequested, this, &WelcomeDialogController::doHelp);
    connect(m_ui->newDocButton, &QPushButton::clicked, this, &WelcomeDialogController::newDoc);
    connect(m_ui->openDocButton, &QPushButton::clicked, this, &WelcomeDialogController::openDoc);
    connect(m_ui->tutorialButton, &QPushButton::clicked, this, &WelcomeDialogController::showTutorial);
    m_ui->newDocButton->setDefault(true);
    setMinimumWidth(560);
    setWindowModality(Qt::ApplicationModal);
}

WelcomeDialogController::~WelcomeDialogController() = default;

void WelcomeDialogController::initializeFields()
{
    m_actionCode = ClosedWithoutChoice;
    m_ui->showAtStartupCheckbox->setChecked(Preferences::intValue(Preferences::StartupAction) == 2);
    m_ui->newDocButton->setFocus();
}

void WelcomeDialogController::done(int result)
{
    Preferences::setValue(Preferences::StartupAction, PreferencesForm::startupActionForWelcomeWindow(
                                                          m_ui->showAtStartupCheckbox->isChecked()));
    QDialog::done(result);
}

void WelcomeDialogController::closeWithAction(int actionCode)
{
    m_actionCode = actionCode;
    done(actionCode == ClosedWithoutChoice ? QDialog::Rejected : QDialog::Accepted);
}

void WelcomeDialogController::newDoc()
{
    closeWithAction(NewDocument);
}

void WelcomeDialogController::openDoc()
{
    closeWithAction(OpenDocument);
}

void WelcomeDialogController::quit()
{
    closeWithAction(Quit);
}

void WelcomeDialogController::showTutorial()
{
    if (ApplicationController *application = ApplicationController::instance())
        application->showTutorial();
}

void WelcomeDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshIntro"), this);
}
