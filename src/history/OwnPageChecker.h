#pragma once

#include "OwnPageCheck.h"
#include "model/FileError.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPointer>

class CollectionManager;
class QNetworkAccessManager;
class PageFetcher;
struct FetchOutcome;

// Runs one check of the user's own links page: reads its pages one after the other (on this
// thread's event loop, as every fetch does), then judges them and records the result in the
// history beside the database on a worker thread, and hands the result back here.
class OwnPageChecker : public QObject
{
    Q_OBJECT

public:
    explicit OwnPageChecker(QObject *parent = nullptr);
    ~OwnPageChecker() override;

    // False with `error` when there is nothing to check. `databasePath` empty: nothing is recorded.
    bool start(const CollectionManager &collectionManager, const QString &databasePath,
               QString *error = nullptr);
    void cancel();
    bool isRunning() const { return m_running; }

signals:
    void progress(int pagesRead, int pages);
    // `historyError` says why the result was not recorded; no error when it was (or nothing was to be).
    void finished(const OwnPageCheck::Result &result, const FileError &historyError);

private:
    void fetchNext();
    void pageFetched(const FetchOutcome &outcome);
    void judge();

    OwnPageCheck::Plan m_plan;
    QHash<int, QByteArray> m_bodies; // the pages read, by their place in the plan, not yet decoded
    QString m_databasePath;
    QNetworkAccessManager *m_network;
    QPointer<PageFetcher> m_fetcher;
    int m_next = 0;
    bool m_running = false;
    quint64 m_run = 0; // a cancelled run's late result is dropped
};
