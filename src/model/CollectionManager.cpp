#include "CollectionManager.h"

#include "AddressTexts.h"

#include "Clock.h"
#include "DatabaseCodec.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

const QString TargetNewKey = QStringLiteral("TargetNew");

QString generalTitle()
{
    return QCoreApplication::translate("CollectionManager", "General");
}

} // namespace

CollectionManager::CollectionManager()
{
    resetToEmptyDatabase();
    SelfInfo &info = m_selfInfo;
    info.setTitle(SiteProfileTexts{"", "", "", "", "", "", "", ""});
    info.setRenderMode(RenderModePagePerCategory);
    NotificationSettings settings;
    settings.notifyNegotiationNotStarted = false;
    settings.negotiationStartTimeout = 2;
    info.setNotifyNegotiationNotStarted(settings);
    info.setExportNewLinks(true, true);

    auto category = std::make_unique<Category>();
    category->setNone();
    category->setName(generalTitle(), NoneCategoryID);
    m_categoryRoot->addOrderedChild(new TreeNode(std::move(category)));
}

CollectionManager::~CollectionManager() = default;

void CollectionManager::resetToEmptyDatabase()
{
    m_journal.storeWasReplaced();
    m_categoryRoot = std::make_unique<TreeNode>();
    m_selfInfo = SelfInfo();
    m_namedStrings.clear();
    m_emailTemplateList.m_emailTemplates.clear();
    m_windowState = WindowState();
}

// ---------------------------------------------------------------- categories

TreeNode *CollectionManager::defaultCategoryNode() const
{
    for (TreeNode *node : m_categoryRoot->children()) {
        if (const Category *category = node->category(); category && category->isNone())
            return node;
    }
    return nullptr;
}

TreeNode *CollectionManager::addCategoryWithName(const QString &name, const QString &anchor)
{
    auto category = std::make_unique<Category>();
    category->setName(name, anchor);
    return insertCategory(std::move(category), name);
}

TreeNode *CollectionManager::insertCategory(std::unique_ptr<Category> category, const QString &title)
{
    auto *node = new TreeNode(std::move(category));
    node->setTitle(title);
    m_journal.childrenWillChange(m_categoryRoot.get());
    m_journal.nodeWasCreated(node);
    return m_categoryRoot->addOrderedChild(node);
}

TreeNode *CollectionManager::renameCategory(TreeNode *categoryNode, const QString &name,
                                            const QString &anchor)
{
    Category *category = categoryNode->category();
    if (!category)
        return categoryNode;
    m_journal.categoryWillChange(categoryNode);
    m_journal.childrenWillChange(m_categoryRoot.get());
    category->setName(name, anchor);
    categoryNode->isolate();
    m_categoryRoot->addOrderedChild(categoryNode);
    categoryNode->refreshObjectValueFromNativeTitle();
    return categoryNode;
}

void CollectionManager::deleteCategoryNode(TreeNode *categoryNode)
{
    if (!categoryNode)
        return;
    if (TreeNode *parent = categoryNode->parent()) {
        m_journal.childrenWillChange(parent);
        categoryNode->isolate();
    }
    m_journal.discardNode(categoryNode);
}

const Category *CollectionManager::categoryWithID(const QString &id) const
{
    TreeNode *node = categoryNodeWithID(id);
    return node ? node->category() : nullptr;
}

TreeNode *CollectionManager::categoryNodeWithID(const QString &id) const
{
    for (TreeNode *node : m_categoryRoot->children()) {
        if (const Category *category = node->category(); category && category->ID() == id)
            return node;
    }
    return nullptr;
}

TreeNode *CollectionManager::categoryWithName(const QString &name) const
{
    for (TreeNode *node : m_categoryRoot->children()) {
        if (const Category *category = node->category(); category && category->name() == name)
            return node;
    }
    return nullptr;
}

TreeNode *CollectionManager::categoryWithAnchor(const QString &anchor) const
{
    for (TreeNode *node : m_categoryRoot->children()) {
        if (const Category *category = node->category(); category && category->anchor() == anchor)
            return node;
    }
    return nullptr;
}

int CollectionManager::indexOfCategoryWithID(const QString &id) const
{
    return m_categoryRoot->indexOfChild(categoryNodeWithID(id));
}

QString CollectionManager::IDOfCategoryWithIndex(int index) const
{
    TreeNode *node = m_categoryRoot->childAtIndex(index);
    return node ? node->attachmentID() : QString();
}

// ---------------------------------------------------------------- links

TreeNode *CollectionManager::insertLinkNode(std::unique_ptr<Link> link)
{
    TreeNode *categoryNode = categoryNodeWithID(link->categoryID());
    if (!categoryNode)
        return nullptr;
    auto *node = new TreeNode(std::move(link));
    m_journal.childrenWillChange(categoryNode);
    m_journal.nodeWasCreated(node);
    return categoryNode->addOrderedChild(node);
}

TreeNode *CollectionManager::addLinkFromLink(const Link &form)
{
    return addLinkFromFields(form.fields());
}

TreeNode *CollectionManager::addLinkFromFields(const LinkFields &fields)
{
    auto link = std::make_unique<Link>();
    link->setTitle(fields);
    return insertLinkNode(std::move(link));
}

TreeNode *CollectionManager::editLinkNode(TreeNode *linkNode, const Link &form)
{
    return editLinkNode(linkNode, form.fields());
}

TreeNode *CollectionManager::editLinkNode(TreeNode *linkNode, const LinkFields &fields)
{
    Link *link = linkNode->link();
    if (!link)
        return linkNode;
    TreeNode *target = categoryNodeWithID(fields.categoryID);
    if (!target)
        return linkNode; // an unknown category would orphan the link: keep it where it is
    m_journal.linkWillChange(link);
    if (linkNode->parent())
        m_journal.childrenWillChange(linkNode->parent());
    m_journal.childrenWillChange(target);
    link->setTitle(fields);
    linkNode->isolate();
    target->addOrderedChild(linkNode);
    linkNode->refreshObjectValueFromTitle();
    return linkNode;
}

QHash<QString, TreeNode *> CollectionManager::linkNodesWithIDs(const QStringList &ids) const
{
    const QSet<QString> wanted(ids.begin(), ids.end());
    QHash<QString, TreeNode *> nodes;
    for (TreeNode *node : allLinkNodes()) {
        const QString id = node->attachmentID();
        if (wanted.contains(id) && !nodes.contains(id))
            nodes.insert(id, node);
    }
    return nodes;
}

void CollectionManager::deleteLinkNodesWithIDs(const QStringList &ids)
{
    QHash<QString, TreeNode *> nodes = linkNodesWithIDs(ids);
    for (const QString &id : ids) {
        TreeNode *node = nodes.take(id);
        if (!node)
            continue;
        m_journal.childrenWillChange(node->parent());
        node->isolate();
        m_journal.discardNode(node);
    }
}

void CollectionManager::moveLinkNode(TreeNode *node, TreeNode *categoryNode)
{
    m_journal.linkWillChange(node->link());
    m_journal.childrenWillChange(node->parent());
    m_journal.childrenWillChange(categoryNode);
    node->isolate();
    node->link()->setCategoryID(categoryNode->attachmentID());
    categoryNode->addOrderedChild(node);
    node->refreshObjectValueFromTitle();
}

QStringList CollectionManager::moveLinksWithIDs(const QStringList &ids, TreeNode *categoryNode)
{
    QStringList moved;
    if (!categoryNode || !categoryNode->category())
        return moved;
    const QHash<QString, TreeNode *> nodes = linkNodesWithIDs(ids);
    for (const QString &id : ids) {
        // Taking a link out and putting it back would move it behind its namesakes.
        if (TreeNode *node = nodes.value(id); node && node->parent() != categoryNode) {
            moveLinkNode(node, categoryNode);
            moved.append(id);
        }
    }
    return moved;
}

TreeNode *CollectionManager::linkNodeWithID(const QString &id) const
{
    for (TreeNode *categoryNode : m_categoryRoot->children()) {
        for (TreeNode *node : categoryNode->children()) {
            if (const Link *link = node->link(); link && link->ID() == id)
                return node;
        }
    }
    return nullptr;
}

const Link *CollectionManager::linkWithID(const QString &id) const
{
    TreeNode *node = linkNodeWithID(id);
    return node ? node->link() : nullptr;
}

std::vector<TreeNode *> CollectionManager::allLinkNodes() const
{
    std::vector<TreeNode *> nodes;
    for (TreeNode *categoryNode : m_categoryRoot->children()) {
        for (TreeNode *node : categoryNode->children()) {
            if (node->link())
                nodes.push_back(node);
        }
    }
    return nodes;
}

bool CollectionManager::linkWithURLAlreadyExists(const QString &url, const QString &referenceLinkID) const
{
    const QStringView trimmedURL = AddressTexts::withoutTrailingSlash(url);
    for (TreeNode *node : allLinkNodes()) {
        const Link *link = node->link();
        if (!referenceLinkID.isNull() && link->ID() == referenceLinkID)
            continue;
        if (link->URL().compare(url, Qt::CaseInsensitive) == 0)
            return true;
        if (AddressTexts::withoutTrailingSlash(link->URL()).compare(trimmedURL, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool CollectionManager::setStatus(LinkStatus status, const QStringList &ids)
{
    if (ids.isEmpty())
        return false;
    const QSet<QString> wanted(ids.begin(), ids.end());
    for (TreeNode *node : allLinkNodes()) {
        if (wanted.contains(node->attachmentID()))
            setStatusOfLink(node->link(), status);
    }
    computeNotifications();
    return true;
}

bool CollectionManager::setVerificationResult(VerificationResult result, const QStringList &ids)
{
    if (ids.isEmpty())
        return false;
    const QSet<QString> wanted(ids.begin(), ids.end());
    const QDate today = Clock::today();
    for (TreeNode *node : allLinkNodes()) {
        if (wanted.contains(node->attachmentID()))
            setVerificationOfLink(node->link(), today, result);
    }
    computeNotifications();
    return true;
}

bool CollectionManager::recordVerificationResults(
    const QList<std::pair<QString, VerificationResult>> &results, const QDate &day)
{
    if (results.isEmpty())
        return false;
    QStringList ids;
    ids.reserve(results.size());
    for (const auto &result : results)
        ids.append(result.first);
    const QHash<QString, TreeNode *> nodes = linkNodesWithIDs(ids);
    for (const auto &[id, result] : results) {
        TreeNode *node = nodes.value(id);
        if (!node)
            continue;
        Link *link = node->link();
        m_journal.linkWillChange(link);
        const LinkStatus status = link->status();
        link->setLastVerifiedOn(day, result);
        if (result == VerificationSucceeded && (status == LinkStatusNew || status == LinkStatusNegotiating))
            link->setStatus(LinkStatusApproved);
    }
    // The caller recomputes the reminders once for the whole change.
    return true;
}

void CollectionManager::setStatusOfLink(Link *link, LinkStatus status)
{
    m_journal.linkWillChange(link);
    link->setStatus(status);
}

void CollectionManager::setVerificationOfLink(Link *link, const QDate &day, VerificationResult result)
{
    m_journal.linkWillChange(link);
    link->setLastVerifiedOn(day, result);
}

namespace {

bool childrenInOrder(const TreeNode *parent)
{
    const std::vector<TreeNode *> &children = parent->children();
    for (size_t i = 0; i < children.size(); ++i) {
        const Attachment *record = children[i]->attachment();
        if (!record || (i > 0 && record->compare(*children[i - 1]->attachment()) < 0))
            return false;
    }
    return true;
}

} // namespace

void CollectionManager::replaceChildren(TreeNode *container, const QSet<TreeNode *> &removed,
                                        std::vector<std::unique_ptr<TreeNode>> added)
{
    m_journal.childrenWillChange(container);
    const bool inOrder = childrenInOrder(container);
    std::vector<TreeNode *> kept;
    kept.reserve(size_t(container->numberOfChildren()) + added.size());
    for (TreeNode *child : container->takeChildren()) {
        if (removed.contains(child))
            m_journal.discardNode(child);
        else
            kept.push_back(child);
    }
    std::vector<TreeNode *> newNodes;
    newNodes.reserve(added.size());
    for (std::unique_ptr<TreeNode> &node : added) {
        if (!node)
            continue;
        m_journal.nodeWasCreated(node.get());
        newNodes.push_back(node.release());
    }
    if (inOrder) {
        // Inserting one by one in a container kept in order puts each new record behind the equal
        // ones, which a stable sort of the kept children followed by the new ones reproduces.
        kept.insert(kept.end(), newNodes.begin(), newNodes.end());
        std::stable_sort(kept.begin(), kept.end(), [](const TreeNode *a, const TreeNode *b) {
            return a->attachment()->compare(*b->attachment()) < 0;
        });
        container->adoptChildren(kept);
    } else {
        container->adoptChildren(kept);
        for (TreeNode *node : newNodes)
            container->addOrderedChild(node);
    }
}

// ---------------------------------------------------------------- rules and counts

bool CollectionManager::verifiableLink(const Link &link) const
{
    return link.status() != LinkStatusBlocked;
}

QList<const Link *> CollectionManager::verifiableLinks() const
{
    QList<const Link *> links;
    for (TreeNode *node : allLinkNodes()) {
        if (verifiableLink(*node->link()))
            links.append(node->link());
    }
    return links;
}

int CollectionManager::numberOfCategories() const
{
    return m_categoryRoot->numberOfChildren();
}

int CollectionManager::numberOfLinks() const
{
    int count = 0;
    for (const TreeNode *node : m_categoryRoot->children())
        count += node->numberOfChildren();
    return count;
}

// ---------------------------------------------------------------- named strings

void CollectionManager::setString(const QString &value, const QString &name)
{
    m_journal.namedStringsWillChange();
    NamedStringList::setString(m_namedStrings, value, name);
}

QString CollectionManager::stringForName(const QString &name) const
{
    return NamedStringList::stringForName(m_namedStrings, name);
}

void CollectionManager::setNamedStrings(const QList<NamedString> &namedStrings)
{
    for (const NamedString &entry : namedStrings)
        setString(entry.value(), entry.name());
}

int CollectionManager::targetNew() const
{
    // Only "YES" gives the page's links a target, so only "YES" is the new-window choice.
    return stringForName(TargetNewKey) == QLatin1String("YES") ? 1 : 2;
}

void CollectionManager::setTargetNew(int targetNew)
{
    setString(targetNew == 2 ? QStringLiteral("NO") : QStringLiteral("YES"), TargetNewKey);
}

void CollectionManager::editSiteInfoFromSiteInfo(const SelfInfo &form)
{
    setSiteProfile(form.texts());
}

void CollectionManager::setSiteProfile(const SiteProfileTexts &texts)
{
    m_journal.selfInfoWillChange();
    m_selfInfo.setTitle(texts);
}

void CollectionManager::setSelfInfo(const SelfInfo &selfInfo)
{
    m_journal.selfInfoWillChange();
    m_selfInfo = selfInfo;
}

void CollectionManager::setNotificationSettings(const NotificationSettings &settings)
{
    m_journal.selfInfoWillChange();
    m_selfInfo.setNotifyNegotiationNotStarted(settings);
}

void CollectionManager::setExportNewLinks(bool exportNewLinks, bool exportNegotiatingLinks)
{
    m_journal.selfInfoWillChange();
    m_selfInfo.setExportNewLinks(exportNewLinks, exportNegotiatingLinks);
}

void CollectionManager::setRenderMode(int32_t renderMode)
{
    m_journal.selfInfoWillChange();
    m_selfInfo.setRenderMode(renderMode);
}

void CollectionManager::setPublishingSettings(int32_t renderMode, bool exportNewLinks,
                                              bool exportNegotiatingLinks)
{
    m_journal.selfInfoWillChange();
    m_selfInfo.setRenderMode(renderMode);
    m_selfInfo.setExportNewLinks(exportNewLinks, exportNegotiatingLinks);
}

// ---------------------------------------------------------------- file

void CollectionManager::encodeWindowState()
{
    const StoreJournal::Pause windowStateIsNotAChange(m_journal);
    for (const NamedString &entry : m_windowState.encoded())
        setString(entry.value(), entry.name());
}

void CollectionManager::decodeWindowState()
{
    m_windowState = WindowState::decoded(m_namedStrings);
}

QByteArray CollectionManager::dataRepresentation()
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    DatabaseCodec::write(*this, buffer);
    return data;
}

bool CollectionManager::loadDataRepresentation(const QByteArray &data, FileError *error)
{
    QBuffer buffer(const_cast<QByteArray *>(&data));
    buffer.open(QIODevice::ReadOnly);
    return DatabaseCodec::read(buffer, *this, error);
}

void CollectionManager::takeContentsOf(CollectionManager &other)
{
    m_journal.storeWasReplaced();
    m_categoryRoot = std::move(other.m_categoryRoot);
    m_selfInfo = other.m_selfInfo;
    m_namedStrings = std::move(other.m_namedStrings);
    m_emailTemplateList.m_emailTemplates = std::move(other.m_emailTemplateList.m_emailTemplates);
    m_windowState = other.m_windowState;
    other.resetToEmptyDatabase();
}
