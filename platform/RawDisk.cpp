#include "platform/RawDisk.h"

#include "platform/UDisks2.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx4 {
namespace fs = std::filesystem;

namespace {

std::string SysError(int err) { return std::strerror(err); }

std::string AtByte(std::uint32_t offset) { return " at byte " + std::to_string(offset) + "."; }

} // namespace

DeviceNodes DeviceNodes::Real()
{
    return {
        [](const std::string& name) { return fs::path("/dev") / name; },
        [](int fd) -> std::optional<MajorMinor> {
            struct stat st {};
            if (::fstat(fd, &st) != 0 || !S_ISBLK(st.st_mode))
                return std::nullopt;
            return MajorMinor::Of(st.st_rdev);
        },
        std::make_shared<UDisks2Service>(),
    };
}

RawDisk::RawDisk(DriveScan discovered, DeviceNodes nodes)
    : discovered_(std::move(discovered)), nodes_(std::move(nodes))
{
}

RawDisk::~RawDisk()
{
    CloseDrive();
}

IoResult RawDisk::OpenPhysRead(int n)
{
    return OpenPhys(n, false);
}

IoResult RawDisk::OpenPhysWrite(int n)
{
    return OpenPhys(n, true);
}

IoResult RawDisk::OpenPhys(int n, bool write)
{
    const std::string failure = "Could not open physical drive " + std::to_string(n);
    const auto disk = std::find_if(discovered_.disks.begin(), discovered_.disks.end(),
                                   [n](const BlockDisk& d) { return n >= 0 && d.physNumber == n; });
    if (disk == discovered_.disks.end())
        return IoResult::Fail(failure + "\nThere is no physical drive " + std::to_string(n) + ".");
    return Open(failure, "physical drive " + std::to_string(n), {&*disk, disk->name, disk->dev}, write);
}

IoResult RawDisk::OpenDriveWrite(char letter)
{
    const std::string drive = std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))) + ":";
    const std::string failure = "Could not open drive " + drive;
    const Drive* d = FindDrive(discovered_, letter);
    if (!d)
        return IoResult::Fail(failure + "\nDrive " + drive + " was not found.");
    const BlockDisk* disk = FindDisk(discovered_, d->disk);
    if (d->volume.empty() || !disk)
        return IoResult::Fail(failure + "\nDrive " + drive + " is not a disk of this computer.");
    return Open(failure, "drive " + drive, {disk, d->volume, d->dev}, true);
}

// Why the target may not be opened now, judged on a fresh look at the system.
std::optional<std::string> RawDisk::Refusal(const Target& target, bool write) const
{
    const BlockDisk& was = *target.disk;
    const std::string node = "/dev/" + was.name;
    if (!was.dev || !target.dev)
        return "The device number of " + node + " is not known.";

    const DriveScan now = DiscoverDrives(discovered_.tables);
    const BlockDisk* disk = FindDisk(now, was.name);
    if (!disk)
        return node + " is no longer present.";
    // Another card in the same reader keeps the kernel name and device number.
    const std::string changed = "The card in " + node + " has changed since the drives were listed.";
    if (!SameMedium(was, *disk))
        return changed;
    if (target.volume != was.name) {
        const auto named = [&](const BlockVolume& v) { return v.name == target.volume; };
        const auto part = std::find_if(disk->partitions.begin(), disk->partitions.end(), named);
        if (part == disk->partitions.end())
            return "/dev/" + target.volume + " is no longer present.";
        const auto listed = std::find_if(was.partitions.begin(), was.partitions.end(), named);
        if (part->dev != target.dev || listed == was.partitions.end() || part->bytes != listed->bytes)
            return changed;
    }
    if (!write)
        return std::nullopt;
    if (!now.usageKnown)
        return "The mount or swap table could not be read, so " + node + " may be in use.";

    // A card used only as swap is "system" too, but saying so would mislead.
    const bool swapOnly = disk->swap && std::all_of(disk->mountPoints.begin(), disk->mountPoints.end(),
                                                    [](const std::string& m) { return IsMediaMount(m); });
    if (was.physNumber == 0 || was.system || (disk->system && !swapOnly))
        return node + " is the system disk.";
    if (disk->swap)
        return node + " is in use as swap.";
    if (was.type != kDriveRemovable || disk->type != kDriveRemovable)
        return node + " is not a removable disk.";
    if (!disk->mountPoints.empty()) {
        const std::string& point = disk->mountPoints.front();
        const auto mounts = [&](const BlockVolume& v) {
            return std::find(v.mountPoints.begin(), v.mountPoints.end(), point) != v.mountPoints.end();
        };
        const auto part = std::find_if(disk->partitions.begin(), disk->partitions.end(), mounts);
        const std::string volume = "/dev/" + (part != disk->partitions.end() ? part->name : disk->name);
        return node + " is mounted at " + point + ".\nUnmount it first, for example: udisksctl unmount -b " + volume;
    }
    if (!disk->holders.empty())
        return node + " is in use by /dev/" + disk->holders.front() + ".";
    return std::nullopt;
}

IoResult RawDisk::Open(const std::string& failure, const std::string& label, const Target& target, bool write)
{
    if (IsOpen()) {
        if (const IoResult closed = CloseDrive(); !closed)
            return IoResult::Fail(failure + "\n" + closed.message);
    }
    if (const auto why = Refusal(target, write))
        return IoResult::Fail(failure + "\n" + *why);

    const fs::path path = nodes_.Path(target.volume);
    int fd;
    do {
        // O_EXCL on a block device: refused while it or a partition is mounted or held.
        fd = ::open(path.c_str(), (write ? O_WRONLY | O_EXCL : O_RDONLY) | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    bool handed = false;
    if (fd < 0) {
        const int err = errno;
        if (err == EBUSY)
            return IoResult::Fail(failure + "\n" + path.string() + " is in use by the system or another program.");
        const bool denied = err == EACCES || err == EPERM;
        UniqueFd service;
        const auto asked = denied ? OpenThroughService(target, write, path.string(), service) : std::nullopt;
        if (!asked && denied)
            return IoResult::Fail(failure + "\n" + path.string() + ": " + SysError(err) + "\nThis needs " +
                                  (write ? "write" : "read") + " access to " + path.string() +
                                  " (on Debian: membership of the group \"disk\").");
        if (!asked)
            return IoResult::Fail(failure + "\n" + path.string() + ": " + SysError(err));
        if (!*asked)
            return IoResult::Fail(failure + "\n" + asked->message);
        fd = service.release();
        handed = true;
    }
    const auto id = nodes_.Identify(fd);
    if (!id || *id != *target.dev) {
        ::close(fd);
        return IoResult::Fail(failure + "\n" + path.string() + " is not the block device " + target.dev->ToString() +
                              " that was listed.");
    }
    // While the service asked the user, the card may have been changed or mounted.
    if (const auto why = handed ? Refusal(target, write) : std::nullopt) {
        ::close(fd);
        return IoResult::Fail(failure + "\n" + *why);
    }
    hDisk = fd;
    writable_ = write;
    label_ = label;
    node_ = path.string();
    return IoResult::Ok();
}

std::optional<IoResult> RawDisk::OpenThroughService(const Target& target, bool write, const std::string& node,
                                                    UniqueFd& fd) const
{
    if (!nodes_.service)
        return std::nullopt;
    const DriveScan now = DiscoverDrives(discovered_.tables);
    const BlockDisk* disk = FindDisk(now, target.disk->name);
    if (!disk || !MayAskDiskService(*target.disk, *disk))
        return std::nullopt;
    const ServiceAnswer a = nodes_.service->OpenDevice({target.volume, *target.dev}, write, fd);
    switch (a.kind) {
    case ServiceAnswer::Done: return IoResult::Ok();
    case ServiceAnswer::Unavailable: break;
    case ServiceAnswer::Denied: return IoResult::Fail("Access to " + node + " was not granted.");
    case ServiceAnswer::Busy: return IoResult::Fail(node + " is in use by the system or another program.");
    case ServiceAnswer::Failed: return IoResult::Fail(node + ": " + a.message);
    }
    fd.reset();
    return std::nullopt;
}

IoResult RawDisk::CloseDrive()
{
    if (!IsOpen())
        return IoResult::Ok();
    IoResult result = IoResult::Ok();
    if (writable_ && ::fsync(hDisk) != 0)
        result = IoResult::Fail("Could not write to " + label_ + ".\n" + node_ + ": " + SysError(errno));
    if (::close(hDisk) != 0 && result)
        result = IoResult::Fail("Could not write to " + label_ + ".\n" + node_ + ": " + SysError(errno));
    hDisk = -1;
    writable_ = false;
    label_.clear();
    node_.clear();
    return result;
}

IoResult RawDisk::ReadSector(std::uint32_t offset, std::span<std::uint8_t, kRawSectorSize> SectorBuf)
{
    // A failed read must not leave the previous sector looking like this one.
    const auto fail = [&](std::string text) {
        std::fill(SectorBuf.begin(), SectorBuf.end(), std::uint8_t{0});
        return IoResult::Fail(std::move(text));
    };
    if (!IsOpen())
        return fail("Could not read" + AtByte(offset) + "\nNo drive is open.");
    const std::string what = "Could not read " + label_ + AtByte(offset);
    if (offset % kRawSectorSize != 0)
        return fail(what + "\nThe offset is not at the start of a sector.");

    std::array<std::uint8_t, kRawSectorSize> buffer{};
    const std::ptrdiff_t n = ReadFullAt(hDisk, buffer, offset);
    if (n < 0)
        return fail(what + "\n" + node_ + ": " + SysError(errno));
    if (n < static_cast<std::ptrdiff_t>(buffer.size()))
        return fail(what + "\n" + node_ + " ends before that sector.");
    std::copy(buffer.begin(), buffer.end(), SectorBuf.begin());
    return IoResult::Ok();
}

IoResult RawDisk::WriteSector(std::uint32_t offset, std::span<const std::uint8_t, kRawSectorSize> sector)
{
    return WriteSectors(offset, sector);
}

IoResult RawDisk::WriteSectors(std::uint32_t offset, std::span<const std::uint8_t> sectors)
{
    if (!IsOpen() || !writable_)
        return IoResult::Fail("Could not write" + AtByte(offset) + "\nNo drive is open for writing.");
    const std::string what = "Could not write to " + label_ + AtByte(offset);
    if (offset % kRawSectorSize != 0)
        return IoResult::Fail(what + "\nThe offset is not at the start of a sector.");
    if (sectors.size() % kRawSectorSize != 0)
        return IoResult::Fail(what + "\nThe write does not end at the end of a sector.");

    if (WriteFullAt(hDisk, sectors, offset) < sectors.size()) {
        if (errno != 0)
            return IoResult::Fail(what + "\n" + node_ + ": " + SysError(errno));
        return IoResult::Fail(what + "\n" + node_ + " ends before that sector.");
    }
    return IoResult::Ok();
}

IoResult RawDisk::Flush()
{
    if (!IsOpen())
        return IoResult::Fail("Could not flush: no drive is open.");
    if (::fsync(hDisk) != 0)
        return IoResult::Fail("Could not write to " + label_ + ".\n" + node_ + ": " + SysError(errno));
    return IoResult::Ok();
}

} // namespace kx4
