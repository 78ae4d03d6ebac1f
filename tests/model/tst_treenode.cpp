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
    void orderedInsertionKeepsEqualRecordsInInsertionOrder()
    {
        TreeNode category("Category");
        TreeNode *first = nullptr;
        for (const char *title : {"b", "A", "a", "C"}) {
            TreeNode *node = category.addOrderedChild(linkNode(title));
            if (QString(title) == "A")
                first = node;
        }
        QCOMPARE(titles(category), QStringList({"A", "a", "b", "C"}));
        QCOMPARE(category.childAtIndex(0), first);

        // Many equal titles, inserted after the fast path is in use, still keep arrival order.
        for (int i = 0; i < 5; ++i)
            category.addOrderedChild(linkNode("a"))->setTag(100 + i);
        QCOMPARE(titles(category), QStringList({"A", "a", "a", "a", "a", "a", "a", "b", "C"}));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(category.childAtIndex(2 + i)->tag(), 100 + i);
    }

    void orderedInsertionAfterUnorderedAppends()
    {
        // addChild may put children out of order; ordered insertion then walks like the plain rule.
        TreeNode parent;
        parent.addChild(linkNode("m"));
        parent.addChild(linkNode("c"));
        parent.addOrderedChild(linkNode("d"));
        QCOMPARE(titles(parent), QStringList({"d", "m", "c"}));
        parent.addOrderedChild(new TreeNode("no record"));
        QCOMPARE(parent.numberOfChildren(), 4);
        QCOMPARE(titles(parent).last(), QString("no record"));
    }

    void displayTitleCountsChildren()
    {
        TreeNode root;
        auto *category = new TreeNode("Books");
        root.addChild(category);
        QCOMPARE(category->nativeTitle(), QString("Books"));
        TreeNode *last = nullptr;
        for (const char *title : {"x", "y", "z"})
            last = category->addOrderedChild(linkNode(title));
        QCOMPARE(category->nativeTitle(), QString("Books (3)"));
        QCOMPARE(root.title(), QString(" (1)"));
        delete last;
        QCOMPARE(category->nativeTitle(), QString("Books (2)"));
        while (category->firstChild())
            delete category->firstChild();
        QCOMPARE(category->nativeTitle(), QString("Books"));
    }

    void siblingLinksAndIsolation()
    {
        TreeNode parent;
        TreeNode *a = parent.addOrderedChild(linkNode("a"));
        TreeNode *b = parent.addOrderedChild(linkNode("b"));
        TreeNode *c = parent.addOrderedChild(linkNode("c"));
        QCOMPARE(a->next(), b);
        QCOMPARE(c->previous(), b);
        QCOMPARE(a->previous(), nullptr);
        QCOMPARE(parent.childAtIndex(3), nullptr);
        QCOMPARE(parent.childAtIndex(-1), nullptr);

        a->isolate();
        QCOMPARE(parent.firstChild(), b);
        QCOMPARE(b->previous(), nullptr);
        QCOMPARE(a->parent(), nullptr);
        QCOMPARE(parent.indexOfChild(a), -1);
        QCOMPARE(parent.indexOfChild(c), 1);

        c->addBeforeSelf(a);
        QCOMPARE(titles(parent), QStringList({"b", "a", "c"}));
        b->addBeforeSelf(linkNode("first"));
        c->addAfterSelf(linkNode("last"));
        QCOMPARE(titles(parent), QStringList({"first", "b", "a", "c", "last"}));
        for (int i = 0; i < parent.numberOfChildren(); ++i)
            QCOMPARE(parent.indexOfChild(parent.childAtIndex(i)), i);
    }

    void lookupsAreDepthFirst()
    {
        TreeNode root;
        auto category = std::make_unique<Link>(); // any record with an ID will do
        const QString categoryID = category->ID();
        auto *categoryNode = new TreeNode(std::move(category));
        root.addChild(categoryNode);
        TreeNode *child = categoryNode->addOrderedChild(linkNode("x"));
        child->setTag(7);
        QCOMPARE(root.findNodeWithAttachmentID(categoryID), categoryNode);
        QCOMPARE(root.findNodeWithAttachmentID(child->attachmentID()), child);
        QCOMPARE(root.findNodeWithAttachmentID("nothing"), nullptr);
        QCOMPARE(root.nodeWithTag(7), child);
        QCOMPARE(root.nodeWithTag(0), &root);
    }

    void destroyingANodeDestroysItsSubtree()
    {
        static int destroyed = 0;
        struct Counted : Link
        {
            ~Counted() override { ++destroyed; }
        };
        auto *root = new TreeNode;
        auto *category = new TreeNode("c");
        root->addChild(category);
        for (int i = 0; i < 3; ++i)
            category->addChild(new TreeNode(std::make_unique<Counted>()));
        delete category;
        QCOMPARE(destroyed, 3);
        QCOMPARE(root->numberOfChildren(), 0);
        delete root;
    }
};

QTEST_GUILESS_MAIN(TestTreeNode)
#include "tst_treenode.moc"
