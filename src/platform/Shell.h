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

// The shell's "open": starts a program, opens a document or folder with its
// program, or an address (http, mailto, news) with the desktop's handler.
// Returns at once; the started program is never waited for and a failure is
// not reported. When the start made a process whose end can be noticed, the
// result tells when it ends; otherwise it is null.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual std::unique_ptr<StartedProgram> open(const QString &file, const QString &parameters,
                                                 const QString &workingFolder) = 0;
};
