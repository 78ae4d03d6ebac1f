#include "CollectionManager.h"

#include "workflow/NotificationComputer.h"

void CollectionManager::computeNotifications()
{
    NotificationComputer::computeNotifications(*this);
}
