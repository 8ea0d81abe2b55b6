#pragma once

#include "Shell.h"

#include <functional>

class EventWait;

// The desktop's way of opening things. On Windows the shell's "open" verb; on
// other systems addresses, documents and folders go to the desktop's default
// handler, native programs start directly, Windows programs through wine in
// the Wine prefix of their folder (see WinePrefix.h) and DOS programs in
// DOSBox (see ShellPlan.h). `dosbox` gives the DOSBox program as set, a name
// on the PATH or a full path, asked at every start.
class SystemShell final : public Shell
{
public:
    SystemShell(EventWait &wait, std::function<QString()> dosbox = {})
        : m_wait(wait), m_dosbox(std::move(dosbox))
    {}

    ShellStart open(const QString &file, const QString &parameters, const QString &workingFolder) override;
    ShellStart start(const QString &file, const QString &parameters, const QString &workingFolder) override
    {
        return watched(open(file, parameters, workingFolder), m_wait);
    }

private:
    EventWait &m_wait;
    std::function<QString()> m_dosbox;
};
