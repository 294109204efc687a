#include "designer/DropRules.h"

#include "designer/ScreenGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kx4 {
namespace {

// Nearest whole number, halves to the even neighbour (the default rounding mode).
double RoundHalfEven(double v) { return std::nearbyint(v); }

} // namespace

std::int16_t GrabOffset(double twips)
{
    const double r = RoundHalfEven(twips);
    return static_cast<std::int16_t>(std::clamp(r, double{std::numeric_limits<std::int16_t>::min()},
                                                double{std::numeric_limits<std::int16_t>::max()}));
}

DropPlace DropPosition(double nx, double ny, int insetX, int insetY)
{
    const double left = nx - insetX;
    const double top = ny - insetY;
    if (left < 0 || top < 0)
        return {true, 0, 0};
    return {false, static_cast<int>(RoundHalfEven(left / kTwipsPerPixel)),
            static_cast<int>(RoundHalfEven(top / kTwipsPerPixel))};
}

} // namespace kx4
