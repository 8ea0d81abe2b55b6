#pragma once

#include <QObject>
#include <QString>

#include <memory>

class EventWait;

// A program started through the shell, for as long as the system can tell
// whether it still runs.
class StartedProgram : public QObject
{
    Q_OBJECT

public:
    explicit StartedProgram(QObject *parent = nullptr) : QObject(parent)
    {
        connect(this, &StartedProgram::finished, this, [this] { m_ended = true; });
    }

    // Whether it has ended; an end while its start was watched is told only
    // here, the signal having come before anyone else listened.
    bool ended() const { return m_ended; }

    // Once it has ended: why it failed (its exit code and the last lines it
    // wrote), for the user; empty when it ended cleanly, while it runs, and
    // where the system cannot tell.
    virtual QString failure() const { return {}; }

signals:
    // The started program has ended.
    void finished();

private:
    bool m_ended = false;
};

// What came of a start through the shell.
struct ShellStart
{
    // Something was started or opened; false when nothing could be, such as
    // for a file that is not there.
    bool started = false;
    // The process started, when its end can be noticed; otherwise null.
    std::unique_ptr<StartedProgram> program;
    // Why nothing was started, for the user: a runner that is missing or
    // cannot run the file, a file of no kind that can run, a program that
    // ended with an error at once. Empty when nothing needs saying.
    QString problem;
};

// The shell's "open": starts a program, opens a document or folder with its
// program, or an address (http, mailto, news) with the desktop's handler.
class Shell
{
public:
    // How long a start is watched for an error that ends it at once.
    static constexpr int WatchMs = 2000;

    virtual ~Shell() = default;
    // Returns at once; the started program is never waited for.
    virtual ShellStart open(const QString &file, const QString &parameters, const QString &workingFolder) = 0;
    // Opens as `open` does, then watches a started program for its first
    // WatchMs with the program's events flowing and no other command taken.
    // One that ends with an error in that time counts as not started, and
    // `problem` says why; one still running then, or ended cleanly, started.
    virtual ShellStart start(const QString &file, const QString &parameters,
                             const QString &workingFolder) = 0;

protected:
    // The watch of `start`, for a start `open` made.
    static ShellStart watched(ShellStart start, EventWait &wait);
};
