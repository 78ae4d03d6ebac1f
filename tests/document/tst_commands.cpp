#include "DocumentFixture.h"
#include "document/AskStringDialogController.h"
#include "document/CategoryCommands.h"
#include "document/DetailsView.h"
#include "document/DocumentMenus.h"
#include "document/DocumentUndo.h"
#include "document/FileCommands.h"
#include "document/HistoryCommands.h"
#include "document/LinkCommands.h"
#include "document/LinkDeleteCommands.h"
#include "document/LinkMoveCommands.h"
#include "document/LinkVisitCommands.h"
#include "document/MailClientCommands.h"
#include "document/SiteInfoCommands.h"
#include "document/TemplateCommands.h"
#include "document/VerificationCommands.h"
#include "history/ui/LostLinksDialogController.h"
#include "model/Clock.h"
#include "model/NotificationComputer.h"
#include "publish/ui/SiteInfoDialogController.h"
#include "verify/VerificationRowModel.h"
#include "verify/ui/VerificationDialogController.h"
#include "workflow/ui/InstantLinkDialogController.h"
#include "workflow/ui/LinkCountDialogController.h"
#include "workflow/ui/LinkDialogController.h"
#include "workflow/ui/MoveToCategoryDialog.h"
#include "workflow/ui/NotificationDialogController.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QUndoStack>

// The link and category commands of a document window and their sheets: what the sheets hand to their
// forms' rules (tst_linkform, tst_categorynameform), their questions, what they store and leave alone.
class TestCommands : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private:
    // Two categories of pond and bird partners, one of them with keywords, and a template.
    MyDocument *openPonds()
    {
        DatabaseBuilder db;
        LinkFields frogs;
        frogs.title = "Frogs";
        frogs.URL = "http://www.frogs.example/";
        frogs.keywords = "frogs, ponds";
        frogs.contactEmail = "ann@frogs.example";
        frogs.lastStatusChangedOn = Clock::today().addDays(-10);
        db.category("Birds").link("Herons", LinkStatusApproved);
        db.category("Ponds").link(frogs).link("Newts", LinkStatusNegotiating);
        db.emailTemplate("Ask", "Links?", "Hello #TITLE#");
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, "Ponds");
        return document;
    }

    // Three partners, a link whose partner page is no web address, and three templates.
    MyDocument *openSample()
    {
        DatabaseBuilder db;
        db.category("Partners", "partners")
            .link("Alpha", LinkStatusNew)
            .link("Beta", LinkStatusNegotiating)
            .link("Gamma", LinkStatusBlocked);
        LinkFields plain;
        plain.title = "Plain";
        plain.URL = "www.plain.example/start";
        plain.counterpartURL = "file:///etc/passwd";
        db.defaultCategory().link(plain);
        db.emailTemplate("Follow-up", "s", "b")
            .emailTemplate("A & B", "s", "b")
            .emailTemplate("Request", "Link to #URL#", "Hello");
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, "Partners");
        return document;
    }

    static LinkCommands *area(MyDocument *document) { return document->commandArea<LinkCommands>(); }

    static Link *linkTitled(MyDocument *document, const QString &title)
    {
        for (const TreeNode *node : document->collectionManager().allLinkNodes()) {
            if (node->link()->title() == title)
                return node->link();
        }
        return nullptr;
    }

    static const MessageBox::Shown &lastAlert() { return MessageBox::shownAlerts().constLast(); }

    static void type(LinkDialogController *dialog, LinkForm::Field field, const QString &text)
    {
        qobject_cast<QLineEdit *>(dialog->fieldWidget(field))->setText(text);
    }

    // Confirms with these answers to the questions; the titles of the alerts shown.
    template <class Dialog> static QStringList confirm(Dialog *dialog, const QList<int> &answers = {})
    {
        MessageBox::clearShownAlerts();
        for (const int answer : answers)
            MessageBox::setNextAnswer(answer);
        dialog->confirm();
        QStringList titles;
        for (const MessageBox::Shown &shown : MessageBox::shownAlerts())
            titles.append(shown.title);
        return titles;
    }

    static QStringList nameSheet(AskStringDialogController *sheet, const QString &name, const QString &anchor,
                                 const QList<int> &answers = {})
    {
        sheet->categoryNameField()->setText(name);
        sheet->anchorNameField()->setText(anchor);
        return confirm(sheet, answers);
    }

    // Opens the editor on the link with that title through one of the window's commands.
    static LinkDialogController *edit(MyDocument *document, const QString &title, QAction *command = nullptr)
    {
        DocumentFixture::selectLinks(document, {title});
        (command ? command : document->menus()->action(ActionId::EditLink))->trigger();
        return area(document)->linkDialog();
    }

    // Runs the modal instant-link window with `fill` doing what the user does.
    void runInstantLink(MyDocument *document, const std::function<void(InstantLinkDialogController *)> &fill)
    {
        QTimer::singleShot(0, this, [&] {
            InstantLinkDialogController *dialog = area(document)->instantLinkDialog();
            QVERIFY(dialog && dialog->isVisible());
            fill(dialog);
            if (dialog->isVisible())
                dialog->cancel();
        });
        document->menus()->action(ActionId::InstantLink)->trigger();
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void linkEditor()
    {
        MyDocument *document = openPonds();
        document->menus()->action(ActionId::NewLink)->trigger();
        LinkDialogController *dialog = area(document)->linkDialog();
        QVERIFY(dialog->isVisible() && document->hasAttachedSheet());
        // A failed check shows its field's tab.
        type(dialog, LinkForm::Title, "Toads");
        type(dialog, LinkForm::MainPageURL, "http://");
        dialog->tabView()->setCurrentIndex(LinkForm::NotesTab);
        QCOMPARE(confirm(dialog), QStringList{"Some required fields are missing."});
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::SiteTab));

        // An address already in the database is asked about; Cancel goes back to it.
        type(dialog, LinkForm::MainPageURL, "WWW.frogs.example");
        QCOMPARE(confirm(dialog, {1}),
                 QStringList{QStringLiteral(
                     "A link with this address already exists: \"http://WWW.frogs.example\".")});
        QVERIFY(dialog->isVisible() && !linkTitled(document, "Toads"));
        confirm(dialog, {0}); // Add Anyway
        const Link *toads = linkTitled(document, "Toads");
        QCOMPARE(toads->URL(), "http://WWW.frogs.example");
        QCOMPARE(document->selectedLink(), toads);
        QCOMPARE(document->selectedCategoryNode()->category()->name(), "Ponds");
        QVERIFY(document->isEdited());

        // The verify button adds the link unchecked and verifies it; closing the verification sheet
        // brings the editor back, at the exchange tab. Another verification's end does not.
        document->menus()->action(ActionId::NewLink)->trigger();
        QVERIFY(dialog->texts().title.isEmpty());
        // Only an address that is no web page stops it.
        type(dialog, LinkForm::MainPageURL, "javascript:alert(1)");
        dialog->verify();
        QCOMPARE(lastAlert().title, "The Main Page URL field must hold a web address.");
        QVERIFY(dialog->isVisible());
        type(dialog, LinkForm::MainPageURL, "nameless.example");
        dialog->verify();
        QCOMPARE(document->selectedLink()->URL(), "http://nameless.example");
        VerificationDialogController *sheet =
            document->commandArea<VerificationCommands>()->verificationDialog();
        QVERIFY(sheet->isVisible() && sheet->rows()->numLinks() >= 1);
        sheet->cancel();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::ExchangeTab));
        dialog->cancel();
        document->menus()->action(ActionId::VerifyLink)->trigger();
        sheet->cancel();
        QVERIFY(!dialog->isVisible());

        const int steps = document->undo()->stack()->count();
        dialog = edit(document, "Frogs", document->menus()->action(ActionId::ShowLinkExchangeInfo));
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::ExchangeTab));
        // A message sent from the editor changes the link shown, not the stored one, until OK.
        dialog->selectEmailTemplate(0);
        QVERIFY(m_fixture->opener().urls().constLast().toString().startsWith("mailto:ann@frogs"));
        QCOMPARE(dialog->linkStatus(), LinkStatusNegotiating);
        dialog->cancel();
        QCOMPARE(linkTitled(document, "Frogs")->status(), LinkStatusNew);
        // Nothing of the editor's working link is left for Undo to take up.
        QVERIFY(!document->collectionManager().journal().hasOpenEntry());
        QCOMPARE(document->undo()->stack()->count(), steps);

        // Only web addresses are visited. A status chosen is dated today; OK keeps the keywords and
        // moves the link.
        dialog = edit(document, "Frogs");
        type(dialog, LinkForm::LinksPageURL, "file:///etc/passwd");
        dialog->goToLinksPageURL();
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        type(dialog, LinkForm::LinksPageURL, QString());
        QCOMPARE(dialog->lastStatusChangedOn(), Clock::today().addDays(-10));
        dialog->statusPopup()->setCurrentIndex(LinkForm::popupIndexOfStatus(LinkStatusBlocked));
        emit dialog->statusPopup()->activated(dialog->statusPopup()->currentIndex());
        dialog->selectCategoryAtIndex(1); // Birds
        type(dialog, LinkForm::Title, "Frogs and Toads");
        dialog->confirm();
        Link *frogs = linkTitled(document, "Frogs and Toads");
        QCOMPARE(frogs->status(), LinkStatusBlocked);
        QCOMPARE(frogs->lastStatusChangedOn(), Clock::today());
        QCOMPARE(frogs->keywords(), "frogs, ponds");
        QCOMPARE(document->selectedLink(), frogs);
        QCOMPARE(document->selectedCategoryNode()->category()->name(), "Birds");
        // The Keywords field edits them.
        dialog = edit(document, "Frogs and Toads");
        type(dialog, LinkForm::Keywords, "toads");
        dialog->confirm();
        QCOMPARE(frogs->keywords(), "toads");
    }

    void theKeyboardAloneAddsALink()
    {
        MyDocument *document = openPonds();
        document->menus()->action(ActionId::NewLink)->trigger();
        LinkDialogController *dialog = area(document)->linkDialog();
        // Keys go where the sheet's focus is (the offscreen platform keeps the document active).
        auto keys = [dialog](const QString &text) { QTest::keyClicks(dialog->focusWidget(), text); };
        auto key = [dialog](Qt::Key k) { QTest::keyClick(dialog->focusWidget(), k); };
        keys("Salamanders");
        for (const LinkForm::Field field :
             {LinkForm::Description, LinkForm::Keywords, LinkForm::MainPageURL}) {
            key(Qt::Key_Tab);
            QCOMPARE(dialog->focusWidget(), dialog->fieldWidget(field));
        }
        keys("salamanders.example");
        key(Qt::Key_Return);
        QVERIFY(!dialog->isVisible() && linkTitled(document, "Salamanders"));

        // Escape leaves without a change.
        document->setWindowModified(false);
        document->menus()->action(ActionId::NewLink)->trigger();
        keys("Lost");
        key(Qt::Key_Escape);
        QVERIFY(!dialog->isVisible() && !linkTitled(document, "Lost"));
        QVERIFY(!document->isEdited());
    }

    void instantLinkAndTheCountSheet()
    {
        MyDocument *document = openPonds();
        auto fill = [](InstantLinkDialogController *dialog, const QString &title, const QString &url) {
            LinkForm::Texts texts = dialog->texts();
            texts.title = title;
            texts.URL = url;
            dialog->setTexts(texts);
        };
        // The defaults: the category shown, the blank message sent. The URL still the prefix is refused.
        runInstantLink(document, [&](InstantLinkDialogController *dialog) {
            QCOMPARE(dialog->categoryPopup()->currentText(), "Ponds");
            fill(dialog, "Toads", "http://");
            QCOMPARE(confirm(dialog), QStringList{"Some required fields are missing."});
            fill(dialog, "Toads", "toads.example");
            dialog->requestSentButton()->click();
            dialog->confirm();
        });
        const Link *toads = document->selectedLink();
        QCOMPARE(toads->title(), "Toads");
        QCOMPARE(toads->status(), LinkStatusNegotiating); // the blank message went out
        QCOMPARE(toads->type(), LinkTypeSent);
        QCOMPARE(m_fixture->opener().urls().size(), 1);

        // The choices come back; a template chosen is sent; a known address is asked about.
        runInstantLink(document, [&](InstantLinkDialogController *dialog) {
            QVERIFY(dialog->requestSentButton()->isChecked());
            dialog->messagePopup()->setCurrentIndex(2);
            fill(dialog, "Frogs again", "http://www.frogs.example");
            QCOMPARE(confirm(dialog, {1}).size(), 1); // Cancel
            QVERIFY(dialog->isVisible());
            confirm(dialog, {0});
        });
        QVERIFY(m_fixture->opener().urls().constLast().toString().contains("BODY=Hello Frogs again"));
        QCOMPARE(Preferences::intValue(Preferences::InstantLinkTemplateIndex), 0);
        // Without the check box nothing is sent and the link stays New.
        runInstantLink(document, [&](InstantLinkDialogController *dialog) {
            fill(dialog, "Newts 2", "newts2.example");
            dialog->sendMessageCheckbox()->setChecked(false);
            dialog->confirm();
        });
        QCOMPARE(linkTitled(document, "Newts 2")->status(), LinkStatusNew);
        QCOMPARE(m_fixture->opener().urls().size(), 2);
        document->setWindowModified(false);

        document->menus()->action(ActionId::CountLinks)->trigger();
        LinkCountDialogController *count = area(document)->linkCountDialog();
        QCOMPARE(count->siteCountTexts(), (QStringList{"2", "3", "1", "0", "6"}));
        QCOMPARE(count->categoryCountTexts(), (QStringList{"2", "3", "0", "0", "5"}));
        count->cancel();
        QVERIFY(!count->isVisible() && !document->isEdited());
    }

    void notificationSettings()
    {
        DatabaseBuilder db;
        LinkFields stale;
        stale.title = "Stale";
        stale.URL = "http://stale.example/";
        stale.status = LinkStatusNegotiating;
        stale.lastStatusChangedOn = Clock::today().addDays(-20);
        db.link(stale);
        // A number out of range, as a damaged or older file may hold.
        NotificationSettings odd = db.store().selfInfo().notificationSettings();
        odd.negotiationStartTimeout = -3;
        db.store().setNotificationSettings(odd);
        MyDocument *document = m_fixture->open(db);
        CollectionManager &store = document->collectionManager();
        DocumentFixture::selectLinks(document, {"Stale"});
        QVERIFY(NotificationComputer::linkHasNotifications(document->selectedLinkNode()));

        // The settings sheet shows the stored number and refuses it until corrected.
        document->menus()->action(ActionId::NotificationSetup)->trigger();
        NotificationDialogController *sheet = area(document)->notificationDialog();
        QSpinBox *field = sheet->numberField(NotificationSettingsForm::NegotiationStartTimeout);
        QCOMPARE(field->value(), -3);
        QCOMPARE(confirm(sheet), QStringList{QStringLiteral(
                                     "The Negotiation Not Started field does not contain a valid number.")});
        QVERIFY(sheet->isVisible() && store.selfInfo().negotiationStartTimeout() == -3);
        // Switching the lasting-negotiation reminder off removes it at once.
        field->setValue(2);
        sheet->switchButton(NotificationDialogController::LastingNegotiation)->setChecked(false);
        sheet->confirm();
        QCOMPARE(store.selfInfo().negotiationStartTimeout(), 2);
        QVERIFY(!store.selfInfo().notificationSettings().notifyLastingNegotiation);
        QVERIFY(!NotificationComputer::linkHasNotifications(document->selectedLinkNode()));
        QVERIFY(document->isEdited());
    }

    void visitImportSiteInfoTemplatesStatusAndDelete()
    {
        MyDocument *document = openSample();
        const DocumentMenus &m = *document->menus();
        // The address is completed before it is opened; one that is no web address is refused, and
        // so is one the system refuses.
        document->showAndSelectCategoryNode(document->collectionManager().defaultCategoryNode());
        DocumentFixture::selectLinks(document, {"Plain"});
        document->commandArea<LinkVisitCommands>()->visitLinkWebsite();
        QCOMPARE(m_fixture->opener().urls(), QList<QUrl>{QUrl("http://www.plain.example/start")});
        document->commandArea<LinkVisitCommands>()->visitLinkPartnerWebsite();
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        QCOMPARE(lastAlert().title, "The partner site URL of this link is not valid.");
        m_fixture->opener().setAnswer(false, "No web browser is set up to show web pages.");
        document->commandArea<LinkVisitCommands>()->visitLinkWebsite();
        QCOMPARE(lastAlert().title, "The page could not be opened in your web browser.");
        QVERIFY(lastAlert().message.startsWith("No web browser is set up to show web pages."));
        QVERIFY(lastAlert().message.contains("\"http://www.plain.example/start\""));

        // An import says what it did; the same links again: Replace, then Cancel, which changes nothing.
        DatabaseBuilder source;
        source.category("Imported", "imported").link("Delta");
        const QString file = m_fixture->write(source, "source.site");
        QVERIFY(document->commandArea<FileCommands>()->importLinksFromFile(file));
        QCOMPARE(lastAlert().message, "1 link was added. 0 links were replaced. 1 category was added.");
        MessageBox::setNextAnswer(1);
        QVERIFY(document->commandArea<FileCommands>()->importLinksFromFile(file));
        QCOMPARE(lastAlert().message, "0 links were added. 1 link was replaced.");
        document->setWindowModified(false);
        MessageBox::setNextAnswer(2);
        QVERIFY(document->commandArea<FileCommands>()->importLinksFromFile(file));
        QCOMPARE(lastAlert().buttons.size(), 3); // no summary after Cancel
        QFile broken(m_fixture->path("broken.site"));
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("0102 and nothing else") > 0);
        broken.close();
        QVERIFY(!document->commandArea<FileCommands>()->importLinksFromFile(broken.fileName()));
        QCOMPARE(lastAlert().title, "The file could not be imported.");
        QVERIFY(!document->isEdited());

        // The site info sheet edits the profile; its checks are the form's (tst_siteprofileform).
        document->commandArea<SiteInfoCommands>()->editSiteInfo();
        SiteInfoDialogController *sheet = document->commandArea<SiteInfoCommands>()->siteInfoDialog();
        QVERIFY(sheet->isVisible() && document->hasAttachedSheet() && !sheet->firstTimeMode());
        qobject_cast<QLineEdit *>(sheet->fieldWidget(SiteProfileForm::Title))->setText("Trails");
        qobject_cast<QLineEdit *>(sheet->fieldWidget(SiteProfileForm::MainPageURL))
            ->setText("www.mytrails.example");
        sheet->confirm();
        QCOMPARE(document->collectionManager().selfInfo().URL(), "http://www.mytrails.example");
        QVERIFY(!sheet->isVisible() && document->isEdited());

        m_fixture->opener().setAnswer(true);
        DocumentFixture::selectCategory(document, "Partners");
        // Every menu that writes messages lists the templates: the Link menu, the link's context
        // menu, the details pane and the Lost Links window.
        m.action(ActionId::ShowLostLinks)->trigger();
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
        // A template item writes to the one link selected; a New partner becomes Negotiating.
        document->selectLinksWithIDs({});
        QAction *request = m.sendMessageMenu->actions().at(4);
        QVERIFY(!request->isEnabled());
        DocumentFixture::selectLinks(document, {"Alpha"});
        request->trigger();
        QVERIFY(m_fixture->opener().urls().constLast().toString().startsWith("mailto:?SUBJECT=Link to http"));
        QCOMPARE(linkTitled(document, "Alpha")->status(), LinkStatusNegotiating);
        // Added, deleted and back by Undo.
        TemplateCommands *templates = document->commandArea<TemplateCommands>();
        EmailTemplate form;
        form.setName("Note", "s", "b");
        templates->addEmailTemplate(form);
        QVERIFY(everyMenuLists({"A && B", "Follow-up", "Note", "Request"}));
        const EmailTemplateList &list = document->collectionManager().emailTemplateList();
        templates->deleteEmailTemplate(list.emailTemplateWithName("A & B")->ID());
        QVERIFY(everyMenuLists({"Follow-up", "Note", "Request"}));
        document->undo()->undo();
        QVERIFY(everyMenuLists({"A && B", "Follow-up", "Note", "Request"}));

        // A message the mail client refuses is told with the reason and changes nothing; Copy Message
        // gives webmail users the message as text.
        document->showAndSelectCategoryNode(document->collectionManager().defaultCategoryNode());
        DocumentFixture::selectLinks(document, {"Plain"});
        const LinkStatus plainStatus = linkTitled(document, "Plain")->status();
        QCOMPARE(plainStatus, LinkStatusNew);
        const int steps = document->undo()->stack()->count();
        const bool edited = document->isEdited();
        m_fixture->opener().setAnswer(false, "No e-mail program is set up to write messages.");
        MessageBox::setNextAnswer(1);
        document->commandArea<MailClientCommands>()->newCustomEmail();
        QCOMPARE(lastAlert().title, "The message could not be handed to your mail client.");
        QVERIFY(lastAlert().message.startsWith("No e-mail program is set up to write messages."));
        QCOMPARE(linkTitled(document, "Plain")->status(), plainStatus);
        QCOMPARE(document->undo()->stack()->count(), steps);
        QCOMPARE(document->isEdited(), edited);
        QVERIFY(QGuiApplication::clipboard()->text().startsWith("To: \nSubject: "));

        DocumentFixture::selectCategory(document, "Partners");
        DocumentFixture::selectLinks(document, {"Beta"});
        QVERIFY(m.action(ActionId::SetStatusNegotiating)->isChecked() &&
                !m.action(ActionId::SetStatusNew)->isChecked());
        // Two links: the status applies to both, and no item is marked.
        DocumentFixture::selectLinks(document, {"Alpha", "Gamma"});
        QVERIFY(!m.action(ActionId::SetStatusNew)->isChecked() &&
                !m.action(ActionId::SetStatusBlocked)->isChecked());
        m.action(ActionId::SetStatusApproved)->trigger();
        QCOMPARE(linkTitled(document, "Alpha")->status(), LinkStatusApproved);
        QCOMPARE(linkTitled(document, "Gamma")->status(), LinkStatusApproved);
        QCOMPARE(linkTitled(document, "Beta")->status(), LinkStatusNegotiating);
        // The same status again still counts as a change; with nothing selected nothing happens.
        document->setWindowModified(false);
        m.action(ActionId::SetStatusApproved)->trigger();
        QVERIFY(document->isEdited());
        document->setWindowModified(false);
        document->selectLinksWithIDs({});
        m.action(ActionId::SetStatusBlocked)->trigger();
        QVERIFY(!document->isEdited());

        // Marked as verified, a link is approved.
        DocumentFixture::selectLinks(document, {"Beta"});
        m.action(ActionId::MarkAsVerified)->trigger();
        const Link *beta = document->selectedLink();
        QCOMPARE(beta->status(), LinkStatusApproved);
        QCOMPARE(beta->lastVerificationResult(), VerificationMarkedVerified);
        QCOMPARE(beta->lastVerifiedOn(), Clock::today());
        QVERIFY(m.action(ActionId::SetStatusApproved)->isChecked());

        // Deleting asks, naming the link or counting them; the question does not call it final.
        document->setWindowModified(false);
        MessageBox::setNextAnswer(1); // Cancel
        document->commandArea<LinkDeleteCommands>()->deleteLink();
        QCOMPARE(lastAlert().title, "Are you sure you want to delete the link \"Beta\"?");
        QCOMPARE(lastAlert().message, QString());
        QVERIFY(!document->isEdited());
        DocumentFixture::selectLinks(document, {"Alpha", "Beta"});
        MessageBox::setNextAnswer(0); // Delete
        document->commandArea<LinkDeleteCommands>()->deleteLink();
        QCOMPARE(lastAlert().title, "Delete the 2 selected links?");
        QCOMPARE(DocumentFixture::shownTitles(document), QStringList{"Gamma"});
    }

    void allLinksListsEveryLinkAndTakesTheCommands()
    {
        MyDocument *document = openPonds();
        const DocumentMenus &m = *document->menus();
        CollectionManager &store = document->collectionManager();
        // Above the categories, with the count of every link and words of its own for screen readers.
        const QModelIndex row = document->categoriesTable()->model()->index(0, 0);
        QCOMPARE(row.data().toString(), "All Links (3)");
        QCOMPARE(row.data(Qt::AccessibleTextRole).toString(), "All Links: every link of the database");
        document->showAllLinks();
        QVERIFY(document->isAllLinksSelected() && !document->selectedCategoryNode());
        QStringList titles = DocumentFixture::shownTitles(document);
        titles.sort();
        QCOMPARE(titles, (QStringList{"Frogs", "Herons", "Newts"}));
        const LinkListController *list = document->linkListController();
        const int herons = list->rowOfLinkID(linkTitled(document, "Herons")->ID());
        QCOMPARE(list->model()->index(herons, LinkListController::CategoryColumn).data().toString(), "Birds");

        // It is no category: their commands are off, and their keys say why.
        QVERIFY(!m.action(ActionId::RenameCategory)->isEnabled() &&
                !m.action(ActionId::DeleteCategory)->isEnabled());
        QVERIFY(!m.action(ActionId::CopyCategoryHTML)->isEnabled());
        const int categories = store.numberOfCategories();
        document->commandArea<CategoryCommands>()->deleteCategory();
        QCOMPARE(lastAlert().title, "All Links cannot be deleted.");
        QCOMPARE(store.numberOfCategories(), categories);

        // A new link goes to the selected link's category, and shows in All Links.
        DocumentFixture::selectLinks(document, {"Herons"});
        m.action(ActionId::NewLink)->trigger();
        LinkDialogController *dialog = area(document)->linkDialog();
        type(dialog, LinkForm::Title, "Egrets");
        type(dialog, LinkForm::MainPageURL, "www.egrets.example");
        dialog->confirm();
        QCOMPARE(store.linkNodeWithID(linkTitled(document, "Egrets")->ID())->parent()->category()->name(),
                 "Birds");
        QVERIFY(document->isAllLinksSelected());
        QCOMPARE(document->selectedLink()->title(), "Egrets");
        QCOMPARE(DocumentFixture::shownTitles(document).size(), 4);

        // Commands act there as in a category: the status of links of two categories, a move, a delete.
        DocumentFixture::selectLinks(document, {"Herons", "Newts"});
        m.action(ActionId::SetStatusBlocked)->trigger();
        QCOMPARE(linkTitled(document, "Herons")->status(), LinkStatusBlocked);
        QCOMPARE(linkTitled(document, "Newts")->status(), LinkStatusBlocked);
        QCOMPARE(linkTitled(document, "Frogs")->status(), LinkStatusNew);

        // Move to Category offers every category, theirs too as they come from two.
        m.action(ActionId::MoveToCategory)->trigger();
        MoveToCategoryDialog *sheet = document->commandArea<LinkMoveCommands>()->moveToCategoryDialog();
        QVERIFY(sheet->isVisible());
        QCOMPARE(sheet->listView()->count(), categories);
        QCOMPARE(sheet->promptLabel()->buddy(), sheet->listView());
        const int ponds = store.categoryRoot()->indexOfChild(store.categoryWithName("Ponds"));
        sheet->chooseIndex(ponds);
        sheet->confirm();
        QCOMPARE(store.categoryWithName("Ponds")->numberOfChildren(), 3);
        QVERIFY(document->isAllLinksSelected());
        QCOMPARE(document->numberOfSelectedLinks(), 2);
        // From one category, that category cannot be chosen.
        DocumentFixture::selectLinks(document, {"Herons", "Frogs"});
        m.action(ActionId::MoveToCategory)->trigger();
        QVERIFY(!(sheet->listView()->item(ponds)->flags() & Qt::ItemIsEnabled));
        sheet->chooseIndex(ponds);
        QCOMPARE(sheet->chosenIndex(), -1);
        sheet->reject();

        MessageBox::setNextAnswer(0);
        m.action(ActionId::DeleteLink)->trigger();
        QCOMPARE(lastAlert().title, "Delete the 2 selected links?");
        titles = DocumentFixture::shownTitles(document);
        titles.sort();
        QCOMPARE(titles, (QStringList{"Egrets", "Newts"}));
        QCOMPARE(document->categoriesTable()->model()->index(0, 0).data().toString(), "All Links (2)");
        QVERIFY(document->isAllLinksSelected());
    }

    void addRenameTrimAndDelete()
    {
        DatabaseBuilder db;
        db.category("Apples", "apples").link("Orchard");
        db.category("Top %2 Films", "films").link("One").link("Two");
        MyDocument *document = m_fixture->open(db);
        CollectionManager &store = document->collectionManager();
        CategoryCommands *commands = document->commandArea<CategoryCommands>();

        // The ID follows the name until typed; emptied, it shows the proposal and takes it.
        commands->newCategory();
        AskStringDialogController *sheet = document->commandArea<CategoryCommands>()->askStringDialog();
        QTest::keyClicks(sheet->categoryNameField(), "Old Books");
        QCOMPARE(sheet->categoryAnchor(), "oldbooks");
        sheet->anchorNameField()->selectAll();
        QTest::keyClicks(sheet->anchorNameField(), "vintage");
        QTest::keyClicks(sheet->categoryNameField(), " 2");
        QCOMPARE(sheet->categoryAnchor(), "vintage");
        sheet->anchorNameField()->selectAll();
        QTest::keyClick(sheet->anchorNameField(), Qt::Key_Backspace);
        QCOMPARE(sheet->anchorNameField()->placeholderText(), "oldbooks2");
        sheet->confirm();
        QVERIFY(!sheet->isVisible());
        TreeNode *added = store.categoryWithName("Old Books 2");
        QCOMPARE(added->category()->anchor(), "oldbooks2");
        QCOMPARE(document->selectedCategoryNode(), added);
        QVERIFY(document->isEdited());

        // The next use starts empty; a failed check keeps the sheet open with its alert.
        document->setWindowModified(false);
        commands->newCategory();
        QCOMPARE(sheet->categoryName(), QString());
        QCOMPARE(nameSheet(sheet, "Games", "a_b"),
                 QStringList{"The Category ID field contains invalid characters."});
        QVERIFY(sheet->isVisible());

        // Too long: OK keeps the text as typed; Trim cuts the name, then the ID is asked about.
        const QString longName(200, QLatin1Char('n'));
        const QString longAnchor(50, QLatin1Char('a'));
        QCOMPARE(nameSheet(sheet, longName, "x", {0}), QStringList{"The category name is too long."});
        QCOMPARE(sheet->categoryName(), longName);
        QCOMPARE(nameSheet(sheet, longName, longAnchor, {1, 1}),
                 (QStringList{"The category name is too long.", "The category ID is too long."}));
        QVERIFY(!sheet->isVisible());
        QCOMPARE(store.categoryWithName(longName.left(199))->category()->anchor(), longAnchor.left(49));

        // A name trimmed into another category's is refused.
        commands->newCategory();
        QCOMPARE(nameSheet(sheet, longName.left(199) + QLatin1Char('x'), "second", {1}).last(),
                 "A category with the same name already exists.");
        QVERIFY(sheet->isVisible());
        sheet->cancel();

        // Renamed, a category moves to its place in the list and stays selected with its links.
        DocumentFixture::selectCategory(document, "Apples");
        commands->renameCategory();
        QCOMPARE(sheet->categoryName(), "Apples");
        QVERIFY(nameSheet(sheet, "Zucchini", "apples").isEmpty());
        TreeNode *renamed = document->selectedCategoryNode();
        QCOMPARE(renamed->category()->name(), "Zucchini");
        QCOMPARE(store.categoryRoot()->indexOfChild(renamed), store.numberOfCategories() - 1);
        QCOMPARE(DocumentFixture::shownTitles(document), QStringList{"Orchard"});

        // Deleting asks, counting the links that go with it; Cancel keeps everything.
        document->setWindowModified(false);
        const QString ask = "Are you sure you want to delete the category ";
        DocumentFixture::selectCategory(document, "Top %2 Films");
        MessageBox::setNextAnswer(1); // Cancel
        commands->deleteCategory();
        QCOMPARE(MessageBox::shownAlerts().last().title, ask + "\"Top %2 Films\" and its 2 links?");
        QVERIFY(!document->isEdited());

        // Deleted, the default category is shown.
        DocumentFixture::selectCategory(document, "Zucchini");
        MessageBox::setNextAnswer(0);
        commands->deleteCategory();
        QCOMPARE(MessageBox::shownAlerts().last().title, ask + "\"Zucchini\" and its 1 link?");
        QCOMPARE(store.numberOfLinks(), 2);
        QCOMPARE(document->selectedCategoryNode(), store.defaultCategoryNode());
        QVERIFY(document->isEdited());
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
