// The help describes the forms as they are: every tab and field a help section names (marked
// <b class="tab"> and <b class="field"> in the pages) is a tab or a labelled part of the form that
// section is about, and a field named in a tab's paragraph sits on that tab.
#include "DocumentFixture.h"
#include "app/PreferencesDialogController.h"
#include "publish/ui/SiteInfoDialogController.h"
#include "workflow/EmailTemplateListModel.h"
#include "workflow/ui/InstantLinkDialogController.h"
#include "workflow/ui/LinkDialogController.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>
#include <functional>
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
    QString tab;
    QStringList fields;
};

// The paragraphs, list items and table rows of a help section that name a tab or a field.
QList<Block> blocksOf(const QString &section)
{
    static const QRegularExpression boundary(QStringLiteral("<(?:p|li|tr)[ >]"));
    static const QRegularExpression marked(QStringLiteral("<b class=\"(tab|field)\">([^<]*)</b>"));
    QList<Block> blocks;
    for (const QString &part : section.split(boundary)) {
        Block block;
        for (auto it = marked.globalMatch(part); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            const QString name = match.captured(2).simplified();
            if (match.captured(1) == QLatin1String("tab"))
                block.tab = name;
            else
                block.fields.append(name);
        }
        if (!block.tab.isEmpty() || !block.fields.isEmpty())
            blocks.append(block);
    }
    return blocks;
}

// Every section of the book by its anchor, with its text.
std::map<QString, QString> helpSections()
{
    static const QRegularExpression anchor(QStringLiteral("<a name=\"(Quillmarsh\\w+)\"></a>"));
    std::map<QString, QString> sections;
    const QDir book(QStringLiteral(":/help"));
    for (const QString &name : book.entryList({QStringLiteral("*.html")})) {
        QFile page(book.filePath(name));
        if (!page.open(QIODevice::ReadOnly))
            continue;
        const QString html = QString::fromUtf8(page.readAll());
        QList<QRegularExpressionMatch> anchors;
        for (auto it = anchor.globalMatch(html); it.hasNext();)
            anchors.append(it.next());
        for (qsizetype i = 0; i < anchors.size(); ++i) {
            const qsizetype end = i + 1 < anchors.size() ? anchors.at(i + 1).capturedStart() : html.size();
            sections[anchors.at(i).captured(1)] =
                html.mid(anchors.at(i).capturedEnd(), end - anchors.at(i).capturedEnd());
        }
    }
    return sections;
}

} // namespace

class TestHelpForms : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fixture = std::make_unique<DocumentFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void theCheckTellsPartsApart()
    {
        QWidget form;
        auto *tabs = new QTabWidget(&form);
        auto *site = new QWidget;
        new QLabel(QStringLiteral("M&y category*:"), site);
        tabs->addTab(site, QStringLiteral("&Site"));
        tabs->addTab(new QWidget, QStringLiteral("Exchange"));
        QVERIFY(holdsPart(site, QStringLiteral("My category")));
        QCOMPARE(tabPage(&form, QStringLiteral("Site")), site);
        QVERIFY(!holdsPart(tabPage(&form, QStringLiteral("Exchange")), QStringLiteral("My category")));
        QVERIFY(!tabPage(&form, QStringLiteral("History")));
        const QList<Block> blocks =
            blocksOf(QStringLiteral("<p>x <b class=\"tab\">Site</b>: <b class=\"field\">Title</b>, "
                                    "<b>Other</b><li><b class=\"field\">Go</b>"));
        QCOMPARE(blocks.size(), 2);
        QCOMPARE(blocks.at(0).tab, QStringLiteral("Site"));
        QCOMPARE(blocks.at(0).fields, QStringList{QStringLiteral("Title")});
        QVERIFY(blocks.at(1).tab.isEmpty());
    }

    void everyNamedTabAndFieldExists()
    {
        DatabaseBuilder db;
        MyDocument *document = m_fixture->open(db);
        const CollectionManager *store = &document->collectionManager();
        // The form each section of the help describes.
        const std::map<QString, std::function<std::unique_ptr<QWidget>()>> forms{
            {QStringLiteral("QuillmarshNewEditLink"),
             [&] {
                 return std::make_unique<LinkDialogController>(store, document->emailTemplateModel(),
                                                               document);
             }},
            {QStringLiteral("QuillmarshInstantLink"),
             [&] { return std::make_unique<InstantLinkDialogController>(store, document); }},
            {QStringLiteral("QuillmarshEditSiteInfo"),
             [&] { return std::make_unique<SiteInfoDialogController>(document); }},
            {QStringLiteral("QuillmarshPreferences"),
             [] { return std::make_unique<PreferencesDialogController>(); }},
        };
        QStringList missing;
        int checked = 0;
        for (const auto &[anchor, section] : helpSections()) {
            const QList<Block> blocks = blocksOf(section);
            if (blocks.isEmpty())
                continue;
            const auto form = forms.find(anchor);
            if (form == forms.end()) {
                missing.append(anchor + QStringLiteral(": names fields of a form this test does not know"));
                continue;
            }
            const std::unique_ptr<QWidget> dialog = form->second();
            for (const Block &block : blocks) {
                const QWidget *scope = dialog.get();
                if (!block.tab.isEmpty()) {
                    scope = tabPage(dialog.get(), block.tab);
                    ++checked;
                    if (!scope) {
                        missing.append(anchor + QStringLiteral(": no tab \"%1\"").arg(block.tab));
                        continue;
                    }
                }
                for (const QString &field : block.fields) {
                    ++checked;
                    if (!holdsPart(scope, field))
                        missing.append(anchor +
                                       QStringLiteral(": no field \"%1\"%2")
                                           .arg(field, block.tab.isEmpty()
                                                           ? QString()
                                                           : QStringLiteral(" on tab ") + block.tab));
                }
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
        QVERIFY(checked > 40); // the pages are marked up; a lost markup would pass silently
    }

private:
    std::unique_ptr<DocumentFixture> m_fixture;
};

QTEST_MAIN(TestHelpForms)
#include "tst_helpforms.moc"
