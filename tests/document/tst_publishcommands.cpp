// The window's publishing commands, wired once: Check My Links Page reads a page served on
// 127.0.0.1 and lists the partner missing from it; Publish Links Page keeps its destination in the
// database and lists, without sending, what would go to the server.
#include "DocumentFixture.h"
#include "HttpTestServer.h"

#include "document/DocumentMenus.h"
#include "document/OwnPageCommands.h"
#include "document/PublishSiteCommands.h"
#include "history/ui/OwnPageCheckDialogController.h"
#include "publish/PublishDestination.h"
#include "publish/ResponsivePageBuilder.h"
#include "publish/ui/PublishDialogController.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

class TestPublishCommands : public QObject
{
    Q_OBJECT

private slots:
    void checkAndPublishFromTheWindow()
    {
        DocumentFixture fixture;
        HttpTestServer server;
        QVERIFY(server.listen());
        DatabaseBuilder db;
        SiteProfileTexts profile;
        profile.title = "Marsh";
        profile.URL = "http://marsh.example/";
        profile.linksURL = server.url("/links.html");
        db.store().setSiteProfile(profile);
        db.link("Alder", LinkStatusApproved, "http://alder.example/");
        server.setResponse("/links.html",
                           HttpTestServer::Response::page(ResponsivePageBuilder(db.store()).page().toUtf8()));
        db.link("Heron", LinkStatusApproved, "http://heron.example/");
        MyDocument *document = fixture.open(db);
        QVERIFY(document);

        document->menus()->action(ActionId::CheckOwnPage)->trigger();
        OwnPageCheckDialogController *window = document->commandArea<OwnPageCommands>()->window();
        QVERIFY(window && window->isVisible());
        QTRY_COMPARE(window->table()->rowCount(), 1);
        QCOMPARE(window->table()->item(0, 0)->text(), QString("Heron"));
        QCOMPARE(window->table()->item(0, 1)->text(), QString("Missing from the page"));
        QVERIFY(window->summaryLabel()->text().contains("1 partner needs attention"));

        document->menus()->action(ActionId::PublishLinksPage)->trigger();
        PublishDialogController *dialog = document->commandArea<PublishSiteCommands>()->dialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->focusWidget(), dialog->hostField());
        dialog->hostField()->setText("127.0.0.1");
        dialog->userField()->setText("ann");
        dialog->folderField()->setText("/srv/www/links");
        dialog->passwordField()->setText("secret");
        dialog->dryRunButton()->click();
        QTRY_VERIFY(!document->commandArea<PublishSiteCommands>()->isRunning());
        QTRY_COMPARE(dialog->table()->rowCount(), 1);
        QCOMPARE(dialog->table()->item(0, 1)->text(), QString("would-send"));
        const PublishDestination kept =
            PublishDestination::fromCollectionManager(document->collectionManager());
        QCOMPARE(kept.text(), QString("sftp://ann@127.0.0.1:22/srv/www/links"));
        QVERIFY(document->isWindowModified());
        // The password stays out of the database.
        for (const NamedString &entry : document->collectionManager().namedStrings())
            QVERIFY(!entry.value().contains("secret"));
    }
};

QTEST_MAIN(TestPublishCommands)
#include "tst_publishcommands.moc"
