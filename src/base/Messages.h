#pragma once

#include <QString>

// The error of a file that should be there and is not.
inline QString fileNotFoundMessage(const QString &path)
{
    return QStringLiteral("Sorry, file:\n") + path + QStringLiteral("\nnot found");
}
