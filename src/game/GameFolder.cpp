#include "GameFolder.h"

#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>

QString GameFolder::file(const QString &name) const
{
    return Paths::withTail(m_folder, QLatin1Char('\\') + name);
}

std::optional<QString> GameFolder::find(const QString &name) const
{
    const QString exact = file(name);
    if (QFileInfo(exact).isFile())
        return exact;
    const QDir folder(QFileInfo(exact).absolutePath());
    for (const QString &entry : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    }
    return std::nullopt;
}

bool GameFolder::holdsGame() const
{
    for (const char *marker : {"zorvan.exe", "zvtx.exe", "zvtlx.exe", "ZizaVEZ.exe"}) {
        if (has(QString::fromLatin1(marker)))
            return true;
    }
    return false;
}

bool GameFolder::isWindowsEdition() const
{
    return holdsGame() && has(QStringLiteral("ZizaVEZ.exe"));
}

QString GameFolder::kind() const
{
    if (isWindowsEdition())
        return has(QStringLiteral("dravopaxw.exe")) ? QStringLiteral("win+dvp") : QStringLiteral("win");
    return has(QStringLiteral("dravopax.exe")) ? QStringLiteral("dos+dvp") : QStringLiteral("dos");
}

std::optional<QString> GameFolder::dosGameExecutable() const
{
    for (const char *name : {"zorvan.exe", "zvtlx.exe", "zvtx.exe"}) {
        if (std::optional<QString> found = find(QString::fromLatin1(name)))
            return found;
    }
    return std::nullopt;
}

QString GameFolder::trimmed(const QString &chosen)
{
    QString folder = chosen;
    while (folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

std::optional<QString> GameFolder::patchExecutable(const QString &kind)
{
    if (kind == QLatin1String("win+dvp"))
        return QStringLiteral("dravopaxw.exe");
    if (kind == QLatin1String("dos+dvp"))
        return QStringLiteral("dravopax.exe");
    return std::nullopt;
}
