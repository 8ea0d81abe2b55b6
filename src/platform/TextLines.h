#pragma once

#include <QString>
#include <QStringList>

// The lines of a text whose lines end in CR LF, CR or LF. A final line break
// ends the last line rather than starting an empty one.
QStringList splitTextLines(const QString &text);
