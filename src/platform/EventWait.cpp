#include "EventWait.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

bool EventWait::run(QEventLoop &loop, QDeadlineTimer deadline)
{
    QTimer timer;
    timer.setSingleShot(true);
    // A coarse timer may end the wait up to 5% early.
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, &loop, [&loop] { loop.exit(0); });
    if (!deadline.isForever())
        timer.start(std::chrono::milliseconds(std::max<qint64>(0, deadline.remainingTime())));
    if (m_depth++ == 0) {
        QCoreApplication::instance()->installEventFilter(this);
        emit waitStarted();
    }
    const int ended = loop.exec();
    if (--m_depth == 0) {
        QCoreApplication::instance()->removeEventFilter(this);
        emit waitEnded();
    }
    return ended == 1;
}

bool EventWait::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    case QEvent::Close:
        // The window's close button waits too; the program's own closing does not.
        if (event->spontaneous()) {
            event->ignore();
            return true;
        }
        return false;
    default:
        return QObject::eventFilter(watched, event);
    }
}
