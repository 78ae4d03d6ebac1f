#pragma once

#include <QStyledItemDelegate>

class HistoryRecorder;

// Draws the result column of the verification sheet with the change a result makes against the
// link's previous check ("Lost", "Recovered") beside it.
class ChangeMarkDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    ChangeMarkDelegate(const HistoryRecorder *recorder, QObject *parent = nullptr);

    // The mark of one row of the run, empty when its result is no change.
    QString markOfRow(int row) const;
    // The mark of a cell of the table, which may show the run's rows sorted.
    QString markAt(const QModelIndex &index) const;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    const HistoryRecorder *m_recorder;
};
