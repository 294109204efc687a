#pragma once
// The list texts of the element dialogs, the rules of the Button dialog's password boxes and the
// Text dialog's rules per display type.
#include "data/PanelSizes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kx4 {

// Entries of the position and size lists: "0" to "799", list index = panel pixels.
constexpr int kPositionCount = 800;

// The Button dialog's 59 action types; list index = ButtonRec.Type.
std::vector<std::string> ButtonTypeItems();

// The device address shown for an element: two hex digits of node index + 1 + device offset.
std::string DeviceText(int bvAddress, int deviceOffset);

// The device list: DeviceText of offsets 0 to `devRange`; empty for a negative range.
std::vector<std::string> DeviceItems(int bvAddress, int devRange);

// The password boxes are enabled for the " W/Password" types, 41 to 56.
constexpr bool PasswordType(int type) { return type >= 41 && type <= 56; }

// Decimal digit `index` (0 = units, 5 = hundred-thousands) of `password`, as one character.
std::string PasswordDigit(std::int32_t password, int index);

// The six lowest decimal digits of `password`, as the boxes show them, with digit `index`
// (0 = units) replaced by `digit`.
std::int32_t PasswordWithDigit(std::int32_t password, int index, int digit);

// The Text dialog's 13 display types; list index = TextRec.Type.
std::vector<std::string> TextTypeItems();

// The font sizes; list index = TextDsn.FontSize.
std::vector<std::string> FontSizeItems();

// The text a Text object takes when `type` is chosen in a year ending in `year` % 100: "100%" for
// the values, empty for the bar graphs, the clock and date samples; none for types that keep their
// text (0, 1 and types no list shows).
std::optional<std::string> TextSample(int type, int year);

// Value, clock and date types take the size of their font size.
constexpr bool SizedByFont(int type) { return type == 2 || type == 3 || (type >= 10 && type <= 12); }

// The size in panel pixels of a Text object sized by font size `fontSize`; none for sizes no list shows.
std::optional<PicSize> SizeForFont(int fontSize);

// Which controls of the Text dialog a display type enables; a type no list shows enables all.
struct TextControls {
    bool text = true;     // txtText
    bool fontSize = true; // cboFontSize
    bool color = true;    // cboTextColor
    bool size = true;     // cboWidth, cboHeight
    bool device = true;   // cboSldDev
    friend bool operator==(const TextControls&, const TextControls&) = default;
};
TextControls TextControlsFor(int type);

} // namespace kx4
