#pragma once

#include "workflow/LatestCheck.h"

#include <QObject>
#include <QString>

// The history's latest check of every link of one database, for the link list's views and for Find.
// The history is read on the history thread (HistoryService), and the table handed back to the main
// thread; until then the table is empty and the results stored in the database decide.
class CollectionManager;

class RecordedChecksCache : public QObject
{
    Q_OBJECT

public:
    // The table is kept under the store's own ID strings.
    explicit RecordedChecksCache(const CollectionManager *store, QObject *parent = nullptr);

    const RecordedChecks &checks() const { return m_checks; }
    // Reads the history of the database at `databasePath` again; an empty path (a new database)
    // empties the table. A load still running when a newer one starts is dropped.
    void reload(const QString &databasePath);
    bool isLoading() const { return m_loading; }

signals:
    // A load finished and the table changed.
    void checksChanged();

private:
    void loaded(quint64 generation, const RecordedChecks &checks);

    const CollectionManager *m_store;
    RecordedChecks m_checks;
    quint64 m_generation = 0;
    bool m_loading = false;
};
