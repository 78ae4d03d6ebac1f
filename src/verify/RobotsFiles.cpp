#include "RobotsFiles.h"

#include "BotChallenge.h"
#include "FetchOutcome.h"
#include "HostScheduler.h"
#include "PageFetcher.h"
#include "ScheduledFetch.h"

RobotsVerdict RobotsFiles::File::verdict(const QString &userAgent, const QUrl &url) const
{
    if (state != State::Read || userAgent.trimmed().isEmpty())
        return RobotsVerdict::Unavailable;
    return rules.allows(userAgent, url) ? RobotsVerdict::Allowed : RobotsVerdict::Disallowed;
}

RobotsFiles::RobotsFiles(QNetworkAccessManager *network, const FetchSettings &settings, HostScheduler *hosts,
                         QObject *parent)
    : QObject(parent), m_network(network), m_settings(settings), m_hosts(hosts)
{
    m_settings.maximumRedirects = MaximumRedirects;
    m_settings.maximumBodySize = RobotsTxt::MaximumSize;
    // One try: a file that is not there at once decides nothing, and the run must not wait for it.
    m_settings.maximumRetries = 0;
    m_settings.noCache = false;
}

RobotsFiles::~RobotsFiles() = default;

QString RobotsFiles::origin(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    if ((scheme != QLatin1String("http") && scheme != QLatin1String("https")) || url.host().isEmpty())
        return QString();
    return QStringLiteral("%1://%2:%3")
        .arg(scheme, url.host().toLower())
        .arg(url.port(scheme == QLatin1String("https") ? 443 : 80));
}

void RobotsFiles::request(const QUrl &url, QObject *context, std::function<void(const File &)> done)
{
    const QString key = origin(url);
    if (key.isEmpty()) {
        done(File());
        return;
    }
    Entry &entry = m_entries[key];
    if (entry.known) {
        done(entry.file);
        return;
    }
    entry.waiting.append({context, std::move(done)});
    if (!entry.fetch)
        fetch(key);
}

void RobotsFiles::fetch(const QString &origin)
{
    auto *loader = new ScheduledFetch(m_network, m_hosts, this);
    m_entries[origin].fetch = loader;
    connect(loader, &ScheduledFetch::finished, this,
            [this, origin](const FetchOutcome &outcome) { fetched(origin, outcome); });
    ++m_fetches;
    loader->start(QUrl(origin + QStringLiteral("/robots.txt")), m_settings, {}, PageFetcher::Body::Keep);
}

void RobotsFiles::fetched(const QString &origin, const FetchOutcome &outcome)
{
    Entry &entry = m_entries[origin];
    // It is inside its own signal.
    entry.fetch->deleteLater();
    entry.fetch = nullptr;
    File file;
    const int status = outcome.httpStatus;
    if (!outcome.loaded() || status == 429 || status >= 500 ||
        BotChallenge::service(outcome.headers, outcome.body)) {
        file.state = File::State::Unavailable;
    } else if (status >= 400) {
        file.state = File::State::Read; // no file: nothing is forbidden
    } else {
        file.state = File::State::Read;
        QByteArray body = outcome.body;
        if (outcome.truncated) {
            // A line cut in the middle would be a different rule.
            const qsizetype end = qMax(body.lastIndexOf('\n'), body.lastIndexOf('\r'));
            body.truncate(qMax<qsizetype>(0, end));
        }
        file.rules = RobotsTxt::parse(body);
    }
    entry.known = true;
    entry.file = file;
    const QList<Waiter> waiting = std::exchange(entry.waiting, {});
    for (const Waiter &waiter : waiting) {
        if (waiter.context)
            waiter.done(file);
    }
}
