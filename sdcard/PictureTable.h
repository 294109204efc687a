#pragma once
// The card image layout and its picture table: the source file name and the byte offset of each of
// the 2,444 picture slots.
#include "assets/ArtworkSizes.h"

#include <array>
#include <cstdint>
#include <string>

namespace kx4 {

constexpr int kImgCount = 2444;

// Byte offsets of the card image.
constexpr std::uint32_t kConfigOffset = 0x0;        // PanelCfg, one byte per entry, 32 sectors
constexpr std::uint32_t kConfigSectors = 32;
constexpr std::uint32_t kDeviceMapOffset = 0x4000;  // DeviceMap, one sector
constexpr std::uint32_t kPicturesOffset = 0x10000;  // slot of row 0
constexpr std::uint32_t kCardImageSize = 0x504C000; // end of the last slot

// Rows of whole-screen pictures, stored without the three-word header.
constexpr int kFirstHeaderlessRow = 1446;
constexpr int kLastHeaderlessRow = 1565;

constexpr int kDispCodeCount = 6;

struct PictureTable {
    std::array<std::string, kImgCount> ImgName;   // source BMP file name, without folder
    std::array<std::int32_t, kImgCount> ImgOffset{}; // byte offset of the slot in the card image
};

// Fills every row from the family list; each call writes the same values.
void InitImageTable(PictureTable& table);

// The table, filled once for the program's life.
const PictureTable& ImageTable();

// Row accessors of ImageTable(); `row` is 0-2443.
const std::string& ImgName(int row);
std::uint32_t ImgOffset(int row);
// Bytes from the row's offset to the next row's (to the image end for the last row).
std::uint32_t SlotSize(int row);
// False for the whole-screen rows 1446-1565, whose pictures have no header words.
bool HasHeader(int row);
// The display code (1-6) whose screen pictures the row holds, 0 for every other row.
int PicFamilyOf(int row);
// The row of screen `screen` (0-15) of display code `dispCode` (1-6).
int ScreenRow(int dispCode, int screen);

// The screen size of display code 1-6; 0 x 0 for any other code.
PicSize DispCodeScreenSize(int dispCode);

} // namespace kx4
