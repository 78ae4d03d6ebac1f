// Mail at scale against the local test servers: 1,000 messages sent with the pace off over one SMTP
// connection (STARTTLS and a login), and the replies to 50 messages found among 10,000 in a mailbox; the
// event loop of the thread that follows the sending is watched for stalls.
//
// usage: bench_mail [MESSAGES [MAILBOX]]   (defaults 1000 and 10000)
#include "MailTestServers.h"

#include "mail/MailSendWorker.h"
#include "mail/MessageLog.h"
#include "mail/ReplyCheck.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

LoggedMessage message(int i)
{
    LoggedMessage m;
    m.linkID = QStringLiteral("LNK%1").arg(1'700'000'000 + i);
    m.toName = QStringLiteral("Partner Nummer %1 – Jürgen").arg(i);
    m.toAddress = QStringLiteral("partner%1@partner%2.example").arg(i).arg(i % 97);
    m.subject = QStringLiteral("Linktausch mit „Gärten & Höfe“ (%1)").arg(i);
    m.body = QStringLiteral("Hallo Jürgen,\n\nich würde gern Links tauschen. ").repeated(8);
    return m;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? atoi(argv[1]) : 1000;
    const int mailbox = argc > 2 ? atoi(argv[2]) : 10000;
    QTemporaryDir folder;
    QString error;

    SmtpTestServer smtp;
    if (!smtp.start(SmtpTestServer::Mode::StartTls, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const QString database = folder.filePath(QStringLiteral("bench.site"));
    MessageLog log(database);
    QList<LoggedMessage> messages;
    for (int i = 0; i < count; ++i)
        messages.append(message(i));
    const QList<qint64> ids = *log.add(messages);
    QList<SendJob> jobs;
    for (int i = 0; i < count; ++i) {
        OutgoingMessage out;
        out.from = {QStringLiteral("Zoë Müller"), QStringLiteral("zoe@example.org")};
        out.to = {messages.at(i).toName, messages.at(i).toAddress};
        out.subject = messages.at(i).subject;
        out.body = messages.at(i).body;
        jobs.append({ids.at(i), messages.at(i).linkID, out});
    }
    MailServer server{MailServer::Protocol::Smtp, QStringLiteral("127.0.0.1"), smtp.port(),
                      MailSecurity::StartTls,     SmtpTestServer::User,        smtp.fingerprint()};
    MailSendWorker worker;
    QEventLoop loop;
    int sent = 0;
    QObject::connect(&worker, &MailSendWorker::messageSent, [&] { ++sent; });
    QObject::connect(&worker, &MailSendWorker::finished, &loop, &QEventLoop::quit);
    // How long the event loop of the thread that follows the sending goes without turning.
    QElapsedTimer tick;
    qint64 longestStall = 0;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout,
                     [&] { longestStall = std::max(longestStall, tick.restart()); });
    QElapsedTimer timer;
    timer.start();
    tick.start();
    watchdog.start(10);
    worker.start(database, server, SmtpTestServer::Password, jobs, 0);
    loop.exec();
    watchdog.stop();
    const double sendSeconds = timer.elapsed() / 1000.0;
    std::printf("send: %d of %d messages in %.2f s (%.1f ms each) over %d connection(s); longest event-loop "
                "gap %lld ms\n",
                sent, count, sendSeconds, sendSeconds * 1000 / count, smtp.connections(),
                qint64(longestStall));

    ImapTestServer imap;
    if (!imap.start(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    // The mailbox: replies to 50 of our messages among `mailbox` others of the last days.
    const QList<LoggedMessage> unanswered = *log.unanswered();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QList<QPair<QByteArray, QDateTime>> mail;
    for (int i = 0; i < mailbox; ++i) {
        // All within the last hour, so that the search by day leaves none of them out.
        const QDateTime arrived = now.addMSecs(-qint64(i) * 300);
        QByteArray headers = "From: Someone " + QByteArray::number(i) + " <someone" + QByteArray::number(i) +
                             "@elsewhere.example>\r\nSubject: Newsletter " + QByteArray::number(i) +
                             "\r\nMessage-ID: <n" + QByteArray::number(i) + "@elsewhere.example>\r\n";
        if (i % (mailbox / 50) == 0 && i / (mailbox / 50) < unanswered.size())
            headers = "From: " + unanswered.at(i / (mailbox / 50)).toAddress.toUtf8() +
                      "\r\nSubject: Re\r\nIn-Reply-To: <" +
                      unanswered.at(i / (mailbox / 50)).messageID.toUtf8() + ">\r\n";
        mail.append({headers + "Date: " + arrived.toString(Qt::RFC2822Date).toUtf8() +
                         "\r\n\r\nHello, this is message " + QByteArray::number(i) + ".\r\n",
                     arrived});
    }
    imap.addMessages(mail);
    MailAccount account;
    account.imap = {MailServer::Protocol::Imap, QStringLiteral("127.0.0.1"), imap.tlsPort(),
                    MailSecurity::Tls,          ImapTestServer::User,        imap.fingerprint()};
    // The first look builds dovecot's index of the mailbox; the second (a copy of the log, with the same
    // unanswered messages) is what every later check costs.
    MessageLog again(folder.filePath(QStringLiteral("again.site")));
    again.add(unanswered);
    for (MessageLog *pass : {&log, &again}) {
        timer.restart();
        const std::optional<QList<ReplyMatch>> matches =
            ReplyCheck::run(*pass, account, ImapTestServer::Password, &error);
        if (!matches) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        std::printf("replies (%s): %lld matched among %d messages in %.2f s\n",
                    pass == &log ? "first" : "again", qint64(matches->size()), mailbox,
                    timer.elapsed() / 1000.0);
    }
    return 0;
}
