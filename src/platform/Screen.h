#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class Screen
{
public:
    virtual ~Screen() = default;
    // The size of the main screen.
    virtual QSize size() const = 0;
    // Where every screen is, the main one first.
    virtual QList<QRect> screens() const = 0;
};
