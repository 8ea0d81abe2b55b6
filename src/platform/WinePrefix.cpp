#include "WinePrefix.h"

#include <QDir>
#include <QFileInfo>

namespace WinePrefix {

std::optional<QString> find(const QString &folder, const QString &environmentPrefix, const QString &home)
{
    if (!folder.isEmpty()) {
        // Walked by name, so a game folder that is gone still finds its prefix.
        for (QString dir = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());;) {
            if (QFileInfo(dir + QStringLiteral("/system.reg")).isFile() &&
                QFileInfo(dir + QStringLiteral("/drive_c")).isDir())
                return dir;
            const QString up = QFileInfo(dir).absolutePath();
            if (up == dir)
                break;
            dir = up;
        }
    }
    // A $WINEPREFIX that is not there yet is no prefix: asking Wine there
    // would make a whole new one, which takes longer than any answer may.
    if (!environmentPrefix.isEmpty())
        return QFileInfo(environmentPrefix).isDir()
                   ? std::optional(QFileInfo(environmentPrefix).absoluteFilePath())
                   : std::nullopt;
    const QString usual = QDir(home).filePath(QStringLiteral(".wine"));
    if (!home.isEmpty() && QFileInfo(usual).isDir())
        return usual;
    return std::nullopt;
}

std::optional<QString> find(const QString &folder)
{
    return find(folder, qEnvironmentVariable("WINEPREFIX"), QDir::homePath());
}

} // namespace WinePrefix
