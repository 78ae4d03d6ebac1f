#include "CollectionManager.h"

#include "NotificationComputer.h"

void CollectionManager::computeNotifications()
{
    NotificationComputer::computeNotifications(*this);
}
