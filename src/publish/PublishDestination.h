#pragma once

#include <QCoreApplication>
#include <QString>

class CollectionManager;

// Where the links page is published: a folder on the user's web server, reached over SFTP (password
// or key) or FTPS (FTP with explicit TLS; plain FTP is not offered). Kept in the database as named
// strings; the password never is (the desktop keyring, or QUILLMARSH_PUBLISH_PASSWORD).
struct PublishDestination
{
    Q_DECLARE_TR_FUNCTIONS(PublishDestination)

public:
    enum class Protocol
    {
        SFTP,
        FTPS
    };

    Protocol protocol = Protocol::SFTP;
    QString host;
    int port = 0; // 0: the protocol's own (22, 21)
    QString user;
    // On the server: relative to the user's home (SFTP) or login folder (FTPS) unless it starts with "/".
    QString folder;
    QString keyFile; // SFTP: a private key instead of a password
    // FTPS: the SHA-256 of a certificate's public key the user accepted ("SHA256:..."), for a server
    // whose certificate does not verify; empty: the certificate must verify.
    QString acceptedCertificateKey;

    // The database's destination; `isValid` is false when none was set up.
    static PublishDestination fromCollectionManager(const CollectionManager &collectionManager);
    void applyTo(CollectionManager &collectionManager) const;
    // "sftp://USER@HOST:PORT/FOLDER" (absolute; "/~/FOLDER" in the home folder) or
    // "ftps://USER@HOST:PORT/FOLDER" (in the login folder); false with `error` otherwise.
    static bool parse(const QString &text, PublishDestination &destination, QString *error = nullptr);

    bool isValid() const { return !host.isEmpty() && !user.isEmpty(); }
    int effectivePort() const;
    QString scheme() const
    {
        return protocol == Protocol::SFTP ? QStringLiteral("sftp") : QStringLiteral("ftps");
    }
    // How it is named to people and in the history's records: "sftp://user@host:22/folder".
    QString text() const;
    // The keyring entry of the password.
    QString passwordKey() const;
};
