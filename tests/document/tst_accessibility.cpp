#include "AccessibilityCheck.h"
#include "DocumentFixture.h"
#include "app/PreferencesDialogController.h"
#include "app/WelcomeDialogController.h"
#include "document/AskStringDialogController.h"
#include "document/DocumentMenus.h"
#include "document/LinkCommands.h"
#include "publish/ui/HTMLSetupDialogController.h"
#include "publish/ui/NewSiteCreatedDialogController.h"
#include "publish/ui/NewSiteDialogController.h"
#include "publish/ui/PrintPreviewDialogController.h"
#include "publish/ui/SiteInfoDialogController.h"
#include "publish/ui/StatisticsDialogController.h"
#include "verify/ui/VerificationDialogController.h"
#include "workflow/ui/EmailTemplateDialogController.h"
#include "workflow/ui/EmailTemplateListDialogController.h"
#include "workflow/ui/InstantLinkDialogController.h"
#include "workflow/ui/LinkCountDialogController.h"
#include "workflow/ui/LinkDialogController.h"
#include "workflow/ui/NotificationDialogController.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

// Screen readers and test robots find every input of the application's windows by its name.
class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void theCheckFindsAnUnnamedInput()
    {
        QWidget window;
        auto *named = new QLineEdit(&window);
        auto *label = new QLabel(QStringLiteral("&Title:"), &window);
        label->setBuddy(named);
        auto *unnamed = new QLineEdit(&window);
        unnamed->setObjectName(QStringLiteral("lonelyField"));
        QCOMPARE(AccessibilityCheck::unnamedInputs(&window),
                 QStringList{QStringLiteral("QLineEdit lonelyField")});
        unnamed->setAccessibleName(QStringLiteral("Notes"));
        QVERIFY(AccessibilityCheck::unnamedInputs(&window).isEmpty());

        // Two mnemonics of one page clash; the same letter on two tabs does not.
        auto *button = new QPushButton(QStringLiteral("&Trim"), &window);
        QCOMPARE(AccessibilityCheck::mnemonicClashes(&window),
                 QStringList{QStringLiteral("'t': &Title: and &Trim")});
        auto *tabs = new QTabWidget(&window);
        auto *first = new QWidget;
        new QPushButton(QStringLiteral("&Go"), first);
        auto *second = new QWidget;
        new QPushButton(QStringLiteral("&Go"), second);
        tabs->addTab(first, QStringLiteral("One"));
        tabs->addTab(second, QStringLiteral("Two"));
        button->setText(QStringLiteral("T&rim"));
        QVERIFY(AccessibilityCheck::mnemonicClashes(&window).isEmpty());
    }

    void applicationDialogsNameEveryInput()
    {
        PreferencesDialogController preferences;
        WelcomeDialogController welcome;
        NewSiteDialogController assistant;
        NewSiteCreatedDialogController created;
        for (QWidget *dialog : std::initializer_list<QWidget *>{&preferences, &welcome, &assistant, &created})
            QCOMPARE(AccessibilityCheck::unnamedInputs(dialog).join(QLatin1Char(',')), QString());
        for (QWidget *dialog : std::initializer_list<QWidget *>{&preferences, &welcome, &assistant, &created})
            QCOMPARE(AccessibilityCheck::mnemonicClashes(dialog).join(QLatin1Char('\n')), QString());
    }

    void documentSheetsNameEveryInput()
    {
        DatabaseBuilder db;
        MyDocument *document = m_fixture->open(db);
        SiteInfoDialogController siteInfo(document);
        AskStringDialogController category(document);
        CollectionManager &store = document->collectionManager();
        EmailTemplateDialogController templateEditor(&store, document);
        EmailTemplateListDialogController templates(&store, &templateEditor, nullptr, document);
        VerificationDialogController verification(&store, document);
        for (QWidget *sheet : std::initializer_list<QWidget *>{&siteInfo, &category, &templateEditor,
                                                               &templates, &verification}) {
            QCOMPARE(AccessibilityCheck::unnamedInputs(sheet).join(QLatin1Char(',')), QString());
            QCOMPARE(AccessibilityCheck::mnemonicClashes(sheet).join(QLatin1Char('\n')), QString());
        }
        QCOMPARE(AccessibilityCheck::unnamedInputs(document).join(QLatin1Char(',')), QString());
    }

    void publishingSheetsNameEveryInput()
    {
        DatabaseBuilder db;
        MyDocument *document = m_fixture->open(db);
        HTMLSetupDialogController setup(document);
        StatisticsDialogController statistics(document->collectionManager(), document);
        PrintPreviewDialogController preview(document);
        for (QWidget *dialog : std::initializer_list<QWidget *>{&setup, &statistics, &preview}) {
            QCOMPARE(AccessibilityCheck::unnamedInputs(dialog).join(QLatin1Char(',')), QString());
            QCOMPARE(AccessibilityCheck::mnemonicClashes(dialog).join(QLatin1Char('\n')), QString());
        }
    }

    void linkSheetsNameEveryInput()
    {
        DatabaseBuilder db;
        db.link(QStringLiteral("Frogs"));
        MyDocument *document = m_fixture->open(db);
        DocumentFixture::selectLinks(document, {QStringLiteral("Frogs")});
        LinkCommands *area = document->commandArea<LinkCommands>();
        const DocumentMenus &m = *document->menus();
        m.editLink->trigger();
        area->linkDialog()->cancel();
        m.countLinks->trigger();
        area->linkCountDialog()->cancel();
        m.notificationSetup->trigger();
        area->notificationDialog()->cancel();
        InstantLinkDialogController instant(&document->collectionManager(), document);
        instant.initializeFields();

        LinkDialogController *editor = area->linkDialog();
        for (int tab = 0; tab < editor->tabView()->count(); ++tab) {
            editor->selectTab(tab);
            QCOMPARE(AccessibilityCheck::unnamedInputs(editor).join(QLatin1Char(',')), QString());
        }
        // No two keys of a page, or of a page and the buttons under it, share a letter.
        for (QWidget *dialog : std::initializer_list<QWidget *>{editor, &instant, area->linkCountDialog(),
                                                                area->notificationDialog()}) {
            QCOMPARE(AccessibilityCheck::unnamedInputs(dialog).join(QLatin1Char(',')), QString());
            QCOMPARE(AccessibilityCheck::mnemonicClashes(dialog).join(QLatin1Char('\n')), QString());
        }
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
