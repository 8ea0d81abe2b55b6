#include "RunFileKeeper.h"

#include "platform/Shell.h"

#include <QFile>

RunFileKeeper::~RunFileKeeper() = default;

void RunFileKeeper::abandon()
{
    m_programs.clear();
    m_users.clear();
}

void RunFileKeeper::release(const QString &path)
{
    const Users users = m_users.value(path);
    if (users.running == 0 && !users.mustStay)
        QFile::remove(path);
}

void RunFileKeeper::keep(const QString &path, std::unique_ptr<StartedProgram> program)
{
    Users &users = m_users[path];
    if (!program) {
        users.mustStay = true;
        return;
    }
    // The file was written afresh for this start, which alone decides now.
    if (users.running == 0)
        users.mustStay = false;
    ++users.running;
    StartedProgram *watched = program.get();
    connect(watched, &StartedProgram::finished, this, [this, path, watched] {
        Users &users = m_users[path];
        if (--users.running == 0 && !users.mustStay)
            QFile::remove(path);
        for (auto it = m_programs.begin(); it != m_programs.end(); ++it) {
            if (it->get() == watched) {
                it->release()->deleteLater();
                m_programs.erase(it);
                break;
            }
        }
    });
    m_programs.push_back(std::move(program));
}
