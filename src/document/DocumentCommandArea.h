#pragma once

#include <QObject>
#include <functional>

class CollectionManager;
struct DocumentChange;
class DocumentMenus;
class MyDocument;

// One area of a document window's commands (the link editor's, search, publishing...). An area
// connects its menu items when it is made, owns the sheets it shows (made on first use and kept),
// and sets the enabled state of its items whenever the document re-evaluates its menus. Areas are
// children of the document window and live as long as it does.
class DocumentCommandArea : public QObject
{
    Q_OBJECT

public:
    explicit DocumentCommandArea(MyDocument *document);

    // Enables the area's items for the current selection. The document calls every area before it
    // sets its own items, so items of its own may follow an area's (Edit Selection follows Edit Link).
    virtual void validateMenuItems() = 0;

protected:
    MyDocument *document() const { return m_document; }
    CollectionManager &collectionManager() const;
    const DocumentMenus &menus() const;
    // Runs one change of the database through the document (see Document::perform).
    bool perform(const QString &actionName, const std::function<bool(DocumentChange &)> &operation) const;

private:
    MyDocument *m_document;
};
