#include "app/TformMain.h"
#include "base/SettingNames.h"

#include "ConfigReader.h"
#include "ConfigWriter.h"
#include "PanelValues.h"
#include "ini/TIniFile.h"
#include "platform/Cp1252.h"
#include "platform/DvsError.h"
#include "platform/TextFiles.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"
#include "switches/SwitchRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTabWidget>

namespace {

void writeWhole(const QString &fileName, const QStringList &lines)
{
    // The patch reads 8-bit text: a value it cannot read is refused, not
    // written with "?" in its place.
    if (const QString unstorable = Cp1252::firstUnencodableLine(lines); !unstorable.isEmpty())
        throw DvsError(Cp1252::refusal(fileName, unstorable));
    if (!TextFiles::writeLines(fileName, lines))
        throw DvsError(QStringLiteral("Unable to write to %1").arg(fileName));
}

} // namespace

QStringList TformMain::composeConfig(ConfigVariant variant) const
{
    const IniSnapshot patch = TIniFile(m_files.patchIni()).snapshot();
    const IniSnapshot settings = TIniFile(m_files.settingsIni()).snapshot();
    const IniSnapshot versions = TIniFile(m_files.versionIni()).snapshot();
    return ConfigWriter(patch, settings, versions).compose(PanelValues::read(*scrlMain), variant);
}

void TformMain::writeLastDir(const QString &fileName)
{
    QString folder = QDir::toNativeSeparators(QFileInfo(fileName).absolutePath());
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    TIniFile(m_files.settingsIni()).WritePath(kDvs, QStringLiteral("lastdir"), folder);
}

QString TformMain::lastDir() const
{
    return TIniFile(m_files.settingsIni()).ReadPath(kDvs, QStringLiteral("lastdir"), QStringLiteral("0"));
}

void TformMain::SaveCFG(const QString &fileName)
{
    const QStringList lines = composeConfig(ConfigVariant::File);
    if (!fileName.isEmpty()) {
        writeWhole(fileName, lines);
        if (QFileInfo::exists(fileName))
            writeLastDir(fileName);
    }
    dlgSave.fileName.clear();
}

void TformMain::itemNotepadClick()
{
    memoNotepad->clear();
    memoNotepad->setPlainText(composeConfig(ConfigVariant::Notepad).join(QLatin1Char('\n')));
    pageMain->setCurrentWidget(pageNotepad);
}

void TformMain::WriteRunCFG(const QString &fileName)
{
    writeWhole(fileName, composeConfig(ConfigVariant::Run));
}

void TformMain::LoadCFG(const QString &fileName)
{
    scrlMain->hide();
    // Shown again however the load ends, an unreadable value included.
    const auto showAgain = qScopeGuard([this] { scrlMain->show(); });

    if (!QFileInfo(fileName).isFile())
        return;
    writeLastDir(fileName);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw DvsError(QStringLiteral("Unable to read %1").arg(fileName));

    const IniSnapshot patch = TIniFile(m_files.patchIni()).snapshot();
    QSet<QString> names;
    for (const SwitchPanel::Entry &entry : scrlMain->entries())
        names.insert(entry.name);
    for (const ConfigReader::Assignment &assignment : ConfigReader::readAssignments(file, names)) {
        if (SwitchControl *control = scrlMain->control(assignment.name)) {
            control->applyConfigValue(assignment.value, patch);
            m_rules->valueSet(control);
        }
    }
}
