#include "ImapSession.h"

#include <curl/curl.h>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <poll.h>

namespace {
// A literal larger than this is not a header block or a message start we asked for.
constexpr qsizetype MaxLiteral = 8 * 1024 * 1024;
constexpr qsizetype MaxLine = 1024 * 1024;
} // namespace

ImapSession::ImapSession(const MailServer &server, const QString &password) : m_handle(server, password)
{
    // libcurl does the greeting, STARTTLS and the login, and hands over the connection.
    curl_easy_setopt(m_handle.handle(), CURLOPT_CONNECT_ONLY, 1L);
}

ImapSession::~ImapSession()
{
    logout();
}

bool ImapSession::connect(QString *error)
{
    m_handle.clearReply();
    const CURLcode code = curl_easy_perform(m_handle.handle());
    if (code != CURLE_OK) {
        if (error)
            *error = m_handle.failureText(code);
        return false;
    }
    m_connected = true;
    return true;
}

void ImapSession::logout()
{
    if (!m_connected)
        return;
    m_connected = false;
    QString ignored;
    const QByteArray line = "Q" + QByteArray::number(++m_tag) + " LOGOUT\r\n";
    writeAll(line, &ignored);
}

bool ImapSession::wait(bool forWriting, QString *error)
{
    curl_socket_t socket = CURL_SOCKET_BAD;
    if (curl_easy_getinfo(m_handle.handle(), CURLINFO_ACTIVESOCKET, &socket) != CURLE_OK ||
        socket == CURL_SOCKET_BAD) {
        if (error)
            *error = tr("The connection to %1 was closed.").arg(m_handle.server().host);
        return false;
    }
    pollfd descriptor{int(socket), short(forWriting ? POLLOUT : POLLIN), 0};
    const int ready = ::poll(&descriptor, 1, ReadTimeoutMs);
    if (ready <= 0) {
        if (error)
            *error = tr("%1 did not answer within %2 seconds.")
                         .arg(m_handle.server().host)
                         .arg(ReadTimeoutMs / 1000);
        return false;
    }
    return true;
}

bool ImapSession::writeAll(const QByteArray &bytes, QString *error)
{
    qsizetype offset = 0;
    while (offset < bytes.size()) {
        size_t written = 0;
        const CURLcode code = curl_easy_send(m_handle.handle(), bytes.constData() + offset,
                                             size_t(bytes.size() - offset), &written);
        if (code == CURLE_AGAIN) {
            if (!wait(true, error))
                return false;
            continue;
        }
        if (code != CURLE_OK) {
            if (error)
                *error = QString::fromUtf8(curl_easy_strerror(code));
            return false;
        }
        offset += qsizetype(written);
    }
    return true;
}

bool ImapSession::fill(QString *error)
{
    char chunk[64 * 1024];
    for (;;) {
        size_t received = 0;
        const CURLcode code = curl_easy_recv(m_handle.handle(), chunk, sizeof chunk, &received);
        if (code == CURLE_AGAIN) {
            if (!wait(false, error))
                return false;
            continue;
        }
        if (code != CURLE_OK || received == 0) {
            if (error)
                *error = code == CURLE_OK ? tr("The connection to %1 was closed.").arg(m_handle.server().host)
                                          : QString::fromUtf8(curl_easy_strerror(code));
            return false;
        }
        m_buffer.append(chunk, qsizetype(received));
        return true;
    }
}

bool ImapSession::readLine(QByteArray &line, QString *error)
{
    qsizetype end;
    while ((end = m_buffer.indexOf("\r\n")) < 0) {
        if (m_buffer.size() > MaxLine) {
            if (error)
                *error = tr("%1 sent a line too long to be an IMAP answer.").arg(m_handle.server().host);
            return false;
        }
        if (!fill(error))
            return false;
    }
    line = m_buffer.left(end);
    m_buffer.remove(0, end + 2);
    return true;
}

bool ImapSession::readBytes(qsizetype count, QByteArray &bytes, QString *error)
{
    while (m_buffer.size() < count) {
        if (!fill(error))
            return false;
    }
    bytes = m_buffer.left(count);
    m_buffer.remove(0, count);
    return true;
}

bool ImapSession::readResponse(Response &response, QString *error)
{
    static const QRegularExpression literal(QStringLiteral(R"(\{(\d+)\+?\}$)"));
    response = {};
    for (;;) {
        QByteArray line;
        if (!readLine(line, error))
            return false;
        const QRegularExpressionMatch match = literal.match(QString::fromLatin1(line.right(24)));
        if (!match.hasMatch()) {
            response.text += line;
            return true;
        }
        const qsizetype size = match.captured(1).toLongLong();
        if (size > MaxLiteral) {
            if (error)
                *error = tr("%1 sent more than was asked for.").arg(m_handle.server().host);
            return false;
        }
        response.text += line.left(line.size() - match.capturedLength());
        QByteArray bytes;
        if (!readBytes(size, bytes, error))
            return false;
        response.literals.append(bytes);
    }
}

bool ImapSession::command(const QByteArray &text, QList<Response> *untagged, QString *error)
{
    if (!m_connected && !connect(error))
        return false;
    const QByteArray tag = "Q" + QByteArray::number(++m_tag);
    if (!writeAll(tag + ' ' + text + "\r\n", error))
        return false;
    for (;;) {
        Response response;
        if (!readResponse(response, error))
            return false;
        if (response.text.startsWith(tag + ' ')) {
            const QByteArray status = response.text.mid(tag.size() + 1);
            if (status.startsWith("OK"))
                return true;
            if (error)
                *error =
                    tr("%1 answered: %2").arg(m_handle.server().host, QString::fromUtf8(status.left(400)));
            return false;
        }
        if (untagged && response.text.startsWith("* "))
            untagged->append(response);
    }
}

bool ImapSession::examine(const QString &folder, QString *error)
{
    return command("EXAMINE " + quoted(folder), nullptr, error);
}

std::optional<QList<quint32>> ImapSession::searchSince(const QDate &day, QString *error)
{
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QByteArray date =
        QByteArray::number(day.day()) + '-' + months[day.month() - 1] + '-' + QByteArray::number(day.year());
    QList<Response> untagged;
    if (!command("UID SEARCH SINCE " + date, &untagged, error))
        return std::nullopt;
    QList<quint32> uids;
    for (const Response &response : std::as_const(untagged)) {
        if (!response.text.startsWith("* SEARCH"))
            continue;
        for (const QByteArray &word : response.text.mid(8).split(' ')) {
            bool ok = false;
            const quint32 uid = word.toUInt(&ok);
            if (ok)
                uids.append(uid);
        }
    }
    return uids;
}

std::optional<QList<ReceivedMessage>> ImapSession::fetchHeaders(const QList<quint32> &uids, QString *error)
{
    static const QRegularExpression uidItem(QStringLiteral(R"(\bUID (\d+))"));
    QList<ReceivedMessage> messages;
    for (qsizetype first = 0; first < uids.size(); first += FetchBatch) {
        QList<Response> untagged;
        if (!command("UID FETCH " + uidSet(uids.mid(first, FetchBatch)) +
                         " (UID BODY.PEEK[HEADER.FIELDS (MESSAGE-ID IN-REPLY-TO REFERENCES FROM DATE)])",
                     &untagged, error))
            return std::nullopt;
        for (const Response &response : std::as_const(untagged)) {
            if (!response.text.contains(" FETCH ") || response.literals.isEmpty())
                continue;
            ReceivedMessage message = ReceivedMessage::fromHeaders(response.literals.first());
            message.uid = uidItem.match(QString::fromLatin1(response.text)).captured(1).toUInt();
            messages.append(message);
        }
    }
    return messages;
}

std::optional<QByteArray> ImapSession::fetchStart(quint32 uid, QString *error)
{
    QList<Response> untagged;
    if (!command("UID FETCH " + QByteArray::number(uid) + " (BODY.PEEK[]<0.65536>)", &untagged, error))
        return std::nullopt;
    for (const Response &response : std::as_const(untagged)) {
        if (response.text.contains(" FETCH ") && !response.literals.isEmpty())
            return response.literals.first();
    }
    return QByteArray();
}

QByteArray ImapSession::uidSet(QList<quint32> uids)
{
    std::sort(uids.begin(), uids.end());
    QByteArray set;
    for (qsizetype i = 0; i < uids.size();) {
        qsizetype j = i;
        while (j + 1 < uids.size() && uids.at(j + 1) <= uids.at(j) + 1)
            ++j;
        if (!set.isEmpty())
            set += ',';
        set += QByteArray::number(uids.at(i));
        if (uids.at(j) != uids.at(i))
            set += ':' + QByteArray::number(uids.at(j));
        i = j + 1;
    }
    return set;
}

QByteArray ImapSession::quoted(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('\\', "\\\\").replace('"', "\\\"").replace('\r', "").replace('\n', "");
    return '"' + bytes + '"';
}
