#include "AtomicFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Every byte must reach the file: a short write (disk full, size limit) is a failure.
bool writeAll(int fd, const QByteArray &content)
{
    const char *data = content.constData();
    qint64 left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

} // namespace

bool writeFileAtomically(const QString &path, const QByteArray &content)
{
    const QString target = AtomicFileDetail::replacedFile(path);
    const QString temporary = AtomicFileDetail::temporaryBeside(target);
    const QByteArray temporaryName = QFile::encodeName(temporary);

    struct stat existing
    {
    };
    const bool replacing = ::stat(QFile::encodeName(target).constData(), &existing) == 0;
    const int fd =
        ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666);
    if (fd < 0)
        return false;
    // A replaced file keeps its permissions whatever the umask says; a new one
    // gets what the umask allows.
    bool ok = (!replacing || ::fchmod(fd, existing.st_mode & 07777) == 0) && writeAll(fd, content) &&
              ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(temporaryName.constData(), QFile::encodeName(target).constData()) == 0;
    if (!ok) {
        ::unlink(temporaryName.constData());
        return false;
    }
    // The rename itself reaches the disk only with its folder.
    const int folder =
        ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}
