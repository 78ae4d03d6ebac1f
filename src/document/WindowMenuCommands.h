#pragma once

#include "DocumentCommandArea.h"

#include <QList>

class QAction;

// The Window menu (Minimize and one item per open window) and File > Open Recent, both filled as
// they open from the application's list of windows and recent files.
class WindowMenuCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit WindowMenuCommands(MyDocument *document);

    void validateMenuItems() override;

private:
    void rebuildWindowMenu();
    void rebuildRecentFilesMenu();
    void openRecentFile(QAction *item);

    QList<QAction *> m_windowListActions;
};
