#pragma once
// Configuration finishing: the fields of the configuration block that only the panel reads, the
// device map, and writing both into the card image.
#include "data/modOrvel.h"
#include "sdcard/SectorSink.h"

#include <string_view>

namespace kx4 {

// lblFiles while the configuration is written.
inline constexpr std::string_view kConfigDataText = "Configuration Data.....Please Wait.....";

// An edge computed in 32 bits, stored as 8 below 0 and as 4095 above 4095.
constexpr int ClampEdge(int sum) { return sum < 0 ? 8 : (sum > 4095 ? 4095 : sum); }

// For all 16 screens: right and bottom edges of Buttons and Sliders, slider picture sizes, text
// font size and colour copies, and DeviceMap. Borrows CurScreen, ScrBase, DsnBase and CurObj as
// loop counters; restores the screen and leaves CurObj at 16.
void QVRBuild(modOrvel& m);

// Configuration sector s (0-31): PanelCfg entries s × 512 … s × 512 + 511, each modulo 256.
void ConfigSector(const modOrvel& m, int s, Sector& out);
// The device map sector: the 128 DeviceMap bytes, then zeros.
void DeviceMapSector(const modOrvel& m, Sector& out);

// Writes the 32 configuration sectors from byte `base` and the device map sector at base + 0x4000.
IoResult WriteDat(const modOrvel& m, SectorSink& sink, std::uint32_t base = 0);

} // namespace kx4
