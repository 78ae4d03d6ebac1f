#pragma once

#include "TestData.h"
#include "model/Clock.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTest>

// The command-line tool run as a user runs it: its exit status and what it printed.
struct CliRun
{
    int status = -1; // -1 when it crashed or did not end in time
    QByteArray out;
    QByteArray err;
};

// How the tool is run, set in a chain: CliOptions().at(home).withEventLoop().
struct CliOptions
{
    QByteArray input; // written to its standard input through a pipe, unless null
    QString home;     // when set: HOME, settings and cache go there
    QString language; // when set: LANGUAGE
    int timeoutMs = 60000;
    bool eventLoop = false; // keeps this process's event loop turning (for a server in the test)
    QDateTime clock;        // when set: the tool's clock stands there (Clock::EnvironmentVariable)
    QList<QPair<QString, QString>> variables; // set in its environment; a null value removes one

    CliOptions &fed(const QByteArray &bytes) { return input = bytes, *this; }
    CliOptions &at(const QString &folder) { return home = folder, *this; }
    CliOptions &in(const QString &languages) { return language = languages, *this; }
    CliOptions &within(int ms) { return timeoutMs = ms, *this; }
    CliOptions &withEventLoop() { return eventLoop = true, *this; }
    CliOptions &clockedAt(const QDateTime &at) { return clock = at, *this; }
    CliOptions &with(const QString &name, const QString &value = QString())
    {
        return variables.append({name, value}), *this;
    }
};

inline CliRun runCli(const QStringList &arguments, const CliOptions &options = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!options.home.isEmpty()) {
        environment.insert("HOME", options.home);
        environment.insert("XDG_CONFIG_HOME", options.home + "/config");
        environment.insert("XDG_CACHE_HOME", options.home + "/cache");
    }
    if (!options.language.isEmpty())
        environment.insert("LANGUAGE", options.language);
    if (options.clock.isValid())
        environment.insert(QString::fromLatin1(Clock::EnvironmentVariable),
                           Clock::environmentValue(options.clock));
    for (const auto &[name, value] : options.variables) {
        if (value.isNull())
            environment.remove(name);
        else
            environment.insert(name, value);
    }
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QM_CLI_PATH), arguments);
    if (!options.input.isNull())
        process.write(options.input); // its size is known only at its end
    process.closeWriteChannel();
    const bool ended =
        options.eventLoop
            ? process.waitForStarted() &&
                  QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, options.timeoutMs)
            : process.waitForFinished(options.timeoutMs);
    CliRun run;
    if (!ended) {
        process.kill();
        process.waitForFinished();
        return run;
    }
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

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
