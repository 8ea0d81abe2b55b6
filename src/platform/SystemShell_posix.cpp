#include "SystemShell.h"

#include "ShellPlan.h"
#include "WinePrefix.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <csignal>

namespace {

// The fields of /proc/<pid>/stat after the command name, which may hold
// blanks and is closed by the last parenthesis.
QList<QByteArray> statFields(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2).split(' ');
}

// The start time of a process in clock ticks since boot, which tells it apart
// from a later process that happens to get the same number.
QByteArray startTimeOf(qint64 pid)
{
    const QList<QByteArray> fields = statFields(pid);
    return fields.size() > 19 ? fields[19] : QByteArray();
}

bool stillRuns(qint64 pid, const QByteArray &startTime)
{
    if (::kill(pid_t(pid), 0) != 0 && errno != EPERM)
        return false;
    const QList<QByteArray> fields = statFields(pid);
    if (fields.isEmpty())
        return startTime.isEmpty(); // no /proc to ask: the signal test is all there is
    // An ended process that nobody has reaped yet is still listed, as a zombie.
    if (fields[0] == "Z" || fields[0] == "X")
        return false;
    return startTime.isEmpty() || (fields.size() > 19 && fields[19] == startTime);
}

// Looks at the process now and then; the window never waits for it.
class WatchedProcess final : public StartedProgram
{
public:
    explicit WatchedProcess(qint64 pid) : m_pid(pid), m_startTime(startTimeOf(pid))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (!stillRuns(m_pid, m_startTime)) {
                m_timer.stop();
                emit finished();
            }
        });
        m_timer.start(200);
    }

private:
    qint64 m_pid;
    QByteArray m_startTime;
    QTimer m_timer;
};

} // namespace

ShellStart SystemShell::open(const QString &file, const QString &parameters, const QString &workingFolder)
{
    const ShellPlan plan = planShellStart(file, parameters, workingFolder,
                                          QStandardPaths::findExecutable(QStringLiteral("wine")));
    switch (plan.way) {
    case ShellPlan::Way::Direct:
    case ShellPlan::Way::Wine: {
        QProcess process;
        process.setProgram(plan.program);
        process.setArguments(plan.arguments);
        process.setWorkingDirectory(workingFolder);
        // A Windows program runs in the prefix its folder belongs to, the one
        // whose registry holds the game's settings.
        if (plan.way == ShellPlan::Way::Wine) {
            if (const std::optional<QString> prefix =
                    WinePrefix::find(QFileInfo(plan.arguments.value(0)).absolutePath())) {
                QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
                environment.insert(QStringLiteral("WINEPREFIX"), *prefix);
                process.setProcessEnvironment(environment);
            }
        }
        qint64 pid = 0;
        if (!process.startDetached(&pid))
            return {};
        if (pid <= 0)
            return {true, nullptr};
        return {true, std::make_unique<WatchedProcess>(pid)};
    }
    case ShellPlan::Way::DefaultHandler: {
        const QUrl address = plan.isUrl ? QUrl(plan.address) : QUrl::fromLocalFile(plan.address);
        return {QDesktopServices::openUrl(address), nullptr};
    }
    case ShellPlan::Way::Nothing:
        break;
    }
    return {};
}
