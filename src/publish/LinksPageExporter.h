#pragma once

#include "model/FileError.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class CollectionManager;
class TreeNode;

// Writes the links page to disk as the site profile's layout says: one page, or an index page and
// one page per category beside it, all or nothing; and copies the same page for the clipboard.
class LinksPageExporter
{
    Q_DECLARE_TR_FUNCTIONS(LinksPageExporter)

public:
    // Writes the links page to `path` (and, per category, beside it). Nothing is written when a
    // category's anchor cannot name a file; `error` is then NotMade and names the category. A file
    // that cannot be written is named in `failedPath`.
    static bool exportHTMLWithCollectionManager(const CollectionManager &collectionManager,
                                                const QString &path, FileError *error = nullptr,
                                                QString *failedPath = nullptr);
    // What the Copy commands put on the clipboard: the body of the page the export writes for the
    // database's layout (for pasting into a page of the user's own), a category's part of it, and its
    // styles.
    static QString clipboardPage(const CollectionManager &collectionManager);
    static QString clipboardCategory(const CollectionManager &collectionManager,
                                     const TreeNode *categoryNode);
    static QString clipboardStyles(const CollectionManager &collectionManager);
    static int numberOfHTMLFilesForCollectionManager(const CollectionManager &collectionManager);
    // Why the per-category pages cannot sit beside the index file `indexFileName` (an anchor that is
    // not a plain file name, two pages or a page and the index sharing a name); null when they can.
    static QString problemWithPageFileNames(const CollectionManager &collectionManager,
                                            const QString &indexFileName);
    // Letters and digits only: such an anchor names a file inside the export folder and nothing else.
    static bool isPlainAnchor(const QString &anchor);
    // One sentence per link the page leaves out because its address is no web address (a database
    // written by an older version may hold "javascript:" ones), naming the link; with `named` at 0
    // or more, only that many, then one sentence that counts the rest.
    static QStringList leftOutLinkSentences(const CollectionManager &collectionManager, int named = -1);
};
