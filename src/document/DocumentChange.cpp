#include "DocumentChange.h"

#include "model/StoreChange.h"

void DocumentChange::takeExtentFrom(const StoreChange *change)
{
    if (!change) {
        unknownExtent = true;
        return;
    }
    changedLinkIDs = change->linkIDs();
    changedCategoryIDs = change->categoryIDs();
    templatesChanged = change->changedEmailTemplates();
    settingsChanged = change->changedSettings();
}
