#include "ToolCommands.h"

#include "TformGrfManager.h"
#include "TformMkdvtxt.h"
#include "base/FormParts.h"
#include "base/Frame.h"
#include "base/MenuItems.h"
#include "base/ProgramSettings.h"
#include "game/GameFolder.h"
#include "platform/MessageBoxes.h"

#include <QAction>
#include <QMenu>

ToolCommands::ToolCommands(ProgramFiles files, Platform platform, Frame &frame)
    : QObject(frame.mainWindow()), m_files(std::move(files)), m_platform(platform), m_frame(frame)
{
    m_items.menuTools = MenuItems::dropDown(frame, "menuTools");
    m_items.itemMkdvtxt = MenuItems::item(m_items.menuTools, "itemMkdvtxt", QStringLiteral("Mkdvtxt Tool"));
    m_items.itemNewGrfManager =
        MenuItems::item(m_items.menuTools, "itemNewGrfManager", QStringLiteral("NewGrf Manager"),
                        QStringLiteral("Install and select GRF files"));
    connectReported(this, m_platform.messages, m_items.itemMkdvtxt, &QAction::triggered,
                    &ToolCommands::itemMkdvtxtClick);
    connectReported(this, m_platform.messages, m_items.itemNewGrfManager, &QAction::triggered,
                    &ToolCommands::itemNewGrfManagerClick);
}

// The tools are dialogs of the main window, deleted with it.
void ToolCommands::createGrfManager()
{
    m_formGrfManager = new TformGrfManager(m_files, m_platform, m_frame.mainWindow());
}

void ToolCommands::createMkdvtxt()
{
    m_formMkdvtxt = new TformMkdvtxt(m_files, m_platform, m_frame.mainWindow());
}

void ToolCommands::itemNewGrfManagerClick()
{
    if (!m_formGrfManager)
        return;
    const QString directory = ProgramSettings(m_files.settingsIni()).gameDirectory();
    if (!TformGrfManager::grfFolder(directory)) {
        m_platform.messages.show(
            MsgType::Error,
            QStringLiteral(
                "Sorry. Following directory not exist:\n%1\nSelect your ZVT directory again and be "
                "sure you have 'NEWGRF' directory in it.")
                .arg(GameFolder(directory).file(QStringLiteral("newgrf"))),
            MsgButtons::Ok);
        return;
    }
    m_formGrfManager->Initialize();
    m_frame.showOver(m_formGrfManager);
}

void ToolCommands::itemMkdvtxtClick()
{
    if (!m_formMkdvtxt)
        return;
    m_formMkdvtxt->Initialize();
    m_frame.showOver(m_formMkdvtxt);
}
