#include "SiteUploader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSslCertificate>
#include <QSslKey>

#include <QUrl>

#include <algorithm>
#include <cstring>
#include <curl/curl.h>
#include <mutex>

namespace {

struct Body
{
    const QByteArray *bytes;
    qint64 offset = 0;
};

size_t readBody(char *buffer, size_t size, size_t items, void *data)
{
    auto *body = static_cast<Body *>(data);
    const qint64 wanted = qint64(size * items);
    const qint64 count = std::min(wanted, body->bytes->size() - body->offset);
    std::memcpy(buffer, body->bytes->constData() + body->offset, size_t(count));
    body->offset += count;
    return size_t(count);
}

size_t discard(char *, size_t size, size_t items, void *)
{
    return size * items;
}

int reportProgress(void *data, curl_off_t, curl_off_t, curl_off_t total, curl_off_t sent)
{
    const auto *callback = static_cast<const std::function<void(qint64, qint64)> *>(data);
    if (*callback)
        (*callback)(qint64(sent), qint64(total));
    return 0;
}

// The key's type as its blob names it ("ssh-ed25519", "ecdsa-sha2-nistp256"...): a 32-bit length, then
// the name.
QByteArray keyType(const QByteArray &blob)
{
    if (blob.size() < 4)
        return QByteArray();
    const quint32 length = (quint32(quint8(blob[0])) << 24) | (quint32(quint8(blob[1])) << 16) |
                           (quint32(quint8(blob[2])) << 8) | quint32(quint8(blob[3]));
    if (length == 0 || length > 64 || qsizetype(length) > blob.size() - 4)
        return QByteArray();
    return blob.mid(4, length);
}

QByteArray rawKey(const curl_khkey *key)
{
    if (!key || !key->key)
        return QByteArray();
    return key->len == 0 ? QByteArray::fromBase64(QByteArray(key->key))
                         : QByteArray(key->key, qsizetype(key->len));
}

// A path inside a quote command: in double quotes, with quotes and backslashes escaped.
QByteArray quoted(const QString &path)
{
    QByteArray text = path.toUtf8();
    text.replace('\\', "\\\\");
    text.replace('"', "\\\"");
    return '"' + text + '"';
}

void initializeCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

SiteUploader::SiteUploader(const PublishDestination &destination) : m_destination(destination)
{
    initializeCurl();
    m_curl = curl_easy_init();
    m_knownHosts = QDir::homePath() + QStringLiteral("/.ssh/known_hosts");
    if (!destination.acceptedCertificateKey.isEmpty())
        m_acceptedKey = destination.acceptedCertificateKey;
}

SiteUploader::~SiteUploader()
{
    curl_easy_cleanup(static_cast<CURL *>(m_curl));
}

QString SiteUploader::fingerprint(const QByteArray &keyBlob)
{
    QByteArray hash = QCryptographicHash::hash(keyBlob, QCryptographicHash::Sha256).toBase64();
    while (hash.endsWith('='))
        hash.chop(1);
    return QStringLiteral("SHA256:") + QString::fromLatin1(hash);
}

QString SiteUploader::remotePath(const QString &name) const
{
    QString folder = m_destination.folder;
    while (folder.endsWith(u'/'))
        folder.chop(1);
    return folder.isEmpty() ? name : folder + u'/' + name;
}

QString SiteUploader::urlFor(const QString &name) const
{
    const QString path = remotePath(name);
    QString urlPath;
    if (m_destination.protocol == PublishDestination::Protocol::SFTP)
        urlPath = path.startsWith(u'/') ? path : QStringLiteral("/~/") + path;
    else
        urlPath = path.startsWith(u'/') ? QStringLiteral("/%2F") + path.mid(1) : u'/' + path;
    const QString scheme = m_destination.protocol == PublishDestination::Protocol::SFTP
                               ? QStringLiteral("sftp")
                               : QStringLiteral("ftp");
    QByteArray encodedPath;
    for (const QString &part : urlPath.split(u'/'))
        encodedPath +=
            (encodedPath.isEmpty() && part.isEmpty() ? QByteArray() : QByteArray("/")) +
            (part == QLatin1String("%2F") ? QByteArray("%2F") : QUrl::toPercentEncoding(part, "~"));
    QString host = m_destination.host;
    if (host.contains(u':'))
        host = u'[' + host + u']';
    return QStringLiteral("%1://%2:%3").arg(scheme, host).arg(m_destination.effectivePort()) +
           QString::fromLatin1(encodedPath);
}

int SiteUploader::checkHostKey(void *, const void *, const void *foundKey, int match, void *self)
{
    auto *uploader = static_cast<SiteUploader *>(self);
    const QByteArray blob = rawKey(static_cast<const curl_khkey *>(foundKey));
    uploader->m_serverKey = blob.isEmpty() ? QString() : fingerprint(blob);
    switch (match) {
    case CURLKHMATCH_OK:
        uploader->m_identity = Identity::Trusted;
        return CURLKHSTAT_FINE;
    case CURLKHMATCH_MISMATCH:
        // Never accepted here, whatever the user passed: a changed key is how an impostor looks.
        uploader->m_identity = Identity::Changed;
        return CURLKHSTAT_REJECT;
    default:
        if (!uploader->m_serverKey.isEmpty() && uploader->m_serverKey == uploader->m_acceptedKey) {
            QString ignored;
            uploader->addKnownHost(blob, &ignored);
            uploader->m_identity = Identity::Trusted;
            return CURLKHSTAT_FINE;
        }
        uploader->m_identity = Identity::Unknown;
        return CURLKHSTAT_REJECT;
    }
}

bool SiteUploader::addKnownHost(const QByteArray &keyBlob, QString *error) const
{
    const QByteArray type = keyType(keyBlob);
    if (type.isEmpty()) {
        *error = tr("the server's key has a form that cannot be stored");
        return false;
    }
    const int port = m_destination.effectivePort();
    const QByteArray host = m_destination.host.toUtf8();
    const QByteArray name = port == 22 ? host : "[" + host + "]:" + QByteArray::number(port);
    QDir().mkpath(QFileInfo(m_knownHosts).absolutePath());
    QFile::setPermissions(QFileInfo(m_knownHosts).absolutePath(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Appended, never rewritten: the other lines of the user's file stay exactly as they are.
    QFile file(m_knownHosts);
    if (!file.open(QIODevice::Append | QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    const bool ok = file.write(name + ' ' + type + ' ' + keyBlob.toBase64() + '\n') > 0;
    return ok;
}

QString SiteUploader::certificateKey(QString *error) const
{
    // A second connection, only far enough to see the certificate, without the user's name or password.
    CURL *probe = curl_easy_init();
    QString host = m_destination.host;
    if (host.contains(u':'))
        host = u'[' + host + u']';
    const QByteArray url =
        QStringLiteral("ftp://%1:%2/").arg(host).arg(m_destination.effectivePort()).toUtf8();
    curl_easy_setopt(probe, CURLOPT_URL, url.constData());
    curl_easy_setopt(probe, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    curl_easy_setopt(probe, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(probe, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(probe, CURLOPT_CERTINFO, 1L);
    curl_easy_setopt(probe, CURLOPT_CONNECT_ONLY, 1L);
    curl_easy_setopt(probe, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(probe, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(probe, CURLOPT_TIMEOUT, 60L);
    QString key;
    const CURLcode result = curl_easy_perform(probe);
    curl_certinfo *info = nullptr;
    if (curl_easy_getinfo(probe, CURLINFO_CERTINFO, &info) == CURLE_OK && info && info->num_of_certs > 0) {
        for (curl_slist *entry = info->certinfo[0]; entry; entry = entry->next) {
            const QByteArray line(entry->data);
            if (!line.startsWith("Cert:"))
                continue;
            const QSslCertificate certificate(line.mid(5), QSsl::Pem);
            const QByteArray publicKey = certificate.publicKey().toDer();
            if (!publicKey.isEmpty())
                key = fingerprint(publicKey);
        }
    }
    if (key.isEmpty() && error)
        *error = QString::fromUtf8(curl_easy_strerror(result));
    curl_easy_cleanup(probe);
    return key;
}

bool SiteUploader::upload(const File &file, QString *error)
{
    CURL *curl = static_cast<CURL *>(m_curl);
    curl_easy_reset(curl);
    const bool sftp = m_destination.protocol == PublishDestination::Protocol::SFTP;
    const QString temporary = u'.' + file.name + QStringLiteral(".quillmarsh-part");
    const QByteArray url = urlFor(temporary).toUtf8();
    const QByteArray user = m_destination.user.toUtf8();
    const QByteArray password = m_password.toUtf8();
    const QByteArray knownHosts = QFile::encodeName(m_knownHosts);
    const QByteArray keyFile = QFile::encodeName(m_destination.keyFile);
    const QByteArray publicKeyFile = keyFile + ".pub";
    QByteArray pinned;
    char message[CURL_ERROR_SIZE] = {};
    Body body{&file.bytes};
    m_identity = Identity::Trusted;
    m_serverKey.clear();

    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, readBody);
    curl_easy_setopt(curl, CURLOPT_READDATA, &body);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(file.bytes.size()));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discard);
    curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(curl, CURLOPT_FTP_CREATE_MISSING_DIRS, long(CURLFTP_CREATE_DIR));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 30L);
    // A stalled server is given up after a minute without progress.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, message);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, reportProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &m_progress);

    curl_slist *after = nullptr;
    if (sftp) {
        if (!m_destination.keyFile.isEmpty()) {
            curl_easy_setopt(curl, CURLOPT_SSH_AUTH_TYPES, long(CURLSSH_AUTH_PUBLICKEY));
            curl_easy_setopt(curl, CURLOPT_SSH_PRIVATE_KEYFILE, keyFile.constData());
            if (QFileInfo::exists(QFile::decodeName(publicKeyFile)))
                curl_easy_setopt(curl, CURLOPT_SSH_PUBLIC_KEYFILE, publicKeyFile.constData());
            if (!password.isEmpty())
                curl_easy_setopt(curl, CURLOPT_KEYPASSWD, password.constData());
        } else {
            curl_easy_setopt(curl, CURLOPT_SSH_AUTH_TYPES,
                             long(CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD));
            curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
        }
        curl_easy_setopt(curl, CURLOPT_SSH_KNOWNHOSTS, knownHosts.constData());
        curl_easy_setopt(curl, CURLOPT_SSH_KEYFUNCTION, checkHostKey);
        curl_easy_setopt(curl, CURLOPT_SSH_KEYDATA, this);
        // An SFTP rename does not replace a file: the old one goes first (a missing one is no error).
        const QString target = remotePath(file.name);
        after = curl_slist_append(after, QByteArray("*rm " + quoted(target)).constData());
        after = curl_slist_append(
            after, QByteArray("rename " + quoted(remotePath(temporary)) + ' ' + quoted(target)).constData());
    } else {
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
        curl_easy_setopt(curl, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
        if (!m_acceptedKey.isEmpty()) {
            // The user accepted this very key: it is pinned, the chain of trust is not asked for.
            // libcurl wants the padded base64 that the shown fingerprint leaves off.
            QByteArray hash = m_acceptedKey.mid(7).toLatin1();
            hash.append(QByteArray((4 - hash.size() % 4) % 4, '='));
            pinned = "sha256//" + hash;
            curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
            curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
            curl_easy_setopt(curl, CURLOPT_PINNEDPUBLICKEY, pinned.constData());
        }
        // After the upload the session stands in the folder.
        after = curl_slist_append(after, QByteArray("RNFR " + temporary.toUtf8()).constData());
        after = curl_slist_append(after, QByteArray("RNTO " + file.name.toUtf8()).constData());
    }
    curl_easy_setopt(curl, CURLOPT_POSTQUOTE, after);

    const CURLcode result = curl_easy_perform(curl);
    curl_slist_free_all(after);
    if (result == CURLE_OK)
        return true;

    long response = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response);
    QString answer = QString::fromUtf8(message).trimmed();
    if (answer.isEmpty())
        answer = QString::fromUtf8(curl_easy_strerror(result));
    if (!sftp && response >= 400)
        answer = tr("%1 (the server answered %2)").arg(answer).arg(response);
    if (sftp && m_identity == Identity::Changed) {
        answer =
            tr("the server's host key has CHANGED since it was stored in %1 (it is now %2). This can mean "
               "that someone is posing as the server. Nothing was sent; if the server's key was really "
               "replaced, remove its old line from that file.")
                .arg(QDir::toNativeSeparators(m_knownHosts), m_serverKey);
    } else if (sftp && m_identity == Identity::Unknown) {
        answer =
            tr("the server's host key is not known yet. Its fingerprint is %1; compare it with the one your "
               "host gives, and accept it only if they match.")
                .arg(m_serverKey);
    } else if (!sftp && (result == CURLE_PEER_FAILED_VERIFICATION || result == CURLE_SSL_CACERT_BADFILE ||
                         result == CURLE_SSL_PINNEDPUBKEYNOTMATCH)) {
        QString why;
        m_serverKey = certificateKey(&why);
        m_identity = Identity::Unknown;
        answer =
            tr("the server's certificate could not be verified (%1). Its key's fingerprint is %2; accept it "
               "only if it is the one your host gives.")
                .arg(answer, m_serverKey.isEmpty() ? why : m_serverKey);
    }
    if (error)
        *error = tr("%1: %2").arg(file.name, answer);
    return false;
}
