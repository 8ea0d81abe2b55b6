#pragma once

#include "ErrorReport.h"

#include <QObject>
#include <QString>

class MessageBoxes;
class QPushButton;
class QWidget;

// A push button named as the program's documents name it. Enter in a text
// field of its window does not press it.
QPushButton *namedButton(QWidget *parent, const char *name, const QString &caption);

// Connects `signal` of `sender` to `handler` of `window`; an error the
// handler raises is shown and ends only that handler.
template <typename Window, typename Sender, typename Signal>
void connectReported(Window *window, MessageBoxes &messages, Sender *sender, Signal signal,
                     void (Window::*handler)())
{
    QObject::connect(sender, signal, window, [window, &messages, handler] {
        runReported(messages, [window, handler] { (window->*handler)(); });
    });
}
