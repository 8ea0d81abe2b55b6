#pragma once

#include <QSize>

class Screen
{
public:
    virtual ~Screen() = default;
    virtual QSize size() const = 0;
};
