#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class StartedProgram;
struct ShellStart;

// Keeps the run file the patch was started with until every patch started
// with it has ended, then deletes it. When the end of a start cannot be
// noticed, the file stays for good; the next run overwrites it anyway.
class RunFileKeeper final : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~RunFileKeeper() override;

    // The file was written afresh for `start`. When nothing started, it is
    // released at once.
    void keep(const QString &path, ShellStart start);
    // Nothing was started with the run file: it goes at once, unless a patch
    // started with it before still runs.
    void release(const QString &path);
    // The program ends before the patches it started: their run files stay.
    void abandon();

private:
    struct Users
    {
        int running = 0;
        bool mustStay = false;
    };
    void removeUnused(const QString &path);

    QHash<QString, Users> m_users;
    std::vector<std::unique_ptr<StartedProgram>> m_programs;
};
