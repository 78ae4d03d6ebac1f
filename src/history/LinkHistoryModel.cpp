#include "LinkHistoryModel.h"

#include <QLocale>

void LinkHistoryModel::setChecks(const QList<CheckRecord> &checks)
{
    beginResetModel();
    m_checks = checks;
    endResetModel();
}

int LinkHistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_checks.size());
}

int LinkHistoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString LinkHistoryModel::followedText(const CheckRecord &check)
{
    if (!check.addressFound)
        return QString();
    if (check.followed)
        return tr("Yes");
    if (!check.inAnchor)
        return tr("No (not a link)");
    if (check.rel.isEmpty() && check.robots == RobotsVerdict::Disallowed)
        return tr("No (robots.txt)");
    return check.rel.isEmpty() ? tr("No") : tr("No (%1)").arg(check.rel.join(QStringLiteral(", ")));
}

QString LinkHistoryModel::outcomeText(const CheckRecord &check)
{
    if (check.outcome == CheckOutcome::NotLinked && !check.movedTo.isEmpty())
        return tr("Link found on another page");
    if (check.outcome == CheckOutcome::NotLinked && check.confirmed)
        return tr("Link missing (looked at twice)");
    return CheckOutcomes::text(check.outcome);
}

QVariant LinkHistoryModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const CheckRecord &check = m_checks.at(index.row());
    if (role == SortRole) {
        switch (index.column()) {
        case DateColumn:
            // Equal times keep the order of recording: newest first.
            return check.checkedOn.toSecsSinceEpoch() * 1'000'000 + (m_checks.size() - index.row());
        case StatusColumn:
            return check.httpStatus;
        default:
            return data(index, Qt::DisplayRole);
        }
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();
    switch (index.column()) {
    case DateColumn:
        return QLocale().toString(check.checkedOn, QLocale::ShortFormat);
    case OutcomeColumn:
        if (role == Qt::ToolTipRole)
            return check.movedTo.isEmpty() ? CheckOutcomes::advice(check.outcome) : check.movedTo;
        return outcomeText(check);
    case ResultColumn:
        return Codes::verificationRunText(check.result);
    case StatusColumn:
        return check.httpStatus > 0 ? QVariant(check.httpStatus) : QVariant(QString());
    case FollowedColumn:
        return followedText(check);
    case AnchorTextColumn:
        return check.anchorText;
    default:
        return QVariant();
    }
}

QVariant LinkHistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case DateColumn:
        return tr("Checked");
    case OutcomeColumn:
        return tr("Found");
    case ResultColumn:
        return tr("Result");
    case StatusColumn:
        return tr("HTTP Status");
    case FollowedColumn:
        return tr("Followed");
    case AnchorTextColumn:
        return tr("Anchor Text");
    default:
        return QVariant();
    }
}
