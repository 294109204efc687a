#include "platform/Drives.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include <sys/sysmacros.h>

namespace kx4 {
namespace fs = std::filesystem;

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

// A small sysfs attribute, trimmed; none when it cannot be read.
std::optional<std::string> ReadAttr(const fs::path& file)
{
    std::ifstream in(file);
    if (!in)
        return std::nullopt;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return std::string(Trim(text));
}

std::optional<std::uint64_t> ParseNumber(std::string_view s)
{
    std::uint64_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

std::optional<MajorMinor> ParseDev(const std::optional<std::string>& text)
{
    if (!text)
        return std::nullopt;
    const std::string_view s = *text;
    const auto colon = s.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const auto hi = ParseNumber(s.substr(0, colon));
    const auto lo = ParseNumber(s.substr(colon + 1));
    if (!hi || !lo || *hi > 0xFFFFFFFFu || *lo > 0xFFFFFFFFu)
        return std::nullopt;
    return MajorMinor{static_cast<unsigned>(*hi), static_cast<unsigned>(*lo)};
}

// Name order with digit runs compared as numbers, so that nvme0n1p2 comes before nvme0n1p10.
bool NameLess(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
        const bool db = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
        if (da && db) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei])))
                ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej])))
                ++ej;
            std::string_view na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
            while (na.size() > 1 && na.front() == '0')
                na.remove_prefix(1);
            while (nb.size() > 1 && nb.front() == '0')
                nb.remove_prefix(1);
            if (na.size() != nb.size())
                return na.size() < nb.size();
            if (na != nb)
                return na < nb;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j])
                return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

// The names in a folder, in name order; empty when it cannot be read.
std::vector<std::string> EntryNames(const fs::path& dir)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end(), NameLess);
    return names;
}

// Undoes the octal escapes (\040 for a blank) of the mount and swap tables.
std::string Unescape(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size()) {
            const std::string_view oct = s.substr(i + 1, 3);
            if (std::all_of(oct.begin(), oct.end(), [](char c) { return c >= '0' && c <= '7'; })) {
                out += static_cast<char>((oct[0] - '0') * 64 + (oct[1] - '0') * 8 + (oct[2] - '0'));
                i += 3;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

struct MountEntry {
    std::optional<MajorMinor> dev;
    std::string point;
    std::string fsType;
    std::string source;
};

std::optional<std::vector<MountEntry>> ReadMounts(const fs::path& file)
{
    std::vector<MountEntry> mounts;
    std::ifstream in(file);
    if (!in)
        return std::nullopt;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::vector<std::string> f{std::istream_iterator<std::string>(fields), std::istream_iterator<std::string>()};
        const auto dash = std::find(f.begin() + std::min<std::ptrdiff_t>(6, std::ssize(f)), f.end(), "-");
        if (f.size() < 6 || std::distance(dash, f.end()) < 3)
            continue;
        mounts.push_back({ParseDev(f[2]), Unescape(f[4]), *(dash + 1), Unescape(*(dash + 2))});
    }
    return mounts;
}

std::optional<std::vector<std::string>> ReadSwaps(const fs::path& file)
{
    std::vector<std::string> swaps;
    std::ifstream in(file);
    if (!in)
        return std::nullopt;
    std::string line;
    std::getline(in, line); // the heading
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name;
        if (fields >> name)
            swaps.push_back(Unescape(name));
    }
    return swaps;
}

bool IsUnder(std::string_view path, std::string_view root)
{
    return path == root || (path.starts_with(root) && path.size() > root.size() && path[root.size()] == '/');
}

bool IsNetworkFs(std::string_view type)
{
    static constexpr std::string_view kTypes[] = {"nfs",  "nfs4", "cifs",      "smb3",   "smbfs",      "ncpfs",
                                                  "afs",  "ceph", "glusterfs", "lustre", "9p",         "davfs",
                                                  "fuse.sshfs", "fuse.glusterfs", "fuse.rclone", "fuse.s3fs"};
    return std::find(std::begin(kTypes), std::end(kTypes), type) != std::end(kTypes);
}

// How the mounts and swap areas use one device and everything stacked on it.
struct Usage {
    std::vector<std::string> mountPoints;
    std::optional<MajorMinor> FirstMountDev() const
    {
        return mountDevs.empty() ? std::nullopt : mountDevs.front();
    }
    // The device number of the device's own file system at mountPoints[k], as stat's st_dev of a
    // file in it shows it.
    std::vector<std::optional<MajorMinor>> mountDevs;
    std::vector<std::string> holders;
    bool swap = false;
    bool system = false;
};

void AddUnique(std::vector<std::string>& list, const std::string& item)
{
    if (std::find(list.begin(), list.end(), item) == list.end())
        list.push_back(item);
}

class Scanner {
public:
    explicit Scanner(const SystemTables& tables) : tables_(tables)
    {
        auto mounts = ReadMounts(tables.mountInfo);
        auto swaps = ReadSwaps(tables.swaps);
        usageKnown_ = mounts && swaps;
        mounts_ = std::move(mounts).value_or(std::vector<MountEntry>{});
        swaps_ = std::move(swaps).value_or(std::vector<std::string>{});
    }

    DriveScan Run()
    {
        DriveScan scan;
        scan.tables = tables_;
        scan.usageKnown = usageKnown_;
        for (const std::string& name : EntryNames(tables_.sysBlock)) {
            if (auto disk = ReadDisk(name))
                scan.disks.push_back(std::move(*disk));
        }
        Number(scan.disks);
        Letter(scan);
        return scan;
    }

private:
    // The device in `dir` and, through holders/, everything stacked on it.
    void Collect(const fs::path& dir, const std::string& name, Usage& usage, std::set<std::string>& seen) const
    {
        const auto dev = ParseDev(ReadAttr(dir / "dev"));
        const std::string dmName = ReadAttr(dir / "dm" / "name").value_or("");
        const auto names = [&](std::string_view path) {
            return path == "/dev/" + name || (!dmName.empty() && path == "/dev/mapper/" + dmName);
        };
        for (const MountEntry& m : mounts_) {
            if ((dev && m.dev && *dev == *m.dev) || names(m.source)) {
                // A later mount at the same point stands over the earlier one.
                const auto at = std::find(usage.mountPoints.begin(), usage.mountPoints.end(), m.point);
                if (at == usage.mountPoints.end()) {
                    usage.mountPoints.push_back(m.point);
                    usage.mountDevs.push_back(m.dev);
                } else {
                    usage.mountDevs[static_cast<std::size_t>(at - usage.mountPoints.begin())] = m.dev;
                }
                if (!IsMediaMount(m.point))
                    usage.system = true;
            }
        }
        if (std::any_of(swaps_.begin(), swaps_.end(), names))
            usage.swap = usage.system = true;
        for (const std::string& holder : EntryNames(dir / "holders")) {
            if (!seen.insert(holder).second)
                continue;
            usage.holders.push_back(holder);
            Collect(tables_.sysBlock / holder, holder, usage, seen);
        }
    }

    Usage UsageOf(const fs::path& dir, const std::string& name) const
    {
        Usage usage;
        std::set<std::string> seen;
        Collect(dir, name, usage, seen);
        return usage;
    }

    static bool Skipped(const std::string& name, const fs::path& dir)
    {
        // Loop devices, stacked devices (device-mapper, RAID) and eMMC boot areas are no drives;
        // the disks under stacked devices are listed instead.
        if (name.starts_with("loop") || name.starts_with("dm-") || name.starts_with("md"))
            return true;
        if (name.starts_with("mmcblk") && name.find("boot") != std::string::npos)
            return true;
        if (ReadAttr(dir / "hidden").value_or("0") == "1")
            return true;
        return !EntryNames(dir / "slaves").empty();
    }

    static std::int32_t TypeOf(const std::string& name, const fs::path& dir)
    {
        if (name.starts_with("sr"))
            return kDriveCDRom;
        if (name.starts_with("ram") || name.starts_with("zram"))
            return kDriveRamDisk;
        if (name.starts_with("nbd") || name.starts_with("rbd"))
            return kDriveRemote;
        if (ReadAttr(dir / "removable").value_or("0") == "1")
            return kDriveRemovable;
        // A card in a built-in reader reports itself fixed; built-in eMMC storage says "MMC".
        if (name.starts_with("mmcblk") && ReadAttr(dir / "device" / "type").value_or("SD") != "MMC")
            return kDriveRemovable;
        return kDriveFixed;
    }

    static std::string ModelOf(const fs::path& dir)
    {
        std::string model = ReadAttr(dir / "device" / "model").value_or("");
        if (model.empty())
            model = ReadAttr(dir / "device" / "name").value_or("");
        const std::string vendor = ReadAttr(dir / "device" / "vendor").value_or("");
        if (!vendor.empty() && !model.empty() && vendor != "ATA")
            model = vendor + " " + model;
        return model;
    }

    static std::uint64_t BytesOf(const fs::path& dir)
    {
        const auto sectors = ParseNumber(ReadAttr(dir / "size").value_or(""));
        if (!sectors || *sectors > UINT64_MAX / 512)
            return 0;
        return *sectors * 512;
    }

    std::optional<BlockDisk> ReadDisk(const std::string& name) const
    {
        const fs::path dir = tables_.sysBlock / name;
        std::error_code ec;
        if (!fs::is_directory(dir, ec) || Skipped(name, dir))
            return std::nullopt;
        BlockDisk disk;
        disk.name = name;
        disk.dev = ParseDev(ReadAttr(dir / "dev"));
        disk.bytes = BytesOf(dir);
        disk.type = TypeOf(name, dir);
        // No medium: an empty card reader has nothing to letter, while an empty optical drive is
        // still a CD-ROM drive.
        if (disk.bytes == 0 && disk.type != kDriveCDRom)
            return std::nullopt;
        disk.model = ModelOf(dir);
        disk.serial = ReadAttr(dir / "device" / "serial").value_or("");
        if (const auto block = ParseNumber(ReadAttr(dir / "queue" / "logical_block_size").value_or(""));
            block && *block >= 512 && *block <= 65536)
            disk.logicalBlock = static_cast<std::uint32_t>(*block);

        const auto merge = [&disk](const Usage& u) {
            for (const auto& m : u.mountPoints)
                AddUnique(disk.mountPoints, m);
            for (const auto& h : u.holders)
                AddUnique(disk.holders, h);
            disk.swap = disk.swap || u.swap;
            disk.system = disk.system || u.system;
        };
        // Without the mount and swap tables any disk may hold the system.
        disk.system = !usageKnown_;
        const Usage own = UsageOf(dir, name);
        disk.mountDev = own.FirstMountDev();
        merge(own);
        for (const std::string& entry : EntryNames(dir)) {
            if (!fs::exists(dir / entry / "partition", ec))
                continue;
            const Usage u = UsageOf(dir / entry, entry);
            merge(u);
            disk.partitions.push_back({entry, ParseDev(ReadAttr(dir / entry / "dev")), BytesOf(dir / entry),
                                       u.mountPoints, u.FirstMountDev()});
        }
        return disk;
    }

    static void Number(std::vector<BlockDisk>& disks)
    {
        int next = 1;
        for (BlockDisk& d : disks) {
            if ((d.type != kDriveRemovable && d.type != kDriveFixed) || !d.dev)
                continue; // without a device number it could not be checked again before a write
            d.physNumber = d.system ? 0 : next++;
        }
    }

    void Letter(DriveScan& scan) const
    {
        std::vector<Drive> drives;
        const auto add = [&](const BlockDisk& d, const std::string& volume, const std::optional<MajorMinor>& dev,
                             std::uint64_t bytes, const std::vector<std::string>& mountPoints,
                             const std::optional<MajorMinor>& mountDev) {
            Drive drive;
            drive.type = d.type;
            drive.volume = volume;
            drive.node = "/dev/" + volume;
            drive.disk = d.name;
            drive.diskNode = "/dev/" + d.name;
            drive.dev = dev;
            drive.diskDev = d.dev;
            drive.bytes = bytes;
            drive.model = d.model;
            drive.mountPoint = mountPoints.empty() ? std::string() : mountPoints.front();
            drive.mountDev = mountDev;
            drive.physNumber = dev ? d.physNumber : -1;
            drives.push_back(std::move(drive));
        };
        const auto addDisk = [&](const BlockDisk& d) {
            if (d.partitions.empty()) {
                add(d, d.name, d.dev, d.bytes, d.mountPoints, d.mountDev);
                return;
            }
            // An msdos extended partition shows as one sector or 1 KiB, room for no file system.
            const std::uint64_t container = std::max<std::uint64_t>(1024, d.logicalBlock);
            for (const BlockVolume& v : d.partitions) {
                if (v.bytes > container)
                    add(d, v.name, v.dev, v.bytes, v.mountPoints, v.mountDev);
            }
        };
        for (const BlockDisk& d : scan.disks) {
            if (d.type == kDriveRemovable)
                addDisk(d);
        }
        for (const BlockDisk& d : scan.disks) {
            if (d.type != kDriveRemovable)
                addDisk(d);
        }
        std::set<std::string> shares;
        for (const MountEntry& m : mounts_) {
            if (!IsNetworkFs(m.fsType) || !shares.insert(m.source).second)
                continue;
            Drive drive;
            drive.type = kDriveRemote;
            drive.node = m.source;
            drive.mountPoint = m.point;
            drives.push_back(std::move(drive));
        }
        if (drives.size() > kDriveOptionCount)
            drives.resize(kDriveOptionCount);
        for (std::size_t i = 0; i < drives.size(); ++i)
            drives[i].letter = static_cast<char>(kFirstDriveLetter + i);
        scan.drives = std::move(drives);
    }

    const SystemTables& tables_;
    bool usageKnown_ = false;
    std::vector<MountEntry> mounts_;
    std::vector<std::string> swaps_;
};

std::string ToolTip(const Drive& d)
{
    if (d.volume.empty())
        return "Network share " + d.node + "\nMounted at " + d.mountPoint;
    std::string text = d.node;
    if (d.node != d.diskNode)
        text += " on " + d.diskNode;
    text += d.dev ? " (" + d.dev->ToString() + ")" : std::string(" (device number unknown)");
    text += "\n" + (d.bytes > 0 ? FormatSize(d.bytes) : std::string("No medium"));
    if (!d.model.empty())
        text += ", " + d.model;
    text += "\n" + (d.mountPoint.empty() ? std::string("Not mounted") : "Mounted at " + d.mountPoint);
    return text;
}

} // namespace

bool IsMediaMount(std::string_view mountPoint)
{
    return IsUnder(mountPoint, "/media") || IsUnder(mountPoint, "/run/media") || IsUnder(mountPoint, "/mnt");
}

MajorMinor MajorMinor::Of(std::uint64_t dev)
{
    return {::major(static_cast<dev_t>(dev)), ::minor(static_cast<dev_t>(dev))};
}

std::string MajorMinor::ToString() const
{
    return std::to_string(majorNum) + ":" + std::to_string(minorNum);
}

DriveScan DiscoverDrives(const SystemTables& tables)
{
    return Scanner(tables).Run();
}

bool SameMedium(const BlockDisk& was, const BlockDisk& now)
{
    return now.dev == was.dev && now.bytes == was.bytes && now.model == was.model && now.serial == was.serial;
}

const Drive* FindDrive(const DriveScan& scan, char letter)
{
    const char up = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (const Drive& d : scan.drives) {
        if (d.letter == up)
            return &d;
    }
    return nullptr;
}

const BlockDisk* FindDisk(const DriveScan& scan, std::string_view name)
{
    for (const BlockDisk& d : scan.disks) {
        if (d.name == name)
            return &d;
    }
    return nullptr;
}

std::int32_t GetDriveInfo(const DriveScan& scan, char letter)
{
    const Drive* d = FindDrive(scan, letter);
    return d ? d->type : kDriveNoRoot;
}

std::optional<int> GetDeviceNumber(const DriveScan& scan, char letter)
{
    const Drive* d = FindDrive(scan, letter);
    if (!d || d->physNumber < 0)
        return std::nullopt;
    return d->physNumber;
}

std::array<DriveOption, kDriveOptionCount> FindDrives(const DriveScan& scan)
{
    std::array<DriveOption, kDriveOptionCount> options;
    for (int i = 0; i < kDriveOptionCount; ++i) {
        DriveOption& o = options[static_cast<std::size_t>(i)];
        const char letter = static_cast<char>(kFirstDriveLetter + i);
        const std::string prefix = std::string(1, letter) + ":";
        o.caption = prefix;
        switch (GetDriveInfo(scan, letter)) {
        case kDriveUnknown:
        case kDriveNoRoot:
            o.caption = prefix + "  (None)";
            break;
        case kDriveRemovable:
            if (const auto n = GetDeviceNumber(scan, letter)) {
                o.PhysDrive = *n;
                o.caption = prefix + "  Removable /  Drive:" + std::to_string(*n);
                o.DriveEnabled = true;
            } else {
                o.caption = prefix + "  Removable"; // listed, but it could not be checked before a write
            }
            break;
        case kDriveFixed: o.caption = prefix + "  Fixed"; break;
        case kDriveRemote: o.caption = prefix + "  Remote"; break;
        case kDriveCDRom: o.caption = prefix + "  CD-ROM"; break;
        case kDriveRamDisk: o.caption = prefix + "  RAM Disk"; break;
        default: break;
        }
        if (const Drive* d = FindDrive(scan, letter))
            o.toolTip = ToolTip(*d);
    }
    return options;
}

std::string FormatSize(std::uint64_t bytes)
{
    if (bytes < 1000)
        return std::to_string(bytes) + " bytes";
    static constexpr const char* kUnits[] = {"kB", "MB", "GB", "TB", "PB", "EB"};
    double value = static_cast<double>(bytes) / 1000.0;
    std::size_t unit = 0;
    while (value >= 999.95 && unit + 1 < std::size(kUnits)) {
        value /= 1000.0;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, kUnits[unit]);
    return text;
}

} // namespace kx4
