#pragma once

#include <QByteArray>
#include <QString>

// Writes the whole content to a temporary file beside the target and renames it
// over the target, so a crash or a full disk never leaves a truncated file and a
// refused write leaves the old file untouched. Through symbolic links the file
// at the end of the chain is written. A file that a plain write could not
// change (read-only) is refused, and a replaced file keeps its owner, group and
// mode; where the owner cannot be kept the write is refused too. Temporary
// files that an earlier, interrupted write of the same target left behind are
// removed. Returns false when anything was refused; writeRefusal() then says why.
[[nodiscard]] bool writeFileAtomically(const QString &path, const QByteArray &content);

// The same for a file that must not exist yet: false when it does. Also on
// file systems without hard links (FAT, exFAT, network shares), an existing
// file is never replaced.
[[nodiscard]] bool writeNewFileAtomically(const QString &path, const QByteArray &content);

// Right after a write that returned false: why it was refused, in the
// system's words.
QString writeRefusal();

namespace AtomicFileDetail {
// The file a write really replaces: the end of the chain of symbolic links,
// or nothing when the chain loops.
QString replacedFile(const QString &path);
// A fresh name beside `file` for the temporary copy: the file's name, cut
// short where needed so that the whole name fits the longest name a file
// system takes, followed by a random tail.
QString temporaryBeside(const QString &file);
// Whether `name` is the name of one of our temporary copies of `fileName`.
bool isTemporaryOf(const QString &name, const QString &fileName);
} // namespace AtomicFileDetail
