// Load and save times of generated databases, to check that both grow linearly.
// Usage: bench_database [OUT_DIR]   (writes bench-10000.site and bench-50000.site there)
#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <cstdio>

namespace {

// Half of the links in one category, the rest spread over 19 others; titles in random order.
void generate(CollectionManager &store, int links)
{
    QRandomGenerator random(42);
    QList<QString> categories;
    for (int i = 0; i < 20; ++i)
        categories.append(
            store.addCategoryWithName(QStringLiteral("Category %1").arg(i), QStringLiteral("c%1").arg(i))
                ->attachmentID());
    LinkFields f;
    f.status = LinkStatusApproved;
    f.lastStatusChangedOn = QDate(2024, 1, 1);
    for (int i = 0; i < links; ++i) {
        f.categoryID = i % 2 == 0 ? categories[0] : categories[1 + i % 19];
        f.title = QStringLiteral("Partner %1").arg(random.bounded(1000000));
        f.URL = QStringLiteral("http://www.partner%1.example/").arg(i);
        f.description = QStringLiteral("A partner site about things number %1").arg(i);
        store.addLinkFromFields(f);
    }
}

template <typename F> double bestOf(int runs, F &&work)
{
    double best = 1e18;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    double loadMs[2] = {}, saveMs[2] = {};
    const int sizes[2] = {10000, 50000};
    for (int s = 0; s < 2; ++s) {
        CollectionManager store;
        generate(store, sizes[s]);
        const QString path = QDir(dir).filePath(QStringLiteral("bench-%1.site").arg(sizes[s]));
        // Saving and opening as the application does: streamed through the file, not held whole.
        saveMs[s] = bestOf(5, [&] { DatabaseFile::write(store, path); });
        loadMs[s] = bestOf(5, [&] {
            CollectionManager loaded;
            DatabaseFile::read(path, loaded);
        });
        QByteArray data;
        const double blockMs = bestOf(3, [&] { data = store.dataRepresentation(); });
        std::printf("%6d links: in-memory block of %lld bytes made in %.1f ms\n", sizes[s],
                    static_cast<long long>(data.size()), blockMs);
        std::printf("%6d links: open %8.1f ms, save %8.1f ms  -> %s\n", sizes[s], loadMs[s], saveMs[s],
                    qPrintable(path));
    }
    std::printf("50k/10k ratio: load %.2f, save %.2f (linear is 5)\n", loadMs[1] / loadMs[0],
                saveMs[1] / saveMs[0]);
    return 0;
}
