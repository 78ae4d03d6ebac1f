#include "DocumentCommandArea.h"

#include "MyDocument.h"

DocumentCommandArea::DocumentCommandArea(MyDocument *document) : QObject(document), m_document(document) {}

CollectionManager &DocumentCommandArea::collectionManager() const
{
    return m_document->collectionManager();
}

const DocumentMenus &DocumentCommandArea::menus() const
{
    return *m_document->menus();
}
