#pragma once

#include <QString>

// File locations are a folder followed by a tail written the Windows way, such
// as "\Data\patch.ini". This is the one place where the tail's backslashes
// become the separator of the platform we run on.
namespace Paths {

QString withTail(const QString &folder, const QString &tail);

} // namespace Paths
