#include "SystemPlatform.h"

#include "SystemRegistry.h"

#include <QCursor>
#include <QGuiApplication>

void showBusyPointer(EventWait &wait)
{
    QObject::connect(&wait, &EventWait::waitStarted, &wait,
                     [] { QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor)); });
    QObject::connect(&wait, &EventWait::waitEnded, &wait, [] { QGuiApplication::restoreOverrideCursor(); });
}

SystemPlatform::SystemPlatform(const QString &programFolder, std::function<QString()> gameFolder,
                               std::function<QString()> dosbox)
    : m_shell(m_wait, std::move(dosbox)),
      m_registry(makeSystemRegistry(programFolder, std::move(gameFolder), m_wait))
{
    showBusyPointer(m_wait);
}

SystemPlatform::~SystemPlatform() = default;

Platform SystemPlatform::platform()
{
    return Platform{m_messages,  m_fileDialogs, m_folders, m_input,     m_shell,
                    *m_registry, m_screen,      m_clock,   m_clipboard, m_http};
}
