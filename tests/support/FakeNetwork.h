#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QUrl>

class FakeReply;

// An HTTP client that answers without a network: every GET stays open until the test answers it,
// so a test decides when each fetch ends and sees which are in flight, per host, at every moment.
class FakeNetwork : public QNetworkAccessManager
{
public:
    struct Answer
    {
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
    };
    struct Sent
    {
        QUrl url;
        qint64 at = 0; // on the test's clock
    };

    explicit FakeNetwork(QObject *parent = nullptr);
    ~FakeNetwork() override;

    // What a path answers (the last one set for it); 200 with an empty page otherwise.
    void setAnswer(const QString &path, const Answer &answer) { m_answers.insert(path, answer); }
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

    // Answers every open request; the number answered.
    int answerAll();
    // Answers the open requests to `host` ("name:port").
    int answerHost(const QString &host);

    int openCount() const;
    int openCount(const QString &host) const;
    int mostOpen() const { return m_mostOpen; }
    int mostOpenOnOneHost() const { return m_mostOpenOnOneHost; }
    const QList<Sent> &sent() const { return m_sent; }

protected:
    QNetworkReply *createRequest(Operation operation, const QNetworkRequest &request,
                                 QIODevice *outgoingData) override;

private:
    int answer(const std::function<bool(const QUrl &)> &which);

    QHash<QString, Answer> m_answers;
    QList<QPointer<FakeReply>> m_open;
    QList<Sent> m_sent;
    std::function<qint64()> m_clock;
    int m_mostOpen = 0;
    int m_mostOpenOnOneHost = 0;
};
