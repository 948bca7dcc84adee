// A small HTTP/1.1 file server for the tests of the background music. It runs
// on its own thread, because the media back end may block the main thread
// while it opens a source, and a server served by that thread would then never
// answer. It answers Range requests with 206 Partial Content, as real web
// servers do and as GStreamer's HTTP source expects; python3 -m http.server
// does not, which is why the tests carry their own.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QThread>
#include <QUrl>

class QTcpServer;
class QTcpSocket;

namespace rampwall::test {

struct ServedRequest {
    QByteArray method;
    QByteArray path;
    QByteArray range; // the Range header as sent, empty without one
    int status = 0;   // what the server answered
};

class RangeHttpServer : public QObject {
    Q_OBJECT
public:
    RangeHttpServer();
    ~RangeHttpServer() override;

    // Serves body at path (e.g. "/music.mp3"); any other path gets 404.
    void serve(const QByteArray& path, const QByteArray& body, const QByteArray& contentType);

    // Starts listening on 127.0.0.1 at a free port; false when that fails.
    bool start();
    QUrl url(const QByteArray& path) const;

    QList<ServedRequest> requests() const;
    // Number of requests for path answered with the given status.
    int count(const QByteArray& path, int status) const;

private:
    void acceptConnections();
    void readRequest(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QByteArray& method, const QByteArray& path, const QByteArray& range);

    QThread m_thread;
    QTcpServer* m_server; // lives on m_thread
    quint16 m_port = 0;
    QHash<QByteArray, QPair<QByteArray, QByteArray>> m_files; // path -> (body, type)
    mutable QMutex m_mutex;
    QList<ServedRequest> m_requests;
};

} // namespace rampwall::test
