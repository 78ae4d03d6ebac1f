#pragma once

#include <QTableView>

class QMenu;

// A table that selects the clicked row before its context menu opens and turns Return, Delete
// and the left and right arrows into document commands.
class RightClickTableView : public QTableView
{
    Q_OBJECT

public:
    explicit RightClickTableView(QWidget *parent = nullptr);

    void setContextMenu(QMenu *menu) { m_contextMenu = menu; }
    QMenu *contextMenu() const { return m_contextMenu; }

signals:
    void editSelectedObjectRequested();
    void deleteSelectedObjectRequested();
    void switchActiveListRequested();
    // Any change of focus, so the document can re-evaluate its commands.
    void focusChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool selectRowUnder(const QPoint &position);

    QMenu *m_contextMenu = nullptr;
};
