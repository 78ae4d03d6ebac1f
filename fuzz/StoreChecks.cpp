#include "StoreChecks.h"

#include "FuzzSupport.h"
#include "model/CollectionManager.h"

#include <QSet>
#include <cmath>

namespace StoreChecks {

namespace {

bool holdsAsInt(double value)
{
    return std::isfinite(value) && std::fabs(value) < 2147483648.0;
}

} // namespace

void checkStore(const CollectionManager &store)
{
    QSet<QString> categoryIDs;
    const TreeNode *previousCategory = nullptr;
    for (const TreeNode *categoryNode : store.categoryRoot()->children()) {
        const Category *category = categoryNode->category();
        FUZZ_CHECK(category, QStringLiteral("a child of the root carries no category"));
        FUZZ_CHECK(!categoryIDs.contains(category->ID()),
                   QStringLiteral("category ID %1 twice").arg(category->ID()));
        categoryIDs.insert(category->ID());
        if (previousCategory)
            FUZZ_CHECK(previousCategory->attachment()->compare(*category) <= 0,
                       QStringLiteral("category \"%1\" sorts before the one above it").arg(category->name()));
        previousCategory = categoryNode;
        const TreeNode *previousLink = nullptr;
        for (const TreeNode *node : categoryNode->children()) {
            const Link *link = node->link();
            FUZZ_CHECK(link,
                       QStringLiteral("a child of category \"%1\" carries no link").arg(category->name()));
            FUZZ_CHECK(link->categoryID() == category->ID(),
                       QStringLiteral("link \"%1\" names %2 but sits in %3")
                           .arg(link->title(), link->categoryID(), category->ID()));
            if (previousLink)
                FUZZ_CHECK(previousLink->attachment()->compare(*link) <= 0,
                           QStringLiteral("link \"%1\" sorts before the one above it").arg(link->title()));
            previousLink = node;
        }
    }
    const auto &templates = store.emailTemplates();
    for (size_t i = 1; i < templates.size(); ++i)
        FUZZ_CHECK(templates[i - 1]->compare(*templates[i]) <= 0,
                   QStringLiteral("template \"%1\" sorts before the one above it").arg(templates[i]->name()));
    QSet<QString> names;
    for (const NamedString &entry : store.namedStrings()) {
        FUZZ_CHECK(!entry.name().isNull() && !entry.value().isNull(),
                   QStringLiteral("an absent named string"));
        FUZZ_CHECK(!names.contains(entry.name()), QStringLiteral("named string %1 twice").arg(entry.name()));
        names.insert(entry.name());
    }
    const QRectF &frame = store.windowFrame();
    for (const double value : {frame.x(), frame.y(), frame.width(), frame.height(), store.splitterPosition()})
        FUZZ_CHECK(holdsAsInt(value), QStringLiteral("window state %1").arg(value));
    if (store.columnWidths()) {
        for (const double value : *store.columnWidths())
            FUZZ_CHECK(holdsAsInt(value), QStringLiteral("column width %1").arg(value));
    }
}

} // namespace StoreChecks
