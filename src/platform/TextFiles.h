#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Plain text files as the program keeps them: Windows-1252, lines ended by
// CR LF (CR or LF alone are read too), every line including the last ended.
namespace TextFiles {

// The file's lines, or nothing when it cannot be read.
std::optional<QStringList> readLines(const QString &path);

// Writes whole and atomically; false when the file system refused, or when a
// line holds a character the code page cannot (nothing is written then).
[[nodiscard]] bool writeLines(const QString &path, const QStringList &lines);

} // namespace TextFiles
