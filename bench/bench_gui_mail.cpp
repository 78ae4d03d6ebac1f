// How long the window's event loop stops answering while the send sheet sends to 100 partners through
// the local test SMTP server (STARTTLS and a login, the pace off), the message log being written as
// the messages go. A timer asks to run every 5 ms on the GUI thread; the longest gap between two of its
// turns is the longest the window could not answer. The same again for the Outbox, listing and sending
// as many messages queued anew.
//
// usage: bench_gui_mail [PARTNERS]   (default 100; runs offscreen unless a platform is chosen)
#include "DatabaseBuilder.h"
#include "MailTestServers.h"
#include "StallWatchdog.h"

#include "gui/MessageBox.h"
#include "mail/MessageLog.h"
#include "mail/MessageLogThread.h"
#include "mail/ui/OutboxWindow.h"
#include "mail/ui/SendMessagesDialog.h"
#include "model/Link.h"
#include "model/PasswordStore.h"
#include "model/Preferences.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int partners = argc > 1 ? std::max(1, atoi(argv[1])) : 100;
    QTemporaryDir folder;
    Preferences::useSettingsFile(folder.filePath(QStringLiteral("settings.ini")));
    MessageBox::setScripted(true);
    QString error;
    SmtpTestServer smtp;
    if (!smtp.start(SmtpTestServer::Mode::StartTls, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    MailAccount account;
    account.sender = {QStringLiteral("Zoë Müller"), QStringLiteral("zoe@example.org")};
    account.smtp = {MailServer::Protocol::Smtp, QStringLiteral("127.0.0.1"), smtp.port(),
                    MailSecurity::StartTls,     SmtpTestServer::User,        smtp.fingerprint()};
    PasswordStore::setSessionPassword(account.smtp.passwordKey(), SmtpTestServer::Password);

    DatabaseBuilder database;
    database.emailTemplate(
        QStringLiteral("Linktausch"), QStringLiteral("Linktausch mit „#TITLE#“"),
        QStringLiteral("Hallo #CONTACT_FIRST_NAME#,\n\nich würde gern Links tauschen.\n").repeated(8));
    QStringList ids;
    for (int i = 0; i < partners; ++i) {
        LinkFields fields;
        fields.title = QStringLiteral("Gärten & Höfe %1").arg(i);
        fields.contactFirstName = QStringLiteral("Jürgen");
        fields.contactEmail = QStringLiteral("partner%1@partner%2.example").arg(i).arg(i % 97);
        database.link(fields);
        ids << database.lastLink()->ID();
    }
    const QString path = folder.filePath(QStringLiteral("bench.site"));
    MessageLogThread log(path);

    SendMessagesDialog sheet(database.store(), ids, path, &log);
    sheet.setAccount(account);
    sheet.setPace(0);
    sheet.show();
    QSignalSpy finished(&sheet, &SendMessagesDialog::batchFinished);
    QElapsedTimer timer;
    timer.start();
    sheet.send();
    const qint64 sheetStall = longestStallWhile([&] { return finished.count() > 0; }, 120000);
    const double sheetSeconds = timer.elapsed() / 1000.0;
    if (finished.isEmpty()) {
        std::fprintf(stderr, "the sheet did not finish\n");
        return 1;
    }
    std::printf("send sheet: %d messages in %.2f s, %lld sent; longest event-loop gap %lld ms\n", partners,
                sheetSeconds, qint64(smtp.messages().size()), sheetStall);

    // The Outbox reads the whole log and sends what waits: the messages are queued again for it.
    {
        MessageLog writer(path);
        QList<LoggedMessage> again;
        for (LoggedMessage message : writer.messages().value_or(QList<LoggedMessage>())) {
            message.state = LoggedMessage::State::Queued;
            again.append(message);
        }
        writer.add(again);
    }
    OutboxWindow outbox(database.store(), path, &log);
    outbox.setAccount(account);
    outbox.show();
    QSignalSpy loaded(&outbox, &OutboxWindow::loaded);
    QSignalSpy sent(&outbox, &OutboxWindow::sendingFinished);
    timer.restart();
    outbox.reload();
    const qint64 loadStall = longestStallWhile([&] { return loaded.count() > 0; }, 60000);
    const int listed = outbox.list()->topLevelItemCount();
    outbox.list()->selectAll();
    outbox.sendSelected();
    const qint64 outboxStall = longestStallWhile([&] { return sent.count() > 0; }, 120000);
    std::printf("outbox: %d messages listed and sent in %.2f s, %lld sent in all; longest event-loop gap "
                "%lld ms listing, %lld ms sending\n",
                listed, timer.elapsed() / 1000.0, qint64(smtp.messages().size()), loadStall, outboxStall);
    return sent.isEmpty() ? 1 : 0;
}
