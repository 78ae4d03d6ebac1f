#pragma once

#include "Category.h"
#include "Codes.h"
#include "EmailTemplate.h"
#include "EmailTemplateList.h"
#include "FileError.h"
#include "Link.h"
#include "NamedString.h"
#include "SelfInfo.h"
#include "StoreJournal.h"
#include "TreeNode.h"
#include "WindowState.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QRectF>
#include <QSet>
#include <QStringList>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// The in-memory links database of one document: the category tree with its links, the site
// profile, the e-mail templates, the named strings and the window state that travels in the file.
//
// Every change of a stored record goes through the operations below, which tell the journal what
// they touch before they touch it (the document's undo is built on that); records handed out are
// for reading. The window state is not journalled.
class CollectionManager
{
public:
    CollectionManager(); // a new, empty database
    ~CollectionManager();
    CollectionManager(const CollectionManager &) = delete;
    CollectionManager &operator=(const CollectionManager &) = delete;

    // --- Categories
    TreeNode *categoryRoot() const { return m_categoryRoot.get(); }
    TreeNode *defaultCategoryNode() const;
    TreeNode *addCategoryWithName(const QString &name, const QString &anchor);
    TreeNode *renameCategory(TreeNode *categoryNode, const QString &name, const QString &anchor);
    void deleteCategoryNode(TreeNode *categoryNode); // with its links
    // Inserts a finished record (its ID kept) in sorted position, its node titled `title`; for
    // readers of stored records.
    TreeNode *insertCategory(std::unique_ptr<Category> category, const QString &title);
    const Category *categoryWithID(const QString &id) const;
    TreeNode *categoryNodeWithID(const QString &id) const;
    TreeNode *categoryWithName(const QString &name) const;
    TreeNode *categoryWithAnchor(const QString &anchor) const;
    int indexOfCategoryWithID(const QString &id) const;
    QString IDOfCategoryWithIndex(int index) const;

    // --- Links
    TreeNode *addLinkFromLink(const Link &form);           // null when the form's category is unknown
    TreeNode *addLinkFromFields(const LinkFields &fields); // the same, from a plain set of fields
    TreeNode *editLinkNode(TreeNode *linkNode, const Link &form);
    TreeNode *editLinkNode(TreeNode *linkNode, const LinkFields &fields);
    void deleteLinkNodesWithIDs(const QStringList &ids);
    // Moves many links with one walk over the links (a drop of several rows) and returns the IDs of
    // those that moved. A link already in the category stays where it is.
    QStringList moveLinksWithIDs(const QStringList &ids, TreeNode *categoryNode);
    const Link *linkWithID(const QString &id) const;
    TreeNode *linkNodeWithID(const QString &id) const;
    // The first node of each given link ID, found in one walk; IDs that name no link are left out.
    QHash<QString, TreeNode *> linkNodesWithIDs(const QStringList &ids) const;
    bool linkWithURLAlreadyExists(const QString &url, const QString &referenceLinkID = QString()) const;
    bool setStatus(LinkStatus status, const QStringList &ids);
    bool setVerificationResult(VerificationResult result, const QStringList &ids);
    // Stores the outcome of a verification run: each named link gets the day and its result, and a
    // New or Negotiating link verified successfully becomes Approved. IDs that name no link are
    // passed over; false when none was given. The notifications are left to the caller, which
    // recomputes them once after the whole change.
    bool recordVerificationResults(const QList<std::pair<QString, VerificationResult>> &results,
                                   const QDate &day);
    // The same for one link of this store, without recomputing the notifications.
    void setStatusOfLink(Link *link, LinkStatus status);
    void setVerificationOfLink(Link *link, const QDate &day, VerificationResult result);
    // Takes the `removed` nodes out of the container (a category, or the root for categories) and
    // puts the `added` ones in, in sorted position, in one pass (an import or a load adding many
    // records stays linear).
    void replaceChildren(TreeNode *container, const QSet<TreeNode *> &removed,
                         std::vector<std::unique_ptr<TreeNode>> added);
    // Every link node in category order, then link order.
    std::vector<TreeNode *> allLinkNodes() const;

    // --- Rules
    bool verifiableLink(const Link &link) const;
    QList<const Link *> verifiableLinks() const;

    // --- Counts
    int numberOfCategories() const;
    int numberOfLinks() const;

    // --- E-mail templates
    EmailTemplateList &emailTemplateList() { return m_emailTemplateList; }
    const EmailTemplateList &emailTemplateList() const { return m_emailTemplateList; }
    const std::vector<std::unique_ptr<EmailTemplate>> &emailTemplates() const
    {
        return m_emailTemplateList.emailTemplates();
    }

    // --- Named strings
    void setString(const QString &value, const QString &name);
    QString stringForName(const QString &name) const; // null when missing
    const QList<NamedString> &namedStrings() const { return m_namedStrings; }
    void setNamedStrings(const QList<NamedString> &namedStrings);
    int targetNew() const;
    void setTargetNew(int targetNew);

    // --- Site profile and window state
    const SelfInfo &selfInfo() const { return m_selfInfo; }
    void editSiteInfoFromSiteInfo(const SelfInfo &form); // the eight texts only
    void setSiteProfile(const SiteProfileTexts &texts);
    void setSelfInfo(const SelfInfo &selfInfo); // the whole record, settings included
    void setNotificationSettings(const NotificationSettings &settings);
    void setExportNewLinks(bool exportNewLinks, bool exportNegotiatingLinks);
    void setRenderMode(int32_t renderMode);
    // The links page settings of the site profile: its layout and whether New and Negotiating links
    // are published.
    void setPublishingSettings(int32_t renderMode, bool exportNewLinks, bool exportNegotiatingLinks);
    const QRectF &windowFrame() const { return m_windowState.frame; }
    void setWindowFrame(const QRectF &frame) { m_windowState.frame = frame; }
    double splitterPosition() const { return m_windowState.splitterPosition; }
    void setSplitterPosition(double position) { m_windowState.splitterPosition = position; }
    bool detailsCollapsed() const { return m_windowState.detailsCollapsed; }
    void setDetailsCollapsed(bool collapsed) { m_windowState.detailsCollapsed = collapsed; }
    const std::optional<QList<double>> &columnWidths() const { return m_windowState.columnWidths; }
    void setColumnWidths(const std::optional<QList<double>> &widths) { m_windowState.columnWidths = widths; }
    // The link list's sort column (-1: never sorted by a click) and whether it sorts descending.
    int linkSortColumn() const { return m_windowState.linkSortColumn; }
    bool linkSortDescending() const { return m_windowState.linkSortDescending; }
    void setLinkSort(int column, bool descending)
    {
        m_windowState.linkSortColumn = column;
        m_windowState.linkSortDescending = descending;
    }
    // The link list's shown columns in their order, and the columns' widths, by column name.
    const std::optional<QStringList> &linkListColumns() const { return m_windowState.linkListColumns; }
    const std::optional<QList<QPair<QString, int>>> &linkListColumnWidths() const
    {
        return m_windowState.linkListColumnWidths;
    }
    void setLinkListColumns(const QStringList &columns, const QList<QPair<QString, int>> &widths)
    {
        m_windowState.linkListColumns = columns;
        m_windowState.linkListColumnWidths = widths;
    }

    // --- File
    // The whole database file; moves the window state into the named strings first.
    QByteArray dataRepresentation();
    // Replaces the whole database with the file's content. On failure the store is left as it
    // was and `error` says why.
    bool loadDataRepresentation(const QByteArray &data, FileError *error = nullptr);

    // Writes the window state into the named strings (done before every save) and reads it back
    // from them (done by every load).
    void encodeWindowState();
    void decodeWindowState();
    // Takes over the whole database of `other`, which is left empty.
    void takeContentsOf(CollectionManager &other);

    // --- Reminders: rebuilds every link's notifications (the workflow layer does the work).
    void computeNotifications();

    // --- Changes: what the operations touched since the document last closed an entry.
    StoreJournal &journal() { return m_journal; }
    const StoreJournal &journal() const { return m_journal; }

private:
    friend class DatabaseCodec;
    friend class StoreChange;
    void resetToEmptyDatabase();
    TreeNode *insertLinkNode(std::unique_ptr<Link> link);
    void moveLinkNode(TreeNode *node, TreeNode *categoryNode);

    StoreJournal m_journal{*this}; // first in, last out: it may hold nodes taken out of the tree
    std::unique_ptr<TreeNode> m_categoryRoot;
    SelfInfo m_selfInfo;
    QList<NamedString> m_namedStrings;
    EmailTemplateList m_emailTemplateList{m_journal};
    WindowState m_windowState;
};
