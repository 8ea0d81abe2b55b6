#include "app/TformMain.h"
#include "base/SettingNames.h"

#include "TformGrfManager.h"
#include "TformMkdvtxt.h"
#include "game/GameFolder.h"
#include "ini/TIniFile.h"
#include "platform/MessageBoxes.h"

void TformMain::itemNewGrfManagerClick()
{
    if (!formGrfManager)
        return;
    const QString directory = gameDirectory();
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
    formGrfManager->Initialize();
    showOver(formGrfManager);
}

void TformMain::itemMkdvtxtClick()
{
    if (!formMkdvtxt)
        return;
    formMkdvtxt->Initialize();
    showOver(formMkdvtxt);
}
