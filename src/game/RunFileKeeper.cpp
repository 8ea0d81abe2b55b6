#include "RunFileKeeper.h"

#include "platform/Shell.h"

#include <QFile>

RunFileKeeper::~RunFileKeeper() = default;

void RunFileKeeper::abandon()
{
    m_programs.clear();
    m_users.clear();
}

void RunFileKeeper::removeUnused(const QString &path)
{
    const Users users = m_users.value(path);
    if (users.running == 0 && !users.mustStay)
        QFile::remove(path);
}

void RunFileKeeper::release(const QString &path)
{
    keep(path, ShellStart{});
}

void RunFileKeeper::keep(const QString &path, ShellStart start)
{
    Users &users = m_users[path];
    // The file was written afresh for this start, which alone decides now,
    // unless a patch started with it before still runs.
    if (users.running == 0)
        users.mustStay = false;
    if (!start.started) {
        removeUnused(path);
        return;
    }
    if (!start.program) {
        users.mustStay = true;
        return;
    }
    if (start.program->ended()) {
        removeUnused(path);
        return;
    }
    ++users.running;
    StartedProgram *watched = start.program.get();
    connect(watched, &StartedProgram::finished, this, [this, path, watched] {
        --m_users[path].running;
        removeUnused(path);
        for (auto it = m_programs.begin(); it != m_programs.end(); ++it) {
            if (it->get() == watched) {
                it->release()->deleteLater();
                m_programs.erase(it);
                break;
            }
        }
    });
    m_programs.push_back(std::move(start.program));
}
