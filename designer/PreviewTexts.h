#pragma once
// What the settings lists and tooltips say about an element.
#include "designer/render/TextStyles.h"
#include "editors/ElementTexts.h" // DeviceText

#include <cstdint>
#include <optional>
#include <string>

namespace kx4 {

struct RowText {
    std::string row;     // the settings-list row
    std::string tooltip; // the tooltip of the element's controls
};

// `dd` is DeviceText of the element; `password` is ButtonRec.Password.
RowText ButtonRowText(int type, const std::string& dd, std::int32_t password);
// `pilotNum` is PilotRec.PilotNum (shown counted from 1).
RowText PilotRowText(int enabled, int pilotNum, const std::string& dd);
RowText SliderRowText(int image, int track, const std::string& dd);
// The Text row; none for a type above 12, whose row stays as it was.
std::optional<std::string> TextRowText(int type, const std::string& dd);

} // namespace kx4
