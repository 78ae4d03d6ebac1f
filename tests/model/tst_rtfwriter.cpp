#include "model/RtfWriter.h"
#include "model/TextUtils.h"

#include <QGuiApplication>
#include <QtTest>

namespace {

QByteArray body(const QByteArray &rtf)
{
    // The text follows the font size control word and its delimiting space.
    const qsizetype start = rtf.indexOf(' ', rtf.indexOf("\n\\f0\\fs")) + 1;
    return rtf.mid(start, rtf.size() - start - 1);
}

} // namespace

class TestRtfWriter : public QObject
{
    Q_OBJECT

private slots:
    void documentFrame()
    {
        const QByteArray rtf = RtfWriter::RTFData("Hello", "Helvetica", 12);
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi"));
        QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fswiss\\fcharset0 Helvetica;}}"));
        QVERIFY(rtf.contains("\\fs24 "));
        QVERIFY(rtf.endsWith("}"));
        QCOMPARE(body(rtf), QByteArray("Hello"));
        QVERIFY(RtfWriter::RTFData("x", "Helvetica", 10.5).contains("\\fs21 "));
        QVERIFY(RtfWriter::RTFData("x", "Helvetica", 0).contains("\\fs24 "));
        // A font name cannot end its table entry early or open a group.
        QVERIFY(RtfWriter::RTFData("x", "Odd;{Font}", 12).contains("\\fcharset0 Odd\\{Font\\};}}"));
    }

    void escaping()
    {
        QCOMPARE(body(RtfWriter::RTFData("a\\b{c}d", "Helvetica", 12)), QByteArray("a\\\\b\\{c\\}d"));
        QCOMPARE(body(RtfWriter::RTFData("a\tb\x01"
                                         "c",
                                         "Helvetica", 12)),
                 QByteArray("a\\tab b"
                            "c"));
        // Braces always balance, whatever the text.
        const QByteArray rtf = RtfWriter::RTFData("}}{ \\{", "Helvetica", 12);
        int depth = 0;
        for (qsizetype i = 0; i < rtf.size(); ++i) {
            if (rtf.at(i) == '\\') {
                ++i;
                continue;
            }
            depth += rtf.at(i) == '{' ? 1 : rtf.at(i) == '}' ? -1 : 0;
            QVERIFY(depth > 0 || i == rtf.size() - 1);
        }
        QCOMPARE(depth, 0);
    }

    void lineBreaks()
    {
        QCOMPARE(body(RtfWriter::RTFData("a\nb\r\nc\rd", "Helvetica", 12)),
                 QByteArray("a\\par\nb\\par\nc\\par\nd"));
        QCOMPARE(body(RtfWriter::RTFData(QString("a") + QChar(0x2029) + "b" + QChar(0x2028) + "c",
                                         "Helvetica", 12)),
                 QByteArray("a\\par\nb\\line c"));
    }

    void unicode()
    {
        QCOMPARE(body(RtfWriter::RTFData(QString::fromUtf8("caf\xC3\xA9"), "Helvetica", 12)),
                 QByteArray("caf\\u233\\'e9"));
        QCOMPARE(body(RtfWriter::RTFData(QString::fromUtf8("\xE2\x82\xAC"), "Helvetica", 12)),
                 QByteArray("\\u8364?"));
        // Units above 32767 are negative; a character outside the BMP is its two surrogates.
        QCOMPARE(body(RtfWriter::RTFData(QString(QChar(0xFFFD)), "Helvetica", 12)), QByteArray("\\u-3?"));
        QCOMPARE(body(RtfWriter::RTFData(QString::fromUtf8("\xF0\x9F\x98\x80"), "Helvetica", 12)),
                 QByteArray("\\u-10179?\\u-8704?"));
        const QByteArray rtf = RtfWriter::RTFData(QString::fromUtf8("\xC3\xA4\xE4\xB8\xAD"), "Helvetica", 12);
        for (const char c : rtf)
            QVERIFY(static_cast<unsigned char>(c) < 0x80);
    }

    void applicationFont()
    {
        QGuiApplication::setFont(QFont("DejaVu Sans", 13));
        const QByteArray rtf = TextUtils::RTFData("x");
        QVERIFY(rtf.contains("DejaVu Sans;"));
        QVERIFY(rtf.contains("\\fs26 "));
    }
};

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
