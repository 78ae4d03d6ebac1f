#pragma once

#include <QString>

// The private per-user folder "Quillmarsh Temporary Files" for downloaded pages and previews.
// It lives in the user's cache directory (the home directory when there is none) and is kept at
// mode 0700, so other users can neither read what is written there nor plant files in it. It is
// never reached through a symbolic link, and a file is written through the handle of the folder
// that was checked.
class TemporaryFolder
{
public:
    static inline const QString FolderName = QStringLiteral("Quillmarsh Temporary Files");

    // The folder, created when missing; empty with `error` set when it cannot be made private.
    static QString path(QString *error = nullptr);
    // A file inside the folder (not created); empty on failure.
    static QString filePath(const QString &fileName, QString *error = nullptr);
    // Replaces the file's content with `bytes`; false with `error` on failure.
    static bool writeFile(const QString &fileName, const QByteArray &bytes, QString *error = nullptr);
};
