#pragma once

#include "model/Link.h"
#include "workflow/LinkForm.h"

#include <QDialog>
#include <memory>

class CollectionManager;
class EmailTemplateListModel;
class QAbstractButton;
class QCheckBox;
class QComboBox;

namespace Ui {
class InstantLinkDialog;
}

// The short form for the commonest case: a partner to add at once, usually with a message to its
// webmaster right away. Runs application-modal with exec(); afterwards userConfirmed() and link()
// tell the document what to add and the last three accessors what to send. The choices of request
// type, message and whether to send it are preferences, offered again next time in every document.
class InstantLinkDialogController : public QDialog
{
    Q_OBJECT

public:
    InstantLinkDialogController(const CollectionManager *collectionManager, QWidget *parent);
    ~InstantLinkDialogController() override;

    // Empties the form, lists the database's categories and templates, and takes the last choices.
    void initializeFields();
    void selectCategoryAtIndex(int categoryIndex);
    int categoryIndex() const;

    bool userConfirmed() const { return m_userConfirmed; }
    // The New link to add, built on confirmation.
    const Link &link() const { return m_link; }
    LinkType originalRequest() const;
    bool shouldSendMessage() const;
    // -1 for a blank message, else the template's index.
    int emailTemplateIndex() const;

    // --- For tests
    LinkForm::Texts texts() const;
    void setTexts(const LinkForm::Texts &texts);
    QWidget *fieldWidget(LinkForm::Field field) const;
    QComboBox *categoryPopup() const;
    QComboBox *messagePopup() const;
    QCheckBox *sendMessageCheckbox() const;
    QAbstractButton *requestSentButton() const;

public slots:
    void confirm();
    void cancel();
    void reject() override;
    void checkUnique();
    void doHelp();

private:
    void rebuildCategoryPopup();
    void extractLinkInfo();

    std::unique_ptr<Ui::InstantLinkDialog> m_ui;
    const CollectionManager *m_collectionManager;
    // A link with no status date, copied before each refill so every new link is dated today.
    Link m_blankLink;
    Link m_link;
    // The pop-up's list: the blank message, then the templates.
    EmailTemplateListModel *m_messages = nullptr;
    bool m_userConfirmed = false;
};
