#pragma once

#include "Clock.h"
#include "EventWait.h"
#include "Platform.h"
#include "QtDialogs.h"
#include "SocketHttpClient.h"
#include "SystemShell.h"

#include <functional>
#include <memory>

// The program's windows show the busy pointer while `wait` runs.
void showBusyPointer(EventWait &wait);

// The real services, owned together; the entry point creates one.
class SystemPlatform final
{
public:
    // `gameFolder` tells the registry where the game is, to find the registry
    // that the game itself reads; `dosbox` tells the shell the DOSBox program
    // set. A wait for Wine or for a program just started shows the busy pointer.
    explicit SystemPlatform(const QString &programFolder, std::function<QString()> gameFolder = {},
                            std::function<QString()> dosbox = {});
    ~SystemPlatform();

    Platform platform();

private:
    EventWait m_wait;
    QtMessageBoxes m_messages;
    QtFileDialogs m_fileDialogs;
    QtFolderBrowser m_folders;
    QtInputBox m_input;
    SystemShell m_shell;
    std::unique_ptr<Registry> m_registry;
    QtScreen m_screen;
    SystemClock m_clock;
    QtClipboard m_clipboard;
    SocketHttpClient m_http;
};
