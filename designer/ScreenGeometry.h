#pragma once
// Sizes and places of the main window, its element-list frames and the layout area for the panel's
// size and orientation, in twips (15 per pixel) unless said otherwise.
#include "data/PanelSizes.h"

#include <optional>
#include <string>

namespace kx4 {

// A display at least this high (twips) shows an 800 x 480 portrait panel whole, without panning.
constexpr int kTallDisplayTwips = 14925;

// Left edges of the element-list frames before the wide-panel offset.
constexpr int kButtonsFrameLeft = 7800;
constexpr int kPilotsFrameLeft = 10440;
constexpr int kSlidersFrameLeft = 12600;
constexpr int kTextsFrameLeft = 12600;

struct WindowGeometry {
    bool resize = false;    // false: the window keeps its size (damaged panel size)
    int height = 0;         // outer window size, twips
    int width = 0;
    int frameOffset = 0;    // added to every frame's left edge
};
// The main window for panel size `scnRes`, orientation `layout` (0 landscape, else portrait) on a
// display `displayHeight` twips high.
WindowGeometry ScreenResGeometry(int scnRes, int layout, int displayHeight);

struct LayoutGeometry {
    bool panOn = false;     // the pan bar is shown
    int layoutWidth = 0;    // picLayout, twips, its 2-pixel border included
    int layoutHeight = 0;
    int panWidth = 0;       // the viewport picPan
    int panHeight = 0;
};
LayoutGeometry ScreenShapeGeometry(int scnRes, int layout, int displayHeight);


} // namespace kx4
