#pragma once

#include "base/ProgramFiles.h"
#include "platform/Platform.h"

#include <QObject>

class Frame;
class QAction;
class QMenu;
class TformGrfManager;
class TformMkdvtxt;

// The tools for the game folder: the GRF manager and the language text tool.
class ToolCommands final : public QObject
{
    Q_OBJECT

public:
    struct Items
    {
        // The Tools menu, which starts with the tools.
        QMenu *menuTools = nullptr;
        QAction *itemMkdvtxt = nullptr;
        QAction *itemNewGrfManager = nullptr;
    };

    ToolCommands(ProgramFiles files, Platform platform, Frame &frame);

    const Items &items() const { return m_items; }

    // The tool windows, made by the start in its order.
    void createGrfManager();
    void createMkdvtxt();
    TformGrfManager *formGrfManager() const { return m_formGrfManager; }
    TformMkdvtxt *formMkdvtxt() const { return m_formMkdvtxt; }

    void itemNewGrfManagerClick();
    void itemMkdvtxtClick();

private:
    ProgramFiles m_files;
    Platform m_platform;
    Frame &m_frame;
    Items m_items;
    TformGrfManager *m_formGrfManager = nullptr;
    TformMkdvtxt *m_formMkdvtxt = nullptr;
};
