#pragma once

// Shared set-up of the document window tests: private settings, scripted alerts, panels and print
// dialogs, a recording URL opener, and databases written to a temporary folder.

#include "DatabaseBuilder.h"
#include "document/CategoryListController.h"
#include "document/CategoryListModel.h"
#include "document/DocumentController.h"
#include "document/LinkListController.h"
#include "document/MyDocument.h"
#include "gui/FilePanel.h"
#include "gui/MessageBox.h"
#include "gui/RightClickTableView.h"
#include "model/DatabaseFile.h"
#include "model/Preferences.h"
#include "model/UiLanguage.h"
#include "model/UrlOpener.h"
#include "publish/ui/PrintPanel.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class DocumentFixture
{
public:
    DocumentFixture()
    {
        Preferences::useSettingsFile(m_folder.filePath(QStringLiteral("settings.ini")));
        MessageBox::setScripted(true);
        MessageBox::clearShownAlerts();
        FilePanel::setScripted(true);
        FilePanel::clearShownPanels();
        PrintPanel::setScripted(true);
        PrintPanel::clearShownPanels();
        UrlOpener::setInstance(&m_opener);
        UiLanguage::installEnglishPlurals();
    }
    ~DocumentFixture()
    {
        UrlOpener::setInstance(nullptr);
        for (MyDocument *document : m_controller.documents()) {
            document->setWindowModified(false);
            delete document;
        }
    }

    QString path(const QString &name) const { return m_folder.filePath(name); }

    // Writes the builder's database to a file of the temporary folder.
    QString write(DatabaseBuilder &builder, const QString &name = QStringLiteral("test.site"))
    {
        const QString file = path(name);
        FileError error;
        if (!DatabaseFile::write(builder.store(), file, &error))
            qWarning("cannot write %s: %s", qPrintable(file), qPrintable(error.text()));
        return file;
    }

    MyDocument *open(DatabaseBuilder &builder, const QString &name = QStringLiteral("test.site"))
    {
        MyDocument *document = m_controller.openDocument(write(builder, name));
        if (document)
            (void)QTest::qWaitForWindowExposed(document);
        return document;
    }

    DocumentController &controller() { return m_controller; }
    RecordingUrlOpener &opener() { return m_opener; }

    // Selects the rows of the link list that show these titles.
    static void selectLinks(MyDocument *document, const QStringList &titles)
    {
        LinkListController *links = document->linkListController();
        QStringList ids;
        for (int row = 0; row < links->rowCount(); ++row) {
            if (titles.contains(links->linkNodeAtRow(row)->link()->title()))
                ids.append(links->linkIDAtRow(row));
        }
        document->selectLinksWithIDs(ids);
    }

    static QStringList shownTitles(MyDocument *document)
    {
        const QAbstractItemModel *model = document->linkListController()->model();
        QStringList titles;
        for (int row = 0; row < model->rowCount(); ++row)
            titles.append(model->index(row, LinkListController::NameColumn).data().toString());
        return titles;
    }

    static void selectCategory(MyDocument *document, const QString &name)
    {
        document->showAndSelectCategoryNode(document->collectionManager().categoryWithName(name));
    }

private:
    QTemporaryDir m_folder;
    RecordingUrlOpener m_opener;
    DocumentController m_controller;
};
