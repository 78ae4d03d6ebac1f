#pragma once

class CollectionManager;

// Small databases with fixed IDs that the seeds and dictionaries name, so that inputs meet records
// that already exist.
namespace SampleStores {

// Categories CAT100 ("Books") and CAT200 ("zoo") beside the default one, links LNK100 to LNK104
// spread over them with every status, and (unless `withTemplates` is false) templates EMT100 and EMT200.
void fill(CollectionManager &store, bool withTemplates = true);

} // namespace SampleStores
