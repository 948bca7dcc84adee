#include "range_http_server.h"

#include <QMetaObject>
#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>

namespace rampwall::test {

namespace {

// "bytes=first-last", "bytes=first-" or "bytes=-suffix" of a body of size
// bytes; false when the range cannot be satisfied.
bool parseRange(const QByteArray& header, qsizetype size, qsizetype& first, qsizetype& last) {
    if (!header.startsWith("bytes=") || header.contains(','))
        return false;
    const QByteArray row = header.mid(6).trimmed();
    const qsizetype dash = row.indexOf('-');
    if (dash < 0)
        return false;
    const QByteArray from = row.left(dash).trimmed();
    const QByteArray to = row.mid(dash + 1).trimmed();
    bool ok = true;
    if (from.isEmpty()) {
        const qsizetype suffix = to.toLongLong(&ok);
        if (!ok || suffix <= 0)
            return false;
        first = qMax<qsizetype>(0, size - suffix);
        last = size - 1;
    } else {
        first = from.toLongLong(&ok);
        if (!ok)
            return false;
        last = to.isEmpty() ? size - 1 : qMin<qsizetype>(to.toLongLong(&ok), size - 1);
        if (!ok)
            return false;
    }
    return first <= last && first < size;
}

} // namespace

RangeHttpServer::RangeHttpServer() : m_server(new QTcpServer) {
    // The server, and the sockets it creates as its children, handle their
    // events on the server thread.
    m_server->moveToThread(&m_thread);
    connect(m_server, &QTcpServer::newConnection, m_server, [this] { acceptConnections(); });
    m_thread.setObjectName(QStringLiteral("RangeHttpServer"));
    m_thread.start();
}

RangeHttpServer::~RangeHttpServer() {
    QMetaObject::invokeMethod(
        m_server, [this] { m_server->close(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_server; // its thread has ended, so it may go from here
}

void RangeHttpServer::serve(const QByteArray& path, const QByteArray& body, const QByteArray& contentType) {
    QMutexLocker lock(&m_mutex);
    m_files.insert(path, {body, contentType});
}

bool RangeHttpServer::start() {
    bool listening = false;
    QMetaObject::invokeMethod(
        m_server,
        [&] {
            listening = m_server->listen(QHostAddress::LocalHost, 0);
            m_port = m_server->serverPort();
        },
        Qt::BlockingQueuedConnection);
    return listening;
}

QUrl RangeHttpServer::url(const QByteArray& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(QString::fromLatin1(path)));
}

QList<ServedRequest> RangeHttpServer::requests() const {
    QMutexLocker lock(&m_mutex);
    return m_requests;
}

int RangeHttpServer::count(const QByteArray& path, int status) const {
    QMutexLocker lock(&m_mutex);
    int n = 0;
    for (const ServedRequest& request : m_requests)
        n += request.path == path && request.status == status ? 1 : 0;
    return n;
}

void RangeHttpServer::acceptConnections() {
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { readRequest(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void RangeHttpServer::readRequest(QTcpSocket* socket) {
    // Requests are small; wait until the whole header block is there.
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0) {
        socket->setProperty("buffer", buffer);
        return;
    }
    socket->setProperty("buffer", buffer.mid(end + 4));

    const QList<QByteArray> lines = buffer.left(end).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    QByteArray range;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.toLower().startsWith("range:"))
            range = line.mid(6).trimmed();
    }
    QByteArray path = requestLine.value(1);
    if (const qsizetype query = path.indexOf('?'); query >= 0)
        path.truncate(query);
    answer(socket, requestLine.value(0), path, range);
}

void RangeHttpServer::answer(QTcpSocket* socket, const QByteArray& method, const QByteArray& path,
                             const QByteArray& range) {
    QMutexLocker lock(&m_mutex);
    ServedRequest record{method, path, range, 0};
    QByteArray head;
    QByteArray body;

    const auto file = m_files.constFind(path);
    if (method != "GET" && method != "HEAD") {
        record.status = 405;
        head = "HTTP/1.1 405 Method Not Allowed\r\nContent-Length: 0\r\n";
    } else if (file == m_files.constEnd()) {
        record.status = 404;
        body = "not found\n";
        head =
            "HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size()) +
            "\r\n";
    } else {
        const QByteArray& content = file->first;
        qsizetype first = 0;
        qsizetype last = content.size() - 1;
        if (range.isEmpty()) {
            record.status = 200;
            head = "HTTP/1.1 200 OK\r\n";
            body = content;
        } else if (parseRange(range, content.size(), first, last)) {
            record.status = 206;
            body = content.mid(first, last - first + 1);
            head = "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes " + QByteArray::number(first) + '-' +
                   QByteArray::number(last) + '/' + QByteArray::number(content.size()) + "\r\n";
        } else {
            record.status = 416;
            head = "HTTP/1.1 416 Range Not Satisfiable\r\nContent-Range: bytes */" +
                   QByteArray::number(content.size()) + "\r\n";
        }
        if (record.status != 416)
            head += "Content-Type: " + file->second +
                    "\r\nAccept-Ranges: bytes\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n";
        else
            head += "Content-Length: 0\r\n";
    }
    m_requests.append(record);
    lock.unlock();

    // One request per connection keeps the server simple; clients reconnect.
    head += "Connection: close\r\n\r\n";
    socket->write(head);
    if (method != "HEAD")
        socket->write(body);
    socket->disconnectFromHost();
}

} // namespace rampwall::test
