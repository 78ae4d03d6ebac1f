#pragma once

#include "model/FileError.h"

#include <QDate>
#include <QString>
#include <QStringList>

// The names the export panels propose, the extensions they add, and the words of their endings.
namespace ExportTexts {

// The links page's index file.
QString proposedPageName();
// "Links Database 2026-12-07": the day as an ISO date, without extension.
QString proposedSpreadsheetName(const QDate &date);
// A name made from a title for a file of the user's folder: no folder separators, no leading dot,
// never empty.
QString fileNameFromTitle(const QString &title, const QString &fallback);

// The path with ".extension" added unless it already ends with one of `accepted` (ignoring case).
// A bare name ("index") and a name with another ending ("index.php") both get the extension.
QString pathWithExtension(const QString &path, const QString &extension,
                          const QStringList &accepted = QStringList());

// "1 file was created." / "3 files were created."
QString filesCreatedMessage(int files);
// "1 link was exported." / "3 links were exported."
QString linksExportedMessage(int links);
// "12 characters cannot be written in Mac OS Roman and would become '?'" (the encoding's name).
QString unwritableCharactersMessage(int characters, const QString &encodingName);

// Why an export wrote nothing, as the command-line tool prints it: the file and the reason.
QString failureText(const QString &path, const FileError &error);
// The same in the user's language for the window, the file named under the reason.
QString failureMessage(const QString &path, const FileError &error);

} // namespace ExportTexts
