#include "CliProcess.h"
#include "DatabaseBuilder.h"
#include "MailTestServers.h"

#include "history/HistoryStore.h"
#include "mail/ReceivedMessage.h"
#include "model/DatabaseFile.h"
#include "model/EmailTemplate.h"
#include "model/Link.h"
#include "model/TemplateFollowUp.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QTemporaryDir>

// send, messages and replies as a scheduled job runs them: real SMTP and IMAP servers on 127.0.0.1,
// passwords from the environment.
class TestMailCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sendLogAndFollowUp();
    void refusesWhatCannotWork();

private:
    QString home() const { return m_folder.filePath(QStringLiteral("home")); }
    QTemporaryDir m_folder;
    QString m_database;
    QString m_jurgen, m_refused, m_silent;
};

namespace {
QJsonArray jsonOf(const CliRun &run)
{
    return QJsonDocument::fromJson(run.out).array();
}

QStringList states(const QJsonArray &rows)
{
    QStringList result;
    for (const QJsonValue &row : rows)
        result << row.toObject().value("state").toString();
    return result;
}
} // namespace

void TestMailCommands::initTestCase()
{
    QDir().mkpath(home());
    DatabaseBuilder builder;
    builder.emailTemplate(QStringLiteral("Reminder"), QStringLiteral("Our links: #TITLE#"),
                          QStringLiteral("Hallo #CONTACT_FIRST_NAME#,\nwie steht es mit dem Link?\n"));
    const EmailTemplate *reminder =
        builder.store().emailTemplateList().emailTemplateWithName(QStringLiteral("Reminder"));
    TemplateFollowUp::set(builder.store(), reminder->ID(), TemplateFollowUp{reminder->ID(), 7});
    builder.link(LinkFields{.title = QStringLiteral("Gärten & Höfe"),
                            .contactFirstName = QStringLiteral("Jürgen"),
                            .contactEmail = QStringLiteral("juergen@partner.example"),
                            .status = LinkStatusNew});
    m_jurgen = builder.lastLink()->ID();
    builder.link(LinkFields{.title = QStringLiteral("Refuser"),
                            .contactEmail = QStringLiteral("refused@partner.example"),
                            .status = LinkStatusNew});
    m_refused = builder.lastLink()->ID();
    builder.link(LinkFields{.title = QStringLiteral("Silent"), .status = LinkStatusNew});
    m_silent = builder.lastLink()->ID();
    m_database = m_folder.filePath(QStringLiteral("links.site"));
    FileError error;
    QVERIFY2(DatabaseFile::write(builder.store(), m_database, &error), qPrintable(error.text()));
}

void TestMailCommands::sendLogAndFollowUp()
{
    SmtpTestServer smtp;
    QString error;
    QVERIFY2(smtp.start(SmtpTestServer::Mode::Plain, &error), qPrintable(error));
    qputenv("QUILLMARSH_SMTP_PASSWORD", SmtpTestServer::Password.toUtf8());
    const QStringList account{"--smtp", QStringLiteral("smtp://ann@127.0.0.1:%1").arg(smtp.port()), "--from",
                              "Zoë Müller <zoe@example.org>"};
    const QString ids = QStringList{m_jurgen, m_refused, m_silent}.join(u',');
    const QDateTime sentAt(QDate(2026, 12, 1), QTime(9, 0));

    // A dry run says what is due and touches nothing.
    CliRun run = runCli(
        QStringList{"send", m_database, "--template", "Reminder", "--ids", ids, "--dry-run", "--json"} +
            account,
        CliOptions().at(home()));
    QCOMPARE(run.status, 0);
    QCOMPARE(states(jsonOf(run)), (QStringList{"due", "due", "skipped"}));
    QVERIFY(!QFile::exists(m_database + "-history"));

    run = runCli(QStringList{"send", m_database, "--template", "Reminder", "--ids", ids, "--json"} + account,
                 CliOptions().at(home()).clockedAt(sentAt));
    QCOMPARE(run.status, 4); // one refused
    QJsonArray rows = jsonOf(run);
    QCOMPARE(states(rows), (QStringList{"sent", "failed", "skipped"}));
    QCOMPARE(rows.at(0).toObject().value("subject").toString(), QStringLiteral("Our links: Gärten & Höfe"));
    QVERIFY(rows.at(0).toObject().value("messageID").toString().endsWith(QLatin1String("@example.org")));
    QVERIFY(rows.at(1).toObject().value("reason").toString().startsWith(QLatin1String("550")));
    QVERIFY(!rows.at(2).toObject().value("reason").toString().isEmpty());
    QVERIFY(!run.out.contains(SmtpTestServer::Password.toUtf8()) &&
            !run.err.contains(SmtpTestServer::Password.toUtf8()));
    QCOMPARE(smtp.messages().size(), 1);
    QCOMPARE(ReceivedMessage::firstLines(smtp.messages().first(), 1), QStringLiteral("Hallo Jürgen,"));
    // Writing to a New partner starts the negotiation; the refused one stays New.
    CollectionManager store;
    QVERIFY(DatabaseFile::read(m_database, store));
    QCOMPARE(store.linkWithID(m_jurgen)->status(), LinkStatusNegotiating);
    QCOMPARE(store.linkWithID(m_refused)->status(), LinkStatusNew);

    run = runCli({"messages", m_database, "--json"});
    QCOMPARE(run.status, 0);
    rows = jsonOf(run);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).toObject().value("template").toString(), QStringLiteral("Reminder"));
    QCOMPARE(runCli({"messages", m_database, "--link", m_jurgen, "--json"}).out.count("\"linkID\""), 1);

    // The follow-up is due on the seventh day, only for the partner the message reached.
    auto followUps = [&](int day) {
        return jsonOf(runCli({"send", m_database, "--follow-ups", "--today",
                              sentAt.date().addDays(day).toString(Qt::ISODate), "--dry-run", "--json"}));
    };
    QCOMPARE(followUps(6).size(), 0);
    rows = followUps(7);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).toObject().value("linkID").toString(), m_jurgen);

    // A reply in the mailbox marks the message replied, and the sequence ends.
    ImapTestServer imap;
    QVERIFY2(imap.start(&error), qPrintable(error));
    const QString messageID = jsonOf(runCli({"messages", m_database, "--link", m_jurgen, "--json"}))
                                  .at(0)
                                  .toObject()
                                  .value("messageID")
                                  .toString();
    const QDateTime replied = QDateTime::currentDateTimeUtc().addSecs(-60);
    QVERIFY(imap.addMessage(
        "From: Juergen <JUERGEN@partner.example>\r\nSubject: Re\r\nIn-Reply-To: <" + messageID.toUtf8() +
            ">\r\nDate: " + replied.toString(Qt::RFC2822Date).toUtf8() + "\r\n\r\nJa!\r\n",
        replied));
    {
        QSettings settings(home() + "/config/Quillmarsh/Quillmarsh.conf", QSettings::IniFormat);
        settings.setValue("ImapHost", "127.0.0.1");
        settings.setValue("ImapPort", imap.tlsPort());
        settings.setValue("ImapSecurity", 1);
        settings.setValue("ImapUser", ImapTestServer::User);
        settings.setValue("ImapCertificate", imap.fingerprint());
    }
    qputenv("QUILLMARSH_IMAP_PASSWORD", ImapTestServer::Password.toUtf8());
    run = runCli({"replies", m_database, "--json"}, CliOptions().at(home()));
    QVERIFY2(run.status == 0, run.err.constData());
    rows = jsonOf(run);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).toObject().value("linkID").toString(), m_jurgen);
    QCOMPARE(rows.at(0).toObject().value("messageID").toString(), messageID);
    QCOMPARE(followUps(30).size(), 0);
    QCOMPARE(states(jsonOf(runCli({"messages", m_database, "--json"}))),
             (QStringList{"failed", "replied"})); // newest first: the later row

    // A link its latest check lost (missing on a second look too) is written to once per loss.
    CheckRecord check;
    check.linkID = m_jurgen;
    check.checkedOn = sentAt;
    check.result = VerificationSucceeded;
    check.outcome = CheckOutcome::Linked;
    CheckRecord missing = check;
    missing.checkedOn = sentAt.addDays(1);
    missing.result = VerificationLinkNotFound;
    missing.outcome = CheckOutcome::NotLinked;
    missing.confirmed = true;
    QVERIFY(HistoryStore(m_database).record({check, missing}));
    rows = jsonOf(runCli({"send", m_database, "--template", "Reminder", "--lost", "--dry-run", "--json"}));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).toObject().value("linkID").toString(), m_jurgen);
    QCOMPARE(rows.at(0).toObject().value("state").toString(), QStringLiteral("due"));
}

void TestMailCommands::refusesWhatCannotWork()
{
    const QString fresh = m_folder.filePath(QStringLiteral("fresh-home"));
    QDir().mkpath(fresh);
    // Usage: neither links nor losses, a template that does not exist, --today without --follow-ups.
    QCOMPARE(runCli({"send", m_database, "--template", "Reminder"}).status, 1);
    QCOMPARE(runCli({"send", m_database, "--template", "Nope", "--ids", m_jurgen}).status, 1);
    QCOMPARE(
        runCli({"send", m_database, "--template", "Reminder", "--ids", m_jurgen, "--today", "2026-12-01"})
            .status,
        1);
    // No account in the preferences: the sender is missing.
    CliRun run =
        runCli({"send", m_database, "--template", "Reminder", "--ids", m_jurgen}, CliOptions().at(fresh));
    QCOMPARE(run.status, 2);
    QVERIFY(run.err.contains("--from"));
    // An unencrypted server elsewhere is refused before anything is sent.
    run = runCli({"send", m_database, "--template", "Reminder", "--ids", m_jurgen, "--smtp",
                  "smtp://ann@mail.example.org", "--from", "zoe@example.org"},
                 CliOptions().at(fresh));
    QCOMPARE(run.status, 2);
    QVERIFY(run.err.contains("STARTTLS"));
    // No password in the environment and no keyring to ask.
    qunsetenv("QUILLMARSH_SMTP_PASSWORD");
    const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + m_folder.filePath("no-bus").toUtf8());
    run = runCli({"send", m_database, "--template", "Reminder", "--ids", m_jurgen, "--smtp",
                  "smtp://ann@127.0.0.1:9", "--from", "zoe@example.org"},
                 CliOptions().at(fresh));
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
    QCOMPARE(run.status, 2);
    QVERIFY(run.err.contains("QUILLMARSH_SMTP_PASSWORD"));
}

QTEST_GUILESS_MAIN(TestMailCommands)
#include "tst_mailcommands.moc"
