#include "ProgramSettings.h"

#include "ini/IntegerText.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kDvs = QStringLiteral("dvs");
const QString kZvt = QStringLiteral("zvt");
const QString kVersion = QStringLiteral("version");
const QString kMaximize = QStringLiteral("maximize");
const QString kSaveConf = QStringLiteral("saveconf");
const QString kStartup = QStringLiteral("startup");
const QString kCounter = QStringLiteral("counter");
const QString kDir = QStringLiteral("dir");
const QString kDosbox = QStringLiteral("dosbox");
const QString kDosboxDefault = QStringLiteral("dosbox");

} // namespace

bool ProgramSettings::readBool(const QString &key, bool absent) const
{
    return m_file.ReadBool(kDvs, key, absent);
}

void ProgramSettings::writeBool(const QString &key, bool value)
{
    m_file.WriteBool(kDvs, key, value);
}

int ProgramSettings::readInteger(const QString &key, int absent) const
{
    return m_file.ReadInteger(kDvs, key, absent);
}

void ProgramSettings::writeInteger(const QString &key, int value)
{
    m_file.WriteInteger(kDvs, key, value);
}

std::optional<int> ProgramSettings::readNumber(const QString &key) const
{
    return parseInteger(m_file.ReadString(kDvs, key, QString()));
}

bool ProgramSettings::patchVersionStored() const
{
    return m_file.ValueExists(kDvs, kVersion);
}

QString ProgramSettings::patchVersion() const
{
    return m_file.ReadString(kDvs, kVersion, QStringLiteral("1"));
}

QString ProgramSettings::patchVersionForConfig() const
{
    return m_file.ReadString(kDvs, kVersion, QStringLiteral("UNKNOWN"));
}

bool ProgramSettings::isPatchVersion(const QString &name) const
{
    return patchVersionStored() && m_file.ReadString(kDvs, kVersion, QString()) == name;
}

bool ProgramSettings::patchVersionToCheck() const
{
    return m_file.ReadString(kDvs, kVersion, QStringLiteral("NO")) != QLatin1String("NO");
}

void ProgramSettings::setPatchVersion(const QString &name)
{
    m_file.WriteString(kDvs, kVersion, name);
}

bool ProgramSettings::look3D() const
{
    return readBool(QStringLiteral("3dlook"), true);
}

void ProgramSettings::setLook3D(bool on)
{
    writeBool(QStringLiteral("3dlook"), on);
}

bool ProgramSettings::gameCursor() const
{
    return readBool(QStringLiteral("mouse"), false);
}

void ProgramSettings::setGameCursor(bool on)
{
    writeBool(QStringLiteral("mouse"), on);
}

QString ProgramSettings::lastDir() const
{
    return m_file.ReadPath(kDvs, QStringLiteral("lastdir"), QStringLiteral("0"));
}

void ProgramSettings::setLastDirOf(const QString &fileName)
{
    QString folder = QDir::toNativeSeparators(QFileInfo(fileName).absolutePath());
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    m_file.WritePath(kDvs, QStringLiteral("lastdir"), folder);
}

bool ProgramSettings::overwriteWithoutAsking() const
{
    return readBool(kSaveConf, false);
}

void ProgramSettings::setOverwriteWithoutAsking(bool on)
{
    writeBool(kSaveConf, on);
}

bool ProgramSettings::grfManagerAsksBeforeSave() const
{
    return readBool(kSaveConf, true);
}

bool ProgramSettings::maximized() const
{
    return readBool(kMaximize, false);
}

void ProgramSettings::setMaximized(bool on)
{
    writeBool(kMaximize, on);
}

bool ProgramSettings::maximizedAtStart() const
{
    return readInteger(kMaximize, 0) == 1;
}

bool ProgramSettings::rememberPosition() const
{
    return readBool(QStringLiteral("position"), true);
}

void ProgramSettings::setRememberPosition(bool on)
{
    writeBool(QStringLiteral("position"), on);
}

std::optional<int> ProgramSettings::left() const
{
    return readNumber(QStringLiteral("left"));
}

std::optional<int> ProgramSettings::top() const
{
    return readNumber(QStringLiteral("top"));
}

std::optional<int> ProgramSettings::width() const
{
    return readNumber(QStringLiteral("width"));
}

std::optional<int> ProgramSettings::height() const
{
    return readNumber(QStringLiteral("height"));
}

void ProgramSettings::setBounds(const QRect &bounds)
{
    m_file.Apply(TIniFile::Changes(m_file)
                     .WriteInteger(kDvs, QStringLiteral("left"), bounds.x())
                     .WriteInteger(kDvs, QStringLiteral("top"), bounds.y())
                     .WriteInteger(kDvs, QStringLiteral("width"), bounds.width())
                     .WriteInteger(kDvs, QStringLiteral("height"), bounds.height()));
}

bool ProgramSettings::exitAfterRun() const
{
    return readBool(QStringLiteral("afterruntt"), false);
}

void ProgramSettings::setExitAfterRun(bool on)
{
    writeBool(QStringLiteral("afterruntt"), on);
}

int ProgramSettings::runMode() const
{
    return readInteger(QStringLiteral("run"), 0);
}

void ProgramSettings::setRunMode(int mode)
{
    writeInteger(QStringLiteral("run"), mode);
}

int ProgramSettings::menuPosition() const
{
    return readInteger(QStringLiteral("menu"), 0);
}

void ProgramSettings::setMenuPosition(int position)
{
    writeInteger(QStringLiteral("menu"), position);
}

bool ProgramSettings::menuText() const
{
    return readBool(QStringLiteral("menutext"), true);
}

void ProgramSettings::setMenuText(bool shown)
{
    writeBool(QStringLiteral("menutext"), shown);
}

std::optional<QString> ProgramSettings::startupFile() const
{
    if (!m_file.ValueExists(kDvs, kStartup))
        return std::nullopt;
    return m_file.ReadPath(kDvs, kStartup, QStringLiteral("0"));
}

void ProgramSettings::setStartupFile(const QString &path)
{
    m_file.WritePath(kDvs, kStartup, path);
}

void ProgramSettings::clearStartupFile()
{
    m_file.DeleteKey(kDvs, kStartup);
}

int ProgramSettings::startCount() const
{
    return readInteger(kCounter, 0);
}

void ProgramSettings::setStartCount(int count)
{
    writeInteger(kCounter, count);
}

int ProgramSettings::startCountShown() const
{
    return readInteger(kCounter, 1);
}

int ProgramSettings::waitTime() const
{
    return readInteger(QStringLiteral("waittime"), 50);
}

int ProgramSettings::ping() const
{
    return readInteger(QStringLiteral("ping"), 10000);
}

bool ProgramSettings::gameDirectoryStored() const
{
    return m_file.ValueExists(kZvt, kDir);
}

QString ProgramSettings::gameDirectory() const
{
    return m_file.ReadPath(kZvt, kDir, QStringLiteral("0"));
}

void ProgramSettings::setGameDirectory(const QString &folder)
{
    m_file.WritePath(kZvt, kDir, folder);
}

QString ProgramSettings::gameKind() const
{
    return m_file.ReadString(kZvt, kVersion, QStringLiteral("0"));
}

void ProgramSettings::setGameKind(const QString &kind)
{
    m_file.WriteString(kZvt, kVersion, kind);
}

QString ProgramSettings::dosboxProgram() const
{
    const QString program = m_file.ReadPath(kDvs, kDosbox, kDosboxDefault).trimmed();
    return program.isEmpty() ? kDosboxDefault : program;
}

void ProgramSettings::setDosboxProgram(const QString &program)
{
    const QString trimmed = program.trimmed();
    m_file.WritePath(kDvs, kDosbox, trimmed.isEmpty() ? kDosboxDefault : trimmed);
}
