#include "designer/GridRules.h"

#include "designer/ScreenGeometry.h"

#include <algorithm>
#include <cmath>

namespace kx4 {

int GridLineCount(int displayTwips, int g)
{
    if (g <= 0)
        return 0;
    // The last line index, rounded halves to even; lines 0 to n exist.
    const double n = std::nearbyint(static_cast<double>(displayTwips) / kTwipsPerPixel / g - 1);
    const int fromDisplay = static_cast<int>(std::clamp(n + 1, 0.0, double{kMaxGridLines}));
    // A display smaller than the layout area must not leave part of the area without lines.
    const int toCoverLayout = kLargestLayoutPixels / g;
    return std::max(fromDisplay, toCoverLayout);
}

std::vector<int> GridLinePlaces(int displayTwips, int g)
{
    std::vector<int> places;
    const int count = GridLineCount(displayTwips, g);
    places.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        places.push_back((i + 1) * g);
    return places;
}

} // namespace kx4
