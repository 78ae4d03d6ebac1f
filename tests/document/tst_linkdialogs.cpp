#include "DocumentFixture.h"
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
        QVERIFY(!dialog->isVisible());
        const Link *toads = linkTitled(document, QStringLiteral("Toads"));
        QVERIFY(toads);
        QCOMPARE(toads->URL(), QStringLiteral("http://WWW.frogs.example"));
        QCOMPARE(document->selectedLink(), toads);
        QCOMPARE(document->selectedCategoryNode()->category()->name(), QStringLiteral("Ponds"));
        QVERIFY(document->isEdited());

        // Escape leaves without a change; the fields start empty again.
        document->setWindowModified(false);
        document->menus()->newLink->trigger();
        QVERIFY(dialog->texts().title.isEmpty());
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
        QVERIFY(!dialog->isVisible() && !document->isEdited());
    }

    void editorStoresOnlyWhatIsConfirmed()
    {
        MyDocument *document = openPonds();
        LinkDialogController *dialog =
            edit(document, QStringLiteral("Frogs"), document->menus()->showLinkExchangeInfo);
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

        // Only web addresses are visited. A status chosen is dated today; OK keeps the keywords and
        // moves the link.
        dialog = edit(document, QStringLiteral("Frogs"));
        type(dialog, LinkForm::LinksPageURL, QStringLiteral("file:///etc/passwd"));
        dialog->goToLinksPageURL();
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        type(dialog, LinkForm::LinksPageURL, QString());
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
        QCOMPARE(document->selectedLink(), frogs);
        QCOMPARE(document->selectedCategoryNode()->category()->name(), QStringLiteral("Birds"));
        // The Keywords field edits them.
        dialog = edit(document, QStringLiteral("Frogs and Toads"));
        type(dialog, LinkForm::Keywords, QStringLiteral("toads"));
        dialog->confirm();
        QCOMPARE(frogs->keywords(), QStringLiteral("toads"));
    }

    void verifyingFromTheEditorSavesAtOnceAndComesBack()
    {
        MyDocument *document = openPonds();
        document->menus()->newLink->trigger();
        LinkDialogController *dialog = area(document)->linkDialog();
        type(dialog, LinkForm::MainPageURL, QStringLiteral("nameless.example"));
        dialog->verify(); // no title: the verify button skips the checks
        QVERIFY(!dialog->isVisible());
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
        auto fill = [](InstantLinkDialogController *dialog, const QString &title, const QString &url) {
            LinkForm::Texts texts = dialog->texts();
            texts.title = title;
            texts.URL = url;
            dialog->setTexts(texts);
        };
        // The defaults: the category shown, the blank message sent. The URL still the prefix is refused.
        runInstantLink(document, [&](InstantLinkDialogController *dialog) {
            QCOMPARE(dialog->categoryPopup()->currentText(), QStringLiteral("Ponds"));
            QCOMPARE(dialog->emailTemplateIndex(), -1);
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
        // Without the check box nothing is sent and the link stays New; cancelling adds nothing.
        runInstantLink(document, [&](InstantLinkDialogController *dialog) {
            fill(dialog, QStringLiteral("Newts 2"), QStringLiteral("newts2.example"));
            dialog->sendMessageCheckbox()->setChecked(false);
            dialog->confirm();
        });
        QCOMPARE(linkTitled(document, QStringLiteral("Newts 2"))->status(), LinkStatusNew);
        QCOMPARE(m_fixture->opener().urls().size(), 2);
        document->setWindowModified(false);
        runInstantLink(document, [&](InstantLinkDialogController *dialog) {
            QVERIFY(!dialog->sendMessageCheckbox()->isChecked());
            dialog->cancel();
        });
        QVERIFY(!document->isEdited());

        document->menus()->countLinks->trigger();
        LinkCountDialogController *count = area(document)->linkCountDialog();
        QCOMPARE(count->siteCountTexts(), (QStringList{"2", "3", "1", "0", "6"}));
        QCOMPARE(count->categoryCountTexts(), (QStringList{"2", "3", "0", "0", "5"}));
        QVERIFY(count->promptText().contains(QStringLiteral("\"Ponds\"")));
        count->cancel();
        QVERIFY(!count->isVisible() && !document->isEdited());
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
        LinkDialogController *dialog = edit(document, QStringLiteral("Stale"));
        QCOMPARE(dialog->notificationsTable()->rowCount(), 1);
        chooseStatus(dialog, LinkStatusNegotiating); // dated today
        dialog->tabView()->setCurrentIndex(LinkForm::NotificationsTab);
        QCOMPARE(dialog->notificationsTable()->rowCount(), 0);
        dialog->cancel();

        // The settings sheet shows the stored number and refuses it until corrected.
        const NotificationSettings before = store.selfInfo().notificationSettings();
        document->menus()->notificationSetup->trigger();
        NotificationDialogController *sheet = area(document)->notificationDialog();
        using Switch = NotificationDialogController;
        QSpinBox *field = sheet->numberField(NotificationSettingsForm::NegotiationStartTimeout);
        QCOMPARE(field->value(), -3);
        QCOMPARE(confirm(sheet), QStringList{QStringLiteral(
                                     "The Negotiation Not Started field does not contain a valid number.")});
        QVERIFY(sheet->isVisible());
        QCOMPARE(store.selfInfo().negotiationStartTimeout(), -3);
        // Switching the lasting-negotiation reminder off removes it at once.
        field->setValue(2);
        QVERIFY(sheet->switchButton(Switch::LastingNegotiation)->isChecked());
        sheet->switchButton(Switch::LastingNegotiation)->setChecked(false);
        sheet->confirm();
        QVERIFY(!sheet->isVisible());
        const NotificationSettings after = store.selfInfo().notificationSettings();
        QCOMPARE(after.negotiationStartTimeout, 2);
        QVERIFY(!after.notifyLastingNegotiation);
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
