#include "SystemPlatform.h"

#include "Paths.h"
#include "Registry.h"

#ifdef Q_OS_WIN
#include "WinRegistry.h"
#else
#include "FileRegistry.h"
#endif

SystemPlatform::SystemPlatform([[maybe_unused]] const QString &programFolder)
#ifdef Q_OS_WIN
    : m_registry(std::make_unique<WinRegistry>())
#else
    : m_registry(
          std::make_unique<FileRegistry>(Paths::withTail(programFolder, QStringLiteral("\\registry.reg"))))
#endif
{}

SystemPlatform::~SystemPlatform() = default;

Platform SystemPlatform::platform()
{
    return Platform{m_messages,  m_fileDialogs, m_folders, m_input,    m_shell,
                    *m_registry, m_screen,      m_clock,   m_clipboard};
}
