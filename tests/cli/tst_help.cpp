#include "CliCommand.h"
#include "CliCompletion.h"
#include "CliHelp.h"
#include "CliManPage.h"
#include "CliProcess.h"
#include "DatabaseBuilder.h"
#include "HttpTestServer.h"
#include "PseudoTranslator.h"

#include "model/DatabaseFile.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

// The tool's help, version, manual page and completion, all made from the one command table, and
// its texts in the user's language.
class TestCliHelp : public QObject
{
    Q_OBJECT

    static CliRun run(const QStringList &arguments, const QString &language = "C")
    {
        return runCli(arguments, CliOptions().in(language).within(30000));
    }

private slots:
    void versionAndHelpInTheUsersLanguage()
    {
        const CliRun version = run({"--version"});
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out, QByteArray("quillmarsh-cli " QM_VERSION "\n"));
        const CliRun help = run({"verify", "--help"});
        QCOMPARE(help.status, 0);
        QVERIFY(help.err.isEmpty());
        QVERIFY(help.out.startsWith("usage: quillmarsh-cli verify FILE.site"));
        for (const char *text : {"--ids ID,ID...", "--timeout S", "--json", "--help", "Exit status:"})
            QVERIFY2(help.out.contains(text), text);
        QCOMPARE(run({"help", "verify"}).out, help.out);
        const CliRun overview = run({"--help"});
        QCOMPARE(overview.status, 0);
        for (const CliCommand &command : CliRegistry::commands())
            QVERIFY(overview.out.contains(("quillmarsh-cli " + command.name + u' ').toUtf8()));

        // In the user's language; a preference for English before German is honoured.
        const CliRun german = run({"dump", "--help"}, "de");
        QVERIFY2(german.out.startsWith("Aufruf: quillmarsh-cli dump FILE.site"), german.out.constData());
        QVERIFY(german.out.contains("Die ganze Datenbank als JSON ausgeben."));
        const CliRun unknown = run({"frobnicate"}, "de");
        QCOMPARE(unknown.status, 1);
        QVERIFY(unknown.err.startsWith("quillmarsh-cli: unbekannter Befehl „frobnicate“"));
        QVERIFY(run({"frobnicate"}, "en:de").err.contains("unknown"));
    }

    void everyTextOfTheTableIsTranslatable()
    {
        TsCatalogue catalogue;
        QString error;
        QVERIFY2(catalogue.read(QStringLiteral(QM_SOURCE_DIR "/translations/quillmarsh_de.ts"), &error),
                 qPrintable(error));
        PseudoTranslator pseudo(catalogue);
        QCoreApplication::installTranslator(&pseudo);
        auto removed = qScopeGuard([&pseudo] { QCoreApplication::removeTranslator(&pseudo); });
        QString overview;
        QTextStream stream(&overview);
        CliHelp::printOverview(stream);
        QVERIFY(overview.startsWith(PseudoTranslator::Open));
        for (const CliCommand &command : CliRegistry::commands()) {
            QStringList texts{command.summary};
            for (const CliOption &option : command.options)
                texts.append(option.text);
            for (const QString &text : texts)
                QVERIFY2(!PseudoTranslator::escapes(CliCommand::translated(text)),
                         qPrintable(command.name + ": " + text));
        }
    }

    // Standard error carries only the tool's own lines. Every command runs once with Qt's warnings
    // made fatal (a thread that outlives the application object, an event loop without one); and
    // where Qt warns about the surroundings, as about the XDG_RUNTIME_DIR that cron leaves unset when
    // a command that draws starts, the user does not see it.
    void everyCommandKeepsQtMessagesOffStandardError()
    {
        HttpTestServer server;
        QVERIFY(server.listen());
        server.setResponse("/", HttpTestServer::Response::page("<a href=\"http://own.example/\">us</a>"));
        QTemporaryDir dir;
        QTemporaryDir runtime; // private (0700), as Qt wants it
        DatabaseBuilder db;
        db.store().setSiteProfile({.title = "Own", .URL = "http://own.example/"});
        db.link({.title = "Partner",
                 .URL = server.url("/"),
                 .counterpartURL = server.url("/"),
                 .contactEmail = "ann@partner.example",
                 .status = LinkStatusApproved});
        db.emailTemplate("Hello", "Hi", "Dear partner");
        const QString site = dir.filePath("links.site");
        QVERIFY(DatabaseFile::write(db.store(), site));
        QVERIFY(QDir(dir.path()).mkdir("page"));
        const QString json = dir.filePath("links.json"), other = dir.filePath("other.site");
        const QList<QStringList> runs = {{"verify", site, "--save", "--json", "--timeout", "10"},
                                         {"changes", site, "--json"},
                                         {"history", site, "--json"},
                                         {"chart", site, "--view", "0", dir.filePath("chart.pdf")},
                                         {"print", site, dir.filePath("list.pdf")},
                                         {"dump", site},
                                         {"find", site, "title:contains:art"},
                                         {"notifications", site},
                                         {"mailto", site, db.lastLink()->ID(), "--template", "Hello"},
                                         {"export-html", site, dir.filePath("page/index.html")},
                                         {"export-tsv", site, dir.filePath("links.txt")},
                                         {"export-csv", site, dir.filePath("links.csv")},
                                         {"import-table", site, dir.filePath("links.csv")},
                                         {"templates", "export", site, dir.filePath("t.emlt")},
                                         {"load", json, other},
                                         {"import-links", site, other, "--keep"}};
        QSet<QString> run;
        for (const QStringList &arguments : runs) {
            if (arguments.first() == "load")
                QVERIFY(writeFile(json, runCli({"dump", site}).out));
            const CliRun result = runCli(arguments, CliOptions()
                                                        .at(dir.path())
                                                        .withEventLoop()
                                                        .with("XDG_RUNTIME_DIR", runtime.path())
                                                        .with("QT_FATAL_WARNINGS", "1"));
            QVERIFY2(result.status == 0, qPrintable(arguments.join(' ') + ": " + result.err));
            run.insert(arguments.first());
        }
        for (const CliCommand &command : CliRegistry::commands())
            QVERIFY2(run.contains(command.name), qPrintable(command.name + " is not run"));
        const CliRun cron = runCli({"chart", site, "--view", "2", dir.filePath("chart.png")},
                                   CliOptions().with("XDG_RUNTIME_DIR"));
        QCOMPARE(cron.status, 0);
        QCOMPARE(cron.err, QByteArray());
    }

    void manualPageAndCompletionNameEveryCommandAndOption()
    {
        const QString page = CliManPage::page(QStringLiteral("2026-12-07"));
        const QString completion = CliCompletion::bashScript();
        QVERIFY(page.startsWith(
            QStringLiteral(".TH QUILLMARSH-CLI 1 \"2026-12-07\" \"Quillmarsh " QM_VERSION "\"")));
        for (const CliCommand &command : CliRegistry::commands()) {
            QVERIFY2(page.contains(QStringLiteral(".SS \"") + CliManPage::escaped(command.name) + u'"'),
                     qPrintable(command.name));
            QVERIFY(completion.contains(QStringLiteral("        ") + command.name + QStringLiteral(")\n")));
            for (const CliOption &option : command.options) {
                QVERIFY(page.contains(QStringLiteral(".B ") + CliManPage::escaped(option.name) + u'\n'));
                QVERIFY(completion.contains(option.name.section(u' ', 0, 0)));
            }
        }
        // roff would take a leading dot or apostrophe for a request, and a plain hyphen may break.
        QCOMPARE(CliManPage::escaped(QStringLiteral(".hidden -x a\\b")),
                 QStringLiteral("\\&.hidden \\-x a\\eb"));
        QCOMPARE(CliManPage::escaped(QStringLiteral("'quoted")), QStringLiteral("\\&'quoted"));
    }
};

QTEST_GUILESS_MAIN(TestCliHelp)
#include "tst_help.moc"
