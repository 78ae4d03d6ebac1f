#pragma once

#include "PublishDestination.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <functional>

// Sends files to a publish destination with libcurl: SFTP with the server's host key checked
// against ~/.ssh/known_hosts, or FTPS (explicit TLS) with the certificate verified. Each file goes to
// a temporary name in the folder and is then renamed into place, so a reader never sees half a
// page. Blocking: run it on a worker thread.
class SiteUploader
{
    Q_DECLARE_TR_FUNCTIONS(SiteUploader)

public:
    struct File
    {
        QString name; // in the destination's folder
        QByteArray bytes;
    };

    // How the last transfer ended, when the server's identity was the trouble.
    enum class Identity
    {
        Trusted,
        Unknown, // not in known_hosts, or a certificate that does not verify: `serverKey` says which
        Changed, // the host key differs from the one in known_hosts: refused
    };

    explicit SiteUploader(const PublishDestination &destination);
    ~SiteUploader();
    SiteUploader(const SiteUploader &) = delete;
    SiteUploader &operator=(const SiteUploader &) = delete;

    void setPassword(const QString &password) { m_password = password; }
    // The "SHA256:..." fingerprint of a server key the user accepts: an unknown SSH host key is then
    // added to known_hosts; an FTPS certificate's public key is pinned for this transfer.
    void setAcceptedServerKey(const QString &fingerprint) { m_acceptedKey = fingerprint; }
    // Where known hosts are read from and added to; ~/.ssh/known_hosts unless set.
    void setKnownHostsFile(const QString &path) { m_knownHosts = path; }
    // Called with the bytes sent so far of the current file, from the uploading thread.
    void setProgressCallback(std::function<void(qint64 sent, qint64 total)> callback)
    {
        m_progress = callback;
    }

    // Sends one file to its temporary name and renames it into place. False with `error` naming the
    // file and the server's answer; the file in place is then the old one.
    bool upload(const File &file, QString *error);

    Identity identity() const { return m_identity; }
    // The fingerprint of the server's key seen in the last transfer ("SHA256:..."), when known.
    QString serverKey() const { return m_serverKey; }

    // The OpenSSH form of a key's fingerprint: "SHA256:" and the unpadded base64 of its SHA-256.
    static QString fingerprint(const QByteArray &keyBlob);

private:
    struct Transfer;
    static int checkHostKey(void *curl, const void *knownKey, const void *foundKey, int match, void *self);
    bool addKnownHost(const QByteArray &keyBlob, QString *error) const;
    QString remotePath(const QString &name) const;
    QString urlFor(const QString &name) const;
    QString certificateKey(QString *error) const;

    PublishDestination m_destination;
    QString m_password;
    QString m_acceptedKey;
    QString m_knownHosts;
    std::function<void(qint64, qint64)> m_progress;
    Identity m_identity = Identity::Trusted;
    QString m_serverKey;
    void *m_curl;
};
