#include "TestData.h"
#include "model/FontTextMeasurer.h"
#include "model/TextUtils.h"

#include <QResource>
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

} // namespace

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
        row("no match", "abc", "x", "y", "abc", 0);
        row("case-sensitive", "Abc", "a", "x", "Abc", 0);
        row("empty target", "abc", "", "y", "abc", 0);
        row("empty text", "", "a", "b", "", 0);
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
        QTest::newRow("only a delimiter") << "," << QStringList{""};
        QTest::newRow("leading delimiter") << ",a" << QStringList{"", "a"};
        QTest::newRow("no delimiter") << "abc" << QStringList{"abc"};
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

        QString text = "abc";
        QVERIFY(removeCharacterAtIndex(text, 1));
        QCOMPARE(text, QString("ac"));
        QVERIFY(!removeCharacterAtIndex(text, 2));
        QVERIFY(!removeCharacterAtIndex(text, -1));
        QCOMPARE(text, QString("ac"));
    }

    void cleanFloat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *text, const char *expected) {
            QTest::newRow(text) << QString(text) << QString(expected);
        };
        row("2.50", "2.5");
        row("3.00", "3");
        row("1.05", "1.05");
        row("100", "100");
        row("100.", "100");
        row("0.000", "0");
        row("-0.50", "-0.5");
        row(".0", "0");
        row("-.00", "0");
        row("", "");
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

    void truncation()
    {
        const FakeMeasurer m;
        QCOMPARE(truncatedStringWithMaximumWidth("abcde", 50, m), QString("abcde")); // exactly fits
        // 35 left for text after "...": three characters of 10.
        QCOMPARE(truncatedStringWithMaximumWidth("abcdefgh", 50, m), QString("abc..."));
        QCOMPARE(truncatedStringWithMaximumWidth("iiiiiiiiiiiiii", 50, m), QString("iiiiiiii..."));
        QCOMPARE(truncatedStringWithMaximumWidth("Wabc", 30, m), QString("W..."));
        QCOMPARE(truncatedStringWithMaximumWidth("abcdefgh", 15, m), QString(""));
        QCOMPARE(truncatedStringWithMaximumWidth("abcdefgh", 14, m), QString(""));
        // A surrogate pair is one character: kept whole or dropped whole.
        const QString emoji = QString::fromUtf8("ab\xF0\x9F\x98\x80"
                                                "cd");
        QCOMPARE(truncatedStringWithMaximumWidth(emoji, 45, m), QString::fromUtf8("ab\xF0\x9F\x98\x80..."));
        QCOMPARE(truncatedStringWithMaximumWidth(emoji, 44, m), QString("ab..."));
    }

    void truncationNeverExceedsWidth()
    {
        const FakeMeasurer m;
        const QString text = "WiWide iiWW mixed text";
        for (int width = 0; width <= 260; ++width) {
            const QString cut = truncatedStringWithMaximumWidth(text, width, m);
            QVERIFY2(m.width(cut) <= width, qPrintable(QString::number(width)));
            if (cut != text && !cut.isEmpty())
                QVERIFY(cut.endsWith("..."));
            QCOMPARE(cut.isEmpty(), width < m.width(text) && width <= 15);
        }
    }

    void truncationWithRealFont()
    {
        const FontTextMeasurer m(QFont("DejaVu Sans", 12));
        const QString text = "Reciprocal links for webmasters who trade them";
        QVERIFY(m.width(text) > 100);
        for (int width = 20; width < m.width(text); width += 7) {
            const QString cut = truncatedStringWithMaximumWidth(text, width, m);
            QVERIFY2(m.width(cut) <= width + 0.01, qPrintable(cut));
            QVERIFY(cut.endsWith("..."));
        }
    }

    void percentEscapes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QString>("expected");
        const auto utf8 = TextEncoding::UTF8, roman = TextEncoding::MacOSRoman,
                   latin1 = TextEncoding::ISOLatin1;
        const QString eAcute = QString::fromUtf8("\xC3\xA9");
        QTest::newRow("UTF-8 é") << eAcute << utf8 << "%C3%A9";
        QTest::newRow("Mac OS Roman é") << eAcute << roman << "%8E";
        QTest::newRow("Latin 1 é") << eAcute << latin1 << "%E9";
        QTest::newRow("decomposed é, Mac OS Roman") << QString::fromUtf8("e\xCC\x81") << roman << "%8E";
        QTest::newRow("Mac OS Roman euro") << QString::fromUtf8("\xE2\x82\xAC") << roman << "%DB";
        QTest::newRow("UTF-8 outside the BMP")
            << QString::fromUtf8("\xF0\x9F\x98\x80") << utf8 << "%F0%9F%98%80";
        QTest::newRow("space and tab") << "a b\tc" << utf8 << "a%20b%09c";
        QTest::newRow("UTF-8 LF") << "a\nb" << utf8 << "a%0Db";
        QTest::newRow("UTF-8 CRLF is one break") << "a\r\nb" << utf8 << "a%0Db";
        QTest::newRow("Mac OS Roman LF") << "a\nb\n" << roman << "a%0Db%0D";
        QTest::newRow("Latin 1 LF") << "a\nb" << latin1 << "a%0D%0Ab";
        QTest::newRow("Latin 1 CRLF stays") << "a\r\nb\rc" << latin1 << "a%0D%0Ab%0Dc";
        QTest::newRow("reserved and unreserved kept")
            << "az-_.!~*'()09;/?:@&=+$,AZ" << utf8 << "az-_.!~*'()09;/?:@&=+$,AZ";
        QTest::newRow("excluded escaped")
            << "%<>\"#{}|\\^[]`" << utf8 << "%25%3C%3E%22%23%7B%7D%7C%5C%5E%5B%5D%60";
        QTest::newRow("already escaped is escaped again") << "%20" << latin1 << "%2520";
        QTest::newRow("UTF-16 unchanged breaks")
            << QString("\n") + eAcute << TextEncoding::UTF16 << "%00%0A%00%E9";
    }

    void percentEscapes()
    {
        QFETCH(QString, text);
        QFETCH(TextEncoding, encoding);
        QFETCH(QString, expected);
        bool lossless = false;
        QCOMPARE(stringByAddingPercentEscapesWithEncoding(text, encoding, &lossless), expected);
        QVERIFY(lossless);
        if (encoding == TextEncoding::UTF8)
            QCOMPARE(stringByAddingPercentEscapes(text), expected);
    }

    void percentEscapesReportLoss()
    {
        // A character the 8-bit encoding cannot hold is sent as "?", never dropping the whole text.
        const QString text = QString::fromUtf8("1 \xE2\x82\xAC \xE4\xB8\xAD"); // "1 € 中"
        bool lossless = true;
        QCOMPARE(stringByAddingPercentEscapesWithEncoding(text, TextEncoding::ISOLatin1, &lossless),
                 QString("1%20?%20?"));
        QVERIFY(!lossless);
        lossless = true;
        QCOMPARE(stringByAddingPercentEscapesWithEncoding(text, TextEncoding::MacOSRoman, &lossless),
                 QString("1%20%DB%20?"));
        QVERIFY(!lossless);
        QCOMPARE(stringByAddingPercentEscapesWithEncoding(QString::fromUtf8("\xF0\x9F\x98\x80"),
                                                          TextEncoding::MacOSRoman),
                 QString("?"));
    }

    void controlCharacterEscapes()
    {
        const QString escaped = stringByAddingPercentEscapes("Tom & Jerry\n");
        QCOMPARE(escaped, QString("Tom%20&%20Jerry%0D"));
        QCOMPARE(stringByAddingPercentEscapesForControlCharacters(escaped), QString("Tom%20%26%20Jerry%0D"));
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
        QVERIFY(stringWithContentsOfResource("missing", "html").isNull());
        QVERIFY(stringWithContentsOfResource("greeting", "html").isNull());
        QVERIFY(stringWithContentsOfResource("", "").isNull());
    }
};

QTEST_MAIN(TestTextUtils)
#include "tst_textutils.moc"
