#include "CliCommand.h"
#include "CliCompletion.h"
#include "CliHelp.h"
#include "CliManPage.h"
#include "CliProcess.h"
#include "PseudoTranslator.h"

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
