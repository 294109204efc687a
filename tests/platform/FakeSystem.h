#pragma once
// A fake /sys/block tree, mount table and swap table in a temporary folder, and image files that
// stand in for device nodes.
#include "platform/RawDisk.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kx4::test {

class FakeSystem {
public:
    explicit FakeSystem(std::filesystem::path root);

    SystemTables Tables() const;

    // A whole disk: "dev" as major:minor, "size" in 512-byte sectors, "removable", "device/model".
    void Disk(const std::string& name, const std::string& dev, std::uint64_t sectors, bool removable,
              const std::string& model = "");
    void Partition(const std::string& disk, const std::string& name, const std::string& dev, std::uint64_t sectors);
    // A device-mapper device stacked on `under` (a disk name, or "disk/partition").
    void Holder(const std::string& under, const std::string& holder, const std::string& dev, const std::string& dmName);
    void Mount(const std::string& dev, const std::string& point, const std::string& source,
               const std::string& fsType = "vfat");
    // Removes every mount at `point`.
    void Unmount(const std::string& point);
    void Swap(const std::string& path);
    // Writes or removes a file under the fake /sys/block.
    void Set(const std::string& relative, const std::string& text);
    void Remove(const std::string& relative);

    // An image file standing in for the node of `name`: `sectors` long, filled with `fill`,
    // identified as the block device `dev`.
    std::filesystem::path Image(const std::string& name, const std::string& dev, std::uint64_t sectors,
                                std::uint8_t fill = 0xEE);
    // Opens the images made here; anything else is not a block device. `service` is asked where
    // the user may not open an image.
    DeviceNodes Nodes(std::shared_ptr<DiskService> service = nullptr) const;

private:
    void WriteTables() const;

    std::filesystem::path root_;
    std::vector<std::pair<std::string, std::string>> mounts_; // mount point, mountinfo line
    std::vector<std::string> swaps_;
    std::shared_ptr<std::map<std::pair<dev_t, ino_t>, MajorMinor>> images_;
};

// A desktop: a system NVMe disk (EFI, root through device-mapper, swap through device-mapper),
// a fixed data disk mounted under /mnt, a mounted USB card (sdb1), an unpartitioned card (sdc),
// an empty reader (sdd), a card behind a device-mapper holder (sde1), an optical drive, a zram
// swap, loop devices and a network share.
void BuildDesktop(FakeSystem& sys);

std::string FirstLine(const std::string& text);

// The device of the file system that holds `path`, as "major:minor": what a mount table names for
// a folder that stands for a mount point.
std::string DevOf(const std::filesystem::path& path);

} // namespace kx4::test
