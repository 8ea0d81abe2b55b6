#include "platform/SocketHttpClient.h"
#include "support/LoopbackServer.h"
#include "support/TestFiles.h"

#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using enum HttpResult;
using Reply = LoopbackServer::Reply;

const QByteArray kOld = "old content";
const QString kSecure = u"HTTP Secure Socket is not supported"_s;
const QByteArray kMost(SocketHttpClient::MostBodyBytes, 'x');
constexpr auto ok = &LoopbackServer::ok;
constexpr int kMostRedirects = SocketHttpClient::MostRedirects;

// One server behaviour: the reply to "/file" ("@" in it stands for the
// server's address), and how its transfer into a file holding kOld ends.
// Redirects may lead to "/moved", "/other.ini" and "/dir/x.ini".
struct ServerCase
{
    const char *name;
    Reply reply;
    HttpResult result;
    QByteArray stored = kOld; // the file afterwards
    int requests = 1;         // none: nobody listens
    // Only the time-out ends the transfer; the program's events flow meanwhile.
    bool timesOut = false;
    QString error = {}; // raised instead of a result
};

const ServerCase kServerCases[] = {
    {"success with a length", ok("new body"), Done, "new body"},
    {"success ended by the connection", {"HTTP/1.0 200 OK\r\nServer: t\r\n\r\nnew body"}, Done, "new body"},
    {"302 to a full address", {"HTTP/1.0 302 Found\r\nLocation: @/moved\r\n\r\n"}, Done, "moved body", 2},
    {"301 to a bare file name", {"HTTP/1.0 301 M\r\nLocation: other.ini\r\n\r\n"}, Done, "other body", 2},
    {"300 to a path", {"HTTP/1.0 300 Choices\r\nlocation: /dir/x.ini\r\n\r\n"}, Done, "x body", 2},
    {"an interim response first",
     {"HTTP/1.0 100 Continue\r\n\r\nHTTP/1.0 200 OK\r\nContent-Length: 8\r\n\r\nnew body"},
     Done,
     "new body"},
    {"an interim response alone", {"HTTP/1.0 100 Continue\r\n\r\n"}, Failed},
    {"no content", {"HTTP/1.0 204 No Content\r\n\r\n"}, Failed},
    {"part of the content", {"HTTP/1.0 206 Partial\r\nContent-Length: 4\r\n\r\nnew "}, Failed},
    {"two lengths", {"HTTP/1.0 200 OK\r\nContent-Length: 100\r\nContent-Length: 4\r\n\r\nhalf"}, Failed},
    {"404", {"HTTP/1.0 404 Not Found\r\n\r\n"}, Failed},
    {"500", {"HTTP/1.0 500 Oops\r\nContent-Length: 5\r\n\r\nerror"}, Failed},
    {"303 is not followed", {"HTTP/1.0 303 See\r\nLocation: /moved\r\n\r\n"}, Failed},
    {"302 to itself", {"HTTP/1.0 302 F\r\nLocation: /file\r\n\r\n"}, Failed, kOld, 1 + kMostRedirects},
    {"302 to https", {"HTTP/1.0 302 F\r\nLocation: https://h/f\r\n\r\n"}, Failed, kOld, 1, false, kSecure},
    {"refused connection", {}, ConnectionFailed, kOld, 0},
    {"accepts and never answers", {"", true}, Failed, kOld, 1, true},
    {"closes mid-body", {"HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nhalf"}, Failed},
    {"status line without a code", {"HTTP/1.0 OK\r\n\r\nbody"}, Failed},
    {"headers without end", {"HTTP/1.0 200 OK\r\nX-A: b\r\n", true}, Failed, kOld, 1, true},
    {"a body of the largest size", ok(kMost), Done, kMost},
    {"a length beyond the largest", {"HTTP/1.0 200 OK\r\nContent-Length: 16777217\r\n\r\n", true}, Failed},
    {"a body beyond the largest without a length", {"HTTP/1.0 200 OK\r\n\r\n" + kMost + 'x'}, Failed},
};

TEST(HttpClient, EachServerBehaviourEndsTheTransferAsExpectedAndOnlyASuccessReplacesTheFile)
{
    for (const ServerCase &c : kServerCases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"file.ini"_s);
        writeBytes(file, kOld);
        LoopbackServer server;
        server.serve("/file",
                     {QByteArray(c.reply.bytes).replace("@", server.url({}).toLatin1()), c.reply.keepOpen});
        server.serve("/moved", ok("moved body"));
        server.serve("/other.ini", ok("other body"));
        server.serve("/dir/x.ini", ok("x body"));
        SocketHttpClient client;
        client.setBody(file);
        client.setTimeOut(c.timesOut ? 300 : 20000);
        QSignalSpy connectionFailed(&client, &HttpClient::OnConnectionFailed);
        QSignalSpy failed(&client, &HttpClient::OnFailure);
        int ticks = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start(20);

        const QString url = c.requests == 0 ? LoopbackServer::refusingUrl() : server.url(u"/file"_s);
        if (c.error.isEmpty()) {
            EXPECT_EQ(client.Get(url), c.result);
            EXPECT_EQ(connectionFailed.count(), c.result == ConnectionFailed ? 1 : 0);
            EXPECT_EQ(failed.count(), c.result == Failed ? 1 : 0);
        } else {
            EXPECT_EQ(errorOf([&] { client.Get(url); }), c.error);
        }
        EXPECT_TRUE(readBytes(file) == c.stored) << "the file holds other bytes";
        EXPECT_EQ(server.requests().size(), c.requests);
        // A 20 ms tick counts the time: 5 s would be a transfer left to its time-out.
        EXPECT_TRUE(c.timesOut ? ticks >= 5 : ticks < 250) << ticks << " ticks during the transfer";
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"file.ini"_s}) << "nothing beside it";
    }
}

TEST(HttpClient, SendsAnHttp10RequestLineWithTheHostAndRefusesAFileItCannotWriteOrWhatIsNoHttpAddress)
{
    LoopbackServer server;
    server.serve("/a%20b?x=1", ok("body"));
    QTemporaryDir dir;
    SocketHttpClient client;
    client.setBody(dir.filePath(u"missing folder/file.ini"_s));
    EXPECT_EQ(errorOf([&] { client.Get(server.url(u"/a b?x=1#part"_s)); }),
              u"Unable to write to "_s + client.body());
    ASSERT_EQ(server.requests().size(), 1);
    const QString hostAndPort = server.url(QString()).mid(7);
    EXPECT_TRUE(server.requests()[0].startsWith("GET /a%20b?x=1 HTTP/1.0\r\nHost: " + hostAndPort.toLatin1() +
                                                "\r\n"))
        << server.requests()[0].toStdString();

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
    std::vector<std::pair<QString, QString>> refused = {
        {QString(), u"Empty URL"_s},
        {u" "_s, u"Empty URL"_s},
        {u"https://example.org/update.ini"_s, kSecure},
        {u"HTTPS://example.org/"_s, kSecure},
        {longHost, u"Invalid URL: "_s + longHost.left(100) + u"..."_s},
    };
    for (const QString &url :
         {u"ftp://x"_s, u"example.org/update.ini"_s, u"http://"_s, u"http://[::1"_s, u"http://host:0/"_s,
          u"http://host:99999/"_s, u"http://host:8a/"_s, u"http://user@host/"_s, u"http://host/a\r\nX: y"_s})
        refused.emplace_back(url, u"Invalid URL: "_s + url);
    for (const auto &[url, message] : refused)
        EXPECT_EQ(errorOf([&] { client.Get(url); }), message) << url.left(40).toStdString();
}

} // namespace
