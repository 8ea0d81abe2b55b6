#include "AtomicFile.h"

#include <windows.h>

#include <algorithm>

bool writeFileAtomically(const QString &path, const QByteArray &content)
{
    const QString target = AtomicFileDetail::replacedFile(path);
    const QString temporary = AtomicFileDetail::temporaryBeside(target);
    const auto wide = [](const QString &s) { return reinterpret_cast<LPCWSTR>(s.utf16()); };

    HANDLE file =
        CreateFileW(wide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    const char *data = content.constData();
    qint64 left = content.size();
    while (ok && left > 0) {
        DWORD written = 0;
        const DWORD chunk = DWORD(std::min<qint64>(left, 1 << 30));
        ok = WriteFile(file, data, chunk, &written, nullptr) && written > 0;
        data += written;
        left -= written;
    }
    ok = ok && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok)
        ok = MoveFileExW(wide(temporary), wide(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        DeleteFileW(wide(temporary));
    return ok;
}
