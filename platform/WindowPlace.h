#pragma once
// Placing and colouring the program's windows: design places in twips, every window kept inside the
// display's available area, filled backgrounds.
#include <QColor>
#include <QPoint>
#include <QRect>

class QWidget;

namespace kx4 {

class DisplaySize;

// What a window manager adds around a window, both sides together, pixels; counted until the window
// is on screen and its own frame is known.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 30;

// A design place in twips as whole pixels.
QRect TwipsRect(int left, int top, int width, int height);

// The top-left corner nearest `frame`'s at which it lies wholly inside `area`; a frame wider or
// higher than the area keeps its left or top edge on the area's, where its caption can be reached.
QPoint PlaceInside(QRect frame, QRect area);

// Moves `window`'s frame to `wanted` (screen pixels) when it lies wholly inside the display's
// available area there, else the least distance from there that brings it inside.
void PlaceWindow(QWidget& window, QPoint wanted, const DisplaySize& display);

// PlaceWindow at the middle of the display.
void CentreOnScreen(QWidget& window, const DisplaySize& display);

// Fills `widget`'s background with `back`; a valid `text` also colours its texts.
void FillBackground(QWidget& widget, const QColor& back, const QColor& text = QColor());

} // namespace kx4
