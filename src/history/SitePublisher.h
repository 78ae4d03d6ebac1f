#pragma once

#include "model/FileError.h"
#include "publish/PublishDestination.h"
#include "publish/SiteUploader.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <functional>

class CollectionManager;

// Publishes the links page: the files of the export are sent to the destination, only those that
// changed since the last publish there (their hashes are kept beside the history), each to a
// temporary name and then renamed into place. A failure stops the publish: the file it names and
// those after it keep what the server had.
class SitePublisher
{
    Q_DECLARE_TR_FUNCTIONS(SitePublisher)

public:
    struct FileOutcome
    {
        QString file;
        QString state; // "sent", "unchanged", "failed", "would-send"
        QString reason;
    };

    struct Options
    {
        PublishDestination destination;
        QString password;
        QString acceptedServerKey; // "SHA256:..." the user accepted, or empty
        QString knownHostsFile;    // empty: ~/.ssh/known_hosts
        bool dryRun = false;
    };

    struct Report
    {
        QList<FileOutcome> files;
        bool failed = false;
        SiteUploader::Identity identity = SiteUploader::Identity::Trusted;
        QString serverKey; // the server's key when it was unknown or changed
        // Why the published files could not be read or recorded (everything was sent then).
        FileError historyError;
    };

    // The pages the export writes, by file name, made on this thread from the store. The index page
    // takes the name of the site profile's links page address ("index.html" when it names none).
    static bool exportFiles(const CollectionManager &collectionManager, QList<SiteUploader::File> &files,
                            QString *error = nullptr);
    // Sends what changed. Blocking and free of the store: run it on a worker thread. `progress` is
    // called from that thread with the file being sent, its index among those to send and their number.
    static Report
    publish(const QString &databasePath, const QList<SiteUploader::File> &files, const Options &options,
            const std::function<void(const QString &file, int index, int count)> &progress = {});
};
