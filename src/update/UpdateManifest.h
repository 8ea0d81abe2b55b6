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
};

// The update manifest read against the program's own data files: which
// groups are newer than what is installed, how each is offered, and which
// files it brings.
class UpdateManifest final
{
public:
    // Reads the manifest of `files` as it is now; `executable` is the
    // program's own file, which the executable group replaces.
    UpdateManifest(const ProgramFiles &files, QString executable);

    // Whether the manifest's version of the group is greater than the one
    // stamped in the installed data file. The executable carries no version,
    // so it is never newer.
    bool isNewer(UpdateGroup group) const;
    // "newest (date) [size]" of the group.
    QString caption(UpdateGroup group) const;
    std::vector<UpdateFile> files(UpdateGroup group) const;

    // The error shown after a group when some of its files were not fetched.
    static QString failureMessage(UpdateGroup group);

private:
    QString read(UpdateGroup group, const QString &key, const QString &defaultValue) const;
    // The help file "\Help\<stem>." + the manifest's extension, or nothing
    // when the extension would lead out of the Help folder.
    QString helpFile(const QString &stem, const QString &extensionKey) const;

    ProgramFiles m_files;
    QString m_executable;
    IniSnapshot m_manifest;
};
