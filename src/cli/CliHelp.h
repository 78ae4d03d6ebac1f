#pragma once

#include <QList>
#include <QTextStream>

struct CliCommand;

// The help texts of quillmarsh-cli, made from the command table in the user's language.
class CliHelp
{
public:
    // Every command with its usage and summary, sorted by name.
    static void printOverview(QTextStream &stream);
    // One command: usage, summary, options and exit statuses.
    static void printCommand(const CliCommand &command, QTextStream &stream);
    static void printVersion(QTextStream &stream);

    // The commands sorted by name, as every listing shows them.
    static QList<CliCommand> sortedCommands();
    // The exit statuses every command shares, with their meaning in the user's language.
    static QList<QPair<int, QString>> exitStatuses();
    // True when the arguments after the command ask for its help.
    static bool asksForHelp(const QStringList &arguments);
};
