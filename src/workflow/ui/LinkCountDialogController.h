#pragma once

#include <QDialog>
#include <QStringList>
#include <memory>

class CollectionManager;
class QLabel;
class TreeNode;

namespace Ui {
class CountLinksDialog;
}

// The sheet that counts the links of each status, with their totals, for the whole database and for
// the category selected in the window. It changes nothing; both of its ways out end it with 1.
class LinkCountDialogController : public QDialog
{
    Q_OBJECT

public:
    LinkCountDialogController(const CollectionManager *collectionManager, QWidget *parent);
    ~LinkCountDialogController() override;

    // Counts again; without a category its column shows zeros and the prompt is empty.
    void initializeFieldsWithSelectedCategory(const TreeNode *categoryNode);

    // --- For tests: New, Negotiating, Approved, Blocked and the total, as shown.
    QStringList siteCountTexts() const;
    QStringList categoryCountTexts() const;
    QString promptText() const;

public slots:
    void confirm();
    void cancel();
    void reject() override;
    void doHelp();

private:
    QList<QLabel *> siteFields() const;
    QList<QLabel *> categoryFields() const;

    std::unique_ptr<Ui::CountLinksDialog> m_ui;
    const CollectionManager *m_collectionManager;
};
