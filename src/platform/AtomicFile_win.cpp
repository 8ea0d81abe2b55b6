#include "AtomicFile.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>

#include <windows.h>

#include <algorithm>

namespace {

LPCWSTR wide(const QString &s)
{
    return reinterpret_cast<LPCWSTR>(s.utf16());
}

// Keeps the error code of a refusal through the cleanup after it, so that
// writeRefusal() tells the refusal and not the cleanup.
class KeptError final
{
public:
    ~KeptError() { SetLastError(m_code); }

private:
    DWORD m_code = GetLastError();
};

// A temporary copy that can be deleted is one nobody writes any more: a
// writer keeps its copy open without sharing while it writes. Between that and
// the rename it is closed, so a copy younger than a few seconds is left alone.
void removeStaleTemporaries(const QString &target)
{
    const QFileInfo info(target);
    const QString fileName = info.fileName();
    const QDateTime stale = QDateTime::currentDateTimeUtc().addSecs(-2);
    QDirIterator entries(info.absolutePath(), QDir::Files | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        const QString path = QDir::toNativeSeparators(entries.next());
        if (AtomicFileDetail::isTemporaryOf(entries.fileName(), fileName) &&
            entries.fileInfo().lastModified().toUTC() < stale)
            DeleteFileW(wide(path));
    }
}

// Writes the content to a new file that must not exist; the handle stays open
// without sharing so that no cleanup takes it for stale.
HANDLE writeTemporary(const QString &temporary, const QByteArray &content)
{
    HANDLE file =
        CreateFileW(wide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return INVALID_HANDLE_VALUE;
    bool ok = true;
    const char *data = content.constData();
    qint64 left = content.size();
    while (ok && left > 0) {
        DWORD written = 0;
        const DWORD chunk = DWORD(std::min<qint64>(left, 1 << 30));
        ok = WriteFile(file, data, chunk, &written, nullptr);
        if (ok && written == 0) {
            SetLastError(ERROR_DISK_FULL);
            ok = false;
        }
        data += written;
        left -= written;
    }
    if (ok && FlushFileBuffers(file))
        return file;
    const KeptError kept;
    CloseHandle(file);
    DeleteFileW(wide(temporary));
    return INVALID_HANDLE_VALUE;
}

} // namespace

bool writeFileAtomically(const QString &path, const QByteArray &content)
{
    const QString found = AtomicFileDetail::replacedFile(path);
    if (found.isEmpty()) {
        SetLastError(ERROR_CANT_RESOLVE_FILENAME);
        return false;
    }
    const QString target = QDir::toNativeSeparators(found);
    removeStaleTemporaries(target);
    const bool replacing = GetFileAttributesW(wide(target)) != INVALID_FILE_ATTRIBUTES;
    if (replacing) {
        // Refused where a plain write would be refused.
        HANDLE probe =
            CreateFileW(wide(target), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(probe);
    }
    const QString temporary = AtomicFileDetail::temporaryBeside(target);
    HANDLE file = writeTemporary(temporary, content);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    // Replacing keeps the replaced file's owner, permissions and attributes.
    const bool ok = replacing ? ReplaceFileW(wide(target), wide(temporary), nullptr,
                                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                              : MoveFileExW(wide(temporary), wide(target), MOVEFILE_WRITE_THROUGH);
    if (!ok) {
        const KeptError kept;
        DeleteFileW(wide(temporary));
    }
    return ok;
}

bool writeNewFileAtomically(const QString &path, const QByteArray &content)
{
    const QString target = QDir::toNativeSeparators(path);
    const QString temporary = AtomicFileDetail::temporaryBeside(target);
    HANDLE file = writeTemporary(temporary, content);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    // Without MOVEFILE_REPLACE_EXISTING a file that is there is never replaced.
    const bool ok = MoveFileExW(wide(temporary), wide(target), MOVEFILE_WRITE_THROUGH);
    if (!ok) {
        const KeptError kept;
        DeleteFileW(wide(temporary));
    }
    return ok;
}
