#pragma once

#include <QFont>
#include <QStringList>

#include <initializer_list>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

// Control geometry is designed in twips (1/1440 inch); 15 twips make one
// pixel at 96 dpi, and the screen's logical dpi scales from there.
[[nodiscard]] int twips(int value);
void placeTwips(QWidget* widget, int left, int top, int width, int height);
// Gives a window its fixed client size. Each time it is shown it is fitted to
// its screen: where the window, frame and all, is larger than the screen's
// available area at the screen's scale, it is shown at the largest scale at
// which it fits, its controls placed and its fonts sized at that scale too, so
// that its layout in twips stays as designed.
void sizeClientTwips(QWidget* window, int width, int height);

// The fixed-pitch font of the entry lists, at the given size: Courier New,
// else Consolas, else Lucida Console, whichever is present and really fixed-pitch.
[[nodiscard]] QFont listFont(qreal pointSize);
// The first of `families` that resolves to a fixed-pitch face, else the
// system's fixed font, else any family the system has that is fixed-pitch.
[[nodiscard]] QFont fixedPitchFont(const QStringList& families, qreal pointSize);

// A named control placed in twips, the way every window builds its controls.
QPushButton* button(QWidget* parent, const char* name, const char* caption, int left, int top, int width, int height);
QLabel* label(QWidget* parent, const char* name, const char* caption, int left, int top, int width, int height);

// `text` as a word-wrapped label of fixed size shows it whole: a label breaks
// lines only between words, so a long path or quoted entry would run past its
// edge. A zero-width space after each path separator, and within any longer
// run of characters, lets the line break there and shows nothing.
[[nodiscard]] QString breakableText(const QString& text);

// The keyboard visits the named controls of `window` one after the other.
void chainTabOrder(QWidget* window, std::initializer_list<const char*> names);

// A sunken horizontal line across `width` twips at height `y` of `parent`,
// between a window's work and its closing buttons.
QFrame* separatorLine(QWidget* parent, int left, int y, int width);
