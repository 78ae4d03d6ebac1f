#include "RightClickTableView.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>

RightClickTableView::RightClickTableView(QWidget *parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    setTabKeyNavigation(false);
}

void RightClickTableView::keyPressEvent(QKeyEvent *event)
{
    // With Shift or Ctrl these keys keep their usual meaning (extending the selection...).
    if (!(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit editSelectedObjectRequested();
            event->accept();
            return;
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            emit deleteSelectedObjectRequested();
            event->accept();
            return;
        case Qt::Key_Left:
        case Qt::Key_Right:
            emit switchActiveListRequested();
            event->accept();
            return;
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

bool RightClickTableView::selectRowUnder(const QPoint &position)
{
    const QModelIndex index = indexAt(position);
    if (!index.isValid())
        return false;
    // A click on a row that is already selected keeps a multiple selection.
    if (!selectionModel()->isRowSelected(index.row(), index.parent())) {
        selectionModel()->setCurrentIndex(index,
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    return true;
}

void RightClickTableView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        setFocus(Qt::MouseFocusReason);
        selectRowUnder(event->position().toPoint());
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void RightClickTableView::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_contextMenu)
        return;
    if (event->reason() == QContextMenuEvent::Mouse) {
        setFocus(Qt::MouseFocusReason);
        selectRowUnder(event->pos()); // viewport coordinates, like mouse events
    }
    m_contextMenu->popup(event->globalPos());
    event->accept();
}

void RightClickTableView::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    if (model() && selectionModel() && !selectionModel()->hasSelection() && model()->rowCount() > 0) {
        selectionModel()->setCurrentIndex(model()->index(0, 0),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    emit focusChanged();
}

void RightClickTableView::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    emit focusChanged();
}
