#include "AtomicFile.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// Keeps the error code of a refusal through the cleanup after it, so that
// writeRefusal() tells the refusal and not the cleanup.
class KeptError final
{
public:
    ~KeptError() { errno = m_code; }

private:
    int m_code = errno;
};

// Every byte must reach the file: a short write (disk full, size limit) is a failure.
bool writeAll(int fd, const QByteArray &content)
{
    const char *data = content.constData();
    qint64 left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = ENOSPC;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

// A temporary copy nobody is writing any more (its writer holds a lock on it
// while it writes) is what a crash left behind. A copy younger than a few
// seconds may belong to a writer that has not taken its lock yet.
void removeStaleTemporaries(const QString &target)
{
    const QFileInfo info(target);
    const QString fileName = info.fileName();
    QDirIterator entries(info.absolutePath(), QDir::Files | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        const QString path = entries.next();
        if (!AtomicFileDetail::isTemporaryOf(entries.fileName(), fileName))
            continue;
        const int fd = ::open(native(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        struct stat st
        {
        };
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && std::time(nullptr) - st.st_mtime > 2 &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(native(path).constData());
        ::close(fd);
    }
}

// Writes the content to a new temporary file beside `target`, locked while it
// is written, with the owner, group and mode of `replaced` when there is one.
// Returns the open descriptor (still locked) or -1.
int writeTemporary(const QByteArray &temporary, const QByteArray &content, const struct stat *replaced)
{
    const int fd =
        ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replaced ? 0600 : 0666);
    if (fd < 0)
        return -1;
    bool ok = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (ok && replaced) {
        struct stat own
        {
        };
        ok = ::fstat(fd, &own) == 0;
        // Only who may give files away can keep another owner; otherwise the
        // file would silently change hands, so the write is refused.
        if (ok && (own.st_uid != replaced->st_uid || own.st_gid != replaced->st_gid))
            ok = ::fchown(fd, replaced->st_uid, replaced->st_gid) == 0;
        // A replaced file keeps its permissions whatever the umask says. File
        // systems without permissions of their own (FAT) show one mode for
        // every file and refuse to set any, so a mode already right is not set.
        if (ok && (own.st_mode & 07777) != (replaced->st_mode & 07777))
            ok = ::fchmod(fd, replaced->st_mode & 07777) == 0;
    }
    ok = ok && writeAll(fd, content) && ::fsync(fd) == 0;
    if (!ok) {
        const KeptError kept;
        ::close(fd);
        ::unlink(temporary.constData());
        return -1;
    }
    return fd;
}

// The rename or link reaches the disk only with its folder.
void syncFolderOf(const QString &file)
{
    const int folder = ::open(native(QFileInfo(file).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

// Gives the finished temporary copy the name `target`, which must not be taken:
// a file there is never replaced. The temporary name is gone afterwards.
bool moveToNewName(const QByteArray &temporary, const QByteArray &target)
{
    // A link, unlike a plain rename, never replaces a file that is there.
    bool moved = ::link(temporary.constData(), target.constData()) == 0;
    if (moved || errno == EEXIST) {
        const KeptError kept;
        ::unlink(temporary.constData());
        return moved;
    }
    // File systems without hard links (FAT, exFAT, network shares) may still
    // have a rename that refuses to replace.
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        const KeptError kept;
        ::unlink(temporary.constData());
        return false;
    }
    // Neither: the name is claimed by creating an empty file there, which
    // fails when it is taken, and the copy is renamed over that claim.
    const int claim = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    moved = claim >= 0 && ::close(claim) == 0 && ::rename(temporary.constData(), target.constData()) == 0;
    if (!moved) {
        const KeptError kept;
        if (claim >= 0)
            ::unlink(target.constData());
        ::unlink(temporary.constData());
    }
    return moved;
}

} // namespace

bool writeFileAtomically(const QString &path, const QByteArray &content)
{
    const QString target = AtomicFileDetail::replacedFile(path);
    if (target.isEmpty()) {
        errno = ELOOP;
        return false;
    }
    const QByteArray targetName = native(target);
    removeStaleTemporaries(target);

    struct stat existing
    {
    };
    const bool replacing = ::stat(targetName.constData(), &existing) == 0;
    if (replacing) {
        // The rename below needs only the folder's permission; the file's own
        // says whether it may be changed, as for a plain write.
        const int probe = ::open(targetName.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (probe < 0)
            return false;
        ::close(probe);
    }
    const QByteArray temporary = native(AtomicFileDetail::temporaryBeside(target));
    const int fd = writeTemporary(temporary, content, replacing ? &existing : nullptr);
    if (fd < 0)
        return false;
    const bool renamed = ::rename(temporary.constData(), targetName.constData()) == 0;
    {
        const KeptError kept;
        if (!renamed)
            ::unlink(temporary.constData());
        ::close(fd);
    }
    if (renamed)
        syncFolderOf(target);
    return renamed;
}

bool writeNewFileAtomically(const QString &path, const QByteArray &content)
{
    const QByteArray targetName = native(path);
    const QByteArray temporary = native(AtomicFileDetail::temporaryBeside(path));
    const int fd = writeTemporary(temporary, content, nullptr);
    if (fd < 0)
        return false;
    const bool moved = moveToNewName(temporary, targetName);
    {
        const KeptError kept;
        ::close(fd);
    }
    if (moved)
        syncFolderOf(path);
    return moved;
}
