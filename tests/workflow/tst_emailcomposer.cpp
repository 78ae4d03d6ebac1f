#include "model/Clock.h"
#include "model/NotificationComputer.h"
#include "model/Preferences.h"
#include "model/UrlOpener.h"
#include "support/DatabaseBuilder.h"
#include "workflow/EmailComposer.h"
#include "workflow/StarterTemplates.h"

#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>

class TestEmailComposer : public QObject
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

    void placeholderPassesFeedEachOther()
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
        LinkFields f = partner();
        f.categoryID = QStringLiteral("CAT1");
        stray.setTitle(f);
        QString category = QStringLiteral("[#CATEGORY#]");
        EmailComposer::replaceEmailTemplatePlaceholdersInString(db.store(), category, stray);
        QCOMPARE(category, QStringLiteral("[]"));
    }

    void previewRunsTheProfileLast()
    {
        DatabaseBuilder db;
        db.link(partner());
        setProfile(db.store());
        const QString text =
            QStringLiteral("#MY_TITLE# / #TITLE# / #NOTES# / #CATEGORY# / #MY_CATEGORY# / "
                           "#LAST_STATUS_CHANGE_DATE# / #CONTACT_FIRST_NAME# #CONTACT_LAST_NAME#");
        QCOMPARE(
            EmailComposer::previewString(db.store(), text, db.lastLink()),
            QStringLiteral("My Site #TITLE# / Blue Widgets / Wrote to My Site #TITLE# before / General / "
                           "Friends / March 5, 2005 /  Doe"));
        QCOMPARE(EmailComposer::previewString(db.store(), text, nullptr),
                 QStringLiteral("My Site #TITLE# / Some Site / This is John Smith's web site. / General / "
                                "Greatest Sites / January 1, 2004 / John Smith"));
    }

    void mailtoBytes()
    {
        const QString body = QStringLiteral("Caf\u00e9 & more\nsecond line 100%");
        QCOMPARE(EmailComposer::mailtoURL(QStringLiteral("a&b@example.com"), QStringLiteral("Caf\u00e9 & co"),
                                          body, TextEncoding::UTF8),
                 QByteArray("mailto:a%26b@example.com?SUBJECT=Caf%C3%A9%20%26%20co&"
                            "BODY=Caf%C3%A9%20%26%20more%0D%0Asecond%20line%20100%25"));
        // Mac OS Roman for recipient and body only; the subject stays UTF-8.
        QCOMPARE(EmailComposer::mailtoURL(QStringLiteral("j\u00e9@example.com"), QStringLiteral("\u00e9"),
                                          body, TextEncoding::MacOSRoman),
                 QByteArray("mailto:j%8E@example.com?SUBJECT=%C3%A9&"
                            "BODY=Caf%8E%20%26%20more%0D%0Asecond%20line%20100%25"));
        QCOMPARE(EmailComposer::mailtoURL(QString(), QString(), QString(), TextEncoding::UTF8),
                 QByteArray("mailto:?SUBJECT=&BODY="));
    }

    void mailtoLineBreaksAndHeaderCharacters_data()
    {
        QTest::addColumn<int>("encoding");
        QTest::newRow("UTF-8") << int(TextEncoding::UTF8);
        QTest::newRow("Mac OS Roman") << int(TextEncoding::MacOSRoman);
        QTest::newRow("ISO Latin 1") << int(TextEncoding::ISOLatin1);
    }

    void mailtoLineBreaksAndHeaderCharacters()
    {
        QFETCH(int, encoding);
        // Every kind of line break is one CR LF pair; an empty line stays an empty line.
        const QString body = QStringLiteral("one\ntwo\r\nthree\rfour\n\nfive");
        const QByteArray breaks = "one%0D%0Atwo%0D%0Athree%0D%0Afour%0D%0A%0D%0Afive";
        // Characters that end or split a header field, and the escape character itself.
        const QString special = QStringLiteral("a?b&c=d#e%f");
        const QByteArray escaped = "a%3Fb%26c%3Dd%23e%25f";
        const QByteArray url =
            EmailComposer::mailtoURL(QStringLiteral("x@example.com"), special + QLatin1Char('\n') + special,
                                     special + QLatin1Char('\n') + body, TextEncoding(encoding));
        QCOMPARE(url, "mailto:x@example.com?SUBJECT=" + escaped + "%0D%0A" + escaped + "&BODY=" + escaped +
                          "%0D%0A" + breaks);
        // Only 7-bit ASCII leaves the composer, and the mail client reads the fields back as typed.
        for (const char byte : url)
            QVERIFY(uchar(byte) > 0x20 && uchar(byte) < 0x7F);
        const QUrlQuery query(QUrl::fromEncoded(url));
        QCOMPARE(query.queryItemValue(QStringLiteral("SUBJECT"), QUrl::FullyDecoded),
                 special + QStringLiteral("\r\n") + special);
    }

    void sendingOpensTheURLAndStartsTheNegotiation()
    {
        DatabaseBuilder db;
        db.link(partner());
        Link link = *db.lastLink(); // a working copy, as the window and the link editor pass
        Preferences::setValue(Preferences::EmailEncoding, 1);
        m_opener.setAnswer(false);
        const qsizetype before = m_opener.urls().size();

        // Refused by the system: false, but the partner is now being negotiated with, dated today.
        QVERIFY(!EmailComposer::sendEmailWithRecipient(link.contactEmail(), QString(),
                                                       QStringLiteral("\u00e9"), link));
        QCOMPARE(m_opener.urls().size(), before + 1);
        QCOMPARE(m_opener.urls().last().toEncoded(),
                 QByteArray("mailto:jane@blue.example?SUBJECT=&BODY=%8E"));
        QCOMPARE(link.status(), LinkStatusNegotiating);
        QCOMPARE(link.lastStatusChangedOn(), Clock::today());

        m_opener.setAnswer(true);
        link.setStatus(LinkStatusApproved);
        QVERIFY(EmailComposer::sendEmailWithRecipient(link.contactEmail(), QString(), QString(), link));
        QCOMPARE(link.status(), LinkStatusApproved);
    }

    void sendingATemplate()
    {
        DatabaseBuilder db;
        db.emailTemplate(QStringLiteral("Hello"), QStringLiteral("Link to #TITLE#"),
                         QStringLiteral("Hi #CONTACT_LAST_NAME#,\nsee #MY_URL#"));
        db.link(partner());
        setProfile(db.store());
        Link link = *db.lastLink();
        const qsizetype before = m_opener.urls().size();
        for (const int index : {-1, 1}) {
            QVERIFY(!EmailComposer::sendEmailWithRecipient(db.store(), link.contactEmail(), index, link));
            QCOMPARE(m_opener.urls().size(), before);
            QCOMPARE(link.status(), LinkStatusNew);
        }
        QVERIFY(EmailComposer::sendEmailWithRecipient(db.store(), link.contactEmail(), 0, link));
        QCOMPARE(m_opener.urls().last().toEncoded(),
                 QByteArray("mailto:jane@blue.example?SUBJECT=Link%20to%20Blue%20Widgets&"
                            "BODY=Hi%20Doe,%0D%0Asee%20http://mine.example/"));
        QCOMPARE(link.status(), LinkStatusNegotiating);
        QCOMPARE(db.lastLink()->status(), LinkStatusNew); // the store is only read
    }

    void previewChangesNoLink()
    {
        DatabaseBuilder db;
        db.link(partner());
        QVERIFY(EmailComposer::preview(db.store(), QStringLiteral("#TITLE#"),
                                       QStringLiteral("#CONTACT_EMAIL#"), nullptr));
        QCOMPARE(m_opener.urls().last().toEncoded(),
                 QByteArray("mailto:john.smith@example.com?SUBJECT=Some%20Site&BODY=john.smith@example.com"));
        QVERIFY(EmailComposer::preview(db.store(), QStringLiteral("#TITLE#"), QString(), db.lastLink()));
        QCOMPARE(db.lastLink()->status(), LinkStatusNew);
        // What went to the mail client stays at hand, for copying when no client took it.
        QCOMPARE(EmailComposer::lastMessage().recipient, EmailComposer::sampleRecipient());
        QCOMPARE(EmailComposer::lastMessage().text(),
                 QStringLiteral("To: john.smith@example.com\nSubject: Blue Widgets\n\n"));
    }

    // Misspelt placeholders are what is left after filling in; each is named once.
    void unknownPlaceholdersAreFound()
    {
        DatabaseBuilder db;
        db.link(partner());
        const QString filled = EmailComposer::previewString(
            db.store(), QStringLiteral("#TITLE# #TITEL# #MY_URL# #TITEL# # x #"), db.lastLink());
        QCOMPARE(EmailComposer::unknownPlaceholders(filled), QStringList{QStringLiteral("#TITEL#")});
    }

    // The templates a new database starts with use only placeholders that fill in, within the limits.
    void starterTemplatesFillIn()
    {
        DatabaseBuilder db;
        db.link(partner());
        const QList<StarterTemplates::Template> starters = StarterTemplates::templates();
        QCOMPARE(starters.size(), 3);
        for (const StarterTemplates::Template &starter : starters) {
            QVERIFY(starter.body.contains(u'#') && starter.name.size() <= 99 &&
                    starter.subject.size() <= 199 && starter.body.size() <= 1999);
            for (const QString &text : {starter.subject, starter.body})
                QVERIFY2(EmailComposer::unknownPlaceholders(
                             EmailComposer::previewString(db.store(), text, db.lastLink()))
                             .isEmpty(),
                         qPrintable(text));
        }
        StarterTemplates::addTo(db.store());
        QCOMPARE(db.store().emailTemplates().size(), size_t(3));
    }
};

QTEST_GUILESS_MAIN(TestEmailComposer)
#include "tst_emailcomposer.moc"
