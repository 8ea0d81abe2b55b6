#include "LanguageTextFiles.h"

#include "game/GameFolder.h"
#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"
#include "platform/DvsError.h"
#include "platform/TextFiles.h"

#include <QFile>
#include <QFileInfo>

namespace {

QByteArray readWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DvsError(QStringLiteral("Unable to read %1\n%2").arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw DvsError(QStringLiteral("Unable to read %1\n%2").arg(path, file.errorString()));
    return bytes;
}

void copyOver(const QString &source, const QString &target)
{
    if (!writeFileAtomically(target, readWhole(source)))
        throw DvsError(QStringLiteral("Unable to write to %1").arg(target));
}

} // namespace

QString LanguageTextFiles::path(const QString &name) const
{
    const GameFolder folder(m_directory);
    return folder.find(name).value_or(folder.file(name));
}

bool LanguageTextFiles::hasText() const
{
    return QFileInfo(text()).isFile();
}

bool LanguageTextFiles::hasBackup() const
{
    return QFileInfo(backup()).isFile();
}

bool LanguageTextFiles::hasFresh() const
{
    return QFileInfo(fresh()).isFile();
}

std::optional<QStringList> LanguageTextFiles::readText() const
{
    return TextFiles::readLines(text());
}

void LanguageTextFiles::writeText(const QStringList &lines) const
{
    const QString file = text();
    if (const QString unstorable = Cp1252::firstUnencodableLine(lines); !unstorable.isEmpty())
        throw DvsError(Cp1252::refusal(file, unstorable));
    if (!TextFiles::writeLines(file, lines))
        throw DvsError(QStringLiteral("Unable to write to %1").arg(file));
}

void LanguageTextFiles::replaceTextWithFresh() const
{
    const QString fresh = this->fresh();
    copyOver(fresh, text());
    QFile::remove(fresh);
}

void LanguageTextFiles::backUpText() const
{
    copyOver(text(), backup());
}

QString LanguageTextFiles::setTextAside() const
{
    const QString file = text();
    const QString aside = AtomicFileDetail::temporaryBeside(file);
    QFile mover(file);
    if (!mover.rename(aside))
        throw DvsError(QStringLiteral("Unable to delete %1\n%2").arg(file, mover.errorString()));
    return aside;
}

void LanguageTextFiles::putTextBack(const QString &aside) const
{
    const QString file = text();
    QFile mover(aside);
    if (!mover.rename(file))
        throw DvsError(QStringLiteral("Unable to write to %1\nThe text is kept in %2").arg(file, aside));
}
