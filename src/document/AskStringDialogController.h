#pragma once

#include <QDialog>
#include <functional>

class CollectionManager;
class QLineEdit;
class TreeNode;

// The sheet that asks for a category's name and anchor ID, for a new category or a rename.
class AskStringDialogController : public QDialog
{
    Q_OBJECT

public:
    // Called with the controller once the sheet has ended; `returnCode()` tells how.
    using Action = std::function<void(AskStringDialogController *)>;

    explicit AskStringDialogController(QWidget *parent);

    // `originalCategory` is the category being renamed, null for a new one.
    void initializeWithCategoryName(const QString &name, const QString &anchor, Action action,
                                    const CollectionManager *collectionManager,
                                    const TreeNode *originalCategory);

    QString categoryName() const;
    QString categoryAnchor() const;
    int returnCode() const { return m_returnCode; }

    QLineEdit *categoryNameField() const { return m_categoryNameField; }
    QLineEdit *anchorNameField() const { return m_anchorNameField; }

public slots:
    // Runs the checks in order; the first that fails shows its alert and keeps the sheet open.
    void confirm();
    void cancel();
    void doHelp();

private:
    // While the ID is empty or still the one proposed, it follows the name as it is typed.
    void categoryNameEdited(const QString &name);
    void anchorEdited(const QString &anchor);
    bool checkUniqueness();
    bool checkLength(QLineEdit *field, int maximum, const QString &title, const QString &message);
    void sheetDidEnd(int returnCode);

    QLineEdit *m_categoryNameField;
    QLineEdit *m_anchorNameField;
    Action m_action;
    const CollectionManager *m_collectionManager = nullptr;
    const TreeNode *m_originalCategory = nullptr;
    int m_returnCode = 0;
    bool m_anchorFollowsName = false;
};
