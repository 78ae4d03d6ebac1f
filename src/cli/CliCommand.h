#pragma once

#include "workflow/LatestCheck.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <memory>

class CollectionManager;
class DatabaseLock;

// Exit statuses of the command-line tool.
inline constexpr int ExitOk = 0;
inline constexpr int ExitUsage = 1;
inline constexpr int ExitBadFile = 2;
// verify --fail-on-loss: the run lost a link that its previous check had verified.
inline constexpr int ExitLinkLost = 3;
// send: some message was refused or could not be sent (the others went).
inline constexpr int ExitSomeFailed = 4;

// One option of a command, as the command's help and the manual page describe it.
struct CliOption
{
    QString name; // "--timeout S": the option and its value, as typed
    QString text; // English, marked with QT_TRANSLATE_NOOP("CliCommand", ...); translated when shown
};

// One command of quillmarsh-cli. Commands register themselves, so adding one touches only its file.
// The table is the single source of the usage messages, `COMMAND --help`, the manual page and the
// shell completion.
struct CliCommand
{
    Q_DECLARE_TR_FUNCTIONS(CliCommand)

public:
    QString name;
    QString usage;   // the arguments after the name, as printed in the usage message
    QString summary; // English, marked with QT_TRANSLATE_NOOP("CliCommand", ...)
    int (*run)(const QStringList &arguments, QTextStream &out, QTextStream &err);
    // Draws text or images (fonts need a QGuiApplication, run on the offscreen platform).
    bool needsGuiApplication = false;
    QList<CliOption> options = {};

    // A text of the table in the user's language (the table is made before any translator is).
    static QString translated(const QString &text) { return tr(text.toUtf8().constData()); }
};

class CliRegistry
{
public:
    static void add(const CliCommand &command);
    static const QList<CliCommand> &commands();
    static const CliCommand *find(const QString &name);
};

struct CliRegistration
{
    explicit CliRegistration(const CliCommand &command) { CliRegistry::add(command); }
};

namespace Cli {
// Prints the usage line of `command` to err and returns ExitUsage.
int usage(const QString &command, QTextStream &err);
// Reads a database; on failure prints "FILE: why" to err and returns false. What the reader
// repaired (a category sharing another's ID, links without a category) is printed the same way.
bool openDatabase(const QString &path, CollectionManager &store, QTextStream &err);
// How long a command that writes a database waits for a window that has it open.
inline constexpr int LockWaitMs = 3000;
// Takes the lock of a database that the command will write, waiting LockWaitMs for a window, and
// checks that the file and its folder may be written; on failure prints "FILE: why" to err and
// returns null. A command that works long before it writes takes it first, so nothing is done in vain.
std::unique_ptr<DatabaseLock> lockForWriting(const QString &path, QTextStream &err);
// Writes a database atomically under its lock (`lock`, or one taken now); on failure prints
// "FILE: why" to err and returns false. A database read by openDatabase is not written when another
// program changed it since.
bool saveDatabase(CollectionManager &store, const QString &path, QTextStream &err,
                  DatabaseLock *lock = nullptr);
// True (with the reason printed) when `output` is the very file `input` names: writing it would
// replace the input by something else.
bool refuseOutputThatIsInput(const QString &input, const QString &output, QTextStream &err);
// The history's latest check of every link. Without a readable history the results stored in the
// database decide, as they do for a database that was never checked; an unreadable one is said on err
// for the command.
RecordedChecks readRecordedChecks(const QString &path, const QString &command, QTextStream &err);

} // namespace Cli
