#pragma once

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QObject>

// Waits for something outside the program (a Wine call, a program just
// started) the way the HTTP client waits for a transfer: the program's events
// keep flowing, so its windows repaint and its timers tick. User input is held
// off and dropped meanwhile, so no second command starts while one waits, and
// the windows say so with a busy pointer (waitStarted, waitEnded).
class EventWait final : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Runs the program's events until `signal` of `sender` is emitted or
    // `deadline` passes; true when the signal came first.
    template <typename Sender, typename Signal>
    bool until(const Sender *sender, Signal signal, QDeadlineTimer deadline)
    {
        QEventLoop loop;
        QObject::connect(sender, signal, &loop, [&loop] { loop.exit(1); });
        return run(loop, deadline);
    }

    // Whether a wait is running now.
    bool waiting() const { return m_depth > 0; }

signals:
    void waitStarted();
    void waitEnded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool run(QEventLoop &loop, QDeadlineTimer deadline);

    int m_depth = 0;
};
