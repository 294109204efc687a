#pragma once
// The grid of the layout area: its sizes and colours, how many lines it has and where, and the
// snap of a position onto it. Places are panel pixels from the layout area's origin.
#include <array>
#include <cstdint>
#include <vector>

namespace kx4 {

// Grid sizes of the "Grid Size" items 0-3, panel pixels.
inline constexpr std::array<int, 4> kGridSizes{8, 16, 32, 64};
// Line colours of the "Grid Color" items 0-2 ("Black", "Gray", "White"), 0xRRGGBB.
inline constexpr std::array<std::uint32_t, 3> kGridColors{0x000000, 0x808080, 0xFFFFFF};
// Lines per direction at most.
inline constexpr int kMaxGridLines = 101;
// The widest and tallest layout area, border included (800 x 480 panel), panel pixels.
inline constexpr int kLargestLayoutPixels = 804;

// Lines of one direction for a display `displayTwips` long (15 twips per pixel) and a grid of
// `g` pixels: one per step of the display, at most 101, and never fewer than cover the largest
// layout area, whatever the display.
int GridLineCount(int displayTwips, int g);

// The places of those lines: g, 2g, 3g, … pixels.
std::vector<int> GridLinePlaces(int displayTwips, int g);

// `v` moved down (towards zero for a negative value) onto a multiple of `g`.
constexpr int SnapDown(int v, int g) { return v - v % g; }

} // namespace kx4
