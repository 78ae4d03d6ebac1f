#include "DocumentCommandArea.h"

#include "MyDocument.h"

DocumentCommandArea::DocumentCommandArea(MyDocument *document) : QObject(document), m_document(document) {}

CollectionManager &DocumentCommandArea::collectionManager() const
{
    return m_document->collectionManager();
}

bool DocumentCommandArea::perform(const QString &actionName,
                                  const std::function<bool(DocumentChange &)> &operation) const
{
    return m_document->document()->perform(actionName, operation);
}

const DocumentMenus &DocumentCommandArea::menus() const
{
    return *m_document->menus();
}
