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
    // An ISO date, so that a folder of exports lists them by day in every language.
    return Tr::tr("Links Database %1").arg(date.toString(Qt::ISODate));
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
    return (files == 1 ? Tr::tr("%1 file was created.") : Tr::tr("%1 files were created.")).arg(files);
}

QString linksExportedMessage(int links)
{
    return (links == 1 ? Tr::tr("%1 link was exported.") : Tr::tr("%1 links were exported.")).arg(links);
}

QString unwritableCharactersMessage(int characters, const QString &encodingName)
{
    return (characters == 1 ? Tr::tr("%L1 character cannot be written in %2 and would become '?'.")
                            : Tr::tr("%L1 characters cannot be written in %2 and would become '?'."))
        .arg(characters)
        .arg(encodingName);
}

} // namespace ExportTexts
