#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QStringList>

#include <memory>

class EventWait;
class QProcess;

// How long Wine may take for one user's command: every call the command
// makes spends from one allowance, so a command of many calls is bounded as a
// whole. A call made outside any command has the allowance to itself.
class WineBudget final
{
public:
    explicit WineBudget(int limitMs = 10000) : m_limitMs(limitMs) {}

    int limitMs() const { return m_limitMs; }
    // The calls made while the returned object lives belong to one command;
    // a command begun inside another joins it.
    std::shared_ptr<void> beginCommand();
    // The time left for the next call.
    QDeadlineTimer deadline() const;
    // Whether the command has used its allowance up: no further call starts.
    bool spent() const { return m_depth > 0 && m_spentMs >= m_limitMs; }
    void spend(qint64 milliseconds);
    // A call stopped at the bound has used the whole allowance, however early
    // the clock let the wait end.
    void spendAll() { spend(m_limitMs); }

private:
    int m_limitMs;
    int m_depth = 0;
    qint64 m_spentMs = 0;
};

// Runs Windows tools through wine, in a given prefix, waiting for each with
// the program's events flowing (EventWait) and within the command's
// allowance. A hang ends the call's whole process group; a missing wine, an
// answer too large or one that is not text come back as a reason, so the
// window that asked can say so.
class WineTool final
{
public:
    // No answer of a registry tool comes near this; a tool that floods its
    // output is stopped there.
    static constexpr qsizetype MostOutputBytes = 1024 * 1024;

    struct Result
    {
        bool finished = false; // the tool ran and ended within the allowance
        int exitCode = -1;
        QByteArray output; // what it wrote, both channels
        QString problem;   // why it did not finish; empty when it did
        // The output is text (no control characters but line ends and tabs,
        // in the system's encoding); a tool's answer in any other form cannot be read.
        bool readable() const;
    };

    // A call started and not yet waited for.
    class Call
    {
    public:
        virtual ~Call() = default;
        // Waits for the call's end, within the allowance left when it is asked.
        virtual Result finish() = 0;
    };

    WineTool(QString wine, QString prefix, EventWait &wait, std::shared_ptr<WineBudget> budget)
        : m_wine(std::move(wine)), m_prefix(std::move(prefix)), m_wait(&wait), m_budget(std::move(budget))
    {}

    const QString &prefix() const { return m_prefix; }
    Result run(const QStringList &arguments) const;
    // Starts a call that runs while the program does other work.
    std::unique_ptr<Call> start(const QStringList &arguments) const;

private:
    QString m_wine;
    QString m_prefix;
    EventWait *m_wait;
    std::shared_ptr<WineBudget> m_budget;
};
