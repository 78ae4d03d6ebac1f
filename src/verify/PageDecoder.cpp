#include "PageDecoder.h"

#include <QStringDecoder>

QString PageDecoder::decode(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                          : QStringConverter::Utf16BE);
        return utf16(bytes.mid(2));
    }
    // Stateful decoding leaves a sequence cut by the end of the bytes (a capped body) pending
    // instead of counting it as an error.
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}
