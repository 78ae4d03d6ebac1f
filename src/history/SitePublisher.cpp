#include "SitePublisher.h"

#include "SiteRecords.h"

#include "model/CollectionManager.h"
#include "model/PublishingRules.h"
#include "model/TemporaryFolder.h"
#include "publish/ExportTexts.h"
#include "publish/LinksPageExporter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>

bool SitePublisher::exportFiles(const CollectionManager &collectionManager, QList<SiteUploader::File> &files,
                                QString *error)
{
    files.clear();
    if (PublishingRules::numberOfPublishableLinks(collectionManager) == 0) {
        if (error)
            *error = tr("There are no exportable links in this database.");
        return false;
    }
    QString indexName = QUrl(collectionManager.selfInfo().linksURL().trimmed()).fileName();
    if (!indexName.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) &&
        !indexName.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive))
        indexName = QStringLiteral("index.html");
    // The export writes into a folder of its own in the private temporary folder, then it is read back.
    const QString base = TemporaryFolder::path(error);
    if (base.isEmpty())
        return false;
    QTemporaryDir folder(base + QStringLiteral("/publish-XXXXXX"));
    if (!folder.isValid()) {
        if (error)
            *error = folder.errorString();
        return false;
    }
    FileError notWritten;
    QString failedPath;
    if (!LinksPageExporter::exportHTMLWithCollectionManager(collectionManager, folder.filePath(indexName),
                                                            &notWritten, &failedPath)) {
        if (error)
            *error = ExportTexts::failureText(failedPath, notWritten);
        return false;
    }
    for (const QString &name : QDir(folder.path()).entryList(QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            if (error)
                *error = file.errorString();
            return false;
        }
        files.append({name, file.readAll()});
    }
    // The index page goes last, so it never leads to a category page that is not there yet.
    std::stable_partition(files.begin(), files.end(),
                          [&indexName](const SiteUploader::File &file) { return file.name != indexName; });
    return true;
}

SitePublisher::Report SitePublisher::publish(const QString &databasePath,
                                             const QList<SiteUploader::File> &files, const Options &options,
                                             const std::function<void(const QString &, int, int)> &progress)
{
    Report report;
    const QString destination = options.destination.text();
    QHash<QString, QString> published;
    SiteRecords records(databasePath);
    if (!databasePath.isEmpty()) {
        if (const auto hashes = records.publishedHashes(destination))
            published = *hashes;
        else
            report.historyError = records.error(); // everything is sent then
    }
    QList<std::pair<const SiteUploader::File *, QString>> toSend;
    for (const SiteUploader::File &file : files) {
        const QString hash =
            QString::fromLatin1(QCryptographicHash::hash(file.bytes, QCryptographicHash::Sha256).toHex());
        if (published.value(file.name) == hash)
            report.files.append({file.name, QStringLiteral("unchanged"), QString()});
        else
            toSend.append({&file, hash});
    }
    if (options.dryRun) {
        for (const auto &[file, hash] : toSend)
            report.files.append({file->name, QStringLiteral("would-send"), QString()});
        return report;
    }
    SiteUploader uploader(options.destination);
    uploader.setPassword(options.password);
    if (!options.acceptedServerKey.isEmpty())
        uploader.setAcceptedServerKey(options.acceptedServerKey);
    if (!options.knownHostsFile.isEmpty())
        uploader.setKnownHostsFile(options.knownHostsFile);
    QString failedFile;
    for (int i = 0; i < toSend.size(); ++i) {
        const auto &[file, hash] = toSend.at(i);
        if (!failedFile.isNull()) {
            report.files.append({file->name, QStringLiteral("failed"),
                                 tr("not sent: the publish stopped at %1").arg(failedFile)});
            continue;
        }
        if (progress)
            progress(file->name, i, int(toSend.size()));
        QString error;
        if (!uploader.upload(*file, &error)) {
            failedFile = file->name;
            report.failed = true;
            report.identity = uploader.identity();
            report.serverKey = uploader.serverKey();
            report.files.append({file->name, QStringLiteral("failed"), error});
            continue;
        }
        report.files.append({file->name, QStringLiteral("sent"), QString()});
        if (!databasePath.isEmpty() && !records.recordPublished(destination, file->name, hash))
            report.historyError = records.error();
    }
    return report;
}
