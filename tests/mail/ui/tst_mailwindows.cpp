#include "DatabaseBuilder.h"
#include "MailTestServers.h"
#include "document/AccessibilityCheck.h"
#include "document/DocumentFixture.h"

#include "document/DocumentMenus.h"
#include "document/DocumentUndo.h"
#include "document/LinkCommands.h"
#include "document/MailCommands.h"
#include "mail/MailSendWorker.h"
#include "mail/MessageLog.h"
#include "mail/MessageLogThread.h"
#include "mail/ui/LinkMessagesView.h"
#include "mail/ui/MailPreferencesPage.h"
#include "mail/ui/OutboxWindow.h"
#include "mail/ui/SendMessagesDialog.h"
#include "model/Link.h"
#include "model/PasswordStore.h"
#include "model/Preferences.h"

#include "workflow/ui/LinkDialogController.h"
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>

// The mail windows against real servers on 127.0.0.1 (aiosmtpd) and a keyring on a private bus.
class TestMailWindows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void preferencesPageKeepsAccountAndPasswordApart();
    void sendSheetPreviewsSendsAndSkips();
    void messagesTabAndOutboxListTheLog();
    void sheetStopsResumesAndReportsRefusals();
    void documentSendsMovesNewPartnersInOneStepAndQueuesLosses();

private:
    QTemporaryDir m_folder;
    KeyringTestSession m_keyring; // kept to the end: GLib ends a process whose bus goes away
};

namespace {

template <typename T> T *child(QWidget *parent, const char *name)
{
    T *found = parent->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no %s", name);
    return found;
}

} // namespace

void TestMailWindows::initTestCase()
{
    QVERIFY(m_folder.isValid());
    Preferences::useSettingsFile(m_folder.filePath(QStringLiteral("settings.ini")));
    QString error;
    QVERIFY2(m_keyring.start(&error), qPrintable(error));
}

void TestMailWindows::preferencesPageKeepsAccountAndPasswordApart()
{
    SmtpTestServer server;
    QString error;
    QVERIFY2(server.start(SmtpTestServer::Mode::StartTls, &error), qPrintable(error));

    MailPreferences stored;
    stored.account.sender = {QStringLiteral("Zoë Müller"), QStringLiteral("zoe@example.org")};
    stored.account.smtp = {MailServer::Protocol::Smtp, QStringLiteral("127.0.0.1"), server.port(),
                           MailSecurity::StartTls,     SmtpTestServer::User,        server.fingerprint()};
    stored.write();

    MailPreferencesPage page;
    page.setValues(MailPreferences::current());
    QVERIFY2(AccessibilityCheck::unnamedInputs(&page).isEmpty(),
             qPrintable(AccessibilityCheck::unnamedInputs(&page).join(u' ')));
    child<QLineEdit>(&page, "smtpPasswordField")->setText(SmtpTestServer::Password);
    child<QLineEdit>(&page, "imapHostField")->setText(QStringLiteral("imap.example.org"));
    child<QLineEdit>(&page, "imapFoldersField")->setText(QStringLiteral("INBOX, Partners ,"));
    child<QComboBox>(&page, "sendWithPopup")->setCurrentIndex(MailPreferences::Application);

    // The test message goes with the typed password, off the GUI thread, through the certificate
    // accepted for this server.
    QSignalSpy tested(&page, &MailPreferencesPage::testFinished);
    QTest::mouseClick(child<QAbstractButton>(&page, "testButton"), Qt::LeftButton);
    QVERIFY(tested.wait(20000));
    QVERIFY2(tested.first().at(0).toBool(), qPrintable(tested.first().at(1).toString()));
    QCOMPARE(server.messages().size(), 1);
    QCOMPARE(server.recipients().first(), QStringList{QStringLiteral("zoe@example.org")});

    page.values().write();
    QSignalSpy stores(&page, &MailPreferencesPage::passwordsStored);
    page.storePasswords();
    QVERIFY(stores.count() == 1 || stores.wait(10000));

    const MailPreferences read = MailPreferences::current();
    QCOMPARE(read.account.sender, stored.account.sender);
    QCOMPARE(read.account.smtp.acceptedCertificate, server.fingerprint());
    QCOMPARE(read.account.imap.host, QStringLiteral("imap.example.org"));
    QCOMPARE(read.account.folders, (QStringList{QStringLiteral("INBOX"), QStringLiteral("Partners")}));
    QCOMPARE(read.sendWith, int(MailPreferences::Application));
    PasswordStore::forgetSessionPasswords();
    QCOMPARE(PasswordStore::readNow(read.account.smtp.passwordKey()).password, SmtpTestServer::Password);
    QFile settings(m_folder.filePath(QStringLiteral("settings.ini")));
    QVERIFY(settings.open(QIODevice::ReadOnly));
    QVERIFY(!settings.readAll().contains(SmtpTestServer::Password.toUtf8()));

    // Another server drops the certificate accepted for the first; an empty field keeps the password.
    page.setValues(read);
    QVERIFY(child<QLineEdit>(&page, "smtpPasswordField")->text().isEmpty());
    child<QSpinBox>(&page, "smtpPortField")->setValue(server.port() + 1);
    QVERIFY(page.values().account.smtp.acceptedCertificate.isEmpty());
}

void TestMailWindows::sendSheetPreviewsSendsAndSkips()
{
    SmtpTestServer server;
    QString error;
    QVERIFY2(server.start(SmtpTestServer::Mode::Plain, &error), qPrintable(error));

    DatabaseBuilder database;
    database.emailTemplate(QStringLiteral("Proposal"), QStringLiteral("Links with #TITLE#"),
                           QStringLiteral("Hello #CONTACT_FIRST_NAME#,\nshall we trade links?"));
    QStringList ids;
    auto add = [&](const QString &title, const QString &first, const QString &email) {
        LinkFields fields;
        fields.title = title;
        fields.contactFirstName = first;
        fields.contactEmail = email;
        fields.status = LinkStatusNew;
        database.link(fields);
        ids << database.lastLink()->ID();
    };
    add(QStringLiteral("Gärten & Höfe"), QStringLiteral("Jürgen"), QStringLiteral("juergen@example.org"));
    add(QStringLiteral("No Address"), QStringLiteral("Nobody"), QString());
    add(QStringLiteral("Bob's Bikes"), QStringLiteral("Bob"), QStringLiteral("bob@example.org"));
    const QString path = m_folder.filePath(QStringLiteral("sheet.site"));
    MessageLogThread log(path);

    SendMessagesDialog sheet(database.store(), ids, path, &log);
    MailAccount account;
    account.sender = {QStringLiteral("Zoë"), QStringLiteral("zoe@example.org")};
    account.smtp = {MailServer::Protocol::Smtp,
                    QStringLiteral("127.0.0.1"),
                    server.port(),
                    MailSecurity::None,
                    QString(),
                    QString()};
    sheet.setAccount(account);
    sheet.setPace(0);
    QVERIFY2(AccessibilityCheck::unnamedInputs(&sheet).isEmpty(),
             qPrintable(AccessibilityCheck::unnamedInputs(&sheet).join(u' ')));

    auto *recipients = child<QTreeWidget>(&sheet, "recipientsList");
    QCOMPARE(recipients->topLevelItemCount(), 3);
    QCOMPARE(recipients->topLevelItem(1)->text(2), QStringLiteral("Skipped: no address"));
    const QString preview = child<QPlainTextEdit>(&sheet, "previewField")->toPlainText();
    QVERIFY2(preview.contains(QStringLiteral("Subject: Links with Gärten & Höfe")), qPrintable(preview));
    QVERIFY(preview.contains(QStringLiteral("Hello Jürgen,")));
    recipients->setCurrentItem(recipients->topLevelItem(2));
    QVERIFY(
        child<QPlainTextEdit>(&sheet, "previewField")->toPlainText().contains(QStringLiteral("Hello Bob,")));

    QSignalSpy finished(&sheet, &SendMessagesDialog::batchFinished);
    QTest::mouseClick(child<QAbstractButton>(&sheet, "sendButton"), Qt::LeftButton);
    QVERIFY(finished.wait(20000));
    QCOMPARE(finished.first().at(0).toBool(), false);
    QCOMPARE(server.recipients(), (QList<QStringList>{{QStringLiteral("juergen@example.org")},
                                                      {QStringLiteral("bob@example.org")}}));
    QVERIFY(server.messages().first().contains("Hello J=C3=BCrgen,"));
    QCOMPARE(sheet.sentLinkIDs(), (QStringList{ids.at(0), ids.at(2)}));
    QVERIFY(sheet.movesNewToNegotiating());
    QCOMPARE(recipients->topLevelItem(0)->text(2), QStringLiteral("Sent"));

    // Sending again from the same sheet writes to nobody twice.
    QTest::mouseClick(child<QAbstractButton>(&sheet, "sendButton"), Qt::LeftButton);
    QTRY_VERIFY(child<QLabel>(&sheet, "statusField")->text().contains(QStringLiteral("Nothing left")));
    QCOMPARE(server.messages().size(), 2);

    MessageLog reader(path);
    const std::optional<QList<LoggedMessage>> logged = reader.messages();
    QVERIFY(logged);
    QCOMPARE(logged->size(), 2);
    for (const LoggedMessage &message : *logged) {
        QCOMPARE(message.state, LoggedMessage::State::Sent);
        QCOMPARE(message.templateName, QStringLiteral("Proposal"));
    }
}

void TestMailWindows::messagesTabAndOutboxListTheLog()
{
    DatabaseBuilder database;
    database.link(QStringLiteral("Partner"));
    const QString linkID = database.lastLink()->ID();
    const QString path = m_folder.filePath(QStringLiteral("outbox.site"));
    {
        MessageLog writer(path);
        LoggedMessage message;
        message.linkID = linkID;
        message.toAddress = QStringLiteral("ann@example.org");
        message.createdAt = QDateTime::currentDateTimeUtc();
        message.subject = QStringLiteral("Sent one");
        const qint64 sent = *writer.add(message);
        QVERIFY(writer.markSent(sent, QStringLiteral("1@example.org"), QDateTime::currentDateTimeUtc()));
        message.subject = QStringLiteral("Failed one");
        const qint64 failed = *writer.add(message);
        QVERIFY(writer.markFailed(failed, QStringLiteral("550 User unknown")));
        message.subject = QStringLiteral("Lost link");
        message.kind = LoggedMessage::Kind::LostLink;
        QVERIFY(writer.add(message));
        message.linkID = QStringLiteral("another");
        message.subject = QStringLiteral("Not this partner's");
        QVERIFY(writer.markSent(*writer.add(message), QStringLiteral("2@example.org"),
                                QDateTime::currentDateTimeUtc()));
    }
    MessageLogThread log(path);

    LinkMessagesView tab;
    QSignalSpy tabLoaded(&tab, &LinkMessagesView::loaded);
    tab.showLink(&log, linkID);
    tab.show();
    QVERIFY(tabLoaded.wait(10000));
    QVERIFY(AccessibilityCheck::unnamedInputs(&tab).isEmpty());
    QTreeWidget *messages = tab.list();
    QCOMPARE(messages->topLevelItemCount(), 3);
    QStringList subjects;
    for (int i = 0; i < messages->topLevelItemCount(); ++i)
        subjects << messages->topLevelItem(i)->text(2) + u'/' + messages->topLevelItem(i)->text(3);
    QVERIFY2(subjects.contains(QStringLiteral("Failed one/Failed: 550 User unknown")),
             qPrintable(subjects.join(u';')));
    QVERIFY(subjects.contains(QStringLiteral("Sent one/Sent")));

    OutboxWindow outbox(database.store(), path, &log);
    QSignalSpy outboxLoaded(&outbox, &OutboxWindow::loaded);
    outbox.reload();
    QVERIFY(outboxLoaded.wait(10000));
    QVERIFY(AccessibilityCheck::unnamedInputs(&outbox).isEmpty());
    QTreeWidget *waiting = outbox.list();
    QCOMPARE(waiting->topLevelItemCount(), 2);
    QCOMPARE(waiting->topLevelItem(0)->text(2), QStringLiteral("Failed one"));
    QVERIFY(waiting->topLevelItem(0)->text(3).contains(QStringLiteral("550 User unknown")));
    QCOMPARE(waiting->topLevelItem(1)->text(0), QStringLiteral("Lost link"));

    // Delete discards the queued one; the sent messages stay in the log.
    waiting->topLevelItem(1)->setSelected(true);
    QTest::mouseClick(child<QAbstractButton>(&outbox, "deleteButton"), Qt::LeftButton);
    QVERIFY(outboxLoaded.wait(10000));
    QCOMPARE(waiting->topLevelItemCount(), 1);
    tab.reload();
    QVERIFY(tabLoaded.wait(10000));
    QCOMPARE(messages->topLevelItemCount(), 2);
}

void TestMailWindows::sheetStopsResumesAndReportsRefusals()
{
    SmtpTestServer server;
    QString error;
    QVERIFY2(server.start(SmtpTestServer::Mode::Plain, &error), qPrintable(error));
    DatabaseBuilder database;
    database.emailTemplate(QStringLiteral("Hello"), QStringLiteral("Hi #TITLE#"), QStringLiteral("Hi."));
    QStringList ids;
    for (const QString &email : {QStringLiteral("a@example.org"), QStringLiteral("refused@example.org"),
                                 QStringLiteral("c@example.org")}) {
        LinkFields fields;
        fields.title = email.section(u'@', 0, 0);
        fields.contactEmail = email;
        database.link(fields);
        ids << database.lastLink()->ID();
    }
    const QString path = m_folder.filePath(QStringLiteral("resume.site"));
    MessageLogThread log(path);
    SendMessagesDialog sheet(database.store(), ids, path, &log);
    MailAccount account;
    account.sender = {QStringLiteral("Zoë"), QStringLiteral("zoe@example.org")};
    account.smtp = {MailServer::Protocol::Smtp,
                    QStringLiteral("127.0.0.1"),
                    server.port(),
                    MailSecurity::None,
                    QString(),
                    QString()};
    sheet.setAccount(account);
    sheet.setPace(30); // two seconds apart: time to stop after the first
    auto *worker = sheet.findChild<MailSendWorker *>();
    QSignalSpy sent(worker, &MailSendWorker::messageSent);
    QSignalSpy finished(&sheet, &SendMessagesDialog::batchFinished);
    sheet.send();
    QVERIFY(sent.wait(20000));
    sheet.stop();
    QVERIFY(finished.wait(20000));
    QCOMPARE(finished.last().at(0).toBool(), true);
    QCOMPARE(server.messages().size(), 1);
    auto *sendButton = child<QAbstractButton>(&sheet, "sendButton");
    QCOMPARE(sendButton->text(), QStringLiteral("&Resume"));

    sheet.setPace(0);
    QTest::mouseClick(sendButton, Qt::LeftButton);
    QVERIFY(finished.wait(20000));
    QCOMPARE(finished.last().at(0).toBool(), false);
    // The rest went once each; the refused one is listed with the server's answer.
    QCOMPARE(server.recipients(),
             (QList<QStringList>{{QStringLiteral("a@example.org")}, {QStringLiteral("c@example.org")}}));
    const QString refused = child<QTreeWidget>(&sheet, "recipientsList")->topLevelItem(1)->text(2);
    QVERIFY2(refused.contains(QStringLiteral("550")), qPrintable(refused));
    QCOMPARE(sheet.sentLinkIDs(), (QStringList{ids.at(0), ids.at(2)}));
    MessageLog reader(path);
    QCOMPARE(reader.outbox()->size(), 1);
    QCOMPARE(reader.outbox()->first().state, LoggedMessage::State::Failed);
}

void TestMailWindows::documentSendsMovesNewPartnersInOneStepAndQueuesLosses()
{
    SmtpTestServer server;
    QString error;
    QVERIFY2(server.start(SmtpTestServer::Mode::Plain, &error), qPrintable(error));
    DocumentFixture fixture;
    MailPreferences preferences;
    preferences.account.sender = {QStringLiteral("Zoë"), QStringLiteral("zoe@example.org")};
    preferences.account.smtp = {MailServer::Protocol::Smtp,
                                QStringLiteral("127.0.0.1"),
                                server.port(),
                                MailSecurity::None,
                                QString(),
                                QString()};
    preferences.sendWith = MailPreferences::Application;
    preferences.pace = 0;
    preferences.write();

    DatabaseBuilder database;
    database.emailTemplate(QStringLiteral("Proposal"), QStringLiteral("Links?"),
                           QStringLiteral("Hi #TITLE#"));
    database.emailTemplate(QStringLiteral("Your link to us is missing"), QStringLiteral("Missing"),
                           QStringLiteral("Our link on #TITLE# is gone."));
    auto add = [&](const QString &title, LinkStatus status, const QString &email) {
        LinkFields fields;
        fields.title = title;
        fields.status = status;
        fields.contactEmail = email;
        database.link(fields);
        return database.lastLink()->ID();
    };
    const QString newOne = add(QStringLiteral("New One"), LinkStatusNew, QStringLiteral("new@example.org"));
    const QString approved =
        add(QStringLiteral("Approved"), LinkStatusApproved, QStringLiteral("ok@example.org"));
    const QString silent = add(QStringLiteral("Silent"), LinkStatusNew, QString());
    MyDocument *document = fixture.open(database);
    QVERIFY(document);
    DocumentFixture::selectLinks(
        document, {QStringLiteral("New One"), QStringLiteral("Approved"), QStringLiteral("Silent")});
    document->validateMenuItems();
    auto *mail = document->commandArea<MailCommands>();
    QVERIFY(document->menus()->sendMessageToSelectedLinks->isEnabled());
    document->menus()->sendMessageToSelectedLinks->trigger();
    SendMessagesDialog *sheet = mail->sendSheet();
    QVERIFY(sheet);
    QSignalSpy finished(sheet, &SendMessagesDialog::batchFinished);
    sheet->send();
    QVERIFY(finished.wait(20000));
    QCOMPARE(server.messages().size(), 2);
    const int undoSteps = document->undo()->stack()->count();
    sheet->reject();
    const CollectionManager &store = document->collectionManager();
    QCOMPARE(store.linkWithID(newOne)->status(), LinkStatusNegotiating);
    QCOMPARE(store.linkWithID(approved)->status(), LinkStatusApproved);
    QCOMPARE(store.linkWithID(silent)->status(), LinkStatusNew); // nothing went to it
    QCOMPARE(document->undo()->stack()->count(), undoSteps + 1);
    document->undo()->stack()->undo();
    QCOMPARE(store.linkWithID(newOne)->status(), LinkStatusNew);

    // The link editor's Messages tab shows what went to the partner.
    DocumentFixture::selectLinks(document, {QStringLiteral("Approved")});
    document->menus()->editLink->trigger();
    LinkCommands *links = document->commandArea<LinkCommands>();
    QSignalSpy tabLoaded(links->messagesView(), &LinkMessagesView::loaded);
    links->linkDialog()->tabView()->setCurrentWidget(links->messagesView());
    QVERIFY(tabLoaded.count() > 0 || tabLoaded.wait(10000));
    QCOMPARE(links->messagesView()->list()->topLevelItemCount(), 1);
    QCOMPARE(links->messagesView()->list()->topLevelItem(0)->text(1), QStringLiteral("ok@example.org"));
    links->linkDialog()->reject();

    // A loss queues its message once, however often it is reported; a partner without an address
    // gets none.
    LinkChange lost;
    lost.kind = LinkChange::Lost;
    lost.since = QDateTime::currentDateTimeUtc();
    QList<LinkChange> changes;
    for (const QString &id : {approved, silent}) {
        lost.linkID = id;
        changes << lost;
    }
    mail->queueLostLinkMessages(changes);
    mail->queueLostLinkMessages(changes);
    document->menus()->showOutbox->trigger();
    OutboxWindow *outbox = mail->outbox();
    QVERIFY(outbox);
    QVERIFY(AccessibilityCheck::unnamedInputs(outbox).isEmpty());
    QTRY_COMPARE(outbox->list()->topLevelItemCount(), 1);
    QCOMPARE(outbox->list()->topLevelItem(0)->text(2), QStringLiteral("Missing"));
    QCOMPARE(server.messages().size(), 2); // reviewed first: nothing went by itself
}

QTEST_MAIN(TestMailWindows)
#include "tst_mailwindows.moc"
