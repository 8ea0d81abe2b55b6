#include "GrfFiles.h"

#include "game/GameFolder.h"
#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"
#include "platform/TextFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <vector>

std::optional<QString> CaseBlindFiles::find(const QString &relative, bool wantFolder)
{
    QString path = relative;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = path.split(QLatin1Char('/'));
    const bool plain = std::none_of(parts.begin(), parts.end(), [](const QString &part) {
        return part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..");
    });
    if (!plain) {
        // Such a path names nothing by a name of its own; the system resolves it.
        const QFileInfo info(m_base + QLatin1Char('/') + path);
        if (wantFolder ? info.isDir() : info.isFile())
            return info.filePath();
        return std::nullopt;
    }
    QString current = m_base;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        const Listing &entries = listing(current);
        const bool folderPart = i + 1 < parts.size() || wantFolder;
        QString name;
        if ((folderPart ? entries.folders : entries.files).contains(part)) {
            name = part;
        } else {
            const QHash<QString, QString> &folded = folderPart ? entries.foldedFolders : entries.foldedFiles;
            const auto found = folded.constFind(part.toLower());
            if (found == folded.constEnd())
                return std::nullopt;
            name = *found;
        }
        current += QLatin1Char('/') + name;
    }
    return current;
}

const CaseBlindFiles::Listing &CaseBlindFiles::listing(const QString &folder)
{
    if (const auto known = m_listings.constFind(folder); known != m_listings.constEnd())
        return *known;
    Listing entries;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (it.fileInfo().isDir()) {
            entries.folders.insert(name);
            entries.foldedFolders.insert(name.toLower(), name);
        } else {
            entries.files.insert(name);
            entries.foldedFiles.insert(name.toLower(), name);
        }
    }
    return *m_listings.insert(folder, std::move(entries));
}

namespace {

// Whether the system takes `base`, a name before its extension, for a device.
bool isDeviceName(const QString &base)
{
    static const QStringList devices = {QStringLiteral("CON"),    QStringLiteral("PRN"),
                                        QStringLiteral("AUX"),    QStringLiteral("NUL"),
                                        QStringLiteral("CONIN$"), QStringLiteral("CONOUT$")};
    if (devices.contains(base, Qt::CaseInsensitive))
        return true;
    // COM and LPT with a digit, the superscript ones included.
    static const QString digits = QStringLiteral("0123456789\u00b9\u00b2\u00b3");
    return base.size() == 4 && digits.contains(base[3]) &&
           (base.startsWith(QLatin1String("COM"), Qt::CaseInsensitive) ||
            base.startsWith(QLatin1String("LPT"), Qt::CaseInsensitive));
}

} // namespace

namespace GrfFiles {

QStringList grfNames(const QString &folder)
{
    // Each name once with its folded form, so that sorting compares plain texts.
    std::vector<std::pair<QString, QString>> found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (name.endsWith(QLatin1String(".grf"), Qt::CaseInsensitive))
            found.emplace_back(name.toCaseFolded(), name);
    }
    std::sort(found.begin(), found.end());
    QStringList names;
    names.reserve(qsizetype(found.size()));
    for (auto &[folded, name] : found)
        names.append(std::move(name));
    return names;
}

std::optional<QStringList> readList(const QString &path)
{
    return TextFiles::readLines(path);
}

std::optional<QByteArray> composeList(const QStringList &names)
{
    QStringList lines;
    lines.reserve(names.size());
    for (const QString &name : names)
        lines.append(QStringLiteral("newgrf/") + name);
    return Cp1252::encodeLines(lines);
}

ListMatch matchList(const QStringList &lines, const QString &gameDirectory)
{
    CaseBlindFiles files(gameDirectory);
    const GameFolder folder(gameDirectory);
    ListMatch match;
    for (const QString &line : lines) {
        QString entry = line;
        entry.replace(QLatin1Char('/'), QLatin1Char('\\'));
        if (files.file(entry))
            match.named.append(entry.mid(7));
        else
            match.missing.append(folder.file(entry));
    }
    return match;
}

std::optional<QString> listFileFor(const QString &kind)
{
    if (GameFolder::isWindowsKind(kind))
        return QStringLiteral("newgrfw.txt");
    if (kind == QLatin1String("dos") || kind == QLatin1String("dos+dvp"))
        return QStringLiteral("newgrf.txt");
    return std::nullopt;
}

QString whyNotInstallable(const QString &name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("The new name is empty.");
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QStringLiteral("\"%1\" holds a path separator; the file must go into the 'newgrf' folder "
                              "itself.")
            .arg(name);
    if (name.contains(QLatin1String("..")))
        return QStringLiteral("\"%1\" holds \"..\", which could lead out of the 'newgrf' folder.").arg(name);
    // The game's own system refuses these in a file name.
    QString refused;
    for (const QChar c : name) {
        if ((c.unicode() < 0x20 || QStringLiteral("<>:\"|?*").contains(c)) && !refused.contains(c))
            refused += c;
    }
    if (!refused.isEmpty())
        return QStringLiteral("\"%1\" holds characters a file name cannot hold: %2").arg(name, refused);
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return QStringLiteral("\"%1\" ends in a dot or a blank, which a file name cannot.").arg(name);
    if (isDeviceName(name.section(QLatin1Char('.'), 0, 0).trimmed()))
        return QStringLiteral("\"%1\" is a name the system keeps for a device.").arg(name);
    if (name.toUtf8().size() > 255)
        return QStringLiteral("The new name is too long for a file name.");
    return QString();
}

QString copyWhole(const QString &source, const QString &target, bool replace)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return in.errorString();
    if (replace ? writeFileAtomically(target, bytes) : writeNewFileAtomically(target, bytes))
        return QString();
    // An empty reason would read as success.
    const QString why = writeRefusal();
    return why.isEmpty() ? QStringLiteral("The file could not be written.") : why;
}

} // namespace GrfFiles
