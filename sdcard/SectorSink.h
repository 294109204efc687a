#pragma once
// Where the card image's sectors go: an image file on the PC, or the card's raw block device.
#include "data/FileIO.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

namespace kx4 {

constexpr std::uint32_t kSectorSize = 512;
using Sector = std::array<std::uint8_t, kSectorSize>;

// `bytes` rounded up to whole sectors.
constexpr std::uint32_t WholeSectors(std::size_t bytes)
{
    return static_cast<std::uint32_t>((bytes + kSectorSize - 1) / kSectorSize * kSectorSize);
}

class SectorSink {
public:
    virtual ~SectorSink() = default;

    // Writes one whole sector at `offset` bytes from the start of the card image (a multiple of
    // 512); the message of a failure names the file or device.
    virtual IoResult WriteSector(std::uint32_t offset, const Sector& sector) = 0;

    // Writes whole sectors back to back from `offset` (a multiple of 512); `bytes` holds a multiple
    // of 512 bytes. Sinks that can move many sectors in one transfer override this.
    virtual IoResult WriteSectors(std::uint32_t offset, std::span<const std::uint8_t> bytes)
    {
        Sector sector;
        for (std::size_t at = 0; at + kSectorSize <= bytes.size(); at += kSectorSize) {
            std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), kSectorSize, sector.begin());
            if (IoResult r = WriteSector(offset + static_cast<std::uint32_t>(at), sector); !r)
                return r;
        }
        return IoResult::Ok();
    }

    // Forces every sector written so far onto the file or device.
    virtual IoResult Flush() = 0;
};

} // namespace kx4
