#include "NewSiteDialogController.h"

#include "gui/BrowserOpener.h"
#include "gui/HelpBook.h"
#include "gui/MessageBox.h"
#include "model/AddressTexts.h"
#include "ui_NewSiteDialog.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QUrl>

using namespace SiteProfileForm;

NewSiteDialogController::NewSiteDialogController(QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::NewSiteDialog>())
{
    m_ui->setupUi(this);
    for (QLabel *heading : {m_ui->step1Heading, m_ui->step2Heading, m_ui->step3Heading, m_ui->step4Heading,
                            m_ui->step5Heading}) {
        QFont font = heading->font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 1.25);
        heading->setFont(font);
    }
    m_ui->descriptionField->setFixedHeight(m_ui->descriptionField->fontMetrics().lineSpacing() * 4 + 12);
    // Every step is as tall as the tallest; a shorter one keeps its fields at the top.
    for (QWidget *view :
         {m_ui->step1View, m_ui->step2View, m_ui->step3View, m_ui->step4View, m_ui->step5View}) {
        if (auto *stepLayout = qobject_cast<QBoxLayout *>(view->layout()))
            stepLayout->addStretch();
    }

    m_backButton = m_ui->buttonBox->addButton(tr("&Back"), QDialogButtonBox::ActionRole);
    m_nextButton = m_ui->buttonBox->addButton(tr("&Continue"), QDialogButtonBox::ActionRole);
    m_backButton->setAutoDefault(false);
    m_nextButton->setDefault(true);
    connect(m_backButton, &QPushButton::clicked, this, &NewSiteDialogController::previousStep);
    connect(m_nextButton, &QPushButton::clicked, this, &NewSiteDialogController::confirmStep);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &NewSiteDialogController::cancel);
    connect(m_ui->buttonBox, &QDialogButtonBox::helpRequested, this, &NewSiteDialogController::doHelp);
    connect(m_ui->testMainPageURLButton, &QPushButton::clicked, this,
            &NewSiteDialogController::testMainPageURL);
    connect(m_ui->testLinksPageURLButton, &QPushButton::clicked, this,
            &NewSiteDialogController::testLinksPageURL);

    setWindowModality(Qt::ApplicationModal);
    setMinimumWidth(520);
    initializeFields();
}

NewSiteDialogController::~NewSiteDialogController() = default;

void NewSiteDialogController::initializeFields()
{
    SiteProfileTexts texts;
    texts.URL = texts.linksURL = QStringLiteral("http://");
    setTexts(texts);
    m_ui->singlePageButton->setChecked(true);
    m_userConfirmed = false;
    setCurrentStep(1);
}

QString NewSiteDialogController::title() const
{
    return m_ui->titleField->text();
}

QString NewSiteDialogController::description() const
{
    return m_ui->descriptionField->toPlainText();
}

QString NewSiteDialogController::keywords() const
{
    return m_ui->keywordsField->text();
}

QString NewSiteDialogController::mainPageURL() const
{
    return AddressTexts::completedURL(m_ui->mainPageURLField->text());
}

QString NewSiteDialogController::linksPageURL() const
{
    return AddressTexts::completedURL(m_ui->linksPageURLField->text());
}

QString NewSiteDialogController::contactFirstName() const
{
    return m_ui->contactFirstNameField->text();
}

QString NewSiteDialogController::contactLastName() const
{
    return m_ui->contactLastNameField->text();
}

QString NewSiteDialogController::contactEmail() const
{
    return m_ui->contactEmailField->text();
}

bool NewSiteDialogController::singlePageLayout() const
{
    return m_ui->singlePageButton->isChecked();
}

SiteProfileTexts NewSiteDialogController::texts() const
{
    SiteProfileTexts texts;
    texts.title = title();
    texts.URL = m_ui->mainPageURLField->text();
    texts.description = description();
    texts.keywords = keywords();
    texts.linksURL = m_ui->linksPageURLField->text();
    texts.contactFirstName = contactFirstName();
    texts.contactLastName = contactLastName();
    texts.contactEmail = contactEmail();
    return texts;
}

void NewSiteDialogController::setTexts(const SiteProfileTexts &texts)
{
    // Only changed fields are rewritten, so the cursor stays where it was in the others.
    auto setLine = [](QLineEdit *field, const QString &text) {
        if (field->text() != text)
            field->setText(text);
    };
    setLine(m_ui->titleField, texts.title);
    if (m_ui->descriptionField->toPlainText() != texts.description)
        m_ui->descriptionField->setPlainText(texts.description);
    setLine(m_ui->keywordsField, texts.keywords);
    setLine(m_ui->mainPageURLField, texts.URL);
    setLine(m_ui->linksPageURLField, texts.linksURL);
    setLine(m_ui->contactFirstNameField, texts.contactFirstName);
    setLine(m_ui->contactLastNameField, texts.contactLastName);
    setLine(m_ui->contactEmailField, texts.contactEmail);
}

QWidget *NewSiteDialogController::fieldWidget(Field field) const
{
    switch (field) {
    case Title:
        return m_ui->titleField;
    case Description:
        return m_ui->descriptionField;
    case Keywords:
        return m_ui->keywordsField;
    case MainPageURL:
        return m_ui->mainPageURLField;
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

void NewSiteDialogController::focusField(std::optional<Field> field)
{
    if (!field) {
        // No field takes the cursor; the default button does, so Return goes on.
        m_nextButton->setFocus();
        return;
    }
    QWidget *widget = fieldWidget(*field);
    widget->setFocus();
    if (auto *line = qobject_cast<QLineEdit *>(widget))
        line->selectAll();
    else if (auto *text = qobject_cast<QPlainTextEdit *>(widget))
        text->selectAll();
}

void NewSiteDialogController::setCurrentStep(int step)
{
    m_currentStep = step;
    const QList<QWidget *> views{m_ui->step1View, m_ui->step2View, m_ui->step3View, m_ui->step4View,
                                 m_ui->step5View};
    for (int i = 0; i < views.size(); ++i)
        views.at(i)->setVisible(i + 1 == step);
    m_backButton->setEnabled(step > 1);
    m_nextButton->setText(step == StepCount ? tr("C&reate") : tr("&Continue"));
    m_ui->stepLabel->setText(tr("Step %1 of %2").arg(step).arg(StepCount));

    // One height for every step, the tallest one's at the window's width, so that the buttons stay
    // where they are; the window keeps its top edge and width.
    const QMargins margins = layout()->contentsMargins();
    const int stepWidth = width() - margins.left() - margins.right();
    int tallest = 0;
    for (QWidget *view : views) {
        const QLayout *stepLayout = view->layout();
        tallest = qMax(tallest, stepLayout->hasHeightForWidth() ? stepLayout->totalHeightForWidth(stepWidth)
                                                                : stepLayout->totalSizeHint().height());
    }
    for (QWidget *view : views)
        view->setMinimumHeight(tallest);
    layout()->activate();
    const int height = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width())
                                                     : layout()->totalSizeHint().height();
    resize(width(), qMax(height, layout()->totalMinimumSize().height()));
}

void NewSiteDialogController::confirmStep()
{
    SiteProfileTexts edited = texts();
    const CheckResult check = checkAssistantStep(
        m_currentStep, edited,
        [this](const QString &name, int max) { return MessageBox::askTrim(this, name, max); },
        [this](const QString &title, const QString &message) {
            return MessageBox::askKeep(this, title, message);
        });
    setTexts(edited); // completed addresses and trimmed fields show what will be kept
    if (!check.passed) {
        if (!check.title.isEmpty())
            MessageBox::alert(this, check.title, check.message);
        focusField(check.field);
        return;
    }
    if (m_currentStep == StepCount) {
        m_userConfirmed = true;
        accept();
        return;
    }
    setCurrentStep(m_currentStep + 1);
    focusField(focusFieldOfStep(m_currentStep));
}

void NewSiteDialogController::previousStep()
{
    if (m_currentStep <= 1)
        return;
    setCurrentStep(m_currentStep - 1);
    focusField(focusFieldOfStep(m_currentStep));
}

void NewSiteDialogController::cancel()
{
    m_userConfirmed = false;
    reject();
}

void NewSiteDialogController::testMainPageURL()
{
    if (!AddressTexts::isMissingURL(m_ui->mainPageURLField->text()))
        BrowserOpener::open(this, QUrl(mainPageURL()));
}

void NewSiteDialogController::testLinksPageURL()
{
    if (!AddressTexts::isMissingURL(m_ui->linksPageURLField->text()))
        BrowserOpener::open(this, QUrl(linksPageURL()));
}

void NewSiteDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshNewLinksDatabase"), this);
}
