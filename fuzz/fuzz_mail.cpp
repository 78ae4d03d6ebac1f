// A message in the user's mailbox, as an IMAP server hands it over: its headers are read for reply
// matching and its first lines for the Outbox. The reading never yields a blank or quoted line or
// more lines than asked; and an answer composed from what was read either goes out with only the
// headers the composer writes, or is refused with a reason: a partner's message cannot add a header.

#include "FuzzSupport.h"
#include "mail/MessageComposer.h"
#include "mail/ReceivedMessage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::setUp();
    const QByteArray input = FuzzSupport::bytes(data, size);
    const qsizetype end = input.indexOf("\r\n\r\n");
    const ReceivedMessage read = ReceivedMessage::fromHeaders(end < 0 ? input : input.left(end + 4));

    const QString excerpt = ReceivedMessage::firstLines(input, 3);
    const QStringList lines = excerpt.isEmpty() ? QStringList() : excerpt.split(u'\n');
    FUZZ_CHECK(lines.size() <= 3, QStringLiteral("%1 lines asked for 3").arg(lines.size()));
    for (const QString &line : lines)
        FUZZ_CHECK(!line.trimmed().isEmpty() && !line.startsWith(u'>'),
                   QStringLiteral("the excerpt holds the line \"%1\"").arg(line));

    OutgoingMessage answer;
    answer.from = {QStringLiteral("Zoë"), QStringLiteral("zoe@example.org")};
    answer.to = {read.fromName, read.fromAddress};
    answer.subject = QStringLiteral("Re: ") + read.subject;
    answer.body = excerpt;
    answer.inReplyTo = read.messageID;
    answer.references = read.references;
    QString error;
    const std::optional<ComposedMessage> composed = MessageComposer::compose(answer, &error);
    FUZZ_CHECK(composed || !error.isEmpty(), QStringLiteral("refused without a reason"));
    if (!composed)
        return 0;
    const QByteArray head = composed->bytes.left(composed->bytes.indexOf("\r\n\r\n") + 2);
    static const QList<QByteArray> written{
        "Date",        "From",       "Subject",      "To",           "Message-Id",
        "In-Reply-To", "References", "MIME-Version", "Content-Type", "Content-Transfer-Encoding"};
    for (const QByteArray &line : head.split('\n')) {
        if (line.isEmpty() || line.startsWith(' ') || line.startsWith('\t'))
            continue; // a folded continuation
        const QByteArray name = line.left(line.indexOf(':'));
        FUZZ_CHECK(written.contains(name),
                   QStringLiteral("the answer has a header \"%1\"").arg(QString::fromLatin1(name)));
    }
    const ReceivedMessage back = ReceivedMessage::fromHeaders(head + "\r\n");
    FUZZ_CHECK(
        back.messageID == composed->messageID && back.fromAddress == QLatin1String("zoe@example.org"),
        QStringLiteral("the answer reads back as from %1 with ID %2").arg(back.fromAddress, back.messageID));
    return 0;
}
