#pragma once

#include <QByteArray>
#include <QString>

#include <ostream>

// Readable failure messages for Qt types.
void PrintTo(const QString &text, std::ostream *out);
void PrintTo(const QByteArray &bytes, std::ostream *out);
