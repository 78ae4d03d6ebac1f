// Start-up and the welcome window: what the application shows when it starts, where a cancelled
// choice leads, and when it ends; the new-database assistant's values and message.
#include "DatabaseBuilder.h"
#include "app/ApplicationController.h"
#include "app/WelcomeDialogController.h"
#include "document/DocumentController.h"
#include "document/MyDocument.h"
#include "gui/FilePanel.h"
#include "gui/MessageBox.h"
#include "model/DatabaseFile.h"
#include "model/Preferences.h"
#include "model/UrlOpener.h"
#include "publish/ui/NewSiteCreatedDialogController.h"
#include "publish/ui/NewSiteDialogController.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

// Plays the user in the windows of one flow: each step waits until its window is on screen, then
// acts on it. The steps run in order.
class UserScript : public QObject
{
public:
    UserScript()
    {
        connect(&m_timer, &QTimer::timeout, this, &UserScript::tick);
        m_timer.start(10);
    }

    UserScript &then(std::function<QWidget *()> window, std::function<void(QWidget *)> action)
    {
        m_steps.append({std::move(window), std::move(action)});
        return *this;
    }
    bool isFinished() const { return m_next == m_steps.size(); }

private:
    void tick()
    {
        if (isFinished())
            return;
        QWidget *window = m_steps.at(m_next).first();
        if (!window || !window->isVisible())
            return;
        const auto action = m_steps.at(m_next).second;
        ++m_next;
        action(window);
    }

    QList<QPair<std::function<QWidget *()>, std::function<void(QWidget *)>>> m_steps;
    qsizetype m_next = 0;
    QTimer m_timer;
};

class TestStartup : public QObject
{
    Q_OBJECT

private:
    QWidget *welcome() { return m_application->welcomeDialog(); }
    QWidget *assistant() { return m_application->newSiteDialog(); }
    static void click(QWidget *window, const char *button)
    {
        window->findChild<QPushButton *>(QLatin1String(button))->click();
    }
    static void quitButton(QWidget *welcomeWindow)
    {
        const QList<QAbstractButton *> buttons = welcomeWindow->findChild<QDialogButtonBox *>()->buttons();
        for (QAbstractButton *button : buttons) {
            if (button->text().contains(QLatin1String("Quit")))
                button->click();
        }
    }
    QString writeDatabase(const QString &name)
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("One"));
        const QString path = m_dir.filePath(name);
        DatabaseFile::write(db.store(), path);
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        MessageBox::setScripted(true);
        FilePanel::setScripted(true);
        UrlOpener::setInstance(&m_opener);
    }

    void init()
    {
        static int run = 0;
        Preferences::useSettingsFile(m_dir.filePath(QStringLiteral("settings%1.ini").arg(++run)));
        MessageBox::clearShownAlerts();
        FilePanel::clearShownPanels();
        // The documents first: the application watches them come and go.
        m_documents = new DocumentController;
        m_application = new ApplicationController;
        m_terminated =
            std::make_unique<QSignalSpy>(m_application, &ApplicationController::applicationWillTerminate);
    }

    void cleanup()
    {
        for (MyDocument *document : m_documents->documents()) {
            document->setWindowModified(false);
            delete document;
        }
        m_terminated.reset();
        delete m_application;
        delete m_documents;
    }

    void cancelledAssistantComesBackToTheWelcomeWindow()
    {
        UserScript user;
        user.then([this] { return welcome(); }, [](QWidget *w) { click(w, "newDocButton"); })
            .then([this] { return assistant(); },
                  [this](QWidget *w) {
                      // Some typing first: it is the cancelling that counts.
                      auto *dialog = static_cast<NewSiteDialogController *>(w);
                      dialog->confirmStep();
                      qobject_cast<QLineEdit *>(dialog->fieldWidget(SiteProfileForm::Title))
                          ->setText(QStringLiteral("Hiking"));
                      QTest::keyClick(w, Qt::Key_Escape);
                  })
            .then([this] { return welcome(); }, [](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
        m_application->showStartingPoints();
        QVERIFY(user.isFinished());
        QVERIFY(m_documents->documents().isEmpty());
        // Closing the welcome window with nothing open ends the application.
        QCOMPARE(m_terminated->size(), 1);
    }

    void cancelledOpenPanelComesBackToTheWelcomeWindow()
    {
        UserScript user;
        user.then([this] { return welcome(); }, [](QWidget *w) { click(w, "openDocButton"); })
            .then([this] { return welcome(); }, [](QWidget *w) { quitButton(w); });
        m_application->showStartingPoints(); // the panel answers "cancel"
        QVERIFY(user.isFinished());
        QCOMPARE(FilePanel::shownPanels().size(), 1);
        QCOMPARE(m_terminated->size(), 1);
    }

    void openingFromTheWelcomeWindowEndsIt()
    {
        const QString path = writeDatabase(QStringLiteral("chosen.site"));
        FilePanel::setNextAnswer(path);
        UserScript user;
        user.then([this] { return welcome(); }, [](QWidget *w) { click(w, "openDocButton"); });
        m_application->showStartingPoints();
        QCOMPARE(m_documents->documents().size(), 1);
        QCOMPARE(m_documents->documents().first()->filePath(), path);
        QVERIFY(!welcome()->isVisible());
        QCOMPARE(m_terminated->size(), 0);
    }

    void closingTheWelcomeWindowWithADocumentOpenOnlyClosesIt()
    {
        QVERIFY(m_documents->openDocument(writeDatabase(QStringLiteral("open.site"))));
        UserScript user;
        user.then([this] { return welcome(); }, [](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
        m_application->showStartingPoints();
        QVERIFY(user.isFinished());
        QCOMPARE(m_documents->documents().size(), 1);
        QCOMPARE(m_terminated->size(), 0);
    }

    void closingTheLastDocumentBringsTheWelcomeWindowBack()
    {
        MyDocument *first = m_documents->openDocument(writeDatabase(QStringLiteral("first.site")));
        MyDocument *second = m_documents->openDocument(writeDatabase(QStringLiteral("second.site")));
        QVERIFY(first && second);
        QVERIFY(first->close());
        QTest::qWait(50);
        QVERIFY(!welcome()->isVisible()); // one is still open

        UserScript user;
        user.then([this] { return welcome(); }, [](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
        QVERIFY(second->close());
        QTRY_VERIFY(user.isFinished());
        QTRY_COMPARE(m_terminated->size(), 1);
    }

    void quittingDoesNotBringTheWelcomeWindowBack()
    {
        QVERIFY(m_documents->openDocument(writeDatabase(QStringLiteral("last.site"))));
        m_application->terminate();
        QCOMPARE(m_terminated->size(), 1);
        QTest::qWait(50);
        QVERIFY(!welcome()->isVisible());
    }

    void startupReopensTheLastDatabaseThatStillExists()
    {
        Preferences::setValue(Preferences::StartupAction, 0);
        const QString existing = writeDatabase(QStringLiteral("existing.site"));
        m_documents->noteRecentFile(existing);
        m_documents->noteRecentFile(m_dir.filePath(QStringLiteral("gone.site"))); // more recent, missing
        m_application->finishLaunching({});
        QTRY_VERIFY_WITH_TIMEOUT(!m_application->isLaunching(), 5000);
        QCOMPARE(m_documents->documents().size(), 1);
        QCOMPARE(m_documents->documents().first()->filePath(), existing);
        QVERIFY(!welcome()->isVisible());
        QVERIFY(MessageBox::shownAlerts().isEmpty());
    }

    void startupWithNothingOpenedShowsTheWelcomeWindow_data()
    {
        QTest::addColumn<int>("startupAction");
        QTest::addColumn<bool>("fileAskedFor");
        QTest::newRow("last database gone") << 0 << false;
        QTest::newRow("open panel cancelled") << 1 << false;
        // The user asked for a file: not the last database instead.
        QTest::newRow("file asked for unreadable") << 0 << true;
    }

    void startupWithNothingOpenedShowsTheWelcomeWindow()
    {
        QFETCH(int, startupAction);
        QFETCH(bool, fileAskedFor);
        Preferences::setValue(Preferences::StartupAction, startupAction);
        m_documents->noteRecentFile(fileAskedFor ? writeDatabase(QStringLiteral("recent.site"))
                                                 : m_dir.filePath(QStringLiteral("gone.site")));
        UserScript user;
        user.then([this] { return welcome(); }, [](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
        m_application->finishLaunching(
            fileAskedFor ? QStringList{m_dir.filePath(QStringLiteral("missing.site"))} : QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(user.isFinished(), 5000);
        QCOMPARE(FilePanel::shownPanels().size(), startupAction == 1 ? 1 : 0);
        QCOMPARE(MessageBox::shownAlerts().size(), fileAskedFor ? 1 : 0);
        QVERIFY(m_documents->documents().isEmpty());
        QCOMPARE(m_terminated->size(), 1);
    }

    // The assistant's values serve the next new database; a cancelled run keeps the last ones.
    void newSiteKeepsValuesForTheNextDocument()
    {
        Preferences::setValue(Preferences::ShowNewSiteCreatedMessage, false);
        auto title = [this](const QString &text) {
            return qobject_cast<QLineEdit *>(
                       m_application->newSiteDialog()->fieldWidget(SiteProfileForm::Title))
                ->setText(text);
        };
        QTimer::singleShot(0, this, [this, title] {
            NewSiteDialogController *dialog = m_application->newSiteDialog();
            dialog->confirmStep();
            title(QStringLiteral("Marsh Birds"));
            dialog->confirmStep();
            qobject_cast<QLineEdit *>(dialog->fieldWidget(SiteProfileForm::MainPageURL))
                ->setText(QStringLiteral("marshbirds.example"));
            for (int step = 3; step <= 5; ++step)
                dialog->confirmStep();
        });
        m_application->newSite();
        const QVariantMap values = m_application->globalSiteInfo();
        QCOMPARE(values.value(QStringLiteral("Title")).toString(), QStringLiteral("Marsh Birds"));
        QCOMPARE(values.value(QStringLiteral("MainPageURL")).toString(),
                 QStringLiteral("http://marshbirds.example"));
        QCOMPARE(values.value(QStringLiteral("PageLayout")).toBool(), true);

        QTimer::singleShot(0, this, [this, title] {
            m_application->newSiteDialog()->confirmStep();
            title(QStringLiteral("Other"));
            m_application->newSiteDialog()->cancel();
        });
        m_application->newSite();
        QCOMPARE(m_application->globalSiteInfo().value(QStringLiteral("Title")).toString(),
                 QStringLiteral("Marsh Birds"));
    }

    void newSiteCreatedMessageStoresItsSwitch()
    {
        QVERIFY(Preferences::boolValue(Preferences::ShowNewSiteCreatedMessage));
        int shown = 0;
        QTimer::singleShot(0, this, [this, &shown] {
            NewSiteCreatedDialogController *dialog = m_application->newSiteCreatedDialog();
            ++shown;
            QVERIFY(dialog->showNextTime());
            m_application->showNewSiteCreated(); // asked again while it is up: not shown twice
            dialog->setShowNextTime(false);
            dialog->reject(); // closing stores the switch like confirming
        });
        m_application->showNewSiteCreated();
        QCOMPARE(shown, 1);
        QVERIFY(!Preferences::boolValue(Preferences::ShowNewSiteCreatedMessage));
        // Switched off, it no longer comes up (the test would hang in a modal run otherwise).
        m_application->showNewSiteCreated();
        QVERIFY(!m_application->newSiteCreatedDialog()->isVisible());
    }

private:
    QTemporaryDir m_dir;
    RecordingUrlOpener m_opener;
    DocumentController *m_documents = nullptr;
    ApplicationController *m_application = nullptr;
    std::unique_ptr<QSignalSpy> m_terminated;
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
