#pragma once

#include <QString>

// The shell's "open": starts a program, opens a document or folder with its
// program, or an address (http, mailto, news) with the desktop's handler.
// Returns at once; the started program is never waited for and a failure is
// not reported.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual void open(const QString &file, const QString &parameters, const QString &workingFolder) = 0;
};
