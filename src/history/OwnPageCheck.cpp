#include "OwnPageCheck.h"

#include "OwnPageLinks.h"

#include "model/AddressTexts.h"
#include "model/CollectionManager.h"
#include "model/PublishingRules.h"
#include "publish/ResponsivePageBuilder.h"

#include <QHash>

namespace OwnPageCheck {

namespace {

QString hostOf(const QUrl &url)
{
    return AddressTexts::siteHost(url.host());
}

QUrl webAddress(const QString &text)
{
    QString address = text.trimmed();
    if (!address.contains(QLatin1String("://")))
        address.prepend(QLatin1String("http://"));
    const QUrl url(address, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty()
               ? url
               : QUrl();
}

} // namespace

QString problemKey(Problem problem)
{
    switch (problem) {
    case Problem::Missing:
        return QStringLiteral("missing");
    case Problem::Hidden:
        return QStringLiteral("hidden");
    case Problem::Nofollow:
        return QStringLiteral("nofollow");
    case Problem::Unexpected:
        return QStringLiteral("unexpected");
    }
    return QString();
}

QString problemText(Problem problem)
{
    switch (problem) {
    case Problem::Missing:
        return QCoreApplication::translate("OwnPageCheck", "Missing from the page");
    case Problem::Hidden:
        return QCoreApplication::translate("OwnPageCheck", "On the page, but hidden");
    case Problem::Nofollow:
        return QCoreApplication::translate("OwnPageCheck", "On the page, but not followed (nofollow)");
    case Problem::Unexpected:
        return QCoreApplication::translate("OwnPageCheck",
                                           "On the page, but should not be (blocked or not to be published)");
    }
    return QString();
}

bool Result::complete() const
{
    for (const Page &page : pages) {
        if (!page.loaded)
            return false;
    }
    return true;
}

QString comparableAddress(const QUrl &url)
{
    QUrl normal = url.adjusted(QUrl::RemoveFragment | QUrl::RemoveUserInfo | QUrl::NormalizePathSegments);
    QString path = normal.path(QUrl::FullyEncoded);
    while (path.endsWith(u'/'))
        path.chop(1);
    const int port = normal.port();
    const QString scheme = normal.scheme().toLower();
    const bool defaultPort = port < 0 || (scheme == QLatin1String("http") && port == 80) ||
                             (scheme == QLatin1String("https") && port == 443);
    QString text = hostOf(normal);
    if (!defaultPort)
        text += u':' + QString::number(port);
    text += path;
    if (normal.hasQuery())
        text += u'?' + normal.query(QUrl::FullyEncoded);
    // http and https lead to the same partner: a site that moved to https keeps its place.
    return text;
}

Plan planFor(const CollectionManager &collectionManager, QString *error)
{
    Plan plan;
    const SelfInfo &profile = collectionManager.selfInfo();
    const QUrl index = webAddress(profile.linksURL());
    if (index.isEmpty()) {
        if (error)
            *error = QCoreApplication::translate(
                "OwnPageCheck",
                "The site profile has no links page address (http or https) to check. Enter it "
                "with Edit Site Info.");
        return plan;
    }
    plan.pages.append(Page::at(index));
    const bool perCategory = profile.renderMode() == RenderModePagePerCategory &&
                             !ResponsivePageBuilder::isChosen(collectionManager);
    for (const TreeNode *node : collectionManager.categoryRoot()->children()) {
        const Category *category = node->category();
        if (!category)
            continue;
        int page = 0;
        if (perCategory && !category->isNone() &&
            PublishingRules::numberOfPublishableLinksInCategory(profile, node) > 0) {
            page = int(plan.pages.size());
            plan.pages.append(Page::at(index.resolved(QUrl(category->anchor() + QStringLiteral(".html")))));
        }
        for (const TreeNode *child : node->children()) {
            const Link *link = child->link();
            if (!link)
                continue;
            const bool published = PublishingRules::publishableLink(profile, *link);
            plan.partners.append({link->ID(), link->title(), link->URL(), published, published ? page : -1});
        }
    }
    return plan;
}

QList<Finding> findingsFor(const Plan &plan)
{
    QHash<QString, QList<const Partner *>> byHost;
    QHash<const Partner *, qsizetype> order;
    for (qsizetype i = 0; i < plan.partners.size(); ++i) {
        const Partner &partner = plan.partners.at(i);
        order.insert(&partner, i);
        const QUrl url = webAddress(partner.URL);
        if (!url.isEmpty())
            byHost[hostOf(url)].append(&partner);
    }
    QList<Finding> findings;
    for (int index = 0; index < plan.pages.size(); ++index) {
        const Page &page = plan.pages.at(index);
        if (!page.loaded)
            continue;
        const QString pageName = page.url.toString();
        // One reading of the page; its links by host, so each partner is looked up, not searched for.
        const OwnPageLinks read =
            OwnPageLinks::read(page.text, page.finalURL.isValid() ? page.finalURL : page.url, page.robotsTag);
        QHash<QString, QList<const OwnPageLinks::Link *>> linksByHost;
        for (const OwnPageLinks::Link &link : read.links) {
            const QString scheme = link.url.scheme();
            if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
                linksByHost[hostOf(link.url)].append(&link);
        }
        QList<std::pair<qsizetype, Finding>> onPage;
        for (const Partner &partner : plan.partners) {
            const QUrl url = webAddress(partner.URL);
            const QString host = url.isEmpty() ? QString() : hostOf(url);
            const QList<const OwnPageLinks::Link *> hostLinks = linksByHost.value(host);
            // Several partners on one host are told apart by their whole address.
            QList<const OwnPageLinks::Link *> links;
            if (byHost.value(host).size() == 1) {
                links = hostLinks;
            } else {
                const QString wanted = comparableAddress(url);
                for (const OwnPageLinks::Link *link : hostLinks) {
                    if (comparableAddress(link->url) == wanted)
                        links.append(link);
                }
            }
            const qsizetype position = order.value(&partner);
            if (!partner.published) {
                if (!links.isEmpty())
                    onPage.append({position, {partner.linkID, partner.title, Problem::Unexpected, pageName}});
                continue;
            }
            if (partner.page != index)
                continue;
            bool visible = false;
            bool followed = false;
            for (const OwnPageLinks::Link *link : links) {
                visible = visible || link->visible;
                followed = followed || (link->visible && link->rel.isEmpty() && !read.nofollowPage);
            }
            const Problem problem = links.isEmpty() ? Problem::Missing
                                    : !visible      ? Problem::Hidden
                                                    : Problem::Nofollow;
            if (links.isEmpty() || !followed)
                onPage.append({position, {partner.linkID, partner.title, problem, pageName}});
        }
        for (const auto &entry : onPage)
            findings.append(entry.second);
    }
    return findings;
}

} // namespace OwnPageCheck
