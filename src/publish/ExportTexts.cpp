#include "ExportTexts.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace ExportTexts {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(ExportTexts)
};

} // namespace

QString proposedPageName()
{
    return QStringLiteral("index.html");
}

QString proposedSpreadsheetName(const QDate &date)
{
    QString name = Tr::tr("Links Database MM-DD-YYYY");
    name.replace(QLatin1String("MM"), QString::asprintf("%02d", date.month()));
    name.replace(QLatin1String("DD"), QString::asprintf("%02d", date.day()));
    name.replace(QLatin1String("YYYY"), QString::number(date.year()));
    return name;
}

QString fileNameFromTitle(const QString &title, const QString &fallback)
{
    QString name = title.simplified();
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    name.replace(QLatin1Char('\\'), QLatin1Char('-'));
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    return name.trimmed().isEmpty() ? fallback : name.trimmed();
}

QString pathWithExtension(const QString &path, const QString &extension, const QStringList &accepted)
{
    if (path.isEmpty())
        return path;
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(extension, Qt::CaseInsensitive) == 0 || accepted.contains(suffix, Qt::CaseInsensitive))
        return path;
    return path.endsWith(QLatin1Char('.')) ? path + extension : path + QLatin1Char('.') + extension;
}

QString filesCreatedMessage(int files)
{
    return Tr::tr("%n file(s) were created.", nullptr, files);
}

QString linksExportedMessage(int links)
{
    return Tr::tr("%n link(s) were exported.", nullptr, links);
}

QString unwritableCharactersMessage(int characters, const QString &encodingName)
{
    return Tr::tr("%Ln character(s) cannot be written in %1 and would become '?'.", nullptr, characters)
        .arg(encodingName);
}

} // namespace ExportTexts
