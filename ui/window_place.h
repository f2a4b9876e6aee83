#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where the program's windows open. Positions are those of a window's frame,
// as the window system places it.

// The top-left corner of a frame of `size` centred over `over` and moved as
// little as needed to lie wholly within `screen`; a frame larger than the
// screen keeps its top-left corner on it, where its title bar can be reached.
[[nodiscard]] QPoint centredWithin(QSize size, const QRect& over, const QRect& screen);

// The top-left corner nearest to `at` at which a frame of `size` lies wholly
// within `screen` (again the top-left corner first when it cannot).
[[nodiscard]] QPoint keptWithin(QSize size, QPoint at, const QRect& screen);

// The width of the frame around `window` on each side: none until the window
// system has framed it.
[[nodiscard]] QMargins frameMargins(const QWidget* window);

// The frame `window` has or, before the window system framed it, will have:
// the window system draws the same frame around every window of the program,
// so `usual` (the frame of a window shown before) tells its width.
[[nodiscard]] QSize frameSize(const QWidget* window, const QMargins& usual);

// Moves the frame of `window` to `to`, its frame as frameSize tells it.
void moveFrame(QWidget* window, QPoint to, const QMargins& usual);

// The part of the screen around `area` that windows may take (without panels).
[[nodiscard]] QRect availableAround(const QRect& area);
