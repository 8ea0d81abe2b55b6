#include "AtomicFile.h"

#include <QFileInfo>
#include <QRandomGenerator>

namespace AtomicFileDetail {

QString replacedFile(const QString &path)
{
    // As many links as the system itself follows before it calls it a loop.
    constexpr int kMostLinks = 40;
    QString file = path;
    for (int hop = 0; hop <= kMostLinks; ++hop) {
        const QFileInfo info(file);
        if (!info.isSymLink())
            return file;
        file = info.symLinkTarget();
    }
    return QString();
}

QString temporaryBeside(const QString &file)
{
    return QStringLiteral("%1.%2.tmp")
        .arg(file)
        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

bool isTemporaryOf(const QString &name, const QString &fileName)
{
    // fileName + "." + eight hexadecimal digits + ".tmp"
    constexpr qsizetype kTail = 1 + 8 + 4;
    if (name.size() != fileName.size() + kTail || !name.startsWith(fileName) ||
        !name.endsWith(QLatin1String(".tmp")) || name[fileName.size()] != QLatin1Char('.'))
        return false;
    for (qsizetype i = fileName.size() + 1; i < fileName.size() + 9; ++i) {
        const QChar c = name[i];
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
              (c >= QLatin1Char('a') && c <= QLatin1Char('f'))))
            return false;
    }
    return true;
}

} // namespace AtomicFileDetail
