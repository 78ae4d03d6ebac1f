#include "Statistics.h"

#include "model/CollectionManager.h"
#include "workflow/DetailsTexts.h"

#include <QCoreApplication>
#include <cmath>

namespace Statistics {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(Statistics)
};

// The chart's colours, drawn at 30 % opacity over the page.
QColor sliceColor(int red, int green, int blue)
{
    return QColor::fromRgbF(red / 255.0f, green / 255.0f, blue / 255.0f, 0.3f);
}

const QColor Green = sliceColor(56, 158, 56);
const QColor Red = sliceColor(194, 29, 32);
const QColor Blue = sliceColor(0, 139, 211);
const QColor Orange = sliceColor(239, 131, 24);
const QColor Yellow = sliceColor(255, 255, 0);
const QColor PaleGreen = sliceColor(168, 214, 160);
const QColor Amber = sliceColor(214, 160, 40);
const QColor Clear = QColor::fromRgbF(1, 1, 1, 0);

// Counts every link into the slot its code maps to (-1: not counted), in one pass.
template <typename SlotOf>
QList<int> countLinks(const CollectionManager &collectionManager, int slotCount, SlotOf slotOf)
{
    QList<int> counts(slotCount, 0);
    for (const TreeNode *categoryNode : collectionManager.categoryRoot()->children()) {
        for (const TreeNode *node : categoryNode->children()) {
            if (const Link *link = node->link()) {
                const int slot = slotOf(*link);
                if (slot >= 0)
                    ++counts[slot];
            }
        }
    }
    return counts;
}

QList<NameValuePair> pairs(const QStringList &names, const QList<int> &counts)
{
    QList<NameValuePair> result;
    for (qsizetype i = 0; i < names.size(); ++i)
        result.append(NameValuePair(names.at(i), float(counts.at(i))));
    return result;
}

} // namespace

QList<NameValuePair> latestVerificationResults(const CollectionManager &collectionManager,
                                               const RecordedChecks &recorded)
{
    // A hand approval has its own slice, after the others: nothing was checked. So has a link found that
    // search engines do not follow, after it: it is not the success the first slice counts.
    const QList<int> counts = countLinks(collectionManager, 8, [&recorded](const Link &link) {
        switch (link.lastVerificationResult()) {
        case VerificationSucceeded: {
            const LatestCheck check = LatestCheck::of(link, LatestCheck::recordedFor(link, &recorded));
            return check.finding == LatestCheck::Linked && !check.followed ? 7 : 0;
        }
        case VerificationMarkedVerified:
            return 6;
        case VerificationNoResponse:
            return 1;
        case VerificationNoLinksPageURL:
            return 2;
        case VerificationLinksPageNotLoaded:
            return 3;
        case VerificationLinkNotFound:
            return 4;
        case VerificationNotVerified:
            return 5;
        default:
            return -1;
        }
    });
    return pairs({Codes::verificationLabel(VerificationSucceeded),
                  Codes::verificationLabel(VerificationNoResponse),
                  Codes::verificationLabel(VerificationNoLinksPageURL),
                  Codes::verificationLabel(VerificationLinksPageNotLoaded),
                  Codes::verificationLabel(VerificationLinkNotFound),
                  Codes::verificationLabel(VerificationNotVerified),
                  Codes::verificationLabel(VerificationMarkedVerified), DetailsTexts::notFollowedText()},
                 counts);
}

QList<NameValuePair> linkStatusDistribution(const CollectionManager &collectionManager)
{
    // A status byte outside the four codes counts as New, as the link editor shows it.
    const QList<int> counts = countLinks(collectionManager, 4, [](const Link &link) {
        switch (link.status()) {
        case LinkStatusNegotiating:
            return 1;
        case LinkStatusApproved:
            return 2;
        case LinkStatusBlocked:
            return 3;
        default:
            return 0;
        }
    });
    return pairs({Codes::statusText(LinkStatusNew), Codes::statusText(LinkStatusNegotiating),
                  Codes::statusText(LinkStatusApproved), Codes::statusText(LinkStatusBlocked)},
                 counts);
}

QList<NameValuePair> originalRequestDistribution(const CollectionManager &collectionManager)
{
    const QList<int> counts = countLinks(collectionManager, 2, [](const Link &link) {
        switch (link.type()) {
        case LinkTypeReceived:
            return 0;
        case LinkTypeSent:
            return 1;
        default:
            return -1;
        }
    });
    return pairs({Codes::typeText(LinkTypeReceived), Codes::typeText(LinkTypeSent)}, counts);
}

QList<NameValuePair> distributionForView(const CollectionManager &collectionManager, int view,
                                         const RecordedChecks &recorded)
{
    switch (view) {
    case LatestVerificationResults:
        return latestVerificationResults(collectionManager, recorded);
    case LinkStatuses:
        return linkStatusDistribution(collectionManager);
    case OriginalRequests:
        return originalRequestDistribution(collectionManager);
    default:
        return {};
    }
}

QList<QColor> colorsForView(int view)
{
    switch (view) {
    case LatestVerificationResults:
        return {Green, Red, Blue, Orange, Yellow, Clear, PaleGreen, Amber};
    case LinkStatuses:
        return {Blue, Orange, Green, Red};
    case OriginalRequests:
        return {Yellow, Blue};
    default:
        return {};
    }
}

QString titleForView(int view)
{
    switch (view) {
    case LatestVerificationResults:
        return Tr::tr("Latest Verification Results");
    case LinkStatuses:
        return Tr::tr("Link Status Distribution");
    case OriginalRequests:
        return Tr::tr("Original Request Distribution");
    default:
        return QStringLiteral("");
    }
}

QString legendStringForNameValuePair(const NameValuePair &pair, double total)
{
    const double percentage = total != 0 ? std::round(double(pair.value()) * 1000.0) / total / 10.0 : 0.0;
    // One substitution pass, so a label holding "%2" stays as it is.
    return Tr::tr("%1 (%2, %3 %)")
        .arg(pair.name(), QString::number(int(pair.value())), QString::asprintf("%.1f", percentage));
}

} // namespace Statistics
