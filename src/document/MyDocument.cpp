#include "MyDocument.h"

#include "model/DatabaseFile.h"
#include "model/Preferences.h"

#include <QFileInfo>

MyDocument::MyDocument(QWidget *parent) : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    updateTitle();
}

MyDocument::~MyDocument() = default;

bool MyDocument::readFromFile(const QString &path, QString *error)
{
    if (!DatabaseFile::read(path, m_collectionManager, error))
        return false;
    m_filePath = path;
    m_collectionManager.computeNotifications();
    updateTitle();
    return true;
}

bool MyDocument::saveToFile(const QString &path, QString *error)
{
    if (!DatabaseFile::write(m_collectionManager, path, error,
                             Preferences::boolValue(Preferences::CreateBackupFiles)))
        return false;
    m_filePath = path;
    setWindowModified(false);
    updateTitle();
    return true;
}

void MyDocument::updateChangeCount()
{
    setWindowModified(true);
}

void MyDocument::updateTitle()
{
    const QString name = m_filePath.isEmpty() ? tr("Untitled") : QFileInfo(m_filePath).fileName();
    setWindowTitle(name + QStringLiteral("[*]"));
}
