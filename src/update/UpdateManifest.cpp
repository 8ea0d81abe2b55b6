#include "UpdateManifest.h"

#include "ini/TIniFile.h"

using namespace Qt::StringLiterals;

namespace {

QString sectionOf(UpdateGroup group)
{
    switch (group) {
    case UpdateGroup::Executable:
        return u"dvs"_s;
    case UpdateGroup::Patch:
        return u"patch"_s;
    case UpdateGroup::Links:
        return u"links"_s;
    case UpdateGroup::Help:
        break;
    }
    return u"help"_s;
}

// An extension from the network names a file in the Help folder and nothing
// else: no separator, no way up, nothing the file systems refuse in a name.
bool isPlainExtension(const QString &extension)
{
    if (extension.contains(u".."_s))
        return false;
    for (const QChar c : extension) {
        if (c.unicode() < 0x20 || QStringView(u"/\\:<>\"|?*").contains(c))
            return false;
    }
    return true;
}

} // namespace

UpdateManifest::UpdateManifest(const ProgramFiles &files, QString executable)
    : m_files(files), m_executable(std::move(executable)), m_manifest(TIniFile(files.updateIni()).snapshot())
{}

QString UpdateManifest::read(UpdateGroup group, const QString &key, const QString &defaultValue) const
{
    return m_manifest.ReadString(sectionOf(group), key, defaultValue);
}

bool UpdateManifest::isNewer(UpdateGroup group) const
{
    QString installed;
    switch (group) {
    case UpdateGroup::Executable:
        return false;
    case UpdateGroup::Patch:
        installed = m_files.patchIni();
        break;
    case UpdateGroup::Links:
        installed = m_files.dataIni();
        break;
    case UpdateGroup::Help:
        installed = m_files.helpIni();
        break;
    }
    return m_manifest.ReadInteger(sectionOf(group), u"version"_s, 0) >
           TIniFile(installed).ReadInteger(u"data"_s, u"version"_s, 0);
}

QString UpdateManifest::caption(UpdateGroup group) const
{
    return read(group, u"newest"_s, u"CORRUPTED FILE"_s) + u" ("_s +
           read(group, u"date"_s, u"?\?-?\?-?\?"_s) + u")"_s + u" ["_s + read(group, u"size"_s, u"??? KB"_s) +
           u"]"_s;
}

QString UpdateManifest::helpFile(const QString &stem, const QString &extensionKey) const
{
    const QString extension = read(UpdateGroup::Help, extensionKey, u"0"_s);
    if (!isPlainExtension(extension))
        return QString();
    return m_files.file(u"\\Help\\"_s + stem + u'.' + extension);
}

std::vector<UpdateFile> UpdateManifest::files(UpdateGroup group) const
{
    const auto file = [&](const char *key, const QString &target) {
        return UpdateFile{read(group, QString::fromLatin1(key), u"0"_s), target};
    };
    switch (group) {
    case UpdateGroup::Executable:
        return {file("dvs_exe", m_executable + u"NEW"_s), file("changes_txt", m_files.versionIni())};
    case UpdateGroup::Patch:
        return {file("patch_ini", m_files.patchIni()), file("version_ini", m_files.versionIni())};
    case UpdateGroup::Links:
        return {file("data_ini", m_files.dataIni())};
    case UpdateGroup::Help:
        break;
    }
    return {file("help_ini", m_files.helpIni()), file("zvt_help", helpFile(u"ZVT"_s, u"ext_zvt"_s)),
            file("dv_help", helpFile(u"DV"_s, u"ext_dv"_s)),
            file("dvs_help", helpFile(u"DVS"_s, u"ext_dvs"_s))};
}

QString UpdateManifest::failureMessage(UpdateGroup group)
{
    switch (group) {
    case UpdateGroup::Executable:
        return u"Dravopax Vevavav could not download some Dravopax Strater files"_s;
    case UpdateGroup::Patch:
        return u"Dravopax Vevavav could not download some Dravopax update files"_s;
    case UpdateGroup::Links:
        return u"Dravopax Vevavav could not download some Links update files"_s;
    case UpdateGroup::Help:
        break;
    }
    return u"Dravopax Vevavav could not download some Help files"_s;
}
