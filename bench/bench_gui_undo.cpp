// Undo and redo in the document window on a 10,000-link database, as the user sees them: from the
// Edit menu item until the lists are refreshed and the touched links selected again. Commands: a
// status change, a delete and a drop of 1,000 selected links, and a replace-import of all links.
// Usage: bench_gui_undo   (runs offscreen unless a platform is chosen)
#include "UndoBenchDatabase.h"
#include "document/CategoryListController.h"
#include "document/CategoryListModel.h"
#include "document/DocumentController.h"
#include "document/DocumentMenus.h"
#include "document/FileCommands.h"
#include "document/LinkDeleteCommands.h"
#include "document/LinkListController.h"
#include "document/MyDocument.h"
#include "gui/MessageBox.h"
#include "model/CollectionManager.h"
#include "model/DatabaseFile.h"
#include "model/Preferences.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int Links = 10000;
constexpr int Selected = 1000;
constexpr int Runs = 5;

double milliseconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    QApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

bool scattered = false;

// 1,000 links of the shown category, selected: the first rows (a Shift-click), or every other row
// (a thousand Ctrl-clicks, the worst case for the list's selection).
void selectSome(MyDocument *document)
{
    document->showAndSelectCategoryNode(document->collectionManager().categoryRoot()->childAtIndex(1));
    LinkListController *links = document->linkListController();
    QStringList ids;
    for (int row = 0; row < links->rowCount() && ids.size() < Selected; row += scattered ? 2 : 1)
        ids.append(links->linkIDAtRow(row));
    document->selectLinksWithIDs(ids);
}

void report(MyDocument *document, const char *name, const std::function<void()> &command)
{
    double doing = 1e18, undoing = 1e18, redoing = 1e18;
    const DocumentMenus &menus = *document->menus();
    for (int run = 0; run < Runs; ++run) {
        selectSome(document);
        doing = std::min(doing, milliseconds(command));
        undoing = std::min(undoing, milliseconds([&] { menus.action(ActionId::Undo)->trigger(); }));
        redoing = std::min(redoing, milliseconds([&] { menus.action(ActionId::Redo)->trigger(); }));
        menus.action(ActionId::Undo)->trigger(); // the next run starts from the same database
    }
    std::printf("%-32s command %7.1f ms, undo %6.1f ms, redo %6.1f ms  (%s)\n", name, doing, undoing, redoing,
                qPrintable(menus.action(ActionId::Redo)->text().remove(QLatin1Char('&'))));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    Preferences::useSettingsFile(folder.filePath(QStringLiteral("settings.ini")));
    MessageBox::setScripted(true);

    CollectionManager store;
    fillUndoBenchDatabase(store, Links);
    const QString path = folder.filePath(QStringLiteral("undo.site"));
    DatabaseFile::write(store, path);
    // The same IDs with other contents, for the replace-import.
    for (TreeNode *node : store.allLinkNodes()) {
        LinkFields f = node->link()->fields();
        f.title = QStringLiteral("Imported ") + f.title;
        store.editLinkNode(node, f);
    }
    const QString imported = folder.filePath(QStringLiteral("imported.site"));
    DatabaseFile::write(store, imported);

    DocumentController controller;
    MyDocument *document = controller.openDocument(path);
    document->show();
    QApplication::processEvents();

    for (const bool scatteredRows : {false, true}) {
        scattered = scatteredRows;
        std::printf("%s\n", scattered ? "1,000 links on every other row:" : "1,000 links on adjacent rows:");
        report(document, "status of 1,000 links",
               [&] { document->menus()->action(ActionId::SetStatusApproved)->trigger(); });
        report(document, "delete 1,000 links",
               [&] { document->commandArea<LinkDeleteCommands>()->deleteLinkSheetDidEnd(1); });
        report(document, "drop 1,000 links", [&] {
            LinkListController *links = document->linkListController();
            QModelIndexList dragged;
            for (const QString &id : document->selectedLinkIDs())
                dragged << links->model()->index(links->rowOfLinkID(id), 0);
            std::unique_ptr<QMimeData> data(links->model()->mimeData(dragged));
            CategoryListModel *categories = document->categoryListController()->model();
            categories->dropMimeData(data.get(), Qt::MoveAction, -1, 0, categories->index(5));
        });
        report(document, "replace-import of 10,000 links", [&] {
            MessageBox::setNextAnswer(1); // Replace
            document->commandArea<FileCommands>()->importLinksFromFile(imported);
        });
    }
    document->setWindowModified(false);
    delete document;
    return 0;
}
