#include "designer/PreviewTexts.h"

#include <cstdio>

namespace kx4 {

RowText ButtonRowText(int type, const std::string& dd, std::int32_t password)
{
    const auto n = [](int v) { return std::to_string(v); };
    const auto input = [&](int number) { return "D:" + dd + " I:" + n(number); };
    char pw[16];
    std::snprintf(pw, sizeof pw, "%06d", static_cast<int>(password));

    if (type == 0)
        return {"Disabled", ""};
    if (type >= 1 && type <= 8)
        return {"Mom In:" + n(type) + " Dev:" + dd, input(type)};
    if (type >= 9 && type <= 16)
        return {"Turn ON In:" + n(type - 8) + " Dev:" + dd, input(type - 8)};
    if (type >= 17 && type <= 24)
        return {"Turn OFF In:" + n(type - 16) + " Dev:" + dd, input(type - 16)};
    if (type == 25)
        return {"Goto Home", "Goto Home"};
    if (type >= 26 && type <= 40)
        return {"Goto Screen:" + n(type - 25), "Goto Screen:" + n(type - 25)};
    if (type == 41)
        return {std::string("Goto Screen Home") + " PW:" + pw, "Goto Screen Home"};
    if (type >= 42 && type <= 56)
        return {"Goto Screen:" + n(type - 41) + " PW:" + pw, "Goto Screen:" + n(type - 41)};
    if (type == 57)
        return {"Color Control", "Color Control"};
    if (type == 58)
        return {"Color Control With Tracking", "Color Control With Tracking"};
    return {"", ""};
}

RowText PilotRowText(int enabled, int pilotNum, const std::string& dd)
{
    if (enabled == 0)
        return {"Disabled", ""};
    if (enabled == 1) {
        const std::string n = std::to_string(pilotNum + 1);
        return {"Enabled Pilot:" + n + " Dev:" + dd, "D:" + dd + " P:" + n};
    }
    return {"", ""};
}

RowText SliderRowText(int image, int track, const std::string& dd)
{
    if (image == 0)
        return {"Disabled", ""};
    if (track == 0)
        return {"Enabled Dev:" + dd, "D:" + dd};
    return {"E/Track Dev:" + dd, "D:" + dd};
}

std::optional<std::string> TextRowText(int type, const std::string& dd)
{
    switch (type) {
    case 0: return "Disabled";
    case 1: return "Text";
    case 2: return "Slider Dev:" + dd;
    case 3: return "Dimmer Dev:" + dd;
    case 4: case 5: case 6: case 7: case 8: case 9: return "Dim Bar Dev:" + dd;
    case 10: return "12H Clock";
    case 11: return "24H Clock";
    case 12: return "Date";
    default: return std::nullopt;
    }
}

} // namespace kx4
