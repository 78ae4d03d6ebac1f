#pragma once

#include "CheckRecord.h"

#include <QAbstractTableModel>

// The checks of one link as a table, newest first: date, what the check found in plain words, result,
// HTTP status, followed, anchor text.
// Each cell's Qt::UserRole is its sort key.
class LinkHistoryModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        DateColumn,
        OutcomeColumn,
        ResultColumn,
        StatusColumn,
        FollowedColumn,
        AnchorTextColumn,
        ColumnCount
    };
    static constexpr int SortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    void setChecks(const QList<CheckRecord> &checks);
    const QList<CheckRecord> &checks() const { return m_checks; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // "Yes", "No (nofollow, ugc)", "No (robots.txt)", or empty when the address was not found.
    static QString followedText(const CheckRecord &check);
    // What the check found in plain words: "Link found", "Link missing (looked at twice)", "Link found
    // on another page", "Site unreachable"...
    static QString outcomeText(const CheckRecord &check);

private:
    QList<CheckRecord> m_checks;
};
