#include "LinkCountDialogController.h"

#include "gui/DocumentImages.h"
#include "gui/HelpBook.h"
#include "publish/LinkCount.h"
#include "ui_CountLinksDialog.h"

#include <QPushButton>

namespace {

void showCount(const QList<QLabel *> &fields, const LinkCount &count)
{
    const int values[] = {count.newLinks, count.negotiating, count.approved, count.blocked, count.total()};
    for (int i = 0; i < fields.size(); ++i)
        fields.at(i)->setText(QLocale().toString(values[i]));
}

QStringList texts(const QList<QLabel *> &fields)
{
    QStringList result;
    for (const QLabel *field : fields)
        result.append(field->text());
    return result;
}

} // namespace

LinkCountDialogController::LinkCountDialogController(const CollectionManager *collectionManager,
                                                     QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CountLinksDialog>()), m_collectionManager(collectionManager)
{
    m_ui->setupUi(this);
    setWindowModality(Qt::WindowModal);
    setMinimumWidth(420);
    QPushButton *ok = m_ui->buttonBox->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &LinkCountDialogController::confirm);
    connect(m_ui->buttonBox, &QDialogButtonBox::helpRequested, this, &LinkCountDialogController::doHelp);

    // The rows carry the status images the lists show.
    const int side = fontMetrics().height();
    const struct
    {
        QLabel *image;
        const char *name;
    } images[] = {{m_ui->newImage, "new"},
                  {m_ui->negotiatingImage, "negotiating"},
                  {m_ui->approvedImage, "verified"},
                  {m_ui->blockedImage, "blocked"}};
    for (const auto &image : images)
        image.image->setPixmap(DocumentImages::icon(QString::fromLatin1(image.name)).pixmap(side, side));
    QFont bold = font();
    bold.setBold(true);
    for (QLabel *label : {m_ui->totalLabel, m_ui->siteTotalCountField, m_ui->categoryTotalCountField,
                          m_ui->databaseHeader, m_ui->categoryHeader})
        label->setFont(bold);
}

LinkCountDialogController::~LinkCountDialogController() = default;

QList<QLabel *> LinkCountDialogController::siteFields() const
{
    return {m_ui->siteNewCountField, m_ui->siteNegotiatingCountField, m_ui->siteApprovedCountField,
            m_ui->siteBlockedCountField, m_ui->siteTotalCountField};
}

QList<QLabel *> LinkCountDialogController::categoryFields() const
{
    return {m_ui->categoryNewCountField, m_ui->categoryNegotiatingCountField,
            m_ui->categoryApprovedCountField, m_ui->categoryBlockedCountField, m_ui->categoryTotalCountField};
}

void LinkCountDialogController::initializeFieldsWithSelectedCategory(const TreeNode *categoryNode)
{
    showCount(categoryFields(), LinkCount::countInCategory(categoryNode));
    m_ui->promptField->setText(LinkCount::prompt(categoryNode));
    m_ui->promptField->setVisible(!m_ui->promptField->text().isEmpty());
    showCount(siteFields(), LinkCount::countInDatabase(*m_collectionManager));
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setFocus();
}

QStringList LinkCountDialogController::siteCountTexts() const
{
    return texts(siteFields());
}

QStringList LinkCountDialogController::categoryCountTexts() const
{
    return texts(categoryFields());
}

QString LinkCountDialogController::promptText() const
{
    return m_ui->promptField->text();
}

void LinkCountDialogController::confirm()
{
    done(QDialog::Accepted);
}

void LinkCountDialogController::cancel()
{
    done(QDialog::Accepted);
}

void LinkCountDialogController::reject()
{
    cancel();
}

void LinkCountDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshLinkCountStatistics"), this);
}
