#include "WindowPlacement.h"

namespace {

const QSize kMinimumSize(640, 480);

// The stored size, kept at least as large as the window can be and no wider
// than its title bar can lie on `screen`.
QSize boundedTo(QSize size, const QRect &screen, const QMargins &frame)
{
    const QSize room(screen.width() - frame.left() - frame.right(), screen.height());
    return size.boundedTo(room).expandedTo(kMinimumSize);
}

// Halves round toward zero, as integer division does.
QPoint centredOn(const QRect &screen, QSize size)
{
    return screen.topLeft() +
           QPoint(screen.width() / 2 - size.width() / 2, screen.height() / 2 - size.height() / 2);
}

QRect titleBar(QPoint at, QSize size, const QMargins &frame)
{
    return QRect(at.x() + frame.left(), at.y(), size.width(), frame.top());
}

} // namespace

WindowPlacement mainWindowPlacement(const StoredPlacement &stored, const QList<QRect> &screens,
                                    const QMargins &frame)
{
    if (stored.remembered && stored.maximized)
        return {true, QRect()};
    const QRect main = screens.isEmpty() ? QRect(0, 0, 800, 600) : screens.first();
    const QSize wanted(stored.width.value_or(main.width() < 800 ? 640 : 800),
                       stored.height.value_or(main.height() < 600 ? 480 : 600));
    const QSize onMain = boundedTo(wanted, main, frame);
    if (stored.remembered) {
        for (const QRect &screen : screens) {
            const QSize size = boundedTo(wanted, screen, frame);
            // A position that was not stored centres the window on the main screen.
            const QPoint middle = centredOn(main, size);
            const QPoint at(stored.left.value_or(middle.x()), stored.top.value_or(middle.y()));
            if (screen.contains(titleBar(at, size, frame)))
                return {false, QRect(at, size)};
        }
    }
    return {false, QRect(centredOn(main, onMain), onMain)};
}
