#include "HostScheduler.h"

#include "RetryPolicy.h"

#include <QDateTime>
#include <QElapsedTimer>

HostScheduler::HostScheduler(int perHost, QObject *parent) : QObject(parent), m_perHost(qMax(1, perHost))
{
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    m_clock = [started] { return started->elapsed(); };
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &HostScheduler::wake);
}

HostScheduler::~HostScheduler() = default;

void HostScheduler::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

void HostScheduler::setPauseLimits(int firstPauseMs, int maximumPauseMs)
{
    m_firstPauseMs = qMax(0, firstPauseMs);
    m_maximumPauseMs = qMax(0, maximumPauseMs);
}

QString HostScheduler::hostKey(const QUrl &url)
{
    const QString host = url.host(QUrl::FullyEncoded).toLower();
    if (host.isEmpty())
        return QString();
    const QString scheme = url.scheme().toLower();
    const int port = url.port(scheme == QLatin1String("https") ? 443 : 80);
    return host + u':' + QString::number(port);
}

bool HostScheduler::canStart(const QString &host) const
{
    if (host.isEmpty())
        return true;
    const auto found = m_hosts.find(host);
    if (found == m_hosts.end())
        return true;
    const Host &entry = found->second;
    return !isPaused(entry) && entry.inFlight + int(entry.waiting.size()) < m_perHost;
}

int HostScheduler::inFlight(const QString &host) const
{
    const auto found = m_hosts.find(host);
    return found == m_hosts.end() ? 0 : found->second.inFlight;
}

quint64 HostScheduler::request(const QString &host, std::function<void()> start)
{
    if (host.isEmpty()) {
        start();
        return 0;
    }
    Host &entry = m_hosts[host];
    if (entry.waiting.empty() && !isPaused(entry) && entry.inFlight < m_perHost) {
        ++entry.inFlight;
        start();
        return 0;
    }
    const quint64 ticket = m_nextTicket++;
    entry.waiting.push_back({ticket, std::move(start)});
    m_waitingHost.emplace(ticket, host);
    return ticket;
}

void HostScheduler::withdraw(quint64 ticket)
{
    const auto found = m_waitingHost.find(ticket);
    if (found == m_waitingHost.end())
        return;
    std::deque<Waiter> &waiting = m_hosts[found->second].waiting;
    for (auto it = waiting.begin(); it != waiting.end(); ++it) {
        if (it->ticket == ticket) {
            waiting.erase(it);
            break;
        }
    }
    m_waitingHost.erase(found);
}

void HostScheduler::release(const QString &host)
{
    if (host.isEmpty())
        return;
    const auto found = m_hosts.find(host);
    if (found == m_hosts.end() || found->second.inFlight == 0)
        return;
    --found->second.inFlight;
    serve(host);
    emit roomChanged();
}

void HostScheduler::serve(const QString &host)
{
    // A start() may ask for or give back slots itself, so the entry is looked up each time.
    for (;;) {
        Host &entry = m_hosts[host];
        if (entry.waiting.empty() || isPaused(entry) || entry.inFlight >= m_perHost)
            return;
        Waiter waiter = std::move(entry.waiting.front());
        entry.waiting.pop_front();
        m_waitingHost.erase(waiter.ticket);
        ++entry.inFlight;
        waiter.start();
    }
}

void HostScheduler::answered(const QString &host, int status, const QByteArray &retryAfter)
{
    if (host.isEmpty() || (status != 429 && status != 503))
        return;
    Host &entry = m_hosts[host];
    if (status == 429)
        ++entry.throttles;
    if (!retryAfter.trimmed().isEmpty()) {
        if (const std::optional<qint64> asked =
                RetryPolicy::retryAfterMs(retryAfter, QDateTime::currentDateTimeUtc())) {
            pause(host, qMin<qint64>(*asked, m_maximumPauseMs));
            return;
        }
    }
    if (status == 429) {
        const int doublings = qMin(entry.throttles - 1, 20);
        pause(host, qMin<qint64>(qint64(m_firstPauseMs) << doublings, m_maximumPauseMs));
    }
}

void HostScheduler::pause(const QString &host, qint64 ms)
{
    if (host.isEmpty() || ms <= 0)
        return;
    Host &entry = m_hosts[host];
    const qint64 until = m_clock() + ms;
    if (until <= entry.pausedUntil)
        return;
    entry.pausedUntil = until;
    armTimer();
    emit pausesChanged();
}

qint64 HostScheduler::pauseRemaining(const QString &host) const
{
    const auto found = m_hosts.find(host);
    if (found == m_hosts.end())
        return 0;
    return qMax<qint64>(0, found->second.pausedUntil - m_clock());
}

int HostScheduler::pausedHostCount() const
{
    int count = 0;
    for (const auto &[name, entry] : m_hosts)
        count += isPaused(entry) ? 1 : 0;
    return count;
}

void HostScheduler::wake()
{
    QStringList ended;
    for (auto &[name, entry] : m_hosts) {
        if (entry.pausedUntil != 0 && !isPaused(entry)) {
            entry.pausedUntil = 0;
            ended.append(name);
        }
    }
    for (const QString &host : ended)
        serve(host);
    armTimer();
    if (!ended.isEmpty()) {
        emit pausesChanged();
        emit roomChanged();
    }
}

void HostScheduler::clear()
{
    m_timer.stop();
    for (auto &[name, entry] : m_hosts) {
        entry.waiting.clear();
        entry.pausedUntil = 0;
    }
    m_waitingHost.clear();
}

void HostScheduler::armTimer()
{
    qint64 nearest = -1;
    for (const auto &[name, entry] : m_hosts) {
        if (entry.pausedUntil != 0 && (nearest < 0 || entry.pausedUntil < nearest))
            nearest = entry.pausedUntil;
    }
    if (nearest < 0) {
        m_timer.stop();
        return;
    }
    m_timer.start(int(qBound(qint64(0), nearest - m_clock(), qint64(24 * 3600 * 1000))));
}
