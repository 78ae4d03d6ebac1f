// The HTTP clients that fetches leave behind are deleted on a thread of their own. That thread must
// be joined while the application object goes: a thread still running its event loop while the
// static destructors of Qt run corrupts the heap at exit, now and then.
#include "verify/PageFetcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QNetworkAccessManager>
#include <cstdio>

namespace {

int threadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

} // namespace

int main(int argc, char *argv[])
{
    const int before = threadCount();
    {
        QCoreApplication app(argc, argv);
        QNetworkAccessManager shared;
        for (int i = 0; i < 3; ++i)
            PageFetcher fetcher(&shared); // each makes a client of its own and retires it
    }
    const int after = threadCount();
    if (after != before) {
        std::fprintf(stderr, "FAIL: %d threads before the application object, %d after it\n", before, after);
        return 1;
    }
    std::printf("PASS: no thread outlives the application object\n");
    return 0;
}
