#include "SystemShell.h"

#include "ShellPlan.h"
#include "WineInstall.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
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

// The program runs under a small shell that keeps the first bytes of its
// output (both channels) in `output` and its exit code in `status`, and reads
// the rest away so that the program never blocks on it; the program keeps
// running when this program ends. The output is written as it comes (dd, not
// head, which holds it until the pipe closes: Wine's server keeps it open for
// seconds after the program ended), and nothing is said once this program has
// stopped watching and taken the folder away.
const QString kCarrier =
    QStringLiteral("output=$1; status=$2; shift 2\n"
                   "{ \"$@\" 2>&1; echo $? 2>/dev/null > \"$status\"; } | "
                   "{ dd bs=1 count=65536 of=\"$output\" 2>/dev/null; cat > /dev/null; }\n");

// How many of the output's last lines a failure shows.
constexpr int kShownLines = 8;

// Looks at the process now and then; the window never waits for it. It has
// ended once its exit code is written, or once the carrier is gone.
class WatchedProcess final : public StartedProgram
{
public:
    WatchedProcess(qint64 pid, std::unique_ptr<QTemporaryDir> files, QString name)
        : m_pid(pid), m_startTime(startTimeOf(pid)), m_files(std::move(files)), m_name(std::move(name))
    {
        // Told a tick after the end, so that the last output has been written down.
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (m_ending) {
                m_timer.stop();
                emit finished();
            }
            m_ending = QFileInfo::exists(statusFile()) || !stillRuns(m_pid, m_startTime);
        });
        m_timer.start(100);
    }

    QString failure() const override
    {
        QFile status(statusFile());
        bool number = false;
        const int code = status.open(QIODevice::ReadOnly) ? status.readAll().trimmed().toInt(&number) : -1;
        if (number && code == 0)
            return {};
        QFile output(m_files->filePath(QStringLiteral("output")));
        QStringList lines;
        if (output.open(QIODevice::ReadOnly))
            lines = QString::fromLocal8Bit(output.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QString text = number ? QStringLiteral("%1 ended at once with exit code %2.").arg(m_name).arg(code)
                              : QStringLiteral("%1 ended at once.").arg(m_name);
        if (!lines.isEmpty())
            text += QStringLiteral("\nIts last words:\n") +
                    lines.mid(std::max<qsizetype>(0, lines.size() - kShownLines)).join(QLatin1Char('\n'));
        return text;
    }

private:
    QString statusFile() const { return m_files->filePath(QStringLiteral("status")); }

    qint64 m_pid;
    QByteArray m_startTime;
    std::unique_ptr<QTemporaryDir> m_files;
    QString m_name;
    QTimer m_timer;
    bool m_ending = false;
};

Runners findRunners(const QString &dosboxSetting)
{
    Runners runners;
    runners.wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    runners.wineRuns32Bit = runners.wine.isEmpty() || WineInstall::runs32Bit(runners.wine);
    runners.dosboxSetting = dosboxSetting.isEmpty() ? QStringLiteral("dosbox") : dosboxSetting;
    const QFileInfo named(runners.dosboxSetting);
    if (runners.dosboxSetting.contains(QLatin1Char('/')))
        runners.dosbox = named.isFile() && named.isExecutable() ? named.absoluteFilePath() : QString();
    else
        runners.dosbox = QStandardPaths::findExecutable(runners.dosboxSetting);
    return runners;
}

} // namespace

ShellStart SystemShell::open(const QString &file, const QString &parameters, const QString &workingFolder)
{
    const ShellPlan plan =
        planShellStart(file, parameters, workingFolder, findRunners(m_dosbox ? m_dosbox() : QString()));
    switch (plan.way) {
    case ShellPlan::Way::Direct:
    case ShellPlan::Way::Wine:
    case ShellPlan::Way::DosBox: {
        auto files = std::make_unique<QTemporaryDir>();
        if (!files->isValid())
            return {false, nullptr,
                    QStringLiteral("No temporary folder for the start of %1.").arg(plan.address)};
        QProcess process;
        process.setProgram(QStringLiteral("/bin/sh"));
        process.setArguments(QStringList{QStringLiteral("-c"), kCarrier, QStringLiteral("sh"),
                                         files->filePath(QStringLiteral("output")),
                                         files->filePath(QStringLiteral("status")), plan.program} +
                             plan.arguments);
        process.setWorkingDirectory(workingFolder);
        if (!plan.winePrefix.isEmpty()) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("WINEPREFIX"), plan.winePrefix);
            process.setProcessEnvironment(environment);
        }
        qint64 pid = 0;
        if (!process.startDetached(&pid))
            return {};
        if (pid <= 0)
            return {true, nullptr, QString()};
        const QString name = plan.way == ShellPlan::Way::Wine     ? QStringLiteral("Wine, running %1")
                             : plan.way == ShellPlan::Way::DosBox ? QStringLiteral("DOSBox, running %1")
                                                                  : QStringLiteral("%1");
        return {true,
                std::make_unique<WatchedProcess>(pid, std::move(files),
                                                 name.arg(QFileInfo(plan.address).fileName())),
                QString()};
    }
    case ShellPlan::Way::DefaultHandler: {
        const QUrl address = plan.isUrl ? QUrl(plan.address) : QUrl::fromLocalFile(plan.address);
        return {QDesktopServices::openUrl(address), nullptr, QString()};
    }
    case ShellPlan::Way::Nothing:
        return {false, nullptr, plan.problem};
    }
    return {};
}
