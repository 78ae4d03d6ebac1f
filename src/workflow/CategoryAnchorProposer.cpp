#include "CategoryAnchorProposer.h"

#include "model/Category.h"
#include "model/CollectionManager.h"
#include "model/TreeNode.h"

CategoryAnchorProposer::CategoryAnchorProposer(const CollectionManager &store, const TreeNode *except)
{
    for (const TreeNode *node : store.categoryRoot()->children()) {
        if (node != except && node->category())
            m_taken.insert(node->category()->anchor().toLower());
    }
}

QString CategoryAnchorProposer::propose(const QString &name)
{
    // Compatibility decomposition splits "é" into "e" and its accent and "ﬁ" into "f" and "i".
    QString base;
    for (const QChar c : name.normalized(QString::NormalizationForm_KD)) {
        const char16_t u = c.toLower().unicode();
        if ((u >= 'a' && u <= 'z') || (u >= '0' && u <= '9'))
            base.append(QChar(u));
    }
    if (base.isEmpty())
        base = QStringLiteral("category");
    QString anchor = base.left(MaximumAnchorLength);
    for (int number = 2; m_taken.contains(anchor); ++number) {
        const QString suffix = QString::number(number);
        anchor = base.left(MaximumAnchorLength - suffix.size()) + suffix;
    }
    m_taken.insert(anchor);
    return anchor;
}
