#include "CollectionManager.h"

#include "AddressTexts.h"

#include "Clock.h"
#include "DatabaseCodec.h"
#include "TextUtils.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

const QString WindowFrameKey = QStringLiteral("WindowFrame");
const QString SplitterPositionKey = QStringLiteral("SplitterPosition");
const QString ColumnWidthsKey = QStringLiteral("ColumnWidths");
const QString DetailsCollapsedKey = QStringLiteral("DetailsCollapsed");
const QString LinkListSortKey = QStringLiteral("LinkListSort"); // "column,descending" (0 or 1)
const QString TargetNewKey = QStringLiteral("TargetNew");

QString generalTitle()
{
    return QCoreApplication::translate("CollectionManager", "General");
}

// True when cutting the value toward zero gives an int; converting any other double is undefined.
bool cutsToInt(double value)
{
    return std::isfinite(value) && value > double(INT_MIN) - 1.0 && value < double(INT_MAX) + 1.0;
}

// A window-state number as the file stores it: cut toward zero, and 0 for what an int cannot hold
// (the frame and widths come from the window and from files alike).
int storedInteger(double value)
{
    return cutsToInt(value) ? int(value) : 0;
}

// The `parts` comma-separated numbers of a window-state entry, or none when the entry is missing,
// has another number of parts, or holds anything but finite numbers that an int can hold.
std::optional<QList<double>> storedNumbers(const QString &text, qsizetype parts)
{
    if (text.isNull())
        return std::nullopt;
    const QStringList texts = TextUtils::splitWithDelimiter(text, u',');
    if (texts.size() != parts)
        return std::nullopt;
    QList<double> numbers;
    for (const QString &part : texts) {
        bool ok = false;
        const double number = part.toDouble(&ok);
        if (!ok || !cutsToInt(number))
            return std::nullopt;
        numbers.append(number);
    }
    return numbers;
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
    m_emailTemplates.clear();
    m_windowFrame = QRectF();
    m_splitterPosition = 0.0;
    m_detailsCollapsed = false;
    m_columnWidths.reset();
    m_linkSortColumn = -1;
    m_linkSortDescending = false;
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

TreeNode *CollectionManager::moveLinkWithID(const QString &id, TreeNode *categoryNode)
{
    TreeNode *node = linkNodeWithID(id);
    if (node && categoryNode && categoryNode->category())
        moveLinkNode(node, categoryNode);
    return node;
}

void CollectionManager::moveLinksWithIDs(const QStringList &ids, TreeNode *categoryNode)
{
    if (!categoryNode || !categoryNode->category())
        return;
    const QHash<QString, TreeNode *> nodes = linkNodesWithIDs(ids);
    for (const QString &id : ids) {
        if (TreeNode *node = nodes.value(id))
            moveLinkNode(node, categoryNode);
    }
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
    computeNotifications();
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

void CollectionManager::replaceLinksOfCategory(TreeNode *categoryNode, const QSet<TreeNode *> &removed,
                                               std::vector<std::unique_ptr<TreeNode>> added)
{
    m_journal.childrenWillChange(categoryNode);
    const bool inOrder = childrenInOrder(categoryNode);
    std::vector<TreeNode *> kept;
    kept.reserve(size_t(categoryNode->numberOfChildren()) + added.size());
    for (TreeNode *child : categoryNode->takeChildren()) {
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
        // Inserting one by one in a category kept in order puts each new record behind the equal
        // ones, which a stable sort of the kept children followed by the new ones reproduces.
        kept.insert(kept.end(), newNodes.begin(), newNodes.end());
        std::stable_sort(kept.begin(), kept.end(), [](const TreeNode *a, const TreeNode *b) {
            return a->attachment()->compare(*b->attachment()) < 0;
        });
        categoryNode->adoptChildren(kept);
    } else {
        categoryNode->adoptChildren(kept);
        for (TreeNode *node : newNodes)
            categoryNode->addOrderedChild(node);
    }
}

// ---------------------------------------------------------------- rules and counts

bool CollectionManager::verifiableLink(const Link &link) const
{
    return link.status() != LinkStatusBlocked;
}

bool CollectionManager::publishableLink(const Link &link) const
{
    switch (link.status()) {
    case LinkStatusApproved:
        return true;
    case LinkStatusNew:
        return m_selfInfo.exportNewLinks();
    case LinkStatusNegotiating:
        return m_selfInfo.exportNegotiatingLinks();
    default:
        return false;
    }
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

int CollectionManager::numberOfNonEmptyCategories() const
{
    return int(std::count_if(m_categoryRoot->children().begin(), m_categoryRoot->children().end(),
                             [](const TreeNode *node) { return node->isExpandable(); }));
}

int CollectionManager::numberOfLinks() const
{
    int count = 0;
    for (const TreeNode *node : m_categoryRoot->children())
        count += node->numberOfChildren();
    return count;
}

int CollectionManager::numberOfPublishableLinksInCategory(const TreeNode *categoryNode) const
{
    int count = 0;
    for (const TreeNode *node : categoryNode->children()) {
        if (const Link *link = node->link(); link && publishableLink(*link))
            ++count;
    }
    return count;
}

int CollectionManager::numberOfPublishableLinks() const
{
    int count = 0;
    for (const TreeNode *node : m_categoryRoot->children())
        count += numberOfPublishableLinksInCategory(node);
    return count;
}

// ---------------------------------------------------------------- sorting

int CollectionManager::compareLink(const TreeNode *a, const TreeNode *b, LinkSortCriterion criterion)
{
    const Link *first = a->link();
    const Link *second = b->link();
    if (!first || !second)
        return 0;
    switch (criterion) {
    case LinkSortCriterion::Status:
        return first->status() == second->status() ? 0 : (first->status() < second->status() ? -1 : 1);
    case LinkSortCriterion::Title:
        return QString::compare(first->title(), second->title(), Qt::CaseInsensitive);
    case LinkSortCriterion::Description:
        return QString::compare(first->description(), second->description(), Qt::CaseInsensitive);
    default:
        return 0;
    }
}

int CollectionManager::compareLink(const TreeNode *a, const TreeNode *b, int sortColumn)
{
    using C = LinkSortCriterion;
    static constexpr C chains[4][3] = {
        {C::Status, C::Title, C::Description}, // column 0: none first, which is always equal
        {C::Status, C::Title, C::Description},
        {C::Title, C::Status, C::Description},
        {C::Description, C::Status, C::Title},
    };
    const C *chain = chains[(sortColumn >= 0 && sortColumn <= 3) ? sortColumn : 1];
    for (int i = 0; i < 3; ++i) {
        if (const int result = compareLink(a, b, chain[i]))
            return result;
    }
    return 0;
}

void CollectionManager::sortLinkNodes(std::vector<TreeNode *> &nodes, int sortColumn, bool descending)
{
    // Inserting each node before the first it sorts before is exactly a stable sort. Descending
    // turns the comparison round rather than the result, so equal links keep their order.
    std::stable_sort(
        nodes.begin(), nodes.end(), [sortColumn, descending](const TreeNode *a, const TreeNode *b) {
            return descending ? compareLink(a, b, sortColumn) > 0 : compareLink(a, b, sortColumn) < 0;
        });
}

void CollectionManager::buildSortedLinkList(std::vector<TreeNode *> &list, const TreeNode *categoryNode,
                                            int sortColumn, bool descending) const
{
    list.clear();
    if (!categoryNode)
        return;
    for (TreeNode *node : categoryNode->children()) {
        if (node->link())
            list.push_back(node);
    }
    sortLinkNodes(list, sortColumn, descending);
}

QList<Attachment *> CollectionManager::printObjects() const
{
    QList<Attachment *> objects;
    for (const TreeNode *categoryNode : m_categoryRoot->children()) {
        if (!categoryNode->isExpandable())
            continue;
        objects.append(categoryNode->attachment());
        for (const TreeNode *node : categoryNode->children())
            objects.append(node->attachment());
    }
    return objects;
}

// ---------------------------------------------------------------- e-mail templates

int CollectionManager::indexOfEmailTemplate(const EmailTemplate *emailTemplate) const
{
    for (size_t i = 0; i < m_emailTemplates.size(); ++i) {
        if (m_emailTemplates[i].get() == emailTemplate)
            return int(i);
    }
    return -1;
}

int CollectionManager::insertEmailTemplate(std::unique_ptr<EmailTemplate> emailTemplate)
{
    m_journal.emailTemplatesWillChange();
    const EmailTemplate *added = emailTemplate.get();
    m_emailTemplates.push_back(std::move(emailTemplate));
    sortEmailTemplates();
    return indexOfEmailTemplate(added);
}

int CollectionManager::addEmailTemplateFromEmailTemplate(const EmailTemplate &form)
{
    auto emailTemplate = std::make_unique<EmailTemplate>();
    emailTemplate->setName(form.name(), form.subject(), form.body());
    return insertEmailTemplate(std::move(emailTemplate));
}

int CollectionManager::editEmailTemplate(EmailTemplate *emailTemplate, const EmailTemplate &form)
{
    m_journal.emailTemplatesWillChange();
    emailTemplate->setName(form.name(), form.subject(), form.body());
    sortEmailTemplates();
    return indexOfEmailTemplate(emailTemplate);
}

int CollectionManager::duplicateEmailTemplate(EmailTemplate *emailTemplate)
{
    auto copy = std::make_unique<EmailTemplate>();
    copy->setName(validDuplicateNameForEmailTemplate(*emailTemplate), emailTemplate->subject(),
                  emailTemplate->body());
    return insertEmailTemplate(std::move(copy));
}

QString CollectionManager::validDuplicateNameForEmailTemplate(const EmailTemplate &emailTemplate) const
{
    QString name = QCoreApplication::translate("CollectionManager", "%1 copy").arg(emailTemplate.name());
    for (int number = 1; emailTemplateWithName(name); ++number)
        name = QCoreApplication::translate("CollectionManager", "%1 copy %2")
                   .arg(emailTemplate.name())
                   .arg(number);
    return name;
}

void CollectionManager::deleteEmailTemplateAtIndex(int index)
{
    if (index < 0 || size_t(index) >= m_emailTemplates.size())
        return;
    m_journal.emailTemplatesWillChange();
    m_emailTemplates.erase(m_emailTemplates.begin() + index);
}

std::unique_ptr<EmailTemplate> CollectionManager::takeEmailTemplateAtIndex(int index)
{
    if (index < 0 || size_t(index) >= m_emailTemplates.size())
        return nullptr;
    m_journal.emailTemplatesWillChange();
    std::unique_ptr<EmailTemplate> taken = std::move(m_emailTemplates[size_t(index)]);
    m_emailTemplates.erase(m_emailTemplates.begin() + index);
    return taken;
}

std::vector<std::unique_ptr<EmailTemplate>>
CollectionManager::replaceEmailTemplates(std::vector<std::unique_ptr<EmailTemplate>> emailTemplates)
{
    m_journal.emailTemplatesWillChange();
    std::swap(m_emailTemplates, emailTemplates);
    sortEmailTemplates();
    return emailTemplates;
}

int CollectionManager::indexOfEmailTemplateWithID(const QString &id) const
{
    return indexOfEmailTemplate(emailTemplateWithID(id));
}

EmailTemplate *CollectionManager::emailTemplateWithID(const QString &id) const
{
    for (const auto &emailTemplate : m_emailTemplates) {
        if (emailTemplate->ID() == id)
            return emailTemplate.get();
    }
    return nullptr;
}

EmailTemplate *CollectionManager::emailTemplateWithName(const QString &name) const
{
    for (const auto &emailTemplate : m_emailTemplates) {
        if (emailTemplate->name() == name)
            return emailTemplate.get();
    }
    return nullptr;
}

void CollectionManager::sortEmailTemplates()
{
    m_journal.emailTemplatesWillChange();
    std::stable_sort(m_emailTemplates.begin(), m_emailTemplates.end(),
                     [](const auto &a, const auto &b) { return a->compare(*b) < 0; });
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
    return stringForName(TargetNewKey) == QLatin1String("NO") ? 2 : 1;
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
    const QRectF &f = m_windowFrame;
    setString(QStringLiteral("%1,%2,%3,%4")
                  .arg(storedInteger(f.x()))
                  .arg(storedInteger(f.y()))
                  .arg(storedInteger(f.width()))
                  .arg(storedInteger(f.height())),
              WindowFrameKey);
    setString(QString::number(storedInteger(m_splitterPosition)), SplitterPositionKey);
    if (m_columnWidths && m_columnWidths->size() == 2) {
        setString(QStringLiteral("%1,%2")
                      .arg(storedInteger(m_columnWidths->at(0)))
                      .arg(storedInteger(m_columnWidths->at(1))),
                  ColumnWidthsKey);
    }
    setString(m_detailsCollapsed ? QStringLiteral("YES") : QStringLiteral("NO"), DetailsCollapsedKey);
    if (m_linkSortColumn >= 0)
        setString(QStringLiteral("%1,%2").arg(m_linkSortColumn).arg(m_linkSortDescending ? 1 : 0),
                  LinkListSortKey);
}

void CollectionManager::decodeWindowState()
{
    // A value is taken only when every part of it is a finite number that an int holds; otherwise
    // the whole entry reads as missing.
    const std::optional<QList<double>> frame = storedNumbers(stringForName(WindowFrameKey), 4);
    m_windowFrame = frame ? QRectF(frame->at(0), frame->at(1), frame->at(2), frame->at(3)) : QRectF();
    const std::optional<QList<double>> splitter = storedNumbers(stringForName(SplitterPositionKey), 1);
    m_splitterPosition = splitter ? splitter->at(0) : 0.0;
    m_columnWidths = storedNumbers(stringForName(ColumnWidthsKey), 2);
    const QString collapsed = stringForName(DetailsCollapsedKey);
    m_detailsCollapsed = !collapsed.isNull() && collapsed != QLatin1String("NO");
    const std::optional<QList<double>> sort = storedNumbers(stringForName(LinkListSortKey), 2);
    m_linkSortColumn = sort ? int(sort->at(0)) : -1;
    m_linkSortDescending = sort && sort->at(1) != 0;
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
    m_emailTemplates = std::move(other.m_emailTemplates);
    m_windowFrame = other.m_windowFrame;
    m_splitterPosition = other.m_splitterPosition;
    m_detailsCollapsed = other.m_detailsCollapsed;
    m_columnWidths = other.m_columnWidths;
    m_linkSortColumn = other.m_linkSortColumn;
    m_linkSortDescending = other.m_linkSortDescending;
    other.resetToEmptyDatabase();
}
