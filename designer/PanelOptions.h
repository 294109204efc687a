#pragma once
// The texts of the panel option lists and the rules between list positions and stored options.
#include <string>
#include <vector>

namespace kx4 {

// cboBVAddress: "Brivane Node: 01" to "Brivane Node: FB"; position k is node index k.
std::vector<std::string> BVAddressItems();
// cboBVRange: "Devices: 4  (Count = 0)" to "Devices: 64  (Count = F)".
std::vector<std::string> BVRangeItems();
// cboScnRes: the three panel sizes, position = PanelSettings.ScnRes.
std::vector<std::string> ScnResItems();
// cboCmdSet: position = PanelSettings.SDFormat.
std::vector<std::string> CmdSetItems();
// cboScreenNumber: "Home", "Screen: 01" to "Screen: 15".
std::vector<std::string> ScreenNumberItems();

// The list position that shows a stored value, -1 when the list cannot show it (damaged data).
int ListIndexFor(int value, int count);
// cboBVRange position of a stored PanelSettings.BVRange (3 -> 0, 63 -> 15); -1 outside the list.
int BVRangeListIndex(int bvRange);
// The PanelSettings.BVRange stored for a cboBVRange position: the highest device offset.
constexpr int BVRangeFromListIndex(int index) { return index * 4 + 3; }

// True when node index `addressIndex` with count position `rangeIndex` keeps the panel's highest
// device address (node address + highest offset) at 254 or below.
constexpr bool AddressRangeValid(int addressIndex, int rangeIndex)
{
    return (rangeIndex + 1) * 4 + addressIndex <= 254;
}

} // namespace kx4
