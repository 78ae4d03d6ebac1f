#include "LinkDialogController.h"

#include "MailClientAlert.h"
#include "gui/DocumentImages.h"
#include "gui/HelpBook.h"
#include "gui/MessageBox.h"
#include "model/Clock.h"
#include "model/CollectionManager.h"
#include "model/DateTexts.h"
#include "model/Notification.h"
#include "model/NotificationComputer.h"
#include "model/UrlOpener.h"
#include "ui_LinkDialog.h"
#include "workflow/EmailComposer.h"
#include "workflow/NotificationSort.h"

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

LinkDialogController::LinkDialogController(const CollectionManager *collectionManager, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::LinkDialog>()), m_collectionManager(collectionManager),
      m_link(m_blankLink)
{
    m_ui->setupUi(this);
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
    m_blankMessageAction =
        m_contactMenu->addAction(tr("&Blank Message"), this, &LinkDialogController::sendCustomEmail);
    m_contactMenu->addSeparator();
    m_newTemplateAction = m_contactMenu->addAction(tr("New E-mail &Template..."), this,
                                                   &LinkDialogController::newEmailTemplate);

    QHeaderView *header = m_ui->notificationsTable->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    header->resizeSection(NotificationSort::DateColumn, 160);
    connect(header, &QHeaderView::sectionClicked, this, &LinkDialogController::sortNotificationsByColumn);

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
    m_lastVerifiedOn = QDate();
    m_lastVerificationResult = VerificationNotVerified;
    rebuildCategoryPopup();
    m_ui->categoryPopup->setCurrentIndex(0);
    setTexts(Texts());
    buildContactWebmasterPopup();
    m_ui->requestReceivedButton->setChecked(true);
    m_ui->statusPopup->setCurrentIndex(popupIndexOfStatus(LinkStatusNew));
    m_lastStatusChangedOn = Clock::today();
    showStatusDate();
    showVerification();
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
    m_lastVerifiedOn = link->lastVerifiedOn();
    m_lastVerificationResult = link->lastVerificationResult();

    // A link always sits under its category; the ID is only a fallback for a stray record.
    int categoryIndex = m_collectionManager->indexOfCategoryWithID(link->categoryID());
    if (categoryIndex < 0 && linkNode->parent())
        categoryIndex = m_collectionManager->categoryRoot()->indexOfChild(linkNode->parent());
    selectCategoryAtIndex(qMax(0, categoryIndex));

    Texts texts;
    texts.title = link->title();
    texts.description = link->description();
    texts.keywords = link->keywords();
    texts.URL = link->URL();
    texts.linksPageURL = link->counterpartURL();
    texts.myCategory = link->counterpartCategoryName();
    texts.contactFirstName = link->contactFirstName();
    texts.contactLastName = link->contactLastName();
    texts.contactEmail = link->contactEmail();
    texts.notes = link->notes();
    setTexts(texts);
    (columnOfType(link->type()) == 0 ? m_ui->requestReceivedButton : m_ui->requestSentButton)
        ->setChecked(true);
    m_ui->statusPopup->setCurrentIndex(popupIndexOfStatus(link->status()));
    m_lastStatusChangedOn = link->lastStatusChangedOn();
    showStatusDate();
    showVerification();
    setWindowTitle(tr("Edit Link"));
    reloadNotifications();
    focusFirstFieldOfTab(m_ui->tabView->currentIndex());
}

void LinkDialogController::rebuildCategoryPopup()
{
    QComboBox *popup = m_ui->categoryPopup;
    popup->clear();
    for (const TreeNode *node : m_collectionManager->categoryRoot()->children()) {
        const Category *category = node->category();
        popup->addItem(category ? category->nodeTitle() : QString());
    }
    if (popup->count() >= 2)
        popup->insertSeparator(1);
}

void LinkDialogController::selectCategoryAtIndex(int categoryIndex)
{
    const int count = m_collectionManager->categoryRoot()->numberOfChildren();
    if (categoryIndex >= 0 && categoryIndex < count)
        m_ui->categoryPopup->setCurrentIndex(popupIndexOfCategory(categoryIndex, count));
}

int LinkDialogController::indexOfSelectedCategory() const
{
    return categoryIndexOfPopupIndex(m_ui->categoryPopup->currentIndex(),
                                     m_collectionManager->categoryRoot()->numberOfChildren());
}

TreeNode *LinkDialogController::originalLinkNode() const
{
    return m_originalLinkID.isEmpty() ? nullptr : m_collectionManager->linkNodeWithID(m_originalLinkID);
}

LinkType LinkDialogController::linkType() const
{
    return typeOfColumn(m_ui->requestSentButton->isChecked() ? 1 : 0);
}

LinkStatus LinkDialogController::linkStatus() const
{
    return statusOfPopupIndex(m_ui->statusPopup->currentIndex());
}

void LinkDialogController::setNewTemplateAvailable(bool available)
{
    m_newTemplateAction->setEnabled(available);
}

void LinkDialogController::buildContactWebmasterPopup()
{
    for (QAction *action : std::as_const(m_templateActions)) {
        m_contactMenu->removeAction(action);
        delete action;
    }
    m_templateActions.clear();
    const auto &templates = m_collectionManager->emailTemplates();
    for (size_t i = 0; i < templates.size(); ++i) {
        QString name = templates[i]->name();
        auto *item = new QAction(name.replace(QLatin1Char('&'), QStringLiteral("&&")), m_contactMenu);
        const int index = int(i);
        connect(item, &QAction::triggered, this, [this, index] { selectEmailTemplate(index); });
        m_templateActions.append(item);
    }
    if (!m_templateActions.isEmpty()) {
        auto *separator = new QAction(m_contactMenu);
        separator->setSeparator(true);
        m_templateActions.append(separator);
    }
    m_contactMenu->insertActions(m_newTemplateAction, m_templateActions);
}

// ---------------------------------------------------------------- the fields

LinkForm::Texts LinkDialogController::texts() const
{
    Texts texts;
    texts.title = m_ui->titleField->text();
    texts.description = m_ui->descriptionField->toPlainText();
    texts.keywords = m_ui->keywordsField->text();
    texts.URL = m_ui->URLField->text();
    texts.linksPageURL = m_ui->linksPageURLField->text();
    texts.myCategory = m_ui->myCategoryField->text();
    texts.contactFirstName = m_ui->webmasterFirstNameField->text();
    texts.contactLastName = m_ui->webmasterLastNameField->text();
    texts.contactEmail = m_ui->webmasterEmailField->text();
    texts.notes = m_ui->notesField->toPlainText();
    return texts;
}

void LinkDialogController::setTexts(const Texts &texts)
{
    // A long address shows its beginning, as it is read.
    auto setLine = [](QLineEdit *field, const QString &text) {
        if (field->text() != text) {
            field->setText(text);
            field->setCursorPosition(0);
        }
    };
    auto setPlain = [](QPlainTextEdit *field, const QString &text) {
        if (field->toPlainText() != text)
            field->setPlainText(text);
    };
    setLine(m_ui->titleField, texts.title);
    setPlain(m_ui->descriptionField, texts.description);
    setLine(m_ui->keywordsField, texts.keywords);
    setLine(m_ui->URLField, texts.URL);
    setLine(m_ui->linksPageURLField, texts.linksPageURL);
    setLine(m_ui->myCategoryField, texts.myCategory);
    setLine(m_ui->webmasterFirstNameField, texts.contactFirstName);
    setLine(m_ui->webmasterLastNameField, texts.contactLastName);
    setLine(m_ui->webmasterEmailField, texts.contactEmail);
    setPlain(m_ui->notesField, texts.notes);
}

QWidget *LinkDialogController::fieldWidget(Field field) const
{
    switch (field) {
    case Title:
        return m_ui->titleField;
    case Description:
        return m_ui->descriptionField;
    case Keywords:
        return m_ui->keywordsField;
    case MainPageURL:
        return m_ui->URLField;
    case LinksPageURL:
        return m_ui->linksPageURLField;
    case MyCategory:
        return m_ui->myCategoryField;
    case ContactFirstName:
        return m_ui->webmasterFirstNameField;
    case ContactLastName:
        return m_ui->webmasterLastNameField;
    case ContactEmail:
        return m_ui->webmasterEmailField;
    case Notes:
        break;
    }
    return m_ui->notesField;
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
    choices.categoryID = m_collectionManager->IDOfCategoryWithIndex(indexOfSelectedCategory());
    choices.lastVerifiedOn = m_lastVerifiedOn;
    choices.lastVerificationResult = m_lastVerificationResult;
    choices.lastStatusChangedOn = m_lastStatusChangedOn;
    choices.type = linkType();
    choices.status = linkStatus();
    // Refilled from a link without a status date, so the date shown is the date kept even when the
    // status is the one the working link had before.
    m_link = m_blankLink;
    m_link.setTitle(linkFields(texts(), choices));
}

void LinkDialogController::showStatusDate()
{
    m_ui->lastStatusChangeField->setText(DateTexts::stringForDate(m_lastStatusChangedOn));
}

void LinkDialogController::showVerification()
{
    m_ui->lastVerificationField->setText(
        m_lastVerifiedOn.isValid() ? tr("%1 (%2)").arg(DateTexts::stringForDate(m_lastVerifiedOn),
                                                       Codes::verificationLabel(m_lastVerificationResult))
                                   : tr("Never"));
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
        selectTab(tabOfField(check.field));
        if (!check.title.isEmpty())
            MessageBox::alert(this, check.title, check.message);
        QWidget *field = fieldWidget(check.field);
        field->setFocus();
        if (auto *line = qobject_cast<QLineEdit *>(field))
            line->selectAll();
        return;
    }
    if (!confirmNewAddress())
        return;
    extractLinkInfo();
    m_verifyMode = false;
    done(QDialog::Accepted);
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
    // Saving to verify at once skips the checks: the run itself tells what is wrong. Only a
    // second link to the same address is asked about.
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
    if (!url.isValid() || !UrlOpener::instance().openUrl(url)) {
        MessageBox::alert(this, tr("This address cannot be opened in the browser."),
                          tr("The URL \"%1\" is not a valid web address.").arg(address));
    }
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
    const StatusStamp stamp = stampForStatus(linkStatus(), Clock::today());
    m_lastStatusChangedOn = stamp.lastStatusChangedOn;
    m_lastVerifiedOn = stamp.lastVerifiedOn;
    m_lastVerificationResult = stamp.lastVerificationResult;
    showStatusDate();
    showVerification();
}

void LinkDialogController::selectLinkStatus()
{
    m_ui->statusPopup->setCurrentIndex(popupIndexOfStatus(m_link.status()));
    statusChanged();
}

void LinkDialogController::sendEmail(const std::function<bool(Link &)> &send)
{
    extractLinkInfo();
    const LinkStatus before = m_link.status();
    const bool handedOver = send(m_link);
    // Writing to a New partner starts the negotiation even when the mail client did not open, as
    // it does from the window.
    if (handedOver || m_link.status() != before)
        selectLinkStatus();
    if (!handedOver) {
        MailClientAlert::show(this);
    }
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
    buildContactWebmasterPopup();
}

void LinkDialogController::doHelp()
{
    HelpBook::showHelp(QStringLiteral("QuillmarshNewEditLink"), this);
}

// ---------------------------------------------------------------- notifications

void LinkDialogController::reloadNotifications()
{
    extractLinkInfo();
    // The list points into the container: it goes first.
    m_sortedNotifications.clear();
    m_notifications =
        NotificationComputer::computeNotificationsForLink(*m_collectionManager, &m_link, nullptr);
    QList<const Notification *> notifications;
    for (const TreeNode *node : m_notifications->children()) {
        if (const auto *notification = dynamic_cast<const Notification *>(node->attachment()))
            notifications.append(notification);
    }
    m_sortedNotifications = NotificationSort::sortedNotifications(notifications, m_sortColumn);
    fillNotificationsTable();
}

void LinkDialogController::sortNotificationsByColumn(int column)
{
    m_sortColumn = column;
    m_sortedNotifications = NotificationSort::sortedNotifications(m_sortedNotifications, column);
    QHeaderView *header = m_ui->notificationsTable->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, Qt::AscendingOrder);
    fillNotificationsTable();
}

void LinkDialogController::fillNotificationsTable()
{
    QTableWidget *table = m_ui->notificationsTable;
    table->setRowCount(int(m_sortedNotifications.size()));
    for (int row = 0; row < m_sortedNotifications.size(); ++row) {
        const Notification *notification = m_sortedNotifications.at(row);
        table->setItem(row, NotificationSort::DateColumn,
                       new QTableWidgetItem(DateTexts::stringForDate(notification->date())));
        table->setItem(row, NotificationSort::TextColumn, new QTableWidgetItem(notification->text()));
    }
    m_ui->notificationsStatusField->setText(NotificationSort::countText(int(m_sortedNotifications.size())));
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
    QWidget *first = m_ui->titleField;
    if (index == ExchangeTab)
        first = m_ui->webmasterFirstNameField;
    else if (index == NotificationsTab)
        first = m_ui->notificationsTable;
    else if (index == NotesTab)
        first = m_ui->notesField;
    first->setFocus();
    if (auto *line = qobject_cast<QLineEdit *>(first))
        line->selectAll();
}
