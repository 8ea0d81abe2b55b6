#pragma once

#include "base/ProgramFiles.h"
#include "platform/Platform.h"

#include <QObject>

class Frame;
class NotepadPage;
class QAction;
class QMenu;
class SwitchCommands;
class TformLinks;
class TformPrograms;
class TformSwitches;
class TformVersion;

// The editors of the program's own data, the user's shortcuts on the Tools
// menu and the links of the Links menu.
class EditorCommands final : public QObject
{
    Q_OBJECT

public:
    struct Items
    {
        // The Edit menu, whole.
        QMenu *menuEdit = nullptr;
        QAction *ProgramsEditor1 = nullptr;
        QAction *VersionPatch1 = nullptr;
        QAction *EditDravopaxSwitches = nullptr;
        QAction *itemLinksEditor = nullptr;
        // The Links menu, whole: the program's own links, then those of data.ini.
        QMenu *menuLinks = nullptr;
        QAction *itemHelpLinksDVSHomePage = nullptr;
        QAction *itemHelpLinksDVSEMail = nullptr;
    };

    EditorCommands(ProgramFiles files, Platform platform, Frame &frame, SwitchCommands &switches,
                   NotepadPage &notepad);

    const Items &items() const { return m_items; }
    // The menu the shortcuts are listed in, after what it holds already.
    void setShortcutsMenu(QMenu *menu) { m_shortcutsMenu = menu; }

    // The editor windows, made by the start in its order.
    void createSwitchesEditor();
    void createVersionEditor();
    void createProgramsEditor();
    void createLinksEditor();
    TformSwitches *formSwitches() const { return m_formSwitches; }
    TformVersion *formVersion() const { return m_formVersion; }
    TformPrograms *formPrograms() const { return m_formPrograms; }
    TformLinks *formLinks() const { return m_formLinks; }

    // The switch and version editors.
    void StartDesignMode();
    void mniSettingsDVSDesignModeClick() { StartDesignMode(); }
    void VersionPatch1Click();

    // The user's shortcuts on the Tools menu and the links of the Links menu.
    void AddPrograms();
    void RunProgramClick(QAction *item);
    void ProgramsEditor1Click();
    void AddLinks();
    void LinkClick(QAction *item);
    void itemLinksEditorClick();
    void itemHelpLinksDVSHomePageClick();
    void itemHelpLinksDVSEMailClick();

private:
    void createItems();

    ProgramFiles m_files;
    Platform m_platform;
    Frame &m_frame;
    SwitchCommands &m_switches;
    NotepadPage &m_notepad;
    Items m_items;
    QMenu *m_shortcutsMenu = nullptr;
    TformSwitches *m_formSwitches = nullptr;
    TformVersion *m_formVersion = nullptr;
    TformPrograms *m_formPrograms = nullptr;
    TformLinks *m_formLinks = nullptr;
};
