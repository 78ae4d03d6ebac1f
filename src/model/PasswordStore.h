#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

// Passwords of the accounts the application logs in to (mail servers, upload servers), kept in the
// desktop keyring through QtKeychain (Secret Service); never in the preferences or a database. Where
// no keyring runs, the caller asks the user and keeps the answer for this session only
// (setSessionPassword); nothing falls back to a file.
class PasswordStore
{
    Q_DECLARE_TR_FUNCTIONS(PasswordStore)
public:
    // The keyring's service name under which every key of the application is kept.
    static QString service();

    struct Answer
    {
        std::optional<QString> password; // none when there is none, or the keyring failed
        bool keyringMissing = false;     // no keyring service runs: ask the user instead
        QString error;                   // why it failed, when it did (not for "no such entry")
    };

    // Asynchronous: `done` runs on `context`'s thread once the keyring answered. A password given
    // for this session is answered at once.
    static void read(const QString &key, QObject *context, std::function<void(const Answer &)> done);
    static void write(const QString &key, const QString &password, QObject *context,
                      std::function<void(bool ok, const QString &error)> done);
    static void remove(const QString &key, QObject *context,
                       std::function<void(bool ok, const QString &error)> done);

    // The same, waiting in a local event loop: for the command-line tool and worker threads only.
    static Answer readNow(const QString &key);
    static bool writeNow(const QString &key, const QString &password, QString *error);

    // A password the user typed where no keyring runs; kept in memory until the program ends.
    static void setSessionPassword(const QString &key, const QString &password);
    static std::optional<QString> sessionPassword(const QString &key);
    static void forgetSessionPasswords();
};
