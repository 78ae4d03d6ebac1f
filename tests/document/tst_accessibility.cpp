#include "AccessibilityCheck.h"
#include "DocumentFixture.h"
#include "app/PreferencesDialogController.h"
#include "app/WelcomeDialogController.h"
#include "document/AskStringDialogController.h"
#include "document/DocumentMenus.h"
#include "document/LinkCommands.h"
#include "history/ui/LostLinksDialogController.h"
#include "history/ui/OwnPageCheckDialogController.h"
#include "publish/ui/HTMLSetupDialogController.h"
#include "publish/ui/NewSiteCreatedDialogController.h"
#include "publish/ui/NewSiteDialogController.h"
#include "publish/ui/PrintPreviewDialogController.h"
#include "publish/ui/PublishDialogController.h"
#include "publish/ui/SiteInfoDialogController.h"
#include "publish/ui/StatisticsDialogController.h"
#include "verify/ui/VerificationDialogController.h"
#include "workflow/ui/EmailTemplateDialogController.h"
#include "workflow/ui/EmailTemplateListDialogController.h"
#include "workflow/ui/InstantLinkDialogController.h"
#include "workflow/ui/LinkCountDialogController.h"
#include "workflow/ui/LinkDialogController.h"
#include "workflow/ui/NotificationDialogController.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <map>

namespace {

// A label's or button's text as the help writes it: no mnemonic, no "*" or ":" at the end.
QString plain(QString text)
{
    text.replace(QLatin1String("&&"), QLatin1String("\x01")).remove(u'&').replace(u'\x01', u'&');
    text = text.simplified();
    while (text.endsWith(u':') || text.endsWith(u'*'))
        text.chop(1);
    return text.trimmed();
}

bool holdsPart(const QWidget *root, const QString &name)
{
    for (const QWidget *widget : root->findChildren<QWidget *>()) {
        QString text;
        if (const auto *label = qobject_cast<const QLabel *>(widget))
            text = label->text();
        else if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            text = button->text();
        else if (const auto *group = qobject_cast<const QGroupBox *>(widget))
            text = group->title();
        if (plain(text).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The page of the form's tab of that name, or null.
QWidget *tabPage(const QWidget *form, const QString &name)
{
    for (QTabWidget *tabs : form->findChildren<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (plain(tabs->tabText(i)).compare(name, Qt::CaseInsensitive) == 0)
                return tabs->widget(i);
        }
    }
    return nullptr;
}

struct Block
{
    QString anchor, tab;
    QStringList fields;
};

// The paragraphs, list items and table rows of the help book that name a tab or a field (marked
// <b class="tab"> and <b class="field">), with the anchor of the section that holds them.
QList<Block> markedBlocks()
{
    static const QRegularExpression boundary(
        QStringLiteral("<a name=\"(Quillmarsh\\w+)\"></a>|<(?:p|li|tr)[ >]"));
    static const QRegularExpression marked(QStringLiteral("<b class=\"(tab|field)\">([^<]*)</b>"));
    QList<Block> blocks;
    const QDir book(QStringLiteral(":/help"));
    for (const QString &name : book.entryList({QStringLiteral("*.html")})) {
        QFile page(book.filePath(name));
        const QString html = page.open(QIODevice::ReadOnly) ? QString::fromUtf8(page.readAll()) : QString();
        QString anchor;
        qsizetype from = 0;
        for (auto it = boundary.globalMatch(html); from >= 0;) {
            const QRegularExpressionMatch next = it.hasNext() ? it.next() : QRegularExpressionMatch();
            Block block{anchor, {}, {}};
            const qsizetype end = next.hasMatch() ? next.capturedStart() : html.size();
            for (auto m = marked.globalMatch(html.mid(from, end - from)); m.hasNext();) {
                const QRegularExpressionMatch match = m.next();
                if (match.captured(1) == QLatin1String("tab"))
                    block.tab = match.captured(2).simplified();
                else
                    block.fields.append(match.captured(2).simplified());
            }
            if (!anchor.isEmpty() && (!block.tab.isEmpty() || !block.fields.isEmpty()))
                blocks.append(block);
            if (!next.captured(1).isEmpty())
                anchor = next.captured(1);
            from = next.hasMatch() ? next.capturedEnd() : -1;
        }
    }
    return blocks;
}

// What a screen reader or a keyboard user would miss in a dialog.
QString problemsOf(QWidget *dialog)
{
    return (AccessibilityCheck::unnamedInputs(dialog) + AccessibilityCheck::mnemonicClashes(dialog))
        .join(QLatin1Char('\n'));
}

} // namespace

// Screen readers and test robots find every input of the application's windows by its name, keys
// do not clash, and the help describes the forms as they are.
class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void theChecksFindWhatTheyLookFor()
    {
        QWidget window;
        auto *label = new QLabel(QStringLiteral("M&y title*:"), &window);
        label->setBuddy(new QLineEdit(&window));
        (new QLineEdit(&window))->setObjectName(QStringLiteral("lonelyField"));
        new QPushButton(QStringLiteral("&Yes"), &window);
        QCOMPARE(problemsOf(&window), QStringLiteral("QLineEdit lonelyField\n'y': M&y title*: and &Yes"));
        QVERIFY(holdsPart(&window, QStringLiteral("My title")));
        QVERIFY(!holdsPart(&window, QStringLiteral("Title")));
    }

    void everyDialogAndTheHelpAboutIt()
    {
        DocumentFixture fixture;
        DatabaseBuilder db;
        db.link(QStringLiteral("Frogs"));
        MyDocument *document = fixture.open(db);
        QCOMPARE(AccessibilityCheck::unnamedInputs(document).join(QLatin1Char(',')), QString());
        DocumentFixture::selectLinks(document, {QStringLiteral("Frogs")});
        LinkCommands *area = document->commandArea<LinkCommands>();
        document->menus()->action(ActionId::EditLink)->trigger();
        area->linkDialog()->cancel();
        LinkDialogController *editor = area->linkDialog(); // with the History tab of the window
        CollectionManager &store = document->collectionManager();
        PreferencesDialogController preferences;
        WelcomeDialogController welcome;
        NewSiteDialogController assistant;
        NewSiteCreatedDialogController created;
        SiteInfoDialogController siteInfo(document);
        AskStringDialogController category(document);
        EmailTemplateDialogController templateEditor(&store, document);
        EmailTemplateListDialogController templates(&store, &templateEditor, nullptr, document);
        VerificationDialogController verification(&store, document);
        HTMLSetupDialogController setup(document);
        StatisticsDialogController statistics(store, document);
        PrintPreviewDialogController preview(document);
        LostLinksDialogController lostLinks(document);
        OwnPageCheckDialogController ownPage(document);
        PublishDialogController publish(document);
        LinkCountDialogController count(&store, document);
        NotificationDialogController notifications(document);
        InstantLinkDialogController instant(&store, document);
        instant.initializeFields();
        for (QWidget *dialog : std::initializer_list<QWidget *>{
                 &preferences, &welcome, &assistant, &created, &siteInfo, &category, &templateEditor,
                 &templates, &verification, &setup, &statistics, &preview, &lostLinks, &ownPage, &publish,
                 &count, &notifications, &instant, editor}) {
            const QString problems = problemsOf(dialog);
            QVERIFY2(problems.isEmpty(), qPrintable(dialog->metaObject()->className() + ('\n' + problems)));
            // Return presses one button, whichever input has the focus (Escape is QDialog's own).
            dialog->show();
            QStringList defaults;
            for (const QPushButton *button : dialog->findChildren<QPushButton *>())
                defaults << (button->isDefault() && button->isVisible() ? button->text() : QString());
            defaults.removeAll(QString());
            QVERIFY2(defaults.size() == 1,
                     qPrintable(dialog->metaObject()->className() + (": " + defaults.join(','))));
            dialog->hide();
        }

        // Every tab and field a help section names is a tab or a labelled part of the form that
        // section is about, and a field named in a tab's paragraph sits on that tab.
        const std::map<QString, QWidget *> forms{{QStringLiteral("QuillmarshNewEditLink"), editor},
                                                 {QStringLiteral("QuillmarshInstantLink"), &instant},
                                                 {QStringLiteral("QuillmarshEditSiteInfo"), &siteInfo},
                                                 {QStringLiteral("QuillmarshPreferences"), &preferences}};
        QStringList missing;
        int checked = 0;
        for (const Block &block : markedBlocks()) {
            const auto form = forms.find(block.anchor);
            const QWidget *scope = form == forms.end()   ? nullptr
                                   : block.tab.isEmpty() ? form->second
                                                         : tabPage(form->second, block.tab);
            checked += int(!block.tab.isEmpty()) + int(block.fields.size());
            if (!scope)
                missing.append(block.anchor + QStringLiteral(": no such form or tab \"%1\"").arg(block.tab));
            for (const QString &field : block.fields) {
                if (scope && !holdsPart(scope, field))
                    missing.append(
                        QStringLiteral("%1: no field \"%2\" %3").arg(block.anchor, field, block.tab));
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
        QVERIFY(checked > 40); // the pages are marked up; a lost markup would pass silently
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
