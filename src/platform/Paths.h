#pragma once

#include <QString>

// File locations are a folder followed by a tail written the Windows way, such
// as "\Data\patch.ini". This is the one place where the tail's backslashes
// become the separator of the platform we run on.
namespace Paths {

QString withTail(const QString &folder, const QString &tail);

// The folder part of a full file name, without a trailing separator.
QString folderOf(const QString &filePath);

// The file name without its folder.
QString fileNameOf(const QString &filePath);

} // namespace Paths
