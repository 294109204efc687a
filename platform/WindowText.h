#pragma once
// How the program's windows show their texts: one font for every window, frame captions on the
// frame's line, and long paths cut in the middle to the label that shows them.
#include <QFont>
#include <QString>

class QGroupBox;
class QLabel;

namespace kx4 {

// The font of every window's captions, lists and menus: Calibri (drawn with Carlito) at
// 11 pixels, narrow enough for the longest settings-list row and dialog caption at their places.
QFont WindowFont();

// Draws `frame`'s caption on its line, as the design's frames are drawn, so that the first row
// inside (one caption height below the frame's top) stands clear of both.
void CaptionOnLine(QGroupBox& frame);

// Shows `text` in `label` whole when it fits, else cut in the middle ("…") to the label's width;
// the label's tooltip holds the whole text.
void SetElidedText(QLabel& label, const QString& text);

} // namespace kx4
