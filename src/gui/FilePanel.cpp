#include "FilePanel.h"

#include <QFileDialog>

namespace {

bool s_scripted = false;
QList<QStringList> s_answers;
QList<FilePanel::Shown> s_shown;

QStringList scriptedAnswer()
{
    return s_answers.isEmpty() ? QStringList() : s_answers.takeFirst();
}

} // namespace

QString FilePanel::openFileName(QWidget *parent, const QString &title, const QString &directory,
                                const QString &filter)
{
    s_shown.append({Open, title, directory, filter});
    if (s_scripted) {
        const QStringList answer = scriptedAnswer();
        return answer.isEmpty() ? QString() : answer.first();
    }
    return QFileDialog::getOpenFileName(parent, title, directory, filter);
}

QStringList FilePanel::openFileNames(QWidget *parent, const QString &title, const QString &directory,
                                     const QString &filter)
{
    s_shown.append({OpenMany, title, directory, filter});
    if (s_scripted)
        return scriptedAnswer();
    return QFileDialog::getOpenFileNames(parent, title, directory, filter);
}

QString FilePanel::saveFileName(QWidget *parent, const QString &title, const QString &proposedPath,
                                const QString &filter)
{
    s_shown.append({Save, title, proposedPath, filter});
    if (s_scripted) {
        const QStringList answer = scriptedAnswer();
        return answer.isEmpty() ? QString() : answer.first();
    }
    return QFileDialog::getSaveFileName(parent, title, proposedPath, filter);
}

void FilePanel::setScripted(bool scripted)
{
    s_scripted = scripted;
}

bool FilePanel::isScripted()
{
    return s_scripted;
}

void FilePanel::setNextAnswer(const QString &path)
{
    s_answers.append(path.isEmpty() ? QStringList() : QStringList{path});
}

void FilePanel::setNextAnswer(const QStringList &paths)
{
    s_answers.append(paths);
}

const QList<FilePanel::Shown> &FilePanel::shownPanels()
{
    return s_shown;
}

void FilePanel::clearShownPanels()
{
    s_shown.clear();
    s_answers.clear();
}
