#include "FakeNetwork.h"

#include "verify/PageFetcher.h"

#include <QNetworkReply>
#include <QTimer>

namespace {

QString hostOf(const QUrl &url)
{
    return url.host().toLower() + u':' + QString::number(url.port(80));
}

} // namespace

// A reply that holds its answer back until told to finish.
class FakeReply : public QNetworkReply
{
public:
    FakeReply(const QNetworkRequest &request, QObject *parent) : QNetworkReply(parent)
    {
        setRequest(request);
        setUrl(request.url());
        setOperation(QNetworkAccessManager::GetOperation);
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    void finishWith(const FakeNetwork::Answer &answer)
    {
        if (isFinished())
            return;
        m_body = answer.body;
        m_position = 0;
        setAttribute(QNetworkRequest::HttpStatusCodeAttribute, answer.status);
        for (const auto &[name, value] : answer.headers)
            setRawHeader(name, value);
        if (answer.status >= 400)
            setError(QNetworkReply::ContentAccessDenied, QStringLiteral("HTTP %1").arg(answer.status));
        setFinished(true);
        if (!m_body.isEmpty())
            emit readyRead();
        emit finished();
    }

    void abort() override
    {
        if (isFinished())
            return;
        setError(QNetworkReply::OperationCanceledError, QStringLiteral("Cancelled"));
        setFinished(true);
        emit finished();
    }

    qint64 bytesAvailable() const override
    {
        return m_body.size() - m_position + QNetworkReply::bytesAvailable();
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 count = qMin(maxSize, qint64(m_body.size()) - m_position);
        if (count <= 0)
            return isFinished() ? -1 : 0;
        memcpy(data, m_body.constData() + m_position, size_t(count));
        m_position += count;
        return count;
    }

private:
    QByteArray m_body;
    qint64 m_position = 0;
};

FakeNetwork::FakeNetwork(QObject *parent) : QNetworkAccessManager(parent)
{
    setProperty(PageFetcher::SharedClientProperty, true); // every fetch must come through here
}

FakeNetwork::~FakeNetwork() = default;

QNetworkReply *FakeNetwork::createRequest(Operation, const QNetworkRequest &request, QIODevice *)
{
    auto *reply = new FakeReply(request, this);
    m_open.append(reply);
    m_sent.append({request.url(), m_clock ? m_clock() : 0});
    m_mostOpen = qMax(m_mostOpen, openCount());
    m_mostOpenOnOneHost = qMax(m_mostOpenOnOneHost, openCount(hostOf(request.url())));
    return reply;
}

int FakeNetwork::openCount() const
{
    int count = 0;
    for (const QPointer<FakeReply> &reply : m_open)
        count += reply && !reply->isFinished() ? 1 : 0;
    return count;
}

int FakeNetwork::openCount(const QString &host) const
{
    int count = 0;
    for (const QPointer<FakeReply> &reply : m_open)
        count += reply && !reply->isFinished() && hostOf(reply->url()) == host ? 1 : 0;
    return count;
}

int FakeNetwork::answerAll()
{
    return answer([](const QUrl &) { return true; });
}

int FakeNetwork::answerHost(const QString &host)
{
    return answer([&](const QUrl &url) { return hostOf(url) == host; });
}

int FakeNetwork::answer(const std::function<bool(const QUrl &)> &which)
{
    // Answering lets the run start new requests, which wait for the next call.
    const QList<QPointer<FakeReply>> open = m_open;
    m_open.clear();
    int answered = 0;
    for (const QPointer<FakeReply> &reply : open) {
        if (!reply || reply->isFinished())
            continue;
        if (!which(reply->url())) {
            m_open.append(reply);
            continue;
        }
        reply->finishWith(m_answers.value(reply->url().path(), Answer{}));
        ++answered;
    }
    return answered;
}
