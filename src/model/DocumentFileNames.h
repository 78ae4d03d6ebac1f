#pragma once

#include <QString>
#include <QStringList>

// The names the document layer shows or proposes for database files. No widgets.
namespace DocumentFileNames {

// A file name (without extension) made from a site's title: characters that file systems or
// desktops refuse or misread (path separators, control characters, \ : * ? " < > |) become
// spaces, runs of spaces become one, leading dots and spaces and trailing dots and spaces go, and
// the name is cut to a length every common file system takes; then ".site" is added. `fallback`
// (with the extension) when nothing usable is left.
QString fileNameForTitle(const QString &title, const QString &fallback);

// One menu label per path: the file name, followed for files whose names occur more than once by
// as many of the last folders as tell them apart ("links.site — 2023/site").
QStringList recentFileLabels(const QStringList &paths);

} // namespace DocumentFileNames
