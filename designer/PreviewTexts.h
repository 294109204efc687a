#pragma once
// What the settings lists and tooltips say about an element, and the caption and text fonts of the
// element previews.
#include <cstdint>
#include <optional>
#include <string>

namespace kx4 {

// The device address shown for an element: two hex digits of node index + 1 + device offset.
std::string DeviceText(int bvAddress, int deviceOffset);

struct RowText {
    std::string row;     // the settings-list row
    std::string tooltip; // the tooltip of the element's controls
};

// `dd` is DeviceText of the element; `password` is ButtonRec.Password.
RowText ButtonRowText(int type, const std::string& dd, std::int32_t password);
// `pilotNum` is PilotRec.PilotNum (shown counted from 1).
RowText PilotRowText(int enabled, int pilotNum, const std::string& dd);
RowText SliderRowText(int image, int track, const std::string& dd);
// The Text row; none for a type above 12, whose row stays as it was.
std::optional<std::string> TextRowText(int type, const std::string& dd);

// A button caption by ButtonDsn.SizeClass: font size and the inset from the face's corner.
struct CaptionStyle {
    int points = 0;
    int insetTwips = 0; // ButtonDsn.TxtX and TxtY
};
// None for a size class outside 0-3, which leaves font and insets as they were.
std::optional<CaptionStyle> ButtonCaptionStyle(int sizeClass);

// A text object's font by TextDsn.FontSize; none outside 0-3, which leaves the font as it was.
struct TextFontStyle {
    int points = 0;
    bool bold = false;
};
std::optional<TextFontStyle> TextFontOf(int fontSize);

// Font points as pixels at 96 dots per inch, rounded (8 pt -> 11 px).
constexpr int PointsToPixels(int points) { return (points * 96 + 36) / 72; }

} // namespace kx4
