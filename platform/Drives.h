#pragma once
// Drive discovery: the volumes behind the drive letters D: to O:, their drive types, and the
// physical number and device of each disk, read from sysfs, the mount table and the swap table.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx4 {

// Where the system's block devices, mounts and swap areas are read; tests hand in fakes.
struct SystemTables {
    std::filesystem::path sysBlock = "/sys/block";
    std::filesystem::path mountInfo = "/proc/self/mountinfo";
    std::filesystem::path swaps = "/proc/swaps";
};

// The codes of the platform's drive-type query.
enum DriveType : std::int32_t {
    kDriveUnknown = 0,
    kDriveNoRoot = 1, // no drive at that letter
    kDriveRemovable = 2,
    kDriveFixed = 3,
    kDriveRemote = 4,
    kDriveCDRom = 5,
    kDriveRamDisk = 6,
};

// A block device's number, as in sysfs "dev" files and st_rdev.
struct MajorMinor {
    unsigned majorNum = 0;
    unsigned minorNum = 0;
    bool operator==(const MajorMinor&) const = default;
    std::string ToString() const; // "8:16"
    static MajorMinor Of(std::uint64_t dev); // of a dev_t, as stat gives it
};

// A partition, or a whole disk that has none.
struct BlockVolume {
    std::string name;                     // kernel name, e.g. sdb1
    std::optional<MajorMinor> dev;        // none when sysfs gave no readable number
    std::uint64_t bytes = 0;
    std::vector<std::string> mountPoints; // its own mounts, then those of devices stacked on it
    std::optional<MajorMinor> mountDev;   // st_dev of its file system at mountPoints.front()
};

// A whole disk under /sys/block.
struct BlockDisk {
    std::string name;                     // kernel name, e.g. sdb
    std::optional<MajorMinor> dev;
    std::uint64_t bytes = 0;
    std::uint32_t logicalBlock = 512;     // bytes of its logical sector
    std::string model;
    std::string serial;                   // the medium's serial number where the kernel reports one
    std::int32_t type = kDriveFixed;
    bool system = false;                  // holds the running system, swap, or a mount outside the media folders
    int physNumber = -1;                  // 0 system, 1… other disks in name order, -1 none (optical, RAM, unknown)
    std::vector<BlockVolume> partitions;  // in partition order
    std::vector<std::string> mountPoints; // of the disk, its partitions and everything stacked on them
    std::optional<MajorMinor> mountDev;   // st_dev of the disk's own file system at its first mount
    std::vector<std::string> holders;     // devices stacked on it (dm-0, md0), nested ones too
    bool swap = false;                    // the disk, a partition or a stacked device is a swap area
};

// One lettered drive: a volume of a disk, or a network share.
struct Drive {
    char letter = 0;                      // 'D' to 'O'
    std::int32_t type = kDriveUnknown;
    std::string volume;                   // kernel name of the volume; empty for a network share
    std::string node;                     // /dev/sdb1, or the share's source
    std::string disk;                     // kernel name of the whole disk
    std::string diskNode;                 // /dev/sdb
    std::optional<MajorMinor> dev;        // the volume's
    std::optional<MajorMinor> diskDev;
    std::uint64_t bytes = 0;
    std::string model;
    std::string mountPoint;               // empty when not mounted
    std::optional<MajorMinor> mountDev;   // st_dev of the volume's file system at mountPoint
    int physNumber = -1;                  // the disk's, -1 when it has none or it is not known
};

// What discovery found, and where it looked (so the devices can be checked again before a write).
struct DriveScan {
    SystemTables tables;
    bool usageKnown = true;       // false when the mount or swap table could not be read
    std::vector<BlockDisk> disks; // in name order
    std::vector<Drive> drives;    // lettered from D:, removable ones first; at most twelve
};

constexpr char kFirstDriveLetter = 'D';
constexpr int kDriveOptionCount = 12; // D: to O:

// Reads the block devices, mounts and swap areas and letters the volumes D: to O:.
DriveScan DiscoverDrives(const SystemTables& tables = {});

// True when `now` is still the medium `was` describes: the same device number, size, model and
// serial number (another card in the same reader keeps the kernel name and device number).
bool SameMedium(const BlockDisk& was, const BlockDisk& now);

// The drive at a letter (either case), or nullptr.
const Drive* FindDrive(const DriveScan& scan, char letter);
// The whole disk of that kernel name, or nullptr.
const BlockDisk* FindDisk(const DriveScan& scan, std::string_view name);

// The drive type (kDriveNoRoot to kDriveRamDisk) of a letter, either case.
std::int32_t GetDriveInfo(const DriveScan& scan, char letter);

// The physical number of the disk behind a letter, either case; none when the letter has no
// disk or its device number could not be read.
std::optional<int> GetDeviceNumber(const DriveScan& scan, char letter);

// One drive option of the SD card writer window.
struct DriveOption {
    std::string caption;       // "D:  Removable /  Drive:1", "E:  Fixed", "F:  (None)", …
    bool DriveEnabled = false; // only removable drives with a known physical number
    int PhysDrive = -1;        // set for removable drives
    std::string toolTip;       // device, size, model and mount point
};

// The twelve drive options D: to O:.
std::array<DriveOption, kDriveOptionCount> FindDrives(const DriveScan& scan);

// True for mount points under /media, /run/media and /mnt, where removable media are mounted.
bool IsMediaMount(std::string_view mountPoint);

// A size for people, decimal units: "512 bytes", "7.9 GB".
std::string FormatSize(std::uint64_t bytes);

} // namespace kx4
