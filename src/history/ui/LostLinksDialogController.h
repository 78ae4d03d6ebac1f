#pragma once

#include "history/LinkChange.h"

#include <QDialog>

class LinkChangesModel;
class QLabel;
class QMenu;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

// The Lost Links window of a document: every link whose checks stand in a change (lost, moved to
// another page, no longer followed, recovered, site unreachable for days), with since when, what the
// latest check found and, under the table, what to do about the selected one. Its buttons act on the
// selected links through the document: Edit Link (Return, double-click), Send Message (the
// templates' menu), Verify Again and, for a moved link, Use This Page. A window of its own beside the
// document, not a sheet.
class LostLinksDialogController : public QDialog
{
    Q_OBJECT
public:
    explicit LostLinksDialogController(QWidget *parent = nullptr);

    void setDocumentName(const QString &name);
    void setChanges(const QList<LinkChange> &changes);
    // The history could not be read: the table is empty and the message says why.
    void showError(const QString &message);

    QStringList selectedLinkIDs() const;
    void selectLinksWithIDs(const QStringList &linkIDs);

    QTableView *tableView() const { return m_table; }
    QLabel *summaryLabel() const { return m_summary; }
    QPushButton *editButton() const { return m_editButton; }
    QPushButton *sendMessageButton() const { return m_sendMessageButton; }
    QPushButton *verifyAgainButton() const { return m_verifyAgainButton; }
    QPushButton *useThisPageButton() const { return m_useThisPageButton; }
    QLabel *adviceLabel() const { return m_advice; }
    QPushButton *closeButton() const { return m_closeButton; }
    QMenu *sendMessageMenu() const { return m_sendMessageMenu; }
    LinkChangesModel *model() const { return m_model; }

signals:
    void editLinkRequested(const QString &linkID);
    void verifyAgainRequested(const QStringList &linkIDs);
    // The link's links page address should become the page its link was found on.
    void useThisPageRequested(const QString &linkID, const QString &pageURL);
    // The send-message menu (filled by the document) is about to open for these links.
    void sendMessageMenuAboutToShow(const QStringList &linkIDs);

private:
    void updateButtons();
    void editSelectedLink();
    void useThisPage();
    // The selected row of the table's model, when exactly one is selected.
    QModelIndex singleSelection() const;

    QLabel *m_summary;
    QLabel *m_advice;
    QTableView *m_table;
    LinkChangesModel *m_model;
    QSortFilterProxyModel *m_sorted;
    QPushButton *m_editButton;
    QPushButton *m_sendMessageButton;
    QPushButton *m_verifyAgainButton;
    QPushButton *m_useThisPageButton;
    QPushButton *m_closeButton;
    QMenu *m_sendMessageMenu;
};
