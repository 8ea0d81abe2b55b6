#include "ProgramHome.h"

#include "platform/MessageBoxes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace {

// Asked by making a file there, the one way that answers on every system:
// permission bits say nothing of read-only media or of access lists.
std::optional<QString> refusalOfNewFiles(const QString &folder)
{
    QTemporaryFile probe(folder + u"/.write-test-XXXXXX"_s);
    if (probe.open())
        return std::nullopt;
    return probe.errorString();
}

// Copies a shipped file to `target`, which is not there yet. The copy may be
// written by its user, whatever the installed file's mode, or the editors
// could not save it. Returns why the copy failed.
std::optional<QString> copyShipped(const QString &shipped, const QString &target)
{
    QFile source(shipped);
    if (!source.copy(target))
        return u"Unable to copy %1 to %2: %3"_s.arg(shipped, target, source.errorString());
    QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
    return std::nullopt;
}

// Copies what `from` holds into the empty folder `to`. Returns why a copy failed.
std::optional<QString> copyFolder(const QString &from, const QString &to)
{
    const QFileInfoList entries =
        QDir(from).entryInfoList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QString target = to + u'/' + entry.fileName();
        if (entry.isDir()) {
            if (!QDir().mkdir(target))
                return u"Unable to write to %1"_s.arg(target);
            if (std::optional<QString> failed = copyFolder(entry.filePath(), target))
                return failed;
            continue;
        }
        if (std::optional<QString> failed = copyShipped(entry.filePath(), target))
            return failed;
    }
    return std::nullopt;
}

// Copies each shipped file that the user's Data lacks (one lost, or one a
// newer installation brought), never over one the user has. Each copy is made
// aside and renamed into place, so none is ever seen half-written.
std::optional<QString> refillData(const QString &shipped, const QString &target)
{
    for (const QFileInfo &entry : QDir(shipped).entryInfoList(QDir::Files | QDir::Hidden)) {
        const QString file = target + u'/' + entry.fileName();
        if (QFileInfo::exists(file))
            continue;
        QTemporaryDir aside(target + u"/.Data-XXXXXX"_s);
        if (!aside.isValid())
            return u"Unable to write to %1: %2"_s.arg(target, aside.errorString());
        const QString copy = aside.path() + u'/' + entry.fileName();
        if (std::optional<QString> failed = copyShipped(entry.filePath(), copy))
            return failed;
        // Another start may have put its copy in place first.
        if (!QFile::rename(copy, file) && !QFileInfo::exists(file))
            return u"Unable to write to %1"_s.arg(file);
    }
    return std::nullopt;
}

// Gives the user's folder its own Data on the first start. The copy is made
// aside and renamed into place whole, so a start that ends half-way leaves no
// half Data folder behind and the next start copies again.
std::optional<QString> seedData(const QString &shipped, const QString &userFolder)
{
    const QString target = userFolder + u"/Data"_s;
    if (!QFileInfo(shipped).isDir())
        return QFileInfo::exists(target) ? std::nullopt
                                         : std::optional(u"The installed data folder %1 is missing."_s.arg(
                                               QDir::toNativeSeparators(shipped)));
    if (QFileInfo::exists(target))
        return refillData(shipped, target);
    QTemporaryDir aside(userFolder + u"/.Data-XXXXXX"_s);
    if (!aside.isValid())
        return u"Unable to write to %1: %2"_s.arg(userFolder, aside.errorString());
    if (std::optional<QString> failed = copyFolder(shipped, aside.path()))
        return failed;
    // Made for its owner alone; the Data folder is as open as the folder that holds it.
    QFile::setPermissions(aside.path(), QFile::permissions(userFolder));
    // Another start of the program may have put its copy in place first.
    if (!QDir().rename(aside.path(), target) && !QFileInfo(target).isDir())
        return u"Unable to write to %1"_s.arg(target);
    return std::nullopt;
}

} // namespace

std::optional<ProgramFiles> openProgramHome(const ProgramPlaces &places, MessageBoxes &messages)
{
    // Data is looked for first: root may write in the folder of an installed
    // program (/usr/bin), which must not be touched all the same.
    const QString besideData = places.programFolder + u"/Data"_s;
    const bool holdsData = QFileInfo(besideData).isDir();
    if (holdsData && !refusalOfNewFiles(places.programFolder))
        return ProgramFiles(places.programFolder);

    const QString &folder = places.userFolder;
    std::error_code made;
    std::filesystem::create_directories(QFileInfo(folder).filesystemAbsoluteFilePath(), made);
    std::optional<QString> refusal =
        made ? std::optional(QString::fromStdString(made.message())) : refusalOfNewFiles(folder);
    if (refusal) {
        messages.show(MsgType::Error,
                      u"Dravopax Vevavav keeps your settings and data files in\n%1\nbut cannot create "
                      u"that folder or write in it: %2"_s.arg(QDir::toNativeSeparators(folder), *refusal),
                      MsgButtons::Ok);
        return std::nullopt;
    }
    if (std::optional<QString> failed = seedData(holdsData ? besideData : places.installedData, folder)) {
        messages.show(MsgType::Error,
                      u"Dravopax Vevavav could not copy its data files into your folder\n%1\n%2"_s.arg(
                          QDir::toNativeSeparators(folder), *failed),
                      MsgButtons::Ok);
        return std::nullopt;
    }
    return ProgramFiles(folder, FilesHome::UserFolder);
}
