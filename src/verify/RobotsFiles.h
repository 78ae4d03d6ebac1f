#pragma once

#include "FetchSettings.h"
#include "RobotsTxt.h"
#include "RobotsVerdict.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>

struct FetchOutcome;
class HostScheduler;
class ScheduledFetch;
class QNetworkAccessManager;

// The robots.txt files of one verification run. Each origin's file is fetched once, when it is first
// asked for, and kept for the rest of the run; questions asked meanwhile wait for that one fetch. A
// fetch follows at most 5 redirects and reads at most 500 KiB. A file that answers 4xx forbids
// nothing; one that answers 5xx, 429 or not at all is unavailable and decides nothing.
class RobotsFiles : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaximumRedirects = 5;

    struct File
    {
        enum class State
        {
            Read,        // the rules of the file (a file that is empty or missing forbids nothing)
            Unavailable, // 5xx, 429, a bot wall or no answer
        };
        State state = State::Unavailable;
        RobotsTxt rules;

        // What the file says about `url` for `userAgent`; an empty agent asks nothing.
        RobotsVerdict verdict(const QString &userAgent, const QUrl &url) const;
    };

    // `hosts` (optional) gives each fetch its slot on its server, as the run's page fetches get theirs.
    RobotsFiles(QNetworkAccessManager *network, const FetchSettings &settings, HostScheduler *hosts,
                QObject *parent = nullptr);
    ~RobotsFiles() override;

    // Calls `done` with the file of `url`'s origin, at once when it is known, else from the event
    // loop once it is; never when `context` is gone by then.
    void request(const QUrl &url, QObject *context, std::function<void(const File &)> done);
    // "http://host:port" of an http or https address, in lower case; empty for any other.
    static QString origin(const QUrl &url);
    // Fetches started so far in this run.
    int fetchCount() const { return m_fetches; }

private:
    struct Waiter
    {
        QPointer<QObject> context;
        std::function<void(const File &)> done;
    };
    struct Entry
    {
        bool known = false;
        File file;
        QList<Waiter> waiting;
        ScheduledFetch *fetch = nullptr; // while under way
    };

    void fetch(const QString &origin);
    void fetched(const QString &origin, const FetchOutcome &outcome);

    QNetworkAccessManager *m_network;
    FetchSettings m_settings;
    QPointer<HostScheduler> m_hosts;
    QHash<QString, Entry> m_entries;
    int m_fetches = 0;
};
