#include "CurlMailHandle.h"

#include <curl/curl.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <QHostAddress>
#include <mutex>

namespace {

int handleIndex()
{
    static const int index = SSL_CTX_get_ex_new_index(0, nullptr, nullptr, nullptr, nullptr);
    return index;
}

void ensureCurlInitialised()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

QString fingerprintOf(X509 *certificate)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!certificate || !X509_digest(certificate, EVP_sha256(), digest, &length))
        return QString();
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char *>(digest), int(length)).toHex(':').toUpper());
}

} // namespace

CurlMailHandle::CurlMailHandle(const MailServer &server, const QString &password)
    : m_server(server), m_url(server.url().toUtf8()), m_user(server.user.toUtf8()),
      m_password(password.toUtf8()), m_acceptedCertificate(normalisedFingerprint(server.acceptedCertificate))
{
    ensureCurlInitialised();
    m_curl = curl_easy_init();
    curl_easy_setopt(m_curl, CURLOPT_URL, m_url.constData());
    curl_easy_setopt(m_curl, CURLOPT_ERRORBUFFER, m_errorBuffer);
    curl_easy_setopt(m_curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_curl, CURLOPT_CONNECTTIMEOUT, ConnectTimeoutSeconds);
    // A server that stops answering mid-message fails instead of holding the sender for ever.
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(m_curl, CURLOPT_TCP_KEEPALIVE, 1L);
    if (!m_user.isEmpty()) {
        curl_easy_setopt(m_curl, CURLOPT_USERNAME, m_user.constData());
        curl_easy_setopt(m_curl, CURLOPT_PASSWORD, m_password.constData());
    }
    // STARTTLS must succeed: a server that does not offer it is refused, not used in the clear.
    curl_easy_setopt(m_curl, CURLOPT_USE_SSL,
                     server.security == MailSecurity::None ? long(CURLUSESSL_NONE) : long(CURLUSESSL_ALL));
    curl_easy_setopt(m_curl, CURLOPT_SSL_VERIFYPEER, 1L);
    // With an accepted certificate the host name is checked by verifyCallback, since that very
    // certificate may name another host.
    curl_easy_setopt(m_curl, CURLOPT_SSL_VERIFYHOST, m_acceptedCertificate.isEmpty() ? 2L : 0L);
    curl_easy_setopt(m_curl, CURLOPT_SSL_CTX_FUNCTION, &CurlMailHandle::sslContextCallback);
    curl_easy_setopt(m_curl, CURLOPT_SSL_CTX_DATA, this);
    // The server's answers are read from the protocol trace; nothing of it is printed.
    curl_easy_setopt(m_curl, CURLOPT_DEBUGFUNCTION, &CurlMailHandle::debugCallback);
    curl_easy_setopt(m_curl, CURLOPT_DEBUGDATA, this);
    curl_easy_setopt(m_curl, CURLOPT_VERBOSE, 1L);
}

CurlMailHandle::~CurlMailHandle()
{
    curl_easy_cleanup(m_curl);
    m_password.fill('\0');
}

void CurlMailHandle::clearReply()
{
    m_reply.clear();
    m_replyCode = 0;
    m_replyDone = true;
    m_refusal.clear();
    m_errorBuffer[0] = '\0';
}

int CurlMailHandle::debugCallback(CURL *, int type, char *data, size_t size, void *self)
{
    auto *handle = static_cast<CurlMailHandle *>(self);
    if (type == CURLINFO_HEADER_OUT) {
        // A new command: its answer starts afresh. What was sent is not kept (it holds the login).
        handle->m_replyDone = true;
        return 0;
    }
    if (type != CURLINFO_HEADER_IN)
        return 0;
    const QString line = QString::fromUtf8(data, qsizetype(size)).trimmed();
    if (line.isEmpty())
        return 0;
    if (handle->m_replyDone) {
        handle->m_reply.clear();
        handle->m_replyDone = false;
    }
    // At most a few lines: a reply is for a message box, not a transcript.
    if (handle->m_reply.size() < 8)
        handle->m_reply.append(line.left(400));
    bool numeric = false;
    const int code = line.left(3).toInt(&numeric);
    if (numeric && line.size() >= 3) {
        handle->m_replyCode = code;
        // What the server refused is kept apart: libcurl may say QUIT or RSET after it.
        if (code >= 400)
            handle->m_refusal = handle->m_reply.join(u' ');
    }
    return 0;
}

int CurlMailHandle::sslContextCallback(CURL *, void *context, void *self)
{
    auto *ssl = static_cast<SSL_CTX *>(context);
    SSL_CTX_set_ex_data(ssl, handleIndex(), self);
    SSL_CTX_set_verify(ssl, SSL_VERIFY_PEER, [](int preverified, X509_STORE_CTX *store) {
        return CurlMailHandle::verifyCallback(preverified, store);
    });
    return CURLE_OK;
}

int CurlMailHandle::verifyCallback(int preverified, void *storeContext)
{
    auto *store = static_cast<X509_STORE_CTX *>(storeContext);
    SSL *ssl = static_cast<SSL *>(X509_STORE_CTX_get_ex_data(store, SSL_get_ex_data_X509_STORE_CTX_idx()));
    auto *handle = static_cast<CurlMailHandle *>(SSL_CTX_get_ex_data(SSL_get_SSL_CTX(ssl), handleIndex()));
    if (!handle)
        return preverified;
    X509 *leaf = X509_STORE_CTX_get0_cert(store);
    handle->m_presentedCertificate = fingerprintOf(leaf);
    if (handle->m_acceptedCertificate.isEmpty())
        return preverified;
    if (handle->m_presentedCertificate == handle->m_acceptedCertificate) {
        X509_STORE_CTX_set_error(store, X509_V_OK);
        return 1;
    }
    if (!preverified)
        return 0;
    // Another certificate that verifies: its name must be the server's (libcurl's check is off).
    if (X509_STORE_CTX_get_error_depth(store) == 0) {
        const QByteArray host = handle->m_server.host.toUtf8();
        const bool matches =
            QHostAddress(handle->m_server.host).isNull()
                ? X509_check_host(leaf, host.constData(), size_t(host.size()), 0, nullptr) == 1
                : X509_check_ip_asc(leaf, host.constData(), 0) == 1;
        if (!matches) {
            X509_STORE_CTX_set_error(store, X509_V_ERR_HOSTNAME_MISMATCH);
            return 0;
        }
    }
    return 1;
}

bool CurlMailHandle::certificateRefused(int curlCode) const
{
    return curlCode == CURLE_PEER_FAILED_VERIFICATION || curlCode == CURLE_SSL_CACERT_BADFILE;
}

QString CurlMailHandle::failureText(int curlCode) const
{
    if (certificateRefused(curlCode)) {
        const QString why = QString::fromUtf8(m_errorBuffer).trimmed();
        return tr("The certificate of %1 cannot be trusted (%2). Its SHA-256 fingerprint is %3.")
            .arg(m_server.host,
                 why.isEmpty() ? QString::fromUtf8(curl_easy_strerror(CURLcode(curlCode))) : why,
                 m_presentedCertificate.isEmpty() ? tr("unknown") : m_presentedCertificate);
    }
    if (!m_refusal.isEmpty())
        return m_refusal;
    const QString why = QString::fromUtf8(m_errorBuffer).trimmed();
    return why.isEmpty() ? QString::fromUtf8(curl_easy_strerror(CURLcode(curlCode))) : why;
}

QString CurlMailHandle::normalisedFingerprint(const QString &text)
{
    QString hex;
    for (QChar c : text) {
        if (c.isDigit() || (c.toUpper() >= u'A' && c.toUpper() <= u'F'))
            hex += c.toUpper();
    }
    QStringList pairs;
    for (qsizetype i = 0; i + 1 < hex.size(); i += 2)
        pairs << hex.mid(i, 2);
    return pairs.join(u':');
}
