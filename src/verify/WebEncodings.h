#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The character encodings of the web, by the labels browsers accept for them: "latin1", "ascii"
// and "iso-8859-1" all name windows-1252, "gb2312" names GBK, "utf-16" names UTF-16LE, and a label
// browsers do not know ("utf-7", an EBCDIC code page) names nothing, so a page cannot make us read
// it differently from the way its visitors see it. Decoding goes through Qt's codecs.
class WebEncodings
{
public:
    static inline const QByteArray Utf8 = QByteArrayLiteral("UTF-8");
    static inline const QByteArray Utf16LE = QByteArrayLiteral("UTF-16LE");
    static inline const QByteArray Utf16BE = QByteArrayLiteral("UTF-16BE");
    static inline const QByteArray Windows1252 = QByteArrayLiteral("windows-1252");
    static inline const QByteArray UserDefined = QByteArrayLiteral("x-user-defined");

    // The encoding's name for a label (white space around it and letter case do not matter); empty
    // when browsers know no such label.
    static QByteArray nameForLabel(QByteArrayView label);

    // The bytes as text in the named encoding; none when this system has no codec for it.
    static std::optional<QString> decode(const QByteArray &bytes, const QByteArray &name);
};
