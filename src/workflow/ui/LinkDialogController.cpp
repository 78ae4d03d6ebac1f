#include "LinkDialogController.h"

#include "LinkExchangeForm.h"
#include "LinkNotesForm.h"
#include "LinkNotificationsForm.h"
#include "LinkSiteForm.h"
#include "MailClientAlert.h"
#include "gui/BrowserOpener.h"
#include "gui/DocumentImages.h"
#include "gui/HelpBook.h"
#include "gui/MessageBox.h"
#include "gui/SendMessageMenu.h"
#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "ui_LinkDialog.h"
#include "workflow/EmailComposer.h"

#include <QHeaderView>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QVariantAnimation>

using namespace LinkForm;

namespace {

// Switching tabs resizes the window quickly enough not to be in the way.
constexpr int ResizeDuration = 120; // milliseconds

} // namespace

LinkDialogController::LinkDialogController(const CollectionManager *collectionManager,
                                           const QAbstractItemModel *emailTemplates, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::LinkDialog>()), m_collectionManager(collectionManager),
      m_link(m_blankLink)
{
    m_ui->setupUi(this);
    m_site = std::make_unique<LinkSiteForm>(*m_ui, collectionManager);
    m_exchange = std::make_unique<LinkExchangeForm>(*m_ui);
    m_notificationsForm = std::make_unique<LinkNotificationsForm>(*m_ui, collectionManager);
    m_notes = std::make_unique<LinkNotesForm>(*m_ui);
    setWindowModality(Qt::WindowModal);
    setMinimumWidth(640);
    m_ui->descriptionField->setFixedHeight(m_ui->descriptionField->fontMetrics().lineSpacing() * 4 + 12);

    const char *const statusImages[] = {"new", "negotiating", "verified", "blocked"};
    for (int i = 0; i < 4; ++i)
        m_ui->statusPopup->setItemIcon(i, DocumentImages::icon(QString::fromLatin1(statusImages[i])));

    QPushButton *ok = m_ui->buttonBox->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    m_verifyButton = m_ui->buttonBox->addButton(tr("&Verify"), QDialogButtonBox::ActionRole);
    m_verifyButton->setObjectName(QStringLiteral("verifyButton"));
    m_verifyButton->setToolTip(tr("Save the link and verify it now"));
    m_verifyButton->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &LinkDialogController::confirm);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &LinkDialogController::cancel);
    connect(m_ui->buttonBox, &QDialogButtonBox::helpRequested, this, &LinkDialogController::doHelp);
    connect(m_verifyButton, &QPushButton::clicked, this, &LinkDialogController::verify);
    connect(m_ui->URLGoButton, &QPushButton::clicked, this, &LinkDialogController::goToURL);
    connect(m_ui->linksPageURLGoButton, &QPushButton::clicked, this, &LinkDialogController::goToLinksPageURL);
    connect(m_ui->checkURLButton, &QPushButton::clicked, this, &LinkDialogController::checkURL);
    connect(m_ui->statusPopup, &QComboBox::activated, this, &LinkDialogController::statusChanged);
    connect(m_ui->tabView, &QTabWidget::currentChanged, this, &LinkDialogController::tabChanged);

    m_contactMenu = new QMenu(m_ui->contactWebmasterPopup);
    m_contactMenu->setObjectName(QStringLiteral("contactWebmasterMenu"));
    m_ui->contactWebmasterPopup->setMenu(m_contactMenu);
    m_blankMessageAction = new QAction(tr("&Blank Message"), m_contactMenu);
    connect(m_blankMessageAction, &QAction::triggered, this, &LinkDialogController::sendCustomEmail);
    m_newTemplateAction = new QAction(tr("New E-mail &Template..."), m_contactMenu);
    connect(m_newTemplateAction, &QAction::triggered, this, &LinkDialogController::newEmailTemplate);
    auto *contactMenu =
        new SendMessageMenu(m_contactMenu, emailTemplates, m_blankMessageAction, m_newTemplateAction);
    connect(contactMenu, &SendMessageMenu::templateTriggered, this,
            &LinkDialogController::selectEmailTemplate);

    connect(m_ui->notificationsTable->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &LinkDialogController::sortNotificationsByColumn);

    m_resizeAnimation = new QVariantAnimation(this);
    m_resizeAnimation->setDuration(ResizeDuration);
    connect(m_resizeAnimation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &value) { resize(width(), value.toInt()); });
    connect(m_resizeAnimation, &QVariantAnimation::finished, this,
            [this] { layout()->setSizeConstraint(QLayout::SetDefaultConstraint); });
}

LinkDialogController::~LinkDialogController() = default;

// ---------------------------------------------------------------- set-up

void LinkDialogController::initializeFieldsWithInitialTabIndex(int tabIndex)
{
    m_originalLinkID.clear();
    m_verifyMode = false;
    for (LinkTabForm *tab : tabs())
        tab->reset();
    setWindowTitle(tr("New Link"));
    reloadNotifications();
    selectTab(tabIndex);
    focusFirstFieldOfTab(tabIndex);
}

void LinkDialogController::setOriginalLinkNode(const TreeNode *linkNode)
{
    const Link *link = linkNode ? linkNode->link() : nullptr;
    if (!link)
        return;
    m_originalLinkID = link->ID();

    // A link always sits under its category; the ID is only a fallback for a stray record.
    int categoryIndex = m_collectionManager->indexOfCategoryWithID(link->categoryID());
    if (categoryIndex < 0 && linkNode->parent())
        categoryIndex = m_collectionManager->categoryRoot()->indexOfChild(linkNode->parent());
    m_site->selectCategoryAtIndex(qMax(0, categoryIndex));
    // The reminders follow from the whole working link: they are loaded last, below.
    m_site->load(*link);
    m_exchange->load(*link);
    m_notes->load(*link);
    setWindowTitle(tr("Edit Link"));
    reloadNotifications();
    focusFirstFieldOfTab(m_ui->tabView->currentIndex());
}

void LinkDialogController::selectCategoryAtIndex(int categoryIndex)
{
    m_site->selectCategoryAtIndex(categoryIndex);
}

int LinkDialogController::indexOfSelectedCategory() const
{
    return m_site->indexOfSelectedCategory();
}

TreeNode *LinkDialogController::originalLinkNode() const
{
    return m_originalLinkID.isEmpty() ? nullptr : m_collectionManager->linkNodeWithID(m_originalLinkID);
}

LinkType LinkDialogController::linkType() const
{
    return m_exchange->linkType();
}

LinkStatus LinkDialogController::linkStatus() const
{
    return m_exchange->linkStatus();
}

QDate LinkDialogController::lastStatusChangedOn() const
{
    return m_exchange->lastStatusChangedOn();
}

QDate LinkDialogController::lastVerifiedOn() const
{
    return m_exchange->lastVerifiedOn();
}

VerificationResult LinkDialogController::lastVerificationResult() const
{
    return m_exchange->lastVerificationResult();
}

void LinkDialogController::setNewTemplateAvailable(bool available)
{
    m_newTemplateAction->setEnabled(available);
}

// ---------------------------------------------------------------- the fields

QList<LinkTabForm *> LinkDialogController::tabs() const
{
    return {m_site.get(), m_exchange.get(), m_notificationsForm.get(), m_notes.get()};
}

LinkForm::Texts LinkDialogController::texts() const
{
    Texts texts;
    for (const LinkTabForm *tab : tabs())
        tab->storeTexts(texts);
    return texts;
}

void LinkDialogController::setTexts(const Texts &texts)
{
    for (LinkTabForm *tab : tabs())
        tab->loadTexts(texts);
}

QWidget *LinkDialogController::fieldWidget(Field field) const
{
    for (const LinkTabForm *tab : tabs()) {
        if (QWidget *widget = tab->fieldWidget(field))
            return widget;
    }
    return nullptr;
}

QTabWidget *LinkDialogController::tabView() const
{
    return m_ui->tabView;
}

QComboBox *LinkDialogController::categoryPopup() const
{
    return m_ui->categoryPopup;
}

QComboBox *LinkDialogController::statusPopup() const
{
    return m_ui->statusPopup;
}

QAbstractButton *LinkDialogController::requestSentButton() const
{
    return m_ui->requestSentButton;
}

QTableWidget *LinkDialogController::notificationsTable() const
{
    return m_ui->notificationsTable;
}

QLabel *LinkDialogController::notificationsStatusField() const
{
    return m_ui->notificationsStatusField;
}

QLabel *LinkDialogController::lastStatusChangeField() const
{
    return m_ui->lastStatusChangeField;
}

void LinkDialogController::extractLinkInfo()
{
    Choices choices;
    for (const LinkTabForm *tab : tabs())
        tab->storeChoices(choices);
    // Refilled from a link without a status date, so the date shown is the date kept even when the
    // status is the one the working link had before.
    m_link = m_blankLink;
    m_link.setTitle(linkFields(texts(), choices));
}

// ---------------------------------------------------------------- ending the sheet

void LinkDialogController::confirm()
{
    Texts edited = texts();
    const CheckResult check = checkLinkEditor(edited, [this](Field field) {
        selectTab(tabOfField(field));
        return MessageBox::askTrim(this, fieldName(field), maxLength(field));
    });
    setTexts(edited);
    if (!check.passed) {
        showFailedCheck(check);
        return;
    }
    if (!confirmNewAddress())
        return;
    extractLinkInfo();
    m_verifyMode = false;
    done(QDialog::Accepted);
}

void LinkDialogController::showFailedCheck(const CheckResult &check)
{
    selectTab(tabOfField(check.field));
    if (!check.title.isEmpty())
        MessageBox::alert(this, check.title, check.message);
    QWidget *field = fieldWidget(check.field);
    field->setFocus();
    if (auto *line = qobject_cast<QLineEdit *>(field))
        line->selectAll();
}

bool LinkDialogController::confirmNewAddress()
{
    if (isEditing())
        return true;
    const QString url = completedURL(m_ui->URLField->text());
    if (!m_collectionManager->linkWithURLAlreadyExists(url))
        return true;
    selectTab(SiteTab);
    if (MessageBox::alert(this, duplicateAddressQuestion(url), QString(), duplicateAddressButtons()) == 0)
        return true;
    m_ui->URLField->setFocus();
    m_ui->URLField->selectAll();
    return false;
}

void LinkDialogController::verify()
{
    // Saving to verify at once skips the checks: the run itself tells what is wrong. Only an
    // address that is no web page is refused, and a second link to the same address asked about.
    if (const CheckResult addresses = checkAddresses(texts()); !addresses.passed) {
        showFailedCheck(addresses);
        return;
    }
    if (!confirmNewAddress())
        return;
    extractLinkInfo();
    m_verifyMode = true;
    done(QDialog::Accepted);
}

void LinkDialogController::cancel()
{
    done(QDialog::Rejected);
}

void LinkDialogController::reject()
{
    cancel();
}

// ---------------------------------------------------------------- buttons

void LinkDialogController::visit(const QString &address)
{
    if (isMissingURL(address.trimmed()))
        return;
    const QUrl url = webAddress(address);
    if (!url.isValid()) {
        MessageBox::alert(this, tr("This address cannot be opened in the browser."),
                          tr("The URL \"%1\" is not a valid web address.").arg(address));
        return;
    }
    BrowserOpener::open(this, url);
}

void LinkDialogController::goToURL()
{
    visit(m_ui->URLField->text());
}

void LinkDialogController::goToLinksPageURL()
{
    visit(m_ui->linksPageURLField->text());
}

void LinkDialogController::checkURL()
{
    const QString url = completedURL(m_ui->URLField->text());
    m_ui->URLField->setText(url);
    if (m_collectionManager->linkWithURLAlreadyExists(url, isEditing() ? m_originalLinkID : QString())) {
        MessageBox::alert(this, tr("This URL is not unique."),
                          tr("Another link with the same URL already exists."), {}, MessageBox::Critical);
    } else {
        MessageBox::alert(this, tr("This URL is unique."), tr("No other links have the same URL."), {},
                          MessageBox::Information);
    }
}

void LinkDialogController::statusChanged()
{
    m_exchange->statusChanged();
}

void LinkDialogController::sendEmail(const std::function<bool(Link &)> &send)
{
    extractLinkInfo();
    // A message the mail client never took changes nothing in the editor either.
    if (!send(m_link)) {
        MailClientAlert::show(this);
        return;
    }
    m_exchange->chooseStatus(m_link.status());
}

void LinkDialogController::sendCustomEmail()
{
    sendEmail([](Link &link) {
        return EmailComposer::sendEmailWithRecipient(link.contactEmail(), QString(""), QString(""), link);
    });
}

void LinkDialogController::selectEmailTemplate(int templateIndex)
{
    sendEmail([this, templateIndex](Link &link) {
        return EmailComposer::sendEmailWithRecipient(*m_collectionManager, link.contactEmail(), templateIndex,
                                                     link);
    });
}

void LinkDialogController::newEmailTemplate()
{
    extractLinkInfo();
    emit newEmailTemplateRequested();
}

void LinkDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshNewEditLink"), this);
}

// ---------------------------------------------------------------- notifications

void LinkDialogController::reloadNotifications()
{
    extractLinkInfo();
    m_notificationsForm->load(m_link);
}

void LinkDialogController::sortNotificationsByColumn(int column)
{
    m_notificationsForm->sortByColumn(column);
}

int LinkDialogController::notificationSortColumn() const
{
    return m_notificationsForm->sortColumn();
}

// ---------------------------------------------------------------- tabs

void LinkDialogController::selectTab(int tabIndex)
{
    if (tabIndex < 0 || tabIndex >= m_ui->tabView->count())
        tabIndex = SiteTab;
    if (m_ui->tabView->currentIndex() != tabIndex)
        m_ui->tabView->setCurrentIndex(tabIndex); // sizes through tabChanged
    else
        adjustWindowSizeForTab(tabIndex);
}

void LinkDialogController::tabChanged(int index)
{
    adjustWindowSizeForTab(index);
    if (index == NotificationsTab)
        reloadNotifications();
}

void LinkDialogController::adjustWindowSizeForTab(int index)
{
    // Only the shown tab counts for the window's size, so each tab gets the height of its content.
    for (int i = 0; i < m_ui->tabView->count(); ++i) {
        const QSizePolicy::Policy policy = i == index ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        m_ui->tabView->widget(i)->setSizePolicy(policy, policy);
    }
    m_resizeAnimation->stop();
    layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    layout()->invalidate();
    layout()->activate();
    const int target = sizeHint().height();
    if (!isVisible() || m_firstResize) {
        m_firstResize = false;
        resize(width(), target);
        return;
    }
    // While the window grows its content may be squeezed for a moment; the layout's minimum comes
    // back when the animation ends.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    setMinimumHeight(qMin(height(), target));
    m_resizeAnimation->setStartValue(height());
    m_resizeAnimation->setEndValue(target);
    m_resizeAnimation->start();
}

void LinkDialogController::focusFirstFieldOfTab(int index)
{
    const QList<LinkTabForm *> forms = tabs();
    QWidget *first = forms.value(index, m_site.get())->firstField();
    first->setFocus();
    if (auto *line = qobject_cast<QLineEdit *>(first))
        line->selectAll();
}
