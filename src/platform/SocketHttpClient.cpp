#include "SocketHttpClient.h"

#include "AtomicFile.h"
#include "DvsError.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// More header than any sane server sends; a head without end is cut off here.
constexpr qsizetype kMostHeadBytes = 64 * 1024;
// The longest host name DNS can resolve.
constexpr qsizetype kLongestHost = 253;
// How much of an address an error message quotes.
constexpr qsizetype kLongestQuotedUrl = 100;

DvsError invalidUrl(const QString &url)
{
    const QString quoted = url.size() > kLongestQuotedUrl ? url.left(kLongestQuotedUrl) + u"..."_s : url;
    return DvsError(u"Invalid URL: %1"_s.arg(quoted));
}

// The path as the request line carries it: blanks and bytes beyond ASCII
// escaped, a fragment left out. Control characters would end the line early,
// so a path with one is no path.
std::optional<QByteArray> requestPath(const QString &path)
{
    const QByteArray bytes = path.left(path.indexOf(u'#')).toUtf8();
    QByteArray escaped = bytes.startsWith('/') ? QByteArray() : QByteArray("/");
    for (const char c : bytes) {
        const auto byte = uchar(c);
        if (byte < 0x20 || byte == 0x7f)
            return std::nullopt;
        if (byte == ' ' || byte > 0x7f)
            escaped += '%' + QByteArray::number(byte, 16).toUpper();
        else
            escaped += c;
    }
    return escaped;
}

bool isHostName(const QString &host)
{
    if (host.isEmpty() || host.size() > kLongestHost)
        return false;
    for (const QChar c : host) {
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != u'-' && c != u'.' && c != u'_')
            return false;
    }
    return true;
}

// An "http://" address, or nothing when it is malformed.
std::optional<HttpAddress> readAddress(const QString &url)
{
    if (!url.startsWith(u"http://"_s, Qt::CaseInsensitive))
        return std::nullopt;
    const QString rest = url.mid(7);
    qsizetype end = rest.size();
    for (const QChar stop : {u'/', u'?', u'#'}) {
        const qsizetype at = rest.indexOf(stop);
        if (at >= 0 && at < end)
            end = at;
    }
    const QString authority = rest.left(end);
    HttpAddress address;
    QString port;
    if (authority.startsWith(u'[')) {
        const qsizetype close = authority.indexOf(u']');
        if (close < 0 ||
            QHostAddress(authority.mid(1, close - 1)).protocol() != QAbstractSocket::IPv6Protocol)
            return std::nullopt;
        address.host = authority.mid(1, close - 1);
        const QString after = authority.mid(close + 1);
        if (!after.isEmpty() && !after.startsWith(u':'))
            return std::nullopt;
        port = after.mid(1);
    } else {
        const qsizetype colon = authority.indexOf(u':');
        address.host = authority.left(colon);
        port = colon < 0 ? QString() : authority.mid(colon + 1);
        if (!isHostName(address.host))
            return std::nullopt;
    }
    if (!port.isEmpty() || authority.endsWith(u':')) {
        bool number = false;
        const uint value = port.toUInt(&number);
        if (!number || value < 1 || value > 65535 || !port.front().isDigit())
            return std::nullopt;
        address.port = quint16(value);
    }
    const std::optional<QByteArray> path = requestPath(rest.mid(end));
    if (!path)
        return std::nullopt;
    address.path = *path;
    return address;
}

// A final success that brings the file: not one without a body (204 No
// Content, 205 Reset Content) nor a part of it (206 Partial Content).
bool carriesFile(int status)
{
    return status >= 200 && status < 299 && status != 204 && status != 205 && status != 206;
}

bool isSecure(const QString &url)
{
    return url.startsWith(u"https:"_s, Qt::CaseInsensitive);
}

// Where a redirect leads: a full address, a path on the same host, or a file
// beside the one asked for; nothing when the Location is unusable.
std::optional<HttpAddress> redirectTarget(const HttpAddress &from, const QByteArray &location)
{
    const QString text = QString::fromLatin1(location).trimmed();
    if (isSecure(text))
        throw DvsError(u"HTTP Secure Socket is not supported"_s);
    if (text.isEmpty())
        return std::nullopt;
    if (text.contains(u"://"_s))
        return readAddress(text);
    HttpAddress next = from;
    std::optional<QByteArray> path;
    if (text.startsWith(u'/'))
        path = requestPath(text);
    else if (!text.contains(u'/'))
        path = requestPath(u'/' + text);
    else
        path = requestPath(QString::fromLatin1(from.path.left(from.path.lastIndexOf('/') + 1)) + text);
    if (!path)
        return std::nullopt;
    next.path = *path;
    return next;
}

} // namespace

QByteArray HttpAddress::hostHeader() const
{
    QByteArray header = host.contains(u':') ? '[' + host.toLatin1() + ']' : host.toLatin1();
    if (port != 80)
        header += ':' + QByteArray::number(port);
    return header;
}

HttpAddress parseHttpAddress(const QString &url)
{
    const QString trimmed = url.trimmed();
    if (trimmed.isEmpty())
        throw DvsError(u"Empty URL"_s);
    if (isSecure(trimmed))
        throw DvsError(u"HTTP Secure Socket is not supported"_s);
    const std::optional<HttpAddress> address = readAddress(trimmed);
    if (!address)
        throw invalidUrl(trimmed);
    return *address;
}

// One request and its response, on a connection of its own, run in a local
// event loop until the response is complete, the connection fails or the
// deadline passes.
class HttpExchange final
{
public:
    enum class End
    {
        Running,
        Complete,     // a whole response; its status tells the rest
        NoConnection, // the host could not be reached in time
        Broken,       // connected, but no usable response in time
        Aborted
    };

    HttpExchange(const HttpAddress &address, QDeadlineTimer deadline) : m_address(address)
    {
        QObject::connect(&m_socket, &QTcpSocket::connected, &m_socket, [this] { sendRequest(); });
        QObject::connect(&m_socket, &QTcpSocket::readyRead, &m_socket, [this] { receive(); });
        QObject::connect(&m_socket, &QTcpSocket::disconnected, &m_socket, [this] { closedByServer(); });
        QObject::connect(&m_socket, &QTcpSocket::errorOccurred, &m_socket,
                         [this](QAbstractSocket::SocketError error) {
                             if (!m_connected)
                                 finish(End::NoConnection);
                             else if (error == QAbstractSocket::RemoteHostClosedError)
                                 closedByServer();
                             else
                                 finish(End::Broken);
                         });
        m_timer.setSingleShot(true);
        m_timer.setInterval(std::chrono::milliseconds(std::max<qint64>(0, deadline.remainingTime())));
        QObject::connect(&m_timer, &QTimer::timeout, &m_socket,
                         [this] { finish(m_connected ? End::Broken : End::NoConnection); });
    }

    End run()
    {
        m_timer.start();
        m_socket.connectToHost(m_address.host, m_address.port);
        // An address that fails at once has ended before the loop could start.
        if (m_end == End::Running)
            m_loop.exec();
        // A loop ended from outside (the program is ending) ends the transfer too.
        finish(End::Aborted);
        return m_end;
    }

    void abort() { finish(End::Aborted); }

    int status() const { return m_status; }
    const QByteArray &location() const { return m_location; }
    const QByteArray &body() const { return m_body; }

private:
    void sendRequest()
    {
        m_connected = true;
        m_socket.write("GET " + m_address.path + " HTTP/1.0\r\nHost: " + m_address.hostHeader() +
                       "\r\nUser-Agent: Dravopax Vevavav\r\nAccept: */*\r\n\r\n");
    }

    void receive()
    {
        if (m_end != End::Running)
            return;
        if (!m_headRead) {
            m_head += m_socket.readAll();
            if (!takeHead())
                return;
        }
        const qint64 available = m_socket.bytesAvailable();
        if (available > 0) {
            const qsizetype had = m_body.size();
            m_body.resize(had + available);
            const qint64 read = m_socket.read(m_body.data() + had, available);
            m_body.resize(had + std::max<qint64>(0, read));
        }
        if (m_length >= 0 && m_body.size() >= m_length) {
            m_body.truncate(m_length);
            finish(End::Complete);
        } else if (m_body.size() > SocketHttpClient::MostBodyBytes) {
            finish(End::Broken);
        }
    }

    // Splits the head of the final response off once it is complete; false
    // while it is not, or when the response has ended with it.
    bool takeHead()
    {
        for (;;) {
            qsizetype end = m_head.indexOf("\r\n\r\n");
            qsizetype gap = 4;
            const qsizetype bare = m_head.indexOf("\n\n");
            if (bare >= 0 && (end < 0 || bare < end)) {
                end = bare;
                gap = 2;
            }
            if (end < 0) {
                if (m_head.size() > kMostHeadBytes)
                    finish(End::Broken);
                return false;
            }
            m_body = m_head.mid(end + gap);
            m_head.truncate(end);
            if (!readHead()) {
                finish(End::Broken);
                return false;
            }
            if (m_status >= 200)
                break;
            // An interim response ("100 Continue") is followed by the real one.
            m_head = std::exchange(m_body, QByteArray());
            m_length = -1;
            m_location.clear();
        }
        m_headRead = true;
        // Only a file needs the body, and one too large for it fails at once.
        if (!carriesFile(m_status)) {
            finish(End::Complete);
            return false;
        }
        if (m_length > SocketHttpClient::MostBodyBytes) {
            finish(End::Broken);
            return false;
        }
        if (m_length > 0)
            m_body.reserve(m_length);
        return true;
    }

    // The status line "HTTP/x.y NNN reason" and the headers the client uses.
    bool readHead()
    {
        const QList<QByteArray> lines = m_head.split('\n');
        const QList<QByteArray> status = lines.front().trimmed().split(' ');
        if (status.size() < 2 || !status[0].startsWith("HTTP/") || status[1].size() != 3 ||
            !std::all_of(status[1].begin(), status[1].end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        m_status = status[1].toInt();
        if (m_status < 100)
            return false;
        bool number = false;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon < 0)
                continue;
            const QByteArray name = lines[i].left(colon).trimmed().toLower();
            const QByteArray value = lines[i].mid(colon + 1).trimmed();
            if (name == "location") {
                m_location = value;
            } else if (name == "content-length") {
                const qint64 length = value.toLongLong(&number);
                // Two lengths that differ leave no way to tell where the body ends.
                if (!number || length < 0 || (m_length >= 0 && length != m_length))
                    return false;
                m_length = length;
            }
        }
        return true;
    }

    void closedByServer()
    {
        receive();
        if (m_end != End::Running)
            return;
        // Without a length the body ends with the connection; with one, it
        // must have come whole.
        finish(m_headRead && m_length < 0 ? End::Complete : End::Broken);
    }

    void finish(End end)
    {
        if (m_end != End::Running)
            return;
        m_end = end;
        m_timer.stop();
        m_socket.abort();
        m_loop.quit();
    }

    HttpAddress m_address;
    QTcpSocket m_socket;
    QEventLoop m_loop;
    QTimer m_timer;
    End m_end = End::Running;
    bool m_connected = false;
    bool m_headRead = false;
    QByteArray m_head;
    QByteArray m_body;
    qint64 m_length = -1;
    int m_status = 0;
    QByteArray m_location;
};

HttpResult SocketHttpClient::Get(const QString &url)
{
    if (m_exchange)
        throw DvsError(u"Another transfer is still running"_s);
    HttpAddress address = parseHttpAddress(url);
    // The time-out bounds the whole transfer, redirects included.
    const QDeadlineTimer deadline(std::max(0, timeOut()));
    for (int redirects = 0;; ++redirects) {
        HttpExchange exchange(address, deadline);
        m_exchange = &exchange;
        const HttpExchange::End end = exchange.run();
        m_exchange = nullptr;
        switch (end) {
        case HttpExchange::End::Running:
        case HttpExchange::End::Aborted:
            return HttpResult::Aborted;
        case HttpExchange::End::NoConnection:
            emit OnConnectionFailed();
            return HttpResult::ConnectionFailed;
        case HttpExchange::End::Broken:
            return failed();
        case HttpExchange::End::Complete:
            break;
        }
        const int status = exchange.status();
        if (carriesFile(status)) {
            if (!writeFileAtomically(body(), exchange.body()))
                throw DvsError(u"Unable to write to %1"_s.arg(body()));
            return HttpResult::Done;
        }
        if (status < 300 || status > 302 || redirects == MostRedirects)
            return failed();
        const std::optional<HttpAddress> next = redirectTarget(address, exchange.location());
        if (!next)
            return failed();
        address = *next;
    }
}

HttpResult SocketHttpClient::failed()
{
    emit OnFailure();
    return HttpResult::Failed;
}

void SocketHttpClient::abort()
{
    if (m_exchange)
        m_exchange->abort();
}
