#pragma once

#include "Category.h"
#include "Codes.h"
#include "EmailTemplate.h"
#include "FileError.h"
#include "Link.h"
#include "NamedString.h"
#include "SelfInfo.h"
#include "StoreJournal.h"
#include "TreeNode.h"

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

// One criterion of a link comparison.
enum class LinkSortCriterion
{
    None = 0,
    Status = 1,
    Title = 2,
    Description = 3
};

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
    TreeNode *moveLinkWithID(const QString &id, TreeNode *categoryNode);
    // Moves many links with one walk over the links (a drop of several rows).
    void moveLinksWithIDs(const QStringList &ids, TreeNode *categoryNode);
    const Link *linkWithID(const QString &id) const;
    TreeNode *linkNodeWithID(const QString &id) const;
    bool linkWithURLAlreadyExists(const QString &url, const QString &referenceLinkID = QString()) const;
    bool setStatus(LinkStatus status, const QStringList &ids);
    bool setVerificationResult(VerificationResult result, const QStringList &ids);
    // Stores the outcome of a verification run: each named link gets the day and its result, and a
    // New or Negotiating link verified successfully becomes Approved. IDs that name no link are
    // passed over; false when none was given.
    bool recordVerificationResults(const QList<std::pair<QString, VerificationResult>> &results,
                                   const QDate &day);
    // The same for one link of this store, without recomputing the notifications.
    void setStatusOfLink(Link *link, LinkStatus status);
    void setVerificationOfLink(Link *link, const QDate &day, VerificationResult result);
    // Takes the `removed` link nodes out of the category and puts the `added` ones in, in sorted
    // position, in one pass (an import replacing many links stays linear).
    void replaceLinksOfCategory(TreeNode *categoryNode, const QSet<TreeNode *> &removed,
                                std::vector<std::unique_ptr<TreeNode>> added);
    // Every link node in category order, then link order.
    std::vector<TreeNode *> allLinkNodes() const;

    // --- Rules
    bool verifiableLink(const Link &link) const;
    bool publishableLink(const Link &link) const;
    QList<const Link *> verifiableLinks() const;

    // --- Counts
    int numberOfCategories() const;
    int numberOfNonEmptyCategories() const;
    int numberOfLinks() const;
    int numberOfPublishableLinksInCategory(const TreeNode *categoryNode) const;
    int numberOfPublishableLinks() const;

    // --- Sorting (negative: a before b)
    static int compareLink(const TreeNode *a, const TreeNode *b, LinkSortCriterion criterion);
    static int compareLink(const TreeNode *a, const TreeNode *b, int sortColumn);
    // Stable either way: links that compare equal keep their order, descending too.
    static void sortLinkNodes(std::vector<TreeNode *> &nodes, int sortColumn, bool descending = false);
    void buildSortedLinkList(std::vector<TreeNode *> &list, const TreeNode *categoryNode, int sortColumn,
                             bool descending = false) const;
    // For printing: each category holding links, followed by its links.
    QList<Attachment *> printObjects() const;

    // --- E-mail templates (kept sorted by name, ignoring case)
    const std::vector<std::unique_ptr<EmailTemplate>> &emailTemplates() const { return m_emailTemplates; }
    int addEmailTemplateFromEmailTemplate(const EmailTemplate &form);
    int editEmailTemplate(EmailTemplate *emailTemplate, const EmailTemplate &form);
    int duplicateEmailTemplate(EmailTemplate *emailTemplate);
    QString validDuplicateNameForEmailTemplate(const EmailTemplate &emailTemplate) const;
    void deleteEmailTemplateAtIndex(int index);
    int indexOfEmailTemplateWithID(const QString &id) const;
    int indexOfEmailTemplate(const EmailTemplate *emailTemplate) const;
    EmailTemplate *emailTemplateWithID(const QString &id) const;
    EmailTemplate *emailTemplateWithName(const QString &name) const;
    void sortEmailTemplates();
    // Appends a finished record as it stands (its ID kept), then sorts; for readers of stored templates.
    int insertEmailTemplate(std::unique_ptr<EmailTemplate> emailTemplate);
    std::unique_ptr<EmailTemplate> takeEmailTemplateAtIndex(int index);
    // Swaps in a whole list of finished records (IDs kept), sorts it and returns the previous list;
    // lets an import merge many templates in one pass.
    std::vector<std::unique_ptr<EmailTemplate>>
    replaceEmailTemplates(std::vector<std::unique_ptr<EmailTemplate>> emailTemplates);

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
    const QRectF &windowFrame() const { return m_windowFrame; }
    void setWindowFrame(const QRectF &frame) { m_windowFrame = frame; }
    double splitterPosition() const { return m_splitterPosition; }
    void setSplitterPosition(double position) { m_splitterPosition = position; }
    bool detailsCollapsed() const { return m_detailsCollapsed; }
    void setDetailsCollapsed(bool collapsed) { m_detailsCollapsed = collapsed; }
    const std::optional<QList<double>> &columnWidths() const { return m_columnWidths; }
    void setColumnWidths(const std::optional<QList<double>> &widths) { m_columnWidths = widths; }
    // The link list's sort column (-1: never sorted by a click) and whether it sorts descending.
    int linkSortColumn() const { return m_linkSortColumn; }
    bool linkSortDescending() const { return m_linkSortDescending; }
    void setLinkSort(int column, bool descending)
    {
        m_linkSortColumn = column;
        m_linkSortDescending = descending;
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
    // The first node of each given link ID, found in one walk; IDs that name no link are left out.
    QHash<QString, TreeNode *> linkNodesWithIDs(const QStringList &ids) const;
    void moveLinkNode(TreeNode *node, TreeNode *categoryNode);

    StoreJournal m_journal{*this}; // first in, last out: it may hold nodes taken out of the tree
    std::unique_ptr<TreeNode> m_categoryRoot;
    SelfInfo m_selfInfo;
    QList<NamedString> m_namedStrings;
    std::vector<std::unique_ptr<EmailTemplate>> m_emailTemplates;
    QRectF m_windowFrame;
    double m_splitterPosition = 0.0;
    bool m_detailsCollapsed = false;
    std::optional<QList<double>> m_columnWidths;
    int m_linkSortColumn = -1;
    bool m_linkSortDescending = false;
};
