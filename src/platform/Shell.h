#pragma once

#include <QObject>
#include <QString>

#include <memory>

// A program started through the shell, for as long as the system can tell
// whether it still runs.
class StartedProgram : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    // The started program has ended.
    void finished();
};

// What came of a start through the shell.
struct ShellStart
{
    // Something was started or opened; false when nothing could be, such as
    // for a file that is not there.
    bool started = false;
    // The process started, when its end can be noticed; otherwise null.
    std::unique_ptr<StartedProgram> program;
};

// The shell's "open": starts a program, opens a document or folder with its
// program, or an address (http, mailto, news) with the desktop's handler.
// Returns at once; the started program is never waited for and a failure is
// not reported to the user.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual ShellStart open(const QString &file, const QString &parameters, const QString &workingFolder) = 0;
};
