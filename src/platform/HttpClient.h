#pragma once

#include <QObject>
#include <QString>

// How a transfer ended.
enum class HttpResult
{
    Done,             // the body is in the Body file
    ConnectionFailed, // no connection to the host; OnConnectionFailed was raised
    Failed,           // the request failed; OnFailure was raised
    Aborted           // abort() ended it; no event
};

// An HTTP/1.0 client that fetches one address into a local file. A transfer
// blocks its caller but keeps the program's events flowing, so timers tick
// and buttons answer meanwhile.
class HttpClient : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The time-out of a whole transfer, redirects included, in milliseconds.
    int timeOut() const { return m_timeOut; }
    void setTimeOut(int milliseconds) { m_timeOut = milliseconds; }
    // The file the body of the next successful transfer replaces. It is
    // replaced only once the whole body has arrived, so a failed transfer
    // leaves it as it was.
    const QString &body() const { return m_body; }
    void setBody(const QString &fileName) { m_body = fileName; }

    // Fetches `url` into the Body file and returns when the transfer has
    // ended. Raises DvsError for an address it refuses ("Empty URL", "HTTP
    // Secure Socket is not supported", a malformed address), for a redirect
    // to https, and when the Body file cannot be written.
    virtual HttpResult Get(const QString &url) = 0;
    // Ends the running transfer, if any; its Get returns Aborted.
    virtual void abort() = 0;

signals:
    void OnConnectionFailed();
    void OnFailure();

private:
    int m_timeOut = 10000;
    QString m_body;
};
