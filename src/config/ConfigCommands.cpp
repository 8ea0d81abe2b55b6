#include "ConfigCommands.h"

#include "ConfigReader.h"
#include "ConfigWriter.h"
#include "PanelValues.h"
#include "base/FormParts.h"
#include "base/Frame.h"
#include "base/MenuItems.h"
#include "base/Messages.h"
#include "game/GameFolder.h"
#include "ini/TIniFile.h"
#include "platform/Cp1252.h"
#include "platform/DvsError.h"
#include "platform/MessageBoxes.h"
#include "platform/TextFiles.h"
#include "switches/SwitchCommands.h"
#include "switches/SwitchControls.h"
#include "switches/SwitchPanel.h"
#include "switches/SwitchRules.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QScopeGuard>

namespace {

const QString kSelectFileHere = QStringLiteral("Select File Here");

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

ConfigCommands::ConfigCommands(ProgramFiles files, Platform platform, Frame &frame, SwitchCommands &switches)
    : QObject(frame.mainWindow()), m_files(std::move(files)), m_settings(m_files.settingsIni()),
      m_platform(platform), m_frame(frame), m_switches(switches)
{
    dlgLoad.title = QStringLiteral("Load Configuration File");
    dlgLoad.filter = QStringLiteral("Configuration files (*.cfg)|*.cfg|All files (*.*)|*.*");
    dlgLoad.defaultExtension = QStringLiteral("cfg");
    dlgLoad.mustExist = true;
    dlgSave.title = QStringLiteral("Save Configuration File");
    dlgSave.filter = dlgLoad.filter;
    dlgSave.defaultExtension = QStringLiteral("cfg");
    dlgSave.askOverwrite = true;
    createItems();
    createNotepadPage();
    connectHandlers();
}

void ConfigCommands::createItems()
{
    using namespace MenuItems;
    m_items.mniFileLoadFile =
        item(this, "mniFileLoadFile", QStringLiteral("From File"), QStringLiteral("Load from *.cfg file"),
             QKeySequence(Qt::CTRL | Qt::Key_L));
    m_items.mniFileLoadCfg =
        item(this, "mniFileLoadCfg", QStringLiteral("From dravopax.cfg"),
             QStringLiteral("Load from dravopax.cfg"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    m_items.mniFileSaveFile =
        item(this, "mniFileSaveFile", QStringLiteral("To File"),
             QStringLiteral("Save Switches to *.cfg file"), QKeySequence(Qt::CTRL | Qt::Key_S));
    m_items.mniFileSaveCfg =
        item(this, "mniFileSaveCfg", QStringLiteral("To dravopax.cfg"),
             QStringLiteral("Save Switches to dravopax.cfg"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    m_items.itemDVSLoadNothing = item(this, "itemDVSLoadNothing", QStringLiteral("Nothing"));
    m_items.itemDVSLoaddravopaxcfg = item(this, "itemDVSLoaddravopaxcfg", QStringLiteral("dravopax.cfg"));
    m_items.itemDVSLoadSelectHere = item(this, "itemDVSLoadSelectHere", kSelectFileHere);
    radioGroup(this,
               {m_items.itemDVSLoadNothing, m_items.itemDVSLoaddravopaxcfg, m_items.itemDVSLoadSelectHere});
    m_items.itemDVSLoadNothing->setChecked(true);
    m_startupChoice = m_items.itemDVSLoadNothing;
    m_items.itemNotepad = item(this, "itemNotepad", QStringLiteral("Open in Notepad"));
}

void ConfigCommands::connectHandlers()
{
    const std::pair<QAction *, void (ConfigCommands::*)()> handlers[] = {
        {m_items.mniFileLoadFile, &ConfigCommands::LoadFile},
        {m_items.mniFileLoadCfg, &ConfigCommands::mniFileLoadCfgClick},
        {m_items.mniFileSaveFile, &ConfigCommands::SaveFile},
        {m_items.mniFileSaveCfg, &ConfigCommands::mniFileSaveCfgClick},
        {m_items.itemDVSLoadNothing, &ConfigCommands::itemDVSLoadNothingClick},
        {m_items.itemDVSLoaddravopaxcfg, &ConfigCommands::itemDVSLoaddravopaxcfgClick},
        {m_items.itemDVSLoadSelectHere, &ConfigCommands::itemDVSLoadSelectHereClick},
        {m_items.itemNotepad, &ConfigCommands::itemNotepadClick},
    };
    for (const auto &[action, handler] : handlers)
        connectReported(this, m_platform.messages, action, &QAction::triggered, handler);
}

QStringList ConfigCommands::composeConfig(ConfigVariant variant) const
{
    const IniSnapshot patch = TIniFile(m_files.patchIni()).snapshot();
    const IniSnapshot versions = TIniFile(m_files.versionIni()).snapshot();
    return ConfigWriter(patch, m_settings.patchVersionForConfig(), versions)
        .compose(PanelValues::read(m_switches.panel()), variant);
}

QString ConfigCommands::configFileInGame() const
{
    const GameFolder folder(m_settings.gameDirectory());
    return folder.find(QStringLiteral("dravopax.cfg")).value_or(folder.file(QStringLiteral("dravopax.cfg")));
}

void ConfigCommands::LoadFile()
{
    dlgLoad.folder = m_settings.lastDir();
    dlgLoad.fileName.clear();
    const std::optional<QString> chosen = m_platform.fileDialogs.open(dlgLoad);
    if (!chosen)
        return;
    dlgLoad.fileName = *chosen;
    // Gone between the dialog and the read: said, rather than silently nothing.
    if (!QFileInfo(*chosen).isFile()) {
        m_platform.messages.show(MsgType::Error, fileNotFoundMessage(*chosen), MsgButtons::Ok);
        return;
    }
    LoadCFG(*chosen);
}

void ConfigCommands::mniFileLoadCfgClick()
{
    const QString path = configFileInGame();
    if (!QFileInfo(path).isFile()) {
        m_platform.messages.show(MsgType::Error, fileNotFoundMessage(path), MsgButtons::Ok);
        return;
    }
    LoadCFG(path);
}

void ConfigCommands::SaveFile()
{
    dlgSave.folder = m_settings.lastDir();
    dlgSave.askOverwrite = !m_settings.overwriteWithoutAsking();
    const std::optional<QString> chosen = m_platform.fileDialogs.save(dlgSave);
    if (!chosen)
        return;
    dlgSave.fileName = *chosen;
    SaveCFG(*chosen);
}

void ConfigCommands::mniFileSaveCfgClick()
{
    const bool noQuestion = m_settings.overwriteWithoutAsking();
    QString target;
    if (m_settings.gameDirectoryStored()) {
        const QString path = configFileInGame();
        if (QFileInfo::exists(path)) {
            if (noQuestion || m_platform.messages.show(MsgType::Information,
                                                       QStringLiteral("File exists:\n") + path +
                                                           QStringLiteral("\nDo you want to overwrite it?"),
                                                       MsgButtons::YesNo) == MsgAnswer::Yes)
                target = path;
        } else if (m_platform.messages.show(MsgType::Information,
                                            QStringLiteral("File not found:\n") + path +
                                                QStringLiteral("\nDo you want to create it?"),
                                            MsgButtons::YesNo) == MsgAnswer::Yes) {
            target = path;
        }
    } else {
        m_platform.messages.show(MsgType::Warning,
                                 QStringLiteral("Zorvantia not found.\nPlease select ZVT directory.\n"
                                                "(Settings->Zorvantia->Change ZVT Directory)"),
                                 MsgButtons::Ok);
    }
    SaveCFG(target);
}

void ConfigCommands::SaveCFG(const QString &fileName)
{
    const QStringList lines = composeConfig(ConfigVariant::File);
    if (!fileName.isEmpty()) {
        writeWhole(fileName, lines);
        if (QFileInfo::exists(fileName))
            m_settings.setLastDirOf(fileName);
    }
    dlgSave.fileName.clear();
}

void ConfigCommands::WriteRunCFG(const QString &fileName)
{
    writeWhole(fileName, composeConfig(ConfigVariant::Run));
}

void ConfigCommands::LoadCFG(const QString &fileName)
{
    SwitchPanel &panel = m_switches.panel();
    panel.hide();
    // Shown again however the load ends, an unreadable value included.
    const auto showAgain = qScopeGuard([&panel] { panel.show(); });

    if (!QFileInfo(fileName).isFile())
        return;
    m_settings.setLastDirOf(fileName);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw DvsError(QStringLiteral("Unable to read %1").arg(fileName));

    const IniSnapshot patch = TIniFile(m_files.patchIni()).snapshot();
    QSet<QString> names;
    for (const SwitchPanel::Entry &entry : panel.entries())
        names.insert(entry.name);
    for (const ConfigReader::Assignment &assignment : ConfigReader::readAssignments(file, names)) {
        if (SwitchControl *control = panel.control(assignment.name)) {
            control->applyConfigValue(assignment.value, patch);
            m_switches.rules().valueSet(control);
        }
    }
}

void ConfigCommands::setStartupChoice(QAction *checked, const QString &selectCaption)
{
    m_startupChoice = checked;
    for (QAction *item :
         {m_items.itemDVSLoadNothing, m_items.itemDVSLoaddravopaxcfg, m_items.itemDVSLoadSelectHere})
        item->setChecked(item == checked);
    m_items.itemDVSLoadSelectHere->setText(selectCaption);
}

void ConfigCommands::itemDVSLoadNothingClick()
{
    setStartupChoice(m_items.itemDVSLoadNothing, kSelectFileHere);
    m_settings.clearStartupFile();
}

void ConfigCommands::itemDVSLoaddravopaxcfgClick()
{
    setStartupChoice(m_items.itemDVSLoaddravopaxcfg, kSelectFileHere);
    const QString path = GameFolder(m_settings.gameDirectory()).file(QStringLiteral("dravopax.cfg"));
    if (!QFileInfo::exists(path))
        m_platform.messages.show(
            MsgType::Error,
            QStringLiteral("File: dravopax.cfg was not found in your Zorvantia Directory.\n"
                           "Anyway this path is saved:\n") +
                path,
            MsgButtons::Ok);
    m_settings.setStartupFile(path);
}

void ConfigCommands::itemDVSLoadSelectHereClick()
{
    FileDialogRequest request = dlgLoad;
    request.filter = QStringLiteral("Configuration files (*.cfg)|*.cfg");
    const std::optional<QString> chosen = m_platform.fileDialogs.open(request);
    if (!chosen || !QFileInfo(*chosen).isFile()) {
        // The click has already moved the mark; it goes back to the earlier choice.
        setStartupChoice(m_startupChoice, m_items.itemDVSLoadSelectHere->text());
        m_platform.messages.show(
            MsgType::Error,
            QStringLiteral("This file not exists, or you can't select it.\nPlease try again.\n"
                           "Changes not saved."),
            MsgButtons::Ok);
        return;
    }
    dlgLoad.fileName = *chosen;
    setStartupChoice(m_items.itemDVSLoadSelectHere, kSelectFileHere + QStringLiteral(" (") +
                                                        QFileInfo(*chosen).fileName() + QLatin1Char(')'));
    m_settings.setStartupFile(*chosen);
}

void ConfigCommands::ApplyStartupChoice()
{
    dlgLoad.folder = m_settings.lastDir();
    dlgSave.folder = dlgLoad.folder;
    const std::optional<QString> stored = m_settings.startupFile();
    if (!stored) {
        setStartupChoice(m_items.itemDVSLoadNothing, kSelectFileHere);
        return;
    }
    if (*stored == GameFolder(m_settings.gameDirectory()).file(QStringLiteral("dravopax.cfg")))
        setStartupChoice(m_items.itemDVSLoaddravopaxcfg, kSelectFileHere);
    else
        setStartupChoice(m_items.itemDVSLoadSelectHere, kSelectFileHere + QStringLiteral(" (") +
                                                            QFileInfo(*stored).fileName() + QLatin1Char(')'));
}
