#pragma once

#include <QDate>
#include <QThread>

// Today's date, and pausing the one thread of the program (the splash window
// paces the start this way).
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual void sleep(int milliseconds) = 0;
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
};
