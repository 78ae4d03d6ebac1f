#include "MailTestServers.h"

#include "mail/MailSendWorker.h"
#include "mail/MessageLog.h"
#include "mail/ReplyCheck.h"
#include "mail/SmtpSession.h"
#include "model/PasswordStore.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

// The mail room against real servers on 127.0.0.1: aiosmtpd, dovecot and gnome-keyring-daemon.
class TestMailServers : public QObject
{
    Q_OBJECT
private slots:
    void keyringKeepsPasswords();
    void smtpRefusesACertificateUntilItIsAccepted();
    void workerSendsRecordsAndStopsAndResumes();
    void repliesAreFoundReadOnly();

private:
    QTemporaryDir m_folder;
    // Kept to the end of the run: GLib ends a process whose session bus goes away.
    KeyringTestSession m_keyring;
};

namespace {

MailServer smtpServer(const SmtpTestServer &server, bool accepted = true)
{
    MailServer smtp{MailServer::Protocol::Smtp, QStringLiteral("127.0.0.1"), server.port(),
                    MailSecurity::StartTls, SmtpTestServer::User};
    if (accepted)
        smtp.acceptedCertificate = server.fingerprint();
    return smtp;
}

LoggedMessage queued(const QString &link, const QString &name, const QString &address)
{
    LoggedMessage m;
    m.linkID = link;
    m.toName = name;
    m.toAddress = address;
    m.subject = QStringLiteral("Linktausch mit Gärten & Höfe");
    m.body = QStringLiteral("Hallo %1,\nwir würden gern Links tauschen.\n").arg(name);
    return m;
}

QList<SendJob> jobsFor(const QList<LoggedMessage> &messages, const QList<qint64> &ids)
{
    QList<SendJob> jobs;
    for (qsizetype i = 0; i < messages.size(); ++i) {
        OutgoingMessage out;
        out.from = {QStringLiteral("Zoë Müller"), QStringLiteral("zoe@example.org")};
        out.to = {messages.at(i).toName, messages.at(i).toAddress};
        out.subject = messages.at(i).subject;
        out.body = messages.at(i).body;
        jobs.append({ids.at(i), messages.at(i).linkID, out});
    }
    return jobs;
}

} // namespace

void TestMailServers::keyringKeepsPasswords()
{
    QString error;
    QVERIFY2(m_keyring.start(&error), qPrintable(error));
    const QString key = QStringLiteral("smtp://ann@mail.example.org:587");
    QVERIFY(!PasswordStore::readNow(key).password);
    QVERIFY2(PasswordStore::writeNow(key, QStringLiteral("correct horse ☃"), &error), qPrintable(error));
    QCOMPARE(PasswordStore::readNow(key).password, QStringLiteral("correct horse ☃"));
    QObject context;
    bool removed = false;
    PasswordStore::remove(key, &context, [&](bool ok, const QString &) { removed = ok; });
    QTRY_VERIFY(removed);
    QVERIFY(!PasswordStore::readNow(key).password);
}

void TestMailServers::smtpRefusesACertificateUntilItIsAccepted()
{
    SmtpTestServer server;
    QString error;
    QVERIFY2(server.start(SmtpTestServer::Mode::StartTls, &error), qPrintable(error));
    ComposedMessage message = *MessageComposer::compose({{QString(), QStringLiteral("zoe@example.org")},
                                                         {QString(), QStringLiteral("bob@partner.example")},
                                                         QStringLiteral("Hi"),
                                                         QStringLiteral("Body")},
                                                        &error);

    // A certificate that does not verify is refused with its reason and the fingerprint to accept.
    SendResult refused = SmtpSession(smtpServer(server, false), SmtpTestServer::Password).send(message);
    QVERIFY(!refused.sent);
    QVERIFY(refused.certificateRefused && refused.accountProblem);
    QCOMPARE(refused.certificate, server.fingerprint());
    QVERIFY2(refused.reason.contains(server.fingerprint()), qPrintable(refused.reason));
    // Accepting another certificate does not let this one through.
    MailServer other = smtpServer(server, false);
    other.acceptedCertificate = QString(server.fingerprint()).replace(0, 2, QStringLiteral("00"));
    QVERIFY(!SmtpSession(other, SmtpTestServer::Password).send(message).sent);

    // A wrong password: the server's refusal, and never the password in what is said.
    const SendResult denied = SmtpSession(smtpServer(server), QStringLiteral("guessed-wrong")).send(message);
    QVERIFY(!denied.sent && denied.accountProblem);
    QVERIFY(!denied.reason.contains(QLatin1String("guessed-wrong")));
    QCOMPARE(server.messages().size(), 0);

    QVERIFY(SmtpSession(smtpServer(server), SmtpTestServer::Password).send(message).sent);
    QCOMPARE(server.messages().size(), 1);
}

void TestMailServers::workerSendsRecordsAndStopsAndResumes()
{
    SmtpTestServer server;
    QString error;
    QVERIFY2(server.start(SmtpTestServer::Mode::StartTls, &error), qPrintable(error));
    const QString database = m_folder.filePath(QStringLiteral("send.site"));
    MessageLog log(database);
    const QList<LoggedMessage> messages{
        queued(QStringLiteral("LNK1"), QStringLiteral("Jürgen Groß"),
               QStringLiteral("juergen@partner.example")),
        queued(QStringLiteral("LNK2"), QStringLiteral("Nobody"), QStringLiteral("refused@partner.example")),
        queued(QStringLiteral("LNK3"), QStringLiteral("Carol"), QStringLiteral("carol@friend.example"))};
    const QList<qint64> ids = *log.add(messages);

    MailSendWorker worker;
    QSignalSpy sent(&worker, &MailSendWorker::messageSent);
    QSignalSpy failed(&worker, &MailSendWorker::messageFailed);
    QSignalSpy progress(&worker, &MailSendWorker::progress);
    QSignalSpy finished(&worker, &MailSendWorker::finished);
    // The spies hear the worker's thread directly: a signal may be in before the wait begins.
    auto arrived = [](QSignalSpy &spy) { return !spy.isEmpty() || spy.wait(30000); };
    worker.start(database, smtpServer(server), SmtpTestServer::Password, jobsFor(messages, ids), 0);
    QVERIFY(arrived(finished));
    QCOMPARE(finished.first().at(0).toBool(), false);
    QCOMPARE(sent.size(), 2);
    QCOMPARE(progress.last(), (QVariantList{3, 3}));
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed.first().at(1).toString(), QStringLiteral("LNK2"));
    const QString reason = failed.first().at(2).toString();
    QVERIFY2(reason.contains(QLatin1String("550")) &&
                 reason.contains(QLatin1String("Recipient address rejected")),
             qPrintable(reason));

    // The connection is reused; libcurl starts a new one only after the refusal. Each message arrives as
    // composed, with its name intact.
    QCOMPARE(server.connections(), 2);
    QCOMPARE(server.recipients(),
             (QList<QStringList>{{"juergen@partner.example"}, {"carol@friend.example"}}));
    const ReceivedMessage first = ReceivedMessage::fromHeaders(server.messages().first());
    QCOMPARE(first.fromName, QStringLiteral("Zoë Müller"));
    QCOMPARE(ReceivedMessage::firstLines(server.messages().first(), 1), QStringLiteral("Hallo Jürgen Groß,"));

    // The log knows each outcome; the failed message waits in the Outbox with the server's answer.
    const LoggedMessage record = *log.message(ids.at(0));
    QCOMPARE(record.state, LoggedMessage::State::Sent);
    QCOMPARE(record.messageID, first.messageID);
    QCOMPARE(log.outbox()->size(), 1);
    QCOMPARE(log.outbox()->first().reason, reason);

    // Stop at a pace of one a second after the first, then resume with the rest.
    const QList<LoggedMessage> more{
        queued(QStringLiteral("LNK4"), QStringLiteral("D"), QStringLiteral("d@x.example")),
        queued(QStringLiteral("LNK5"), QStringLiteral("E"), QStringLiteral("e@x.example")),
        queued(QStringLiteral("LNK6"), QStringLiteral("F"), QStringLiteral("f@x.example"))};
    const QList<qint64> moreIDs = *log.add(more);
    sent.clear();
    finished.clear();
    worker.start(database, smtpServer(server), SmtpTestServer::Password, jobsFor(more, moreIDs), 60);
    QVERIFY(arrived(sent));
    worker.stop();
    QVERIFY(arrived(finished));
    QCOMPARE(finished.first().at(0).toBool(), true);
    const QList<qint64> remaining = finished.first().at(1).value<QList<qint64>>();
    QCOMPARE(remaining, moreIDs.mid(1));
    QCOMPARE(log.outbox()->size(), 3); // the failed one and the two stopped ones
    finished.clear();
    worker.start(database, smtpServer(server), SmtpTestServer::Password, jobsFor(more.mid(1), remaining), 0);
    QVERIFY(arrived(finished));
    QCOMPARE(server.messages().size(), 5);
    QCOMPARE(log.outbox()->size(), 1);
}

void TestMailServers::repliesAreFoundReadOnly()
{
    ImapTestServer server;
    QString error;
    QVERIFY2(server.start(&error), qPrintable(error));
    const QDateTime sentAt = QDateTime::currentDateTimeUtc().addDays(-3);
    MessageLog log(m_folder.filePath(QStringLiteral("replies.site")));
    QList<LoggedMessage> ours{
        queued(QStringLiteral("LNK1"), QStringLiteral("Bob"), QStringLiteral("bob@partner.example")),
        queued(QStringLiteral("LNK2"), QStringLiteral("Carol"), QStringLiteral("Carol@Friend.example")),
        queued(QStringLiteral("LNK3"), QStringLiteral("Dan"), QStringLiteral("dan@quiet.example"))};
    const QList<qint64> ids = *log.add(ours);
    for (qsizetype i = 0; i < ids.size(); ++i)
        QVERIFY(log.markSent(ids.at(i), QStringLiteral("m%1@example.org").arg(i), sentAt));

    auto mail = [](const QString &from, const QString &headers, const QDateTime &date,
                   const QByteArray &body) {
        return (
            QStringLiteral(
                "From: %1\r\nTo: zoe@example.org\r\nSubject: Re: Linktausch\r\nMessage-ID: <%2@them>\r\n"
                "Date: %3\r\n%4")
                .arg(from, QString::number(qHash(from + headers)), date.toString(Qt::RFC2822Date), headers)
                .toUtf8() +
            "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=utf-8\r\n"
            "Content-Transfer-Encoding: quoted-printable\r\n\r\n" +
            body);
    };
    const QDateTime later = sentAt.addDays(1);
    // Bob answers the thread; Carol writes anew (her address in other letter case); Dan wrote before ours.
    QVERIFY(server.addMessage(mail(QStringLiteral("Bob <bob@partner.example>"),
                                   QStringLiteral("In-Reply-To: <m0@example.org>\r\n"), later,
                                   "> your message\r\nGern, der Link steht =C3=BCbermorgen.\r\n"),
                              later));
    QVERIFY(server.addMessage(mail(QStringLiteral("carol@friend.EXAMPLE"), QString(), later, "Sure!\r\n"),
                              later, QStringLiteral("Partners")));
    QVERIFY(server.addMessage(
        mail(QStringLiteral("dan@quiet.example"), QString(), sentAt.addSecs(-3600), "Old\r\n"), sentAt));
    QVERIFY(server.addMessage(mail(QStringLiteral("eve@spam.example"), QString(), later, "Buy\r\n"), later));
    const QStringList before = server.mailboxState();

    MailAccount account;
    account.imap = {MailServer::Protocol::Imap, QStringLiteral("127.0.0.1"), server.tlsPort(),
                    MailSecurity::Tls,          ImapTestServer::User,        server.fingerprint()};
    account.folders = {QStringLiteral("INBOX"), QStringLiteral("Partners")};
    std::optional<QList<ReplyMatch>> matches =
        ReplyCheck::run(log, account, ImapTestServer::Password, &error);
    QVERIFY2(matches, qPrintable(error + server.log()));
    QCOMPARE(matches->size(), 2);
    const LoggedMessage bob = *log.message(ids.at(0));
    QCOMPARE(bob.state, LoggedMessage::State::Replied);
    QCOMPARE(bob.repliedAt, QDateTime::fromSecsSinceEpoch(later.toSecsSinceEpoch()));
    QCOMPARE(bob.replyExcerpt, QStringLiteral("Gern, der Link steht übermorgen."));
    QCOMPARE(log.message(ids.at(1))->state, LoggedMessage::State::Replied);
    QCOMPARE(log.message(ids.at(2))->state, LoggedMessage::State::Sent);
    // Read-only: no message moved, flagged or marked as read.
    QCOMPARE(server.mailboxState(), before);

    // STARTTLS on the other port; nothing left to find.
    account.imap.port = server.starttlsPort();
    account.imap.security = MailSecurity::StartTls;
    matches = ReplyCheck::run(log, account, ImapTestServer::Password, &error);
    QVERIFY2(matches, qPrintable(error));
    QCOMPARE(matches->size(), 0);
    // A wrong password fails with the server's word, not silently.
    QVERIFY(!ReplyCheck::run(log, account, QStringLiteral("wrong"), &error));
    QVERIFY(!error.isEmpty() && !error.contains(QLatin1String("wrong")));
}

QTEST_GUILESS_MAIN(TestMailServers)
#include "tst_mailservers.moc"
