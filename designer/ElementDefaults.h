#pragma once
// What the New commands of the Edit menu write: the lowest free slot of a kind on the current
// screen, and a new element there, with the defaults or copied from the chosen element.
#include <string>

namespace kx4 {

class modOrvel;

enum class ElementKind { Button, Pilot, Slider, Text };

// Number of slots of `kind` on one screen (32, 32, 8 or 16).
int SlotCount(ElementKind kind);

// True when `slot` of the current screen holds an element of `kind`; false outside the kind's slots.
bool SlotInUse(const modOrvel& m, ElementKind kind, int slot);

// The lowest free slot of `kind` on the current screen, or -1 when every slot is used.
int FindFreeSlot(const modOrvel& m, ElementKind kind);

// The selection word of `kind` (SelButton, SelPilot, SelSlider or SelText).
int ChosenSlot(const modOrvel& m, ElementKind kind);

// Writes a new element of `kind` into `slot` at (0, 0) panel pixels: a copy of slot `chosen` when
// that slot holds an element, else the defaults. A slider also gets the size of its picture.
void PlaceNewElement(modOrvel& m, ElementKind kind, int slot, int chosen);

// The notice shown when no slot of `kind` is free, and its title.
std::string AllUsedMessage(ElementKind kind);
std::string NewCommandTitle(ElementKind kind);

// A screen as Clear Screen names it: "Home" for screen 0, else two digits ("01" to "15").
std::string ScreenName(int screen);

} // namespace kx4
