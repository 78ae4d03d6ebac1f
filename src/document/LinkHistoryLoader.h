#pragma once

#include "LinkHistoryFacts.h"

#include <QObject>
#include <QString>

// Reads what the link list shows of the verification history on the history thread and hands it to
// the main thread. A load started while another runs wins; the result of a loader that is gone is
// dropped.
class CollectionManager;

class LinkHistoryLoader : public QObject
{
    Q_OBJECT

public:
    // The facts are kept under the store's own ID strings.
    explicit LinkHistoryLoader(const CollectionManager *store, QObject *parent = nullptr);
    ~LinkHistoryLoader() override;

    // Reads the history of the database at this path; an empty path (a database never saved) clears.
    void load(const QString &databasePath);
    bool isLoading() const { return m_loading; }
    const LinkHistoryFactTable &facts() const { return m_facts; }

signals:
    void loaded();

private:
    void finished(quint64 load, const LinkHistoryFactTable &facts);

    const CollectionManager *m_store;
    LinkHistoryFactTable m_facts;
    quint64 m_load = 0; // which load's result is wanted
    bool m_loading = false;
};
