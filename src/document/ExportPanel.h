#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The save panel of the export commands: it proposes a name beside the database file (in the home
// folder for a database never saved), adds the extension the user left out, and asks before the
// name so completed replaces a file that the panel could not warn about.
namespace ExportPanel {

// The chosen path with its extension, or an empty string when the user cancelled. `databasePath`
// is the database's file (empty when never saved); the panel and the question are modal to `parent`.
QString chooseExportPath(QWidget *parent, const QString &databasePath, const QString &title,
                         const QString &proposedName, const QString &filter, const QString &extension,
                         const QStringList &acceptedExtensions = QStringList());

} // namespace ExportPanel
