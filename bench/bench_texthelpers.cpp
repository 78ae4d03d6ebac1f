// Times the text helpers at the scale of a large database: cutting list cells to a width for
// printing, percent-escaping mail bodies, replacing placeholders and encoding an export.
#include "model/FontTextMeasurer.h"
#include "model/TextCodec.h"
#include "model/TextUtils.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    const int links = 20000;
    QStringList titles;
    titles.reserve(links);
    for (int i = 0; i < links; ++i)
        titles.append(
            QStringLiteral("Partner site number %1 with a rather long descriptive title, caf\u00e9").arg(i));

    const FontTextMeasurer measurer(QFont(QStringLiteral("DejaVu Sans"), 10));
    QElapsedTimer timer;
    timer.start();
    qsizetype total = 0;
    for (const QString &title : titles)
        total += TextUtils::truncatedStringWithMaximumWidth(title, 150, measurer).size();
    out << "truncate " << links << " titles to 150 pt: " << timer.elapsed() << " ms (" << total << ")\n";

    const QString body =
        QStringLiteral("Dear %FIRSTNAME%,\n\nI found your site %TITLE% & would like to trade "
                       "links with you. My site: %MYURL%\n\nRegards, caf\u00e9\n")
            .repeated(10);
    timer.restart();
    total = 0;
    for (int i = 0; i < links; ++i) {
        QString text = body;
        TextUtils::replaceOccurencesOfString(text, QStringLiteral("%TITLE%"), titles.at(i));
        total += TextUtils::stringByAddingPercentEscapesForControlCharacters(
                     TextUtils::stringByAddingPercentEscapesWithEncoding(text, TextEncoding::ISOLatin1))
                     .size();
    }
    out << "replace and percent-escape " << links << " mail bodies of " << body.size()
        << " units: " << timer.elapsed() << " ms (" << total << ")\n";

    const QString sheet = titles.join(u'\n');
    timer.restart();
    const QByteArray roman = TextCodec::encode(sheet, TextEncoding::MacOSRoman);
    out << "encode " << sheet.size() << " units in Mac OS Roman: " << timer.elapsed() << " ms ("
        << roman.size() << ")\n";
    return 0;
}
