#include "DocumentFixture.h"
#include "document/AskStringDialogController.h"
#include "document/CategoryCommands.h"
#include "document/DetailsView.h"
#include "document/DocumentMenus.h"
#include "document/DocumentUndo.h"
#include "document/HistoryCommands.h"
#include "document/LinkCommands.h"
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
#include "workflow/ui/NotificationDialogController.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
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
        frogs.title = QStringLiteral("Frogs");
        frogs.URL = QStringLiteral("http://www.frogs.example/");
        frogs.keywords = QStringLiteral("frogs, ponds");
        frogs.contactEmail = QStringLiteral("ann@frogs.example");
        frogs.lastStatusChangedOn = Clock::today().addDays(-10);
        db.category(QStringLiteral("Birds")).link(QStringLiteral("Herons"), LinkStatusApproved);
        db.category(QStringLiteral("Ponds")).link(frogs).link(QStringLiteral("Newts"), LinkStatusNegotiating);
        db.emailTemplate(QStringLiteral("Ask"), QStringLiteral("Links?"), QStringLiteral("Hello #TITLE#"));
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectCategory(document, QStringLiteral("Ponds"));
        return document;
    }

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
        (command ? command : document->menus()->editLink)->trigger();
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
        document->menus()->instantLink->trigger();
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void linkEditor()
    {
        MyDocument *document = openPonds();
        document->menus()->newLink->trigger();
        LinkDialogController *dialog = area(document)->linkDialog();
        QVERIFY(dialog->isVisible() && document->hasAttachedSheet());
        // A failed check shows its field's tab.
        type(dialog, LinkForm::Title, QStringLiteral("Toads"));
        type(dialog, LinkForm::MainPageURL, QStringLiteral("http://"));
        dialog->tabView()->setCurrentIndex(LinkForm::NotesTab);
        QCOMPARE(confirm(dialog), QStringList{QStringLiteral("Some required fields are missing.")});
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::SiteTab));

        // An address already in the database is asked about; Cancel goes back to it.
        type(dialog, LinkForm::MainPageURL, QStringLiteral("WWW.frogs.example"));
        QCOMPARE(confirm(dialog, {1}),
                 QStringList{QStringLiteral(
                     "A link with this address already exists: \"http://WWW.frogs.example\".")});
        QVERIFY(dialog->isVisible() && !linkTitled(document, QStringLiteral("Toads")));
        confirm(dialog, {0}); // Add Anyway
        const Link *toads = linkTitled(document, QStringLiteral("Toads"));
        QCOMPARE(toads->URL(), QStringLiteral("http://WWW.frogs.example"));
        QCOMPARE(document->selectedLink(), toads);
        QCOMPARE(document->selectedCategoryNode()->category()->name(), QStringLiteral("Ponds"));
        QVERIFY(document->isEdited());

        // The verify button adds the link unchecked and verifies it; closing the verification sheet
        // brings the editor back, at the exchange tab. Another verification's end does not.
        document->menus()->newLink->trigger();
        QVERIFY(dialog->texts().title.isEmpty());
        type(dialog, LinkForm::MainPageURL, QStringLiteral("nameless.example"));
        dialog->verify();
        QCOMPARE(document->selectedLink()->URL(), QStringLiteral("http://nameless.example"));
        VerificationDialogController *sheet =
            document->commandArea<VerificationCommands>()->verificationDialog();
        QVERIFY(sheet->isVisible() && sheet->rows()->numLinks() >= 1);
        sheet->cancel();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::ExchangeTab));
        dialog->cancel();
        document->menus()->verifyLink->trigger();
        sheet->cancel();
        QVERIFY(!dialog->isVisible());

        const int steps = document->undo()->stack()->count();
        dialog = edit(document, QStringLiteral("Frogs"), document->menus()->showLinkExchangeInfo);
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::ExchangeTab));
        // A message sent from the editor changes the link shown, not the stored one, until OK.
        dialog->selectEmailTemplate(0);
        QVERIFY(
            m_fixture->opener().urls().constLast().toString().startsWith(QStringLiteral("mailto:ann@frogs")));
        QCOMPARE(dialog->linkStatus(), LinkStatusNegotiating);
        dialog->cancel();
        QCOMPARE(linkTitled(document, QStringLiteral("Frogs"))->status(), LinkStatusNew);
        // Nothing of the editor's working link is left for Undo to take up.
        QVERIFY(!document->collectionManager().journal().hasOpenEntry());
        QCOMPARE(document->undo()->stack()->count(), steps);

        // Only web addresses are visited. A status chosen is dated today; OK keeps the keywords and
        // moves the link.
        dialog = edit(document, QStringLiteral("Frogs"));
        type(dialog, LinkForm::LinksPageURL, QStringLiteral("file:///etc/passwd"));
        dialog->goToLinksPageURL();
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        type(dialog, LinkForm::LinksPageURL, QString());
        QCOMPARE(dialog->lastStatusChangedOn(), Clock::today().addDays(-10));
        dialog->statusPopup()->setCurrentIndex(LinkForm::popupIndexOfStatus(LinkStatusBlocked));
        emit dialog->statusPopup()->activated(dialog->statusPopup()->currentIndex());
        QCOMPARE(dialog->lastStatusChangedOn(), Clock::today());
        dialog->selectCategoryAtIndex(1); // Birds
        type(dialog, LinkForm::Title, QStringLiteral("Frogs and Toads"));
        dialog->confirm();
        Link *frogs = linkTitled(document, QStringLiteral("Frogs and Toads"));
        QCOMPARE(frogs->status(), LinkStatusBlocked);
        QCOMPARE(frogs->lastStatusChangedOn(), Clock::today());
        QCOMPARE(frogs->keywords(), QStringLiteral("frogs, ponds"));
        QCOMPARE(document->selectedLink(), frogs);
        QCOMPARE(document->selectedCategoryNode()->category()->name(), QStringLiteral("Birds"));
        // The Keywords field edits them.
        dialog = edit(document, QStringLiteral("Frogs and Toads"));
        type(dialog, LinkForm::Keywords, QStringLiteral("toads"));
        dialog->confirm();
        QCOMPARE(frogs->keywords(), QStringLiteral("toads"));
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
            QCOMPARE(dialog->categoryPopup()->currentText(), QStringLiteral("Ponds"));
            fill(dialog, QStringLiteral("Toads"), QStringLiteral("http://"));
            QCOMPARE(confirm(dialog), QStringList{QStringLiteral("Some required fields are missing.")});
            fill(dialog, QStringLiteral("Toads"), QStringLiteral("toads.example"));
            dialog->requestSentButton()->click();
            dialog->confirm();
        });
        const Link *toads = document->selectedLink();
        QCOMPARE(toads->title(), QStringLiteral("Toads"));
        QCOMPARE(toads->status(), LinkStatusNegotiating); // the blank message went out
        QCOMPARE(toads->type(), LinkTypeSent);
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        // The link and its message are one step.
        QCOMPARE(document->undo()->stack()->count(), 1);

        // The choices come back; a template chosen is sent; a known address is asked about.
        runInstantLink(document, [&](InstantLinkDialogController *dialog) {
            QVERIFY(dialog->requestSentButton()->isChecked());
            dialog->messagePopup()->setCurrentIndex(2);
            fill(dialog, QStringLiteral("Frogs again"), QStringLiteral("http://www.frogs.example"));
            QCOMPARE(confirm(dialog, {1}).size(), 1); // Cancel
            QVERIFY(dialog->isVisible());
            confirm(dialog, {0});
        });
        QVERIFY(m_fixture->opener().urls().constLast().toString().contains(
            QStringLiteral("BODY=Hello Frogs again")));
        QCOMPARE(Preferences::intValue(Preferences::InstantLinkTemplateIndex), 0);
        // Without the check box nothing is sent and the link stays New.
        runInstantLink(document, [&](InstantLinkDialogController *dialog) {
            fill(dialog, QStringLiteral("Newts 2"), QStringLiteral("newts2.example"));
            dialog->sendMessageCheckbox()->setChecked(false);
            dialog->confirm();
        });
        QCOMPARE(linkTitled(document, QStringLiteral("Newts 2"))->status(), LinkStatusNew);
        QCOMPARE(m_fixture->opener().urls().size(), 2);
        document->setWindowModified(false);

        document->menus()->countLinks->trigger();
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
        stale.title = QStringLiteral("Stale");
        stale.URL = QStringLiteral("http://stale.example/");
        stale.status = LinkStatusNegotiating;
        stale.lastStatusChangedOn = Clock::today().addDays(-20);
        db.link(stale);
        // A number out of range, as a damaged or older file may hold.
        NotificationSettings odd = db.store().selfInfo().notificationSettings();
        odd.negotiationStartTimeout = -3;
        db.store().setNotificationSettings(odd);
        MyDocument *document = m_fixture->open(db);
        CollectionManager &store = document->collectionManager();
        DocumentFixture::selectLinks(document, {QStringLiteral("Stale")});
        QVERIFY(NotificationComputer::linkHasNotifications(document->selectedLinkNode()));

        // The settings sheet shows the stored number and refuses it until corrected.
        document->menus()->notificationSetup->trigger();
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
        QCOMPARE(linkTitled(document, QStringLiteral("Alpha"))->status(), LinkStatusApproved);
        QCOMPARE(linkTitled(document, QStringLiteral("Gamma"))->status(), LinkStatusApproved);
        QCOMPARE(linkTitled(document, QStringLiteral("Beta"))->status(), LinkStatusNegotiating);
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
        // A template item writes to the one link selected; a New partner becomes Negotiating.
        document->selectLinksWithIDs({});
        QAction *request = m.sendMessageMenu->actions().at(4);
        QVERIFY(!request->isEnabled());
        DocumentFixture::selectLinks(document, {QStringLiteral("Alpha")});
        request->trigger();
        QVERIFY(m_fixture->opener().urls().constLast().toString().startsWith(
            QStringLiteral("mailto:?SUBJECT=Link to http")));
        QCOMPARE(linkTitled(document, QStringLiteral("Alpha"))->status(), LinkStatusNegotiating);
        // Added, deleted and back by Undo.
        TemplateCommands *templates = document->commandArea<TemplateCommands>();
        EmailTemplate form;
        form.setName(QStringLiteral("Note"), QStringLiteral("s"), QStringLiteral("b"));
        templates->addEmailTemplate(form);
        QVERIFY(everyMenuLists({"A && B", "Follow-up", "Note", "Request"}));
        const EmailTemplateList &list = document->collectionManager().emailTemplateList();
        templates->deleteEmailTemplate(list.emailTemplateWithName(QStringLiteral("A & B"))->ID());
        QVERIFY(everyMenuLists({"Follow-up", "Note", "Request"}));
        document->undo()->undo();
        QVERIFY(everyMenuLists({"A && B", "Follow-up", "Note", "Request"}));

        // A message the mail client refuses is told, the status change kept; Copy Message gives
        // webmail users the message as text.
        document->showAndSelectCategoryNode(document->collectionManager().defaultCategoryNode());
        DocumentFixture::selectLinks(document, {QStringLiteral("Plain")});
        m_fixture->opener().setAnswer(false);
        MessageBox::setNextAnswer(1);
        document->newCustomEmail();
        QCOMPARE(lastAlert().title, QStringLiteral("The message could not be handed to your mail client."));
        QCOMPARE(linkTitled(document, QStringLiteral("Plain"))->status(), LinkStatusNegotiating);
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
        QCOMPARE(lastAlert().title, QStringLiteral("The partner site URL of this link is not valid."));
        m_fixture->opener().setAnswer(false);
        document->visitLinkWebsite();
        QCOMPARE(lastAlert().title, QStringLiteral("The URL of this link is not valid."));

        // An import says what it did; the same links again: Replace, then Cancel, which changes nothing.
        DatabaseBuilder source;
        source.category(QStringLiteral("Imported"), QStringLiteral("imported")).link(QStringLiteral("Delta"));
        const QString file = m_fixture->write(source, QStringLiteral("source.site"));
        QVERIFY(document->importLinksFromFile(file));
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

    void addRenameTrimAndDelete()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Apples"), QStringLiteral("apples")).link(QStringLiteral("Orchard"));
        db.category(QStringLiteral("Top %2 Films"), QStringLiteral("films"))
            .link(QStringLiteral("One"))
            .link(QStringLiteral("Two"));
        MyDocument *document = m_fixture->open(db);
        CollectionManager &store = document->collectionManager();
        CategoryCommands *commands = document->commandArea<CategoryCommands>();

        // The ID follows the name until typed; emptied, it shows the proposal and takes it.
        commands->newCategory();
        AskStringDialogController *sheet = document->askStringDialog();
        QTest::keyClicks(sheet->categoryNameField(), QStringLiteral("Old Books"));
        QCOMPARE(sheet->categoryAnchor(), QStringLiteral("oldbooks"));
        sheet->anchorNameField()->selectAll();
        QTest::keyClicks(sheet->anchorNameField(), QStringLiteral("vintage"));
        QTest::keyClicks(sheet->categoryNameField(), QStringLiteral(" 2"));
        QCOMPARE(sheet->categoryAnchor(), QStringLiteral("vintage"));
        sheet->anchorNameField()->selectAll();
        QTest::keyClick(sheet->anchorNameField(), Qt::Key_Backspace);
        QCOMPARE(sheet->anchorNameField()->placeholderText(), QStringLiteral("oldbooks2"));
        sheet->confirm();
        QVERIFY(!sheet->isVisible());
        TreeNode *added = store.categoryWithName(QStringLiteral("Old Books 2"));
        QCOMPARE(added->category()->anchor(), QStringLiteral("oldbooks2"));
        QCOMPARE(document->selectedCategoryNode(), added);
        QVERIFY(document->isEdited());

        // The next use starts empty; a failed check keeps the sheet open with its alert.
        document->setWindowModified(false);
        commands->newCategory();
        QCOMPARE(sheet->categoryName(), QString());
        QCOMPARE(nameSheet(sheet, QStringLiteral("Games"), QStringLiteral("a_b")),
                 QStringList{QStringLiteral("The Category ID field contains invalid characters.")});
        QVERIFY(sheet->isVisible());

        // Too long: OK keeps the text as typed; Trim cuts the name, then the ID is asked about.
        const QString longName(200, QLatin1Char('n'));
        const QString longAnchor(50, QLatin1Char('a'));
        QCOMPARE(nameSheet(sheet, longName, QStringLiteral("x"), {0}),
                 QStringList{QStringLiteral("The category name is too long.")});
        QCOMPARE(sheet->categoryName(), longName);
        QCOMPARE(nameSheet(sheet, longName, longAnchor, {1, 1}),
                 (QStringList{QStringLiteral("The category name is too long."),
                              QStringLiteral("The category ID is too long.")}));
        QVERIFY(!sheet->isVisible());
        QCOMPARE(store.categoryWithName(longName.left(199))->category()->anchor(), longAnchor.left(49));

        // A name trimmed into another category's is refused.
        commands->newCategory();
        QCOMPARE(
            nameSheet(sheet, longName.left(199) + QLatin1Char('x'), QStringLiteral("second"), {1}).last(),
            QStringLiteral("A category with the same name already exists."));
        QVERIFY(sheet->isVisible());
        sheet->cancel();

        // Renamed, a category moves to its place in the list and stays selected with its links.
        DocumentFixture::selectCategory(document, QStringLiteral("Apples"));
        commands->renameCategory();
        QCOMPARE(sheet->categoryName(), QStringLiteral("Apples"));
        QVERIFY(nameSheet(sheet, QStringLiteral("Zucchini"), QStringLiteral("apples")).isEmpty());
        TreeNode *renamed = document->selectedCategoryNode();
        QCOMPARE(renamed->category()->name(), QStringLiteral("Zucchini"));
        QCOMPARE(store.categoryRoot()->indexOfChild(renamed), store.numberOfCategories() - 1);
        QCOMPARE(DocumentFixture::shownTitles(document), QStringList{QStringLiteral("Orchard")});

        // The default category can be neither renamed nor deleted.
        document->setWindowModified(false);
        document->showAndSelectCategoryNode(store.defaultCategoryNode());
        MessageBox::clearShownAlerts();
        commands->renameCategory();
        commands->deleteCategory();
        QCOMPARE(MessageBox::shownAlerts().size(), 2);
        QCOMPARE(MessageBox::shownAlerts().at(1).message,
                 QStringLiteral("The category \"General\" cannot be deleted."));
        QVERIFY(!sheet->isVisible());

        // Deleting asks, counting the links that go with it; Cancel keeps everything.
        const QString ask = QStringLiteral("Are you sure you want to delete the category ");
        DocumentFixture::selectCategory(document, QStringLiteral("Top %2 Films"));
        MessageBox::setNextAnswer(1); // Cancel
        commands->deleteCategory();
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 ask + QStringLiteral("\"Top %2 Films\" and its 2 links?"));
        QVERIFY(!document->isEdited());

        // Deleted, the default category is shown.
        DocumentFixture::selectCategory(document, QStringLiteral("Zucchini"));
        MessageBox::setNextAnswer(0);
        commands->deleteCategory();
        QCOMPARE(MessageBox::shownAlerts().last().title,
                 ask + QStringLiteral("\"Zucchini\" and its 1 link?"));
        QCOMPARE(store.numberOfLinks(), 2);
        QCOMPARE(document->selectedCategoryNode(), store.defaultCategoryNode());
        QVERIFY(document->isEdited());
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
