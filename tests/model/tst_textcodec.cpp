#include "model/MacRomanCodec.h"
#include "model/TextCodec.h"

#include <QSet>
#include <QtTest>

class TestTextCodec : public QObject
{
    Q_OBJECT

private slots:
    void macRomanTable()
    {
        QCOMPARE(MacRomanCodec::characterForByte(0x41), char32_t(U'A'));
        QCOMPARE(MacRomanCodec::characterForByte(0x80), char32_t(0x00C4)); // Ä
        QCOMPARE(MacRomanCodec::characterForByte(0x8E), char32_t(0x00E9)); // é
        QCOMPARE(MacRomanCodec::characterForByte(0xA5), char32_t(0x2022)); // bullet
        QCOMPARE(MacRomanCodec::characterForByte(0xBD), char32_t(0x03A9)); // Omega
        QCOMPARE(MacRomanCodec::characterForByte(0xC6), char32_t(0x2206)); // increment
        QCOMPARE(MacRomanCodec::characterForByte(0xCA), char32_t(0x00A0)); // no-break space
        QCOMPARE(MacRomanCodec::characterForByte(0xDB), char32_t(0x20AC)); // euro
        QCOMPARE(MacRomanCodec::characterForByte(0xDE), char32_t(0xFB01)); // fi ligature
        QCOMPARE(MacRomanCodec::characterForByte(0xF0), char32_t(0xF8FF)); // Apple logo
        QCOMPARE(MacRomanCodec::characterForByte(0xF5), char32_t(0x0131)); // dotless i
        QCOMPARE(MacRomanCodec::characterForByte(0xFF), char32_t(0x02C7)); // caron
        // The old mapping put the currency sign at 0xDB; it has no byte now.
        QVERIFY(!MacRomanCodec::byteForCharacter(0x00A4));
        QVERIFY(!MacRomanCodec::byteForCharacter(0x1F600));
    }

    void macRomanRoundTrip()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        const QString text = MacRomanCodec::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(QSet<QChar>(text.begin(), text.end()).size(), 256); // one character per byte
        bool ok = false;
        QCOMPARE(MacRomanCodec::encode(text, &ok), all);
        QVERIFY(ok);
        QCOMPARE(TextCodec::encode(text, TextEncoding::MacOSRoman, &ok), all);
        QVERIFY(ok);
        QCOMPARE(TextCodec::decode(all, TextEncoding::MacOSRoman), text);
    }

    void unmappableCharacters()
    {
        const QString text = QString::fromUtf8("a\xE2\x82\xAC\xE4\xB8\xAD\xF0\x9F\x98\x80z"); // a € 中 😀 z
        bool ok = true;
        QCOMPARE(TextCodec::encode(text, TextEncoding::ISOLatin1, &ok), QByteArray("a???z"));
        QVERIFY(!ok);
        ok = true;
        QCOMPARE(TextCodec::encodeWithReplacement(text, TextEncoding::MacOSRoman, '_', &ok),
                 QByteArray("a\xDB__z"));
        QVERIFY(!ok);
        QCOMPARE(TextCodec::latin1WithReplacement(QString::fromUtf8("\xC3\xA9\xC3\xBF"), '?', &ok),
                 QByteArray("\xE9\xFF"));
        QVERIFY(ok);
        // A lone surrogate is not a character of any 8-bit table.
        const QString lone(QChar(0xD83D));
        QCOMPARE(MacRomanCodec::encode(lone, &ok), QByteArray("?"));
        QVERIFY(!ok);
        QCOMPARE(TextCodec::encode(lone, TextEncoding::ISOLatin1, &ok), QByteArray("?"));
        QVERIFY(!ok);
        QCOMPARE(TextCodec::encode(text, TextEncoding::UTF8, &ok), text.toUtf8());
        QVERIFY(ok);
    }

    void composedBeforeEncoding()
    {
        const QString decomposed = QString::fromUtf8("Cafe\xCC\x81"); // e + combining acute
        bool ok = false;
        QCOMPARE(TextCodec::encode(decomposed, TextEncoding::MacOSRoman, &ok), QByteArray("Caf\x8E"));
        QVERIFY(ok);
        QCOMPARE(TextCodec::encode(decomposed, TextEncoding::ISOLatin1, &ok), QByteArray("Caf\xE9"));
        QVERIFY(ok);
    }

    void utf16()
    {
        const QString text = QString::fromUtf8("A\xC3\xA9\xF0\x9F\x98\x80");
        const QByteArray bytes = TextCodec::encode(text, TextEncoding::UTF16);
        QCOMPARE(bytes, QByteArray("\xFF\xFE"
                                   "A\0"
                                   "\xE9\0"
                                   "\x3D\xD8\x00\xDE",
                                   10));
        QCOMPARE(TextCodec::decode(bytes, TextEncoding::UTF16), text);
        QCOMPARE(TextCodec::decode(QByteArray("\xFE\xFF\0A", 4), TextEncoding::UTF16), QString("A"));
        QCOMPARE(TextCodec::decode(QByteArray("A\0", 2), TextEncoding::UTF16), QString("A"));
        QVERIFY(!TextCodec::encode("x", TextEncoding::UTF8).startsWith("\xEF\xBB\xBF"));
        QCOMPARE(TextCodec::encodingName(TextEncoding::MacOSRoman), QString("Mac OS Roman"));
    }
};

QTEST_GUILESS_MAIN(TestTextCodec)
#include "tst_textcodec.moc"
