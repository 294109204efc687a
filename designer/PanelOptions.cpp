#include "designer/PanelOptions.h"

#include "data/modOrvel.h"

namespace kx4 {

std::vector<std::string> BVAddressItems()
{
    std::vector<std::string> items;
    for (int n = 1; n <= kMaxBVAddress + 1; ++n)
        items.push_back("Brivane Node: " + Hex2(n));
    return items;
}

std::vector<std::string> BVRangeItems()
{
    std::vector<std::string> items;
    for (int k = 0; k <= kMaxBVRange / 4; ++k)
        items.push_back("Devices: " + std::to_string((k + 1) * 4) + "  (Count = " + Hex1(k) + ")");
    return items;
}

std::vector<std::string> ScnResItems() { return {"4.3 (480x272)", "3.5 (320x240)", "7.0 (800x480)"}; }

std::vector<std::string> CmdSetItems() { return {"SD Format - SFC", "SD Format - Raw"}; }

std::vector<std::string> ScreenNumberItems()
{
    std::vector<std::string> items{"Home"};
    for (int s = 1; s < kScreenCount; ++s)
        items.push_back("Screen: " + TwoDigits(s));
    return items;
}

int ListIndexFor(int value, int count) { return value >= 0 && value < count ? value : -1; }

int BVRangeListIndex(int bvRange) { return bvRange >= 0 ? ListIndexFor(bvRange / 4, kMaxBVRange / 4 + 1) : -1; }

} // namespace kx4
