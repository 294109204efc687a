// Windows kept inside the display's available area, moved no further than needed.
#include "platform/WindowPlace.h"

#include <gtest/gtest.h>

using namespace kx4;

TEST(WindowPlace, AFrameOutsideTheAreaMovesTheLeastDistanceInside)
{
    const QRect area(0, 40, 1366, 728); // a panel above
    struct Case {
        QRect frame;
        QPoint placed;
    };
    for (const Case& c : {
             Case{{100, 100, 400, 300}, {100, 100}},   // inside: where it was meant to be
             Case{{878, 118, 745, 503}, {621, 118}},   // past the right edge: left only
             Case{{-30, 20, 400, 300}, {0, 40}},       // past the left and top edges
             Case{{500, 600, 400, 300}, {500, 468}},   // past the bottom edge: up only
             Case{{200, 100, 1400, 800}, {0, 40}},     // larger than the area: its caption in it
         })
        EXPECT_EQ(PlaceInside(c.frame, area), c.placed) << c.frame.x() << ", " << c.frame.y();
}
