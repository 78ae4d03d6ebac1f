#include "DocumentFixture.h"
#include "document/DetailsView.h"
#include "document/DocumentMenus.h"
#include "document/DocumentUndo.h"
#include "document/LinkCommands.h"
#include "document/VerificationCommands.h"
#include "model/Clock.h"
#include "model/NotificationComputer.h"
#include "verify/VerificationRowModel.h"
#include "verify/ui/VerificationDialogController.h"
#include "workflow/ui/InstantLinkDialogController.h"
#include "workflow/ui/LinkCountDialogController.h"
#include "workflow/ui/LinkDialogController.h"
#include "workflow/ui/NotificationDialogController.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QUndoStack>

using LinkForm::Field;

// The link editor, the instant-link window, the count and reminder settings sheets, driven from the
// document window: what they hand to their forms' rules (tst_linkform), what they store, and what
// they leave alone.
class TestLinkDialogs : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

private:
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

    static LinkCommands *area(MyDocument *document) { return document->commandArea<LinkCommands>(); }

    static Link *linkTitled(MyDocument *document, const QString &title)
    {
        for (const TreeNode *node : document->collectionManager().allLinkNodes()) {
            if (node->link()->title() == title)
                return node->link();
        }
        return nullptr;
    }

    static QString categoryOf(MyDocument *document, const Link *link)
    {
        return document->collectionManager().categoryWithID(link->categoryID())->name();
    }

    static void type(LinkDialogController *dialog, Field field, const QString &text)
    {
        QWidget *widget = dialog->fieldWidget(field);
        if (auto *line = qobject_cast<QLineEdit *>(widget))
            line->setText(text);
        else
            static_cast<QPlainTextEdit *>(widget)->setPlainText(text);
    }

    static void chooseStatus(LinkDialogController *dialog, LinkStatus status)
    {
        const int index = LinkForm::popupIndexOfStatus(status);
        dialog->statusPopup()->setCurrentIndex(index);
        emit dialog->statusPopup()->activated(index);
    }

    static LinkForm::Texts required(const QString &title, const QString &url)
    {
        LinkForm::Texts texts;
        texts.title = title;
        texts.URL = url;
        return texts;
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

    void newLinkChecksAsksAndAdds()
    {
        MyDocument *document = openPonds();
        document->menus()->newLink->trigger();
        LinkDialogController *dialog = area(document)->linkDialog();
        QVERIFY(dialog->isVisible() && document->hasAttachedSheet());
        // A failed check shows its field's tab before its alert or question.
        QList<int> alertsWhenTabChanged;
        connect(dialog->tabView(), &QTabWidget::currentChanged, this,
                [&](int) { alertsWhenTabChanged.append(int(MessageBox::shownAlerts().size())); });
        type(dialog, LinkForm::Title, QStringLiteral("Toads"));
        type(dialog, LinkForm::MainPageURL, QStringLiteral("http://"));
        type(dialog, LinkForm::Notes, QString(600, QLatin1Char('n')));
        dialog->tabView()->setCurrentIndex(LinkForm::NotesTab);
        alertsWhenTabChanged.clear();
        QCOMPARE(confirm(dialog), QStringList{QStringLiteral("Some required fields are missing.")});
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::SiteTab));
        type(dialog, LinkForm::MainPageURL, QStringLiteral("WWW.frogs.example"));
        QCOMPARE(confirm(dialog, {0}),
                 QStringList{QStringLiteral("The Notes field contains too many characters.")});
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::NotesTab));
        QCOMPARE(alertsWhenTabChanged, (QList<int>{0, 0}));

        // An address already in the database is asked about; Cancel goes back to it.
        type(dialog, LinkForm::Notes, QString());
        QCOMPARE(confirm(dialog, {1}),
                 QStringList{QStringLiteral(
                     "A link with this address already exists: \"http://WWW.frogs.example\".")});
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->focusWidget(), dialog->fieldWidget(LinkForm::MainPageURL));
        QVERIFY(!linkTitled(document, QStringLiteral("Toads")));
        confirm(dialog, {0}); // Add Anyway
        QVERIFY(!dialog->isVisible());
        const Link *toads = linkTitled(document, QStringLiteral("Toads"));
        QVERIFY(toads);
        QCOMPARE(categoryOf(document, toads), QStringLiteral("Ponds"));
        QCOMPARE(toads->URL(), QStringLiteral("http://WWW.frogs.example"));
        QCOMPARE(document->selectedLink(), toads);
        QVERIFY(document->isEdited());

        // Return confirms, Escape leaves without a change; the fields start empty each time.
        document->setWindowModified(false);
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            document->menus()->newLink->trigger();
            QVERIFY(dialog->texts().title.isEmpty());
            QTest::keyClicks(dialog->focusWidget(), QStringLiteral("Salamanders"));
            type(dialog, LinkForm::MainPageURL, QStringLiteral("salamanders.example"));
            QTest::keyClick(dialog->focusWidget(), key);
            QVERIFY(!dialog->isVisible());
            QCOMPARE(document->isEdited(), key == Qt::Key_Return);
            QCOMPARE(bool(linkTitled(document, QStringLiteral("Salamanders"))), key == Qt::Key_Return);
        }
    }

    void editorStoresOnlyWhatIsConfirmed()
    {
        MyDocument *document = openPonds();
        LinkDialogController *dialog =
            edit(document, QStringLiteral("Frogs"), document->menus()->showLinkExchangeInfo);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Edit Link"));
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
        document->menus()->undo->trigger();
        QVERIFY(!document->isEdited());

        // Checking the address leaves out the edited link; only web addresses are visited.
        dialog = edit(document, QStringLiteral("Frogs"));
        MessageBox::clearShownAlerts();
        dialog->checkURL();
        type(dialog, LinkForm::MainPageURL, QStringLiteral("www.newts.example/"));
        dialog->checkURL();
        type(dialog, LinkForm::MainPageURL, QStringLiteral("file:///etc/passwd"));
        dialog->goToURL();
        QCOMPARE(MessageBox::shownAlerts().size(), 3);
        QCOMPARE(MessageBox::shownAlerts().at(0).title, QStringLiteral("This URL is unique."));
        QCOMPARE(MessageBox::shownAlerts().at(1).title, QStringLiteral("This URL is not unique."));
        QCOMPARE(MessageBox::shownAlerts().at(2).title,
                 QStringLiteral("This address cannot be opened in the browser."));
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        dialog->cancel();

        // A status chosen is dated today; OK keeps the keywords and moves the link.
        dialog = edit(document, QStringLiteral("Frogs"));
        QCOMPARE(dialog->lastStatusChangedOn(), Clock::today().addDays(-10));
        chooseStatus(dialog, LinkStatusBlocked);
        QCOMPARE(dialog->lastStatusChangedOn(), Clock::today());
        dialog->selectCategoryAtIndex(1); // Birds
        type(dialog, LinkForm::Title, QStringLiteral("Frogs and Toads"));
        dialog->confirm();
        Link *frogs = linkTitled(document, QStringLiteral("Frogs and Toads"));
        QVERIFY(frogs);
        QCOMPARE(frogs->status(), LinkStatusBlocked);
        QCOMPARE(frogs->lastStatusChangedOn(), Clock::today());
        QCOMPARE(frogs->keywords(), QStringLiteral("frogs, ponds"));
        QCOMPARE(categoryOf(document, frogs), QStringLiteral("Birds"));
        QCOMPARE(document->selectedLink(), frogs);
        QVERIFY(document->isEdited());

        // The Keywords field edits them; confirming without a change leaves the document as it was.
        dialog = edit(document, QStringLiteral("Frogs and Toads"));
        type(dialog, LinkForm::Keywords, QStringLiteral("toads"));
        dialog->confirm();
        QCOMPARE(frogs->keywords(), QStringLiteral("toads"));
        document->setWindowModified(false);
        edit(document, QStringLiteral("Frogs and Toads"))->confirm();
        QVERIFY(!document->isEdited());
    }

    void verifyingFromTheEditorSavesAtOnceAndComesBack()
    {
        MyDocument *document = openPonds();
        // The details pane's button opens the editor at its tab.
        DocumentFixture::selectLinks(document, {QStringLiteral("Newts")});
        emit document->detailsView()->showAllNotesClicked();
        LinkDialogController *dialog = area(document)->linkDialog();
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::NotesTab));
        QCOMPARE(dialog->texts().title, QStringLiteral("Newts"));
        dialog->cancel();

        document->menus()->newLink->trigger();
        type(dialog, LinkForm::MainPageURL, QStringLiteral("nameless.example"));
        dialog->verify(); // no title: the verify button skips the checks
        QVERIFY(!dialog->isVisible());
        QCOMPARE(document->collectionManager().numberOfLinks(), 4);
        QCOMPARE(document->selectedLink()->URL(), QStringLiteral("http://nameless.example"));
        // The verification sheet comes up for that link; closing it brings the editor back.
        VerificationDialogController *sheet =
            document->commandArea<VerificationCommands>()->verificationDialog();
        QVERIFY(sheet->isVisible() && sheet->rows()->numLinks() >= 1);
        sheet->cancel();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::ExchangeTab));
        QCOMPARE(dialog->texts().URL, QStringLiteral("http://nameless.example"));
        dialog->cancel();
        // Another verification's end does not bring the editor back.
        document->menus()->verifyLink->trigger();
        sheet->cancel();
        QVERIFY(!dialog->isVisible());
    }

    void instantLinkAndTheCountSheet()
    {
        MyDocument *document = openPonds();
        // The defaults: received, send, the blank message. The URL still the prefix is refused.
        runInstantLink(document, [&](InstantLinkDialogController *dialog) {
            QCOMPARE(dialog->texts().URL, QStringLiteral("http://"));
            QCOMPARE(dialog->categoryPopup()->currentText(), QStringLiteral("Ponds"));
            QVERIFY(dialog->sendMessageCheckbox()->isChecked());
            QCOMPARE(dialog->emailTemplateIndex(), -1);
            dialog->setTexts(required(QStringLiteral("Toads"), QStringLiteral("http://")));
            QCOMPARE(confirm(dialog), QStringList{QStringLiteral("Some required fields are missing.")});
            LinkForm::Texts texts = required(QStringLiteral("Toads"), QStringLiteral("toads.example"));
            texts.contactEmail = QStringLiteral("tom@toads.example");
            dialog->setTexts(texts);
            dialog->requestSentButton()->click();
            dialog->confirm();
        });
        const Link *toads = linkTitled(document, QStringLiteral("Toads"));
        QVERIFY(toads);
        QCOMPARE(categoryOf(document, toads), QStringLiteral("Ponds"));
        QCOMPARE(document->selectedLink(), toads);
        QCOMPARE(toads->status(), LinkStatusNegotiating); // the blank message went out
        QCOMPARE(toads->type(), LinkTypeSent);
        QVERIFY(
            m_fixture->opener().urls().constLast().toString().startsWith(QStringLiteral("mailto:tom@toads")));
        // The link and its message are one step.
        QCOMPARE(document->undo()->stack()->count(), 1);

        // Without the check box nothing is sent; a template chosen is remembered; a known address is
        // asked about.
        runInstantLink(document, [&](InstantLinkDialogController *dialog) {
            QVERIFY(dialog->requestSentButton()->isChecked());
            dialog->setTexts(required(QStringLiteral("Newts 2"), QStringLiteral("newts2.example")));
            dialog->sendMessageCheckbox()->setChecked(false);
            dialog->confirm();
        });
        QCOMPARE(linkTitled(document, QStringLiteral("Newts 2"))->status(), LinkStatusNew);
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        runInstantLink(document, [&](InstantLinkDialogController *dialog) {
            QVERIFY(!dialog->sendMessageCheckbox()->isChecked());
            dialog->sendMessageCheckbox()->setChecked(true);
            dialog->messagePopup()->setCurrentIndex(2);
            dialog->setTexts(
                required(QStringLiteral("Frogs again"), QStringLiteral("http://www.frogs.example")));
            QCOMPARE(confirm(dialog, {1}).size(), 1); // Cancel
            QVERIFY(dialog->isVisible());
            confirm(dialog, {0});
        });
        QVERIFY(m_fixture->opener().urls().constLast().toString().contains(
            QStringLiteral("BODY=Hello Frogs again")));
        QCOMPARE(Preferences::intValue(Preferences::InstantLinkTemplateIndex), 0);
        // Cancelling adds nothing.
        document->setWindowModified(false);
        runInstantLink(document, [&](InstantLinkDialogController *dialog) { dialog->cancel(); });
        QVERIFY(!document->isEdited());

        document->menus()->countLinks->trigger();
        LinkCountDialogController *count = area(document)->linkCountDialog();
        QCOMPARE(count->siteCountTexts(), (QStringList{"2", "3", "1", "0", "6"}));
        QCOMPARE(count->categoryCountTexts(), (QStringList{"2", "3", "0", "0", "5"}));
        QVERIFY(count->promptText().contains(QStringLiteral("\"Ponds\"")));
        count->cancel();
        QVERIFY(!count->isVisible());
        QVERIFY(!document->isEdited());
    }

    void notificationsTabAndSettings()
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

        // The editor's tab lists the reminders of the values entered.
        LinkDialogController *dialog =
            edit(document, QStringLiteral("Stale"), document->menus()->showLinkNotifications);
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::NotificationsTab));
        QCOMPARE(dialog->notificationsTable()->rowCount(), 1);
        QCOMPARE(dialog->notificationsStatusField()->text(), QStringLiteral("1 notification"));
        dialog->tabView()->setCurrentIndex(LinkForm::ExchangeTab);
        chooseStatus(dialog, LinkStatusNegotiating); // dated today
        dialog->tabView()->setCurrentIndex(LinkForm::NotificationsTab);
        QCOMPARE(dialog->notificationsStatusField()->text(), QStringLiteral("0 notifications"));
        dialog->cancel();

        // The settings sheet shows the stored number and refuses it until corrected.
        const NotificationSettings before = store.selfInfo().notificationSettings();
        document->menus()->notificationSetup->trigger();
        NotificationDialogController *sheet = area(document)->notificationDialog();
        using Switch = NotificationDialogController;
        QCOMPARE(sheet->switchButton(Switch::LastingNegotiation)->isChecked(),
                 before.notifyLastingNegotiation);
        QSpinBox *field = sheet->numberField(NotificationSettingsForm::NegotiationStartTimeout);
        QCOMPARE(field->value(), -3);
        QCOMPARE(confirm(sheet), QStringList{QStringLiteral(
                                     "The Negotiation Not Started field does not contain a valid number.")});
        QVERIFY(sheet->isVisible() && field->isEnabled());
        QCOMPARE(store.selfInfo().negotiationStartTimeout(), -3);

        // Switching the lasting-negotiation reminder off removes it at once.
        field->setValue(2);
        sheet->switchButton(Switch::LastingNegotiation)->setChecked(false);
        sheet->numberField(NotificationSettingsForm::LinkVerificationTimeout)->setValue(45);
        sheet->confirm();
        QVERIFY(!sheet->isVisible());
        const NotificationSettings after = store.selfInfo().notificationSettings();
        QCOMPARE(after.negotiationStartTimeout, 2);
        QVERIFY(!after.notifyLastingNegotiation);
        QCOMPARE(after.linkVerificationTimeout, 45);
        QCOMPARE(after.linksInCategoryNumber, before.linksInCategoryNumber);
        QVERIFY(!NotificationComputer::linkHasNotifications(document->selectedLinkNode()));
        QVERIFY(document->isEdited());

        // Corrected, the range is the usual one; confirming what is there or cancelling changes nothing.
        document->setWindowModified(false);
        document->menus()->notificationSetup->trigger();
        QCOMPARE(field->minimum(), 0);
        sheet->confirm();
        document->menus()->notificationSetup->trigger();
        sheet->switchButton(Switch::VerificationUnsuccessful)->setChecked(false);
        sheet->cancel();
        QVERIFY(store.selfInfo().notifyVerificationUnsuccessful());
        QVERIFY(!document->isEdited());
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestLinkDialogs)
#include "tst_linkdialogs.moc"
