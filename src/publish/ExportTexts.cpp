#include "ExportTexts.h"

#include <QCoreApplication>
#include <QDir>
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

QString failureText(const QString &path, const FileError &error)
{
    // A page that was not made says why in its own words; the file was never touched.
    if (error.kind() == FileError::Kind::NotMade)
        return error.text();
    return QCoreApplication::translate("SpreadsheetBuilder", "The file \"%1\" could not be written (%2).")
        .arg(QDir::toNativeSeparators(path), error.text());
}

QString failureMessage(const QString &path, const FileError &error)
{
    if (error.kind() == FileError::Kind::NotMade)
        return error.message();
    return Tr::tr("%1\n\nFile: %2").arg(error.message(), QDir::toNativeSeparators(path));
}

} // namespace ExportTexts
