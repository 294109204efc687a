#pragma once
// The multi-profile image file: a copy of the core image, then for every profile its configuration
// block and device map and its 16 screen pictures, each at a fixed byte offset.
#include "data/modOrvel.h"
#include "multiprofile/MPProject.h"
#include "sdcard/PictureConversion.h"
#include "sdcard/PictureTable.h"

#include <cstdint>

namespace kx4 {

// Bytes of the core image copied to the start of the file (bytes 0 to 0x504C000).
constexpr std::uint32_t kMPCoreBytes = kCardImageSize + 1;
constexpr std::uint32_t kMPConfigBase = 0x6000000;   // configuration block of profile 001
constexpr std::uint32_t kMPConfigStride = 0x10000;   // from one profile's block to the next
constexpr std::uint32_t kMPPicturesBase = 0x6800000; // screen 0 of profile 001
constexpr std::uint32_t kMPProfileStride = 0xC00000; // a profile's 16 picture slots
constexpr std::uint32_t kMPSlotSize = 0xC0000;       // one screen picture's slot

// Byte offset of the configuration block of profile index p (0-127); its device map follows at
// + 0x4000.
constexpr std::uint32_t MPConfigOffset(int p) { return kMPConfigBase + static_cast<std::uint32_t>(p) * kMPConfigStride; }

// Byte offset of the picture of screen s (0-15) of profile index p (0-127).
constexpr std::uint32_t MPPictureOffset(int p, int s)
{
    return kMPPicturesBase + static_cast<std::uint32_t>(p) * kMPProfileStride + static_cast<std::uint32_t>(s) * kMPSlotSize;
}

// Bytes of whole sectors a screen picture of display code `dispCode` (1-6) fills, header included.
inline std::uint32_t MPPictureBytes(int dispCode)
{
    const PicSize size = DispCodeScreenSize(dispCode);
    return PackedSize(kPicHeaderWords + static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height));
}

} // namespace kx4
