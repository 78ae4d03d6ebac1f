#include "AccessibilityCheck.h"
#include "DocumentFixture.h"
#include "document/DetailsView.h"
#include "document/DocumentMenus.h"
#include "document/LinkCommands.h"
#include "document/VerificationCommands.h"
#include "gui/HelpBook.h"
#include "model/Clock.h"
#include "model/DateTexts.h"
#include "model/NotificationComputer.h"
#include "verify/VerificationRowModel.h"
#include "verify/VerificationScheduler.h"
#include "verify/ui/VerificationDialogController.h"
#include "workflow/ui/InstantLinkDialogController.h"
#include "workflow/ui/LinkCountDialogController.h"
#include "workflow/ui/LinkDialogController.h"
#include "workflow/ui/NotificationDialogController.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

using LinkForm::Field;

// The link editor, the instant-link window, the count and reminder settings sheets, driven from the
// document window as the user drives them: their checks and alerts, what they store, and what they
// leave alone.
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
        frogs.status = LinkStatusNew;
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
        const Category *category = document->collectionManager().categoryWithID(link->categoryID());
        return category ? category->name() : QString();
    }

    static void type(LinkDialogController *dialog, Field field, const QString &text)
    {
        QWidget *widget = dialog->fieldWidget(field);
        if (auto *line = qobject_cast<QLineEdit *>(widget))
            line->setText(text);
        else
            static_cast<QPlainTextEdit *>(widget)->setPlainText(text);
    }

    static LinkForm::Texts required(const QString &title, const QString &url)
    {
        LinkForm::Texts texts;
        texts.title = title;
        texts.URL = url;
        return texts;
    }

    static QStringList alertTitles()
    {
        QStringList titles;
        for (const MessageBox::Shown &shown : MessageBox::shownAlerts())
            titles.append(shown.title);
        return titles;
    }

    // Opens the editor on the link with that title at a tab, through the window's commands.
    LinkDialogController *edit(MyDocument *document, const QString &title, QAction *command = nullptr)
    {
        DocumentFixture::selectLinks(document, {title});
        (command ? command : document->menus()->editLink)->trigger();
        return area(document)->linkDialog();
    }

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void newLinkGoesIntoTheSelectedCategoryAndIsSelected()
    {
        MyDocument *document = openPonds();
        // The commands on one link wait for one.
        document->selectLinksWithIDs({});
        QVERIFY(!document->menus()->editLink->isEnabled() && !document->menus()->showLinkNotes->isEnabled());
        DocumentFixture::selectLinks(document, {QStringLiteral("Frogs"), QStringLiteral("Newts")});
        QVERIFY(!document->menus()->showLinkExchangeInfo->isEnabled());
        document->menus()->newLink->trigger();
        LinkDialogController *dialog = area(document)->linkDialog();
        QVERIFY(dialog && dialog->isVisible());
        QVERIFY(document->hasAttachedSheet());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("New Link"));
        QCOMPARE(dialog->categoryPopup()->currentText(), QStringLiteral("Ponds"));
        QCOMPARE(dialog->tabView()->currentIndex(), 0);
        QCOMPARE(dialog->focusWidget(), dialog->fieldWidget(LinkForm::Title));

        type(dialog, LinkForm::Title, QStringLiteral("Toads"));
        type(dialog, LinkForm::MainPageURL, QStringLiteral("www.toads.example"));
        dialog->confirm();
        QVERIFY(!dialog->isVisible());
        const Link *toads = linkTitled(document, QStringLiteral("Toads"));
        QVERIFY(toads);
        QCOMPARE(categoryOf(document, toads), QStringLiteral("Ponds"));
        QCOMPARE(toads->URL(), QStringLiteral("http://www.toads.example"));
        QCOMPARE(toads->counterpartURL(), QStringLiteral("http://"));
        QVERIFY(toads->keywords().isEmpty());
        QCOMPARE(toads->status(), LinkStatusNew);
        QCOMPARE(toads->lastStatusChangedOn(), Clock::today());
        QCOMPARE(document->selectedLink(), toads);
        QVERIFY(document->isEdited());

        // Cancelling the next one adds nothing; its fields start empty again.
        document->setWindowModified(false);
        document->menus()->newLink->trigger();
        QVERIFY(dialog->texts().title.isEmpty());
        dialog->cancel();
        QCOMPARE(document->collectionManager().numberOfLinks(), 4);
        QVERIFY(!document->isEdited());
    }

    void theKeyboardAloneAddsALink()
    {
        MyDocument *document = openPonds();
        document->menus()->newLink->trigger();
        LinkDialogController *dialog = area(document)->linkDialog();
        // Keys go where the sheet's focus is (the offscreen platform keeps the document active).
        auto keys = [dialog](const QString &text) { QTest::keyClicks(dialog->focusWidget(), text); };
        auto key = [dialog](Qt::Key k) { QTest::keyClick(dialog->focusWidget(), k); };
        keys(QStringLiteral("Salamanders"));
        key(Qt::Key_Tab);
        QCOMPARE(dialog->focusWidget(), dialog->fieldWidget(LinkForm::Description));
        key(Qt::Key_Tab);
        QCOMPARE(dialog->focusWidget(), dialog->fieldWidget(LinkForm::Keywords));
        key(Qt::Key_Tab);
        QCOMPARE(dialog->focusWidget(), dialog->fieldWidget(LinkForm::MainPageURL));
        keys(QStringLiteral("salamanders.example"));
        key(Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
        QVERIFY(linkTitled(document, QStringLiteral("Salamanders")));

        // Escape leaves without a change.
        document->setWindowModified(false);
        document->menus()->newLink->trigger();
        keys(QStringLiteral("Lost"));
        key(Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QVERIFY(!linkTitled(document, QStringLiteral("Lost")));
        QVERIFY(!document->isEdited());
    }

    void confirmationChecksInOrderOnTheFieldsTab()
    {
        MyDocument *document = openPonds();
        document->menus()->newLink->trigger();
        LinkDialogController *dialog = area(document)->linkDialog();
        QList<int> alertsWhenTabChanged;
        connect(dialog->tabView(), &QTabWidget::currentChanged, this,
                [&](int) { alertsWhenTabChanged.append(int(MessageBox::shownAlerts().size())); });

        // A main page address of just the prefix is missing; the site tab comes back first.
        type(dialog, LinkForm::Title, QStringLiteral("Toads"));
        type(dialog, LinkForm::MainPageURL, QStringLiteral("http://"));
        dialog->tabView()->setCurrentIndex(LinkForm::NotesTab);
        MessageBox::clearShownAlerts();
        alertsWhenTabChanged.clear();
        dialog->confirm();
        QVERIFY(dialog->isVisible());
        QCOMPARE(alertTitles(), QStringList{QStringLiteral("Some required fields are missing.")});
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::SiteTab));
        QCOMPARE(alertsWhenTabChanged, QList<int>{0});

        // Too long an e-mail is trimmed on its tab, then too long notes stop the sheet on theirs, the
        // tab being shown before each question.
        type(dialog, LinkForm::MainPageURL, QStringLiteral("toads.example"));
        type(dialog, LinkForm::ContactEmail, QString(120, QLatin1Char('e')));
        type(dialog, LinkForm::Notes, QString(600, QLatin1Char('n')));
        MessageBox::clearShownAlerts();
        alertsWhenTabChanged.clear();
        MessageBox::setNextAnswer(1); // Trim
        MessageBox::setNextAnswer(0); // OK
        dialog->confirm();
        QVERIFY(dialog->isVisible());
        QCOMPARE(alertTitles(),
                 (QStringList{QStringLiteral("The Contact E-mail field contains too many characters."),
                              QStringLiteral("The Notes field contains too many characters.")}));
        QCOMPARE(alertsWhenTabChanged, (QList<int>{0, 1}));
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::NotesTab));
        QCOMPARE(dialog->texts().contactEmail.size(), 99);
        QVERIFY(!linkTitled(document, QStringLiteral("Toads")));
    }

    void choosingAStatusDatesItAndApprovedVerifies()
    {
        MyDocument *document = openPonds();
        LinkDialogController *dialog =
            edit(document, QStringLiteral("Frogs"), document->menus()->showLinkExchangeInfo);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Edit Link"));
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::ExchangeTab));
        QCOMPARE(dialog->lastStatusChangedOn(), Clock::today().addDays(-10));

        QComboBox *status = dialog->statusPopup();
        status->setCurrentIndex(2);
        emit status->activated(2);
        QCOMPARE(dialog->lastStatusChangedOn(), Clock::today());
        QCOMPARE(dialog->lastVerifiedOn(), Clock::today());
        QCOMPARE(dialog->lastVerificationResult(), VerificationMarkedVerified);
        QCOMPARE(dialog->lastStatusChangeField()->text(), DateTexts::stringForDate(Clock::today()));
        status->setCurrentIndex(3);
        emit status->activated(3);
        QVERIFY(dialog->lastVerifiedOn().isNull());
        QCOMPARE(dialog->lastVerificationResult(), VerificationNotVerified);
        dialog->confirm();
        const Link *frogs = linkTitled(document, QStringLiteral("Frogs"));
        QCOMPARE(frogs->status(), LinkStatusBlocked);
        QCOMPARE(frogs->lastStatusChangedOn(), Clock::today());
    }

    void editingKeepsTheKeywordsAndMovesTheLink()
    {
        MyDocument *document = openPonds();
        LinkDialogController *dialog = edit(document, QStringLiteral("Frogs"));
        QCOMPARE(dialog->texts().contactEmail, QStringLiteral("ann@frogs.example"));
        QCOMPARE(dialog->texts().keywords, QStringLiteral("frogs, ponds"));
        dialog->selectCategoryAtIndex(1); // Birds
        type(dialog, LinkForm::Title, QStringLiteral("Frogs and Toads"));
        dialog->confirm();
        const Link *frogs = linkTitled(document, QStringLiteral("Frogs and Toads"));
        QVERIFY(frogs);
        QCOMPARE(frogs->keywords(), QStringLiteral("frogs, ponds"));
        QCOMPARE(categoryOf(document, frogs), QStringLiteral("Birds"));
        // The Keywords field edits them.
        dialog = edit(document, QStringLiteral("Frogs and Toads"));
        type(dialog, LinkForm::Keywords, QStringLiteral("toads"));
        dialog->confirm();
        QCOMPARE(frogs->keywords(), QStringLiteral("toads"));
        QCOMPARE(document->selectedLink(), frogs);
        QCOMPARE(document->selectedCategoryNode()->category()->name(), QStringLiteral("Birds"));
        QVERIFY(document->isEdited());

        // Confirming without a change leaves the document as it was.
        document->setWindowModified(false);
        edit(document, QStringLiteral("Frogs and Toads"))->confirm();
        QVERIFY(!document->isEdited());
        QCOMPARE(document->selectedLink(), frogs);
    }

    void messagesFromTheEditorReachTheStoredLinkOnlyOnConfirmation()
    {
        MyDocument *document = openPonds();
        LinkDialogController *dialog =
            edit(document, QStringLiteral("Frogs"), document->menus()->showLinkExchangeInfo);
        const QStringList items = [&] {
            QStringList texts;
            for (const QAction *action : dialog->contactMenu()->actions())
                texts.append(action->isSeparator() ? QStringLiteral("---") : action->text());
            return texts;
        }();
        QCOMPARE(items,
                 (QStringList{QStringLiteral("&Blank Message"), QStringLiteral("---"), QStringLiteral("Ask"),
                              QStringLiteral("---"), QStringLiteral("New E-mail &Template...")}));

        dialog->selectEmailTemplate(0);
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        QVERIFY(m_fixture->opener().urls().first().toString().startsWith(
            QStringLiteral("mailto:ann@frogs.example")));
        QCOMPARE(dialog->linkStatus(), LinkStatusNegotiating);
        QCOMPARE(dialog->lastStatusChangedOn(), Clock::today());
        QCOMPARE(linkTitled(document, QStringLiteral("Frogs"))->status(), LinkStatusNew);
        dialog->cancel();
        QCOMPARE(linkTitled(document, QStringLiteral("Frogs"))->status(), LinkStatusNew);
        QVERIFY(!document->isEdited());
        // Nothing of the editor's working link is left for Undo to take up.
        QVERIFY(!document->collectionManager().journal().hasOpenEntry());
        document->menus()->undo->trigger();
        QVERIFY(!document->isEdited());

        edit(document, QStringLiteral("Frogs"))->sendCustomEmail();
        dialog->confirm();
        QCOMPARE(linkTitled(document, QStringLiteral("Frogs"))->status(), LinkStatusNegotiating);
        QVERIFY(document->isEdited());
    }

    void checkingTheURLIgnoresTheEditedLink()
    {
        MyDocument *document = openPonds();
        LinkDialogController *dialog = edit(document, QStringLiteral("Frogs"));
        MessageBox::clearShownAlerts();
        dialog->checkURL();
        QCOMPARE(alertTitles(), QStringList{QStringLiteral("This URL is unique.")});
        type(dialog, LinkForm::MainPageURL, QStringLiteral("www.newts.example/"));
        dialog->checkURL();
        QCOMPARE(dialog->texts().URL, QStringLiteral("http://www.newts.example/"));
        QCOMPARE(MessageBox::shownAlerts().last().title, QStringLiteral("This URL is not unique."));
        QCOMPARE(MessageBox::shownAlerts().last().message,
                 QStringLiteral("Another link with the same URL already exists."));
        dialog->cancel();
    }

    void visitingOpensOnlyWebAddressesAsTyped()
    {
        MyDocument *document = openPonds();
        LinkDialogController *dialog = edit(document, QStringLiteral("Frogs"));
        type(dialog, LinkForm::LinksPageURL, QStringLiteral("frogs.example/links.html"));
        dialog->goToLinksPageURL();
        QCOMPARE(m_fixture->opener().urls(),
                 QList<QUrl>{QUrl(QStringLiteral("http://frogs.example/links.html"))});
        QCOMPARE(dialog->texts().linksPageURL, QStringLiteral("frogs.example/links.html"));
        type(dialog, LinkForm::MainPageURL, QStringLiteral("file:///etc/passwd"));
        MessageBox::clearShownAlerts();
        dialog->goToURL();
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        QCOMPARE(alertTitles(), QStringList{QStringLiteral("This address cannot be opened in the browser.")});
        dialog->cancel();
    }

    void notificationsTabCountsAndSorts()
    {
        DatabaseBuilder db;
        LinkFields failing;
        failing.title = QStringLiteral("Failing");
        failing.URL = QStringLiteral("http://failing.example/");
        failing.status = LinkStatusApproved;
        failing.lastStatusChangedOn = Clock::today().addDays(-100);
        failing.lastVerifiedOn = Clock::today().addDays(-60);
        failing.lastVerificationResult = VerificationNoResponse;
        db.link(failing).link(QStringLiteral("Fresh"), LinkStatusNew);
        MyDocument *document = m_fixture->open(db);

        LinkDialogController *dialog =
            edit(document, QStringLiteral("Failing"), document->menus()->showLinkNotifications);
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::NotificationsTab));
        QTableWidget *table = dialog->notificationsTable();
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(dialog->notificationsStatusField()->text(), QStringLiteral("2 notifications"));
        // By date: the failure (60 days ago) before the overdue check (30 days after it).
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("Partner site does not respond."));
        dialog->sortNotificationsByColumn(1);
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("Link verified more than 30 days ago."));

        // The tab shows the reminders of the values entered, not of the stored link.
        dialog->tabView()->setCurrentIndex(LinkForm::ExchangeTab);
        dialog->statusPopup()->setCurrentIndex(1);
        emit dialog->statusPopup()->activated(1);
        dialog->tabView()->setCurrentIndex(LinkForm::NotificationsTab);
        QCOMPARE(dialog->notificationsStatusField()->text(), QStringLiteral("0 notifications"));
        dialog->cancel();
        QVERIFY(!document->isEdited());
    }

    void verifyingSavesAtOnceAndComesBackToTheExchangeTab()
    {
        MyDocument *document = openPonds();
        document->menus()->newLink->trigger();
        LinkDialogController *dialog = area(document)->linkDialog();
        type(dialog, LinkForm::MainPageURL, QStringLiteral("nameless.example"));
        dialog->verify(); // no title: the verify button skips the checks
        QVERIFY(!dialog->isVisible());
        QCOMPARE(document->collectionManager().numberOfLinks(), 4);
        QCOMPARE(document->selectedLink()->URL(), QStringLiteral("http://nameless.example"));
        QVERIFY(area(document)->verifyAndReturnToLinkDialog());

        // The verification sheet comes up for that link; closing it brings the editor back.
        VerificationDialogController *sheet =
            document->commandArea<VerificationCommands>()->verificationDialog();
        QVERIFY(sheet && sheet->isVisible());
        QVERIFY(sheet->rows()->numLinks() >= 1);
        sheet->cancel();
        QVERIFY(!sheet->isVisible());
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::ExchangeTab));
        QCOMPARE(dialog->texts().URL, QStringLiteral("http://nameless.example"));
        QVERIFY(!area(document)->verifyAndReturnToLinkDialog());
        dialog->cancel();

        // Another verification's end does not bring the editor back.
        document->menus()->verifyLink->trigger();
        sheet->cancel();
        QVERIFY(!dialog->isVisible());
    }

    void detailsButtonsOpenTheEditorAtTheirTabs()
    {
        MyDocument *document = openPonds();
        DocumentFixture::selectLinks(document, {QStringLiteral("Newts")});
        emit document->detailsView()->showAllNotesClicked();
        LinkDialogController *dialog = area(document)->linkDialog();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::NotesTab));
        QCOMPARE(dialog->texts().title, QStringLiteral("Newts"));
        dialog->cancel();
        emit document->detailsView()->showExchangeInfoClicked();
        QCOMPARE(dialog->tabView()->currentIndex(), int(LinkForm::ExchangeTab));
        dialog->cancel();
    }

    void instantLinkAddsSendsAndRemembers()
    {
        MyDocument *document = openPonds();
        auto run = [&](const std::function<void(InstantLinkDialogController *)> &fill) {
            QTimer::singleShot(0, this, [&] {
                InstantLinkDialogController *dialog = area(document)->instantLinkDialog();
                QVERIFY(dialog && dialog->isVisible());
                fill(dialog);
                if (dialog->isVisible())
                    dialog->cancel();
            });
            document->menus()->instantLink->trigger();
        };

        // The defaults: received, send, the blank message. The URL still the prefix is refused.
        MessageBox::clearShownAlerts();
        run([&](InstantLinkDialogController *dialog) {
            QCOMPARE(dialog->texts().URL, QStringLiteral("http://"));
            QCOMPARE(dialog->categoryPopup()->currentText(), QStringLiteral("Ponds"));
            QVERIFY(dialog->sendMessageCheckbox()->isChecked());
            QCOMPARE(dialog->emailTemplateIndex(), -1);
            LinkForm::Texts texts = dialog->texts();
            texts.title = QStringLiteral("Toads");
            dialog->setTexts(texts);
            dialog->confirm();
            QCOMPARE(alertTitles(), QStringList{QStringLiteral("Some required fields are missing.")});
            texts.URL = QStringLiteral("toads.example");
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
        QVERIFY(toads->keywords().isEmpty() && toads->notes().isEmpty() &&
                toads->contactFirstName().isEmpty());
        QVERIFY(toads->lastVerifiedOn().isNull());
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        QVERIFY(m_fixture->opener().urls().first().toString().startsWith(
            QStringLiteral("mailto:tom@toads.example")));
        QVERIFY(document->isEdited());
        QCOMPARE(Preferences::intValue(Preferences::InstantLinkRequestType), int('A'));

        // Without the check box the link stays New and nothing is sent; the choices come back.
        run([&](InstantLinkDialogController *dialog) {
            QVERIFY(dialog->requestSentButton()->isChecked());
            dialog->setTexts(required(QStringLiteral("Newts 2"), QStringLiteral("newts2.example")));
            dialog->sendMessageCheckbox()->setChecked(false);
            dialog->confirm();
        });
        QCOMPARE(linkTitled(document, QStringLiteral("Newts 2"))->status(), LinkStatusNew);
        QCOMPARE(m_fixture->opener().urls().size(), 1);
        QVERIFY(!Preferences::boolValue(Preferences::InstantLinkSendMessage));

        // A template chosen is chosen again, in another document too; a stale one falls back to item 0.
        run([&](InstantLinkDialogController *dialog) {
            dialog->sendMessageCheckbox()->setChecked(true);
            QCOMPARE(dialog->messagePopup()->count(), 3);
            dialog->messagePopup()->setCurrentIndex(2);
            dialog->setTexts(required(QStringLiteral("Carp"), QStringLiteral("carp.example")));
            dialog->confirm();
        });
        QCOMPARE(Preferences::intValue(Preferences::InstantLinkTemplateIndex), 0);
        QCOMPARE(m_fixture->opener().urls().size(), 2);
        QVERIFY(m_fixture->opener().urls().last().toString().contains(QStringLiteral("BODY=Hello Carp")));

        // Cancelling adds nothing and keeps the choices.
        document->setWindowModified(false);
        run([&](InstantLinkDialogController *dialog) {
            dialog->sendMessageCheckbox()->setChecked(false);
            dialog->cancel();
        });
        QVERIFY(!document->isEdited());
        QVERIFY(Preferences::boolValue(Preferences::InstantLinkSendMessage));
    }

    // A second link to an address already in the database is asked about; Cancel goes back.
    void addingAKnownAddressAsksFirst()
    {
        MyDocument *document = openPonds();
        document->menus()->newLink->trigger();
        LinkDialogController *dialog = area(document)->linkDialog();
        type(dialog, LinkForm::Title, QStringLiteral("Frogs again"));
        type(dialog, LinkForm::MainPageURL, QStringLiteral("WWW.frogs.example"));
        MessageBox::clearShownAlerts();
        MessageBox::setNextAnswer(1); // Cancel
        dialog->confirm();
        QCOMPARE(alertTitles(),
                 QStringList{QStringLiteral(
                     "A link with this address already exists: \"http://WWW.frogs.example\".")});
        QCOMPARE(MessageBox::shownAlerts().constLast().buttons, QStringList({"Add Anyway", "Cancel"}));
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->focusWidget(), dialog->fieldWidget(LinkForm::MainPageURL));
        QVERIFY(!linkTitled(document, QStringLiteral("Frogs again")));
        MessageBox::setNextAnswer(0); // Add Anyway
        dialog->confirm();
        QVERIFY(!dialog->isVisible());
        QVERIFY(linkTitled(document, QStringLiteral("Frogs again")));

        // Editing a link never asks about its own address.
        MessageBox::clearShownAlerts();
        edit(document, QStringLiteral("Frogs"))->confirm();
        QVERIFY(MessageBox::shownAlerts().isEmpty());

        // The instant-link window asks the same.
        QTimer::singleShot(0, this, [&] {
            InstantLinkDialogController *instant = area(document)->instantLinkDialog();
            instant->setTexts(
                required(QStringLiteral("Frogs thrice"), QStringLiteral("http://www.frogs.example")));
            instant->sendMessageCheckbox()->setChecked(false);
            MessageBox::setNextAnswer(1);
            instant->confirm();
            QVERIFY(instant->isVisible());
            MessageBox::setNextAnswer(0);
            instant->confirm();
        });
        document->menus()->instantLink->trigger();
        QVERIFY(linkTitled(document, QStringLiteral("Frogs thrice")));
        QCOMPARE(MessageBox::shownAlerts().size(), 2);
    }

    void countSheetCountsTheDatabaseAndTheCategory()
    {
        MyDocument *document = openPonds();
        document->menus()->countLinks->trigger();
        LinkCountDialogController *dialog = area(document)->linkCountDialog();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->siteCountTexts(), (QStringList{"1", "1", "1", "0", "3"}));
        QCOMPARE(dialog->categoryCountTexts(), (QStringList{"1", "1", "0", "0", "2"}));
        QCOMPARE(dialog->promptText(),
                 QStringLiteral("This shows the number of links in the database as well "
                                "as in the category \"Ponds\"."));
        dialog->cancel();
        QVERIFY(!dialog->isVisible());
        QVERIFY(!document->isEdited());
    }

    void notificationSettingsRoundTrip()
    {
        DatabaseBuilder db;
        LinkFields stale;
        stale.title = QStringLiteral("Stale");
        stale.URL = QStringLiteral("http://stale.example/");
        stale.status = LinkStatusNegotiating;
        stale.lastStatusChangedOn = Clock::today().addDays(-20);
        db.link(stale);
        MyDocument *document = m_fixture->open(db);
        const NotificationSettings before = document->collectionManager().selfInfo().notificationSettings();
        DocumentFixture::selectLinks(document, {QStringLiteral("Stale")});
        QVERIFY(NotificationComputer::linkHasNotifications(document->selectedLinkNode()));

        document->menus()->notificationSetup->trigger();
        NotificationDialogController *dialog = area(document)->notificationDialog();
        QVERIFY(dialog->isVisible());
        using Switch = NotificationDialogController;
        QCOMPARE(dialog->switchButton(Switch::LastingNegotiation)->isChecked(),
                 before.notifyLastingNegotiation);
        QCOMPARE(dialog->numberField(NotificationSettingsForm::LinksInCategoryNumber)->value(),
                 before.linksInCategoryNumber);

        // Confirming what was there changes nothing.
        dialog->confirm();
        QVERIFY(!document->isEdited());

        // Switching the lasting-negotiation reminder off removes it at once.
        document->menus()->notificationSetup->trigger();
        dialog->switchButton(Switch::LastingNegotiation)->setChecked(false);
        dialog->numberField(NotificationSettingsForm::LinkVerificationTimeout)->setValue(45);
        dialog->confirm();
        const NotificationSettings after = document->collectionManager().selfInfo().notificationSettings();
        QVERIFY(!after.notifyLastingNegotiation);
        QCOMPARE(after.linkVerificationTimeout, 45);
        QCOMPARE(after.linksInCategoryNumber, before.linksInCategoryNumber);
        QVERIFY(!NotificationComputer::linkHasNotifications(document->selectedLinkNode()));
        QCOMPARE(document->selectedLink()->title(), QStringLiteral("Stale"));
        QVERIFY(document->isEdited());

        // Cancelling keeps the settings.
        document->setWindowModified(false);
        document->menus()->notificationSetup->trigger();
        dialog->switchButton(Switch::VerificationUnsuccessful)->setChecked(false);
        dialog->cancel();
        QVERIFY(document->collectionManager().selfInfo().notifyVerificationUnsuccessful());
        QVERIFY(!document->isEdited());
    }

    void aStoredNumberOutOfRangeIsShownAndRefused()
    {
        DatabaseBuilder db;
        NotificationSettings odd = db.store().selfInfo().notificationSettings();
        odd.negotiationStartTimeout = -3;
        db.store().setNotificationSettings(odd);
        MyDocument *document = m_fixture->open(db);
        document->menus()->notificationSetup->trigger();
        NotificationDialogController *dialog = area(document)->notificationDialog();
        QSpinBox *field = dialog->numberField(NotificationSettingsForm::NegotiationStartTimeout);
        QCOMPARE(field->value(), -3);
        MessageBox::clearShownAlerts();
        dialog->confirm();
        QVERIFY(dialog->isVisible());
        QCOMPARE(alertTitles(), QStringList{QStringLiteral(
                                    "The Negotiation Not Started field does not contain a valid number.")});
        QVERIFY(field->isEnabled());
        QCOMPARE(document->collectionManager().selfInfo().negotiationStartTimeout(), -3);
        field->setValue(2);
        dialog->confirm();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(document->collectionManager().selfInfo().negotiationStartTimeout(), 2);
        // Once corrected, the range is the usual one again.
        document->menus()->notificationSetup->trigger();
        QCOMPARE(field->minimum(), 0);
        dialog->cancel();
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestLinkDialogs)
#include "tst_linkdialogs.moc"
