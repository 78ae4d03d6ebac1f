#include "mail/ReplyMatcher.h"

#include <QTest>
#include <QTimeZone>

class TestReplyMatcher : public QObject
{
    Q_OBJECT
private slots:
    void rules_data();
    void rules();
};

namespace {
const QDateTime Day = QDateTime(QDate(2026, 12, 1), QTime(12, 0), Qt::UTC);

// Our unanswered messages: 1 and 2 to Bob (days 0 and 2), 3 to Carol (day 1).
QList<LoggedMessage> ours()
{
    auto message = [](qint64 id, const char *link, const char *messageID, const char *to, int day) {
        LoggedMessage m;
        m.id = id;
        m.linkID = QString::fromLatin1(link);
        m.messageID = QString::fromLatin1(messageID);
        m.toAddress = QString::fromLatin1(to);
        m.state = LoggedMessage::State::Sent;
        m.sentAt = Day.addDays(day);
        return m;
    };
    return {message(1, "LNK1", "one@us.example", "bob@partner.example", 0),
            message(2, "LNK1", "two@us.example", "bob@partner.example", 2),
            message(3, "LNK3", "three@us.example", "Carol@Friend.example", 1)};
}

// "from|inReplyTo|references (space-separated)|day|own Message-ID"
ReceivedMessage received(const QString &spec)
{
    const QStringList parts = spec.split(u'|');
    ReceivedMessage m;
    m.fromAddress = parts.at(0);
    m.inReplyTo = parts.at(1);
    m.references = parts.at(2).split(u' ', Qt::SkipEmptyParts);
    m.date = Day.addDays(parts.at(3).toInt()).addSecs(60);
    m.messageID = parts.value(4, QStringLiteral("reply-%1@elsewhere.example").arg(qHash(spec)));
    return m;
}
} // namespace

void TestReplyMatcher::rules_data()
{
    QTest::addColumn<QStringList>("received");
    QTest::addColumn<QStringList>("expected"); // "logID:thread" or "logID:address", in order

    QTest::newRow("In-Reply-To names ours")
        << QStringList{"bob@partner.example|one@us.example||3"} << QStringList{"1:thread"};
    QTest::newRow("the thread wins over the sender")
        << QStringList{"someone@else.example|three@us.example||3"} << QStringList{"3:thread"};
    QTest::newRow("the last of References that is ours")
        << QStringList{"x@y.example||one@us.example two@us.example unknown@z.example|3"}
        << QStringList{"2:thread"};
    QTest::newRow("From with other letter case answers the latest message sent before it")
        << QStringList{"BOB@Partner.Example|||3"} << QStringList{"2:address"};
    QTest::newRow("From before our second message answers the first")
        << QStringList{"bob@partner.example|||1"} << QStringList{"1:address"};
    QTest::newRow("a message written before ours answers nothing")
        << QStringList{"bob@partner.example|||-1"} << QStringList{};
    QTest::newRow("a thread we do not know falls back to the sender")
        << QStringList{"carol@friend.example|old@mailclient.example||2"} << QStringList{"3:address"};
    QTest::newRow("a copy of our own message answers nothing")
        << QStringList{"bob@partner.example|one@us.example||3|two@us.example"} << QStringList{};
    QTest::newRow("someone else answers nothing")
        << QStringList{"eve@elsewhere.example|||3"} << QStringList{};
    QTest::newRow("the earliest of two replies is kept")
        << QStringList{"bob@partner.example|two@us.example||5", "bob@partner.example|two@us.example||3"}
        << QStringList{"2:thread@3"};
    QTest::newRow("a second reply by sender does not reach back to the older message")
        << QStringList{"bob@partner.example|||3", "bob@partner.example|||4"} << QStringList{"2:address"};
}

void TestReplyMatcher::rules()
{
    QFETCH(QStringList, received);
    QFETCH(QStringList, expected);
    QList<ReceivedMessage> mailbox;
    for (const QString &spec : received)
        mailbox.append(::received(spec));
    QStringList found;
    for (const ReplyMatch &match : ReplyMatcher::match(ours(), mailbox)) {
        QString text = QStringLiteral("%1:%2").arg(match.logID).arg(match.byAddress ? "address" : "thread");
        if (expected.value(found.size()).contains(u'@'))
            text += u'@' + QString::number(Day.daysTo(match.repliedAt));
        found << text;
        QCOMPARE(match.linkID, match.logID == 3 ? QStringLiteral("LNK3") : QStringLiteral("LNK1"));
    }
    QCOMPARE(found, expected);
}

QTEST_GUILESS_MAIN(TestReplyMatcher)
#include "tst_replymatcher.moc"
