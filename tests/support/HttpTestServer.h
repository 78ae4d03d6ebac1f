#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QTcpServer>

// A small HTTP/1.1 server on 127.0.0.1 for tests: answers each path with scripted responses
// (pages, statuses, redirects, delays, bodies that never end, connections that never answer or are
// dropped) and records what it was asked and how many requests were in flight at once.
class HttpTestServer : public QObject
{
    Q_OBJECT
public:
    struct Response
    {
        enum class Mode
        {
            Normal,
            NeverAnswer,        // reads the request and never writes anything
            CloseWithoutAnswer, // drops the connection after reading the request
            EndlessBody,        // headers, then body bytes as fast as the client takes them, forever
            TrickleBody,        // headers, then a few body bytes every 50 ms, forever
            HeaderFlood,        // the status line, then one header line that never ends, as fast as taken
            Raw,                // `body` is the whole answer, head included, sent as it is; then hangs up
        };
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
        int delayMs = 0;
        Mode mode = Mode::Normal;

        static Response page(const QByteArray &body,
                             const QByteArray &contentType = "text/html; charset=utf-8");
        static Response withStatus(int status, const QByteArray &body = "error page");
        static Response redirect(const QByteArray &location, int status = 302);
        static Response behaving(Mode mode);
        Response &header(const QByteArray &name, const QByteArray &value);
        Response &delay(int ms);
    };

    struct Request
    {
        QByteArray method;
        QByteArray path;
        QHash<QByteArray, QByteArray> headers; // names in lower case
        qint64 receivedAtMs = 0;               // since the server started
    };

    explicit HttpTestServer(QObject *parent = nullptr);
    ~HttpTestServer() override;

    bool listen();
    quint16 port() const { return m_server.serverPort(); }
    // "http://127.0.0.1:PORT" followed by `path`.
    QString url(const QString &path) const;

    void setResponse(const QString &path, const Response &response) { setResponses(path, {response}); }
    // Answered in turn; the last one answers every later request.
    void setResponses(const QString &path, const QList<Response> &responses);
    // Added to the delay of every response.
    void setDefaultDelay(int ms) { m_defaultDelayMs = ms; }

    int requestCount(const QString &path) const { return m_counts.value(path.toUtf8()); }
    int totalRequests() const { return int(m_requests.size()); }
    const QList<Request> &requests() const { return m_requests; }
    int inFlight() const { return m_inFlight; }
    int maxInFlight() const { return m_maxInFlight; }
    void resetCounters();

    // A port on 127.0.0.1 where nothing listens.
    static quint16 closedPort();

private:
    class Connection;
    void accept();
    void startRequest(Connection *connection, const Request &request);
    void answer(Connection *connection, const Response &response);
    void finishRequest(Connection *connection);
    Response responseFor(const QByteArray &path);

    QTcpServer m_server;
    QElapsedTimer m_clock;
    QHash<QByteArray, QList<Response>> m_responses;
    QHash<QByteArray, int> m_counts;
    QList<Request> m_requests;
    int m_defaultDelayMs = 0;
    int m_inFlight = 0;
    int m_maxInFlight = 0;
};
