#include "CharsetPrescan.h"

#include "WebEncodings.h"

#include <QSet>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + 0x20) : c;
}

bool startsWithNoCase(QByteArrayView bytes, qsizetype at, QByteArrayView prefix)
{
    if (bytes.size() - at < prefix.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        if (lower(bytes[at + i]) != prefix[i])
            return false;
    }
    return true;
}

// Reads one attribute of a tag in the scanned bytes; names and values come out in lower case.
class AttributeReader
{
public:
    AttributeReader(QByteArrayView bytes, qsizetype &position) : m_bytes(bytes), m_at(position) {}

    enum class Result
    {
        Attribute,
        EndOfTag, // at the '>'
        EndOfInput,
    };

    Result next(QByteArray &name, QByteArray &value)
    {
        name.clear();
        value.clear();
        while (more() && (isSpace(peek()) || peek() == '/'))
            ++m_at;
        if (!more())
            return Result::EndOfInput;
        if (peek() == '>')
            return Result::EndOfTag;
        // The name: up to '=' (not as its first byte), white space, '/' or '>'.
        for (;; ++m_at) {
            if (!more())
                return Result::EndOfInput;
            const char c = peek();
            if (c == '=' && !name.isEmpty()) {
                ++m_at;
                return readValue(value);
            }
            if (isSpace(c))
                break;
            if (c == '/' || c == '>')
                return Result::Attribute;
            name += lower(c);
        }
        while (more() && isSpace(peek()))
            ++m_at;
        if (!more())
            return Result::EndOfInput;
        if (peek() != '=')
            return Result::Attribute;
        ++m_at;
        return readValue(value);
    }

private:
    Result readValue(QByteArray &value)
    {
        while (more() && isSpace(peek()))
            ++m_at;
        if (!more())
            return Result::EndOfInput;
        const char first = peek();
        if (first == '"' || first == '\'') {
            for (++m_at; more(); ++m_at) {
                if (peek() == first) {
                    ++m_at;
                    return Result::Attribute;
                }
                value += lower(peek());
            }
            return Result::EndOfInput;
        }
        if (first == '>')
            return Result::Attribute;
        for (; more(); ++m_at) {
            if (isSpace(peek()) || peek() == '>')
                return Result::Attribute;
            value += lower(peek());
        }
        return Result::EndOfInput;
    }

    bool more() const { return m_at < m_bytes.size(); }
    char peek() const { return m_bytes[m_at]; }

    QByteArrayView m_bytes;
    qsizetype &m_at;
};

// The encoding in a <meta content> value: after "charset", optional blanks, "=" and a label that
// is quoted or ends at a blank or ';'.
QByteArray encodingInContent(QByteArrayView content)
{
    qsizetype at = 0;
    for (;;) {
        const qsizetype found = content.indexOf("charset", at);
        if (found < 0)
            return QByteArray();
        at = found + 7;
        while (at < content.size() && isSpace(content[at]))
            ++at;
        if (at < content.size() && content[at] == '=')
            break;
    }
    ++at;
    while (at < content.size() && isSpace(content[at]))
        ++at;
    if (at == content.size())
        return QByteArray();
    const char quote = content[at];
    if (quote == '"' || quote == '\'') {
        const qsizetype end = content.indexOf(quote, at + 1);
        return end < 0 ? QByteArray() : WebEncodings::nameForLabel(content.sliced(at + 1, end - at - 1));
    }
    qsizetype end = at;
    while (end < content.size() && !isSpace(content[end]) && content[end] != ';')
        ++end;
    return WebEncodings::nameForLabel(content.sliced(at, end - at));
}

// What one <meta> element declares, read from just after "<meta"; empty when nothing usable.
QByteArray encodingOfMeta(AttributeReader &reader, bool &inputEnded)
{
    QSet<QByteArray> seen;
    bool gotPragma = false;
    enum class NeedPragma
    {
        Unknown,
        Yes,
        No
    } needPragma = NeedPragma::Unknown;
    QByteArray charset;
    bool charsetDecided = false; // by a charset attribute, even one naming nothing known
    QByteArray name;
    QByteArray value;
    for (;;) {
        const AttributeReader::Result result = reader.next(name, value);
        if (result == AttributeReader::Result::EndOfInput) {
            inputEnded = true;
            return QByteArray();
        }
        if (result == AttributeReader::Result::EndOfTag)
            break;
        if (seen.contains(name))
            continue;
        seen.insert(name);
        if (name == "http-equiv") {
            gotPragma = gotPragma || value == "content-type";
        } else if (name == "content" && !charsetDecided) {
            charset = encodingInContent(value);
            if (!charset.isEmpty()) {
                charsetDecided = true;
                needPragma = NeedPragma::Yes;
            }
        } else if (name == "charset") {
            charset = WebEncodings::nameForLabel(value);
            charsetDecided = true;
            needPragma = NeedPragma::No;
        }
    }
    if (needPragma == NeedPragma::Unknown || (needPragma == NeedPragma::Yes && !gotPragma))
        return QByteArray();
    if (charset == WebEncodings::Utf16LE || charset == WebEncodings::Utf16BE)
        return WebEncodings::Utf8;
    if (charset == WebEncodings::UserDefined)
        return WebEncodings::Windows1252;
    return charset;
}

} // namespace

QByteArray CharsetPrescan::encodingOf(QByteArrayView page)
{
    const QByteArrayView bytes = page.first(qMin(page.size(), ScannedBytes));
    qsizetype at = 0;
    QByteArray name;
    QByteArray value;
    while (at < bytes.size()) {
        if (bytes.sliced(at).startsWith("<!--")) {
            // The "-->" may share its dashes with the opening: "<!-->" is a whole comment.
            const qsizetype end = bytes.indexOf("-->", at + 2);
            if (end < 0)
                return QByteArray();
            at = end + 3;
            continue;
        }
        if (startsWithNoCase(bytes, at, "<meta") && at + 5 < bytes.size() &&
            (isSpace(bytes[at + 5]) || bytes[at + 5] == '/')) {
            at += 5;
            AttributeReader reader(bytes, at);
            bool inputEnded = false;
            const QByteArray encoding = encodingOfMeta(reader, inputEnded);
            if (!encoding.isEmpty())
                return encoding;
            if (inputEnded)
                return QByteArray();
        } else if (bytes[at] == '<' && at + 1 < bytes.size() &&
                   (isAsciiLetter(bytes[at + 1]) ||
                    (bytes[at + 1] == '/' && at + 2 < bytes.size() && isAsciiLetter(bytes[at + 2])))) {
            // Another tag: its attributes are read past, so a quoted "<meta" inside one is no tag.
            while (at < bytes.size() && !isSpace(bytes[at]) && bytes[at] != '>')
                ++at;
            AttributeReader reader(bytes, at);
            for (;;) {
                const AttributeReader::Result result = reader.next(name, value);
                if (result == AttributeReader::Result::EndOfInput)
                    return QByteArray();
                if (result == AttributeReader::Result::EndOfTag)
                    break;
            }
        } else if (bytes.sliced(at).startsWith("<!") || bytes.sliced(at).startsWith("</") ||
                   bytes.sliced(at).startsWith("<?")) {
            const qsizetype end = bytes.indexOf('>', at + 2);
            if (end < 0)
                return QByteArray();
            at = end;
        }
        ++at;
    }
    return QByteArray();
}

QByteArray CharsetPrescan::charsetParameter(QByteArrayView contentType)
{
    const QList<QByteArray> parameters = contentType.toByteArray().split(';');
    for (qsizetype i = 1; i < parameters.size(); ++i) {
        const QByteArray parameter = parameters[i].trimmed();
        const qsizetype equals = parameter.indexOf('=');
        if (equals < 0 || parameter.left(equals).trimmed().toLower() != "charset")
            continue;
        QByteArray label = parameter.mid(equals + 1).trimmed();
        if (label.size() >= 2 && label.startsWith('"') && label.endsWith('"'))
            label = label.mid(1, label.size() - 2);
        return WebEncodings::nameForLabel(label);
    }
    return QByteArray();
}
