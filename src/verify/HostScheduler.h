#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <deque>
#include <functional>
#include <map>

// The fetches of one verification run, counted per host: at most `perHost` at once to one host,
// and none to a host while it is paused because it answered 429 or 503 asking for a pause. A fetch
// asks for a slot and starts when it gets one; requests for one host are served in the order they
// came. A host is its name in lower case with the port; addresses without a host (local files) are
// never held back.
class HostScheduler : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<qint64()>; // milliseconds, never going back

    explicit HostScheduler(int perHost, QObject *parent = nullptr);
    ~HostScheduler() override;

    // Tests move time by hand and call wake() afterwards.
    void setClock(Clock clock);
    qint64 now() const { return m_clock(); }
    // The pause after a 429 without Retry-After (doubled for each further one from that host),
    // and the longest pause any answer can impose.
    void setPauseLimits(int firstPauseMs, int maximumPauseMs);

    static QString hostKey(const QUrl &url);

    int perHost() const { return m_perHost; }
    // Whether a new check may start a fetch there now: not paused, and a slot free that no waiting
    // fetch has a claim on.
    bool canStart(const QString &host) const;
    int inFlight(const QString &host) const;

    // Asks for a slot on `host`; `start` is called once one is free and the host is not paused,
    // possibly before this returns (then the result is 0). Otherwise the result identifies the
    // request for withdraw().
    quint64 request(const QString &host, std::function<void()> start);
    void withdraw(quint64 ticket);
    // Gives back a slot that was granted.
    void release(const QString &host);

    // What a host answered: 429 or 503 with Retry-After (seconds or an HTTP date) pauses it that
    // long, up to the maximum; 429 without it pauses it for the current pause, doubling each time.
    void answered(const QString &host, int status, const QByteArray &retryAfter);
    void pause(const QString &host, qint64 ms);
    qint64 pauseRemaining(const QString &host) const;
    int pausedHostCount() const;

    // Ends the pauses that are over and serves the fetches waiting for them. A timer calls it when
    // the nearest pause ends.
    void wake();
    // Forgets every waiting request and every pause (the run was stopped).
    void clear();

signals:
    // A slot was given back or a pause ended: checks waiting for a host may be able to start.
    void roomChanged();
    // A host was paused or its pause ended.
    void pausesChanged();

private:
    struct Waiter
    {
        quint64 ticket;
        std::function<void()> start;
    };
    struct Host
    {
        int inFlight = 0;
        qint64 pausedUntil = 0; // on the clock; 0 when not paused
        int throttles = 0;      // 429 answers so far
        std::deque<Waiter> waiting;
    };

    bool isPaused(const Host &host) const { return host.pausedUntil > m_clock(); }
    void serve(const QString &host);
    void armTimer();

    int m_perHost;
    int m_firstPauseMs = 500;
    int m_maximumPauseMs = 5000;
    Clock m_clock;
    std::map<QString, Host> m_hosts; // node-based: entries stay put while a start() adds hosts
    std::map<quint64, QString> m_waitingHost;
    quint64 m_nextTicket = 1;
    QTimer m_timer;
};
