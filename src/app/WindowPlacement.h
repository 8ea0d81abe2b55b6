#pragma once

#include <QList>
#include <QMargins>
#include <QRect>

#include <optional>

// The main window's placement as closing stored it. A value that is absent,
// or not an integer, is empty.
struct StoredPlacement
{
    bool remembered = true; // "position"; when false only the size is restored, and centred
    bool maximized = false; // "maximize" is 1
    std::optional<int> left;
    std::optional<int> top;
    std::optional<int> width;
    std::optional<int> height;
};

struct WindowPlacement
{
    bool maximized = false;
    // Unless maximized: the top-left corner of the frame and the size of the
    // client area, as QWidget::move() and resize() take them.
    QRect geometry;
};

// Where the main window opens on `screens` (the main screen first). The size
// is bounded by the screen first, then the window is placed: at the stored
// position if the whole title bar lies on one screen there, else in the middle
// of the main screen. The title bar is the strip of the frame above the client
// area, as wide as the client area; the side borders do not count, since on
// some systems they are partly invisible and stick out past a screen edge.
// `frame` holds the frame's widths around the client area.
WindowPlacement mainWindowPlacement(const StoredPlacement &stored, const QList<QRect> &screens,
                                    const QMargins &frame);
