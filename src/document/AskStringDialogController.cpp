#include "AskStringDialogController.h"

#include "gui/HelpBook.h"
#include "gui/MessageBox.h"
#include "model/TextUtils.h"
#include "workflow/CategoryNameForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AskStringDialogController::AskStringDialogController(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AskStringDialog"));
    setWindowTitle(tr("Category"));
    setWindowModality(Qt::WindowModal);

    m_categoryNameField = new QLineEdit(this);
    m_categoryNameField->setObjectName(QStringLiteral("categoryNameField"));
    m_anchorNameField = new QLineEdit(this);
    m_anchorNameField->setObjectName(QStringLiteral("anchorNameField"));
    m_anchorNameField->setToolTip(
        tr("Letters and digits only; it names the category's part of the links page."));
    connect(m_categoryNameField, &QLineEdit::textEdited, this,
            &AskStringDialogController::categoryNameEdited);
    connect(m_anchorNameField, &QLineEdit::textEdited, this, &AskStringDialogController::anchorEdited);

    auto *prompt =
        new QLabel(tr("The name is shown in the lists and on the links page. The ID, made of letters "
                      "and digits only, names the category's part of the links page."),
                   this);
    prompt->setWordWrap(true);

    auto *form = new QFormLayout;
    form->addRow(tr("Category &name*:"), m_categoryNameField);
    form->addRow(tr("Category &ID*:"), m_anchorNameField);
    auto *note = new QLabel(tr("* Required fields"), this);
    QFont small = note->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    note->setFont(small);

    auto *buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &AskStringDialogController::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &AskStringDialogController::cancel);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &AskStringDialogController::doHelp);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
    setMinimumWidth(420);

    connect(this, &QDialog::finished, this, &AskStringDialogController::sheetDidEnd);
}

void AskStringDialogController::initializeWithCategoryName(const QString &name, const QString &anchor,
                                                           Action action,
                                                           const CollectionManager *collectionManager,
                                                           const TreeNode *originalCategory)
{
    m_action = std::move(action);
    m_collectionManager = collectionManager;
    m_originalCategory = originalCategory;
    m_returnCode = 0;
    setWindowTitle(originalCategory ? tr("Edit Category") : tr("New Category"));
    m_anchorNameField->setText(anchor);
    m_anchorFollowsName = anchor.isEmpty();
    m_categoryNameField->setText(name);
    categoryNameEdited(name);
    m_categoryNameField->selectAll();
    m_categoryNameField->setFocus();
}

QString AskStringDialogController::categoryName() const
{
    return m_categoryNameField->text();
}

QString AskStringDialogController::categoryAnchor() const
{
    return m_anchorNameField->text();
}

void AskStringDialogController::categoryNameEdited(const QString &name)
{
    if (!m_collectionManager)
        return;
    const QString proposed =
        name.isEmpty() ? QString()
                       : CategoryNameForm::proposedAnchor(*m_collectionManager, name, m_originalCategory);
    m_anchorNameField->setPlaceholderText(proposed);
    if (m_anchorFollowsName)
        m_anchorNameField->setText(proposed);
}

void AskStringDialogController::anchorEdited(const QString &anchor)
{
    // Emptied, the field shows the proposal and takes it again as the name changes.
    m_anchorFollowsName = anchor.isEmpty();
}

bool AskStringDialogController::checkUniqueness()
{
    const CategoryNameForm::Problem problem =
        CategoryNameForm::check(*m_collectionManager, categoryName(), categoryAnchor(), m_originalCategory);
    if (problem == CategoryNameForm::Problem::None)
        return true;
    const CategoryNameForm::Alert alert = CategoryNameForm::alertFor(problem);
    MessageBox::alert(this, alert.title, alert.message);
    return false;
}

bool AskStringDialogController::checkLength(QLineEdit *field, int maximum, const QString &title,
                                            const QString &message)
{
    if (field->text().size() <= maximum)
        return true;
    if (MessageBox::alert(this, title, message, {tr("OK"), tr("Trim")}, MessageBox::Warning, 0) != 1)
        return false;
    field->setText(TextUtils::stringWithMaxLength(field->text(), maximum));
    return true;
}

void AskStringDialogController::confirm()
{
    if (!m_collectionManager)
        return;
    // An ID left empty takes the one proposed for the name (its placeholder shows it).
    if (categoryAnchor().isEmpty() && !categoryName().isEmpty())
        m_anchorNameField->setText(
            CategoryNameForm::proposedAnchor(*m_collectionManager, categoryName(), m_originalCategory));
    if (!checkUniqueness())
        return;
    const QString nameBefore = categoryName();
    const QString anchorBefore = categoryAnchor();
    const CategoryNameForm::Alert name = CategoryNameForm::nameTooLongAlert();
    if (!checkLength(m_categoryNameField, CategoryNameForm::MaximumNameLength, name.title, name.message))
        return;
    const CategoryNameForm::Alert anchor = CategoryNameForm::anchorTooLongAlert();
    if (!checkLength(m_anchorNameField, CategoryNameForm::MaximumAnchorLength, anchor.title, anchor.message))
        return;
    // A trimmed text may now equal another category's; two categories with one anchor would
    // write their links pages over each other.
    if ((categoryName() != nameBefore || categoryAnchor() != anchorBefore) && !checkUniqueness())
        return;
    done(QDialog::Accepted);
}

void AskStringDialogController::cancel()
{
    done(QDialog::Rejected);
}

void AskStringDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshCategories"), this);
}

void AskStringDialogController::sheetDidEnd(int returnCode)
{
    m_returnCode = returnCode == QDialog::Accepted ? 1 : 0;
    if (m_action) {
        // The action may start the next use of this sheet, so it is taken out first.
        Action action = std::move(m_action);
        m_action = nullptr;
        action(this);
    }
}
