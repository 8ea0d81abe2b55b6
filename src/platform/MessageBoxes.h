#pragma once

#include <QString>

enum class MsgType
{
    Error,
    Warning,
    Information,
    Confirmation
};
enum class MsgButtons
{
    Ok,
    YesNo,
    YesNoCancel
};
enum class MsgAnswer
{
    Ok,
    Yes,
    No,
    Cancel
};

// A modal message box: type, exact text (line breaks as "\n") and button set;
// returns the button the user pressed.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(MsgType type, const QString &text, MsgButtons buttons) = 0;
};
