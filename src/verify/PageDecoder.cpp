#include "PageDecoder.h"

#include "CharsetPrescan.h"
#include "WebEncodings.h"

#include <QStringDecoder>

namespace {

QByteArray byteOrderMark(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return WebEncodings::Utf8;
    if (bytes.startsWith("\xFE\xFF"))
        return WebEncodings::Utf16BE;
    if (bytes.startsWith("\xFF\xFE"))
        return WebEncodings::Utf16LE;
    return QByteArray();
}

bool isUtf8(const QByteArray &bytes)
{
    // Stateful decoding leaves a sequence cut by the end of the bytes (a capped body) pending
    // instead of counting it as an error.
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes); // decoded only when taken as a string
    return !utf8.hasError();
}

// Declared encodings this system has no codec for are passed over like unknown ones.
bool decodable(const QByteArray &name)
{
    return !name.isEmpty() && WebEncodings::decode(QByteArray(), name).has_value();
}

} // namespace

QByteArray PageDecoder::encodingOf(const QByteArray &bytes, const QByteArray &contentType)
{
    if (const QByteArray mark = byteOrderMark(bytes); !mark.isEmpty())
        return mark;
    if (const QByteArray declared = CharsetPrescan::charsetParameter(contentType); decodable(declared))
        return declared;
    if (const QByteArray declared = CharsetPrescan::encodingOf(bytes); decodable(declared))
        return declared;
    return isUtf8(bytes) ? WebEncodings::Utf8 : WebEncodings::Windows1252;
}

QString PageDecoder::decode(const QByteArray &bytes, const QByteArray &contentType)
{
    const QByteArray encoding = encodingOf(bytes, contentType);
    const qsizetype mark = byteOrderMark(bytes).isEmpty() ? 0 : encoding == WebEncodings::Utf8 ? 3 : 2;
    return WebEncodings::decode(bytes.sliced(mark), encoding).value_or(QString());
}
