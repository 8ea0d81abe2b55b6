#include "WineTool.h"

#include "EventWait.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringDecoder>

#include <csignal>
#include <unistd.h>

std::shared_ptr<void> WineBudget::beginCommand()
{
    if (m_depth++ == 0)
        m_spentMs = 0;
    return std::shared_ptr<void>(nullptr, [this](void *) { --m_depth; });
}

QDeadlineTimer WineBudget::deadline() const
{
    return QDeadlineTimer(m_depth > 0 ? std::max<qint64>(0, m_limitMs - m_spentMs) : m_limitMs);
}

void WineBudget::spend(qint64 milliseconds)
{
    if (m_depth > 0)
        m_spentMs += milliseconds;
}

bool WineTool::Result::readable() const
{
    for (const char c : output) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\r' && c != '\t')
            return false;
    }
    QStringDecoder decoder(QStringDecoder::System);
    (void)decoder.decode(output);
    return !decoder.hasError();
}

namespace {

class ProcessCall final : public WineTool::Call
{
public:
    ProcessCall(const QString &wine, const QString &prefix, const QStringList &arguments, EventWait &wait,
                std::shared_ptr<WineBudget> budget)
        : m_command(QStringLiteral("wine ") + arguments.value(0)), m_wait(wait), m_budget(std::move(budget))
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("WINEPREFIX"), prefix);
        // Wine's own notes would mix with the tool's answer, and a prefix that
        // Wine brings up to date must not stop to offer add-on downloads.
        environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        environment.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        // A group of its own, so that a call that hangs ends with every
        // process it started; Wine's server makes a session of its own and stays.
        m_process.setChildProcessModifier([] { ::setsid(); });
        QObject::connect(&m_process, &QProcess::readyRead, &m_process, [this] { take(); });
        m_spent.start();
        // A call after the allowance is gone would otherwise still run as
        // long as the event loop takes to notice the spent deadline.
        m_refused = m_budget->spent();
        if (!m_refused)
            m_process.start(wine, arguments);
    }

    ~ProcessCall() override
    {
        if (m_process.state() != QProcess::NotRunning)
            endGroup();
    }

    WineTool::Result finish() override
    {
        WineTool::Result result;
        if (m_refused) {
            result.problem = stoppedProblem();
            return result;
        }
        if (!m_process.waitForStarted(-1)) {
            result.problem =
                QStringLiteral("%1 could not be started (%2).").arg(m_command, m_process.errorString());
            return result;
        }
        const QDeadlineTimer deadline = m_budget->deadline();
        // Time already spent while the program did other work counts only from here.
        m_spent.restart();
        if (m_process.state() != QProcess::NotRunning && !m_overflow)
            m_wait.until(&m_process, &QProcess::finished, deadline);
        m_budget->spend(m_spent.elapsed());
        if (m_process.state() != QProcess::NotRunning && !m_overflow)
            m_budget->spendAll();
        if (m_process.state() != QProcess::NotRunning || m_overflow) {
            endGroup();
            if (m_overflow)
                result.problem = QStringLiteral("%1 gave more than %2 bytes of output.")
                                     .arg(m_command)
                                     .arg(WineTool::MostOutputBytes);
            else
                result.problem = stoppedProblem();
            return result;
        }
        take();
        result.output = m_output;
        if (m_process.exitStatus() != QProcess::NormalExit) {
            result.problem = QStringLiteral("%1 ended abnormally.").arg(m_command);
            return result;
        }
        result.finished = true;
        result.exitCode = m_process.exitCode();
        return result;
    }

private:
    QString stoppedProblem() const
    {
        return QStringLiteral("%1 was stopped: Wine took longer than %2 seconds for this command.")
            .arg(m_command)
            .arg(m_budget->limitMs() / 1000.0, 0, 'g', 3);
    }

    void take()
    {
        const QByteArray more = m_process.readAll();
        if (m_overflow)
            return;
        if (m_output.size() + more.size() > WineTool::MostOutputBytes) {
            m_overflow = true;
            endGroup();
            return;
        }
        m_output += more;
    }

    void endGroup()
    {
        const qint64 pid = m_process.processId();
        if (pid > 0)
            ::kill(-pid_t(pid), SIGKILL);
        m_process.kill();
        m_process.waitForFinished(1000);
    }

    QString m_command;
    EventWait &m_wait;
    std::shared_ptr<WineBudget> m_budget;
    QProcess m_process;
    QByteArray m_output;
    bool m_overflow = false;
    bool m_refused = false;
    QElapsedTimer m_spent;
};

} // namespace

std::unique_ptr<WineTool::Call> WineTool::start(const QStringList &arguments) const
{
    return std::make_unique<ProcessCall>(m_wine, m_prefix, arguments, *m_wait, m_budget);
}

WineTool::Result WineTool::run(const QStringList &arguments) const
{
    return start(arguments)->finish();
}
