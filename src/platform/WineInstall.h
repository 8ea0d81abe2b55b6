#pragma once

#include <QString>

namespace WineInstall {

// Whether the Wine started as `wine` (a full path) has its 32-bit part, told
// from its files alone, without starting it: a 32-bit loader runs 32-bit
// programs; a 64-bit loader named wine64 needs a 32-bit "wine" beside it;
// a launcher script (Debian's) needs one of the 32-bit loaders it names
// ("/usr/lib/wine/wine", which wine32 installs). What cannot be told counts
// as able.
bool runs32Bit(const QString &wine);

// Whether `prefix` is a 64-bit prefix that a Wine without its 32-bit part
// made: its folder for 32-bit system files is there but lacks ntdll.dll, and
// every 32-bit program fails there, even once that part is installed, until
// the prefix is updated again.
bool prefixLacks32BitPart(const QString &prefix);

} // namespace WineInstall
