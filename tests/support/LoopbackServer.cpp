#include "LoopbackServer.h"

#include <QTcpSocket>

LoopbackServer::LoopbackServer()
{
    m_server.listen(QHostAddress::LocalHost);
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
        while (QTcpSocket *connection = m_server.nextPendingConnection()) {
            QObject::connect(connection, &QTcpSocket::disconnected, connection, &QObject::deleteLater);
            // The head may come in pieces: it stays in the socket until it is whole.
            QObject::connect(connection, &QTcpSocket::readyRead, connection, [this, connection] {
                const QByteArray received = connection->peek(connection->bytesAvailable());
                const qsizetype end = received.indexOf("\r\n\r\n");
                if (end >= 0) {
                    connection->readAll();
                    answer(connection, received.left(end));
                }
            });
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
    const auto found = m_replies.find(head.left(head.indexOf("\r\n")).split(' ').value(1));
    const Reply reply = found != m_replies.end() ? found->second : Reply{"HTTP/1.0 404 Not Found\r\n\r\n"};
    if (reply.afterSent)
        QObject::connect(connection, &QTcpSocket::bytesWritten, connection, reply.afterSent,
                         Qt::SingleShotConnection);
    connection->write(reply.bytes);
    if (!reply.keepOpen)
        connection->disconnectFromHost();
}

LoopbackServer::Reply LoopbackServer::ok(const QByteArray &body)
{
    return {"HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body};
}

QString LoopbackServer::refusingUrl()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1/update.ini").arg(port);
}
