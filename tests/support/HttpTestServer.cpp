#include "HttpTestServer.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

// One client connection: parses requests one after the other (keep-alive, no pipelining).
class HttpTestServer::Connection : public QObject
{
public:
    Connection(QTcpSocket *socket, HttpTestServer *server) : QObject(server), socket(socket), server(server)
    {
        socket->setParent(this);
        QObject::connect(socket, &QTcpSocket::readyRead, this, [this] { readMore(); });
        QObject::connect(socket, &QTcpSocket::disconnected, this, [this] { closed(); });
        QObject::connect(socket, &QTcpSocket::bytesWritten, this, [this] { feedEndlessBody(); });
    }

    void readMore()
    {
        buffer += socket->readAll();
        parse();
    }

    void parse()
    {
        if (busy)
            return;
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        Request request;
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        request.method = requestLine.value(0);
        request.path = requestLine.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                       lines[i].mid(colon + 1).trimmed());
        }
        const qsizetype bodyLength = request.headers.value("content-length").toLongLong();
        if (buffer.size() < end + 4 + bodyLength)
            return;
        buffer.remove(0, end + 4 + bodyLength);
        closeAfter = request.headers.value("connection").toLower() == "close";
        busy = true;
        server->startRequest(this, request);
    }

    void closed()
    {
        endless = false;
        trickle.stop();
        if (busy) {
            busy = false;
            --server->m_inFlight;
        }
        deleteLater();
    }

    void feedEndlessBody()
    {
        if (!endless || socket->state() != QAbstractSocket::ConnectedState)
            return;
        while (socket->bytesToWrite() < 256 * 1024)
            socket->write(QByteArray(64 * 1024, 'x'));
    }

    QTcpSocket *socket;
    HttpTestServer *server;
    QByteArray buffer;
    bool busy = false;
    bool closeAfter = false;
    bool endless = false;
    QTimer trickle;
};

HttpTestServer::Response HttpTestServer::Response::page(const QByteArray &body, const QByteArray &contentType)
{
    Response response;
    response.body = body;
    response.headers.append({"Content-Type", contentType});
    return response;
}

HttpTestServer::Response HttpTestServer::Response::withStatus(int status, const QByteArray &body)
{
    Response response = page(body);
    response.status = status;
    return response;
}

HttpTestServer::Response HttpTestServer::Response::redirect(const QByteArray &location, int status)
{
    Response response = withStatus(status, "moved");
    response.headers.append({"Location", location});
    return response;
}

HttpTestServer::Response HttpTestServer::Response::behaving(Mode mode)
{
    Response response = page(QByteArray());
    response.mode = mode;
    return response;
}

HttpTestServer::Response &HttpTestServer::Response::header(const QByteArray &name, const QByteArray &value)
{
    headers.append({name, value});
    return *this;
}

HttpTestServer::Response &HttpTestServer::Response::delay(int ms)
{
    delayMs = ms;
    return *this;
}

HttpTestServer::HttpTestServer(QObject *parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &HttpTestServer::accept);
    m_clock.start();
}

HttpTestServer::~HttpTestServer() = default;

bool HttpTestServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QString HttpTestServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
}

void HttpTestServer::setResponses(const QString &path, const QList<Response> &responses)
{
    m_responses.insert(path.toUtf8(), responses);
}

void HttpTestServer::resetCounters()
{
    m_counts.clear();
    m_requests.clear();
    m_maxInFlight = m_inFlight;
}

quint16 HttpTestServer::closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void HttpTestServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        auto *connection = new Connection(socket, this);
        if (socket->bytesAvailable() > 0)
            connection->readMore();
    }
}

HttpTestServer::Response HttpTestServer::responseFor(const QByteArray &path)
{
    const int served = m_counts[path]++;
    const auto found = m_responses.constFind(path);
    if (found == m_responses.constEnd() || found->isEmpty())
        return Response::withStatus(404, "no such page");
    return found->at(qMin<qsizetype>(served, found->size() - 1));
}

void HttpTestServer::startRequest(Connection *connection, const Request &received)
{
    Request request = received;
    request.receivedAtMs = m_clock.elapsed();
    m_requests.append(request);
    m_maxInFlight = qMax(m_maxInFlight, ++m_inFlight);
    const Response response = responseFor(request.path);
    const int delay = response.delayMs + m_defaultDelayMs;
    QPointer<Connection> guard(connection);
    auto send = [this, guard, response] {
        if (guard && guard->busy)
            answer(guard, response);
    };
    if (delay > 0)
        QTimer::singleShot(delay, connection, send);
    else
        send();
}

void HttpTestServer::answer(Connection *connection, const Response &response)
{
    using Mode = Response::Mode;
    QTcpSocket *socket = connection->socket;
    switch (response.mode) {
    case Mode::NeverAnswer:
        return; // in flight until the client gives up
    case Mode::CloseWithoutAnswer:
        finishRequest(connection);
        socket->abort();
        return;
    case Mode::Raw:
        socket->write(response.body);
        finishRequest(connection);
        socket->disconnectFromHost();
        return;
    case Mode::HeaderFlood:
        socket->write("HTTP/1.1 200 OK\r\nX-Flood: ");
        connection->endless = true;
        connection->feedEndlessBody();
        return;
    default:
        break;
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n";
    for (const auto &header : response.headers)
        head += header.first + ": " + header.second + "\r\n";
    if (response.mode == Mode::Normal) {
        head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
        head += connection->closeAfter ? "Connection: close\r\n\r\n" : "Connection: keep-alive\r\n\r\n";
        socket->write(head + response.body);
        finishRequest(connection);
        if (connection->closeAfter)
            socket->disconnectFromHost();
        else
            connection->parse();
        return;
    }
    // Bodies without end: no length, and the request stays in flight until the client hangs up.
    socket->write(head + "Connection: close\r\n\r\n" + response.body);
    if (response.mode == Mode::EndlessBody) {
        connection->endless = true;
        connection->feedEndlessBody();
    } else {
        QObject::connect(&connection->trickle, &QTimer::timeout, connection,
                         [socket] { socket->write("<p>more</p>\n"); });
        connection->trickle.start(50);
    }
}

void HttpTestServer::finishRequest(Connection *connection)
{
    if (!connection->busy)
        return;
    connection->busy = false;
    --m_inFlight;
}
