#include "CollectionManager.h"

// Reminders are computed by the workflow layer; until it is wired in there is nothing to do.
void CollectionManager::computeNotifications()
{
}
