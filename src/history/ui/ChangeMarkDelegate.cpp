#include "ChangeMarkDelegate.h"

#include "history/HistoryRecorder.h"

ChangeMarkDelegate::ChangeMarkDelegate(const HistoryRecorder *recorder, QObject *parent)
    : QStyledItemDelegate(parent), m_recorder(recorder)
{}

QString ChangeMarkDelegate::markOfRow(int row) const
{
    const std::optional<LinkChange::Kind> change = m_recorder->changeOf(row);
    return change ? LinkChange::text(*change) : QString();
}

void ChangeMarkDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QString mark = markOfRow(index.row());
    if (mark.isEmpty())
        return;
    option->text = tr("%1 \u2014 %2").arg(option->text, mark);
    option->font.setBold(true);
}
