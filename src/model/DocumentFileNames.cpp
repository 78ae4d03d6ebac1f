#include "DocumentFileNames.h"

#include "model/TextUtils.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace DocumentFileNames {

namespace {

// Well below the 255 bytes of most file systems, leaving room for the extension and a backup mark,
// and counted in UTF-16 units so that even four-byte characters stay within it.
constexpr int MaximumFileNameLength = 60;

bool isRefused(QChar c)
{
    static const QString Refused = QStringLiteral("/\\:*?\"<>|");
    return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format || Refused.contains(c);
}

// The folders of a path, innermost first.
QStringList foldersOf(const QString &path)
{
    QStringList folders = QFileInfo(path).absolutePath().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    std::reverse(folders.begin(), folders.end());
    return folders;
}

// The last `count` folders, outermost first ("a/x"); the whole folder path starts at the root.
QString lastFolders(const QStringList &innermostFirst, int count, bool markRoot)
{
    QStringList shown = innermostFirst.mid(0, count);
    std::reverse(shown.begin(), shown.end());
    const QString joined = shown.join(QLatin1Char('/'));
    return QDir::toNativeSeparators(markRoot && count >= innermostFirst.size() ? u'/' + joined : joined);
}

} // namespace

QString fileNameForTitle(const QString &title, const QString &fallback)
{
    QString name;
    name.reserve(title.size());
    for (const QChar c : title)
        name.append(isRefused(c) || c.isSpace() ? QChar(u' ') : c);
    name = name.simplified();
    while (name.startsWith(u'.') || name.startsWith(u' '))
        name.remove(0, 1);
    name = TextUtils::stringWithMaxLength(name, MaximumFileNameLength);
    while (name.endsWith(u'.') || name.endsWith(u' '))
        name.chop(1);
    return (name.isEmpty() ? fallback : name) + QStringLiteral(".site");
}

QStringList recentFileLabels(const QStringList &paths)
{
    QHash<QString, QStringList> pathsByName;
    for (const QString &path : paths)
        pathsByName[QFileInfo(path).fileName()].append(path);

    QStringList labels;
    labels.reserve(paths.size());
    for (const QString &path : paths) {
        const QString name = QFileInfo(path).fileName();
        const QStringList &namesakes = pathsByName.value(name);
        if (namesakes.size() < 2) {
            labels.append(name);
            continue;
        }
        // The fewest last folders that no namesake shares.
        const QStringList folders = foldersOf(path);
        int depth = 1;
        for (; depth < folders.size(); ++depth) {
            const QString mine = lastFolders(folders, depth, false);
            const bool shared = std::any_of(namesakes.cbegin(), namesakes.cend(), [&](const QString &other) {
                return other != path && lastFolders(foldersOf(other), depth, false) == mine;
            });
            if (!shared)
                break;
        }
        labels.append(QStringLiteral("%1 \u2014 %2").arg(name, lastFolders(folders, depth, true)));
    }
    return labels;
}

} // namespace DocumentFileNames
