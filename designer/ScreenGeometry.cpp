#include "designer/ScreenGeometry.h"

#include "data/PanelSizes.h"

namespace kx4 {

WindowGeometry ScreenResGeometry(int scnRes, int layout, int displayHeight)
{
    constexpr int kHeight = 9765;
    constexpr int kWidth = 14535;
    constexpr int kWide = 4800;
    switch (scnRes) {
    case 0:
    case 1:
        return {true, kHeight, kWidth, 0};
    case 2:
        if (layout == 0)
            return {true, kHeight, kWidth + kWide, kWide};
        return {true, displayHeight >= kTallDisplayTwips ? 14325 : kHeight, kWidth, 0};
    default:
        return {false, 0, 0, 0};
    }
}

LayoutGeometry ScreenShapeGeometry(int scnRes, int layout, int displayHeight)
{
    LayoutGeometry g;
    g.panOn = scnRes == 2 && layout > 0 && displayHeight < kTallDisplayTwips;
    const PicSize panel = PanelDisplaySize(scnRes, false);
    const int w = (panel.width + 4) * kTwipsPerPixel;
    const int h = (panel.height + 4) * kTwipsPerPixel;
    if (layout == 0) {
        g.layoutWidth = g.panWidth = w;
        g.layoutHeight = g.panHeight = h;
    } else {
        g.layoutWidth = g.panWidth = h;
        g.layoutHeight = w;
        g.panHeight = scnRes >= 2 && displayHeight < kTallDisplayTwips ? 7200 : w;
    }
    return g;
}

} // namespace kx4
