#include "FileLock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

struct FileLock::Handle
{
    int fd = -1;
};

FileLock::FileLock(const QString &file, int waitMs)
    : m_handle(std::make_unique<Handle>()), m_lockFile(lockFileOf(file))
{
    const QByteArray name = QFile::encodeName(m_lockFile);
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0)
            return;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // The holder before us removes the lock file as it lets go; a lock
            // taken on a removed file guards nothing, so it is taken again.
            struct stat held
            {
            };
            struct stat named
            {
            };
            if (::fstat(fd, &held) == 0 && ::stat(name.constData(), &named) == 0 &&
                held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
                m_handle->fd = fd;
                m_state = State::Held;
                return;
            }
            ::close(fd);
            continue;
        }
        ::close(fd);
        if (deadline.hasExpired()) {
            m_state = State::Busy;
            return;
        }
        QThread::msleep(5);
    }
}

FileLock::~FileLock()
{
    if (!isHeld())
        return;
    ::unlink(QFile::encodeName(m_lockFile).constData());
    ::close(m_handle->fd);
}
