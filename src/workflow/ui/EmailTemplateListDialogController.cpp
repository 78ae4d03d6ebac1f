#include "EmailTemplateListDialogController.h"

#include "EmailTemplateChanges.h"
#include "EmailTemplateDialogController.h"
#include "gui/FilePanel.h"
#include "gui/HelpBook.h"
#include "gui/KeyOrder.h"
#include "gui/MessageBox.h"
#include "model/CollectionManager.h"
#include "ui_EmailTemplateListDialog.h"
#include "workflow/EmailTemplateFile.h"
#include "workflow/EmailTemplateForm.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>

namespace {
const QString TemplatesSuffix = QStringLiteral("emlt");
}

EmailTemplateListDialogController::EmailTemplateListDialogController(const CollectionManager *store,
                                                                     EmailTemplateDialogController *editor,
                                                                     EmailTemplateChanges *changes,
                                                                     QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::EmailTemplateListDialog>()), m_store(store),
      m_editor(editor), m_changes(changes)
{
    m_ui->setupUi(this);
    m_ui->listView->setAccessibleName(tr("E-mail templates"));
    QPushButton *close = m_ui->buttonBox->button(QDialogButtonBox::Close);
    close->setText(tr("Done"));
    close->setDefault(true);
    for (QPushButton *button : {m_ui->newButton, m_ui->editButton, m_ui->duplicateButton, m_ui->deleteButton,
                                m_ui->importButton, m_ui->exportButton})
        button->setAutoDefault(false);
    KeyOrder::chain(QList<QWidget *>{m_ui->listView, m_ui->newButton, m_ui->editButton, m_ui->duplicateButton,
                                     m_ui->deleteButton, m_ui->importButton, m_ui->exportButton} +
                    KeyOrder::buttonsOnScreen(m_ui->buttonBox));
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &EmailTemplateListDialogController::reject);
    connect(m_ui->buttonBox, &QDialogButtonBox::helpRequested, this,
            &EmailTemplateListDialogController::doHelp);
    connect(m_ui->newButton, &QPushButton::clicked, this, &EmailTemplateListDialogController::newTemplate);
    connect(m_ui->editButton, &QPushButton::clicked, this, &EmailTemplateListDialogController::editTemplate);
    connect(m_ui->duplicateButton, &QPushButton::clicked, this,
            &EmailTemplateListDialogController::duplicateTemplate);
    connect(m_ui->deleteButton, &QPushButton::clicked, this,
            &EmailTemplateListDialogController::deleteTemplate);
    connect(m_ui->importButton, &QPushButton::clicked, this,
            &EmailTemplateListDialogController::importTemplates);
    connect(m_ui->exportButton, &QPushButton::clicked, this,
            &EmailTemplateListDialogController::exportTemplates);
    connect(m_ui->listView, &QListWidget::itemSelectionChanged, this,
            &EmailTemplateListDialogController::enableButtons);
    connect(m_ui->listView, &QListWidget::itemDoubleClicked, this,
            &EmailTemplateListDialogController::editTemplate);
    setWindowModality(Qt::WindowModal);
}

EmailTemplateListDialogController::~EmailTemplateListDialogController() = default;

QListWidget *EmailTemplateListDialogController::listView() const
{
    return m_ui->listView;
}

QPushButton *EmailTemplateListDialogController::newButton() const
{
    return m_ui->newButton;
}

QPushButton *EmailTemplateListDialogController::editButton() const
{
    return m_ui->editButton;
}

QPushButton *EmailTemplateListDialogController::duplicateButton() const
{
    return m_ui->duplicateButton;
}

QPushButton *EmailTemplateListDialogController::deleteButton() const
{
    return m_ui->deleteButton;
}

QPushButton *EmailTemplateListDialogController::importButton() const
{
    return m_ui->importButton;
}

QPushButton *EmailTemplateListDialogController::exportButton() const
{
    return m_ui->exportButton;
}

void EmailTemplateListDialogController::initializeFieldsWithSelectedLink(const Link *link)
{
    m_link = link;
    refreshTable();
    m_ui->listView->clearSelection();
    m_ui->listView->setCurrentRow(-1);
    m_ui->listView->setFocus(Qt::OtherFocusReason);
    enableButtons();
}

void EmailTemplateListDialogController::refreshTable()
{
    const int selected = selectedRow();
    m_ui->listView->clear();
    for (const auto &emailTemplate : m_store->emailTemplates())
        m_ui->listView->addItem(emailTemplate->name());
    if (selected >= 0 && selected < m_ui->listView->count())
        selectRow(selected);
    enableButtons();
}

int EmailTemplateListDialogController::selectedRow() const
{
    const QList<QListWidgetItem *> items = m_ui->listView->selectedItems();
    return items.isEmpty() ? -1 : m_ui->listView->row(items.constFirst());
}

void EmailTemplateListDialogController::selectRow(int row)
{
    if (row < 0 || row >= m_ui->listView->count()) {
        m_ui->listView->clearSelection();
        return;
    }
    m_ui->listView->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    m_ui->listView->scrollToItem(m_ui->listView->item(row));
}

void EmailTemplateListDialogController::enableButtons()
{
    const bool selected = selectedRow() >= 0;
    m_ui->editButton->setEnabled(selected);
    m_ui->duplicateButton->setEnabled(selected);
    m_ui->deleteButton->setEnabled(selected);
    m_ui->exportButton->setEnabled(m_ui->listView->count() > 0);
}

const EmailTemplate *EmailTemplateListDialogController::selectedTemplate() const
{
    const int row = selectedRow();
    const auto &templates = m_store->emailTemplates();
    return row >= 0 && size_t(row) < templates.size() ? templates[size_t(row)].get() : nullptr;
}

void EmailTemplateListDialogController::newTemplate()
{
    m_editor->initializeFieldsWithEmailTemplate(nullptr, m_link);
    m_editor->runModal(this);
    if (!m_editor->userConfirmed())
        return;
    const int row = m_changes->addEmailTemplate(m_editor->templateData());
    refreshTable();
    selectRow(row);
}

void EmailTemplateListDialogController::editTemplate()
{
    const EmailTemplate *emailTemplate = selectedTemplate();
    if (!emailTemplate)
        return;
    const QString id = emailTemplate->ID();
    m_editor->initializeFieldsWithEmailTemplate(emailTemplate, m_link);
    m_editor->runModal(this);
    if (!m_editor->userConfirmed())
        return;
    const int row = m_changes->editEmailTemplate(id, m_editor->templateData());
    refreshTable();
    selectRow(row);
}

void EmailTemplateListDialogController::duplicateTemplate()
{
    const EmailTemplate *emailTemplate = selectedTemplate();
    if (!emailTemplate)
        return;
    const int row = m_changes->duplicateEmailTemplate(emailTemplate->ID());
    refreshTable();
    selectRow(row);
}

void EmailTemplateListDialogController::deleteTemplate()
{
    const EmailTemplate *emailTemplate = selectedTemplate();
    if (!emailTemplate)
        return;
    const int answer = MessageBox::alert(this, EmailTemplateForm::deleteQuestionTitle(emailTemplate->name()),
                                         QString(), {tr("Delete"), tr("Cancel")});
    if (answer != 0)
        return;
    m_changes->deleteEmailTemplate(emailTemplate->ID());
    m_ui->listView->clearSelection();
    refreshTable();
}

QString EmailTemplateListDialogController::folder() const
{
    return m_folder.isEmpty() ? QDir::homePath() : m_folder;
}

void EmailTemplateListDialogController::importTemplates()
{
    const QString path = FilePanel::openFileName(this, tr("Import E-mail Templates"), folder(),
                                                 tr("E-mail templates (*.emlt)"));
    if (path.isEmpty())
        return;
    m_folder = QFileInfo(path).absolutePath();
    const DuplicateQuestion question = [this] {
        const int answer = MessageBox::alert(this, EmailTemplateFile::duplicateQuestionTitle(),
                                             EmailTemplateFile::duplicateQuestionMessage(),
                                             {tr("Keep"), tr("Replace"), tr("Cancel")}, MessageBox::Question);
        return answer == 0   ? DuplicateAnswer::Keep
               : answer == 1 ? DuplicateAnswer::Replace
                             : DuplicateAnswer::Cancel;
    };
    if (!m_changes->importEmailTemplates(path, question)) {
        MessageBox::alert(this, EmailTemplateFile::importFailedTitle(),
                          EmailTemplateFile::importFailedMessage(), {}, MessageBox::Critical);
        return;
    }
    m_ui->listView->clearSelection();
    refreshTable();
}

void EmailTemplateListDialogController::exportTemplates()
{
    if (m_store->emailTemplates().empty())
        return;
    const QString proposed =
        QDir(folder()).filePath(tr("Email templates") + QLatin1Char('.') + TemplatesSuffix);
    QString path = FilePanel::saveFileName(this, tr("Export"), proposed, tr("E-mail templates (*.emlt)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().compare(TemplatesSuffix, Qt::CaseInsensitive) != 0) {
        path += QLatin1Char('.') + TemplatesSuffix;
        // The panel asked about the name the user typed, not about this one.
        if (QFileInfo::exists(path)) {
            const int answer = MessageBox::alert(
                this, tr("\"%1\" already exists. Do you want to replace it?").arg(QFileInfo(path).fileName()),
                tr("A file with the same name already exists. Replacing it will overwrite its current "
                   "contents."),
                {tr("Replace"), tr("Cancel")});
            if (answer != 0)
                return;
        }
    }
    m_folder = QFileInfo(path).absolutePath();
    // The writer's reason is said, not only that something went wrong.
    FileError error;
    if (!EmailTemplateFile::exportEmailTemplatesToFileAtPath(*m_store, path, true, &error)) {
        MessageBox::alert(this, EmailTemplateFile::exportFailedTitle(),
                          EmailTemplateFile::exportFailedMessage() + QStringLiteral("\n\n") + error.message(),
                          {}, MessageBox::Critical);
    }
}

void EmailTemplateListDialogController::reject()
{
    // Every change is already in the store; closing in any way confirms.
    done(QDialog::Accepted);
}

void EmailTemplateListDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshEmailTemplates"), this);
}
