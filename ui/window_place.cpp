#include "ui/window_place.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// The start of a span of `length` near `start` that lies within [low, low + room),
// or `low` when it cannot.
int within(int start, int length, int low, int room) { return std::max(low, std::min(start, low + room - length)); }

// Until the window system has framed a window, Qt takes its frame for its client area.
bool frameKnown(const QWidget* window) { return window->frameGeometry() != window->geometry(); }

} // namespace

QPoint keptWithin(QSize size, QPoint at, const QRect& screen)
{
    return {within(at.x(), size.width(), screen.left(), screen.width()),
            within(at.y(), size.height(), screen.top(), screen.height())};
}

QPoint centredWithin(QSize size, const QRect& over, const QRect& screen)
{
    // Centred by the corner, so that odd and even sizes round alike.
    const QPoint corner(over.left() + (over.width() - size.width()) / 2,
                        over.top() + (over.height() - size.height()) / 2);
    return keptWithin(size, corner, screen);
}

QMargins frameMargins(const QWidget* window)
{
    const QRect outer = window->frameGeometry(), inner = window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

QSize frameSize(const QWidget* window, const QMargins& usual)
{
    return frameKnown(window) ? window->frameGeometry().size() : window->size().grownBy(usual);
}

void moveFrame(QWidget* window, QPoint to, const QMargins& usual)
{
    // Qt places a window by its frame only once it knows the frame.
    window->move(frameKnown(window) ? to : to + QPoint(usual.left(), usual.top()));
}

QRect availableAround(const QRect& area)
{
    const QScreen* screen = QGuiApplication::screenAt(area.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : area;
}
