#include "SystemShell.h"

#include <shellapi.h>
#include <windows.h>

void SystemShell::open(const QString &file, const QString &parameters, const QString &workingFolder)
{
    auto wide = [](const QString &s) { return s.isEmpty() ? nullptr : reinterpret_cast<LPCWSTR>(s.utf16()); };
    ShellExecuteW(GetDesktopWindow(), L"open", wide(file), wide(parameters), wide(workingFolder),
                  SW_SHOWNORMAL);
}
