#include "DatabaseBuilder.h"
#include "MailTestServers.h"
#include "document/AccessibilityCheck.h"
#include "document/DocumentFixture.h"

#include "document/DetailsView.h"
#include "document/DocumentMenus.h"
#include "document/DocumentUndo.h"
#include "document/LinkCommands.h"
#include "document/LinkListController.h"
#include "document/LinkListModel.h"
#include "document/MailCommands.h"
#include "gui/FittedLabel.h"
#include "gui/MessageBox.h"
#include "mail/MailSendWorker.h"
#include "mail/MessageLog.h"
#include "mail/MessageLogThread.h"
#include "mail/ui/LinkMessagesView.h"
#include "mail/ui/MailPreferencesPage.h"
#include "mail/ui/OutboxWindow.h"
#include "mail/ui/SendMessagesDialog.h"
#include "model/Clock.h"
#include "model/EmailTemplate.h"
#include "model/EmailTemplateList.h"
#include "model/Link.h"
#include "model/PasswordStore.h"
#include "model/Preferences.h"
#include "model/TemplateFollowUp.h"

#include "workflow/ui/LinkDialogController.h"
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
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
    void outboxEditsAFailedMessageAndTheOpenTabFollows();
    void followUpsFallDueWithTheClock();
    void sheetAndOutboxOfferTheServersCertificate();
    void checkForRepliesMarksRepliedForListAndDetails();

private:
    QTemporaryDir m_folder;
    KeyringTestSession m_keyring; // kept to the end: GLib ends a process whose bus goes away
};

namespace {

// A server on this machine without TLS, as the tests send through.
MailAccount plainAccount(const SmtpTestServer &server)
{
    MailAccount account;
    account.sender = {QStringLiteral("Zoë"), QStringLiteral("zoe@example.org")};
    account.smtp = {MailServer::Protocol::Smtp,
                    QStringLiteral("127.0.0.1"),
                    server.port(),
                    MailSecurity::None,
                    QString(),
                    QString()};
    return account;
}

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
    QVERIFY(document->menus()->action(ActionId::SendMessageToSelectedLinks)->isEnabled());
    document->menus()->action(ActionId::SendMessageToSelectedLinks)->trigger();
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
    document->menus()->action(ActionId::EditLink)->trigger();
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
    document->menus()->action(ActionId::ShowOutbox)->trigger();
    OutboxWindow *outbox = mail->outbox();
    QVERIFY(outbox);
    QVERIFY(AccessibilityCheck::unnamedInputs(outbox).isEmpty());
    QTRY_COMPARE(outbox->list()->topLevelItemCount(), 1);
    QCOMPARE(outbox->list()->topLevelItem(0)->text(2), QStringLiteral("Missing"));
    QCOMPARE(server.messages().size(), 2); // reviewed first: nothing went by itself
}

void TestMailWindows::outboxEditsAFailedMessageAndTheOpenTabFollows()
{
    SmtpTestServer server;
    QString error;
    QVERIFY2(server.start(SmtpTestServer::Mode::Plain, &error), qPrintable(error));
    DatabaseBuilder database;
    database.link(QStringLiteral("Partner"));
    const QString linkID = database.lastLink()->ID();
    const QString path = m_folder.filePath(QStringLiteral("edit.site"));
    {
        MessageLog writer(path);
        LoggedMessage message;
        message.linkID = linkID;
        message.toAddress = QStringLiteral("refused@example.org");
        message.createdAt = QDateTime::currentDateTimeUtc();
        message.subject = QStringLiteral("Old subject");
        message.body = QStringLiteral("Hello.");
        QVERIFY(writer.markFailed(*writer.add(message), QStringLiteral("550 User unknown")));
    }
    MessageLogThread log(path);
    LinkMessagesView tab;
    QSignalSpy tabLoaded(&tab, &LinkMessagesView::loaded);
    tab.showLink(&log, linkID);
    tab.show();
    QVERIFY(tabLoaded.wait(10000));
    QTreeWidget *messages = tab.list();

    OutboxWindow outbox(database.store(), path, &log);
    outbox.setAccount(plainAccount(server));
    QSignalSpy loaded(&outbox, &OutboxWindow::loaded);
    outbox.reload();
    QVERIFY(loaded.wait(10000));
    QCOMPARE(outbox.list()->topLevelItemCount(), 1);
    outbox.list()->topLevelItem(0)->setSelected(true);
    // The editor is modal: it is filled in once it is up.
    QTimer::singleShot(0, this, [] {
        auto *editor = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(editor);
        child<QLineEdit>(editor, "toField")->setText(QStringLiteral(" fixed@example.org "));
        child<QLineEdit>(editor, "subjectField")->setText(QStringLiteral("New subject"));
        editor->accept();
    });
    QTest::mouseClick(child<QAbstractButton>(&outbox, "editButton"), Qt::LeftButton);
    QVERIFY(loaded.wait(10000));
    QCOMPARE(outbox.list()->topLevelItem(0)->text(2), QStringLiteral("New subject"));
    // The open tab follows the log without being asked, through the edit and the sending.
    QTRY_COMPARE(messages->topLevelItem(0)->text(2), QStringLiteral("New subject"));

    outbox.list()->topLevelItem(0)->setSelected(true);
    QSignalSpy sent(&outbox, &OutboxWindow::sendingFinished);
    QTest::mouseClick(child<QAbstractButton>(&outbox, "sendButton"), Qt::LeftButton);
    QVERIFY(sent.wait(20000));
    QCOMPARE(server.recipients(), QList<QStringList>{{QStringLiteral("fixed@example.org")}});
    QVERIFY(server.messages().first().contains("Subject: New subject"));
    QTRY_COMPARE(messages->topLevelItem(0)->text(3), QStringLiteral("Sent"));
    QTRY_COMPARE(outbox.list()->topLevelItemCount(), 0);
}

void TestMailWindows::followUpsFallDueWithTheClock()
{
    SmtpTestServer server;
    QString error;
    QVERIFY2(server.start(SmtpTestServer::Mode::Plain, &error), qPrintable(error));
    DatabaseBuilder database;
    database.emailTemplate(QStringLiteral("Proposal"), QStringLiteral("Links?"),
                           QStringLiteral("Hi #TITLE#"));
    database.emailTemplate(QStringLiteral("Reminder"), QStringLiteral("Still interested?"),
                           QStringLiteral("Hello again, #TITLE#"));
    CollectionManager &store = database.store();
    const QString proposal =
        store.emailTemplateList().emailTemplateWithName(QStringLiteral("Proposal"))->ID();
    const QString reminder =
        store.emailTemplateList().emailTemplateWithName(QStringLiteral("Reminder"))->ID();
    TemplateFollowUp::set(store, proposal, TemplateFollowUp{reminder, 5});
    LinkFields fields;
    fields.title = QStringLiteral("Partner");
    fields.contactEmail = QStringLiteral("partner@example.org");
    database.link(fields);
    const QString path = m_folder.filePath(QStringLiteral("followups.site"));
    const QDateTime sentAt(QDate(2026, 12, 1), QTime(10, 0));
    {
        MessageLog writer(path);
        LoggedMessage first;
        first.linkID = database.lastLink()->ID();
        first.toAddress = fields.contactEmail;
        first.subject = QStringLiteral("Links?");
        first.templateID = proposal;
        first.createdAt = sentAt;
        QVERIFY(writer.markSent(*writer.add(first), QStringLiteral("first@example.org"), sentAt));
    }
    MessageLogThread log(path);
    OutboxWindow outbox(store, path, &log);
    outbox.setAccount(plainAccount(server));
    QSignalSpy loaded(&outbox, &OutboxWindow::loaded);
    {
        const Clock::Fixed dayBefore(sentAt.addDays(4));
        outbox.reload();
        QVERIFY(loaded.wait(10000));
        QCOMPARE(outbox.list()->topLevelItemCount(), 0);
    }
    const Clock::Fixed dueDay(sentAt.addDays(5));
    outbox.reload();
    QVERIFY(loaded.wait(10000));
    QCOMPARE(outbox.list()->topLevelItemCount(), 1);
    const QTreeWidgetItem *due = outbox.list()->topLevelItem(0);
    QCOMPARE(due->text(0), QStringLiteral("Follow-up 1"));
    QCOMPARE(due->text(2), QStringLiteral("Still interested?"));
    QCOMPARE(due->text(3), QStringLiteral("Due"));

    // Sent, it answers the first message's thread and is due no more.
    outbox.list()->topLevelItem(0)->setSelected(true);
    QSignalSpy sent(&outbox, &OutboxWindow::sendingFinished);
    QTest::mouseClick(child<QAbstractButton>(&outbox, "sendButton"), Qt::LeftButton);
    QVERIFY(sent.wait(20000));
    QCOMPARE(server.messages().size(), 1);
    QVERIFY(server.messages().first().contains("In-Reply-To: <first@example.org>"));
    QTRY_COMPARE(outbox.list()->topLevelItemCount(), 0);
}

void TestMailWindows::sheetAndOutboxOfferTheServersCertificate()
{
    SmtpTestServer server;
    QString error;
    QVERIFY2(server.start(SmtpTestServer::Mode::StartTls, &error), qPrintable(error));
    MailPreferences preferences;
    preferences.account.sender = {QStringLiteral("Zoë"), QStringLiteral("zoe@example.org")};
    preferences.account.smtp = {MailServer::Protocol::Smtp, QStringLiteral("127.0.0.1"), server.port(),
                                MailSecurity::StartTls,     SmtpTestServer::User,        QString()};
    preferences.write();
    PasswordStore::setSessionPassword(preferences.account.smtp.passwordKey(), SmtpTestServer::Password);
    MessageBox::setScripted(true);
    MessageBox::clearShownAlerts();

    DatabaseBuilder database;
    database.emailTemplate(QStringLiteral("Hello"), QStringLiteral("Hi #TITLE#"), QStringLiteral("Hi."));
    QStringList ids;
    for (const QString &email : {QStringLiteral("a@example.org"), QStringLiteral("b@example.org")}) {
        LinkFields fields;
        fields.title = email.section(u'@', 0, 0);
        fields.contactEmail = email;
        database.link(fields);
        ids << database.lastLink()->ID();
    }
    const QString path = m_folder.filePath(QStringLiteral("certificate.site"));
    MessageLogThread log(path);

    // Refused: the message stays failed with the reason, and nothing is pinned.
    {
        SendMessagesDialog sheet(database.store(), {ids.at(0)}, path, &log);
        sheet.setAccount(MailAccount::fromPreferences());
        sheet.setPace(0);
        MessageBox::setNextAnswer(0);
        QSignalSpy finished(&sheet, &SendMessagesDialog::batchFinished);
        sheet.send();
        QVERIFY(finished.wait(20000));
        QCOMPARE(MessageBox::shownAlerts().size(), 1);
        QVERIFY2(MessageBox::shownAlerts().first().message.contains(server.fingerprint()),
                 qPrintable(MessageBox::shownAlerts().first().message));
        const QString state = child<QTreeWidget>(&sheet, "recipientsList")->topLevelItem(0)->text(2);
        QVERIFY2(state.startsWith(QStringLiteral("Failed: ")) && state.contains(server.fingerprint()),
                 qPrintable(state));
        QVERIFY(server.messages().isEmpty());
        QVERIFY(MailAccount::fromPreferences().smtp.acceptedCertificate.isEmpty());
    }
    // Accepted from the Outbox: the failed message goes, and the certificate is pinned for the account.
    {
        OutboxWindow outbox(database.store(), path, &log);
        outbox.setAccount(MailAccount::fromPreferences());
        QSignalSpy loaded(&outbox, &OutboxWindow::loaded);
        outbox.reload();
        QVERIFY(loaded.wait(10000));
        QCOMPARE(outbox.list()->topLevelItemCount(), 1);
        outbox.list()->topLevelItem(0)->setSelected(true);
        MessageBox::setNextAnswer(1);
        QSignalSpy done(&outbox, &OutboxWindow::sendingFinished);
        outbox.sendSelected();
        QVERIFY(done.wait(30000));
        QCOMPARE(server.recipients(), QList<QStringList>{{QStringLiteral("a@example.org")}});
        QCOMPARE(MailAccount::fromPreferences().smtp.acceptedCertificate, server.fingerprint());
        QCOMPARE(MessageLog(path).outbox()->size(), 0);
    }
    // Accepted from the sheet: the refused message goes again at once.
    {
        SendMessagesDialog sheet(database.store(), {ids.at(1)}, path, &log);
        MailAccount account = MailAccount::fromPreferences();
        account.smtp.acceptedCertificate.clear();
        sheet.setAccount(account);
        sheet.setPace(0);
        MessageBox::setNextAnswer(1);
        QSignalSpy finished(&sheet, &SendMessagesDialog::batchFinished);
        sheet.send();
        QVERIFY(finished.wait(30000));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(server.recipients().size(), 2);
        QCOMPARE(sheet.sentLinkIDs(), QStringList{ids.at(1)});
        QCOMPARE(child<QTreeWidget>(&sheet, "recipientsList")->topLevelItem(0)->text(2),
                 QStringLiteral("Sent"));
    }
    MessageBox::setScripted(false);
}

void TestMailWindows::checkForRepliesMarksRepliedForListAndDetails()
{
    ImapTestServer imap;
    QString error;
    QVERIFY2(imap.start(&error), qPrintable(error));
    DocumentFixture fixture;
    MailPreferences preferences;
    preferences.account.sender = {QStringLiteral("Zoë"), QStringLiteral("zoe@example.org")};
    preferences.account.imap = {MailServer::Protocol::Imap, QStringLiteral("127.0.0.1"), imap.tlsPort(),
                                MailSecurity::Tls,          ImapTestServer::User,        imap.fingerprint()};
    preferences.write();
    PasswordStore::setSessionPassword(preferences.account.imap.passwordKey(), ImapTestServer::Password);

    DatabaseBuilder database;
    LinkFields fields;
    fields.title = QStringLiteral("Partner");
    fields.contactEmail = QStringLiteral("bob@partner.example");
    database.link(fields);
    const QString partner = database.lastLink()->ID();
    database.link(QStringLiteral("Quiet"));
    const QString quiet = database.lastLink()->ID();
    const QString path = fixture.path(QStringLiteral("replies.site"));
    const QDateTime sentAt = QDateTime::currentDateTimeUtc().addDays(-2);
    qint64 id = 0;
    {
        MessageLog writer(path);
        LoggedMessage message;
        message.linkID = partner;
        message.toAddress = fields.contactEmail;
        message.subject = QStringLiteral("Linktausch");
        message.createdAt = sentAt;
        id = *writer.add(message);
        QVERIFY(writer.markSent(id, QStringLiteral("m1@example.org"), sentAt));
    }
    MyDocument *document = fixture.open(database, QStringLiteral("replies.site"));
    QVERIFY(document);
    DocumentFixture::selectLinks(document, {QStringLiteral("Partner")});
    FittedLabel *lastContact = document->detailsView()->lastContactField();
    QTRY_VERIFY2(lastContact->fullText().endsWith(QStringLiteral("“Linktausch” — no reply yet")),
                 qPrintable(lastContact->fullText()));
    QVERIFY(lastContact->isVisibleTo(document->detailsView()));
    LinkListModel *model = document->linkListController()->model();
    const int partnerRow = model->rowOfLinkID(partner);
    QCOMPARE(model->index(partnerRow, LinkListModel::LastContactColumn).data().toString(),
             lastContact->fullText());
    QVERIFY(model->index(model->rowOfLinkID(quiet), LinkListModel::LastContactColumn).data().isNull());
    // Sorted by it, partners never written to come first.
    model->sort(LinkListModel::LastContactColumn, Qt::DescendingOrder);
    QCOMPARE(model->linkIDAtRow(0), partner);
    model->sort(LinkListModel::LastContactColumn, Qt::AscendingOrder);
    QCOMPARE(model->linkIDAtRow(0), quiet);

    const QDateTime later = sentAt.addDays(1);
    QVERIFY(imap.addMessage(QStringLiteral("From: Bob <bob@partner.example>\r\nTo: zoe@example.org\r\n"
                                           "Subject: Re: Linktausch\r\nMessage-ID: <r1@them>\r\n"
                                           "In-Reply-To: <m1@example.org>\r\nDate: %1\r\n\r\nGern.\r\n")
                                .arg(later.toString(Qt::RFC2822Date))
                                .toUtf8(),
                            later));
    auto *mail = document->commandArea<MailCommands>();
    QSignalSpy checked(mail, &MailCommands::repliesChecked);
    document->validateMenuItems();
    QVERIFY(document->menus()->action(ActionId::CheckForReplies)->isEnabled());
    document->menus()->action(ActionId::CheckForReplies)->trigger();
    QVERIFY(checked.wait(30000));
    QVERIFY2(checked.first().at(1).toString().isEmpty(), qPrintable(checked.first().at(1).toString()));
    QCOMPARE(checked.first().at(0).toInt(), 1);
    QCOMPARE(MessageLog(path).message(id)->state, LoggedMessage::State::Replied);
    QTRY_VERIFY2(lastContact->fullText().contains(QStringLiteral("” — replied ")),
                 qPrintable(lastContact->fullText()));
    QCOMPARE(model->index(model->rowOfLinkID(partner), LinkListModel::LastContactColumn).data().toString(),
             lastContact->fullText());
}

QTEST_MAIN(TestMailWindows)
#include "tst_mailwindows.moc"
