#include "HTMLSetupDialogController.h"

#include "gui/HelpBook.h"
#include "gui/MessageBox.h"
#include "publish/LinksPageStyle.h"
#include "publish/PreviewPage.h"
#include "publish/Themes.h"
#include "ui_HTMLSetupDialog.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

// The style pop-up's items, by tag.
const char *const StyleTitles[] = {
    QT_TRANSLATE_NOOP("HTMLSetupDialogController", "Section titles"),
    QT_TRANSLATE_NOOP("HTMLSetupDialogController", "Separator line"),
    QT_TRANSLATE_NOOP("HTMLSetupDialogController", "Text"),
    QT_TRANSLATE_NOOP("HTMLSetupDialogController", "Emphasized text"),
    QT_TRANSLATE_NOOP("HTMLSetupDialogController", "Links"),
    QT_TRANSLATE_NOOP("HTMLSetupDialogController", "Emphasized links"),
    QT_TRANSLATE_NOOP("HTMLSetupDialogController", "List items"),
    QT_TRANSLATE_NOOP("HTMLSetupDialogController", "Lists"),
};

} // namespace

HTMLSetupDialogController::HTMLSetupDialogController(QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::HTMLSetupDialog>())
{
    m_ui->setupUi(this);
    setWindowModality(Qt::WindowModal);
    for (int tag = 1; tag <= int(std::size(StyleTitles)); ++tag)
        m_ui->editStylePopup->addItem(tr(StyleTitles[tag - 1]), tag);
    m_ui->styleTextView->setMinimumHeight(m_ui->styleTextView->fontMetrics().lineSpacing() * 5 + 12);

    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &HTMLSetupDialogController::confirm);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &HTMLSetupDialogController::cancel);
    connect(m_ui->buttonBox, &QDialogButtonBox::helpRequested, this, &HTMLSetupDialogController::doHelp);
    connect(m_ui->editStylePopup, &QComboBox::currentIndexChanged, this,
            &HTMLSetupDialogController::changeStyle);
    connect(m_ui->previewButton, &QPushButton::clicked, this, &HTMLSetupDialogController::preview);
    for (int theme = Themes::FirstTheme; theme <= Themes::LastTheme; ++theme) {
        QAbstractButton *button = themeButton(theme);
        button->setToolTip(tr("Load the theme \"%1\"").arg(Themes::nameOfTheme(theme)));
        connect(button, &QAbstractButton::clicked, this, [this, theme] { loadPreset(theme); });
    }
    initializeFields(1, 1, {}, true, true);
}

HTMLSetupDialogController::~HTMLSetupDialogController() = default;

void HTMLSetupDialogController::initializeFields(int layout, int targetNew,
                                                 const QList<NamedString> &namedStrings, bool exportNewLinks,
                                                 bool exportNegotiatingLinks)
{
    m_setup.initializeFields(layout, targetNew, namedStrings, exportNewLinks, exportNegotiatingLinks);
    m_ui->tabView->setCurrentIndex(ContentTab);
    {
        const QSignalBlocker blocker(m_ui->editStylePopup);
        m_ui->editStylePopup->setCurrentIndex(0);
    }
    m_previousStyle = selectedStyle();
    fillStyleTextView();

    QRadioButton *layoutButton = m_setup.layout() == LinksPageSetup::ResponsiveLayout ? m_ui->responsiveButton
                                 : m_setup.layout() == 2 ? m_ui->perCategoryButton
                                                         : m_ui->singlePageButton;
    layoutButton->setChecked(true);
    (m_setup.targetNew() == 2 ? m_ui->sameWindowButton : m_ui->newWindowButton)->setChecked(true);
    m_ui->newCheckbox->setChecked(m_setup.exportNewLinks());
    m_ui->negotiatingCheckbox->setChecked(m_setup.exportNegotiatingLinks());
    layoutButton->setFocus();
}

LinksPageSetup HTMLSetupDialogController::setup() const
{
    LinksPageSetup result = m_setup;
    result.setLayout(layout());
    result.setTargetNew(targetNew());
    result.setExportNewLinks(exportNewLinks());
    result.setExportNegotiatingLinks(exportNegotiatingLinks());
    return result;
}

int HTMLSetupDialogController::layout() const
{
    if (m_ui->responsiveButton->isChecked())
        return LinksPageSetup::ResponsiveLayout;
    return m_ui->singlePageButton->isChecked() ? 1 : 2;
}

int HTMLSetupDialogController::targetNew() const
{
    return m_ui->newWindowButton->isChecked() ? 1 : 2;
}

bool HTMLSetupDialogController::exportNewLinks() const
{
    return m_ui->newCheckbox->isChecked();
}

bool HTMLSetupDialogController::exportNegotiatingLinks() const
{
    return m_ui->negotiatingCheckbox->isChecked();
}

int HTMLSetupDialogController::selectedStyle() const
{
    return m_ui->editStylePopup->currentData().toInt();
}

void HTMLSetupDialogController::selectStyle(int tag)
{
    const int index = m_ui->editStylePopup->findData(tag);
    if (index >= 0)
        m_ui->editStylePopup->setCurrentIndex(index);
}

QPlainTextEdit *HTMLSetupDialogController::styleTextView() const
{
    return m_ui->styleTextView;
}

QComboBox *HTMLSetupDialogController::editStylePopup() const
{
    return m_ui->editStylePopup;
}

QTabWidget *HTMLSetupDialogController::tabView() const
{
    return m_ui->tabView;
}

QAbstractButton *HTMLSetupDialogController::themeButton(int theme) const
{
    switch (theme) {
    case Themes::Default:
        return m_ui->defaultThemeButton;
    case Themes::Candy:
        return m_ui->candyThemeButton;
    case Themes::Classic:
        return m_ui->classicThemeButton;
    case Themes::Oblique:
        return m_ui->obliqueThemeButton;
    case Themes::Plain:
        return m_ui->plainThemeButton;
    default:
        return nullptr;
    }
}

void HTMLSetupDialogController::changeStyle()
{
    saveStyleTextViewForStyle(m_previousStyle);
    m_previousStyle = selectedStyle();
    fillStyleTextView();
}

void HTMLSetupDialogController::saveStyleTextViewForStyle(int tag)
{
    m_setup.saveStyleText(tag, m_ui->styleTextView->toPlainText());
}

void HTMLSetupDialogController::fillStyleTextView()
{
    m_ui->styleTextView->setPlainText(m_setup.styleTextForTag(selectedStyle()));
}

bool HTMLSetupDialogController::loadPreset(int theme)
{
    if (theme < Themes::FirstTheme || theme > Themes::LastTheme) {
        fillStyleTextView();
        return false;
    }
    const int answer = MessageBox::alert(
        this, tr("Are you sure you want to load the theme \"%1\"?").arg(Themes::nameOfTheme(theme)),
        tr("This will replace all styles with those defined in the selected theme."),
        {tr("Load Theme"), tr("Cancel")}, MessageBox::Question);
    if (answer != 0)
        return false;
    // The theme replaces every style, the one being edited included.
    m_setup.loadTheme(theme);
    fillStyleTextView();
    return true;
}

bool HTMLSetupDialogController::preview()
{
    saveStyleTextViewForStyle(m_previousStyle);
    QString error;
    // The preview shows the choices of the first tab as they stand, not as the sheet opened.
    if (PreviewPage::show(setup(), &error))
        return true;
    MessageBox::alert(
        this, tr("The preview could not be shown."),
        error.isEmpty()
            ? tr("No application could open the sample page \"%1\".").arg(PreviewPage::tempFilePath())
            : error,
        {}, MessageBox::Warning);
    return false;
}

void HTMLSetupDialogController::confirm()
{
    saveStyleTextViewForStyle(selectedStyle());
    done(QDialog::Accepted);
}

void HTMLSetupDialogController::cancel()
{
    done(QDialog::Rejected);
}

void HTMLSetupDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshLinksPageSetup"), this);
}
