// GLib's headers name members "signals": they come before any Qt header.
#include <gmime/gmime.h>

#include "GMimeLibrary.h"
#include "MessageComposer.h"

namespace {

bool holdsLineBreak(const QString &text)
{
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(0x2028)) ||
           text.contains(QChar(0x2029)) || text.contains(QChar(0x85));
}

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

bool checkAddress(const MailAddress &address, const QString &role, QString *error)
{
    if (holdsLineBreak(address.name) || holdsLineBreak(address.address))
        return fail(error, MessageComposer::tr("The %1 contains a line break, which no header may hold: "
                                               "correct it and send again.")
                               .arg(role));
    if (!address.isValid())
        return fail(
            error, MessageComposer::tr("The %1 \"%2\" is not an e-mail address.").arg(role, address.address));
    return true;
}

QString angleList(const QStringList &ids)
{
    QStringList bracketed;
    for (const QString &id : ids)
        bracketed << u'<' + id + u'>';
    return bracketed.join(u' ');
}

} // namespace

QString MessageComposer::newMessageID(const QString &domain)
{
    GMimeLibrary::ensureInitialised();
    char *id = g_mime_utils_generate_message_id(domain.toUtf8().constData());
    const QString result = QString::fromUtf8(id);
    g_free(id);
    return result;
}

std::optional<ComposedMessage> MessageComposer::compose(const OutgoingMessage &message, QString *error)
{
    if (!checkAddress(message.from, tr("sender's address"), error) ||
        !checkAddress(message.to, tr("recipient's address"), error))
        return std::nullopt;
    if (holdsLineBreak(message.subject)) {
        fail(error,
             tr("The subject contains a line break, which no header may hold: correct it and send again."));
        return std::nullopt;
    }
    QStringList ids = message.references;
    if (!message.inReplyTo.isEmpty() && !ids.contains(message.inReplyTo))
        ids << message.inReplyTo;
    for (const QString &id : std::as_const(ids) + QStringList{message.messageID}) {
        if (holdsLineBreak(id) || id.contains(u'<') || id.contains(u'>') || id.contains(u' ')) {
            fail(error, tr("The message ID \"%1\" cannot stand in a header.").arg(id));
            return std::nullopt;
        }
    }

    GMimeLibrary::ensureInitialised();
    GMimeMessage *mime = g_mime_message_new(TRUE);
    GMimeObject *object = GMIME_OBJECT(mime);
    // Names that need encoded words get them in UTF-8, like the subject and the body.
    for (const auto &[type, address] :
         {std::pair{GMIME_ADDRESS_TYPE_FROM, &message.from}, std::pair{GMIME_ADDRESS_TYPE_TO, &message.to}}) {
        InternetAddress *mailbox = internet_address_mailbox_new(address->name.toUtf8().constData(),
                                                                address->address.toUtf8().constData());
        internet_address_set_charset(mailbox, "utf-8");
        internet_address_list_add(g_mime_message_get_addresses(mime, type), mailbox);
        g_object_unref(mailbox);
    }
    g_mime_message_set_subject(mime, message.subject.toUtf8().constData(), "utf-8");

    const QDateTime when = message.date.isValid() ? message.date : QDateTime::currentDateTime();
    GTimeZone *zone = g_time_zone_new_offset(when.offsetFromUtc());
    GDateTime *date = g_date_time_new_from_unix_utc(when.toSecsSinceEpoch());
    GDateTime *local = g_date_time_to_timezone(date, zone);
    g_mime_message_set_date(mime, local);
    g_date_time_unref(local);
    g_date_time_unref(date);
    g_time_zone_unref(zone);

    const QString messageID =
        message.messageID.isEmpty() ? newMessageID(message.from.domain()) : message.messageID;
    g_mime_message_set_message_id(mime, messageID.toUtf8().constData());
    if (!message.inReplyTo.isEmpty())
        g_mime_object_set_header(object, "In-Reply-To", angleList({message.inReplyTo}).toUtf8().constData(),
                                 nullptr);
    if (!ids.isEmpty())
        g_mime_object_set_header(object, "References", angleList(ids).toUtf8().constData(), nullptr);

    // Line ends become CR LF on output; a lone CR of a pasted text would otherwise survive.
    QString body = message.body;
    body.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    // The text goes in as UTF-8 bytes (g_mime_text_part_set_text would pick another charset).
    const QByteArray text8 = body.toUtf8();
    GMimeTextPart *part = g_mime_text_part_new_with_subtype("plain");
    GMimeStream *stream = g_mime_stream_mem_new_with_buffer(text8.constData(), size_t(text8.size()));
    GMimeDataWrapper *content = g_mime_data_wrapper_new_with_stream(stream, GMIME_CONTENT_ENCODING_DEFAULT);
    g_mime_part_set_content(GMIME_PART(part), content);
    g_object_unref(content);
    g_object_unref(stream);
    g_mime_text_part_set_charset(part, "utf-8");
    g_mime_part_set_content_encoding(GMIME_PART(part), GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE);
    g_mime_message_set_mime_part(mime, GMIME_OBJECT(part));
    g_object_unref(part);

    GMimeFormatOptions *options = g_mime_format_options_new();
    g_mime_format_options_set_newline_format(options, GMIME_NEWLINE_FORMAT_DOS);
    char *text = g_mime_object_to_string(object, options);
    ComposedMessage composed{QByteArray(text), messageID, message.from.address, message.to.address};
    g_free(text);
    g_mime_format_options_free(options);
    g_object_unref(mime);
    return composed;
}
