#include "LinksPageExporter.h"

#include "HTMLBuilder.h"
#include "ResponsivePageBuilder.h"
#include "ResponsiveStyleSheet.h"

#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/OutputFile.h"
#include "model/PublishingRules.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

// The categories that get a page of their own: every one but the default, when it has a link to show.
bool hasOwnPage(const CollectionManager &collectionManager, const TreeNode *node)
{
    const Category *category = node->category();
    return category && !category->isNone() &&
           PublishingRules::numberOfPublishableLinksInCategory(collectionManager.selfInfo(), node) > 0;
}

} // namespace

QString LinksPageExporter::clipboardPage(const CollectionManager &collectionManager)
{
    if (ResponsivePageBuilder::isChosen(collectionManager))
        return ResponsivePageBuilder(collectionManager).bodyContent();
    return HTMLBuilder(collectionManager).clipboardString();
}

QString LinksPageExporter::clipboardCategory(const CollectionManager &collectionManager,
                                             const TreeNode *categoryNode)
{
    if (ResponsivePageBuilder::isChosen(collectionManager))
        return ResponsivePageBuilder(collectionManager).categorySection(categoryNode);
    return HTMLBuilder(collectionManager).clipboardStringForCategory(categoryNode);
}

QString LinksPageExporter::clipboardStyles(const CollectionManager &collectionManager)
{
    if (ResponsivePageBuilder::isChosen(collectionManager))
        return QStringLiteral("<style>\n") + ResponsiveStyleSheet::styleSheet(collectionManager) +
               QStringLiteral("</style>\n");
    return HTMLBuilder(collectionManager).stylesClipboardString();
}

int LinksPageExporter::numberOfHTMLFilesForCollectionManager(const CollectionManager &collectionManager)
{
    if (collectionManager.selfInfo().renderMode() == RenderModeSinglePage ||
        ResponsivePageBuilder::isChosen(collectionManager))
        return 1;
    int count = 1;
    for (const TreeNode *node : collectionManager.categoryRoot()->children()) {
        if (hasOwnPage(collectionManager, node))
            ++count;
    }
    return count;
}

bool LinksPageExporter::isPlainAnchor(const QString &anchor)
{
    if (anchor.isEmpty())
        return false;
    for (const QChar c : anchor) {
        if (!c.isLetterOrNumber())
            return false;
    }
    return true;
}

QString LinksPageExporter::problemWithPageFileNames(const CollectionManager &collectionManager,
                                                    const QString &indexFileName)
{
    // Compared without case: on a case-insensitive disk "News.html" and "news.html" are one file.
    QHash<QString, QString> takenBy;
    takenBy.insert(indexFileName.toCaseFolded(), QString());
    for (const TreeNode *node : collectionManager.categoryRoot()->children()) {
        if (!hasOwnPage(collectionManager, node))
            continue;
        const Category *category = node->category();
        if (!isPlainAnchor(category->anchor()))
            return tr("The ID \"%1\" of the category \"%2\" cannot be used as a file name. Give the category "
                      "an "
                      "ID made of letters and digits only.")
                .arg(category->anchor(), category->name());
        const QString fileName = category->anchor() + QStringLiteral(".html");
        const auto taken = takenBy.constFind(fileName.toCaseFolded());
        if (taken != takenBy.constEnd()) {
            if (taken->isNull())
                return tr("The page of the category \"%1\" would replace the file \"%2\". Choose another "
                          "file "
                          "name or give the category another ID.")
                    .arg(category->name(), indexFileName);
            return tr("The categories \"%1\" and \"%2\" would both be written to the file \"%3\". Give one "
                      "of "
                      "them another ID.")
                .arg(*taken, category->name(), fileName);
        }
        takenBy.insert(fileName.toCaseFolded(), category->name());
    }
    return QString();
}

QStringList LinksPageExporter::leftOutLinkSentences(const CollectionManager &collectionManager, int named)
{
    const std::vector<const Link *> links = PublishingRules::linksLeftOutForTheirAddress(collectionManager);
    QStringList sentences;
    for (const Link *link : links) {
        if (named >= 0 && sentences.size() == named) {
            const qsizetype more = qsizetype(links.size()) - named;
            sentences.append(more == 1 ? tr("1 more link is left out for the same reason.")
                                       : tr("%1 more links are left out for the same reason.").arg(more));
            break;
        }
        sentences.append(
            tr("The link \"%1\" is left out of the page: its address \"%2\" is not a web address.")
                .arg(link->title(), link->URL()));
    }
    return sentences;
}

bool LinksPageExporter::exportHTMLWithCollectionManager(const CollectionManager &collectionManager,
                                                        const QString &path, FileError *error,
                                                        QString *failedPath)
{
    const QFileInfo info(path);
    const HTMLBuilder builder(collectionManager, info.fileName());
    const bool responsive = ResponsivePageBuilder::isChosen(collectionManager);
    if (responsive || collectionManager.selfInfo().renderMode() == RenderModeSinglePage) {
        const QString page =
            responsive ? ResponsivePageBuilder(collectionManager).page() : builder.HTMLForSinglePage();
        if (DatabaseFile::writeAtomically(path, page.toUtf8(), error))
            return true;
        if (failedPath)
            *failedPath = path;
        return false;
    }

    // The category pages go beside the index page: beside a device or a pipe is no place for them.
    if (OutputFile::isStream(path)) {
        return FileError::fail(error, FileError::Kind::NotMade,
                               tr("This links page has one page per category, which are written beside the "
                                  "index page; name a file in a folder, not a device or a pipe."));
    }
    // Every page name is checked before the first file is written.
    const QString problem = problemWithPageFileNames(collectionManager, info.fileName());
    if (!problem.isNull())
        return FileError::fail(error, FileError::Kind::NotMade, problem);
    const QDir folder = info.absoluteDir();
    // All pages or none: a full disk must not leave an index page pointing at old category pages.
    QList<std::pair<QString, QByteArray>> pages;
    for (const TreeNode *node : collectionManager.categoryRoot()->children()) {
        const Category *category = node->category();
        if (!category)
            continue;
        QString target;
        if (category->isNone())
            target = path;
        else if (hasOwnPage(collectionManager, node))
            target = folder.filePath(category->anchor() + QStringLiteral(".html"));
        else
            continue;
        pages.append({target, builder.HTMLForCategoryPageWithCategory(node).toUtf8()});
    }
    if (pages.isEmpty())
        return FileError::fail(error, FileError::Kind::NotMade, tr("There is nothing to export."));
    QString failed;
    if (OutputFile::writeAll(pages, error, &failed))
        return true;
    if (failedPath)
        *failedPath = failed;
    return false;
}
