#include "ErrorReport.h"

#include "platform/DvsError.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

#include <QString>

void runReported(MessageBoxes &messages, const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const DvsError &error) {
        messages.show(MsgType::Error, error.message(), MsgButtons::Ok);
    } catch (const std::exception &error) {
        messages.show(MsgType::Error, QString::fromLocal8Bit(error.what()), MsgButtons::Ok);
    }
}

ShellStart startReported(Shell &shell, MessageBoxes &messages, const QString &file, const QString &parameters,
                         const QString &workingFolder)
{
    ShellStart start = shell.start(file, parameters, workingFolder);
    if (!start.problem.isEmpty())
        messages.show(MsgType::Error, start.problem, MsgButtons::Ok);
    return start;
}
