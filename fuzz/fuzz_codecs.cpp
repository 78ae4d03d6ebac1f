// The text codecs: the 8-bit encodings decode every byte to one character and encode it back to the
// same byte; valid UTF-8 and any UTF-16 text round-trip; what an encoding holds comes back; the
// percent escapes of mail links and the RTF of clipboard copies are plain ASCII, and the escapes
// decode to the text.

#include "FuzzSupport.h"
#include "model/MacRomanCodec.h"
#include "model/RtfWriter.h"
#include "model/TextCodec.h"
#include "model/TextUtils.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>

namespace {

bool isAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

bool hasLoneSurrogate(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return true;
    }
    return false;
}

// UTF-8 has no byte-order mark of its own: a text that starts with U+FEFF reads back as if it had one.
QString asReadFromUtf8(const QString &text)
{
    return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.left(64).toHex(' '));
}

void checkEightBit(const QByteArray &bytes, TextEncoding encoding)
{
    const QString text = TextCodec::decode(bytes, encoding);
    FUZZ_CHECK(text.size() == bytes.size(),
               QStringLiteral("%1: one character per byte").arg(TextCodec::encodingName(encoding)));
    bool ok = false;
    const QByteArray again = TextCodec::encode(text, encoding, &ok);
    FUZZ_CHECK(ok && again == bytes, QStringLiteral("%1: %2 came back as %3")
                                         .arg(TextCodec::encodingName(encoding), hex(bytes), hex(again)));
}

// Any text: what the encoding holds comes back, the rest is replaced and said so.
void checkEncoding(const QString &text, TextEncoding encoding)
{
    bool ok = false;
    const QByteArray bytes = TextCodec::encodeWithReplacement(text, encoding, '#', &ok);
    const QString decoded = TextCodec::decode(bytes, encoding);
    const QString name = TextCodec::encodingName(encoding);
    // The count the export asks with is the number of replacements the encoder makes.
    const int lost = TextCodec::unencodableCharacterCount(text, encoding);
    const bool eightBit = encoding == TextEncoding::MacOSRoman || encoding == TextEncoding::ISOLatin1;
    const qsizetype replaced = eightBit ? bytes.count('#') - TextCodec::precomposed(text).count(u'#') : 0;
    FUZZ_CHECK(
        lost == replaced && (lost == 0) == ok,
        name + QStringLiteral(" counted %1 characters it cannot hold, replaced %2").arg(lost).arg(replaced));
    switch (encoding) {
    case TextEncoding::UTF8:
    case TextEncoding::UTF16: {
        FUZZ_CHECK(ok, name + QStringLiteral(" refused a character"));
        if (!hasLoneSurrogate(text))
            FUZZ_CHECK(decoded == (encoding == TextEncoding::UTF8 ? asReadFromUtf8(text) : text),
                       name + QStringLiteral(" lost characters of ") + text);
        break;
    }
    case TextEncoding::MacOSRoman:
    case TextEncoding::ISOLatin1:
        if (ok)
            FUZZ_CHECK(decoded == TextCodec::precomposed(text),
                       name + QStringLiteral(" lost characters of ") + text);
        else
            FUZZ_CHECK(bytes.contains('#'), name + QStringLiteral(" reported a loss without replacing"));
        break;
    }
}

void checkEscapes(const QString &text, TextEncoding encoding)
{
    bool lossless = false;
    const QString escaped = TextUtils::stringByAddingPercentEscapesWithEncoding(text, encoding, &lossless);
    const QByteArray ascii = escaped.toLatin1();
    FUZZ_CHECK(isAscii(ascii) && QString::fromLatin1(ascii) == escaped,
               QStringLiteral("escapes are not ASCII: ") + escaped);
    if (text.contains(u'\n') || text.contains(u'\r') || hasLoneSurrogate(text))
        return;
    const QByteArray unescaped = QByteArray::fromPercentEncoding(ascii);
    if (encoding == TextEncoding::UTF8)
        FUZZ_CHECK(QString::fromUtf8(unescaped) == asReadFromUtf8(text),
                   QStringLiteral("escapes do not decode: ") + escaped);
    else if (lossless && encoding != TextEncoding::UTF16)
        FUZZ_CHECK(TextCodec::decode(unescaped, encoding) == TextCodec::precomposed(text),
                   QStringLiteral("escapes do not decode: ") + escaped);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::setUp();
    const QByteArray bytes = FuzzSupport::bytes(data, size);
    const TextEncoding encodings[] = {TextEncoding::UTF8, TextEncoding::UTF16, TextEncoding::MacOSRoman,
                                      TextEncoding::ISOLatin1};

    checkEightBit(bytes, TextEncoding::ISOLatin1);
    checkEightBit(bytes, TextEncoding::MacOSRoman);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString fromUtf8 = utf8.decode(bytes);
    if (!utf8.hasError()) {
        const QByteArray withoutMark = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
        FUZZ_CHECK(TextCodec::encode(fromUtf8, TextEncoding::UTF8) == withoutMark,
                   QStringLiteral("UTF-8 changed ") + hex(bytes));
    }

    // The bytes as UTF-16 units, lone surrogates and all, then as UTF-8 text.
    QString units(bytes.size() / 2, Qt::Uninitialized);
    std::memcpy(units.data(), bytes.constData(), size_t(units.size()) * 2);
    for (const QString &text : {units, fromUtf8}) {
        for (const TextEncoding encoding : encodings) {
            checkEncoding(text, encoding);
            checkEscapes(text, encoding);
        }
        FUZZ_CHECK(isAscii(RtfWriter::RTFData(text, QStringLiteral("Helvetica"), 12)),
                   QStringLiteral("RTF is not ASCII"));
    }
    return 0;
}
