// The HTTP clients that fetches leave behind are deleted on a thread of their own. That thread must
// be joined while the application object goes: a thread still running its event loop while the
// static destructors of Qt run corrupts the heap at exit, now and then.
#include "verify/PageFetcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QNetworkAccessManager>
#include <chrono>
#include <cstdio>
#include <thread>

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
    // A joined thread may still be leaving the system's list for a moment (Qt's threads are
    // detached); one that was never joined stays for good.
    int after = threadCount();
    for (int waited = 0; after != before && waited < 5000; waited += 10) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        after = threadCount();
    }
    if (after != before) {
        std::fprintf(stderr, "FAIL: %d threads before the application object, %d after it\n", before, after);
        return 1;
    }
    std::printf("PASS: no thread outlives the application object\n");
    return 0;
}
