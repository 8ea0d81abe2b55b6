#include "AtomicFile.h"

#include <QFileInfo>
#include <QRandomGenerator>

namespace AtomicFileDetail {

QString replacedFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : path;
}

QString temporaryBeside(const QString &file)
{
    return QStringLiteral("%1.%2.tmp")
        .arg(file)
        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

} // namespace AtomicFileDetail
