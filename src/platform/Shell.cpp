#include "Shell.h"

#include "EventWait.h"

ShellStart Shell::watched(ShellStart start, EventWait &wait)
{
    // The end is told by the event loop only, so it cannot have come before the wait.
    if (!start.program ||
        !wait.until(start.program.get(), &StartedProgram::finished, QDeadlineTimer(WatchMs)))
        return start;
    const QString failure = start.program->failure();
    if (failure.isEmpty())
        return start;
    return {false, nullptr, failure};
}
