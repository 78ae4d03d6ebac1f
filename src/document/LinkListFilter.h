#pragma once

#include "workflow/LinkFilterText.h"
#include "workflow/LinkView.h"

#include <QMap>
#include <QObject>

class LinkListModel;
class RecordedChecksCache;
class TreeNode;

// What narrows the link list: the filter bar's words and the chosen view, within the shown category.
// It sets the list model's row filter only when what the filter accepts changes, and counts the
// category's links of every view.
class LinkListFilter : public QObject
{
    Q_OBJECT

public:
    LinkListFilter(LinkListModel *model, const RecordedChecksCache *checks, QObject *parent = nullptr);

    void setText(const QString &text);
    QString text() const { return m_typed; }
    void setChoice(const LinkView::Choice &choice);
    const LinkView::Choice &choice() const { return m_choice; }
    // Shows every link again.
    void clear();
    // Filters the rows anew: the history's checks or the reminders changed, or a day began.
    void refresh();

    // Some links of the category may be hidden.
    bool isNarrowing() const { return !m_text.isEmpty() || m_choice.kind != LinkView::All; }
    // How many links of the shown category each view lists, the filter's words left aside.
    QMap<LinkView::Kind, int> countsInCategory() const;
    // Whether the link passes the view and the words.
    bool accepts(const TreeNode *linkNode) const;

signals:
    // The rows were filtered anew.
    void applied();

private:
    void apply();

    LinkListModel *m_model;
    const RecordedChecksCache *m_checks;
    QString m_typed;
    LinkFilterText m_text;
    LinkView::Choice m_choice;
};
