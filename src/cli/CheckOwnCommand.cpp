#include "CliCommand.h"

#include "history/OwnPageChecker.h"
#include "history/SiteRecords.h"
#include "model/CollectionManager.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// check-own: problems were found on the page.
constexpr int ExitProblemsFound = 3;

int runCheckOwn(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString path;
    bool json = false;
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--json"))
            json = true;
        else if (argument.startsWith(u'-') || !path.isEmpty())
            return Cli::usage(QStringLiteral("check-own"), err);
        else
            path = argument;
    }
    if (path.isEmpty())
        return Cli::usage(QStringLiteral("check-own"), err);
    CollectionManager store;
    if (!Cli::openDatabase(path, store, err))
        return ExitBadFile;

    OwnPageChecker checker;
    QEventLoop loop;
    OwnPageCheck::Result result;
    FileError historyError;
    QObject::connect(&checker, &OwnPageChecker::finished, &loop,
                     [&](const OwnPageCheck::Result &done, const FileError &why) {
                         result = done;
                         historyError = why;
                         loop.quit();
                     });
    QString error;
    if (!checker.start(store, path, &error)) {
        err << path << ": " << error << Qt::endl;
        return ExitBadFile;
    }
    loop.exec();

    if (historyError.isError())
        err << SiteRecords::errorText(path, historyError) << Qt::endl;
    for (const OwnPageCheck::Page &page : result.pages) {
        if (!page.loaded)
            err << page.url.toString() << ": " << CliCommand::tr("cannot be read (%1)").arg(page.error)
                << Qt::endl;
    }
    if (json) {
        QJsonArray findings;
        for (const OwnPageCheck::Finding &finding : result.findings)
            findings.append(
                QJsonObject{{QStringLiteral("linkID"), finding.linkID},
                            {QStringLiteral("title"), finding.title},
                            {QStringLiteral("problem"), OwnPageCheck::problemKey(finding.problem)},
                            {QStringLiteral("page"), finding.page}});
        out << QJsonDocument(findings).toJson(QJsonDocument::Indented);
    } else {
        for (const OwnPageCheck::Finding &finding : result.findings)
            out << finding.linkID << '\t' << OwnPageCheck::problemKey(finding.problem) << '\t' << finding.page
                << '\t' << finding.title << Qt::endl;
        if (result.findings.isEmpty() && result.complete())
            out << CliCommand::tr("Every partner is on the page as it should be.") << Qt::endl;
    }
    if (!result.complete())
        return ExitBadFile;
    return result.findings.isEmpty() ? ExitOk : ExitProblemsFound;
}

const CliRegistration registration(
    {QStringLiteral("check-own"),
     QStringLiteral("FILE.site [--json]"),
     QStringLiteral(QT_TRANSLATE_NOOP(
         "CliCommand", "Read the own links page from the web (and its category pages) and list each partner "
                       "that is missing, hidden or nofollow there, or there though Blocked or not to be "
                       "published. Exit status 3 when something was found, 2 when a page cannot be read; "
                       "the history keeps the result.")),
     runCheckOwn,
     false,
     {{QStringLiteral("--json"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                        "Print the findings as JSON objects with linkID, title, problem and "
                                        "page."))}}});

} // namespace
