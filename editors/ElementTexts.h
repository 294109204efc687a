#pragma once
// The list texts of the element dialogs and the rules of the Button dialog's password boxes.
#include <cstdint>
#include <string>
#include <vector>

namespace kx4 {

// Entries of the position and size lists: "0" to "799", list index = panel pixels.
constexpr int kPositionCount = 800;

// The Button dialog's 59 action types; list index = ButtonRec.Type.
std::vector<std::string> ButtonTypeItems();

// The device list: Hex2(node index + 1 + offset) for offsets 0 to `devRange`; empty for a negative range.
std::vector<std::string> DeviceItems(int bvAddress, int devRange);

// The password boxes are enabled for the " W/Password" types, 41 to 56.
constexpr bool PasswordType(int type) { return type >= 41 && type <= 56; }

// Decimal digit `index` (0 = units, 5 = hundred-thousands) of `password`, as one character.
std::string PasswordDigit(std::int32_t password, int index);

// `password` with decimal digit `index` (0 = units) replaced by `digit`.
std::int32_t PasswordWithDigit(std::int32_t password, int index, int digit);

} // namespace kx4
