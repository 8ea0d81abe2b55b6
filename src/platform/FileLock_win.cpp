#include "FileLock.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

#include <windows.h>

struct FileLock::Handle
{
    HANDLE file = INVALID_HANDLE_VALUE;
};

FileLock::FileLock(const QString &file, int waitMs)
    : m_handle(std::make_unique<Handle>()), m_lockFile(lockFileOf(file))
{
    const QString name = QDir::toNativeSeparators(m_lockFile);
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        // Opened without sharing, the file is the lock; it goes when closed.
        HANDLE h =
            CreateFileW(reinterpret_cast<LPCWSTR>(name.utf16()), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            m_handle->file = h;
            m_state = State::Held;
            return;
        }
        // Access is denied to a lock file its holder is deleting, and to a
        // folder that refuses new files; only the first is worth waiting for.
        const DWORD error = GetLastError();
        const bool held =
            error == ERROR_SHARING_VIOLATION ||
            (error == ERROR_ACCESS_DENIED &&
             GetFileAttributesW(reinterpret_cast<LPCWSTR>(name.utf16())) != INVALID_FILE_ATTRIBUTES);
        if (!held)
            return;
        if (deadline.hasExpired()) {
            m_state = State::Busy;
            return;
        }
        QThread::msleep(5);
    }
}

FileLock::~FileLock()
{
    if (isHeld())
        CloseHandle(m_handle->file);
}
