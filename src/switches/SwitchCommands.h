#pragma once

#include "base/ProgramFiles.h"
#include "base/ProgramSettings.h"
#include "platform/Platform.h"

#include <QObject>

class ComponentNameSet;
class Frame;
class QAction;
class QActionGroup;
class QMenu;
class SwitchPanel;
class SwitchRules;

// The switch panel and its commands: building it from the database, putting
// every switch back to its default, and the patch-version menu.
class SwitchCommands final : public QObject
{
    Q_OBJECT

public:
    struct Items
    {
        QAction *mniFileLoadDefault = nullptr;
        QAction *itemDVSReload = nullptr;
        QMenu *menuDVSVersion = nullptr;
    };

    // The panel is made inside `page`, one of the main window's pages.
    SwitchCommands(ProgramFiles files, Platform platform, Frame &frame, QWidget *page);

    const Items &items() const { return m_items; }
    SwitchPanel &panel() const { return *m_panel; }
    SwitchRules &rules() const { return *m_rules; }

    // Set while no patch version is stored; the first version picked then
    // builds the panel.
    bool versionNotSet() const { return m_versionNotSet; }
    void setVersionNotSet(bool notSet) { m_versionNotSet = notSet; }

    void CreateSwitches();
    void DeleteSwitches();
    void ReloadDVDatabase();
    void mniFileLoadDefaultClick();
    void SetDravopaxVersion();
    void mniSettingsDVSVersionClick(QAction *item);
    // The names a switch's control cannot take: those of the main window's own parts.
    ComponentNameSet componentNames() const;

private:
    QString versionCaption() const;

    ProgramFiles m_files;
    ProgramSettings m_settings;
    Platform m_platform;
    Frame &m_frame;
    Items m_items;
    SwitchPanel *m_panel = nullptr;
    SwitchRules *m_rules = nullptr;
    QActionGroup *m_versionGroup = nullptr;
    bool m_versionNotSet = false;
};
