#include "WineTool.h"

#include <QProcess>
#include <QProcessEnvironment>

WineTool::Result WineTool::run(const QStringList &arguments) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WINEPREFIX"), m_prefix);
    // Wine's own notes would mix with the tool's answer, and a prefix that
    // Wine brings up to date must not stop to offer add-on downloads.
    environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    environment.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(m_wine, arguments);
    Result result;
    const QString command = QStringLiteral("wine ") + arguments.value(0);
    if (!process.waitForStarted(m_timeLimitMs)) {
        result.problem = QStringLiteral("%1 could not be started (%2).").arg(command, process.errorString());
        return result;
    }
    if (!process.waitForFinished(m_timeLimitMs)) {
        process.kill();
        process.waitForFinished(1000);
        result.problem = QStringLiteral("%1 gave no answer within %2 seconds.")
                             .arg(command)
                             .arg(m_timeLimitMs / 1000.0, 0, 'g', 3);
        return result;
    }
    result.output = process.readAll();
    if (process.exitStatus() != QProcess::NormalExit) {
        result.problem = QStringLiteral("%1 ended abnormally.").arg(command);
        return result;
    }
    result.finished = true;
    result.exitCode = process.exitCode();
    return result;
}
