#pragma once
// The fonts of printed text and the caption insets, shared by the designer's previews and the
// card pictures.
#include <optional>

namespace kx4 {

// A button caption by ButtonDsn.SizeClass: font size and the inset from the face's corner.
struct CaptionStyle {
    int points = 0;
    int insetTwips = 0; // ButtonDsn.TxtX and TxtY
};
// None for a size class outside 0-3, which leaves font and insets as they were.
constexpr std::optional<CaptionStyle> ButtonCaptionStyle(int sizeClass)
{
    switch (sizeClass) {
    case 0: return CaptionStyle{8, 75};
    case 1: return CaptionStyle{12, 105};
    case 2: return CaptionStyle{18, 165};
    case 3: return CaptionStyle{24, 210};
    default: return std::nullopt;
    }
}

// A text object's font by TextDsn.FontSize; none outside 0-3, which leaves the font as it was.
struct TextFontStyle {
    int points = 0;
    bool bold = false;
};
constexpr std::optional<TextFontStyle> TextFontOf(int fontSize)
{
    switch (fontSize) {
    case 0: return TextFontStyle{8, true};
    case 1: return TextFontStyle{12, true};
    case 2: return TextFontStyle{18, false};
    case 3: return TextFontStyle{24, false};
    default: return std::nullopt;
    }
}

// Font points as whole pixels at 96 dots per inch, rounded (8 pt -> 11 px).
constexpr int PointsToPixels(int points) { return (points * 96 + 36) / 72; }

} // namespace kx4
