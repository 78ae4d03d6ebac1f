#include "model/ByteFields.h"
#include "model/Clock.h"
#include "model/Preferences.h"
#include "model/UrlOpener.h"
#include "support/CliProcess.h"
#include "support/DatabaseBuilder.h"
#include "workflow/EmailComposer.h"
#include "workflow/EmailTemplateFile.h"
#include "workflow/EmailTemplateForm.h"
#include "workflow/EmailTemplateListModel.h"
#include "workflow/StarterTemplates.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>

namespace {

// A question that counts how often it was asked and gives one answer.
DuplicateQuestion answering(DuplicateAnswer answer, int *asked)
{
    return [answer, asked] {
        ++*asked;
        return answer;
    };
}

EmailTemplate form(const QString &name)
{
    EmailTemplate emailTemplate;
    emailTemplate.setName(name, QStringLiteral("s"), QStringLiteral("b"));
    return emailTemplate;
}

// The model's rows, "---" for its separator.
QStringList rows(const QAbstractItemModel &model)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row, 0);
        const bool separator =
            index.data(Qt::AccessibleDescriptionRole).toString() == QLatin1String("separator");
        texts.append(separator ? QStringLiteral("---") : index.data().toString());
    }
    return texts;
}

// Records what the model reports: "+2" for a row inserted at 2, "-1" removed, "~0" renamed, "reset".
void record(QAbstractItemModel *model, QStringList *seen)
{
    auto note = [seen](QChar kind, int first, int last) {
        seen->append(kind + QString::number(first) +
                     (last > first ? u'-' + QString::number(last) : QString()));
    };
    QObject::connect(model, &QAbstractItemModel::rowsInserted, model,
                     [note](const QModelIndex &, int first, int last) { note(u'+', first, last); });
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, model,
                     [note](const QModelIndex &, int first, int last) { note(u'-', first, last); });
    QObject::connect(
        model, &QAbstractItemModel::dataChanged, model,
        [note](const QModelIndex &from, const QModelIndex &to) { note(u'~', from.row(), to.row()); });
    QObject::connect(model, &QAbstractItemModel::modelReset, model,
                     [seen] { seen->append(QStringLiteral("reset")); });
}

} // namespace

// E-mail templates: their file, the editor's checks, the list that menus and pop-ups show, and the
// messages composed from them.
class TestEmailTemplates : public QObject
{
    Q_OBJECT
    // Dates compared with the code's today: the clock stands still.
    const Clock::Fixed m_clock{QDateTime(QDate(2026, 3, 14), QTime(12, 0))};

    QTemporaryDir m_dir;
    RecordingUrlOpener m_opener;

    static LinkFields partner()
    {
        LinkFields f;
        f.title = QStringLiteral("Blue Widgets");
        f.URL = QStringLiteral("http://blue.example/");
        f.description = QStringLiteral("Widgets, see #URL#");
        f.counterpartURL = QStringLiteral("http://blue.example/links.html");
        f.counterpartCategoryName = QStringLiteral("Friends");
        f.contactFirstName = QStringLiteral("");
        f.contactLastName = QStringLiteral("Doe");
        f.contactEmail = QStringLiteral("jane@blue.example");
        f.notes = QStringLiteral("Wrote to #MY_TITLE# before");
        f.status = LinkStatusNew;
        f.lastStatusChangedOn = QDate(2005, 3, 5);
        return f;
    }

    static void setProfile(CollectionManager &store)
    {
        SiteProfileTexts p;
        p.title = QStringLiteral("My Site #TITLE#");
        p.URL = QStringLiteral("http://mine.example/");
        p.linksURL = QStringLiteral("http://mine.example/links/");
        p.contactFirstName = QStringLiteral("Max");
        p.contactLastName = QStringLiteral("Mustermann");
        p.contactEmail = QStringLiteral("max@mine.example");
        p.description = QStringLiteral("Mine");
        p.keywords = QStringLiteral("k1, k2");
        store.setSiteProfile(p);
    }

private slots:
    void initTestCase()
    {
        Preferences::useSettingsFile(m_dir.filePath(QStringLiteral("settings.ini")));
        UrlOpener::setInstance(&m_opener);
    }

    void init() { Preferences::remove(Preferences::EmailEncoding); }

    void placeholderPassesFeedEachOtherAndThePreviewFillsLast()
    {
        DatabaseBuilder db;
        db.category(QStringLiteral("Tools")).link(partner());
        setProfile(db.store());
        const Link &link = *db.lastLink();

        QString text =
            QStringLiteral("Dear #CONTACT_FIRST_NAME#, about #TITLE# (#DESCRIPTION#) in #CATEGORY#, "
                           "listed under #MY_CATEGORY# since #LAST_STATUS_CHANGE_DATE#. #title# "
                           "#NOTES# -- #MY_TITLE#, #MY_URL#, #MY_LINKS_PAGE_URL#, #MY_KEYWORDS#, "
                           "#MY_DESCRIPTION#, #MY_CONTACT_FIRST_NAME# #MY_CONTACT_LAST_NAME# "
                           "<#MY_CONTACT_EMAIL#> to #CONTACT_LAST_NAME# <#CONTACT_EMAIL#> "
                           "#LINKS_PAGE_URL#");
        EmailComposer::replaceEmailTemplatePlaceholdersInString(db.store(), text, link);
        // The description's "#URL#" is filled by a later pass, and so is the "#TITLE#" in the profile's
        // title; the notes' "#MY_TITLE#" comes after the profile passes and stays.
        QCOMPARE(text,
                 QStringLiteral("Dear , about Blue Widgets (Widgets, see http://blue.example/) in Tools, "
                                "listed under Friends since March 5, 2005. #title# "
                                "Wrote to #MY_TITLE# before -- My Site Blue Widgets, http://mine.example/, "
                                "http://mine.example/links/, k1, k2, Mine, Max Mustermann "
                                "<max@mine.example> to Doe <jane@blue.example> "
                                "http://blue.example/links.html"));

        // A link of no known category gets an empty category name.
        Link stray;
        stray.setTitle(partner());
        stray.setCategoryID(QStringLiteral("CAT1"));
        QString category = QStringLiteral("[#CATEGORY#]");
        EmailComposer::replaceEmailTemplatePlaceholdersInString(db.store(), category, stray);
        QCOMPARE(category, QStringLiteral("[]"));

        // The preview runs the profile last; without a link it fills in a sample partner.
        const QString preview =
            QStringLiteral("#MY_TITLE# / #TITLE# / #NOTES# / #CATEGORY# / #MY_CATEGORY# / "
                           "#LAST_STATUS_CHANGE_DATE# / #CONTACT_FIRST_NAME# #CONTACT_LAST_NAME#");
        QCOMPARE(EmailComposer::previewString(db.store(), preview, &link),
                 QStringLiteral("My Site #TITLE# / Blue Widgets / Wrote to My Site #TITLE# before / Tools / "
                                "Friends / March 5, 2005 /  Doe"));
        QCOMPARE(EmailComposer::previewString(db.store(), preview, nullptr),
                 QStringLiteral("My Site #TITLE# / Some Site / This is John Smith's web site. / General / "
                                "Greatest Sites / January 1, 2004 / John Smith"));

        // Misspelt placeholders are what is left after filling in, each named once. The templates a new
        // database starts with have none, within the limits.
        DatabaseBuilder plain; // no profile: its title would leave a placeholder behind
        plain.link(partner());
        auto unknown = [&](const QString &text) {
            return EmailComposer::unknownPlaceholders(
                EmailComposer::previewString(plain.store(), text, plain.lastLink()));
        };
        QCOMPARE(unknown(QStringLiteral("#TITLE# #TITEL# #MY_URL# #TITEL# # x #")), QStringList{"#TITEL#"});
        const QList<StarterTemplates::Template> starters = StarterTemplates::templates();
        for (const StarterTemplates::Template &starter : starters) {
            QVERIFY(starter.body.contains(u'#') && starter.name.size() <= 99 &&
                    starter.subject.size() <= 199 && starter.body.size() <= 1999);
            QVERIFY2(unknown(starter.subject + starter.body).isEmpty(), qPrintable(starter.name));
        }
        StarterTemplates::addTo(plain.store());
        QCOMPARE(plain.store().emailTemplates().size(), size_t(3));
    }

    void mailtoURLs()
    {
        QCOMPARE(EmailComposer::mailtoURL(QString(), QString(), QString(), TextEncoding::UTF8),
                 QByteArray("mailto:?SUBJECT=&BODY="));
        // Every kind of line break is one CR LF pair; an empty line stays an empty line.
        const QString breaking = QStringLiteral("one\ntwo\r\nthree\rfour\n\nfive");
        const QByteArray breaks = "one%0D%0Atwo%0D%0Athree%0D%0Afour%0D%0A%0D%0Afive";
        // Characters that end or split a header field, the escape character itself, a space and a letter
        // beyond ASCII: in the chosen encoding for recipient and body, always UTF-8 in the subject.
        const QString special = QStringLiteral("a?b&c=d#e%f \u00e9");
        const QByteArray escaped = "a%3Fb%26c%3Dd%23e%25f%20";
        const std::pair<TextEncoding, QByteArray> encodings[] = {{TextEncoding::UTF8, "%C3%A9"},
                                                                 {TextEncoding::MacOSRoman, "%8E"},
                                                                 {TextEncoding::ISOLatin1, "%E9"}};
        for (const auto &[encoding, e] : encodings) {
            const QByteArray url = EmailComposer::mailtoURL(QStringLiteral("a&\u00e9@example.com"),
                                                            special + QLatin1Char('\n') + special,
                                                            special + QLatin1Char('\n') + breaking, encoding);
            QCOMPARE(url, "mailto:a%26" + e + "@example.com?SUBJECT=" + escaped + "%C3%A9%0D%0A" + escaped +
                              "%C3%A9&BODY=" + escaped + e + "%0D%0A" + breaks);
            // Only 7-bit ASCII leaves the composer, and the mail client reads the fields back as typed.
            for (const char byte : url)
                QVERIFY(uchar(byte) > 0x20 && uchar(byte) < 0x7F);
            QCOMPARE(QUrlQuery(QUrl::fromEncoded(url))
                         .queryItemValue(QStringLiteral("SUBJECT"), QUrl::FullyDecoded),
                     special + QStringLiteral("\r\n") + special);
        }
    }

    void sendingAndPreviewing()
    {
        DatabaseBuilder db;
        db.emailTemplate(QStringLiteral("Hello"), QStringLiteral("Link to #TITLE#"),
                         QStringLiteral("Hi #CONTACT_LAST_NAME#,\nsee #MY_URL#"));
        db.link(partner());
        setProfile(db.store());
        Link link = *db.lastLink(); // a working copy, as the window and the link editor pass
        const QList<QUrl> &urls = m_opener.urls();
        const qsizetype before = urls.size();
        for (const int index : {-1, 1}) {
            QVERIFY(!EmailComposer::sendEmailWithRecipient(db.store(), link.contactEmail(), index, link));
            QCOMPARE(urls.size(), before);
            QCOMPARE(link.status(), LinkStatusNew);
        }
        QVERIFY(EmailComposer::sendEmailWithRecipient(db.store(), link.contactEmail(), 0, link));
        QCOMPARE(urls.last().toEncoded(),
                 QByteArray("mailto:jane@blue.example?SUBJECT=Link%20to%20Blue%20Widgets&"
                            "BODY=Hi%20Doe,%0D%0Asee%20http://mine.example/"));
        QCOMPARE(link.status(), LinkStatusNegotiating);
        QCOMPARE(link.lastStatusChangedOn(), Clock::today());
        QCOMPARE(db.lastLink()->status(), LinkStatusNew); // the store is only read

        // Not taken by a mail client: false, and nothing started: the partner stays New. An approved
        // partner stays approved. The preference's encoding is used.
        Preferences::setValue(Preferences::EmailEncoding, 1);
        m_opener.setAnswer(false);
        link.setStatus(LinkStatusNew);
        QVERIFY(!EmailComposer::sendEmailWithRecipient(link.contactEmail(), QString(),
                                                       QStringLiteral("\u00e9"), link));
        QCOMPARE(urls.last().toEncoded(), QByteArray("mailto:jane@blue.example?SUBJECT=&BODY=%8E"));
        QCOMPARE(link.status(), LinkStatusNew);
        m_opener.setAnswer(true);
        link.setStatus(LinkStatusApproved);
        QVERIFY(EmailComposer::sendEmailWithRecipient(link.contactEmail(), QString(), QString(), link));
        QCOMPARE(link.status(), LinkStatusApproved);

        // A preview goes to the sample recipient, changes no link and stays at hand for copying.
        QVERIFY(EmailComposer::preview(db.store(), QStringLiteral("#TITLE#"),
                                       QStringLiteral("#CONTACT_EMAIL#"), nullptr));
        QCOMPARE(urls.last().toEncoded(),
                 QByteArray("mailto:john.smith@example.com?SUBJECT=Some%20Site&BODY=john.smith@example.com"));
        QVERIFY(EmailComposer::preview(db.store(), QStringLiteral("#TITLE#"), QString(), db.lastLink()));
        QCOMPARE(db.lastLink()->status(), LinkStatusNew);
        QCOMPARE(EmailComposer::lastMessage().text(),
                 QStringLiteral("To: john.smith@example.com\nSubject: Blue Widgets\n\n"));
    }

    void exportWritesCountAndRecordsReplacingTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Email templates.emlt"));
        QVERIFY(writeFile(path, QByteArray(20000, 'x')));

        DatabaseBuilder db;
        db.emailTemplate("Welcome", "Hello #TITLE#", "Body").emailTemplate("Again", "Re", "Body 2");
        QVERIFY(EmailTemplateFile::exportEmailTemplatesToFileAtPath(db.store(), path, true));
        const QByteArray bytes = fileContents(path);
        QCOMPARE(bytes.size(), 4 + 2 * EmailTemplate::RecordSize);
        QCOMPARE(ByteFields::readWord(bytes.constData()), 2u);
        EmailTemplate second;
        second.loadDataRepresentation(bytes.constData() + 4 + EmailTemplate::RecordSize);
        QCOMPARE(second.name(), QStringLiteral("Welcome")); // store order: sorted by name
        QCOMPARE(second.ID(), db.store().emailTemplates()[1]->ID());

        // Nothing to export is refused rather than writing a file no import accepts.
        FileError error;
        QVERIFY(
            !EmailTemplateFile::exportEmailTemplatesToFileAtPath(CollectionManager(), path, false, &error));
        QCOMPARE(error.kind(), FileError::Kind::NoTemplates);
        QCOMPARE(fileContents(path), bytes);
    }

    void importMatchesByIDAndAsksOnce()
    {
        auto import = [](CollectionManager &store, const QByteArray &file, DuplicateAnswer answer) {
            ImportSummary summary;
            int asked = 0;
            const bool read = EmailTemplateFile::importEmailTemplatesFromData(
                store, file, answering(answer, &asked), &summary);
            return std::tuple{read, asked, summary};
        };
        // Into the same database: one question; only Replace changes anything.
        DatabaseBuilder db;
        db.emailTemplate("Welcome", "S1", "B1").emailTemplate("Again", "S2", "B2");
        CollectionManager &store = db.store();
        const QByteArray file = EmailTemplateFile::dataRepresentation(store);
        const EmailTemplate *first = store.emailTemplates()[0].get();
        for (const DuplicateAnswer choice :
             {DuplicateAnswer::Cancel, DuplicateAnswer::Keep, DuplicateAnswer::Replace}) {
            const auto [read, asked, summary] = import(store, file, choice);
            QVERIFY(read);
            QCOMPARE(asked, 1);
            QCOMPARE(summary.replaced, choice == DuplicateAnswer::Replace ? 2 : 0);
            QCOMPARE(summary.changed(), choice == DuplicateAnswer::Replace);
            QCOMPARE(EmailTemplateFile::dataRepresentation(store), file);
            QCOMPARE(store.emailTemplates()[0].get() == first, choice != DuplicateAnswer::Replace);
        }

        // New templates come without a question, matched by ID only: both named Welcome stay.
        DatabaseBuilder other;
        other.emailTemplate("Welcome", "Own", "B").emailTemplate("Middle", "S", "B");
        DatabaseBuilder source;
        source.emailTemplate("Welcome", "Imported", "B").emailTemplate("Zeta", "S", "B");
        const auto [read, asked, summary] = import(
            other.store(), EmailTemplateFile::dataRepresentation(source.store()), DuplicateAnswer::Cancel);
        QVERIFY(read);
        QCOMPARE(asked, 0);
        QCOMPARE(summary.added, 2);
        QStringList subjects;
        for (const auto &t : other.store().emailTemplates())
            subjects.append(t->name() + u':' + t->subject());
        QCOMPARE(subjects, (QStringList{"Middle:S", "Welcome:Own", "Welcome:Imported", "Zeta:S"}));

        // Twice in the file: the first comes in, and with Replace the later replaces it.
        QByteArray twice = EmailTemplateFile::dataRepresentation(source.store());
        std::memcpy(twice.data() + 4 + EmailTemplate::RecordSize, twice.constData() + 4, 50); // the ID
        DatabaseBuilder keep;
        QVERIFY(EmailTemplateFile::importEmailTemplatesFromData(keep.store(), twice, nullptr));
        QCOMPARE(keep.store().emailTemplates().size(), size_t(1));
        QCOMPARE(keep.store().emailTemplates()[0]->subject(), QStringLiteral("Imported"));
        QVERIFY(std::get<0>(import(keep.store(), twice, DuplicateAnswer::Replace)));
        QCOMPARE(keep.store().emailTemplates()[0]->subject(), QStringLiteral("S"));

        // Damaged files are in the table of file errors; a device without end stops at its count.
        FileError error;
        QVERIFY(!EmailTemplateFile::importEmailTemplatesFromFileAtPath(
            keep.store(), QStringLiteral("/dev/zero"), nullptr, nullptr, &error));
        QCOMPARE(error.kind(), FileError::Kind::NoTemplates);
    }

    void editorChecksInOrder()
    {
        DatabaseBuilder db;
        db.emailTemplate("Welcome", "s", "b").emailTemplate("Reminder", "s", "b");
        const CollectionManager &store = db.store();
        const QString welcomeID = store.emailTemplateList().emailTemplateWithName("Welcome")->ID();
        int asked = 0;
        auto trim = [&asked](const QString &, int) {
            ++asked;
            return true;
        };

        // A missing field comes before a duplicate name and before any length question.
        EmailTemplateForm::Texts texts{QStringLiteral("Welcome"), QString(1000, QLatin1Char('s')), QString()};
        EmailTemplateForm::CheckResult result = EmailTemplateForm::check(texts, store, QString(), trim);
        QCOMPARE(result.field, EmailTemplateForm::Body);
        QCOMPARE(result.title, QStringLiteral("Some required fields are missing."));
        texts.body = QStringLiteral("Hello");
        result = EmailTemplateForm::check(texts, store, QString(), trim);
        QCOMPARE(result.title, QStringLiteral("An e-mail template with the same name already exists."));
        QCOMPARE(asked, 0);

        // Editing keeps the template's own name; the subject is then trimmed to 199.
        QVERIFY(EmailTemplateForm::check(texts, store, welcomeID, trim).passed);
        QCOMPARE(asked, 1);
        QCOMPARE(texts.subject.size(), 199);
        // Renaming to another template's name fails; names differing in case do not clash.
        texts.name = QStringLiteral("Reminder");
        QVERIFY(!EmailTemplateForm::check(texts, store, welcomeID, trim).passed);
        texts.name = QStringLiteral("reminder");
        QVERIFY(EmailTemplateForm::check(texts, store, welcomeID, trim).passed);

        // A declined trim stops with no alert of its own, nothing cut.
        texts.name = QString(120, QLatin1Char('n'));
        result =
            EmailTemplateForm::check(texts, store, QString(), [](const QString &, int) { return false; });
        QVERIFY(!result.passed);
        QCOMPARE(result.field, EmailTemplateForm::Name);
        QVERIFY(result.title.isEmpty());
        QCOMPARE(texts.name.size(), 120);
        QVERIFY(EmailTemplateForm::check(texts, store, QString(), trim).passed);
        QCOMPARE(texts.name, QString(99, QLatin1Char('n')));

        QStringList literals;
        for (const EmailTemplateForm::Placeholder &placeholder : EmailTemplateForm::placeholders())
            literals.append(placeholder.literal);
        QCOMPARE(literals.size(), 19);
        QCOMPARE(literals.removeDuplicates(), 0);
    }

    void listFollowsTheStoreRowByRow()
    {
        DatabaseBuilder db;
        db.emailTemplate("Beta", "s", "b").emailTemplate("Delta", "s", "b");
        EmailTemplateList &list = db.store().emailTemplateList();
        EmailTemplateListModel model(&db.store());
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QStringList seen;
        record(&model, &seen);
        auto changes = [&] {
            model.templatesChanged();
            return std::exchange(seen, {});
        };
        QCOMPARE(rows(model), (QStringList{"Beta", "Delta"}));
        QCOMPARE(model.index(1, 0).data(EmailTemplateListModel::TemplateIndexRole).toInt(), 1);
        QCOMPARE(changes(), QStringList()); // nothing changed, nothing told

        list.addEmailTemplateFromEmailTemplate(form("charlie"));
        QCOMPARE(changes(), QStringList{"+1"});
        QCOMPARE(rows(model).at(1), QStringLiteral("charlie"));
        // Renamed in place, then renamed so that it moves: the neighbours move too.
        list.editEmailTemplate(list.emailTemplateWithName("Delta"), form("Echo"));
        QCOMPARE(changes(), QStringList{"~2"});
        list.editEmailTemplate(list.emailTemplateWithName("Beta"), form("Zulu"));
        QCOMPARE(changes(), QStringList{"reset"});
        QCOMPARE(rows(model), (QStringList{"charlie", "Echo", "Zulu"}));
        list.deleteEmailTemplateAtIndex(1);
        QCOMPARE(changes(), QStringList{"-1"});
        // Many at once (an import, an undo of one): the list starts over.
        list.addEmailTemplateFromEmailTemplate(form("A"));
        list.addEmailTemplateFromEmailTemplate(form("B"));
        QCOMPARE(changes(), QStringList{"reset"});
        QCOMPARE(rows(model), (QStringList{"A", "B", "charlie", "Zulu"}));

        // A leading item is set apart by a separator that cannot be chosen, while there are templates.
        model.setLeadingItem(QStringLiteral("Blank message"));
        QCOMPARE(changes(), QStringList{"reset"});
        QCOMPARE(rows(model), (QStringList{"Blank message", "---", "A", "B", "charlie", "Zulu"}));
        QCOMPARE(model.flags(model.index(1, 0)), Qt::NoItemFlags);
        QCOMPARE(model.index(0, 0).data(EmailTemplateListModel::TemplateIndexRole).toInt(), -1);
        QCOMPARE(model.index(2, 0).data(EmailTemplateListModel::TemplateIndexRole).toInt(), 0);
        list.addEmailTemplateFromEmailTemplate(form("Follow-up"));
        QCOMPARE(changes(), QStringList{"+5"});
        list.editEmailTemplate(list.emailTemplateWithName("charlie"), form("Delta"));
        QCOMPARE(changes(), QStringList{"~4"});
        while (!db.store().emailTemplates().empty())
            list.deleteEmailTemplateAtIndex(0);
        changes();
        QCOMPARE(rows(model), QStringList{"Blank message"});
    }
};

QTEST_GUILESS_MAIN(TestEmailTemplates)
#include "tst_emailtemplates.moc"
