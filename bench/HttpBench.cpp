#include "HttpBench.h"

#include "BenchTiming.h"

#include "platform/SocketHttpClient.h"

#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <cstdio>

double httpGetLoopbackMBps()
{
    const QByteArray body(SocketHttpClient::MostBodyBytes, 'x');
    const QByteArray response =
        "HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost)) {
        std::fprintf(stderr, "cannot listen on the loopback interface\n");
        std::exit(2);
    }
    // Answers as soon as the request's head is in.
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&] {
        while (QTcpSocket *connection = server.nextPendingConnection()) {
            QObject::connect(connection, &QTcpSocket::readyRead, connection, [connection, &response] {
                if (connection->readAll().contains("\r\n\r\n")) {
                    connection->write(response);
                    connection->disconnectFromHost();
                }
            });
            QObject::connect(connection, &QTcpSocket::disconnected, connection, &QObject::deleteLater);
        }
    });

    QTemporaryDir dir;
    SocketHttpClient client;
    client.setTimeOut(60000);
    client.setBody(dir.filePath(QStringLiteral("body.bin")));
    const QString url = QStringLiteral("http://127.0.0.1:%1/body.bin").arg(server.serverPort());
    const double ms = medianMs([&] {
        if (client.Get(url) != HttpResult::Done || QFileInfo(client.body()).size() != body.size()) {
            std::fprintf(stderr, "the transfer failed\n");
            std::exit(2);
        }
    });
    return double(body.size()) / (1024.0 * 1024.0) / (ms / 1000.0);
}
