#include "AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>

namespace {

// "." + eight hexadecimal digits + ".tmp"
constexpr qsizetype kTail = 1 + 8 + 4;
// The longest file name the file systems take: 255 bytes, or 255 UTF-16 units
// where names are stored so; as UTF-8 a name is never shorter than in UTF-16.
constexpr qsizetype kLongestName = 255;

// The start of `fileName` that leaves room for the tail, cut between characters.
QString temporaryStem(const QString &fileName)
{
    QString stem = fileName;
    while (stem.toUtf8().size() > kLongestName - kTail)
        stem.chop(stem.size() > 1 && stem.back().isLowSurrogate() ? 2 : 1);
    return stem;
}

} // namespace

QString writeRefusal()
{
    return qt_error_string();
}

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
    const qsizetype nameStart =
        std::max(file.lastIndexOf(QLatin1Char('/')), file.lastIndexOf(QDir::separator())) + 1;
    // Joined, not filled into a pattern: a path may hold a "%".
    return file.left(nameStart) + temporaryStem(file.mid(nameStart)) + QLatin1Char('.') +
           QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')) +
           QStringLiteral(".tmp");
}

bool isTemporaryOf(const QString &name, const QString &fileName)
{
    // The stem + "." + eight hexadecimal digits + ".tmp"
    const QString stem = temporaryStem(fileName);
    if (name.size() != stem.size() + kTail || !name.startsWith(stem) ||
        !name.endsWith(QLatin1String(".tmp")) || name[stem.size()] != QLatin1Char('.'))
        return false;
    for (qsizetype i = stem.size() + 1; i < stem.size() + 9; ++i) {
        const QChar c = name[i];
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
              (c >= QLatin1Char('a') && c <= QLatin1Char('f'))))
            return false;
    }
    return true;
}

} // namespace AtomicFileDetail
