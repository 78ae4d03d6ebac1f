#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>

class StoreChange;

// One change of the database as the windows hear of it, from a command, an undo or a redo: what
// it touched (read from the journal's record of it), and what the window should select afterwards.
struct DocumentChange
{
    QString actionName;
    // --- What to show once it is done: the links, or else the category. Both empty leave the
    // selection to the lists.
    QStringList linkIDs;
    QString categoryID;
    // Shows the first of the links in its category and moves the focus to the link list.
    bool revealLinks = false;

    // --- What changed. The categories include those that held a touched link on either side.
    QStringList changedLinkIDs;
    QStringList changedCategoryIDs;
    bool templatesChanged = false;
    bool settingsChanged = false; // the site's profile and settings, which the reminders follow
    // Nothing the journal saw tells what changed (a change inside an undo group that is still open,
    // or a store change no record was kept of): every row may have changed.
    bool unknownExtent = false;
    // An undo or redo step: the undo side selects what it touched.
    bool fromUndoStack = false;

    // Fills in what the journal recorded; without a record the extent is unknown.
    void takeExtentFrom(const StoreChange *change);
    bool touchesLinksOrCategories() const
    {
        return unknownExtent || settingsChanged || !changedLinkIDs.isEmpty() || !changedCategoryIDs.isEmpty();
    }
};
Q_DECLARE_METATYPE(DocumentChange)
