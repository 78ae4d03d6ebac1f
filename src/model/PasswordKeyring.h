#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

// Passwords of the user's accounts (a publish destination, a mail server) in the desktop keyring
// (the Secret Service, through QtKeychain), never in a file. Each entry is named by a key such as
// "sftp://user@host:22", under the service "Quillmarsh".
namespace PasswordKeyring {

// Reads asynchronously; `done` runs on `context`'s thread with the password, or none and why.
void readPassword(const QString &key, QObject *context,
                  const std::function<void(std::optional<QString> password, const QString &error)> &done);
void writePassword(const QString &key, const QString &password, QObject *context,
                   const std::function<void(bool stored, const QString &error)> &done);
// For the command-line tool: runs a local event loop until the keyring answers.
std::optional<QString> readPasswordAndWait(const QString &key, QString *error = nullptr);

} // namespace PasswordKeyring
