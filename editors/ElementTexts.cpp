#include "editors/ElementTexts.h"

#include "assets/ArtworkSizes.h"
#include "data/modOrvel.h"

#include <cstdlib>

namespace kx4 {
namespace {

std::int32_t Power10(int n)
{
    std::int32_t p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

} // namespace

std::vector<std::string> ButtonTypeItems()
{
    std::vector<std::string> items{"Unused"};
    for (int n = 1; n <= 8; ++n)
        items.push_back("Push Button Input " + std::to_string(n));
    for (int n = 1; n <= 8; ++n)
        items.push_back("Turn ON Input " + std::to_string(n));
    for (int n = 1; n <= 8; ++n)
        items.push_back("Turn OFF Input " + std::to_string(n));
    items.push_back("Goto Home");
    for (int s = 1; s <= 15; ++s)
        items.push_back("Goto Screen " + TwoDigits(s));
    items.push_back("Goto Home W/Password");
    for (int s = 1; s <= 15; ++s)
        items.push_back("Goto Screen " + TwoDigits(s) + " W/Password");
    items.push_back("Color Control");
    items.push_back("Color Control With Tracking");
    return items;
}

std::string DeviceText(int bvAddress, int deviceOffset) { return Hex2(bvAddress + 1 + deviceOffset); }

std::vector<std::string> DeviceItems(int bvAddress, int devRange)
{
    std::vector<std::string> items;
    for (int i = 0; i <= devRange; ++i)
        items.push_back(DeviceText(bvAddress, i));
    return items;
}

std::string PasswordDigit(std::int32_t password, int index)
{
    // A damaged record may hold more than six digits or a sign; each box still shows one digit.
    const auto digit = std::abs(password / Power10(index) % 10);
    return std::string(1, static_cast<char>('0' + digit));
}

std::int32_t PasswordWithDigit(std::int32_t password, int index, int digit)
{
    // The six digits the boxes show, one replaced: a damaged record's other digits and sign go.
    const std::int32_t shown = static_cast<std::int32_t>(std::abs(static_cast<std::int64_t>(password)) % 1000000);
    const std::int32_t above = Power10(index + 1);
    const std::int32_t at = Power10(index);
    return shown / above * above + shown % at + digit * at;
}

std::vector<std::string> TextTypeItems()
{
    return {"Disabled",
            "Text",
            "Slider Value",
            "Dimmer Value",
            "Dim Bar Graph - Small Blue",
            "Dim Bar Graph - Small Green",
            "Dim Bar Graph - Small Gray",
            "Dim Bar Graph - Large Blue",
            "Dim Bar Graph - Large Green",
            "Dim Bar Graph - Large Gray",
            "Clock - 12 Hour",
            "Clock - 24 Hour",
            "Date"};
}

std::vector<std::string> FontSizeItems() { return {"Small", "Medium", "Large", "Extra Large"}; }

std::optional<std::string> TextSample(int type, int year)
{
    switch (type) {
    case 2:
    case 3:
        return "100%";
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
        return "";
    case 10:
        return "12:59 AM";
    case 11:
        return "00:59";
    case 12:
        return "01/01/" + TwoDigits(((year % 100) + 100) % 100);
    default:
        return std::nullopt;
    }
}

std::optional<PicSize> SizeForFont(int fontSize)
{
    if (fontSize < 0 || fontSize >= kTextBoxCount)
        return std::nullopt;
    return kTextBoxSizes[static_cast<std::size_t>(fontSize)];
}

TextControls TextControlsFor(int type)
{
    if (type == 0 || type == 1)
        return {true, true, true, true, false};
    if (type == 2 || type == 3)
        return {false, true, false, false, true};
    if (type >= 4 && type <= 9)
        return {false, false, false, false, true};
    if (type >= 10 && type <= 12)
        return {false, true, true, false, false};
    return {};
}

} // namespace kx4
