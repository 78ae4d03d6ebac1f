#include "TextCodec.h"

#include "MacRomanCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace TextCodec {

QString precomposed(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x0300)
            return text.normalized(QString::NormalizationForm_C);
    }
    return text; // nothing below U+0300 combines
}

QString encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::UTF8:
        return QStringLiteral("UTF-8");
    case TextEncoding::UTF16:
        return QStringLiteral("UTF-16");
    case TextEncoding::MacOSRoman:
        return QStringLiteral("Mac OS Roman");
    case TextEncoding::ISOLatin1:
        return QStringLiteral("ISO Latin 1");
    }
    return QString();
}

QByteArray latin1WithReplacement(const QString &text, char replacement, bool *ok)
{
    const QString source = precomposed(text);
    QByteArray bytes;
    bytes.reserve(source.size());
    bool lossless = true;
    const qsizetype n = source.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = source.at(i);
        if (c.unicode() <= 0xFF) {
            bytes.append(static_cast<char>(c.unicode()));
            continue;
        }
        if (c.isHighSurrogate() && i + 1 < n && source.at(i + 1).isLowSurrogate())
            ++i; // one replacement for the whole character
        bytes.append(replacement);
        lossless = false;
    }
    if (ok)
        *ok = lossless;
    return bytes;
}

QByteArray encodeWithReplacement(const QString &text, TextEncoding encoding, char replacement, bool *ok)
{
    switch (encoding) {
    case TextEncoding::MacOSRoman:
        return MacRomanCodec::encodeWithReplacement(precomposed(text), replacement, ok);
    case TextEncoding::ISOLatin1:
        return latin1WithReplacement(text, replacement, ok);
    case TextEncoding::UTF16: {
        if (ok)
            *ok = true;
        QByteArray bytes;
        bytes.reserve(2 + 2 * text.size());
        bytes.append('\xFF').append('\xFE');
        for (const QChar c : text) {
            bytes.append(static_cast<char>(c.unicode() & 0xFF));
            bytes.append(static_cast<char>(c.unicode() >> 8));
        }
        return bytes;
    }
    case TextEncoding::UTF8:
        break;
    }
    if (ok)
        *ok = true;
    return text.toUtf8();
}

int unencodableCharacterCount(const QString &text, TextEncoding encoding)
{
    if (encoding != TextEncoding::MacOSRoman && encoding != TextEncoding::ISOLatin1)
        return 0;
    const QString source = precomposed(text);
    int count = 0;
    const qsizetype n = source.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = source.at(i);
        if (c.unicode() < 0x80)
            continue;
        if (c.isHighSurrogate() && i + 1 < n && source.at(i + 1).isLowSurrogate()) {
            ++i; // neither table reaches beyond the BMP
            ++count;
            continue;
        }
        const bool held = encoding == TextEncoding::ISOLatin1
                              ? c.unicode() <= 0xFF
                              : !c.isSurrogate() && MacRomanCodec::byteForCharacter(c.unicode());
        if (!held)
            ++count;
    }
    return count;
}

QByteArray encode(const QString &text, TextEncoding encoding, bool *ok)
{
    return encodeWithReplacement(text, encoding, '?', ok);
}

QString decode(const QByteArray &bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::MacOSRoman:
        return MacRomanCodec::decode(bytes);
    case TextEncoding::ISOLatin1:
        return QString::fromLatin1(bytes);
    case TextEncoding::UTF16: {
        const bool bigEndian = bytes.startsWith("\xFE\xFF");
        QStringDecoder decoder(bigEndian ? QStringConverter::Utf16BE : QStringConverter::Utf16LE);
        return decoder.decode(bytes);
    }
    case TextEncoding::UTF8:
        break;
    }
    return QString::fromUtf8(bytes);
}

} // namespace TextCodec
