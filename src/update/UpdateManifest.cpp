#include "UpdateManifest.h"

#include "ini/IntegerText.h"
#include "ini/TIniFile.h"
#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString kStagedTail = u".download"_s;

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

// A value as the program reads an integer, or nothing when it is absent or no integer.
std::optional<int> integerOf(const IniSnapshot &ini, const QString &section, const QString &key)
{
    if (!ini.ValueExists(section, key))
        return std::nullopt;
    return parseInteger(ini.ReadString(section, key, QString()));
}

// INI text starts, after blank and comment lines, with a section header and
// holds no NUL byte; an error page starts with markup or prose.
bool readsAsIni(const QByteArray &body)
{
    if (body.contains('\0'))
        return false;
    const QByteArray text = body.startsWith("\xEF\xBB\xBF") ? body.mid(3) : body;
    for (const QByteArray &line : text.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(';'))
            return trimmed.startsWith('[');
    }
    return false;
}

// Whether a file in a folder is a staged download (or the temporary copy it
// was being written through) of a file whose name `isTarget` accepts.
bool isStaged(QString name, const std::function<bool(const QString &)> &isTarget)
{
    constexpr qsizetype kTemporaryTail = 13; // "." + eight hexadecimal digits + ".tmp"
    if (name.size() > kTemporaryTail &&
        AtomicFileDetail::isTemporaryOf(name, name.left(name.size() - kTemporaryTail)))
        name.chop(kTemporaryTail);
    return name.endsWith(kStagedTail) && isTarget(name.chopped(kStagedTail.size()));
}

void removeStagedIn(const QString &folder, const std::function<bool(const QString &)> &isTarget)
{
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (isStaged(name, isTarget))
            QFile::remove(dir.filePath(name));
    }
}

} // namespace

QString UpdateFile::staged() const
{
    return target + kStagedTail;
}

UpdateManifest::UpdateManifest(const ProgramFiles &files, QString executable)
    : m_files(files), m_executable(std::move(executable)), m_manifest(TIniFile(files.updateIni()).snapshot())
{}

bool UpdateManifest::isManifest() const
{
    QFile file(m_files.updateIni());
    if (!file.open(QIODevice::ReadOnly) || !readsAsIni(file.readAll()))
        return false;
    for (const UpdateGroup group :
         {UpdateGroup::Executable, UpdateGroup::Patch, UpdateGroup::Links, UpdateGroup::Help}) {
        if (m_manifest.SectionExists(sectionOf(group)))
            return true;
    }
    return false;
}

QString UpdateManifest::read(UpdateGroup group, const QString &key, const QString &defaultValue) const
{
    return m_manifest.ReadString(sectionOf(group), key, defaultValue);
}

int UpdateManifest::announcedVersion(UpdateGroup group) const
{
    return m_manifest.ReadInteger(sectionOf(group), u"version"_s, 0);
}

QString UpdateManifest::versionCarrier(UpdateGroup group) const
{
    switch (group) {
    case UpdateGroup::Executable:
        break;
    case UpdateGroup::Patch:
        return m_files.patchIni();
    case UpdateGroup::Links:
        return m_files.dataIni();
    case UpdateGroup::Help:
        return m_files.helpIni();
    }
    return QString();
}

bool UpdateManifest::isNewer(UpdateGroup group) const
{
    const QString installed = versionCarrier(group);
    if (installed.isEmpty())
        return false;
    return announcedVersion(group) > TIniFile(installed).ReadInteger(u"data"_s, u"version"_s, 0);
}

bool UpdateManifest::accepts(UpdateGroup group, const UpdateFile &file, const QByteArray &body) const
{
    if (body.isEmpty())
        return false;
    const QString &target = file.target;
    if (target != m_files.patchIni() && target != m_files.versionIni() && target != m_files.dataIni() &&
        target != m_files.helpIni())
        return true;
    if (!readsAsIni(body))
        return false;
    const IniSnapshot ini(std::make_shared<const IniDocument>(IniDocument::fromBytes(body)));
    if (target == m_files.versionIni())
        return integerOf(ini, u"version"_s, u"number"_s).has_value();
    const std::optional<int> stamp = integerOf(ini, u"data"_s, u"version"_s);
    if (!stamp)
        return false;
    // A links file without the manifest's address would end every later update.
    if (target == m_files.dataIni() && !isUpdateAddress(ini.ReadString(u"data"_s, u"updatefile"_s, u"0"_s)))
        return false;
    return target != versionCarrier(group) || *stamp == announcedVersion(group);
}

void UpdateManifest::removeStagedDownloads(const ProgramFiles &files, const QString &executable)
{
    const QStringList dataFiles = {files.patchIni(), files.versionIni(), files.dataIni(), files.helpIni()};
    removeStagedIn(QFileInfo(files.dataIni()).absolutePath(), [&](const QString &name) {
        return std::any_of(dataFiles.begin(), dataFiles.end(),
                           [&](const QString &file) { return QFileInfo(file).fileName() == name; });
    });
    // The help files' extensions come from the manifest, which may have changed since.
    removeStagedIn(files.file(u"\\Help"_s), [](const QString &name) {
        return name.startsWith(u"ZVT."_s) || name.startsWith(u"DV."_s) || name.startsWith(u"DVS."_s);
    });
    if (executable.isEmpty())
        return;
    const QFileInfo program(executable + u"NEW"_s);
    removeStagedIn(program.absolutePath(), [&](const QString &name) { return name == program.fileName(); });
}

bool UpdateManifest::isUpdateAddress(const QString &url)
{
    return url != u"0"_s && !url.isEmpty() && url != u" "_s;
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
        return {file("dvs_exe", m_executable.isEmpty() ? QString() : m_executable + u"NEW"_s),
                file("changes_txt", m_files.versionIni())};
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
