#include "loopback_http_server.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTcpSocket>

namespace quorva::test {

LoopbackHttpServer::LoopbackHttpServer() {
    connect(&server_, &QTcpServer::newConnection, this, &LoopbackHttpServer::OnConnection);
}

LoopbackHttpServer::~LoopbackHttpServer() {
    Stop();
}

bool LoopbackHttpServer::Start(quint16 port) {
    if (!server_.listen(QHostAddress::LocalHost, port)) return false;
    port_ = server_.serverPort();
    return true;
}

void LoopbackHttpServer::Stop() {
    server_.close();
    for (QTcpSocket* socket : server_.findChildren<QTcpSocket*>())
        socket->abort();
}

QByteArray LoopbackHttpServer::BaseUrl() const {
    return "http://127.0.0.1:" + QByteArray::number(port_);
}

void LoopbackHttpServer::SetReply(int status, QByteArray type, QByteArray body) {
    status_ = status;
    type_ = std::move(type);
    body_ = std::move(body);
}

void LoopbackHttpServer::SetRoute(const QByteArray& path, int status, QByteArray body,
                                  QByteArray type) {
    routes_[path] = Reply{status, std::move(type), std::move(body)};
}

void LoopbackHttpServer::OnConnection() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(&server_);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
            *buffer += socket->readAll();
            // One request per read of a complete header block; keep-alive is honoured.
            for (int end = buffer->indexOf("\r\n\r\n"); end >= 0;
                 end = buffer->indexOf("\r\n\r\n")) {
                const QByteArray head = buffer->left(end);
                buffer->remove(0, end + 4);
                lines_.append(head.left(head.indexOf("\r\n")));
                requests_.fetch_add(1);
                if (silent_) continue;
                const bool isHead = head.startsWith("HEAD ");
                const QList<QByteArray> parts = lines_.last().split(' ');
                const QByteArray path = parts.size() > 1 ? parts[1].split('?').first() : "";
                Reply answer{status_, type_, body_};
                if (const auto route = routes_.constFind(path); route != routes_.constEnd())
                    answer = *route;
                QByteArray reply = "HTTP/1.1 " + QByteArray::number(answer.status) + " X\r\n" +
                                   "Content-Type: " + answer.type + "\r\n" +
                                   "Content-Length: " + QByteArray::number(answer.body.size()) +
                                   "\r\nCache-Control: no-store\r\n\r\n";
                if (!isHead) reply += answer.body;
                socket->write(reply);
            }
        });
    }
}

QByteArray LoopbackHttpServer::GridTilePng() {
    QImage tile(256, 256, QImage::Format_RGB32);
    tile.fill(QColor(0xF2, 0xEF, 0xE9));
    QPainter p(&tile);
    p.setPen(QColor(0xC8, 0xC4, 0xBC));
    for (int i = 0; i <= 256; i += 32) {
        p.drawLine(i, 0, i, 256);
        p.drawLine(0, i, 256, i);
    }
    p.setPen(QColor(0x9A, 0x96, 0x90));
    p.drawRect(0, 0, 255, 255);
    p.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    tile.save(&buffer, "PNG");
    return png;
}

}  // namespace quorva::test
