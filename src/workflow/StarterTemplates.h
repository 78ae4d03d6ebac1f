#pragma once

#include <QList>
#include <QString>

class CollectionManager;

// The e-mail templates a new database starts with: a first contact, a reminder, and a note that the
// user's link has gone missing from the partner's page, written with the placeholders so each fills
// in for the partner it goes to.
namespace StarterTemplates {

struct Template
{
    QString name;
    QString subject;
    QString body;
};

QList<Template> templates();
// Adds the three to the store's templates.
void addTo(CollectionManager &store);

} // namespace StarterTemplates
