// The database both undo benchmarks work on: half of the links in the first category, the rest
// spread over 19 others, titles in random order, every link Negotiating.
#pragma once

#include "model/CollectionManager.h"

#include <QRandomGenerator>

inline void fillUndoBenchDatabase(CollectionManager &store, int links)
{
    QRandomGenerator random(42);
    QList<QString> categories;
    // Zero-padded, so that the first category is also the first the window shows.
    for (int i = 0; i < 20; ++i)
        categories.append(
            store
                .addCategoryWithName(QStringLiteral("Category %1").arg(i, 2, 10, QLatin1Char('0')),
                                     QStringLiteral("c%1").arg(i))
                ->attachmentID());
    LinkFields f;
    f.status = LinkStatusNegotiating;
    f.lastStatusChangedOn = QDate(2024, 1, 1);
    for (int i = 0; i < links; ++i) {
        f.categoryID = i % 2 == 0 ? categories[0] : categories[1 + i % 19];
        f.title = QStringLiteral("Partner %1").arg(random.bounded(1000000));
        f.URL = QStringLiteral("http://www.partner%1.example/").arg(i);
        f.description = QStringLiteral("A partner site about things number %1").arg(i);
        f.contactEmail = QStringLiteral("webmaster@partner%1.example").arg(i);
        store.addLinkFromFields(f);
    }
}
