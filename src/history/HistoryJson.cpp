#include "HistoryJson.h"

#include <QJsonArray>

#include <type_traits>

namespace {

QString code(VerificationResult result)
{
    return QString(QChar::fromLatin1(result));
}

// The fields of a check in the order of their names, the order in which a JSON object lists them:
// check() and appendCheck() are both made from this one list.
template <typename Field> void fieldsOf(const CheckRecord &record, Field &&field)
{
    field("addressFound", record.addressFound);
    field("anchorText", record.anchorText);
    field("checkedOn", HistoryJson::isoTime(record.checkedOn));
    field("finalURL", record.finalURL);
    field("followed", record.followed);
    field("httpStatus", record.httpStatus);
    field("inAnchor", record.inAnchor);
    field("linkID", record.linkID);
    field("movedTo", record.movedTo);
    field("noindex", record.noindex);
    field("outcome", CheckOutcomes::keyword(record.outcome));
    field("rel", record.rel);
    field("result", code(record.result));
    field("resultText", Codes::verificationRunText(record.result));
    field("robots", RobotsVerdicts::keyword(record.robots));
    field("title", record.title);
}

char hexDigit(uint value)
{
    return "0123456789abcdef"[value & 0xf];
}

// A string as QJsonDocument writes it: quotes, backslashes and control characters escaped, other
// characters in UTF-8, a lone surrogate as \uXXXX.
void appendString(QByteArray &out, const QString &text)
{
    out += '"';
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= 0x20 && c < 0x80 && c != u'"' && c != u'\\') {
            out += char(c);
            continue;
        }
        if (c < 0x80) {
            out += '\\';
            switch (c) {
            case u'"':
                out += '"';
                break;
            case u'\\':
                out += '\\';
                break;
            case u'\b':
                out += 'b';
                break;
            case u'\f':
                out += 'f';
                break;
            case u'\n':
                out += 'n';
                break;
            case u'\r':
                out += 'r';
                break;
            case u'\t':
                out += 't';
                break;
            default:
                out += "u00";
                out += hexDigit(c >> 4);
                out += hexDigit(c);
            }
            continue;
        }
        const bool pair = QChar::isHighSurrogate(c) && i + 1 < n && text.at(i + 1).isLowSurrogate();
        if (QChar::isSurrogate(c) && !pair) {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hexDigit(c >> shift);
            continue;
        }
        if (c < 0x800) {
            out += char(0xc0 | (c >> 6));
        } else if (!pair) {
            out += char(0xe0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3f));
        } else {
            const char32_t point = QChar::surrogateToUcs4(c, text.at(++i).unicode());
            out += char(0xf0 | (point >> 18));
            out += char(0x80 | ((point >> 12) & 0x3f));
            out += char(0x80 | ((point >> 6) & 0x3f));
            out += char(0x80 | (point & 0x3f));
            continue;
        }
        out += char(0x80 | (c & 0x3f));
    }
    out += '"';
}

void appendIndent(QByteArray &out, int level)
{
    out.append(4 * level, ' ');
}

void appendValue(QByteArray &out, const QString &text, int)
{
    appendString(out, text);
}

void appendValue(QByteArray &out, bool value, int)
{
    out += value ? "true" : "false";
}

void appendValue(QByteArray &out, int value, int)
{
    out += QByteArray::number(value);
}

void appendValue(QByteArray &out, const QStringList &texts, int level)
{
    out += "[\n";
    for (qsizetype i = 0; i < texts.size(); ++i) {
        appendIndent(out, level + 1);
        appendString(out, texts.at(i));
        out += i + 1 < texts.size() ? ",\n" : "\n";
    }
    appendIndent(out, level);
    out += ']';
}

} // namespace

QString HistoryJson::isoTime(const QDateTime &time)
{
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
}

QJsonObject HistoryJson::check(const CheckRecord &record)
{
    QJsonObject object;
    fieldsOf(record, [&](const char *name, const auto &value) {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, QStringList>)
            object.insert(QLatin1String(name), QJsonArray::fromStringList(value));
        else
            object.insert(QLatin1String(name), value);
    });
    return object;
}

void HistoryJson::appendCheck(QByteArray &out, const CheckRecord &record, int level)
{
    appendIndent(out, level);
    out += "{\n";
    bool first = true;
    fieldsOf(record, [&](const char *name, const auto &value) {
        out += first ? "" : ",\n";
        first = false;
        appendIndent(out, level + 1);
        out += '"';
        out += name;
        out += "\": ";
        appendValue(out, value, level + 1);
    });
    out += '\n';
    appendIndent(out, level);
    out += '}';
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
