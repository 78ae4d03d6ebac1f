#include "TestData.h"
#include "model/DateTexts.h"
#include "model/FontTextMeasurer.h"
#include "model/MacRomanCodec.h"
#include "model/RtfWriter.h"
#include "model/TextCodec.h"
#include "model/TextUtils.h"

#include <QGuiApplication>
#include <QResource>
#include <QTranslator>
#include <QtTest>

using namespace TextUtils;

Q_DECLARE_METATYPE(TextEncoding)

namespace {

// Fixed widths per character: '.' 5 (so "..." is 15), 'i' 4, 'W' 15, anything else 10.
class FakeMeasurer : public TextMeasurer
{
public:
    qreal width(const QString &text) const override
    {
        qreal total = 0;
        for (const char32_t c : text.toUcs4())
            total += c == U'.' ? 5 : c == U'i' ? 4 : c == U'W' ? 15 : 10;
        return total;
    }
};

// The text of an RTF document: what follows the font size control word and its delimiting space.
QByteArray rtfBody(const QString &text)
{
    const QByteArray rtf = RtfWriter::RTFData(text, "Helvetica", 12);
    const qsizetype start = rtf.indexOf(' ', rtf.indexOf("\n\\f0\\fs")) + 1;
    return rtf.mid(start, rtf.size() - start - 1);
}

} // namespace

// The text helpers: string operations, the codecs, RTF and dates.
class TestTextUtils : public QObject
{
    Q_OBJECT

private slots:
    void replaceOccurences_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("count");
        const auto row = [](const char *name, const char *text, const char *target, const char *replacement,
                            const char *expected, int count) {
            QTest::newRow(name) << QString(text) << QString(target) << QString(replacement)
                                << QString(expected) << count;
        };
        row("growing replacement ends", "aaa", "a", "aa", "aaaaaa", 3);
        row("replacement holds target", "x x", "x", "xyx", "xyx xyx", 2);
        row("left to right, no overlap", "aaa", "aa", "b", "ba", 1);
        row("removal", "abcabc", "bc", "", "aa", 2);
        row("at both ends", "%a%", "%", "%25", "%25a%25", 2);
        row("case-sensitive", "Abc", "a", "x", "Abc", 0);
        row("empty target", "abc", "", "y", "abc", 0);
    }

    void replaceOccurences()
    {
        QFETCH(QString, text);
        QFETCH(QString, target);
        QFETCH(QString, replacement);
        QFETCH(QString, expected);
        QFETCH(int, count);
        QCOMPARE(stringByReplacingOccurencesOfString(text, target, replacement), expected);
        QString inPlace = text;
        QCOMPARE(replaceOccurencesOfString(inPlace, target, replacement), count);
        QCOMPARE(inPlace, expected);
    }

    void splitWithDelimiter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("empty piece kept") << "a,,b" << QStringList{"a", "", "b"};
        QTest::newRow("no empty last piece") << "a,b," << QStringList{"a", "b"};
        QTest::newRow("empty text") << "" << QStringList{};
        QTest::newRow("leading delimiter") << ",a" << QStringList{"", "a"};
    }

    void splitWithDelimiter()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, pieces);
        QCOMPARE(TextUtils::splitWithDelimiter(text, u','), pieces);
    }

    void lineBreaksAndEntities()
    {
        // Spreadsheet cells: a CRLF pair is one space there, but two in oneLineString.
        QCOMPARE(stringByRemovingTabDelimiters("a\r\nb\rc\td\ne"), QString("a b c d e"));
        QCOMPARE(stringByRemovingTabDelimiters("\n\r"), QString("  "));
        QCOMPARE(oneLineString("a\r\nb"), QString("a  b"));
        QCOMPARE(oneLineString(" a "), QString(" a "));
        QCOMPARE(HTMLString("&lt;b> \"q\""), QString("&amp;lt;b&gt; \"q\""));
        const QString escaped = stringByAddingPercentEscapes("Tom & Jerry\n");
        QCOMPARE(stringByAddingPercentEscapesForControlCharacters(escaped), QString("Tom%20%26%20Jerry%0D"));
    }

    void cleanFloat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const std::pair<const char *, const char *> rows[] = {
            {"2.50", "2.5"}, {"3.00", "3"},     {"1.05", "1.05"}, {"100", "100"}, {"100.", "100"},
            {"0.000", "0"},  {"-0.50", "-0.5"}, {".0", "0"},      {"-.00", "0"},  {"", ""}};
        for (const auto &[text, expected] : rows)
            QTest::newRow(text) << QString(text) << QString(expected);
    }

    void cleanFloat()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(TextUtils::cleanFloat(text), expected);
    }

    void stringWithMaxLength()
    {
        QCOMPARE(TextUtils::stringWithMaxLength("abc", 2), QString("ab"));
        QCOMPARE(TextUtils::stringWithMaxLength("abc", 3), QString("abc"));
        QCOMPARE(TextUtils::stringWithMaxLength("abc", 0), QString(""));
        // Never half a surrogate pair: that would store a broken character.
        const QString emoji = QString::fromUtf8("a\xF0\x9F\x98\x80"); // a + U+1F600
        QCOMPARE(TextUtils::stringWithMaxLength(emoji, 2), QString("a"));
        QCOMPARE(TextUtils::stringWithMaxLength(emoji, 3), emoji);
    }

    void isValidURL_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        for (const char *valid : {"http://example.com", "https://a", "file:///tmp/x.html", "xhttp://a",
                                  "http://bücher.example/", "https://bücher.example:8080/x"})
            QTest::newRow(valid) << QString::fromUtf8(valid) << true;
        for (const char *invalid : {"", "http://", "https://", "ftp://example.com", "www.example.com",
                                    "HTTP://example.com", "http://example.com/ä", "http://bü cher/"})
            QTest::newRow(invalid) << QString::fromUtf8(invalid) << false;
    }

    void isValidURL()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(TextUtils::isValidURL(text), valid);
    }

    void truncationNeverExceedsWidth()
    {
        const FakeMeasurer fake;
        // 35 left for text after "...": three characters of 10.
        QCOMPARE(truncatedStringWithMaximumWidth("abcdefgh", 50, fake), QString("abc..."));
        QCOMPARE(truncatedStringWithMaximumWidth("iiiiiiiiiiiiii", 50, fake), QString("iiiiiiii..."));
        QCOMPARE(truncatedStringWithMaximumWidth("Wabc", 30, fake), QString("W..."));
        // A surrogate pair is one character: kept whole or dropped whole.
        const QString emoji = QString::fromUtf8("ab\xF0\x9F\x98\x80"
                                                "cd");
        QCOMPARE(truncatedStringWithMaximumWidth(emoji, 45, fake),
                 QString::fromUtf8("ab\xF0\x9F\x98\x80..."));
        QCOMPARE(truncatedStringWithMaximumWidth(emoji, 44, fake), QString("ab..."));
        const FontTextMeasurer font(QFont("DejaVu Sans", 12));
        const QString text = "Reciprocal links: WiWide iiWW mixed text";
        QVERIFY(font.width(text) > 100);
        for (const TextMeasurer *m : std::initializer_list<const TextMeasurer *>{&fake, &font}) {
            for (int width = 0; width <= m->width(text) + 1; ++width) {
                const QString cut = truncatedStringWithMaximumWidth(text, width, *m);
                QVERIFY2(m->width(cut) <= width + 0.01, qPrintable(QString::number(width)));
                QCOMPARE(cut == text, width >= m->width(text));
                if (cut != text && !cut.isEmpty())
                    QVERIFY(cut.endsWith("..."));
                if (m == &fake)
                    QCOMPARE(cut.isEmpty(), width < m->width(text) && width <= 15);
            }
        }
    }

    void percentEscapes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("lossless");
        const auto utf8 = TextEncoding::UTF8, roman = TextEncoding::MacOSRoman,
                   latin1 = TextEncoding::ISOLatin1;
        const QString eAcute = QString::fromUtf8("\xC3\xA9");
        QTest::newRow("UTF-8 é") << eAcute << utf8 << "%C3%A9" << true;
        QTest::newRow("Mac OS Roman é") << eAcute << roman << "%8E" << true;
        QTest::newRow("Latin 1 é") << eAcute << latin1 << "%E9" << true;
        QTest::newRow("decomposed é, Mac OS Roman")
            << QString::fromUtf8("e\xCC\x81") << roman << "%8E" << true;
        QTest::newRow("Mac OS Roman euro") << QString::fromUtf8("\xE2\x82\xAC") << roman << "%DB" << true;
        QTest::newRow("UTF-8 outside the BMP")
            << QString::fromUtf8("\xF0\x9F\x98\x80") << utf8 << "%F0%9F%98%80" << true;
        QTest::newRow("space and tab") << "a b\tc" << utf8 << "a%20b%09c" << true;
        QTest::newRow("UTF-8 LF") << "a\nb" << utf8 << "a%0Db" << true;
        QTest::newRow("UTF-8 CRLF is one break") << "a\r\nb" << utf8 << "a%0Db" << true;
        QTest::newRow("Mac OS Roman LF") << "a\nb\n" << roman << "a%0Db%0D" << true;
        QTest::newRow("Latin 1 CRLF stays") << "a\r\nb\rc" << latin1 << "a%0D%0Ab%0Dc" << true;
        QTest::newRow("reserved and unreserved kept")
            << "az-_.!~*'()09;/?:@&=+$,AZ" << utf8 << "az-_.!~*'()09;/?:@&=+$,AZ" << true;
        QTest::newRow("excluded escaped")
            << "%<>\"#{}|\\^[]`" << utf8 << "%25%3C%3E%22%23%7B%7D%7C%5C%5E%5B%5D%60" << true;
        QTest::newRow("already escaped is escaped again") << "%20" << latin1 << "%2520" << true;
        QTest::newRow("UTF-16 unchanged breaks")
            << QString("\n") + eAcute << TextEncoding::UTF16 << "%00%0A%00%E9" << true;
        // A character the 8-bit encoding cannot hold is sent as "?", never dropping the whole text.
        const QString loss = QString::fromUtf8("1 \xE2\x82\xAC \xE4\xB8\xAD"); // "1 € 中"
        QTest::newRow("Latin 1 loss") << loss << latin1 << "1%20?%20?" << false;
        QTest::newRow("Mac OS Roman loss") << loss << roman << "1%20%DB%20?" << false;
        QTest::newRow("Mac OS Roman outside the BMP")
            << QString::fromUtf8("\xF0\x9F\x98\x80") << roman << "?" << false;
    }

    void percentEscapes()
    {
        QFETCH(QString, text);
        QFETCH(TextEncoding, encoding);
        QFETCH(QString, expected);
        QFETCH(bool, lossless);
        bool wasLossless = !lossless;
        QCOMPARE(stringByAddingPercentEscapesWithEncoding(text, encoding, &wasLossless), expected);
        QCOMPARE(wasLossless, lossless);
        if (encoding == TextEncoding::UTF8)
            QCOMPARE(stringByAddingPercentEscapes(text), expected);
    }

    void resources()
    {
        QVERIFY(QResource::registerResource(QM_TEST_DATA_DIR "/text/resources.rcc"));
        // The root wins over a deeper file of the same name.
        QCOMPARE(stringWithContentsOfResource("greeting", "txt"), QString("root greeting\n"));
        // Else the shallowest, then the first by path; the text is UTF-8.
        QCOMPARE(stringWithContentsOfResource("preview", "html"), QString::fromUtf8("pr\xC3\xA9view b\n"));
        QCOMPARE(stringWithContentsOfResource("a/x/preview", "html"), QString("preview a/x\n"));
        QCOMPARE(stringWithContentsOfResource("README", ""), QString("no extension\n"));
        QVERIFY(stringWithContentsOfResource("greeting", "html").isNull());
    }

    void macRomanCodec()
    {
        QCOMPARE(TextCodec::decode("A\x80\x8E\xA5\xBD\xC6\xCA\xDB\xDE\xF0\xF5\xFF", TextEncoding::MacOSRoman),
                 QString::fromUtf16(u"A\u00C4\u00E9\u2022\u03A9\u2206\u00A0\u20AC\uFB01\uF8FF\u0131\u02C7"));
        // The old mapping put the currency sign at 0xDB; it has no byte now.
        QVERIFY(!MacRomanCodec::byteForCharacter(0x00A4));
        QVERIFY(!MacRomanCodec::byteForCharacter(0x1F600));
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        bool ok = false; // one character per byte, each back to its byte
        QCOMPARE(TextCodec::encode(TextCodec::decode(all, TextEncoding::MacOSRoman), TextEncoding::MacOSRoman,
                                   &ok),
                 all);
        QVERIFY(ok);
    }

    void unmappableAndComposedCharacters()
    {
        const QString text = QString::fromUtf8("a\xE2\x82\xAC\xE4\xB8\xAD\xF0\x9F\x98\x80z"); // a € 中 😀 z
        bool ok = true;
        QCOMPARE(TextCodec::encode(text, TextEncoding::ISOLatin1, &ok), QByteArray("a???z"));
        QVERIFY(!ok);
        QCOMPARE(TextCodec::encodeWithReplacement(text, TextEncoding::MacOSRoman, '_', &ok),
                 QByteArray("a\xDB__z"));
        QVERIFY(!ok);
        const QString decomposed = QString::fromUtf8("Cafe\xCC\x81"); // e + combining acute
        QCOMPARE(TextCodec::encode(decomposed, TextEncoding::MacOSRoman, &ok), QByteArray("Caf\x8E"));
        QVERIFY(ok);
        QCOMPARE(TextCodec::encode(decomposed, TextEncoding::ISOLatin1, &ok), QByteArray("Caf\xE9"));
        QVERIFY(ok);
    }

    void utf16()
    {
        const QString text = QString::fromUtf8("A\xC3\xA9\xF0\x9F\x98\x80");
        const QByteArray bytes = TextCodec::encode(text, TextEncoding::UTF16);
        QCOMPARE(bytes, QByteArray::fromHex("fffe4100e9003dd800de"));
        QCOMPARE(TextCodec::decode(bytes, TextEncoding::UTF16), text);
        QCOMPARE(TextCodec::decode(QByteArray("\xFE\xFF\0A", 4), TextEncoding::UTF16), QString("A"));
        QCOMPARE(TextCodec::decode(QByteArray("A\0", 2), TextEncoding::UTF16), QString("A"));
        QVERIFY(!TextCodec::encode("x", TextEncoding::UTF8).startsWith("\xEF\xBB\xBF"));
        QCOMPARE(TextCodec::encodingName(TextEncoding::MacOSRoman), QString("Mac OS Roman"));
    }

    void rtfDocument()
    {
        const QByteArray rtf = RtfWriter::RTFData("Hello", "Helvetica", 12);
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi"));
        QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fswiss\\fcharset0 Helvetica;}}"));
        QVERIFY(rtf.contains("\\fs24 Hello}"));
        QVERIFY(RtfWriter::RTFData("x", "Helvetica", 10.5).contains("\\fs21 "));
        QVERIFY(RtfWriter::RTFData("x", "Helvetica", 0).contains("\\fs24 "));
        // A font name cannot end its table entry early or open a group.
        QVERIFY(RtfWriter::RTFData("x", "Odd;{Font}", 12).contains("\\fcharset0 Odd\\{Font\\};}}"));
        QGuiApplication::setFont(QFont("DejaVu Sans", 13));
        QVERIFY(TextUtils::RTFData("x").contains("DejaVu Sans;"));
        QVERIFY(TextUtils::RTFData("x").contains("\\fs26 "));
    }

    void rtfText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("body");
        // Braces always balance, whatever the text.
        QTest::newRow("escapes") << "a\\b{c}d}}{" << QByteArray("a\\\\b\\{c\\}d\\}\\}\\{");
        QTest::newRow("tab, control dropped") << "a\tb\x01"
                                                 "c"
                                              << QByteArray("a\\tab bc");
        QTest::newRow("breaks") << "a\nb\r\nc\rd" << QByteArray("a\\par\nb\\par\nc\\par\nd");
        QTest::newRow("separators") << QString("a") + QChar(0x2029) + "b" + QChar(0x2028) + "c"
                                    << QByteArray("a\\par\nb\\line c");
        QTest::newRow("Latin 1") << QString::fromUtf8("caf\xC3\xA9") << QByteArray("caf\\u233\\'e9");
        QTest::newRow("euro") << QString::fromUtf8("\xE2\x82\xAC") << QByteArray("\\u8364?");
        // Units above 32767 are negative; a character outside the BMP is its two surrogates.
        QTest::newRow("U+FFFD") << QString(QChar(0xFFFD)) << QByteArray("\\u-3?");
        QTest::newRow("outside the BMP")
            << QString::fromUtf8("\xF0\x9F\x98\x80") << QByteArray("\\u-10179?\\u-8704?");
    }

    void rtfText()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, body);
        QCOMPARE(rtfBody(text), body);
    }

    void dates()
    {
        using namespace DateTexts;
        QCOMPARE(stringForDate(QDate(2005, 3, 5)), QString("March 5, 2005"));
        QCOMPARE(shortStringForDate(QDate(2005, 3, 5)), QString("Mar 05, 2005"));
        QCOMPARE(stringForDate(QDate(1999, 12, 31)), QString("December 31, 1999"));
        QCOMPARE(shortStringForDate(QDate(1999, 12, 31)), QString("Dec 31, 1999"));
        QCOMPARE(stringForDate(QDate(987, 1, 1)), QString("January 1, 987"));
        for (const int month : {0, 13, -1})
            QCOMPARE(stringForMonth(month) + shortStringForMonth(month), QString(""));
        QCOMPARE(stringForDate(QDate()), QString(""));
        QCOMPARE(shortStringForDate(QDate(2005, 2, 30)), QString(""));

        // The German catalogue puts the day first and has its own short month names.
        QTranslator german;
        QVERIFY(german.load("quillmarsh_de", ":/i18n"));
        QVERIFY(QCoreApplication::installTranslator(&german));
        QCOMPARE(stringForDate(QDate(2005, 3, 5)), QString::fromUtf8("5. M\xC3\xA4rz 2005"));
        QCOMPARE(shortStringForDate(QDate(2005, 10, 5)), QString("05. Okt. 2005"));
        QCoreApplication::removeTranslator(&german);
        QCOMPARE(stringForDate(QDate(2005, 3, 5)), QString("March 5, 2005"));
    }
};

QTEST_MAIN(TestTextUtils)
#include "tst_textutils.moc"
