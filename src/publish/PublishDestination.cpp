#include "PublishDestination.h"

#include "model/CollectionManager.h"

#include <QUrl>

namespace {

const QString ProtocolKey = QStringLiteral("PublishProtocol");
const QString HostKey = QStringLiteral("PublishHost");
const QString PortKey = QStringLiteral("PublishPort");
const QString UserKey = QStringLiteral("PublishUser");
const QString FolderKey = QStringLiteral("PublishFolder");
const QString KeyFileKey = QStringLiteral("PublishKeyFile");
const QString CertificateKey = QStringLiteral("PublishCertificateKey");

} // namespace

PublishDestination PublishDestination::fromCollectionManager(const CollectionManager &collectionManager)
{
    PublishDestination destination;
    destination.protocol = collectionManager.stringForName(ProtocolKey) == QLatin1String("ftps")
                               ? Protocol::FTPS
                               : Protocol::SFTP;
    destination.host = collectionManager.stringForName(HostKey);
    destination.port = collectionManager.stringForName(PortKey).toInt();
    destination.user = collectionManager.stringForName(UserKey);
    destination.folder = collectionManager.stringForName(FolderKey);
    destination.keyFile = collectionManager.stringForName(KeyFileKey);
    destination.acceptedCertificateKey = collectionManager.stringForName(CertificateKey);
    return destination;
}

void PublishDestination::applyTo(CollectionManager &collectionManager) const
{
    // A named string holds no null value: empty fields are stored as empty texts.
    auto set = [&collectionManager](const QString &value, const QString &key) {
        collectionManager.setString(value.isNull() ? QStringLiteral("") : value, key);
    };
    set(scheme(), ProtocolKey);
    set(host, HostKey);
    set(port > 0 ? QString::number(port) : QString(), PortKey);
    set(user, UserKey);
    set(folder, FolderKey);
    set(keyFile, KeyFileKey);
    if (!acceptedCertificateKey.isEmpty() || !collectionManager.stringForName(CertificateKey).isNull())
        set(acceptedCertificateKey, CertificateKey);
}

bool PublishDestination::parse(const QString &text, PublishDestination &destination, QString *error)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    auto failed = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (scheme == QLatin1String("ftp"))
        return failed(
            tr("Plain FTP sends the password unencrypted and is not offered; use ftps:// or sftp://."));
    if (!url.isValid() || (scheme != QLatin1String("sftp") && scheme != QLatin1String("ftps")))
        return failed(tr("\"%1\" is not a destination of the form sftp://USER@HOST:PORT/FOLDER or "
                         "ftps://USER@HOST:PORT/FOLDER.")
                          .arg(text));
    if (url.host().isEmpty() || url.userName().isEmpty())
        return failed(tr("The destination \"%1\" needs a user name and a host (USER@HOST).").arg(text));
    if (!url.password().isEmpty())
        return failed(tr("Do not put the password into the destination: it would show in the process list. "
                         "The keyring or QUILLMARSH_PUBLISH_PASSWORD provides it."));
    destination.protocol = scheme == QLatin1String("sftp") ? Protocol::SFTP : Protocol::FTPS;
    destination.host = url.host();
    destination.port = url.port(0);
    destination.user = url.userName();
    // As in these addresses everywhere: an SFTP path is absolute unless it starts with "/~/" (the
    // home folder); an FTP path is relative to the login folder unless it starts with "%2F".
    QString folder = url.path();
    if (destination.protocol == Protocol::SFTP)
        folder = folder == QLatin1String("/~")             ? QString()
                 : folder.startsWith(QLatin1String("/~/")) ? folder.mid(3)
                                                           : folder;
    else
        folder = folder.mid(1);
    destination.folder = folder;
    return true;
}

int PublishDestination::effectivePort() const
{
    if (port > 0)
        return port;
    return protocol == Protocol::SFTP ? 22 : 21;
}

QString PublishDestination::text() const
{
    const QString path = protocol == Protocol::FTPS ? u'/' + folder
                         : folder.startsWith(u'/')  ? folder
                                                    : QStringLiteral("/~/") + folder;
    return QStringLiteral("%1://%2@%3:%4%5").arg(scheme(), user, host).arg(effectivePort()).arg(path);
}

QString PublishDestination::passwordKey() const
{
    return QStringLiteral("%1://%2@%3:%4").arg(scheme(), user, host).arg(effectivePort());
}
