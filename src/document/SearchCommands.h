#pragma once

#include "DocumentCommandArea.h"
#include "workflow/SearchCriterion.h"

#include <QList>
#include <optional>

class SearchDialogController;
class TreeNode;

// Find and Find Next: the search sheet, the conditions of the last confirmed search (kept while the
// window is open, so Find Next continues from the selected link and Find offers them again), and
// selecting and flashing what was found.
class SearchCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit SearchCommands(MyDocument *document);

    void validateMenuItems() override;

    void findLink();
    void findLinkSheetDidEnd(int returnCode);
    void findNextLink();

    void setSearchCriteria(const QList<SearchCriterion> &criteria, bool any);
    void clearSearchCriteria();
    bool isFindNextAvailable() const { return m_searchCriteria.has_value(); }
    const std::optional<QList<SearchCriterion>> &searchCriteria() const { return m_searchCriteria; }
    bool searchAny() const { return m_searchAny; }
    // Searches from the selected link (from the start without one) in the order the window shows;
    // selects and flashes the match. Without a match, the alert only when asked. True when found.
    bool doFindWithAlert(bool alert, bool focus);

    SearchDialogController *searchDialog() const { return m_searchDialog; }
    // What the status line said after the last match ("2 of 3"), for tests.
    QString lastPositionText() const { return m_lastPositionText; }
    // "2 of 3", after "Search started again from the top" when the search wrapped.
    static QString positionText(int position, int count, bool wrapped);

private:
    static constexpr int StatusMessageTimeout = 10000; // ms
    bool findFrom(const TreeNode *startItem, bool alert, bool focus);

    SearchDialogController *m_searchDialog = nullptr;
    std::optional<QList<SearchCriterion>> m_searchCriteria;
    bool m_searchAny = false;
    QString m_lastPositionText;
};
