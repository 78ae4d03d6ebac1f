// Parsing and analysing links pages: the real pages of ../shared/real-pages (or the folder given),
// each analysed a few times, the fastest time of each in thread CPU time per megabyte.
//
// usage: bench_page_analysis [FOLDER]
//        bench_page_analysis --dump PAGE_URL FILE OWN_URL...   the analysis as JSON, one per address
#include "verify/PageAnalyzer.h"
#include "verify/PageDecoder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

QJsonObject asJson(const PageAnalysis &analysis)
{
    QJsonArray links;
    for (const OwnSiteLink &link : analysis.links)
        links.append(QJsonObject{{"href", link.href},
                                 {"rel", QJsonArray::fromStringList(link.rel)},
                                 {"text", link.text},
                                 {"hidden", link.hidden}});
    return QJsonObject{{"links", links},
                       {"result", analysis.linkVisible()},
                       {"addressFound", analysis.addressFound},
                       {"followed", analysis.followed},
                       {"anchorText", analysis.anchorText},
                       {"rel", QJsonArray::fromStringList(analysis.rel)},
                       {"noindex", analysis.noindex},
                       {"nofollowPage", analysis.nofollowPage},
                       {"canonical", analysis.canonical},
                       {"parsed", analysis.parsed}};
}

int dump(const QStringList &arguments)
{
    QFile file(arguments.value(1));
    if (arguments.size() < 3 || !file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "usage: bench_page_analysis --dump PAGE_URL FILE OWN_URL...\n");
        return 1;
    }
    const QString text = PageDecoder::decode(file.readAll());
    QJsonArray results;
    for (const QString &own : arguments.mid(2))
        results.append(asJson(PageAnalyzer(own).analyze(text, QUrl(arguments.at(0)), QByteArray())));
    std::fputs(QJsonDocument(results).toJson(QJsonDocument::Compact).constData(), stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    if (arguments.value(0) == QLatin1String("--dump"))
        return dump(arguments.mid(1));

    const QString folder = arguments.value(0, QStringLiteral(QM_SOURCE_DIR "/../shared/real-pages"));
    const QStringList names = QDir(folder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    if (names.isEmpty()) {
        std::printf("no pages in %s: give a folder of .html files\n", qPrintable(folder));
        return 0;
    }
    const PageAnalyzer analyzer(QStringLiteral("http://www.mysite.example/"));
    QList<double> perMB;
    double totalMs = 0;
    qint64 totalBytes = 0;
    for (const QString &name : names) {
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        const QString text = PageDecoder::decode(bytes);
        double best = 1e9;
        for (int run = 0; run < 5; ++run) {
            const double start = threadMilliseconds();
            const PageAnalysis analysis =
                analyzer.analyze(text, QUrl(QStringLiteral("http://127.0.0.1/")), {});
            best = std::min(best, threadMilliseconds() - start);
        }
        const double mb = bytes.size() / (1024.0 * 1024.0);
        perMB << best / mb;
        totalMs += best;
        totalBytes += bytes.size();
        std::printf("%9lld bytes %8.3f ms %8.1f ms/MB  %s\n", qint64(bytes.size()), best, best / mb,
                    qPrintable(name));
    }
    std::sort(perMB.begin(), perMB.end());
    std::printf("%lld pages, %.1f MB: median %.1f ms/MB, worst %.1f ms/MB, all together %.1f ms/MB\n",
                qint64(perMB.size()), totalBytes / (1024.0 * 1024.0), perMB.at(perMB.size() / 2),
                perMB.last(), totalMs / (totalBytes / (1024.0 * 1024.0)));
    return 0;
}
