// Replays saved inputs through a harness without libFuzzer: every file named, and every file in
// every folder named. The test suite runs it over the seeds and the regression inputs, so an input
// that once failed keeps being checked in every build.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

bool replay(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot open\n", qPrintable(path));
        return false;
    }
    const QByteArray input = file.readAll();
    std::fprintf(stderr, "%s\n", qPrintable(path));
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(input.constData()), size_t(input.size()));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE-OR-FOLDER...\n", argv[0]);
        return 1;
    }
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        if (!QFileInfo(path).isDir()) {
            if (!replay(path))
                return 1;
            ++replayed;
            continue;
        }
        const QDir folder(path);
        for (const QString &name : folder.entryList(QDir::Files, QDir::Name)) {
            if (!replay(folder.filePath(name)))
                return 1;
            ++replayed;
        }
    }
    std::fprintf(stderr, "%d inputs replayed\n", replayed);
    return 0;
}
