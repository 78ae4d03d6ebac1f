#pragma once

#include "TestData.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>

// The command-line tool run as a user runs it: its exit status and what it printed.
struct CliRun
{
    int status = -1; // -1 when it crashed or did not end within a minute
    QByteArray out;
    QByteArray err;
};

inline CliRun runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(QM_CLI_PATH), arguments);
    CliRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

inline QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
