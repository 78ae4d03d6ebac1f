#include "model/Link.h"
#include "model/TreeNode.h"

#include <QTest>

namespace {

TreeNode *linkNode(const QString &title)
{
    auto link = std::make_unique<Link>();
    LinkFields f;
    f.title = title;
    link->setTitle(f);
    return new TreeNode(std::move(link));
}

QStringList titles(const TreeNode &parent)
{
    QStringList result;
    for (TreeNode *child : parent.children())
        result.append(child->attachment() ? child->attachment()->nodeTitle() : child->originalTitle());
    return result;
}

} // namespace

class TestTreeNode : public QObject
{
    Q_OBJECT

private slots:
    void orderedInsertionKeepsEqualRecordsInArrivalOrder()
    {
        TreeNode category("Category");
        QList<TreeNode *> arrived;
        for (const char *title : {"b", "A", "a", "C", "a", "a", "a"})
            arrived.append(category.addOrderedChild(linkNode(title)));
        const int arrival[] = {1, 2, 4, 5, 6, 0, 3}; // "A", then the four "a" as they came, ...
        for (int i = 0; i < 7; ++i)
            QCOMPARE(category.childAtIndex(i), arrived.at(arrival[i]));

        // addChild may put children out of order; ordered insertion then walks like the plain rule.
        TreeNode parent;
        parent.addChild(linkNode("m"));
        parent.addChild(linkNode("c"));
        parent.addOrderedChild(linkNode("d"));
        parent.addOrderedChild(new TreeNode("no record"));
        QCOMPARE(titles(parent), QStringList({"d", "m", "c", "no record"}));
    }

    void countsPositionsAndOwnership()
    {
        static int destroyed = 0;
        struct Counted : Link
        {
            ~Counted() override { ++destroyed; }
        };
        TreeNode root;
        auto *category = new TreeNode("Books");
        root.addChild(category);
        QCOMPARE(category->nativeTitle(), QString("Books"));
        TreeNode *a = category->addOrderedChild(linkNode("a"));
        TreeNode *b = category->addOrderedChild(linkNode("b"));
        TreeNode *c = category->addOrderedChild(linkNode("c"));
        QCOMPARE(category->nativeTitle(), QString("Books (3)"));
        QCOMPARE(root.title(), QString(" (1)"));
        QCOMPARE(a->next(), b);
        QCOMPARE(c->previous(), b);
        QCOMPARE(a->previous(), nullptr);
        QCOMPARE(category->childAtIndex(3), nullptr);
        QCOMPARE(category->childAtIndex(-1), nullptr);

        a->isolate();
        QCOMPARE(category->nativeTitle(), QString("Books (2)"));
        QCOMPARE(b->previous(), nullptr);
        QCOMPARE(a->parent(), nullptr);
        QCOMPARE(category->indexOfChild(a), -1);
        QCOMPARE(category->indexOfChild(c), 1);
        delete a;
        delete c;
        QCOMPARE(category->nativeTitle(), QString("Books (1)"));

        for (int i = 0; i < 3; ++i)
            category->addChild(new TreeNode(std::make_unique<Counted>()));
        delete category;
        QCOMPARE(destroyed, 3);
        QCOMPARE(root.numberOfChildren(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTreeNode)
#include "tst_treenode.moc"
