#include "CliCommand.h"

#include "model/CollectionManager.h"
#include "publish/StatisticsChartPainter.h"

namespace {

int runChart(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QStringList files;
    int view = -1;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--view")) {
            bool ok = false;
            view = i + 1 < arguments.size() ? arguments.at(i + 1).toInt(&ok) : -1;
            if (!ok || view < 0 || view > 2)
                return Cli::usage(QStringLiteral("chart"), err);
            ++i;
        } else {
            files.append(arguments.at(i));
        }
    }
    const QString output = files.value(1);
    const bool pdf = output.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
    const bool png = output.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    if (files.size() != 2 || view < 0 || !(pdf || png))
        return Cli::usage(QStringLiteral("chart"), err);
    CollectionManager store;
    if (!Cli::openDatabase(files.at(0), store, err))
        return ExitBadFile;
    // The history tells the links found but not followed.
    const StatisticsChartPainter painter(
        store, view,
        view == 0 ? Cli::readRecordedChecks(files.at(0), QStringLiteral("chart"), err) : RecordedChecks());
    FileError error;
    // The PDF is the printed page; the image is the chart as the statistics sheet shows it.
    const bool written = pdf ? painter.writePagePdf(output, QPageSize(QPageSize::A4), &error)
                             : painter.writeImage(output, QSize(560, 300), &error);
    if (!written) {
        err << output << ": " << error.text() << Qt::endl;
        return ExitBadFile;
    }
    out << output << Qt::endl;
    return ExitOk;
}

const CliRegistration registration(
    {QStringLiteral("chart"),
     QStringLiteral("FILE.site --view 0|1|2 OUT.pdf|OUT.png"),
     QStringLiteral(QT_TRANSLATE_NOOP(
         "CliCommand", "Draw a statistics chart: a printed A4 page as PDF, or the chart alone as PNG.")),
     runChart,
     true,
     {{QStringLiteral("--view 0|1|2"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand", "The chart: 0 the latest verification results, 1 the "
                                                      "link statuses, 2 the original requests."))}}});

} // namespace
