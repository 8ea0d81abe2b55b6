#pragma once

#include <QStringView>

#include <optional>

// The program's one reading of "a text that is an integer": an optional sign,
// then decimal digits, or hexadecimal digits after "0x", "0X" or "$". Leading
// blanks are skipped; anything else, or a value outside 32 bits, is not an
// integer. Hexadecimal text is a 32-bit pattern, so "$FFFFFFFF" is -1.
std::optional<int> parseInteger(QStringView text);
