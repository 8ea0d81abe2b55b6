#pragma once

#include "HttpClient.h"

#include <QByteArray>
#include <QString>

class HttpExchange;

// Where a request goes: the host and port to connect to, and the path of the
// request line, already escaped.
struct HttpAddress
{
    QString host;
    quint16 port = 80;
    QByteArray path;

    // The Host header's value: the host, and the port unless it is 80.
    QByteArray hostHeader() const;
};

// Reads an address "http://host[:port][/path]". Raises DvsError "Empty URL"
// for an empty address, "HTTP Secure Socket is not supported" for https and
// "Invalid URL: <address>" for anything else that is no such address.
HttpAddress parseHttpAddress(const QString &url);

// The client on the system's TCP sockets: one connection per request, a
// request line "GET <path> HTTP/1.0" with a Host header, redirects (300 to
// 302) followed at most five times, and bodies of at most 16 MB. Interim
// responses (1xx) are passed over; a success without a whole body (204, 205,
// 206) is a failure.
class SocketHttpClient final : public HttpClient
{
    Q_OBJECT

public:
    static constexpr int MostRedirects = 5;
    static constexpr qint64 MostBodyBytes = 16 * 1024 * 1024;

    using HttpClient::HttpClient;

    HttpResult Get(const QString &url) override;
    void abort() override;

private:
    HttpResult failed();

    HttpExchange *m_exchange = nullptr;
};
