#include "DocumentFixture.h"
#include "document/DetailsView.h"
#include "document/DocumentMenus.h"
#include "document/DocumentUndo.h"
#include "document/HistoryCommands.h"
#include "document/LinkStatusCommands.h"
#include "document/TemplateCommands.h"
#include "history/ui/LostLinksDialogController.h"
#include "model/Clock.h"
#include "publish/ui/SiteInfoDialogController.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

// The link commands of a document window: their refusals, alerts and endings, the enabling rules
// and check marks of their menu items, and the menus that list the database's templates.
class TestCommands : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private:
    static QStringList itemTexts(const QMenu *menu)
    {
        QStringList texts;
        for (const QAction *action : menu->actions())
            texts.append(action->isSeparator() ? QStringLiteral("---") : action->text());
        return texts;
    }

    MyDocument *openSample()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Partners"), QStringLiteral("partners"))
            .link(QStringLiteral("Alpha"), LinkStatusNew)
            .link(QStringLiteral("Beta"), LinkStatusNegotiating)
            .link(QStringLiteral("Gamma"), LinkStatusBlocked);
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, QStringLiteral("Partners"));
        return document;
    }

    static const Link *linkTitled(MyDocument *document, const QString &title)
    {
        for (const TreeNode *node : document->collectionManager().allLinkNodes()) {
            if (node->link()->title() == title)
                return node->link();
        }
        return nullptr;
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void statusItemsFollowTheSelection()
    {
        MyDocument *document = openSample();
        const DocumentMenus &m = *document->menus();
        document->selectLinksWithIDs({});
        QVERIFY(!m.setStatusNew->isEnabled());
        QVERIFY(!m.deleteLink->isEnabled());
        QVERIFY(!m.verifyLink->isEnabled());
        QVERIFY(!m.visitLinkWebsite->isEnabled());

        DocumentFixture::selectLinks(document, {QStringLiteral("Beta")});
        QVERIFY(m.setStatusNegotiating->isEnabled());
        QVERIFY(m.setStatusNegotiating->isChecked());
        QVERIFY(!m.setStatusNew->isChecked());
        QVERIFY(m.visitLinkWebsite->isEnabled());
        QVERIFY(m.newCustomEmail->isEnabled());

        // Two links: enabled, but no mark, and the one-link commands are off.
        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha"), QStringLiteral("Beta")});
        for (QAction *status :
             {m.setStatusNew, m.setStatusNegotiating, m.setStatusApproved, m.setStatusBlocked}) {
            QVERIFY(status->isEnabled());
            QVERIFY(!status->isChecked());
        }
        QVERIFY(m.deleteLink->isEnabled());
        QVERIFY(m.markAsVerified->isEnabled());
        QVERIFY(m.verifyLink->isEnabled());
        QVERIFY(!m.visitLinkWebsite->isEnabled());
        QVERIFY(!m.newCustomEmail->isEnabled());
        // Editing, visiting and writing take exactly one link.
        QVERIFY(!m.editLink->isEnabled());
    }

    void setStatusKeepsTheSelectionAndMarksEdited()
    {
        MyDocument *document = openSample();
        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha"), QStringLiteral("Gamma")});
        document->menus()->setStatusApproved->trigger();
        QCOMPARE(linkTitled(document, QStringLiteral("Alpha"))->status(), LinkStatusApproved);
        QCOMPARE(linkTitled(document, QStringLiteral("Gamma"))->status(), LinkStatusApproved);
        QCOMPARE(linkTitled(document, QStringLiteral("Beta"))->status(), LinkStatusNegotiating);
        QCOMPARE(document->numberOfSelectedLinks(), 2);
        QVERIFY(document->isEdited());

        // The same status again still counts as a change.
        document->setWindowModified(false);
        document->commandArea<LinkStatusCommands>()->setStatusApproved();
        QVERIFY(document->isEdited());

        // Nothing selected: nothing happens.
        document->setWindowModified(false);
        document->selectLinksWithIDs({});
        document->commandArea<LinkStatusCommands>()->setStatusBlocked();
        QVERIFY(!document->isEdited());
    }

    void markAsVerifiedApprovesTheLink()
    {
        MyDocument *document = openSample();
        DocumentFixture::selectLinks(document, {QStringLiteral("Gamma")});
        document->commandArea<LinkStatusCommands>()->markAsVerified();
        const Link *gamma = linkTitled(document, QStringLiteral("Gamma"));
        QCOMPARE(gamma->status(), LinkStatusApproved);
        QCOMPARE(gamma->lastVerificationResult(), VerificationMarkedVerified);
        QCOMPARE(gamma->lastVerifiedOn(), Clock::today());
        QCOMPARE(document->selectedLink(), gamma);
        QVERIFY(document->menus()->setStatusApproved->isChecked());
        QVERIFY(document->isEdited());
    }

    void deleteAsksWithTheRightTitle()
    {
        MyDocument *document = openSample();
        DocumentFixture::selectLinks(document, {QStringLiteral("Beta")});
        MessageBox::setNextAnswer(1); // Cancel
        document->deleteLink();
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("Are you sure you want to delete the link \"Beta\"?"));
        QCOMPARE(MessageBox::shownAlerts().last().message, QString()); // deleting can be undone
        QCOMPARE(document->collectionManager().numberOfLinks(), 3);
        QVERIFY(!document->isEdited());

        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha"), QStringLiteral("Beta")});
        MessageBox::setNextAnswer(0); // Delete
        document->deleteLink();
        QCOMPARE(MessageBox::shownAlerts().last().title, QStringLiteral("Delete the 2 selected links?"));
        QCOMPARE(DocumentFixture::shownTitles(document), QStringList{QStringLiteral("Gamma")});
        QCOMPARE(document->numberOfSelectedLinks(), 0);
        QCOMPARE(document->countField()->text(), QStringLiteral("1 link in database"));
        QVERIFY(document->isEdited());
    }

    void visitingOpensOnlyWebAddresses()
    {
        DatabaseBuilder db;
        LinkFields fields;
        fields.title = QStringLiteral("Plain");
        fields.URL = QStringLiteral("www.plain.example/start");
        fields.counterpartURL = QStringLiteral("file:///etc/passwd");
        db.link(fields);
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectLinks(document, {QStringLiteral("Plain")});

        document->visitLinkWebsite();
        QCOMPARE(m_fixture->opener().urls(),
                 QList<QUrl>{QUrl(QStringLiteral("http://www.plain.example/start"))});

        MessageBox::clearShownAlerts();
        document->visitLinkPartnerWebsite();
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("The partner site URL of this link is not valid."));
        QCOMPARE(
            MessageBox::shownAlerts().last().message,
            QStringLiteral("The URL \"file:///etc/passwd\" is not valid. The link's partner site URL can be "
                           "changed in the Edit Link dialog."));

        // The system refusing the address is reported the same way.
        m_fixture->opener().setAnswer(false);
        document->visitLinkWebsite();
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("The URL of this link is not valid."));
        QVERIFY(!document->isEdited());
    }

    void sendMessageMenusFollowTheTemplates()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("Alpha"), LinkStatusNew);
        db.emailTemplate(QStringLiteral("Follow-up"), QStringLiteral("s"), QStringLiteral("b"))
            .emailTemplate(QStringLiteral("A & B"), QStringLiteral("s"), QStringLiteral("b"))
            .emailTemplate(QStringLiteral("Request"), QStringLiteral("Link to #URL#"),
                           QStringLiteral("Hello"));
        MyDocument *document = m_fixture->open(db, QStringLiteral("three.site"));
        DatabaseBuilder other;
        other.emailTemplate(QStringLiteral("Other"), QStringLiteral("s"), QStringLiteral("b"));
        MyDocument *second = m_fixture->open(other, QStringLiteral("other.site"));

        // The Link menu, the link's context menu, the details pane and the Lost Links window.
        const DocumentMenus &m = *document->menus();
        m.showLostLinks->trigger();
        const QList<QMenu *> menus{
            m.sendMessageMenu, m.linkSendMessageMenu, document->detailsView()->sendMessageMenu(),
            document->commandArea<HistoryCommands>()->lostLinksWindow()->sendMessageMenu()};
        auto everyMenuLists = [&](const QStringList &templates) {
            QStringList expected{m.newCustomEmail->text(), QStringLiteral("---")};
            if (!templates.isEmpty())
                expected << templates << QStringLiteral("---");
            expected << m.newEmailTemplate->text();
            for (const QMenu *menu : menus) {
                if (itemTexts(menu) != expected) {
                    qWarning() << menu->objectName() << itemTexts(menu);
                    return false;
                }
            }
            return true;
        };
        QVERIFY(everyMenuLists(
            {QStringLiteral("A && B"), QStringLiteral("Follow-up"), QStringLiteral("Request")}));
        QCOMPARE(itemTexts(second->menus()->sendMessageMenu).at(2), QStringLiteral("Other"));
        QCOMPARE(itemTexts(second->menus()->sendMessageMenu).size(), 5);

        // A template item writes to the selected link, so it is offered only with one selected; a
        // New partner becomes Negotiating.
        document->selectLinksWithIDs({});
        QAction *request = m.sendMessageMenu->actions().at(4);
        QVERIFY(!request->isEnabled());
        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha")});
        QVERIFY(request->isEnabled());
        request->trigger();
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        const QString url = m_fixture->opener().urls().first().toString(QUrl::FullyEncoded);
        QVERIFY2(url.startsWith(QLatin1String("mailto:")) &&
                     url.contains(QLatin1String("SUBJECT=Link%20to%20http")),
                 qPrintable(url));
        QCOMPARE(linkTitled(document, QStringLiteral("Alpha"))->status(), LinkStatusNegotiating);
        QCOMPARE(document->selectedLink(), linkTitled(document, QStringLiteral("Alpha")));
        QVERIFY(document->isEdited());

        // Added, renamed (moving), deleted and back by Undo.
        TemplateCommands *templates = document->commandArea<TemplateCommands>();
        CollectionManager &store = document->collectionManager();
        auto form = [](const QString &name) {
            EmailTemplate emailTemplate;
            emailTemplate.setName(name, QStringLiteral("s"), QStringLiteral("b"));
            return emailTemplate;
        };
        auto idOf = [&](const QString &name) {
            return store.emailTemplateList().emailTemplateWithName(name)->ID();
        };
        templates->addEmailTemplate(form(QStringLiteral("Note")));
        QVERIFY(everyMenuLists({QStringLiteral("A && B"), QStringLiteral("Follow-up"), QStringLiteral("Note"),
                                QStringLiteral("Request")}));
        QVERIFY(menus.last()->actions().at(4)->isEnabled());
        templates->editEmailTemplate(idOf(QStringLiteral("Note")), form(QStringLiteral("Zed")));
        QVERIFY(everyMenuLists({QStringLiteral("A && B"), QStringLiteral("Follow-up"),
                                QStringLiteral("Request"), QStringLiteral("Zed")}));
        templates->deleteEmailTemplate(idOf(QStringLiteral("A & B")));
        QVERIFY(
            everyMenuLists({QStringLiteral("Follow-up"), QStringLiteral("Request"), QStringLiteral("Zed")}));
        document->undo()->undo();
        QVERIFY(everyMenuLists({QStringLiteral("A && B"), QStringLiteral("Follow-up"),
                                QStringLiteral("Request"), QStringLiteral("Zed")}));
        for (const QString &name : {QStringLiteral("A & B"), QStringLiteral("Follow-up"),
                                    QStringLiteral("Request"), QStringLiteral("Zed")})
            templates->deleteEmailTemplate(idOf(name));
        QVERIFY(everyMenuLists({}));
    }

    void aRefusedMessageIsReportedButTheStatusChangeKept()
    {
        MyDocument *document = openSample();
        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha")});
        m_fixture->opener().setAnswer(false);
        document->newCustomEmail();
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 QStringLiteral("The message could not be handed to your mail client."));
        QCOMPARE(linkTitled(document, QStringLiteral("Alpha"))->status(), LinkStatusNegotiating);
        QVERIFY(document->isEdited());

        // Copy Message gives webmail users the message as text.
        QCOMPARE(MessageBox::shownAlerts().last().buttons, QStringList({"OK", "Copy Message"}));
        MessageBox::setNextAnswer(1);
        document->newCustomEmail();
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(
            QStringLiteral("To: %1\nSubject: ")
                .arg(linkTitled(document, QStringLiteral("Alpha"))->contactEmail())));
    }

    void importMergesLinks()
    {
        DatabaseBuilder source;
        source.category(QStringLiteral("Imported"), QStringLiteral("imported")).link(QStringLiteral("Delta"));
        const QString file = m_fixture->write(source, QStringLiteral("source.site"));
        MyDocument *document = openSample();
        QVERIFY(document->importLinksFromFile(file));
        QCOMPARE(document->collectionManager().numberOfLinks(), 4);
        QVERIFY(document->collectionManager().categoryWithName(QStringLiteral("Imported")));
        QCOMPARE(document->countField()->text(), QStringLiteral("4 links in database"));
        QVERIFY(document->isEdited());
        // The import ends with what it did.
        QCOMPARE(MessageBox::shownAlerts().last().title, QStringLiteral("The links were imported."));
        QCOMPARE(MessageBox::shownAlerts().last().message,
                 QStringLiteral("1 link was added. 0 links were replaced. 1 category was added."));

        // Replacing: the same link again.
        MessageBox::setNextAnswer(1); // Replace
        QVERIFY(document->importLinksFromFile(file));
        QCOMPARE(MessageBox::shownAlerts().last().message,
                 QStringLiteral("0 links were added. 1 link was replaced."));

        // A second import of the same links asks, and Cancel leaves everything as it was.
        document->setWindowModified(false);
        MessageBox::setNextAnswer(2);
        QVERIFY(document->importLinksFromFile(file));
        QCOMPARE(MessageBox::shownAlerts().last().buttons.size(), 3); // no summary after Cancel
        QCOMPARE(document->collectionManager().numberOfLinks(), 4);
        QVERIFY(!document->isEdited());

        QFile broken(m_fixture->path(QStringLiteral("broken.site")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("0102 and nothing else");
        broken.close();
        QVERIFY(!document->importLinksFromFile(broken.fileName()));
        QCOMPARE(MessageBox::shownAlerts().last().title, QStringLiteral("The file could not be imported."));
        QVERIFY(!document->isEdited());
    }

    void siteInfoSheetEditsTheProfile()
    {
        MyDocument *document = openSample();
        QVERIFY(document->menus()->editSiteInfo->isEnabled());
        document->editSiteInfo();
        SiteInfoDialogController *sheet = document->siteInfoDialog();
        QVERIFY(sheet && sheet->isVisible());
        QVERIFY(document->hasAttachedSheet());
        QVERIFY(!sheet->firstTimeMode()); // a database read from a file has its profile
        auto *title = qobject_cast<QLineEdit *>(sheet->fieldWidget(SiteProfileForm::Title));
        auto *url = qobject_cast<QLineEdit *>(sheet->fieldWidget(SiteProfileForm::MainPageURL));
        QVERIFY(title && url);

        sheet->cancel();
        QVERIFY(!document->isEdited());
        QVERIFY(document->isVisible());

        document->editSiteInfo();
        title->setText(QStringLiteral("My Trail Site"));
        url->setText(QStringLiteral("www.mytrails.example"));
        sheet->confirm();
        QVERIFY(!sheet->isVisible());
        QCOMPARE(document->collectionManager().selfInfo().title(), QStringLiteral("My Trail Site"));
        QCOMPARE(document->collectionManager().selfInfo().URL(),
                 QStringLiteral("http://www.mytrails.example"));
        QVERIFY(document->isEdited());
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
