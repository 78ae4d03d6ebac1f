#include "CliCommand.h"

#include "model/CollectionManager.h"
#include "workflow/EmailComposer.h"

namespace {

int runMailto(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QStringList positional;
    QString templateName;
    std::optional<TextEncoding> encoding;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--template") && i + 1 < arguments.size()) {
            templateName = arguments.at(++i);
        } else if (argument == QLatin1String("--encoding") && i + 1 < arguments.size()) {
            const QString name = arguments.at(++i);
            if (name == QLatin1String("utf8"))
                encoding = TextEncoding::UTF8;
            else if (name == QLatin1String("macroman"))
                encoding = TextEncoding::MacOSRoman;
            else
                return Cli::usage(QStringLiteral("mailto"), err);
        } else if (argument.startsWith(QLatin1String("--"))) {
            return Cli::usage(QStringLiteral("mailto"), err);
        } else {
            positional.append(argument);
        }
    }
    if (positional.size() != 2)
        return Cli::usage(QStringLiteral("mailto"), err);
    CollectionManager store;
    if (!Cli::openDatabase(positional.at(0), store, err))
        return ExitBadFile;
    const Link *link = store.linkWithID(positional.at(1));
    if (!link) {
        err << "quillmarsh-cli mailto: " << CliCommand::tr("no link with the ID %1").arg(positional.at(1))
            << Qt::endl;
        return ExitUsage;
    }

    // A blank message unless a template is named; nothing is sent and no status changes.
    QString subject;
    QString body;
    if (!templateName.isNull()) {
        const EmailTemplate *emailTemplate = store.emailTemplateList().emailTemplateWithName(templateName);
        if (!emailTemplate) {
            err << "quillmarsh-cli mailto: "
                << CliCommand::tr("no e-mail template named \"%1\"").arg(templateName) << Qt::endl;
            return ExitUsage;
        }
        subject = emailTemplate->subject();
        body = emailTemplate->body();
        EmailComposer::replaceEmailTemplatePlaceholdersInString(store, subject, *link);
        EmailComposer::replaceEmailTemplatePlaceholdersInString(store, body, *link);
    }
    out << EmailComposer::mailtoURL(link->contactEmail(), subject, body,
                                    encoding.value_or(EmailComposer::emailEncoding()))
        << Qt::endl;
    return ExitOk;
}

const CliRegistration registration(
    {QStringLiteral("mailto"),
     QStringLiteral("FILE.site LINK_ID [--template NAME] [--encoding utf8|macroman]"),
     QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                      "Print the mailto: address a message to the link's webmaster "
                                      "would be handed to the mail client with; nothing is saved.")),
     runMailto,
     false,
     {{QStringLiteral("--template NAME"),
       QStringLiteral(QT_TRANSLATE_NOOP("CliCommand",
                                        "Fill the message from the e-mail template of this name."))},
      {QStringLiteral("--encoding utf8|macroman"),
       QStringLiteral(QT_TRANSLATE_NOOP(
           "CliCommand", "The encoding of the address (default: the one chosen in the preferences)."))}}});

} // namespace
