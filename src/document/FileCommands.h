#pragma once

#include "DocumentCommandArea.h"

#include <QString>

// Save, Save As, Revert to Saved, Import Links and the question asked before a window with unsaved
// changes closes. A file that cannot be written is reported here, whether the user or the
// auto-save timer wrote it.
class FileCommands : public DocumentCommandArea
{
    Q_OBJECT

public:
    explicit FileCommands(MyDocument *document);

    void validateMenuItems() override;

    // Asks whether to save the changes: true when the window may close (saved or discarded).
    bool askToSaveChanges();

public slots:
    bool save();
    // Saves to the document's file without the question about a file changed on disk.
    bool saveWithoutAsking();
    bool saveAs();
    void revertToSaved();
    void importLinks();
    bool importLinksFromFile(const QString &path);
    void reportSaveFailure(const QString &path, const QString &why);
};
