#pragma once

#include <QString>

// File locations are a folder followed by a tail written the Windows way, such
// as "\Data\patch.ini". This is the one place where the tail's backslashes
// become the separator of the platform we run on.
namespace Paths {

QString withTail(const QString &folder, const QString &tail);

// The folder where this system keeps each user's own program data:
// $XDG_DATA_HOME, or ~/.local/share when that is unset or not absolute (on
// Windows, the user's local application data).
QString userDataHome();

// A path is kept in the program's 8-bit text files as its UTF-8 bytes (on
// this system, the very bytes the file system names it by), so a folder named
// in any script survives a restart. These give the text whose Windows-1252
// bytes are those, and back; a stored text that is not UTF-8 is a path written
// as Windows-1252 text, as files were before, and is read as such.
QString storedText(const QString &path);
QString fromStoredText(const QString &text);

} // namespace Paths
