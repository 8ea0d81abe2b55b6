#pragma once

#include <QDate>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <functional>

// Today's date, and pausing the one thread of the program (the splash window
// paces the start this way).
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual void sleep(int milliseconds) = 0;
    // Pauses `milliseconds` in all and spends the start of the pause on
    // `meanwhile`: work that has to be done before the next step anyway then
    // does not lengthen the pause. Here the work comes before the whole pause.
    virtual void pause(int milliseconds, const std::function<void()> &meanwhile)
    {
        meanwhile();
        sleep(milliseconds);
    }
};

class SystemClock final : public Clock
{
public:
    QDate today() const override { return QDate::currentDate(); }
    void sleep(int milliseconds) override
    {
        if (milliseconds > 0)
            QThread::msleep(static_cast<unsigned long>(milliseconds));
    }
    void pause(int milliseconds, const std::function<void()> &meanwhile) override
    {
        QElapsedTimer spent;
        spent.start();
        meanwhile();
        sleep(std::max(0, milliseconds - int(spent.elapsed())));
    }
};
