#include "CliManPage.h"

#include "CliCommand.h"
#include "CliHelp.h"

QString CliManPage::escaped(const QString &text)
{
    QString roff;
    roff.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (c == u'\\')
            roff += QStringLiteral("\\e");
        else if (c == u'-')
            roff += QStringLiteral("\\-"); // a minus, so options can be copied and searched for
        else
            roff += c;
    }
    // A line starting with a dot or an apostrophe would be read as a request.
    if (roff.startsWith(u'.') || roff.startsWith(u'\''))
        roff.prepend(QStringLiteral("\\&"));
    return roff;
}

QString CliManPage::page(const QString &date)
{
    QString roff;
    QTextStream s(&roff);
    s << ".TH QUILLMARSH-CLI 1 \"" << date << "\" \"Quillmarsh " << QStringLiteral(QM_VERSION)
      << "\" \"User Commands\"\n"
      << ".SH NAME\n"
      << "quillmarsh\\-cli \\- work with Quillmarsh links databases without a window\n"
      << ".SH SYNOPSIS\n"
      << ".B quillmarsh\\-cli\n.I COMMAND\n[\\fIARGUMENTS\\fR]\n.br\n"
      << ".B quillmarsh\\-cli\n.I COMMAND\n.B \\-\\-help\n.br\n"
      << ".B quillmarsh\\-cli\n.B \\-\\-version\n"
      << ".SH DESCRIPTION\n"
      << "Quillmarsh keeps the reciprocal link exchanges of a web site in a links database (a\n"
      << ".I .site\n"
      << "file). Everything that needs no window is available from the command line: printing the\n"
      << "database as JSON and making one from JSON, reminders, search, verification of link partners\n"
      << "over HTTP, the links page, the spreadsheet, charts, printing and the import of links and\n"
      << "e\\-mail templates.\n"
      << ".PP\n"
      << "Commands that change a database write it back atomically, and only when something changed.\n"
      << "A database may also be read from a pipe (\\fB/dev/stdin\\fR).\n"
      << ".SH COMMANDS\n";
    for (const CliCommand &command : CliHelp::sortedCommands()) {
        s << ".SS \"" << escaped(command.name) << "\"\n"
          << ".B quillmarsh\\-cli " << escaped(command.name) << "\n"
          << escaped(command.usage) << "\n"
          << ".PP\n"
          << escaped(command.summary) << "\n";
        for (const CliOption &option : command.options) {
            s << ".TP\n"
              << ".B " << escaped(option.name) << "\n"
              << escaped(option.text) << "\n";
        }
        s << ".TP\n.B \\-\\-help\nShow this help and exit.\n";
    }
    s << ".SH OPTIONS\n"
      << ".TP\n.B \\-\\-help, \\-h, help\nList the commands. After a command, describe that command.\n"
      << ".TP\n.B \\-\\-version\nPrint the version and exit.\n"
      << ".SH EXIT STATUS\n"
      << "Every command ends with one of these statuses.\n";
    for (const auto &[status, meaning] : CliHelp::exitStatuses())
        s << ".TP\n.B " << status << "\n" << escaped(meaning) << "\n";
    s << ".SH ENVIRONMENT\n"
      << ".TP\n.B LANGUAGE, LC_ALL, LC_MESSAGES, LANG\n"
      << "Choose the language of messages and help; results printed on standard output stay in\n"
      << "the form described above, whatever the language.\n"
      << ".TP\n.B QUILLMARSH_SMTP_PASSWORD, QUILLMARSH_IMAP_PASSWORD\n"
      << "The passwords of the mail account for \\fBsend\\fR and \\fBreplies\\fR, for a scheduled job\n"
      << "where no desktop keyring runs; otherwise they come from the keyring. They are never printed.\n"
      << ".SH EXAMPLES\n"
      << ".nf\n"
      << "quillmarsh\\-cli dump examples/sample.site\n"
      << "quillmarsh\\-cli find links.site status:is:approved title:contains:trail\n"
      << "quillmarsh\\-cli find links.site \\-\\-view not\\-checked:30 status:is:approved\n"
      << "quillmarsh\\-cli verify links.site \\-\\-save\n"
      << "quillmarsh\\-cli export\\-html links.site out/index.html\n"
      << "quillmarsh\\-cli send links.site \\-\\-template Reminder \\-\\-ids LNK1,LNK2 \\-\\-dry\\-run\n"
      << ".fi\n"
      << ".SH SEE ALSO\n"
      << ".BR quillmarsh (1)\n";
    return roff;
}
