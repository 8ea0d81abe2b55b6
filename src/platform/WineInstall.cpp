#include "WineInstall.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace WineInstall {

namespace {

// The ELF class of a file: 1 for 32-bit, 2 for 64-bit, 0 for no ELF file.
int elfClass(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray head = file.read(5);
    return head.size() == 5 && head.startsWith("\x7f"
                                               "ELF")
               ? head[4]
               : 0;
}

bool isLoader32(const QString &path)
{
    return QFileInfo(path).isExecutable() && elfClass(path) == 1;
}

} // namespace

bool runs32Bit(const QString &wine)
{
    const QString program = QFileInfo(wine).canonicalFilePath();
    switch (elfClass(program)) {
    case 1:
        return true;
    case 2:
        // Wine 8's 64-bit loader hands 32-bit programs to the loader beside it.
        return QFileInfo(program).fileName() != QLatin1String("wine64") ||
               isLoader32(QFileInfo(program).absolutePath() + QStringLiteral("/wine"));
    default:
        break;
    }
    QFile file(program);
    if (!file.open(QIODevice::ReadOnly) || !file.read(2).startsWith("#!"))
        return true;
    static const QRegularExpression loader(QStringLiteral("(/[^\\s\"'=;]*/wine)(?![\\w/.-])"));
    const QString text = QString::fromLocal8Bit(file.read(64 * 1024));
    bool named = false;
    for (const QRegularExpressionMatch &match : loader.globalMatch(text)) {
        named = true;
        if (isLoader32(match.captured(1)))
            return true;
    }
    return !named;
}

bool prefixLacks32BitPart(const QString &prefix)
{
    const QString system32 = prefix + QStringLiteral("/drive_c/windows/syswow64");
    return QFileInfo(system32).isDir() && !QFileInfo::exists(system32 + QStringLiteral("/ntdll.dll"));
}

} // namespace WineInstall
