#pragma once
// The card's raw block device as the destination of the card image's sectors.
#include "platform/RawDisk.h"
#include "sdcard/SectorSink.h"

namespace kx4 {

class RawDeviceSink final : public SectorSink {
public:
    // `disk` must stay open for writing while the sink is used.
    explicit RawDeviceSink(RawDisk& disk) : disk_(disk) {}

    IoResult WriteSector(std::uint32_t offset, const Sector& sector) override { return disk_.WriteSector(offset, sector); }
    IoResult WriteSectors(std::uint32_t offset, std::span<const std::uint8_t> bytes) override
    {
        return disk_.WriteSectors(offset, bytes);
    }
    IoResult Flush() override { return disk_.Flush(); }

private:
    RawDisk& disk_;
};

} // namespace kx4
