#pragma once
// Where a dropped element lands: the new edge from the pointer and the grab offset, the refusal of
// a drop above or left of the layout area's origin, and the rounding to whole panel pixels.
#include <cstdint>

namespace kx4 {

// A pointer position inside a control, twips, rounded to the nearest whole twip (halves to even)
// and kept within 16 bits.
std::int16_t GrabOffset(double twips);

// A drop's result for the record: refused, or the element's new Left and Top in panel pixels.
struct DropPlace {
    bool refused = false;
    int left = 0;
    int top = 0;
};

// The new place of a control whose top-left corner lands at (`nx`, `ny`) twips on the layout
// area; `insetX`, `insetY` (twips) lie between the element's corner and the control (a Button
// caption), 0 for every other control.
DropPlace DropPosition(double nx, double ny, int insetX, int insetY);

} // namespace kx4
