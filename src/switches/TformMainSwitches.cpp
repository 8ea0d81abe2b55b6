#include "app/TformMain.h"

#include "ComponentNames.h"
#include "SwitchControls.h"
#include "SwitchPanel.h"
#include "SwitchPanelBuilder.h"
#include "SwitchRules.h"
#include "base/SettingNames.h"
#include "ini/TIniFile.h"
#include "platform/MessageBoxes.h"

#include <QLabel>

void TformMain::CreateSwitches()
{
    // A build always starts from an empty panel, so no caller can leave two
    // controls of one switch behind.
    scrlMain->removeAll();
    scrlMain->hide();
    m_cursorSinceBuild.reset();
    SwitchPanelBuilder(*scrlMain, *barMain, m_platform.messages)
        .build(
            m_files, componentNames(),
            [this](SwitchControl *control) {
                m_rules->attach(control);
                control->widget()->installEventFilter(this);
                // A control made after a cursor choice looks as if it had been there for it.
                if (m_cursorSinceBuild) {
                    applyCursor(control->widget(), *m_cursorSinceBuild);
                    if (QLabel *label = scrlMain->label(control->name()))
                        applyCursor(label, *m_cursorSinceBuild);
                }
            },
            // The panel shows no more of itself than the window holds; a window
            // that grows has the panel make what comes into view.
            QRect(QPoint(0, 0), size()));

    // The new controls take the game cursor.
    if (TIniFile(m_files.settingsIni()).ReadBool(kDvs, QStringLiteral("mouse"), false))
        restatingSetting([this] { ChangeCursor(QStringLiteral("ZVT")); });
    setWindowTitle(versionCaption());
    scrlMain->show();
}

void TformMain::DeleteSwitches()
{
    scrlMain->hide();
    scrlMain->removeAll();
    scrlMain->show();
}

void TformMain::ReloadDVDatabase()
{
    const MsgAnswer answer = m_platform.messages.show(
        MsgType::Warning,
        QStringLiteral("You are going to reload Dravopax Database. You will lost every changes.\n"
                       "All switches will back to their defaults.\nAre you sure you want continue?"),
        MsgButtons::YesNo);
    if (answer != MsgAnswer::Yes)
        return;
    DeleteSwitches();
    // Without a selected version there is nothing to build for; the first
    // version picked builds the panel.
    if (!m_versionNotSet)
        CreateSwitches();
}

QString TformMain::versionCaption() const
{
    const QString stored =
        TIniFile(m_files.settingsIni()).ReadString(kDvs, QStringLiteral("version"), QStringLiteral("1"));
    return QStringLiteral("Dravopax Vevavav - ver. ") +
           TIniFile(m_files.versionIni())
               .ReadString(QStringLiteral("version"), QStringLiteral("display") + stored.mid(3),
                           QStringLiteral("CORRUPT VERSION FILE"));
}

void TformMain::mniFileLoadDefaultClick()
{
    const IniSnapshot patch = TIniFile(m_files.patchIni()).snapshot();
    for (SwitchControl *control : scrlMain->controls()) {
        control->applyDefault(patch);
        m_rules->valueSet(control);
    }
}
