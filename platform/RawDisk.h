#pragma once
// Raw sector access to a card's block device: one device open at a time, whole 512-byte sectors
// at aligned offsets, and every open for writing checked first so that no other disk is touched.
#include "data/FileIO.h"
#include "platform/DiskService.h"
#include "platform/Drives.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace kx4 {

constexpr std::uint32_t kRawSectorSize = 512;

// How device nodes are reached: the program opens /dev, tests open image files in their place.
struct DeviceNodes {
    // The node to open for a kernel device name.
    std::function<std::filesystem::path(const std::string& name)> Path;
    // The device number of an open descriptor when it is a block device, none otherwise.
    std::function<std::optional<MajorMinor>(int fd)> Identify;
    // Asked to open a removable card's node that the user may not open, and to mount and unmount
    // its volumes; none: nobody is asked.
    std::shared_ptr<DiskService> service;

    // /dev/<name>, fstat's st_rdev of block devices, and UDisks2 on the system bus.
    static DeviceNodes Real();
};

class RawDisk {
public:
    // `discovered` is the scan the user chose from; each open checks the device against it.
    explicit RawDisk(DriveScan discovered, DeviceNodes nodes = DeviceNodes::Real());
    ~RawDisk(); // closes as CloseDrive does, ignoring its result
    RawDisk(const RawDisk&) = delete;
    RawDisk& operator=(const RawDisk&) = delete;

    // Opens the whole disk of physical number n for reading; fails with
    // "Could not open physical drive " + n, a second line saying why. Every open that the user's
    // permissions refuse is asked of the disk service, for a removable card only.
    IoResult OpenPhysRead(int n);
    // Opens the whole disk of physical number n for writing, only when it is still the removable
    // disk that was discovered and nothing mounts, stacks on or swaps to it.
    IoResult OpenPhysWrite(int n);
    // Opens the volume of a drive letter (either case) for writing, under the same checks;
    // fails with "Could not open drive " + letter + ":".
    IoResult OpenDriveWrite(char letter);
    // Flushes what was written and closes the device; closing nothing is ok.
    IoResult CloseDrive();

    // Reads the sector at `offset` bytes (a multiple of 512); on failure `SectorBuf` is zeroed.
    IoResult ReadSector(std::uint32_t offset, std::span<std::uint8_t, kRawSectorSize> SectorBuf);
    // Writes one sector at `offset` bytes (a multiple of 512) of a device open for writing.
    IoResult WriteSector(std::uint32_t offset, std::span<const std::uint8_t, kRawSectorSize> sector);
    // Writes whole sectors back to back from `offset` (a multiple of 512) in one transfer.
    IoResult WriteSectors(std::uint32_t offset, std::span<const std::uint8_t> sectors);
    // Forces everything written so far onto the device.
    IoResult Flush();

    bool IsOpen() const { return hDisk >= 0; }
    // The node of the open device (/dev/sdb), empty when none is open.
    const std::string& OpenNode() const { return node_; }

private:
    // The whole disk, and the volume to open on it (the disk itself or a partition).
    struct Target {
        const BlockDisk* disk = nullptr;
        std::string volume;
        std::optional<MajorMinor> dev;
    };
    IoResult OpenPhys(int n, bool write);
    IoResult Open(const std::string& failure, const std::string& label, const Target& target, bool write);
    std::optional<std::string> Refusal(const Target& target, bool write) const;
    // Opens the target through the disk service; none when there is no one to ask about it.
    std::optional<IoResult> OpenThroughService(const Target& target, bool write, const std::string& node,
                                               UniqueFd& fd) const;

    DriveScan discovered_;
    DeviceNodes nodes_;
    int hDisk = -1;
    bool writable_ = false;
    std::string label_; // "physical drive 1", "drive E:"
    std::string node_;
};

} // namespace kx4
