#include "LoopbackServer.h"

#include <QTcpSocket>

#include <memory>

LoopbackServer::LoopbackServer()
{
    m_server.listen(QHostAddress::LocalHost);
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
        while (QTcpSocket *connection = m_server.nextPendingConnection()) {
            auto received = std::make_shared<QByteArray>();
            QObject::connect(connection, &QTcpSocket::readyRead, connection, [this, connection, received] {
                if (received->contains("\r\n\r\n"))
                    return;
                *received += connection->readAll();
                const qsizetype end = received->indexOf("\r\n\r\n");
                if (end >= 0)
                    answer(connection, received->left(end));
            });
            QObject::connect(connection, &QTcpSocket::disconnected, connection, &QObject::deleteLater);
        }
    });
}

QString LoopbackServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
}

void LoopbackServer::answer(QTcpSocket *connection, const QByteArray &head)
{
    m_requests.push_back(head);
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    const auto found = m_replies.find(requestLine.value(1));
    const Reply reply = found != m_replies.end() ? found->second : status("HTTP/1.0 404 Not Found");
    connection->write(reply.bytes);
    if (reply.afterSent) {
        auto ran = std::make_shared<bool>(false);
        QObject::connect(connection, &QTcpSocket::bytesWritten, connection, [connection, reply, ran] {
            if (connection->bytesToWrite() == 0 && !*ran) {
                *ran = true;
                reply.afterSent();
            }
        });
    }
    if (!reply.keepOpen)
        connection->disconnectFromHost();
}

LoopbackServer::Reply LoopbackServer::ok(const QByteArray &body)
{
    return {"HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body};
}

LoopbackServer::Reply LoopbackServer::status(const QByteArray &statusLine, const QByteArray &headers)
{
    return {statusLine + "\r\n" + headers + "\r\n"};
}

QString LoopbackServer::refusingUrl()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1/update.ini").arg(port);
}
