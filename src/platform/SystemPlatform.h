#pragma once

#include "Clock.h"
#include "Platform.h"
#include "QtDialogs.h"
#include "SocketHttpClient.h"
#include "SystemShell.h"

#include <functional>
#include <memory>

// The real services, owned together; the entry point creates one.
class SystemPlatform final
{
public:
    // `gameFolder` tells the registry where the game is, to find the registry
    // that the game itself reads.
    explicit SystemPlatform(const QString &programFolder, std::function<QString()> gameFolder = {});
    ~SystemPlatform();

    Platform platform();

private:
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
