#pragma once

#include <QHash>
#include <QPixmap>
#include <QWidget>

class FittedLabel;
class Link;
class QLabel;
class QMenu;
class QPushButton;
class QStackedLayout;
class QToolButton;

// The pane under the link list that shows the one selected link at a glance.
class DetailsView : public QWidget
{
    Q_OBJECT

public:
    // Its height when expanded and the window has room; below it the pane scrolls.
    static constexpr int PaneHeight = 270;
    static constexpr int MinimumPaneHeight = 60;

    explicit DetailsView(QWidget *parent = nullptr);

    // Fills the pane from the link (null: empties it). `firstNotification` is the text of the
    // link's first reminder, null when it has none.
    void showLink(const Link *link, const QString &firstNotification);
    // The last check in plain words ("March 1, 2026: Marked as verified (no check)"); set after showLink.
    void setLastCheck(const QString &text);
    // The last message that went to the partner and whether it was answered (LastContact::line); empty
    // hides the line. Set after showLink.
    void setLastContact(const QString &text);
    // The buttons whose commands exist are enabled by the document.
    void setButtonsEnabled(bool linkInfo, bool exchangeInfo, bool notifications, bool visitSite,
                           bool visitLinksPage, bool notes, bool sendMessage);

    // What the pane says while it shows no link ("No link selected"...).
    void setPlaceholderText(const QString &text);

    QMenu *sendMessageMenu() const { return m_sendMessageMenu; }
    // The caption beside a field ("Keywords:"), null for a field without one.
    QLabel *caption(QWidget *field) const { return m_captions.value(field); }

    FittedLabel *titleField() const { return m_titleField; }
    FittedLabel *statusField() const { return m_statusField; }
    FittedLabel *notificationsField() const { return m_notificationsField; }
    QLabel *descriptionField() const { return m_descriptionField; }
    FittedLabel *mainPageURLField() const { return m_mainPageURLField; }
    FittedLabel *linksPageURLField() const { return m_linksPageURLField; }
    FittedLabel *myCategoryField() const { return m_myCategoryField; }
    FittedLabel *keywordsField() const { return m_keywordsField; }
    FittedLabel *contactField() const { return m_contactField; }
    FittedLabel *lastCheckField() const { return m_lastCheckField; }
    FittedLabel *lastContactField() const { return m_lastContactField; }
    QLabel *notesField() const { return m_notesField; }
    QLabel *statusImage() const { return m_statusImage; }
    QLabel *notificationsImage() const { return m_notificationsImage; }
    QPushButton *showLinkInfoButton() const { return m_showLinkInfoButton; }
    QPushButton *showExchangeInfoButton() const { return m_showExchangeInfoButton; }
    QPushButton *showAllNotificationsButton() const { return m_showAllNotificationsButton; }
    QPushButton *testMainPageURLButton() const { return m_testMainPageURLButton; }
    QPushButton *testLinksPageURLButton() const { return m_testLinksPageURLButton; }
    QPushButton *showAllNotesButton() const { return m_showAllNotesButton; }
    QToolButton *sendMessagePopup() const { return m_sendMessagePopup; }

signals:
    void showLinkInfoClicked();
    void showExchangeInfoClicked();
    void showAllNotificationsClicked();
    void testMainPageURLClicked();
    void testLinksPageURLClicked();
    void showAllNotesClicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPushButton *makeButton(const QString &text, const QString &toolTip, void (DetailsView::*signal)());
    QLabel *makeCaption(const QString &text);
    QLabel *captionOf(QWidget *field, const QString &text);
    void showIfGiven(QWidget *field, bool given);

    FittedLabel *m_titleField;
    FittedLabel *m_statusField;
    FittedLabel *m_notificationsField;
    QLabel *m_descriptionField;
    FittedLabel *m_mainPageURLField;
    FittedLabel *m_linksPageURLField;
    FittedLabel *m_myCategoryField;
    FittedLabel *m_keywordsField;
    FittedLabel *m_contactField;
    FittedLabel *m_lastCheckField;
    FittedLabel *m_lastContactField;
    QLabel *m_notesField;
    QLabel *m_statusImage;
    QLabel *m_notificationsImage;
    QPushButton *m_showLinkInfoButton;
    QPushButton *m_showExchangeInfoButton;
    QPushButton *m_showAllNotificationsButton;
    QPushButton *m_testMainPageURLButton;
    QPushButton *m_testLinksPageURLButton;
    QPushButton *m_showAllNotesButton;
    QToolButton *m_sendMessagePopup;
    QMenu *m_sendMessageMenu;
    QWidget *m_content;
    QWidget *m_scroller;
    QLabel *m_placeholder;
    QStackedLayout *m_pages;
    QHash<QWidget *, QLabel *> m_captions;
    QPixmap m_background; // the "details" image, drawn once at the screen's resolution
};
