#pragma once

#include "model/Link.h"
#include "workflow/LinkForm.h"

#include <QDate>
#include <QDialog>
#include <functional>
#include <memory>

class CollectionManager;
class LinkExchangeForm;
class LinkNotesForm;
class LinkNotificationsForm;
class LinkSiteForm;
class LinkTabForm;
class QAbstractButton;
class QAbstractItemModel;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QVariantAnimation;
class TreeNode;

namespace Ui {
class LinkDialog;
}

// The sheet in which the user creates a link partner or edits one: the partner's site, the exchange
// with its webmaster, the link's reminders and private notes. It never changes the database: it
// fills a working link and ends with 1 (confirmed or verify asked) or 0; the document then adds or
// replaces the link. Sending a message from here acts on the working link only, so nothing reaches
// the stored link until the sheet is confirmed.
class LinkDialogController : public QDialog
{
    Q_OBJECT

public:
    // The contact menu lists the templates of `emailTemplates` (the document's list of them).
    LinkDialogController(const CollectionManager *collectionManager, const QAbstractItemModel *emailTemplates,
                         QWidget *parent);
    ~LinkDialogController() override;

    // Prepares an empty New link, shown at the given tab.
    void initializeFieldsWithInitialTabIndex(int tabIndex);
    // Fills every control from the link of the node (edit mode); the tab is chosen afterwards.
    void setOriginalLinkNode(const TreeNode *linkNode);
    void selectTab(int tabIndex);

    // The category pop-up, by category index (tree order).
    void selectCategoryAtIndex(int categoryIndex);
    int indexOfSelectedCategory() const;

    // --- Results, read by the document when the sheet has ended with 1
    const Link &link() const { return m_link; }
    // The node of the edited link as the store holds it now; null for a new link.
    TreeNode *originalLinkNode() const;
    bool isEditing() const { return !m_originalLinkID.isEmpty(); }
    bool verifyMode() const { return m_verifyMode; }
    LinkType linkType() const;
    LinkStatus linkStatus() const;
    QDate lastStatusChangedOn() const;
    QDate lastVerifiedOn() const;
    VerificationResult lastVerificationResult() const;

    // The contact menu's new-template item follows the window's command.
    void setNewTemplateAvailable(bool available);

    // --- For tests and the document
    LinkForm::Texts texts() const;
    void setTexts(const LinkForm::Texts &texts);
    QWidget *fieldWidget(LinkForm::Field field) const;
    QTabWidget *tabView() const;
    QComboBox *categoryPopup() const;
    QComboBox *statusPopup() const;
    QAbstractButton *requestSentButton() const;
    QTableWidget *notificationsTable() const;
    QLabel *notificationsStatusField() const;
    QLabel *lastStatusChangeField() const;
    QMenu *contactMenu() const { return m_contactMenu; }
    QPushButton *verifyButton() const { return m_verifyButton; }
    int notificationSortColumn() const;

signals:
    // The contact menu's new-template item: the document opens the template editor and returns once
    // it has closed.
    void newEmailTemplateRequested();

public slots:
    void confirm();
    void verify();
    void cancel();
    void reject() override;
    void goToURL();
    void goToLinksPageURL();
    void checkURL();
    // The status pop-up's choice: dated today; Approved counts as verified today.
    void statusChanged();
    void sendCustomEmail();
    void selectEmailTemplate(int templateIndex);
    void newEmailTemplate();
    void doHelp();
    // Recomputes the working link's reminders and shows them in the table's order.
    void reloadNotifications();
    void sortNotificationsByColumn(int column);

private:
    // A new link whose address another link has: true when the user adds it anyway.
    bool confirmNewAddress();
    // Shows the tab, the alert and the field where a check stopped.
    void showFailedCheck(const LinkForm::CheckResult &check);
    void extractLinkInfo();
    // The forms of the tabs, in the order of the tabs.
    QList<LinkTabForm *> tabs() const;
    void sendEmail(const std::function<bool(Link &)> &send);
    void visit(const QString &address);
    void tabChanged(int index);
    void adjustWindowSizeForTab(int index);
    void focusFirstFieldOfTab(int index);

    std::unique_ptr<Ui::LinkDialog> m_ui;
    std::unique_ptr<LinkSiteForm> m_site;
    std::unique_ptr<LinkExchangeForm> m_exchange;
    std::unique_ptr<LinkNotificationsForm> m_notificationsForm;
    std::unique_ptr<LinkNotesForm> m_notes;
    const CollectionManager *m_collectionManager;
    // A link with no status date, copied before each refill so the editor's date is always taken.
    Link m_blankLink;
    Link m_link;
    QString m_originalLinkID;
    bool m_verifyMode = false;
    bool m_firstResize = true;
    QPushButton *m_verifyButton = nullptr;
    QMenu *m_contactMenu = nullptr;
    QAction *m_blankMessageAction = nullptr;
    QAction *m_newTemplateAction = nullptr;
    QVariantAnimation *m_resizeAnimation = nullptr;
};
