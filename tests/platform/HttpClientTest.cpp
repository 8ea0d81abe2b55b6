#include "platform/SocketHttpClient.h"
#include "support/LoopbackServer.h"
#include "support/TestFiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kOld = "old content";
const QString kSecure = u"HTTP Secure Socket is not supported"_s;
constexpr qint64 kMost = SocketHttpClient::MostBodyBytes;

// One server behaviour: what the server answers, and how the transfer of
// "/file" into a file holding kOld ends.
struct ServerCase
{
    const char *name;
    std::function<void(LoopbackServer &)> serve;
    HttpResult result;
    QByteArray stored; // the file afterwards
    int requests = 1;
    // The transfer lasts until the time-out; the program's events flow meanwhile.
    bool timesOut = false;
    QString error = {}; // raised instead of a result
};

QByteArray filled(qint64 size)
{
    QByteArray bytes(size, 'x');
    bytes[0] = 'a';
    bytes[size - 1] = 'z';
    return bytes;
}

const ServerCase kServerCases[] = {
    {"success with a length", [](LoopbackServer &s) { s.serve("/file", LoopbackServer::ok("new body")); },
     HttpResult::Done, "new body"},
    {"success ended by the connection",
     [](LoopbackServer &s) { s.serve("/file", {"HTTP/1.0 200 OK\r\nServer: t\r\n\r\nnew body"}); },
     HttpResult::Done, "new body"},
    {"redirect to a full address",
     [](LoopbackServer &s) {
         s.serve("/file", LoopbackServer::status("HTTP/1.0 302 Found",
                                                 "Location: " + s.url(u"/moved"_s).toLatin1() + "\r\n"));
         s.serve("/moved", LoopbackServer::ok("moved body"));
     },
     HttpResult::Done, "moved body", 2},
    {"Location without a slash is a file on the same host",
     [](LoopbackServer &s) {
         s.serve("/file", LoopbackServer::status("HTTP/1.0 301 Moved", "Location: other.ini\r\n"));
         s.serve("/other.ini", LoopbackServer::ok("other body"));
     },
     HttpResult::Done, "other body", 2},
    {"Location with a path on the same host",
     [](LoopbackServer &s) {
         s.serve("/file", LoopbackServer::status("HTTP/1.0 300 Choices", "location: /dir/x.ini\r\n"));
         s.serve("/dir/x.ini", LoopbackServer::ok("x body"));
     },
     HttpResult::Done, "x body", 2},
    {"404", [](LoopbackServer &) {}, HttpResult::Failed, kOld},
    {"500",
     [](LoopbackServer &s) { s.serve("/file", {"HTTP/1.0 500 Oops\r\nContent-Length: 5\r\n\r\nerror"}); },
     HttpResult::Failed, kOld},
    {"303 is not followed",
     [](LoopbackServer &s) {
         s.serve("/file", LoopbackServer::status("HTTP/1.0 303 See", "Location: /moved\r\n"));
         s.serve("/moved", LoopbackServer::ok("moved body"));
     },
     HttpResult::Failed, kOld},
    {"Location pointing to itself",
     [](LoopbackServer &s) {
         s.serve("/file", LoopbackServer::status("HTTP/1.0 302 Found", "Location: /file\r\n"));
     },
     HttpResult::Failed, kOld, 1 + SocketHttpClient::MostRedirects},
    {"redirect to https",
     [](LoopbackServer &s) {
         s.serve("/file",
                 LoopbackServer::status("HTTP/1.0 302 Found", "Location: https://127.0.0.1/file\r\n"));
     },
     HttpResult::Failed, kOld, 1, false, kSecure},
    {"refused connection", nullptr, HttpResult::ConnectionFailed, kOld, 0},
    {"accepts and never answers",
     [](LoopbackServer &s) {
         s.serve("/file", {"", true});
     },
     HttpResult::Failed, kOld, 1, true},
    {"closes mid-body",
     [](LoopbackServer &s) {
         s.serve("/file", {"HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n" + filled(50)});
     },
     HttpResult::Failed, kOld},
    {"status line without a code", [](LoopbackServer &s) { s.serve("/file", {"HTTP/1.0 OK\r\n\r\nbody"}); },
     HttpResult::Failed, kOld},
    {"headers without end",
     [](LoopbackServer &s) {
         s.serve("/file", {"HTTP/1.0 200 OK\r\nX-A: b\r\n", true});
     },
     HttpResult::Failed, kOld, 1, true},
    {"a body of the largest size",
     [](LoopbackServer &s) { s.serve("/file", LoopbackServer::ok(filled(kMost))); }, HttpResult::Done,
     filled(kMost)},
    {"a length beyond the largest body",
     [](LoopbackServer &s) {
         s.serve("/file",
                 {"HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(kMost + 1) + "\r\n\r\n", true});
     },
     HttpResult::Failed, kOld},
    {"a body beyond the largest without a length",
     [](LoopbackServer &s) { s.serve("/file", {"HTTP/1.0 200 OK\r\n\r\n" + filled(kMost + 1)}); },
     HttpResult::Failed, kOld},
};

TEST(HttpClient, EachServerBehaviourEndsTheTransferAsExpectedAndOnlyASuccessReplacesTheFile)
{
    for (const ServerCase &c : kServerCases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"file.ini"_s);
        writeBytes(file, kOld);
        LoopbackServer server;
        QString url = LoopbackServer::refusingUrl();
        if (c.serve) {
            c.serve(server);
            url = server.url(u"/file"_s);
        }
        SocketHttpClient client;
        client.setBody(file);
        client.setTimeOut(c.timesOut ? 300 : 20000);
        QSignalSpy connectionFailed(&client, &HttpClient::OnConnectionFailed);
        QSignalSpy failed(&client, &HttpClient::OnFailure);
        int ticks = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start(20);

        if (c.error.isEmpty()) {
            EXPECT_EQ(client.Get(url), c.result);
            EXPECT_EQ(connectionFailed.count(), c.result == HttpResult::ConnectionFailed ? 1 : 0);
            EXPECT_EQ(failed.count(), c.result == HttpResult::Failed ? 1 : 0);
        } else {
            EXPECT_EQ(errorOf([&] { client.Get(url); }), c.error);
        }
        const QByteArray stored = readBytes(file);
        EXPECT_EQ(stored.size(), c.stored.size());
        EXPECT_TRUE(stored == c.stored) << "the file holds other bytes";
        EXPECT_EQ(server.requests().size(), c.requests);
        if (c.timesOut) {
            EXPECT_GE(ticks, 5) << "the timer ticked during the transfer";
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"file.ini"_s})
            << "nothing left beside it";
    }
}

TEST(HttpClient, SendsAnHttp10RequestLineWithTheHostAndRefusesAFileItCannotWrite)
{
    LoopbackServer server;
    server.serve("/a%20b?x=1", LoopbackServer::ok("body"));
    QTemporaryDir dir;
    SocketHttpClient client;
    client.setBody(dir.filePath(u"missing folder/file.ini"_s));
    EXPECT_EQ(errorOf([&] { client.Get(server.url(u"/a b?x=1#part"_s)); }),
              u"Unable to write to "_s + client.body());
    ASSERT_EQ(server.requests().size(), 1);
    const QString host = server.url(QString()).mid(7);
    EXPECT_TRUE(
        server.requests()[0].startsWith("GET /a%20b?x=1 HTTP/1.0\r\nHost: " + host.toLatin1() + "\r\n"))
        << server.requests()[0].toStdString();
}

TEST(HttpClient, ReadsAddressesAndRefusesWhatIsNoHttpAddress)
{
    // Host, port, request path and Host header of each address.
    const std::tuple<QString, QString, quint16, QByteArray, QByteArray> read[] = {
        {u"http://example.org"_s, u"example.org"_s, 80, "/", "example.org"},
        {u" HTTP://Example.org:8080/a b?q=é#frag"_s, u"Example.org"_s, 8080, "/a%20b?q=%C3%A9",
         "Example.org:8080"},
        {u"http://[::1]:81?x"_s, u"::1"_s, 81, "/?x", "[::1]:81"},
    };
    for (const auto &[url, host, port, path, hostHeader] : read) {
        const HttpAddress address = parseHttpAddress(url);
        EXPECT_EQ(std::tie(address.host, address.port, address.path), std::tie(host, port, path));
        EXPECT_EQ(address.hostHeader(), hostHeader);
    }

    const QString longHost = u"http://"_s + QString(10000, u'a') + u"/update.ini"_s;
    const std::pair<QString, QString> refused[] = {
        {QString(), u"Empty URL"_s},
        {u" "_s, u"Empty URL"_s},
        {u"https://example.org/update.ini"_s, kSecure},
        {u"HTTPS://example.org/"_s, kSecure},
        {u"ftp://x"_s, u"Invalid URL: ftp://x"_s},
        {u"example.org/update.ini"_s, u"Invalid URL: example.org/update.ini"_s},
        {u"http://"_s, u"Invalid URL: http://"_s},
        {u"http://[::1"_s, u"Invalid URL: http://[::1"_s},
        {u"http://host:0/"_s, u"Invalid URL: http://host:0/"_s},
        {u"http://host:99999/"_s, u"Invalid URL: http://host:99999/"_s},
        {u"http://host:8a/"_s, u"Invalid URL: http://host:8a/"_s},
        {u"http://user@host/"_s, u"Invalid URL: http://user@host/"_s},
        {u"http://host/a\r\nX: y"_s, u"Invalid URL: http://host/a\r\nX: y"_s},
        {longHost, u"Invalid URL: "_s + longHost.left(100) + u"..."_s},
    };
    SocketHttpClient client;
    for (const auto &[url, message] : refused) {
        SCOPED_TRACE(url.left(40).toStdString());
        EXPECT_EQ(errorOf([&] { client.Get(url); }), message);
    }
}

} // namespace
