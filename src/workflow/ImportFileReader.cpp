#include "ImportFileReader.h"

#include "model/DatabaseFile.h"

#include <QFile>

namespace ImportFileReader {

bool readWholeFile(const QString &path, QByteArray *data, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot open (%1)").arg(file.errorString());
        return false;
    }
    if (file.size() > DatabaseFile::MaximumFileSize) {
        if (error)
            *error = QStringLiteral("too large");
        return false;
    }
    *data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("cannot read (%1)").arg(file.errorString());
        return false;
    }
    return true;
}

} // namespace ImportFileReader
