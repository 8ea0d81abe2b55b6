#include "ProgramFiles.h"

#include "platform/Paths.h"

QString ProgramFiles::file(const QString &tail) const
{
    return Paths::withTail(m_folder, tail);
}
