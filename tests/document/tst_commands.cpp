#include "DocumentFixture.h"
#include "document/DetailsView.h"
#include "document/DocumentMenus.h"
#include "document/DocumentUndo.h"
#include "document/HistoryCommands.h"
#include "document/TemplateCommands.h"
#include "history/ui/LostLinksDialogController.h"
#include "model/Clock.h"
#include "publish/ui/SiteInfoDialogController.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>

// The link commands of a document window: their questions, alerts and endings, the check marks of
// the status items, and the menus that list the database's templates.
class TestCommands : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private:
    // Three partners, a link whose partner page is no web address, and three templates.
    MyDocument *openSample()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Partners"), QStringLiteral("partners"))
            .link(QStringLiteral("Alpha"), LinkStatusNew)
            .link(QStringLiteral("Beta"), LinkStatusNegotiating)
            .link(QStringLiteral("Gamma"), LinkStatusBlocked);
        LinkFields plain;
        plain.title = QStringLiteral("Plain");
        plain.URL = QStringLiteral("www.plain.example/start");
        plain.counterpartURL = QStringLiteral("file:///etc/passwd");
        db.defaultCategory().link(plain);
        db.emailTemplate(QStringLiteral("Follow-up"), QStringLiteral("s"), QStringLiteral("b"))
            .emailTemplate(QStringLiteral("A & B"), QStringLiteral("s"), QStringLiteral("b"))
            .emailTemplate(QStringLiteral("Request"), QStringLiteral("Link to #URL#"),
                           QStringLiteral("Hello"));
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, QStringLiteral("Partners"));
        return document;
    }

    static LinkStatus statusOf(MyDocument *document, const QString &title)
    {
        for (const TreeNode *node : document->collectionManager().allLinkNodes()) {
            if (node->link()->title() == title)
                return node->link()->status();
        }
        return LinkStatus(0);
    }

    static const MessageBox::Shown &lastAlert() { return MessageBox::shownAlerts().constLast(); }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void statusAndDeleteCommands()
    {
        MyDocument *document = openSample();
        const DocumentMenus &m = *document->menus();
        DocumentFixture::selectLinks(document, {QStringLiteral("Beta")});
        QVERIFY(m.setStatusNegotiating->isChecked() && !m.setStatusNew->isChecked());
        // Two links: the status applies to both, and no item is marked.
        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha"), QStringLiteral("Gamma")});
        QVERIFY(!m.setStatusNew->isChecked() && !m.setStatusBlocked->isChecked());
        m.setStatusApproved->trigger();
        QCOMPARE(statusOf(document, QStringLiteral("Alpha")), LinkStatusApproved);
        QCOMPARE(statusOf(document, QStringLiteral("Gamma")), LinkStatusApproved);
        QCOMPARE(statusOf(document, QStringLiteral("Beta")), LinkStatusNegotiating);
        QCOMPARE(document->numberOfSelectedLinks(), 2);
        // The same status again still counts as a change; with nothing selected nothing happens.
        document->setWindowModified(false);
        m.setStatusApproved->trigger();
        QVERIFY(document->isEdited());
        document->setWindowModified(false);
        document->selectLinksWithIDs({});
        m.setStatusBlocked->trigger();
        QVERIFY(!document->isEdited());

        // Marked as verified, a link is approved.
        DocumentFixture::selectLinks(document, {QStringLiteral("Beta")});
        m.markAsVerified->trigger();
        const Link *beta = document->selectedLink();
        QCOMPARE(beta->status(), LinkStatusApproved);
        QCOMPARE(beta->lastVerificationResult(), VerificationMarkedVerified);
        QCOMPARE(beta->lastVerifiedOn(), Clock::today());
        QVERIFY(m.setStatusApproved->isChecked());

        // Deleting asks, naming the link or counting them; the question does not call it final.
        document->setWindowModified(false);
        MessageBox::setNextAnswer(1); // Cancel
        document->deleteLink();
        QCOMPARE(lastAlert().title, QStringLiteral("Are you sure you want to delete the link \"Beta\"?"));
        QCOMPARE(lastAlert().message, QString());
        QVERIFY(!document->isEdited());
        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha"), QStringLiteral("Beta")});
        MessageBox::setNextAnswer(0); // Delete
        document->deleteLink();
        QCOMPARE(lastAlert().title, QStringLiteral("Delete the 2 selected links?"));
        QCOMPARE(DocumentFixture::shownTitles(document), QStringList{QStringLiteral("Gamma")});
        QCOMPARE(document->countField()->text(), QStringLiteral("2 links in database"));
        QVERIFY(document->isEdited());
    }

    void templateMenusAndMessages()
    {
        MyDocument *document = openSample();
        // Every menu that writes messages lists the templates: the Link menu, the link's context
        // menu, the details pane and the Lost Links window.
        const DocumentMenus &m = *document->menus();
        m.showLostLinks->trigger();
        const QList<QMenu *> menus{
            m.sendMessageMenu, m.linkSendMessageMenu, document->detailsView()->sendMessageMenu(),
            document->commandArea<HistoryCommands>()->lostLinksWindow()->sendMessageMenu()};
        auto everyMenuLists = [&](const QStringList &templates) {
            for (const QMenu *menu : menus) {
                QStringList items;
                for (const QAction *action : menu->actions())
                    items.append(action->text());
                if (items.mid(2, items.size() - 4) != templates)
                    return false;
            }
            return true;
        };
        QVERIFY(everyMenuLists({"A && B", "Follow-up", "Request"}));
        // Added, renamed (moving), deleted and back by Undo.
        TemplateCommands *templates = document->commandArea<TemplateCommands>();
        EmailTemplate form;
        form.setName(QStringLiteral("Note"), QStringLiteral("s"), QStringLiteral("b"));
        templates->addEmailTemplate(form);
        QVERIFY(everyMenuLists({"A && B", "Follow-up", "Note", "Request"}));
        const EmailTemplateList &list = document->collectionManager().emailTemplateList();
        form.setName(QStringLiteral("Zed"), QStringLiteral("s"), QStringLiteral("b"));
        templates->editEmailTemplate(list.emailTemplateWithName(QStringLiteral("Note"))->ID(), form);
        templates->deleteEmailTemplate(list.emailTemplateWithName(QStringLiteral("A & B"))->ID());
        QVERIFY(everyMenuLists({"Follow-up", "Request", "Zed"}));
        document->undo()->undo();
        QVERIFY(everyMenuLists({"A && B", "Follow-up", "Request", "Zed"}));

        // A template item writes to the one link selected; a New partner becomes Negotiating.
        document->selectLinksWithIDs({});
        QAction *request = m.sendMessageMenu->actions().at(4);
        QVERIFY(!request->isEnabled());
        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha")});
        request->trigger();
        const QString url = m_fixture->opener().urls().constLast().toString(QUrl::FullyEncoded);
        QVERIFY2(url.startsWith(QLatin1String("mailto:")) &&
                     url.contains(QLatin1String("SUBJECT=Link%20to%20http")),
                 qPrintable(url));
        QCOMPARE(statusOf(document, QStringLiteral("Alpha")), LinkStatusNegotiating);
        // A message the mail client refuses is told, the status change kept; Copy Message gives
        // webmail users the message as text.
        document->showAndSelectCategoryNode(document->collectionManager().defaultCategoryNode());
        DocumentFixture::selectLinks(document, {QStringLiteral("Plain")});
        m_fixture->opener().setAnswer(false);
        MessageBox::setNextAnswer(1);
        document->newCustomEmail();
        QCOMPARE(lastAlert().title, QStringLiteral("The message could not be handed to your mail client."));
        QCOMPARE(lastAlert().buttons, QStringList({"OK", "Copy Message"}));
        QCOMPARE(statusOf(document, QStringLiteral("Plain")), LinkStatusNegotiating);
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("To: \nSubject: ")));
    }

    void visitImportAndSiteInfo()
    {
        MyDocument *document = openSample();
        // The address is completed before it is opened; one that is no web address is refused, and
        // so is one the system refuses.
        document->showAndSelectCategoryNode(document->collectionManager().defaultCategoryNode());
        DocumentFixture::selectLinks(document, {QStringLiteral("Plain")});
        document->visitLinkWebsite();
        QCOMPARE(m_fixture->opener().urls(),
                 QList<QUrl>{QUrl(QStringLiteral("http://www.plain.example/start"))});
        document->visitLinkPartnerWebsite();
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        QCOMPARE(
            lastAlert().message,
            QStringLiteral("The URL \"file:///etc/passwd\" is not valid. The link's partner site URL can be "
                           "changed in the Edit Link dialog."));
        m_fixture->opener().setAnswer(false);
        document->visitLinkWebsite();
        QCOMPARE(lastAlert().title, QStringLiteral("The URL of this link is not valid."));

        // An import says what it did; the same links again: Replace, then Cancel, which changes nothing.
        DatabaseBuilder source;
        source.category(QStringLiteral("Imported"), QStringLiteral("imported")).link(QStringLiteral("Delta"));
        const QString file = m_fixture->write(source, QStringLiteral("source.site"));
        QVERIFY(document->importLinksFromFile(file));
        QCOMPARE(document->countField()->text(), QStringLiteral("5 links in database"));
        QCOMPARE(lastAlert().message,
                 QStringLiteral("1 link was added. 0 links were replaced. 1 category was added."));
        MessageBox::setNextAnswer(1);
        QVERIFY(document->importLinksFromFile(file));
        QCOMPARE(lastAlert().message, QStringLiteral("0 links were added. 1 link was replaced."));
        document->setWindowModified(false);
        MessageBox::setNextAnswer(2);
        QVERIFY(document->importLinksFromFile(file));
        QCOMPARE(lastAlert().buttons.size(), 3); // no summary after Cancel
        QFile broken(m_fixture->path(QStringLiteral("broken.site")));
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("0102 and nothing else") > 0);
        broken.close();
        QVERIFY(!document->importLinksFromFile(broken.fileName()));
        QCOMPARE(lastAlert().title, QStringLiteral("The file could not be imported."));
        QVERIFY(!document->isEdited());

        // The site info sheet edits the profile; its checks are the form's (tst_siteprofileform).
        document->editSiteInfo();
        SiteInfoDialogController *sheet = document->siteInfoDialog();
        QVERIFY(sheet->isVisible() && document->hasAttachedSheet() && !sheet->firstTimeMode());
        qobject_cast<QLineEdit *>(sheet->fieldWidget(SiteProfileForm::Title))
            ->setText(QStringLiteral("Trails"));
        qobject_cast<QLineEdit *>(sheet->fieldWidget(SiteProfileForm::MainPageURL))
            ->setText(QStringLiteral("www.mytrails.example"));
        sheet->confirm();
        QCOMPARE(document->collectionManager().selfInfo().URL(),
                 QStringLiteral("http://www.mytrails.example"));
        QVERIFY(!sheet->isVisible() && document->isEdited());
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
