#pragma once

#include <QFont>

class QWidget;

// Control geometry is designed in twips (1/1440 inch); 15 twips make one
// pixel at 96 dpi, and the screen's logical dpi scales from there.
[[nodiscard]] int twips(int value);
void placeTwips(QWidget* widget, int left, int top, int width, int height);
void sizeClientTwips(QWidget* window, int width, int height);

// The fixed-pitch font of the entry lists: Courier New where it resolves to a
// fixed-pitch face, else the system's fixed font, at the given size.
[[nodiscard]] QFont listFont(qreal pointSize);
