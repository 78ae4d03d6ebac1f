#include <gmime/gmime.h>

#include "GMimeLibrary.h"
#include "ReceivedMessage.h"

#include <QRegularExpression>

namespace {

GMimeMessage *parse(const QByteArray &bytes)
{
    GMimeLibrary::ensureInitialised();
    GMimeStream *stream = g_mime_stream_mem_new_with_buffer(bytes.constData(), size_t(bytes.size()));
    GMimeParser *parser = g_mime_parser_new_with_stream(stream);
    GMimeMessage *message = g_mime_parser_construct_message(parser, nullptr);
    g_object_unref(parser);
    g_object_unref(stream);
    return message;
}

QString headerText(GMimeObject *object, const char *name)
{
    const char *value = g_mime_object_get_header(object, name);
    return value ? QString::fromUtf8(value) : QString();
}

QStringList messageIDsIn(const QString &text)
{
    QStringList ids;
    if (text.isEmpty())
        return ids;
    GMimeReferences *list = g_mime_references_parse(nullptr, text.toUtf8().constData());
    if (!list)
        return ids;
    for (int i = 0; i < g_mime_references_length(list); ++i)
        ids << QString::fromUtf8(g_mime_references_get_message_id(list, i));
    g_mime_references_free(list);
    return ids;
}

} // namespace

ReceivedMessage ReceivedMessage::fromHeaders(const QByteArray &headers)
{
    ReceivedMessage received;
    // A header block ends with an empty line; a message needs one to be read.
    QByteArray bytes = headers;
    if (!bytes.endsWith("\r\n\r\n") && !bytes.endsWith("\n\n"))
        bytes += "\r\n";
    GMimeMessage *message = parse(bytes);
    if (!message)
        return received;
    GMimeObject *object = GMIME_OBJECT(message);
    if (const char *id = g_mime_message_get_message_id(message))
        received.messageID = QString::fromUtf8(id);
    const QStringList inReplyTo = messageIDsIn(headerText(object, "In-Reply-To"));
    received.inReplyTo = inReplyTo.value(0);
    received.references = messageIDsIn(headerText(object, "References"));
    if (InternetAddressList *from = g_mime_message_get_from(message)) {
        for (int i = 0; i < internet_address_list_length(from); ++i) {
            InternetAddress *address = internet_address_list_get_address(from, i);
            if (INTERNET_ADDRESS_IS_MAILBOX(address)) {
                received.fromAddress =
                    QString::fromUtf8(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(address)));
                if (const char *name = internet_address_get_name(address))
                    received.fromName = QString::fromUtf8(name);
                break;
            }
        }
    }
    if (const char *subject = g_mime_message_get_subject(message))
        received.subject = QString::fromUtf8(subject);
    if (GDateTime *date = g_mime_message_get_date(message))
        received.date = QDateTime::fromSecsSinceEpoch(g_date_time_to_unix(date));
    g_object_unref(message);
    return received;
}

QString ReceivedMessage::firstLines(const QByteArray &wholeMessage, int lineCount)
{
    GMimeMessage *message = parse(wholeMessage);
    if (!message)
        return QString();
    QString text;
    // The first text/plain part, decoded from its transfer encoding and charset.
    GMimePartIter *iter = g_mime_part_iter_new(GMIME_OBJECT(message));
    GMimeObject *body = g_mime_message_get_mime_part(message);
    auto take = [&text](GMimeObject *part) {
        if (!GMIME_IS_TEXT_PART(part))
            return false;
        GMimeContentType *type = g_mime_object_get_content_type(part);
        if (!g_mime_content_type_is_type(type, "text", "plain"))
            return false;
        char *content = g_mime_text_part_get_text(GMIME_TEXT_PART(part));
        text = QString::fromUtf8(content);
        g_free(content);
        return true;
    };
    if (!(body && take(body))) {
        do {
            GMimeObject *part = g_mime_part_iter_get_current(iter);
            if (part && take(part))
                break;
        } while (g_mime_part_iter_next(iter));
    }
    g_mime_part_iter_free(iter);
    g_object_unref(message);

    QStringList lines;
    for (const QString &line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'>'))
            continue;
        lines << trimmed;
        if (lines.size() == lineCount)
            break;
    }
    return lines.join(u'\n');
}
