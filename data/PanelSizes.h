#pragma once
// Sizes in pixels: the panel's display by PanelSettings.ScnRes, the size type the pictures share, and
// twips, the unit of caption insets and window places (15 per pixel).
#include <array>

namespace kx4 {

struct PicSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PicSize&, const PicSize&) = default;
};

constexpr int kTwipsPerPixel = 15;

// Twips to whole pixels, rounded to the nearest.
constexpr int TwipsToPixels(int twips)
{
    return twips >= 0 ? (twips + 7) / kTwipsPerPixel : -((-twips + 7) / kTwipsPerPixel);
}

constexpr int kPanelSizeCount = 3; // "4.3 (480x272)", "3.5 (320x240)", "7.0 (800x480)"

// The display of panel size `scnRes` (0-2), landscape or portrait, pixels; 0 x 0 for any other value.
constexpr PicSize PanelDisplaySize(int scnRes, bool portrait)
{
    constexpr std::array<PicSize, kPanelSizeCount> landscape = {{{480, 272}, {320, 240}, {800, 480}}};
    if (scnRes < 0 || scnRes >= kPanelSizeCount)
        return {};
    const PicSize s = landscape[static_cast<std::size_t>(scnRes)];
    return portrait ? PicSize{s.height, s.width} : s;
}

} // namespace kx4
