#include "TextUtils.h"

#include "MacRomanCodec.h"
#include "RtfWriter.h"
#include "TextMeasurer.h"

#include <QDirIterator>
#include <QFile>
#include <QUrl>
#include <algorithm>

namespace TextUtils {

QString oneLineString(const QString &text)
{
    // Most texts hold no line break: hand back the shared text without copying it.
    const qsizetype first = std::find_if(text.cbegin(), text.cend(),
                                         [](QChar c) { return c == u'\n' || c == u'\r' || c == u'\t'; }) -
                            text.cbegin();
    if (first == text.size())
        return text;
    QString result = text;
    for (qsizetype i = first; i < result.size(); ++i) {
        const QChar c = result.at(i);
        if (c == u'\n' || c == u'\r' || c == u'\t')
            result[i] = u' ';
    }
    return result;
}

QString HTMLString(const QString &text)
{
    QString result = text;
    result.replace(u'&', QStringLiteral("&amp;"));
    result.replace(u'<', QStringLiteral("&lt;"));
    result.replace(u'>', QStringLiteral("&gt;"));
    return result;
}

QStringList splitWithDelimiter(const QString &text, QChar delimiter)
{
    QStringList pieces;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == delimiter) {
            pieces.append(text.mid(start, i - start));
            start = i + 1;
        }
    }
    if (start < text.size())
        pieces.append(text.mid(start));
    return pieces;
}

QString stringByRemovingTabDelimiters(const QString &text)
{
    QString result;
    result.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            if (i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            result.append(u' ');
        } else if (c == u'\t' || c == u'\n') {
            result.append(u' ');
        } else {
            result.append(c);
        }
    }
    return text.isNull() ? QString() : result;
}

int replaceOccurencesOfString(QString &text, const QString &target, const QString &replacement)
{
    if (target.isEmpty() || text.isEmpty())
        return 0;
    // Built into a new string: one pass, whatever the number of matches.
    QString result;
    int count = 0;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype found = text.indexOf(target, from);
        if (found < 0)
            break;
        if (count == 0)
            result.reserve(text.size());
        result.append(QStringView(text).mid(from, found - from));
        result.append(replacement);
        from = found + target.size();
        ++count;
    }
    if (count == 0)
        return 0;
    result.append(QStringView(text).mid(from));
    text = result;
    return count;
}

QString stringByReplacingOccurencesOfString(const QString &text, const QString &target,
                                            const QString &replacement)
{
    QString copy = text;
    replaceOccurencesOfString(copy, target, replacement);
    return copy;
}

QString cleanFloat(const QString &text)
{
    const qsizetype point = text.indexOf(u'.');
    if (point < 0)
        return text;
    qsizetype end = text.size();
    while (end > point + 1 && text.at(end - 1) == u'0')
        --end;
    if (end == point + 1)
        --end;
    QString result = text.left(end);
    if (result.isEmpty() || result == u"-" || result == u"+")
        return QStringLiteral("0");
    return result;
}

QString stringWithMaxLength(const QString &text, qsizetype maxLength)
{
    if (text.size() <= maxLength)
        return text;
    if (maxLength <= 0)
        return QStringLiteral("");
    qsizetype cut = maxLength;
    if (text.at(cut - 1).isHighSurrogate() && text.at(cut).isLowSurrogate())
        --cut;
    return text.left(cut);
}

QString truncatedStringWithMaximumWidth(const QString &text, qreal width, const TextMeasurer &measurer)
{
    if (measurer.width(text) <= width)
        return text;
    const QString ellipsis = QStringLiteral("...");
    const qreal ellipsisWidth = measurer.width(ellipsis);
    if (ellipsisWidth >= width)
        return QStringLiteral("");
    const qreal room = width - ellipsisWidth;
    QString result;
    qreal used = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        const qsizetype length =
            (text.at(i).isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
        const QString character = text.mid(i, length);
        const qreal characterWidth = measurer.width(character);
        if (used + characterWidth > room)
            break;
        result.append(character);
        used += characterWidth;
        i += length;
    }
    result.append(ellipsis);
    return result;
}

bool isValidURL(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QLatin1String scheme :
         {QLatin1String("http://"), QLatin1String("https://"), QLatin1String("file://")}) {
        const qsizetype found = text.indexOf(scheme);
        if (found < 0)
            continue;
        const qsizetype hostStart = found + scheme.size();
        if (hostStart >= text.size())
            return false;
        // Letters beyond ASCII may only stand in an international host name, which browsers send
        // in its ASCII form (IDNA); that form must exist.
        qsizetype hostEnd = hostStart;
        while (hostEnd < text.size() && !QStringLiteral("/?#:@").contains(text.at(hostEnd)))
            ++hostEnd;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i).unicode() > 0x7F && (i < hostStart || i >= hostEnd))
                return false;
        }
        const QStringView host = QStringView(text).mid(hostStart, hostEnd - hostStart);
        const bool ascii = std::all_of(host.begin(), host.end(), [](QChar c) { return c.unicode() <= 0x7F; });
        return ascii || !QUrl::toAce(host.toString()).isEmpty();
    }
    return false;
}

namespace {

// RFC 2396: unreserved (alphanum and mark) and reserved characters may stand in a URL as they are.
bool isURLCharacter(char16_t c)
{
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
        return true;
    switch (c) {
    case u'-':
    case u'_':
    case u'.':
    case u'!':
    case u'~':
    case u'*':
    case u'\'':
    case u'(':
    case u')':
    case u';':
    case u'/':
    case u'?':
    case u':':
    case u'@':
    case u'&':
    case u'=':
    case u'+':
    case u'$':
    case u',':
        return true;
    default:
        return false;
    }
}

QString mailLineBreaks(const QString &text, TextEncoding encoding)
{
    QString result;
    result.reserve(text.size());
    const qsizetype n = text.size();
    switch (encoding) {
    case TextEncoding::UTF8:
    case TextEncoding::MacOSRoman:
        // A CRLF pair is one break: it must not become two.
        for (qsizetype i = 0; i < n; ++i) {
            const QChar c = text.at(i);
            if (c == u'\n') {
                if (i == 0 || text.at(i - 1) != u'\r')
                    result.append(u'\r');
            } else {
                result.append(c);
            }
        }
        return result;
    case TextEncoding::ISOLatin1:
        for (qsizetype i = 0; i < n; ++i) {
            const QChar c = text.at(i);
            if (c == u'\n' && (i == 0 || text.at(i - 1) != u'\r'))
                result.append(u'\r');
            result.append(c);
        }
        return result;
    case TextEncoding::UTF16:
        break;
    }
    return text;
}

void appendEscapedByte(QString &out, unsigned char byte)
{
    static const char Hex[] = "0123456789ABCDEF";
    out.append(u'%');
    out.append(QLatin1Char(Hex[byte >> 4]));
    out.append(QLatin1Char(Hex[byte & 0xF]));
}

} // namespace

QString stringByAddingPercentEscapesWithEncoding(const QString &text, TextEncoding encoding, bool *lossless)
{
    QString source = mailLineBreaks(text, encoding);
    const bool eightBit = encoding == TextEncoding::MacOSRoman || encoding == TextEncoding::ISOLatin1;
    if (eightBit)
        source = TextCodec::precomposed(source);

    bool allKept = true;
    QString out;
    out.reserve(source.size() * 2);
    const qsizetype n = source.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = source.at(i).unicode();
        if (isURLCharacter(c)) {
            out.append(QChar(c));
            continue;
        }
        const qsizetype length =
            (QChar::isHighSurrogate(c) && i + 1 < n && source.at(i + 1).isLowSurrogate()) ? 2 : 1;
        const QStringView character = QStringView(source).mid(i, length);
        i += length - 1;
        switch (encoding) {
        case TextEncoding::UTF8:
            for (const char b : character.toUtf8())
                appendEscapedByte(out, static_cast<unsigned char>(b));
            break;
        case TextEncoding::UTF16: // big-endian, as UTF-16 without a byte order mark is read
            for (const QChar unit : character) {
                appendEscapedByte(out, static_cast<unsigned char>(unit.unicode() >> 8));
                appendEscapedByte(out, static_cast<unsigned char>(unit.unicode() & 0xFF));
            }
            break;
        case TextEncoding::MacOSRoman:
        case TextEncoding::ISOLatin1: {
            std::optional<unsigned char> byte;
            if (length == 1 && !QChar::isSurrogate(c)) {
                if (encoding == TextEncoding::MacOSRoman)
                    byte = MacRomanCodec::byteForCharacter(c);
                else if (c <= 0xFF)
                    byte = static_cast<unsigned char>(c);
            }
            if (byte) {
                appendEscapedByte(out, *byte);
            } else {
                out.append(u'?');
                allKept = false;
            }
            break;
        }
        }
    }
    if (lossless)
        *lossless = allKept;
    return out;
}

QString stringByAddingPercentEscapes(const QString &text)
{
    return stringByAddingPercentEscapesWithEncoding(text, TextEncoding::UTF8);
}

QString stringByAddingPercentEscapesForControlCharacters(const QString &text)
{
    return stringByReplacingOccurencesOfString(text, QStringLiteral("&"), QStringLiteral("%26"));
}

QByteArray RTFData(const QString &text)
{
    return RtfWriter::RTFData(text);
}

QString stringWithContentsOfResource(const QString &name, const QString &extension)
{
    if (name.isEmpty())
        return QString();
    const QString fileName = extension.isEmpty() ? name : name + u'.' + extension;
    QString path = QStringLiteral(":/") + fileName;
    if (!QFile::exists(path)) {
        QStringList found;
        QDirIterator it(QStringLiteral(":/"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString candidate = it.next();
            if (it.fileName() == fileName)
                found.append(candidate);
        }
        if (found.isEmpty())
            return QString();
        std::sort(found.begin(), found.end(), [](const QString &a, const QString &b) {
            const auto depthA = a.count(u'/'), depthB = b.count(u'/');
            return depthA != depthB ? depthA < depthB : a < b;
        });
        path = found.first();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace TextUtils
