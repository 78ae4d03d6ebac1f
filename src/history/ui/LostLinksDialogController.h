#pragma once

#include "history/LinkChange.h"

#include <QDialog>

class LinkChangesModel;
class QLabel;
class QMenu;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

// The Lost Links window of a document: every link whose latest check changed against the one
// before (lost, no longer followed, recovered), with since when and both results. Its buttons act on
// the selected links through the document: Edit Link (Return, double-click), Send Message (the
// templates' menu) and Verify Again. A window of its own beside the document, not a sheet.
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
    QPushButton *closeButton() const { return m_closeButton; }
    QMenu *sendMessageMenu() const { return m_sendMessageMenu; }
    LinkChangesModel *model() const { return m_model; }

signals:
    void editLinkRequested(const QString &linkID);
    void verifyAgainRequested(const QStringList &linkIDs);
    // The send-message menu (filled by the document) is about to open for these links.
    void sendMessageMenuAboutToShow(const QStringList &linkIDs);

private:
    void updateButtons();
    void editSelectedLink();

    QLabel *m_summary;
    QTableView *m_table;
    LinkChangesModel *m_model;
    QSortFilterProxyModel *m_sorted;
    QPushButton *m_editButton;
    QPushButton *m_sendMessageButton;
    QPushButton *m_verifyAgainButton;
    QPushButton *m_closeButton;
    QMenu *m_sendMessageMenu;
};
