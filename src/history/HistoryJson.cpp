#include "HistoryJson.h"

#include <QJsonArray>

namespace {
QString code(VerificationResult result)
{
    return QString(QChar::fromLatin1(result));
}
} // namespace

QString HistoryJson::isoTime(const QDateTime &time)
{
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
}

QJsonObject HistoryJson::check(const CheckRecord &record)
{
    return QJsonObject{
        {QStringLiteral("linkID"), record.linkID},
        {QStringLiteral("title"), record.title},
        {QStringLiteral("checkedOn"), isoTime(record.checkedOn)},
        {QStringLiteral("result"), code(record.result)},
        {QStringLiteral("resultText"), Codes::verificationRunText(record.result)},
        {QStringLiteral("httpStatus"), record.httpStatus},
        {QStringLiteral("finalURL"), record.finalURL},
        {QStringLiteral("addressFound"), record.addressFound},
        {QStringLiteral("inAnchor"), record.inAnchor},
        {QStringLiteral("followed"), record.followed},
        {QStringLiteral("rel"), QJsonArray::fromStringList(record.rel)},
        {QStringLiteral("anchorText"), record.anchorText},
        {QStringLiteral("noindex"), record.noindex},
        {QStringLiteral("outcome"), CheckOutcomes::keyword(record.outcome)},
        {QStringLiteral("robots"), RobotsVerdicts::keyword(record.robots)},
        {QStringLiteral("movedTo"), record.movedTo},
    };
}

QJsonObject HistoryJson::change(const LinkChange &change)
{
    return QJsonObject{
        {QStringLiteral("linkID"), change.linkID},
        {QStringLiteral("title"), change.title},
        {QStringLiteral("change"), LinkChange::keyword(change.kind)},
        {QStringLiteral("previous"), code(change.previous)},
        {QStringLiteral("current"), code(change.current)},
        {QStringLiteral("since"), isoTime(change.since)},
        {QStringLiteral("outcome"), CheckOutcomes::keyword(change.currentOutcome)},
        {QStringLiteral("movedTo"), change.movedTo},
    };
}
