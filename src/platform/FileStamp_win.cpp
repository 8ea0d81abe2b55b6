#include "FileStamp.h"

#include <windows.h>

std::optional<FileStamp> fileStamp(const QString &path)
{
    HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL ok = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    if (!ok || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    auto join = [](DWORD high, DWORD low) { return (std::uint64_t(high) << 32) | low; };
    FileStamp stamp;
    stamp.device = info.dwVolumeSerialNumber;
    stamp.inode = join(info.nFileIndexHigh, info.nFileIndexLow);
    stamp.size = static_cast<std::int64_t>(join(info.nFileSizeHigh, info.nFileSizeLow));
    // FILETIME counts 100 ns ticks.
    stamp.modifiedNs = static_cast<std::int64_t>(
                           join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime)) *
                       100;
    stamp.changedNs = static_cast<std::int64_t>(
                          join(info.ftCreationTime.dwHighDateTime, info.ftCreationTime.dwLowDateTime)) *
                      100;
    return stamp;
}
