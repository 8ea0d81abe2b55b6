#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Every text file the program reads or writes is 8-bit Windows-1252. These two
// functions are the only place where bytes become text and back, so a byte such
// as 0xE9 shows as "é" and is written back as the same byte.
namespace Cp1252 {

QString decode(QByteArrayView bytes);

// Characters outside the code page become '?'.
QByteArray encode(QStringView text);

// The bytes without a UTF-8 byte-order mark an editor may have put first.
QByteArrayView withoutByteOrderMark(QByteArrayView bytes);

// Whether every character of the text has a byte in the code page.
bool canEncode(QStringView text);

} // namespace Cp1252
