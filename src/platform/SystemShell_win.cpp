#include "SystemShell.h"

#include <QWinEventNotifier>

// shellapi.h needs the types windows.h declares.
#include <windows.h>

#include <shellapi.h>

namespace {

// Told by the system when the process ends; the window never waits for it.
class WatchedProcess final : public StartedProgram
{
public:
    explicit WatchedProcess(HANDLE process) : m_process(process), m_notifier(process)
    {
        connect(&m_notifier, &QWinEventNotifier::activated, this, [this] {
            m_notifier.setEnabled(false);
            emit finished();
        });
    }
    ~WatchedProcess() override { CloseHandle(m_process); }

    QString failure() const override
    {
        DWORD code = 0;
        if (!GetExitCodeProcess(m_process, &code) || code == 0 || code == STILL_ACTIVE)
            return {};
        return QStringLiteral("The program ended at once with exit code %1.").arg(code);
    }

private:
    HANDLE m_process;
    QWinEventNotifier m_notifier;
};

} // namespace

ShellStart SystemShell::open(const QString &file, const QString &parameters, const QString &workingFolder)
{
    auto wide = [](const QString &s) { return s.isEmpty() ? nullptr : reinterpret_cast<LPCWSTR>(s.utf16()); };
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = GetDesktopWindow();
    info.lpVerb = L"open";
    info.lpFile = wide(file);
    info.lpParameters = wide(parameters);
    info.lpDirectory = wide(workingFolder);
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info))
        return {};
    // A document handed to a program that was already running has no process of its own.
    if (!info.hProcess)
        return {true, nullptr};
    return {true, std::make_unique<WatchedProcess>(info.hProcess)};
}
