#include "PageFetcher.h"

#include "HostScheduler.h"
#include "LocalNetwork.h"
#include "RefreshDirective.h"
#include "RetiredClients.h"
#include "RetryPolicy.h"

#include <QFileInfo>
#include <QHostInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#if QT_CONFIG(ssl)
#include <QSslError>
#endif

namespace {

bool isWebScheme(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

bool isTransientError(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::ProxyConnectionClosedError:
        return true;
    default:
        return false;
    }
}

// A chunked body that ends without a byte: what the client makes of chunk sizes it cannot read.
// (A page that is really empty is no links page either.)
bool isChunked(const QNetworkReply &reply)
{
    return reply.rawHeader("Transfer-Encoding").trimmed().compare("chunked", Qt::CaseInsensitive) == 0;
}

// The HTTP client drops a head of more than 100 header fields, or one with a field name it cannot
// read, and keeps none of its fields; without the length the body of a kept-alive connection then
// never ends. (A head without any field at all looks the same, and has no length either.)
bool headersRejected(const QNetworkReply &reply)
{
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid() &&
           reply.rawHeaderList().isEmpty() &&
           !reply.attribute(QNetworkRequest::Http2WasUsedAttribute).toBool();
}

// The same page, whatever fragment either address names.
bool samePage(const QUrl &a, const QUrl &b)
{
    const QUrl::FormattingOptions page = QUrl::RemoveUserInfo | QUrl::RemoveFragment;
    return a.adjusted(page) == b.adjusted(page);
}

FetchOutcome failure(const QString &why)
{
    FetchOutcome outcome;
    outcome.kind = FetchOutcome::Kind::Failed;
    outcome.errorText = why;
    return outcome;
}

} // namespace

PageFetcher::PageFetcher(QNetworkAccessManager *network, QObject *parent)
    : QObject(parent), m_ownsNetwork(!network || !network->property(SharedClientProperty).toBool()),
      m_network(m_ownsNetwork ? new QNetworkAccessManager(this) : network)
{
    // One client serves all its connections from one thread, where a server that floods one of
    // them with headers holds up every other fetch: each fetch has a client of its own, set up as
    // the shared one is. A client marked as shared (a test's scripted network) is used as it is.
    if (network && m_ownsNetwork) {
        m_network->setProxy(network->proxy());
        m_network->setTransferTimeout(network->transferTimeout());
    }
    m_timeout.setSingleShot(true);
    m_retryPause.setSingleShot(true);
    m_firstByteTimeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, &PageFetcher::timedOut);
    connect(&m_firstByteTimeout, &QTimer::timeout, this, &PageFetcher::firstByteTimedOut);
    connect(&m_retryPause, &QTimer::timeout, this, &PageFetcher::startAttempt);
}

PageFetcher::~PageFetcher()
{
    cancel();
    if (m_ownsNetwork)
        RetiredClients::retire(m_network);
}

void PageFetcher::start(const QUrl &url, const FetchSettings &settings, const QSet<int> &retryStatuses,
                        Body body, const QList<RedirectHop> &earlierHops)
{
    cancel();
    m_url = url;
    m_earlierHops = earlierHops;
    m_hops = earlierHops;
    m_settings = settings;
    m_retryStatuses = retryStatuses;
    m_bodyMode = body;
    m_attempt = 0;
    m_waitedMs = 0;
    m_running = true;

    QString refusal;
    if (!earlierHops.isEmpty())
        refusal = hopRefusal(url);
    else if (!url.isValid())
        refusal = tr("The address is not valid.");
    else if (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isFile())
        // Devices and pipes could block or never end; only plain files are read.
        refusal = tr("The file does not exist.");
    else if (!url.isLocalFile() && !isWebScheme(url))
        refusal = tr("Only web and file addresses can be loaded.");
    if (!refusal.isEmpty()) {
        // Reported from the event loop all the same, so callers see one kind of ending.
        QTimer::singleShot(0, this, [this, refusal] {
            if (!m_running)
                return;
            FetchOutcome outcome = failure(refusal);
            outcome.redirects = m_hops;
            outcome.redirected = !m_hops.isEmpty();
            complete(outcome);
        });
        return;
    }
    startAttempt();
}

void PageFetcher::cancel()
{
    m_running = false;
    ++m_lookupGeneration;
    m_timeout.stop();
    m_firstByteTimeout.stop();
    m_retryPause.stop();
    releaseReply();
}

QUrl PageFetcher::shownURL(const QUrl &url)
{
    return url.adjusted(QUrl::RemoveUserInfo);
}

qint64 PageFetcher::bodyLimit() const
{
    return m_bodyMode == Body::Keep ? m_settings.maximumBodySize
                                    : qMin(DiscardedBodyLimit, m_settings.maximumBodySize);
}

void PageFetcher::startAttempt()
{
    // No request goes to a host while it is paused, retries included.
    if (m_hosts) {
        if (const qint64 pause = m_hosts->pauseRemaining(HostScheduler::hostKey(m_url)); pause > 0) {
            m_waitedMs += pause;
            m_retryPause.start(int(qMin<qint64>(pause, 24 * 3600 * 1000)));
            return;
        }
    }
    ++m_attempt;
    m_hops = m_earlierHops;
    // One time-out for the whole attempt, redirects included.
    m_timeout.start(qMax(1, m_settings.timeoutMs));
    if (m_hops.isEmpty())
        sendRequest(m_url);
    else
        sendAfterAddressCheck(m_url);
}

void PageFetcher::sendRequest(const QUrl &url)
{
    m_body.clear();
    m_bodyBytesSeen = 0;
    m_truncated = false;

    QNetworkRequest request(url);
    // The client's own redirect following repeats requests on a reused connection; redirects are
    // followed here instead.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    if (!m_settings.userAgent.isEmpty())
        request.setHeader(QNetworkRequest::UserAgentHeader, m_settings.userAgent);
    request.setRawHeader("Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    if (m_settings.noCache) {
        // Past any cache between us and the partner's server: a second look must see the page as it is now.
        request.setRawHeader("Cache-Control", "no-cache");
        request.setRawHeader("Pragma", "no-cache");
    }
    // A link check has no session: a cookie one partner sets is never sent to another or later.
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    // Past the body cap, a body that inflates more than 40 times (a decompression bomb) fails;
    // others are cut at the cap.
    request.setDecompressedSafetyCheckThreshold(bodyLimit());

    m_tlsErrors.clear();
    m_reply = m_network->get(request);
    // With a bounded buffer the client stops reading (and inflating) until the body is taken here.
    m_reply->setReadBufferSize(ReadBufferSize);
    m_firstByteTimeout.start(qBound(1, m_settings.firstByteTimeoutMs, qMax(1, m_settings.timeoutMs)));
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &PageFetcher::headersArrived);
    connect(m_reply, &QNetworkReply::readyRead, this, &PageFetcher::bodyStarted);
    connect(m_reply, &QNetworkReply::readyRead, this, &PageFetcher::readBody);
#if QT_CONFIG(ssl)
    connect(m_reply, &QNetworkReply::sslErrors, this, [this](const QList<QSslError> &errors) {
        for (const QSslError &error : errors)
            m_tlsErrors.append(error.errorString());
    });
#endif
    connect(m_reply, &QNetworkReply::finished, this, &PageFetcher::replyFinished);
}

bool PageFetcher::hasRedirectStatus() const
{
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool PageFetcher::isRedirect() const
{
    return hasRedirectStatus() && m_reply->hasRawHeader("Location");
}

void PageFetcher::headersArrived()
{
    if (!m_reply || !headersRejected(*m_reply))
        return;
    FetchOutcome outcome = outcomeFromReply();
    if (m_bodyMode == Body::Discard) {
        // The server answered, which is all that is asked of it here.
        outcome.kind = FetchOutcome::Kind::Loaded;
    } else {
        // No time-out would end it sooner: the body never ends where the client cannot tell.
        outcome.kind = FetchOutcome::Kind::Failed;
        outcome.errorText = tr("The partner's server sent too many header fields");
    }
    endAttempt(outcome);
}

void PageFetcher::followRedirect()
{
    const QByteArray location = m_reply->rawHeader("Location").trimmed();
    if (location.size() > MaximumLocationLength) {
        endAttempt(failure(
            tr("Redirected to an address of %1 bytes, too long to be followed.").arg(location.size())));
        return;
    }
    const QUrl from = m_reply->url();
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    releaseReply();
    hopTo(from.resolved(QUrl::fromEncoded(location)), {shownURL(from), status, false});
}

// A page that sends its visitors on at once by a Refresh header has moved like one that redirects.
bool PageFetcher::followRefresh()
{
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_bodyMode != Body::Keep || m_reply->error() != QNetworkReply::NoError || status < 200 ||
        status > 299)
        return false;
    const std::optional<RefreshDirective> refresh =
        RefreshDirective::parse(QString::fromUtf8(m_reply->rawHeader("Refresh")));
    if (!refresh || !refresh->movesAtOnce())
        return false;
    const QUrl from = m_reply->url();
    const QUrl target = from.resolved(QUrl(refresh->url, QUrl::TolerantMode));
    if (samePage(from, target)) // a page that reloads itself has not moved
        return false;
    releaseReply();
    hopTo(target, {shownURL(from), status, true});
    return true;
}

void PageFetcher::hopTo(const QUrl &target, const RedirectHop &hop)
{
    m_hops.append(hop);
    if (const QString refusal = hopRefusal(target); !refusal.isEmpty()) {
        endAttempt(failure(refusal));
        return;
    }
    sendAfterAddressCheck(target);
}

// Why the hops so far may not go on to `target`; empty when they may.
QString PageFetcher::hopRefusal(const QUrl &target) const
{
    // A partner may move from https to http, as browsers follow; other schemes (file, ftp...) are refused.
    if (!target.isValid() || !isWebScheme(target))
        return tr("Redirected to an address that cannot be loaded.");
    for (qsizetype i = 0; i < m_hops.size(); ++i) {
        if (samePage(m_hops[i].url, target)) {
            QStringList loop;
            for (qsizetype j = i; j < m_hops.size(); ++j)
                loop << m_hops[j].url.toString();
            loop << shownURL(target).toString();
            return tr("The pages redirect in a loop: %1").arg(loop.join(QStringLiteral(" \u2192 ")));
        }
    }
    if (m_hops.size() > m_settings.maximumRedirects)
        return tr("Too many redirects.");
    return QString();
}

// Sends the request on to `target` unless it leads from the internet into the local network. The
// hosts are judged by the addresses their names have now; the one where the hops began is looked up
// only when the target is local.
void PageFetcher::sendAfterAddressCheck(const QUrl &target)
{
    const quint64 generation = ++m_lookupGeneration;
    lookUp(target.host(), [this, generation, target](const QList<QHostAddress> &to) {
        if (generation != m_lookupGeneration)
            return;
        if (!LocalNetwork::containsAny(to)) {
            sendRequest(target);
            return;
        }
        const QUrl origin = m_hops.isEmpty() ? m_url : m_hops.constFirst().url;
        lookUp(origin.host(), [this, generation, target, to](const QList<QHostAddress> &from) {
            if (generation != m_lookupGeneration)
                return;
            if (LocalNetwork::allowsRedirect(from, to))
                sendRequest(target);
            else
                endAttempt(failure(tr("Redirected from the internet to %1, an address on the local network: "
                                      "not followed.")
                                       .arg(target.host())));
        });
    });
}

void PageFetcher::lookUp(const QString &host, std::function<void(const QList<QHostAddress> &)> done)
{
    // Also an address written out is handed over from the event loop, as a looked-up one is.
    if (QHostAddress address; address.setAddress(host)) {
        QTimer::singleShot(0, this, [done = std::move(done), address] { done({address}); });
        return;
    }
    if (m_settings.lookUpHost) {
        m_settings.lookUpHost(host, this, std::move(done));
        return;
    }
    QHostInfo::lookupHost(host, this,
                          [done = std::move(done)](const QHostInfo &info) { done(info.addresses()); });
}

void PageFetcher::readBody()
{
    if (!m_reply)
        return;
    if (isRedirect()) {
        m_reply->readAll(); // the body of a redirect is not the page
        return;
    }
    const qint64 limit = bodyLimit();
    while (m_reply->bytesAvailable() > 0) {
        const QByteArray chunk =
            m_reply->read(qMax<qint64>(1, qMin<qint64>(m_reply->bytesAvailable(), 1 << 20)));
        if (chunk.isEmpty())
            break;
        const qint64 room = limit - m_bodyBytesSeen;
        m_bodyBytesSeen += chunk.size();
        if (m_bodyMode == Body::Keep)
            m_body.append(chunk.constData(), qMin<qint64>(room, chunk.size()));
        if (m_bodyBytesSeen > limit) {
            // Enough read: the page is judged by its beginning.
            m_truncated = true;
            FetchOutcome outcome = outcomeFromReply();
            outcome.kind = FetchOutcome::Kind::Loaded;
            endAttempt(outcome);
            return;
        }
    }
}

void PageFetcher::replyFinished()
{
    if (!m_reply)
        return;
    if (isRedirect() && m_reply->error() == QNetworkReply::NoError) {
        followRedirect();
        return;
    }
    if (followRefresh())
        return;
    // The body of a redirect is no page, also when its address was too long for the client to keep.
    if (m_bodyMode == Body::Keep && hasRedirectStatus() && m_reply->error() == QNetworkReply::NoError) {
        endAttempt(failure(tr("Redirected without an address that can be followed.")));
        return;
    }
    readBody();
    if (!m_reply) // the body reached its cap and ended the attempt
        return;
    endAttempt(outcomeFromReply());
}

void PageFetcher::timedOut()
{
    FetchOutcome outcome = failure(tr("No answer after %1 s.").arg(m_settings.timeoutMs / 1000.0));
    outcome.timedOut = true;
    if (m_reply)
        outcome.finalURL = shownURL(m_reply->url());
    endAttempt(outcome);
}

void PageFetcher::bodyStarted()
{
    m_firstByteTimeout.stop();
}

void PageFetcher::firstByteTimedOut()
{
    // Headers that never end, or a server that accepted and went quiet.
    FetchOutcome outcome = failure(tr("No page after %1 s: the server's answer did not get past its headers.")
                                       .arg(m_firstByteTimeout.interval() / 1000.0));
    outcome.timedOut = true;
    if (m_reply)
        outcome.finalURL = shownURL(m_reply->url());
    endAttempt(outcome);
}

FetchOutcome PageFetcher::outcomeFromReply() const
{
    FetchOutcome outcome;
    outcome.finalURL = shownURL(m_reply->url());
    outcome.redirects = m_hops;
    outcome.redirected = !m_hops.isEmpty();
    outcome.body = m_body;
    outcome.truncated = m_truncated;
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    outcome.httpStatus = status.isValid() ? status.toInt() : 0;
    outcome.contentType = m_reply->rawHeader("Content-Type");
    outcome.robotsTag = m_reply->rawHeader("X-Robots-Tag");
    outcome.retryAfter = m_reply->rawHeader("Retry-After");
    outcome.headers = m_reply->rawHeaderPairs();
    const QNetworkReply::NetworkError error = m_reply->error();
    // A page that came but could not be read whole (a corrupt compressed body, a broken chunk) is not
    // a page to judge; a site that answered at all still responds.
    // Errors that come with a status of 400 or more only repeat the status.
    const bool pageUnreadable =
        m_bodyMode == Body::Keep && !m_truncated && outcome.httpStatus < 400 &&
        (error != QNetworkReply::NoError || (m_bodyBytesSeen == 0 && isChunked(*m_reply)));
    if (!pageUnreadable && (m_truncated || error == QNetworkReply::NoError || outcome.httpStatus > 0)) {
        outcome.kind = FetchOutcome::Kind::Loaded;
    } else {
        outcome.kind = FetchOutcome::Kind::Failed;
        outcome.errorText = error == QNetworkReply::NoError ? tr("The page's chunks could not be read.")
                            : outcome.httpStatus > 0
                                ? tr("The page cannot be read: %1").arg(m_reply->errorString())
                                : m_reply->errorString();
        // The client's message may quote the address as given, credentials and all.
        const QString given = m_reply->url().toString();
        if (given != outcome.finalURL.toString())
            outcome.errorText.replace(given, outcome.finalURL.toString());
        // A failed secure connection says so, with what the certificate check objected to, rather
        // than passing for a site that does not answer.
        if (error == QNetworkReply::SslHandshakeFailedError)
            outcome.errorText = tr("Secure connection (TLS) failed: %1")
                                    .arg(m_tlsErrors.isEmpty() ? m_reply->errorString()
                                                               : m_tlsErrors.join(QStringLiteral("; ")));
        outcome.transientFailure = isTransientError(error);
    }
    return outcome;
}

void PageFetcher::endAttempt(FetchOutcome outcome)
{
    m_timeout.stop();
    m_firstByteTimeout.stop();
    ++m_lookupGeneration;
    releaseReply();
    outcome.attempts = m_attempt;
    if (outcome.redirects.isEmpty()) { // a fetch that failed on the way
        outcome.redirects = m_hops;
        outcome.redirected = !m_hops.isEmpty();
    }
    const bool throttled = outcome.loaded() && (outcome.httpStatus == 429 || outcome.httpStatus == 503);
    if (m_hosts && throttled) {
        const QUrl answering = outcome.finalURL.isValid() ? outcome.finalURL : m_url;
        m_hosts->answered(HostScheduler::hostKey(answering), outcome.httpStatus, outcome.retryAfter);
    }
    const RetryPolicy policy(m_settings, m_retryStatuses);
    if (const std::optional<int> pause = policy.delayBeforeRetry(outcome, m_attempt)) {
        if (throttled)
            m_waitedMs += *pause;
        m_retryPause.start(*pause);
        return;
    }
    outcome.waitedMs = m_waitedMs;
    complete(outcome);
}

void PageFetcher::complete(const FetchOutcome &outcome)
{
    m_running = false;
    emit finished(outcome);
}

void PageFetcher::releaseReply()
{
    // Nothing to wait for until the next request goes out.
    m_firstByteTimeout.stop();
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    if (reply->isRunning())
        reply->abort();
    reply->deleteLater();
}
