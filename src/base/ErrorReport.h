#pragma once

#include <functional>

class MessageBoxes;
class QString;
class Shell;
struct ShellStart;

// The program's general error report: runs a handler and shows the text of an
// error that ends it in an error box, so the program goes on.
void runReported(MessageBoxes &messages, const std::function<void()> &handler);

// Starts a program through the shell and watches its first moments
// (Shell::start); why it did not start, when that needs saying, is shown in
// an error box.
ShellStart startReported(Shell &shell, MessageBoxes &messages, const QString &file, const QString &parameters,
                         const QString &workingFolder);
