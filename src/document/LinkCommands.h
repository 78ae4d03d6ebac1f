#pragma once

#include "DocumentCommandArea.h"

class InstantLinkDialogController;
class LinkCountDialogController;
class LinkDialogController;
class LinkHistoryView;
class LinkMessagesView;
class MessageLogThread;
class NotificationDialogController;

// The commands that make and edit links and the reminder and count sheets: New Link, Instant Link,
// Edit Link with its three tabs, Notification Settings and Count Links. Each sheet is made on first
// use and kept; what a confirmed sheet hands back is applied here through the store.
class LinkCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit LinkCommands(MyDocument *document);

    // Where the editor's Messages tab reads the partner's messages (none: the tab stays empty).
    void setMessageLogSource(std::function<MessageLogThread *()> source) { m_messageLog = std::move(source); }

    void validateMenuItems() override;

    LinkDialogController *linkDialog() const { return m_linkDialog; }
    LinkHistoryView *historyView() const { return m_historyView; }
    LinkMessagesView *messagesView() const { return m_messagesView; }
    InstantLinkDialogController *instantLinkDialog() const { return m_instantLinkDialog; }
    NotificationDialogController *notificationDialog() const { return m_notificationDialog; }
    LinkCountDialogController *linkCountDialog() const { return m_linkCountDialog; }
    // A check was asked for from the editor, which comes back at its exchange tab afterwards.
    bool verifyAndReturnToLinkDialog() const { return m_verifyAndReturnToLinkDialog; }

public slots:
    void newLink();
    void editLink();
    void showLinkExchangeInfo();
    void showLinkNotifications();
    void showLinkNotes();
    void instantLink();
    void notificationSetup();
    void countLinks();

    void newLinkSheetDidEnd(int returnCode);
    void editLinkSheetDidEnd(int returnCode);
    void notificationSetupSheetDidEnd(int returnCode);
    void countLinksSheetDidEnd(int returnCode);
    // The verification sheet ended, confirmed or not.
    void verificationSheetDidEnd();

signals:
    // Instant Link's first message to the new link, written in the mail client.
    void customEmailRequested();
    void templateEmailRequested(int templateIndex);

private:
    LinkDialogController *linkDialogController();
    void showLinkEditor(int tabIndex);
    int selectedCategoryIndex() const;
    void verifyIfAsked();

    LinkDialogController *m_linkDialog = nullptr;
    LinkHistoryView *m_historyView = nullptr;   // the editor's History tab
    LinkMessagesView *m_messagesView = nullptr; // and its Messages tab
    std::function<MessageLogThread *()> m_messageLog;
    InstantLinkDialogController *m_instantLinkDialog = nullptr;
    NotificationDialogController *m_notificationDialog = nullptr;
    LinkCountDialogController *m_linkCountDialog = nullptr;
    bool m_verifyAndReturnToLinkDialog = false;
};
