#pragma once

#include <QByteArray>
#include <QString>

// Writes the whole content to a temporary file beside the target and renames it
// over the target, so a crash or a full disk never leaves a truncated file and a
// refused write leaves the old file untouched. Returns false when the file
// system refused any part of it.
[[nodiscard]] bool writeFileAtomically(const QString &path, const QByteArray &content);

namespace AtomicFileDetail {
// The file a write really replaces: through a symbolic link, the file it names.
QString replacedFile(const QString &path);
// A fresh name beside `file` for the temporary copy.
QString temporaryBeside(const QString &file);
} // namespace AtomicFileDetail
