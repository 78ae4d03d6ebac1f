#include "ExportPanel.h"

#include "gui/FilePanel.h"
#include "gui/MessageBox.h"
#include "publish/ExportTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ExportPanel {

QString chooseExportPath(QWidget *parent, const QString &databasePath, const QString &title,
                         const QString &proposedName, const QString &filter, const QString &extension,
                         const QStringList &acceptedExtensions)
{
    const QString folder = databasePath.isEmpty() ? QDir::homePath() : QFileInfo(databasePath).absolutePath();
    const QString chosen =
        FilePanel::saveFileName(parent, title, QDir(folder).filePath(proposedName), filter);
    if (chosen.isEmpty())
        return QString();
    const QString path = ExportTexts::pathWithExtension(chosen, extension, acceptedExtensions);
    // The panel asked about the name as typed; the completed name is another file.
    if (path != chosen && QFileInfo::exists(path)) {
        const QFileInfo info(path);
        const int answer = MessageBox::alert(
            parent,
            QCoreApplication::translate("ExportPanel", "\"%1\" already exists. Do you want to replace it?")
                .arg(info.fileName()),
            QCoreApplication::translate("ExportPanel",
                                        "A file with the same name already exists in \"%1\". Replacing it "
                                        "overwrites its contents.")
                .arg(QDir::toNativeSeparators(info.absolutePath())),
            {QCoreApplication::translate("ExportPanel", "Cancel"),
             QCoreApplication::translate("ExportPanel", "Replace")},
            MessageBox::Warning, 0);
        if (answer != 1)
            return QString();
    }
    return path;
}

} // namespace ExportPanel
