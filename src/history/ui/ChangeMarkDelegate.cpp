#include "ChangeMarkDelegate.h"

#include "history/HistoryRecorder.h"

#include <QAbstractProxyModel>

ChangeMarkDelegate::ChangeMarkDelegate(const HistoryRecorder *recorder, QObject *parent)
    : QStyledItemDelegate(parent), m_recorder(recorder)
{}

QString ChangeMarkDelegate::markOfRow(int row) const
{
    const std::optional<LinkChange::Kind> change = m_recorder->changeOf(row);
    return change ? LinkChange::text(*change) : QString();
}

QString ChangeMarkDelegate::markAt(const QModelIndex &index) const
{
    // The table may show the run's rows sorted: the mark belongs to the run's row.
    QModelIndex runIndex = index;
    while (const auto *proxy = qobject_cast<const QAbstractProxyModel *>(runIndex.model()))
        runIndex = proxy->mapToSource(runIndex);
    return markOfRow(runIndex.row());
}

void ChangeMarkDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QString mark = markAt(index);
    if (mark.isEmpty())
        return;
    option->text = tr("%1 \u2014 %2").arg(option->text, mark);
    option->font.setBold(true);
}
