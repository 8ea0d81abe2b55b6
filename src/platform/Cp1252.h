#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

// Every text file the program reads or writes is 8-bit Windows-1252. These
// functions are the only place where bytes become text and back, so a byte
// such as 0xE9 shows as "é" and is written back as the same byte. Text the
// code page cannot hold is never written as "?": encoding it gives nothing,
// and the writer refuses with a message.
namespace Cp1252 {

QString decode(QByteArrayView bytes);

// Nothing when some character has no byte in the code page.
std::optional<QByteArray> encode(QStringView text);
// The lines, each ended by CR LF, the last included.
std::optional<QByteArray> encodeLines(const QStringList &lines);

// The bytes without a UTF-8 byte-order mark an editor may have put first.
QByteArrayView withoutByteOrderMark(QByteArrayView bytes);

bool canEncode(QStringView text);
// The distinct characters of the text that have no byte, in order of appearance.
QString unencodable(QStringView text);

// Why the text (one line of it) cannot be stored: the characters, and where.
QString whyNotStored(QStringView text);
// "Unable to write to <file>" and why.
QString refusal(const QString &fileName, QStringView text);
// The first line that holds such characters, or an empty text.
QString firstUnencodableLine(const QStringList &lines);

} // namespace Cp1252
