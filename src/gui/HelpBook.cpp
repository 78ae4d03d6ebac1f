#include "HelpBook.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

namespace HelpBook {

namespace {

const QString Folder = QStringLiteral(":/help");

Viewer &installedViewer()
{
    static Viewer viewer;
    return viewer;
}

QMap<QString, QUrl> collectAnchors()
{
    QMap<QString, QUrl> found;
    static const QRegularExpression anchorPattern(
        QStringLiteral("<a\\s+(?:[^>]*\\s)?name\\s*=\\s*\"(Quillmarsh[A-Za-z0-9]+)\""),
        QRegularExpression::CaseInsensitiveOption);
    QDirIterator pages(Folder, {QStringLiteral("*.html")}, QDir::Files);
    QStringList paths;
    while (pages.hasNext())
        paths.append(pages.next());
    paths.sort(); // the first page naming an anchor wins, whatever order the resources come in
    for (const QString &path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString html = QString::fromUtf8(file.readAll());
        QRegularExpressionMatchIterator it = anchorPattern.globalMatch(html);
        while (it.hasNext()) {
            const QString anchor = it.next().captured(1);
            if (!found.contains(anchor))
                found.insert(anchor, QUrl(QStringLiteral("qrc") + path));
        }
    }
    return found;
}

} // namespace

QUrl contentsUrl()
{
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}

const QMap<QString, QUrl> &anchors()
{
    static const QMap<QString, QUrl> table = collectAnchors();
    return table;
}

QUrl urlForAnchor(const QString &anchor)
{
    const auto found = anchors().constFind(anchor);
    if (found == anchors().constEnd())
        return contentsUrl();
    QUrl url = found.value();
    url.setFragment(anchor);
    return url;
}

void setViewer(Viewer viewer)
{
    installedViewer() = std::move(viewer);
}

void showHelp(const QString &anchor, QWidget *requester)
{
    if (installedViewer())
        installedViewer()(anchor, requester);
}

} // namespace HelpBook
