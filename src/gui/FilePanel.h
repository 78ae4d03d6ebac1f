#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// Every open and save panel of the application goes through here, so tests can script the chosen
// files and no test ever waits on a modal panel.
class FilePanel
{
public:
    enum Kind
    {
        Open,
        OpenMany,
        Save
    };

    struct Shown
    {
        Kind kind;
        QString title;
        QString proposedPath; // the folder, or the folder and the proposed file name
        QString filter;       // "Web pages (*.html)", several separated by ";;"
    };

    // The chosen file, or an empty string when the user cancelled. A save panel asks before it
    // replaces an existing file.
    static QString openFileName(QWidget *parent, const QString &title, const QString &directory,
                                const QString &filter = QString());
    static QStringList openFileNames(QWidget *parent, const QString &title, const QString &directory,
                                     const QString &filter = QString());
    static QString saveFileName(QWidget *parent, const QString &title, const QString &proposedPath,
                                const QString &filter = QString());

    // --- For tests
    // From now on panels are never shown: each takes the next queued answer (a path, several paths
    // for OpenMany, or an empty list to cancel), or cancels when none is queued.
    static void setScripted(bool scripted);
    static bool isScripted();
    static void setNextAnswer(const QString &path);
    static void setNextAnswer(const QStringList &paths);
    static const QList<Shown> &shownPanels();
    static void clearShownPanels();
};
