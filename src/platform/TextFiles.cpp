#include "TextFiles.h"

#include "AtomicFile.h"
#include "Cp1252.h"
#include "TextLines.h"

#include <QFile>

namespace TextFiles {

std::optional<QStringList> readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return splitTextLines(Cp1252::decode(file.readAll()));
}

bool writeLines(const QString &path, const QStringList &lines)
{
    const std::optional<QByteArray> bytes = Cp1252::encodeLines(lines);
    return bytes && writeFileAtomically(path, *bytes);
}

} // namespace TextFiles
