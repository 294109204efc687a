#pragma once
// Measures the texts of a window against the controls that show them, each in the font it is
// drawn in, so that a cut-off caption fails a test and names its control.
#include <QString>

#include <string>
#include <vector>

class QLabel;
class QWidget;

namespace kx4::test {

// Every text of `window` that its control cannot show whole, as "objectName: text": label
// captions (word-wrapped ones by their wrapped height), push button, check box and option captions
// (a check box whose "wordWrap" property is true wraps), every entry of every list, frame titles,
// and the items of the menu bar and of every menu; and every control of a frame that reaches the
// frame's line or title. Nothing inside a widget of `skip` is measured.
std::vector<std::string> ClippedTexts(const QWidget& window, const std::vector<const QWidget*>& skip = {});

// The texts of `texts` that `label` could not show whole, as "objectName: text".
std::vector<std::string> ClippedInLabel(const QLabel& label, const std::vector<QString>& texts);

// The text of `texts` that takes the most room on one line in `label`'s font.
QString Widest(const QLabel& label, const std::vector<QString>& texts);

} // namespace kx4::test
