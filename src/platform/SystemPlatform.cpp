#include "SystemPlatform.h"

#include "SystemRegistry.h"

SystemPlatform::SystemPlatform(const QString &programFolder, std::function<QString()> gameFolder)
    : m_registry(makeSystemRegistry(programFolder, std::move(gameFolder)))
{}

SystemPlatform::~SystemPlatform() = default;

Platform SystemPlatform::platform()
{
    return Platform{m_messages,  m_fileDialogs, m_folders, m_input,     m_shell,
                    *m_registry, m_screen,      m_clock,   m_clipboard, m_http};
}
