#pragma once

#include "base/ProgramFiles.h"
#include "ini/IniSnapshot.h"

#include <QString>

#include <vector>

// The groups of files an update offers, in the order they are fetched.
enum class UpdateGroup
{
    Executable,
    Patch,
    Links,
    Help
};

// One file of a group: the address it comes from ("0" when the manifest names
// none) and the file it replaces (empty when the manifest names one that may
// not be written).
struct UpdateFile
{
    QString address;
    QString target;

    bool fetchable() const { return address != QLatin1String("0") && !target.isEmpty(); }
    // Where the download waits until its whole group has come: beside the
    // target, so that putting it in place is a rename within one folder.
    QString staged() const;
};

// The update manifest read against the program's own data files: which
// groups are newer than what is installed, how each is offered, and which
// files it brings.
class UpdateManifest final
{
public:
    // Reads the manifest of `files` as it is now; `executable` is the
    // program's own file, which the executable group replaces (none when the
    // program may not be replaced).
    UpdateManifest(const ProgramFiles &files, QString executable);

    // Whether what came as the manifest is one: INI text with the section of
    // at least one group. An error page served as a success is not.
    bool isManifest() const;
    // Whether the manifest's version of the group is greater than the one
    // stamped in the installed data file. The executable carries no version,
    // so it is never newer.
    bool isNewer(UpdateGroup group) const;
    // "newest (date) [size]" of the group.
    QString caption(UpdateGroup group) const;
    // The group's files in the order they are fetched.
    std::vector<UpdateFile> files(UpdateGroup group) const;
    // The group's file that carries its version stamp (none for the
    // executable): it is put in place after every other file of the group,
    // so a group that is not wholly in place is offered again.
    QString versionCarrier(UpdateGroup group) const;
    // Whether `body`, downloaded for `file` of `group`, may replace it: it is
    // never empty; a data file must read as INI text with the sections and
    // keys that make it that file, which no error page has; and the group's
    // version carrier must carry the version announced here.
    bool accepts(UpdateGroup group, const UpdateFile &file, const QByteArray &body) const;

    // Removes the staged downloads that an interrupted download left behind
    // (of the program's file only when `executable` names one).
    static void removeStagedDownloads(const ProgramFiles &files, const QString &executable);
    // Whether `url`, the manifest's address in data.ini, can be fetched at all.
    static bool isUpdateAddress(const QString &url);

    // The error shown after a group when some of its files were not fetched.
    static QString failureMessage(UpdateGroup group);

private:
    int announcedVersion(UpdateGroup group) const;
    QString read(UpdateGroup group, const QString &key, const QString &defaultValue) const;
    // The help file "\Help\<stem>." + the manifest's extension, or nothing
    // when the extension would lead out of the Help folder.
    QString helpFile(const QString &stem, const QString &extensionKey) const;

    ProgramFiles m_files;
    QString m_executable;
    IniSnapshot m_manifest;
};
