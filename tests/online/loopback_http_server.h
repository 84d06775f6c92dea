// A small HTTP server on the loopback address for the network tests: it answers every
// request with one fixed reply (status, type, body), or with the reply set for the
// request's path, and records the request lines. It runs
// on the thread that made it, so the test must let that thread's events run while waiting.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QObject>
#include <QTcpServer>

#include <atomic>

namespace quorva::test {

class LoopbackHttpServer : public QObject {
    Q_OBJECT

  public:
    LoopbackHttpServer();
    ~LoopbackHttpServer() override;

    // Listens on 127.0.0.1 (port 0: any free port). False when it cannot.
    bool Start(quint16 port = 0);
    // Closes the listening socket and every open connection.
    void Stop();
    quint16 Port() const { return port_; }
    QByteArray BaseUrl() const;

    void SetReply(int status, QByteArray type, QByteArray body);
    // The reply for one path (the request target up to any "?").
    void SetRoute(const QByteArray& path, int status, QByteArray body,
                  QByteArray type = "text/plain");
    // Requests are accepted but never answered.
    void SetSilent(bool silent) { silent_ = silent; }

    int Requests() const { return requests_.load(); }
    QList<QByteArray> RequestLines() const { return lines_; }

    // A 256 x 256 PNG tile: a light grid.
    static QByteArray GridTilePng();

  private:
    struct Reply {
        int status = 200;
        QByteArray type;
        QByteArray body;
    };
    void OnConnection();

    QTcpServer server_;
    quint16 port_ = 0;
    int status_ = 200;
    QByteArray type_ = "text/plain";
    QByteArray body_;
    QMap<QByteArray, Reply> routes_;
    bool silent_ = false;
    std::atomic<int> requests_{0};
    QList<QByteArray> lines_;
};

}  // namespace quorva::test
