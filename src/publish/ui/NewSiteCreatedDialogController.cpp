#include "NewSiteCreatedDialogController.h"

#include "gui/HelpBook.h"
#include "model/Preferences.h"
#include "ui_NewSiteCreatedDialog.h"

#include <QIcon>
#include <QPushButton>

NewSiteCreatedDialogController::NewSiteCreatedDialogController(QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::NewSiteCreatedDialog>())
{
    m_ui->setupUi(this);
    m_ui->iconLabel->setPixmap(QIcon(QStringLiteral(":/images/quillmarsh.svg")).pixmap(64, 64));
    QFont headingFont = m_ui->headingLabel->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.25);
    m_ui->headingLabel->setFont(headingFont);

    QPushButton *tutorial = m_ui->buttonBox->addButton(tr("Show &Tutorial"), QDialogButtonBox::ActionRole);
    tutorial->setAutoDefault(false);
    connect(tutorial, &QPushButton::clicked, this, &NewSiteCreatedDialogController::tutorialRequested);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->buttonBox, &QDialogButtonBox::helpRequested, this, &NewSiteCreatedDialogController::doHelp);
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setDefault(true);
    setMinimumWidth(500);
    setWindowModality(Qt::ApplicationModal);
}

NewSiteCreatedDialogController::~NewSiteCreatedDialogController() = default;

void NewSiteCreatedDialogController::initializeFields()
{
    m_ui->showNextTimeCheckbox->setChecked(Preferences::boolValue(Preferences::ShowNewSiteCreatedMessage));
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setFocus();
}

bool NewSiteCreatedDialogController::showNextTime() const
{
    return m_ui->showNextTimeCheckbox->isChecked();
}

void NewSiteCreatedDialogController::setShowNextTime(bool show)
{
    m_ui->showNextTimeCheckbox->setChecked(show);
}

void NewSiteCreatedDialogController::done(int result)
{
    Preferences::setValue(Preferences::ShowNewSiteCreatedMessage, showNextTime());
    QDialog::done(result);
}

void NewSiteCreatedDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshNewLinksDatabase"), this);
}
