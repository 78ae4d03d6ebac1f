#include "CliCommand.h"

#include "model/CollectionManager.h"
#include "workflow/EmailTemplateFile.h"

namespace {

int usage(QTextStream &err)
{
    return Cli::usage(QStringLiteral("templates"), err);
}

int list(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.size() != 1)
        return usage(err);
    CollectionManager store;
    if (!Cli::openDatabase(arguments.at(0), store, err))
        return ExitBadFile;
    out << "index\tid\tname\tsubject" << Qt::endl;
    int index = 0;
    for (const auto &emailTemplate : store.emailTemplates())
        out << index++ << '\t' << emailTemplate->ID() << '\t' << emailTemplate->name() << '\t'
            << emailTemplate->subject() << '\n';
    out.flush();
    return ExitOk;
}

int exportTemplates(const QStringList &arguments, QTextStream &err)
{
    if (arguments.size() != 2)
        return usage(err);
    if (Cli::refuseOutputThatIsInput(arguments.at(0), arguments.at(1), err))
        return ExitUsage;
    CollectionManager store;
    if (!Cli::openDatabase(arguments.at(0), store, err))
        return ExitBadFile;
    FileError error;
    if (store.emailTemplates().empty()) {
        err << arguments.at(0) << ": " << CliCommand::tr("holds no e-mail templates to export") << Qt::endl;
        return ExitBadFile;
    }
    if (!EmailTemplateFile::exportEmailTemplatesToFileAtPath(store, arguments.at(1), false, &error)) {
        err << arguments.at(1) << ": " << CliCommand::tr("cannot write (%1)").arg(error.text()) << Qt::endl;
        return ExitBadFile;
    }
    return ExitOk;
}

int importTemplates(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QStringList files;
    std::optional<DuplicateAnswer> answer;
    for (const QString &argument : arguments) {
        std::optional<DuplicateAnswer> given;
        if (argument == QLatin1String("--keep"))
            given = DuplicateAnswer::Keep;
        else if (argument == QLatin1String("--replace"))
            given = DuplicateAnswer::Replace;
        else if (argument.startsWith(QLatin1String("--")))
            return usage(err);
        if (given && answer && *given != *answer)
            return usage(err);
        if (given)
            answer = given;
        else
            files.append(argument);
    }
    if (files.size() != 2 || !answer)
        return usage(err);
    CollectionManager store;
    if (!Cli::openDatabase(files.at(0), store, err))
        return ExitBadFile;
    ImportSummary summary;
    FileError error;
    if (!EmailTemplateFile::importEmailTemplatesFromFileAtPath(
            store, files.at(1), [&] { return *answer; }, &summary, &error)) {
        err << files.at(1) << ": " << error.text() << Qt::endl;
        return ExitBadFile;
    }
    if (summary.changed() && !Cli::saveDatabase(store, files.at(0), err))
        return ExitBadFile;
    out << "templates added: " << summary.added << ", replaced: " << summary.replaced
        << ", skipped: " << summary.skipped << Qt::endl;
    return ExitOk;
}

int runTemplates(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const QString action = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    if (action == QLatin1String("list"))
        return list(rest, out, err);
    if (action == QLatin1String("export"))
        return exportTemplates(rest, err);
    if (action == QLatin1String("import"))
        return importTemplates(rest, out, err);
    return usage(err);
}

const CliRegistration registration(
    {QStringLiteral("templates"),
     QStringLiteral("list FILE.site | export FILE.site OUT.emlt | "
                    "import FILE.site IN.emlt --keep|--replace"),
     QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                      "List the e-mail templates, write them to a templates file, or "
                                      "merge a templates file in (FILE.site is written only when "
                                      "something changed).")),
     runTemplates,
     false,
     {{QStringLiteral("--keep"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                        "With import: keep the templates whose IDs exist already."))},
      {QStringLiteral("--replace"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                        "With import: replace the templates whose IDs exist already."))}}});

} // namespace
