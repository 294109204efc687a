#pragma once
// Where the card image's sectors go: an image file on the PC, or the card's raw block device.
#include "data/FileIO.h"

#include <array>
#include <cstdint>

namespace kx4 {

constexpr std::uint32_t kSectorSize = 512;
using Sector = std::array<std::uint8_t, kSectorSize>;

class SectorSink {
public:
    virtual ~SectorSink() = default;

    // Writes one whole sector at `offset` bytes from the start of the card image (a multiple of
    // 512); the message of a failure names the file or device.
    virtual IoResult WriteSector(std::uint32_t offset, const Sector& sector) = 0;

    // Forces every sector written so far onto the file or device.
    virtual IoResult Flush() = 0;
};

} // namespace kx4
