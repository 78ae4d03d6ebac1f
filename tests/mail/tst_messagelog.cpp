#include "DatabaseBuilder.h"

#include "history/HistoryStore.h"
#include "mail/FollowUpPlanner.h"
#include "mail/LostLinkMessages.h"
#include "mail/MessageLog.h"
#include "mail/MessageLogThread.h"
#include "model/DatabaseJson.h"
#include "model/EmailTemplate.h"
#include "model/FileError.h"
#include "model/Link.h"
#include "model/Preferences.h"
#include "model/TemplateFollowUp.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

class TestMessageLog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void logKeepsEveryState();
    void sharesTheFileWithTheHistory();
    void refusesFilesItMustNotWrite();
    void followUpRules();
    void lostLinksQueueOnce();
    void followUpTravelsThroughJson();
    void windowsAskOnTheLogsThread();

private:
    QTemporaryDir m_folder;
};

namespace {
const QDateTime Start(QDate(2026, 11, 2), QTime(10, 0));

LoggedMessage message(const QString &link, LoggedMessage::State state, int day, const QString &subject = {})
{
    LoggedMessage m;
    m.linkID = link;
    m.state = state;
    m.toAddress = link.toLower() + QStringLiteral("@partner.example");
    m.subject = subject.isEmpty() ? QStringLiteral("Day %1").arg(day) : subject;
    m.createdAt = Start.addDays(day);
    if (state != LoggedMessage::State::Queued && state != LoggedMessage::State::Failed)
        m.sentAt = Start.addDays(day);
    m.messageID = m.sentAt.isValid() ? QStringLiteral("m%1-%2@us.example").arg(link).arg(day) : QString();
    return m;
}
} // namespace

void TestMessageLog::initTestCase()
{
    Preferences::useSettingsFile(m_folder.filePath(QStringLiteral("settings.ini")));
}

void TestMessageLog::logKeepsEveryState()
{
    const QString database = m_folder.filePath(QStringLiteral("states.site"));
    MessageLog log(database);
    QCOMPARE(log.messages()->size(), 0); // reading makes no file
    QVERIFY(!QFile::exists(log.path()));

    const std::optional<QList<qint64>> ids = log.add(
        {message("LNK1", LoggedMessage::State::Queued, 0), message("LNK1", LoggedMessage::State::Queued, 1),
         message("LNK2", LoggedMessage::State::Queued, 2), message("LNK2", LoggedMessage::State::Queued, 3)});
    QVERIFY2(ids, qPrintable(log.errorString()));
    // Partners' addresses and what was written to them: for the owner only.
    const QFile::Permissions groupOrOthers = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                             QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFileInfo(log.path()).permissions() & groupOrOthers, QFile::Permissions());

    QVERIFY(log.markSent(ids->at(0), QStringLiteral("a@us.example"), Start.addDays(1)));
    QVERIFY(log.markSent(ids->at(1), QStringLiteral("b@us.example"), Start.addDays(2)));
    QVERIFY(log.markFailed(ids->at(2), QStringLiteral("550 5.1.1 Recipient address rejected")));
    QVERIFY(log.markReplied(ids->at(0), Start.addDays(3), QStringLiteral("lnk1@partner.example"),
                            QStringLiteral("Yes")));
    // A sent message is history: it is neither edited nor discarded, and a queued one is not "replied".
    QVERIFY(!log.updateText(ids->at(1), QStringLiteral("x@y.example"), QString(), QString()));
    QVERIFY(!log.discard(ids->at(1)));
    QVERIFY(!log.markReplied(ids->at(3), Start, QString(), QString()));
    QVERIFY(log.updateText(ids->at(2), QStringLiteral("fixed@partner.example"), QStringLiteral("Again"),
                           QStringLiteral("Body")));

    const QList<LoggedMessage> first = *log.messages(QStringLiteral("LNK1"));
    QCOMPARE(first.size(), 2);
    QCOMPARE(first.at(0).messageID, QStringLiteral("b@us.example")); // newest first
    QCOMPARE(first.at(1).state, LoggedMessage::State::Replied);
    QCOMPARE(first.at(1).repliedAt, Start.addDays(3));
    QCOMPARE(first.at(1).replyExcerpt, QStringLiteral("Yes"));

    const QList<LoggedMessage> outbox = *log.outbox();
    QCOMPARE(outbox.size(), 2);
    QCOMPARE(outbox.at(0).state, LoggedMessage::State::Failed);
    QCOMPARE(outbox.at(0).reason, QStringLiteral("550 5.1.1 Recipient address rejected"));
    QCOMPARE(outbox.at(0).toAddress, QStringLiteral("fixed@partner.example"));
    QCOMPARE(log.unanswered()->size(), 1);

    const QHash<QString, LastContact> contacts = *log.lastContacts();
    QCOMPARE(contacts.size(), 1);
    QCOMPARE(contacts.value(QStringLiteral("LNK1")).sentAt, Start.addDays(2));
    QVERIFY(!contacts.value(QStringLiteral("LNK1")).answered);
    // The details pane's words take the local day: late evening in UTC is the next morning in Berlin.
    LastContact contact{QDateTime(QDate(2026, 12, 3), QTime(23, 30), Qt::UTC), QStringLiteral("Hello"), false,
                        QDateTime()};
    QCOMPARE(contact.line(), QStringLiteral("December 4, 2026, “Hello” — no reply yet"));
    contact.answered = true;
    contact.repliedAt = QDateTime(QDate(2026, 12, 5), QTime(9, 0), Qt::UTC);
    QCOMPARE(contact.line(), QStringLiteral("December 4, 2026, “Hello” — replied December 5, 2026"));

    QVERIFY(log.discard(ids->at(3)));
    QCOMPARE(log.outbox()->size(), 1);
}

void TestMessageLog::sharesTheFileWithTheHistory()
{
    CheckRecord check;
    check.linkID = QStringLiteral("LNK1");
    check.title = QStringLiteral("Partner");
    check.checkedOn = Start;
    check.result = VerificationSucceeded;
    // Either may make the file; the other then adds its tables beside.
    for (const bool historyFirst : {true, false}) {
        const QString database =
            m_folder.filePath(historyFirst ? QStringLiteral("h.site") : QStringLiteral("m.site"));
        HistoryStore history(database);
        MessageLog log(database);
        if (historyFirst)
            QVERIFY2(history.record({check}), qPrintable(history.errorString()));
        QVERIFY2(log.add(message("LNK1", LoggedMessage::State::Queued, 0)), qPrintable(log.errorString()));
        if (!historyFirst)
            QVERIFY2(history.record({check}), qPrintable(history.errorString()));
        QCOMPARE(history.checks()->size(), 1);
        QCOMPARE(log.messages()->size(), 1);
    }
}

void TestMessageLog::refusesFilesItMustNotWrite()
{
    // A link planted where the log goes is never written through, dangling or not.
    const QString target = m_folder.filePath(QStringLiteral("elsewhere"));
    const QString database = m_folder.filePath(QStringLiteral("linked.site"));
    QVERIFY(QFile::link(target, database + QStringLiteral("-history")));
    MessageLog linked(database);
    QVERIFY(!linked.add(message("LNK1", LoggedMessage::State::Queued, 0)));
    QCOMPARE(linked.error().kind(), FileError::Kind::HistoryCannotOpen);
    QVERIFY(linked.errorString().contains(QLatin1String("symbolic link")));
    QVERIFY(!QFile::exists(target));

    // Another program's file is left as it is.
    const QString other = m_folder.filePath(QStringLiteral("other.site"));
    QFile file(other + QStringLiteral("-history"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a database at all, but a text someone keeps here\n");
    file.close();
    MessageLog damaged(other);
    QVERIFY(!damaged.add(message("LNK1", LoggedMessage::State::Queued, 0)));
    QCOMPARE(damaged.error().kind(), FileError::Kind::NotAHistory);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("not a database at all, but a text someone keeps here\n"));
}

void TestMessageLog::followUpRules()
{
    DatabaseBuilder builder;
    builder.emailTemplate(QStringLiteral("Proposal"), QStringLiteral("Links, #TITLE#?"),
                          QStringLiteral("Hello"));
    builder.emailTemplate(QStringLiteral("Reminder"), QStringLiteral("Again: #TITLE#"),
                          QStringLiteral("Hello again"));
    builder.emailTemplate(QStringLiteral("Thanks"), QStringLiteral("Thank you"), QStringLiteral("Thanks"));
    CollectionManager &store = builder.store();
    const QString proposal =
        store.emailTemplateList().emailTemplateWithName(QStringLiteral("Proposal"))->ID();
    const QString reminder =
        store.emailTemplateList().emailTemplateWithName(QStringLiteral("Reminder"))->ID();
    const QString thanks = store.emailTemplateList().emailTemplateWithName(QStringLiteral("Thanks"))->ID();
    // Proposal → Reminder after 7 days → Reminder again after 5 days each.
    TemplateFollowUp::set(store, proposal, TemplateFollowUp{reminder, 7});
    TemplateFollowUp::set(store, reminder, TemplateFollowUp{reminder, 5});
    for (const char *title : {"LNK1", "LNK2"}) {
        LinkFields fields;
        fields.title = QString::fromLatin1(title);
        fields.contactEmail = fields.title.toLower() + QStringLiteral("@partner.example");
        fields.status = QLatin1String(title) == QLatin1String("LNK2") ? LinkStatusBlocked : LinkStatusNew;
        builder.link(fields);
        builder.lastLink()->setID(fields.title);
    }

    struct Step
    {
        LoggedMessage::State state;
        int day;
        int followUp = 0; // 0: the first message; else its step
        QString templateID = {};
    };
    struct Case
    {
        const char *name;
        QList<Step> log;
        int today;
        int expectedStep; // 0: nothing due
        const char *link = "LNK1";
    };
    using S = LoggedMessage::State;
    const Case cases[] = {
        {"not yet due on day 6", {{S::Sent, 0}}, 6, 0},
        {"due after 7 days without a reply", {{S::Sent, 0}}, 7, 1},
        {"a reply ends the sequence", {{S::Replied, 0}}, 30, 0},
        {"the second follow-up after the first's own days", {{S::Sent, 0}, {S::Sent, 7, 1}}, 12, 2},
        {"not before them", {{S::Sent, 0}, {S::Sent, 7, 1}}, 11, 0},
        {"a reply to a follow-up ends it too", {{S::Sent, 0}, {S::Replied, 7, 1}}, 40, 0},
        {"at most three follow-ups",
         {{S::Sent, 0}, {S::Sent, 7, 1}, {S::Sent, 12, 2}, {S::Sent, 17, 3}},
         90,
         0},
        {"the third is still due", {{S::Sent, 0}, {S::Sent, 7, 1}, {S::Sent, 12, 2}}, 17, 3},
        {"one waiting in the Outbox is not due twice", {{S::Sent, 0}, {S::Queued, 7, 1}}, 30, 0},
        {"a failed one waits for the user too", {{S::Sent, 0}, {S::Failed, 7, 1}}, 30, 0},
        {"a template without a follow-up has none", {{S::Sent, 0, 0, thanks}}, 30, 0},
        {"a message that never went has none", {{S::Failed, 0}}, 30, 0},
        {"a Blocked partner gets none", {{S::Sent, 0}}, 30, 0, "LNK2"},
    };
    for (const Case &c : cases) {
        QList<LoggedMessage> log;
        qint64 id = 0;
        for (const Step &step : c.log) {
            LoggedMessage m = message(QString::fromLatin1(c.link), step.state, step.day);
            m.id = ++id;
            m.templateID =
                step.templateID.isEmpty() ? (step.followUp ? reminder : proposal) : step.templateID;
            if (step.followUp) {
                m.kind = LoggedMessage::Kind::FollowUp;
                m.sequenceRoot = 1;
                m.sequenceStep = step.followUp;
            }
            log.append(m);
        }
        std::reverse(log.begin(), log.end()); // the planner takes the log in any order
        const QList<DueFollowUp> due = FollowUpPlanner::due(store, log, Start.date().addDays(c.today));
        QVERIFY2(due.size() == (c.expectedStep ? 1 : 0), c.name);
        if (!c.expectedStep)
            continue;
        const DueFollowUp &next = due.first();
        QVERIFY2(next.message.sequenceStep == c.expectedStep, c.name);
        QCOMPARE(next.message.sequenceRoot, 1);
        QCOMPARE(next.message.kind, LoggedMessage::Kind::FollowUp);
        QCOMPARE(next.message.templateID, reminder);
        QCOMPARE(next.message.subject, QStringLiteral("Again: LNK1"));
        QCOMPARE(next.inReplyTo, QStringLiteral("mLNK1-0@us.example"));
        QCOMPARE(next.references.size(), c.expectedStep);
    }
}

void TestMessageLog::lostLinksQueueOnce()
{
    DatabaseBuilder builder;
    builder.emailTemplate(QStringLiteral("Your link to us is missing"),
                          QStringLiteral("The link on #LINKS_PAGE_URL#"),
                          QStringLiteral("Hello #CONTACT_FIRST_NAME#"));
    LinkFields withAddress;
    withAddress.title = QStringLiteral("Gärten");
    withAddress.contactFirstName = QStringLiteral("Jürgen");
    withAddress.contactEmail = QStringLiteral("juergen@partner.example");
    withAddress.counterpartURL = QStringLiteral("http://partner.example/links.html");
    builder.link(withAddress);
    const QString lostID = builder.lastLink()->ID();
    builder.link(LinkFields{.title = QStringLiteral("No address")});
    const QString silentID = builder.lastLink()->ID();

    auto change = [](const QString &id, LinkChange::Kind kind, int day) {
        LinkChange c;
        c.linkID = id;
        c.kind = kind;
        c.since = Start.addDays(day);
        return c;
    };
    const QList<LinkChange> changes{change(lostID, LinkChange::Lost, 1),
                                    change(silentID, LinkChange::Lost, 1),
                                    change(lostID, LinkChange::Recovered, 2)};
    MessageLog log(m_folder.filePath(QStringLiteral("lost.site")));
    QString error;
    std::optional<LostLinkMessages::Outcome> outcome =
        LostLinkMessages::queue(log, builder.store(), changes, &error);
    QVERIFY2(outcome, qPrintable(error));
    QCOMPARE(outcome->queued, 1);
    QCOMPARE(outcome->withoutAddress, QStringList{QStringLiteral("No address")});
    const QList<LoggedMessage> outbox = *log.outbox();
    QCOMPARE(outbox.size(), 1);
    QCOMPARE(outbox.first().kind, LoggedMessage::Kind::LostLink);
    QCOMPARE(outbox.first().state, LoggedMessage::State::Queued); // for review: nothing goes by itself
    QCOMPARE(outbox.first().subject, QStringLiteral("The link on http://partner.example/links.html"));
    QCOMPARE(outbox.first().body, QStringLiteral("Hello Jürgen"));

    // The same changes read again queue nothing; a later loss of the same link does.
    QCOMPARE(LostLinkMessages::queue(log, builder.store(), changes, &error)->queued, 0);
    QCOMPARE(
        LostLinkMessages::queue(log, builder.store(), {change(lostID, LinkChange::Lost, 9)}, &error)->queued,
        1);
}

void TestMessageLog::followUpTravelsThroughJson()
{
    DatabaseBuilder builder;
    builder.emailTemplate(QStringLiteral("Proposal"), QStringLiteral("S"), QStringLiteral("B"));
    builder.emailTemplate(QStringLiteral("Reminder"), QStringLiteral("S"), QStringLiteral("B"));
    const QString proposal =
        builder.store().emailTemplateList().emailTemplateWithName(QStringLiteral("Proposal"))->ID();
    const QString reminder =
        builder.store().emailTemplateList().emailTemplateWithName(QStringLiteral("Reminder"))->ID();
    TemplateFollowUp::set(builder.store(), proposal, TemplateFollowUp{reminder, 10});

    QJsonObject json = DatabaseJson::toJson(builder.store());
    const QJsonObject first = json.value("emailTemplates").toArray().at(0).toObject();
    QCOMPARE(first.value("followUp").toObject(), (QJsonObject{{"templateID", reminder}, {"afterDays", 10}}));
    QVERIFY(!json.value("emailTemplates").toArray().at(1).toObject().contains("followUp"));
    QVERIFY(json.value("namedStrings").toArray().isEmpty()); // carried on the template, not twice

    CollectionManager loaded;
    FileError error;
    QVERIFY(DatabaseJson::fromJson(json, loaded, &error));
    QCOMPARE(TemplateFollowUp::of(loaded, proposal), (TemplateFollowUp{reminder, 10}));
    QVERIFY(!TemplateFollowUp::of(loaded, reminder));
    // It is a named string of the database, so the file keeps it.
    CollectionManager reread;
    QVERIFY(reread.loadDataRepresentation(loaded.dataRepresentation()));
    QCOMPARE(TemplateFollowUp::of(reread, proposal), (TemplateFollowUp{reminder, 10}));

    // Days out of range are refused, not guessed.
    QJsonArray templates = json.value("emailTemplates").toArray();
    QJsonObject broken = templates.at(0).toObject();
    broken.insert("followUp", QJsonObject{{"templateID", reminder}, {"afterDays", 0}});
    templates.replace(0, broken);
    json.insert("emailTemplates", templates);
    CollectionManager refused;
    QVERIFY(!DatabaseJson::fromJson(json, refused, &error));
    QVERIFY(error.text().contains(QLatin1String("afterDays")));
}

void TestMessageLog::windowsAskOnTheLogsThread()
{
    const QString database = m_folder.filePath(QStringLiteral("threaded.site"));
    MessageLogThread thread(database);
    QThread *worked = nullptr;
    thread.post([&worked](MessageLog &log) {
        worked = QThread::currentThread();
        log.add(message("LNK1", LoggedMessage::State::Queued, 0));
    });
    QList<LoggedMessage> outbox;
    QThread *answered = nullptr;
    thread.request<QList<LoggedMessage>>(
        [](MessageLog &log) { return log.outbox().value_or(QList<LoggedMessage>()); }, this,
        [&](QList<LoggedMessage> result) {
            outbox = result;
            answered = QThread::currentThread();
        });
    QTRY_COMPARE(outbox.size(), 1);
    QVERIFY(worked && worked != QThread::currentThread());
    QCOMPARE(answered, QThread::currentThread());
}

QTEST_GUILESS_MAIN(TestMessageLog)
#include "tst_messagelog.moc"
