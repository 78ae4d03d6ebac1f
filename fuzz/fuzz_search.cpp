// Search conditions as the command line writes them ("title:contains:a", one a line, the first byte
// choosing "any" and the sort column): a condition is parsed or refused with a reason, and the find
// walk (Find Next from each found link) visits exactly the links of the find-all list, in its order,
// then comes back to the first.

#include "FuzzSupport.h"
#include "SampleStores.h"
#include "model/CollectionManager.h"
#include "workflow/LinkFinder.h"
#include "workflow/LinkMatcher.h"
#include "workflow/SearchCriterionParser.h"

namespace {

const CollectionManager &sampleStore()
{
    static CollectionManager *store = [] {
        auto *made = new CollectionManager;
        SampleStores::fill(*made);
        return made;
    }();
    return *store;
}

QString titleOf(const TreeNode *node)
{
    return node ? node->link()->title() : QStringLiteral("(none)");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::setUp();
    FuzzSupport::Cursor cursor(FuzzSupport::bytes(data, size));
    const uint8_t options = cursor.byte();
    const bool any = options & 1;
    const int sortColumn = (options >> 1) % 6 - 1; // -1 to 4: every column and two beyond
    const CollectionManager &store = sampleStore();

    QList<SearchCriterion> criteria;
    while (!cursor.atEnd() && criteria.size() < 8) {
        const QString text = QString::fromUtf8(cursor.line());
        QString error;
        const std::optional<SearchCriterion> criterion = SearchCriterionParser::parse(text, store, &error);
        FUZZ_CHECK(criterion || !error.isEmpty(),
                   QStringLiteral("\"%1\" refused without a reason").arg(text));
        if (criterion)
            criteria.append(*criterion);
    }

    const std::vector<TreeNode *> all =
        LinkFinder::findAllLinksWithSearchCriteria(store, criteria, any, sortColumn);
    const QList<SearchCriterion> resolved = LinkFinder::resolveCategories(store, criteria);
    size_t matching = 0;
    for (const TreeNode *node : store.allLinkNodes()) {
        if (!criteria.isEmpty() && LinkMatcher::matchesCriteria(*node->link(), resolved, any))
            ++matching;
    }
    FUZZ_CHECK(all.size() == matching,
               QStringLiteral("find-all gave %1 of %2 matching links").arg(all.size()).arg(matching));

    const TreeNode *at = nullptr;
    for (size_t step = 0; step <= all.size(); ++step) {
        const TreeNode *found = LinkFinder::findLinkWithSearchCriteria(store, criteria, any, at, sortColumn);
        const TreeNode *expected = all.empty() ? nullptr : all[step % all.size()];
        FUZZ_CHECK(found == expected, QStringLiteral("step %1 after \"%2\" found \"%3\", not \"%4\"")
                                          .arg(step)
                                          .arg(titleOf(at), titleOf(found), titleOf(expected)));
        if (!found)
            break;
        at = found;
    }
    return 0;
}
