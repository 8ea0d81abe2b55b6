#pragma once

#include <QList>
#include <QTcpServer>

#include <functional>
#include <map>

// An HTTP server on the loopback interface for one test. It answers each
// request by its path with the reply the test set up (404 for any other path)
// and records every request head it receives.
class LoopbackServer final
{
public:
    struct Reply
    {
        // Sent as they stand: status line, headers and body.
        QByteArray bytes;
        // Keep the connection open and silent once the bytes are sent.
        bool keepOpen = false;
        // Runs once the bytes have been handed to the system.
        std::function<void()> afterSent = {};
    };

    LoopbackServer();

    QString url(const QString &path) const;
    void serve(const QByteArray &path, Reply reply) { m_replies[path] = std::move(reply); }
    // The head of every request received, in order.
    const QList<QByteArray> &requests() const { return m_requests; }

    // "200 OK" with a Content-Length.
    static Reply ok(const QByteArray &body);
    // An address on which nobody listens.
    static QString refusingUrl();

private:
    void answer(class QTcpSocket *connection, const QByteArray &head);

    QTcpServer m_server;
    std::map<QByteArray, Reply> m_replies;
    QList<QByteArray> m_requests;
};
