#pragma once

class CollectionManager;

// Invariants every store must keep, whatever it was read from; a failure ends the run.
namespace StoreChecks {

// Every link sits under the category its category ID names, categories and links are in their
// sorted orders, no two categories share an ID, no two named strings a name, and the window state
// holds only numbers an int can hold.
void checkStore(const CollectionManager &store);

} // namespace StoreChecks
