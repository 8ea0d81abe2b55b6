#pragma once

#include <QString>

#include <optional>

class InputBox
{
public:
    virtual ~InputBox() = default;
    // A one-line input box; the text on OK, nothing on Cancel.
    virtual std::optional<QString> ask(const QString &caption, const QString &prompt,
                                       const QString &text) = 0;
};
