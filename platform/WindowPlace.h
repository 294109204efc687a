#pragma once
// Placing and colouring the program's windows: design places in twips, centring on the screen,
// filled backgrounds.
#include <QColor>
#include <QRect>

class QWidget;

namespace kx4 {

// A design place in twips as whole pixels.
QRect TwipsRect(int left, int top, int width, int height);

// Centres `window` on the screen it shows on (the primary one before it is shown).
void CentreOnScreen(QWidget& window);

// Fills `widget`'s background with `back`; a valid `text` also colours its texts.
void FillBackground(QWidget& widget, const QColor& back, const QColor& text = QColor());

} // namespace kx4
