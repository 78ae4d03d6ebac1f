#include "SmtpSession.h"

#include <curl/curl.h>

#include <cstring>

SmtpSession::SmtpSession(const MailServer &server, const QString &password) : m_handle(server, password)
{
    CURL *curl = m_handle.handle();
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, &SmtpSession::readCallback);
    curl_easy_setopt(curl, CURLOPT_READDATA, this);
}

size_t SmtpSession::readCallback(char *buffer, size_t size, size_t count, void *self)
{
    auto *session = static_cast<SmtpSession *>(self);
    const qsizetype room = qsizetype(size * count);
    const qsizetype length = std::min(room, session->m_pending.size() - session->m_offset);
    std::memcpy(buffer, session->m_pending.constData() + session->m_offset, size_t(length));
    session->m_offset += length;
    return size_t(length);
}

SendResult SmtpSession::send(const ComposedMessage &message)
{
    CURL *curl = m_handle.handle();
    const QByteArray from = '<' + message.from.toUtf8() + '>';
    const QByteArray to = '<' + message.to.toUtf8() + '>';
    curl_slist *recipients = curl_slist_append(nullptr, to.constData());
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(message.bytes.size()));
    m_pending = message.bytes;
    m_offset = 0;
    m_handle.clearReply();

    const CURLcode code = curl_easy_perform(curl);
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, nullptr);
    curl_slist_free_all(recipients);

    SendResult result;
    result.code = m_handle.lastReplyCode();
    result.sent = code == CURLE_OK;
    if (!result.sent) {
        result.reason = m_handle.failureText(code);
        result.certificateRefused = m_handle.certificateRefused(code);
        if (result.certificateRefused)
            result.certificate = m_handle.presentedCertificate();
        switch (code) {
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_CONNECT:
        case CURLE_LOGIN_DENIED:
        case CURLE_USE_SSL_FAILED:
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_OPERATION_TIMEDOUT:
            result.accountProblem = true;
            break;
        default:
            break;
        }
    }
    return result;
}
