#pragma once

#include <functional>

class MessageBoxes;

// The program's general error report: runs a handler and shows the text of an
// error that ends it in an error box, so the program goes on.
void runReported(MessageBoxes &messages, const std::function<void()> &handler);
