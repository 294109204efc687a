#include "FakeSystem.h"

#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace kx4::test {
namespace fs = std::filesystem;

namespace {

void WriteText(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::trunc);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::string Escape(const std::string& s)
{
    std::string out;
    for (const char c : s)
        out += c == ' ' ? std::string("\\040") : std::string(1, c);
    return out;
}

} // namespace

FakeSystem::FakeSystem(fs::path root)
    : root_(std::move(root)), images_(std::make_shared<std::map<std::pair<dev_t, ino_t>, MajorMinor>>())
{
    fs::create_directories(root_ / "sys" / "block");
    fs::create_directories(root_ / "dev");
    WriteTables();
}

SystemTables FakeSystem::Tables() const
{
    return {root_ / "sys" / "block", root_ / "mountinfo", root_ / "swaps"};
}

void FakeSystem::Disk(const std::string& name, const std::string& dev, std::uint64_t sectors, bool removable,
                      const std::string& model)
{
    const fs::path dir = root_ / "sys" / "block" / name;
    WriteText(dir / "dev", dev + "\n");
    WriteText(dir / "size", std::to_string(sectors) + "\n");
    WriteText(dir / "removable", removable ? "1\n" : "0\n");
    WriteText(dir / "hidden", "0\n");
    if (!model.empty())
        WriteText(dir / "device" / "model", model + "   \n");
    fs::create_directories(dir / "holders");
    fs::create_directories(dir / "slaves");
}

void FakeSystem::Partition(const std::string& disk, const std::string& name, const std::string& dev,
                           std::uint64_t sectors)
{
    const fs::path dir = root_ / "sys" / "block" / disk / name;
    WriteText(dir / "dev", dev + "\n");
    WriteText(dir / "size", std::to_string(sectors) + "\n");
    WriteText(dir / "partition", name.substr(name.find_last_not_of("0123456789") + 1) + "\n");
    fs::create_directories(dir / "holders");
}

void FakeSystem::Holder(const std::string& under, const std::string& holder, const std::string& dev,
                        const std::string& dmName)
{
    const fs::path block = root_ / "sys" / "block";
    WriteText(block / under / "holders" / holder, "");
    WriteText(block / holder / "dev", dev + "\n");
    WriteText(block / holder / "size", "1000\n");
    WriteText(block / holder / "removable", "0\n");
    WriteText(block / holder / "dm" / "name", dmName + "\n");
    WriteText(block / holder / "slaves" / fs::path(under).filename(), "");
    fs::create_directories(block / holder / "holders");
}

void FakeSystem::Mount(const std::string& dev, const std::string& point, const std::string& source,
                       const std::string& fsType)
{
    mounts_.emplace_back(point, std::to_string(30 + mounts_.size()) + " 1 " + dev + " / " + Escape(point) +
                                    " rw,relatime shared:1 - " + fsType + " " + Escape(source) + " rw");
    WriteTables();
}

void FakeSystem::Unmount(const std::string& point)
{
    std::erase_if(mounts_, [&](const auto& m) { return m.first == point; });
    WriteTables();
}

void FakeSystem::Swap(const std::string& path)
{
    swaps_.push_back(Escape(path) + "                               partition\t8388604\t\t0\t\t-2");
    WriteTables();
}

void FakeSystem::Set(const std::string& relative, const std::string& text)
{
    WriteText(root_ / "sys" / "block" / relative, text);
}

void FakeSystem::Remove(const std::string& relative)
{
    fs::remove_all(root_ / "sys" / "block" / relative);
}

void FakeSystem::WriteTables() const
{
    std::string mountinfo;
    for (const auto& [point, line] : mounts_)
        mountinfo += line + "\n";
    WriteText(root_ / "mountinfo", mountinfo);
    std::string swaps = "Filename\t\t\t\tType\t\tSize\t\tUsed\t\tPriority\n";
    for (const auto& line : swaps_)
        swaps += line + "\n";
    WriteText(root_ / "swaps", swaps);
}

fs::path FakeSystem::Image(const std::string& name, const std::string& dev, std::uint64_t sectors, std::uint8_t fill)
{
    const fs::path file = root_ / "dev" / name;
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        const std::string sector(512, static_cast<char>(fill));
        for (std::uint64_t i = 0; i < sectors; ++i)
            out.write(sector.data(), static_cast<std::streamsize>(sector.size()));
        if (!out)
            throw std::runtime_error("cannot write " + file.string());
    }
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0)
        throw std::runtime_error("cannot stat " + file.string());
    const auto colon = dev.find(':');
    (*images_)[{st.st_dev, st.st_ino}] = MajorMinor{static_cast<unsigned>(std::stoul(dev.substr(0, colon))),
                                                    static_cast<unsigned>(std::stoul(dev.substr(colon + 1)))};
    return file;
}

DeviceNodes FakeSystem::Nodes(std::shared_ptr<DiskService> service) const
{
    const fs::path dir = root_ / "dev";
    const auto images = images_;
    return {
        [dir](const std::string& name) { return dir / name; },
        [images](int fd) -> std::optional<MajorMinor> {
            struct stat st {};
            if (::fstat(fd, &st) != 0)
                return std::nullopt;
            const auto it = images->find({st.st_dev, st.st_ino});
            if (it == images->end())
                return std::nullopt;
            return it->second;
        },
        std::move(service),
    };
}

void BuildDesktop(FakeSystem& sys)
{
    sys.Disk("nvme0n1", "259:0", 1000215216, false, "Samsung SSD 980 1TB");
    sys.Partition("nvme0n1", "nvme0n1p1", "259:1", 1050624);
    sys.Partition("nvme0n1", "nvme0n1p2", "259:2", 900000000);
    sys.Partition("nvme0n1", "nvme0n1p3", "259:3", 67108864);
    sys.Holder("nvme0n1/nvme0n1p2", "dm-0", "254:0", "root");
    sys.Holder("nvme0n1/nvme0n1p3", "dm-1", "254:1", "swap");
    sys.Mount("259:1", "/boot/efi", "/dev/nvme0n1p1");
    sys.Mount("254:0", "/", "/dev/mapper/root", "ext4");
    sys.Swap("/dev/dm-1");

    sys.Disk("sda", "8:0", 3907029168, false, "WDC WD20EZRZ");
    sys.Partition("sda", "sda1", "8:1", 3907027120);
    sys.Mount("8:1", "/mnt/data", "/dev/sda1", "ext4");

    sys.Disk("sdb", "8:16", 15523840, true, "SD/MMC");
    sys.Set("sdb/device/vendor", "Generic \n");
    sys.Partition("sdb", "sdb1", "8:17", 15521792);
    sys.Mount("8:17", "/media/u/QVR CARD", "/dev/sdb1");

    sys.Disk("sdc", "8:32", 7744512, true, "Card Reader");
    sys.Disk("sdd", "8:48", 0, true, "Empty Reader");

    sys.Disk("sde", "8:64", 31116288, true, "Flash Reader");
    sys.Partition("sde", "sde1", "8:65", 31114240);
    sys.Holder("sde/sde1", "dm-2", "254:2", "luks-card");
    sys.Mount("254:2", "/media/u/secret", "/dev/mapper/luks-card", "ext4");

    sys.Disk("sr0", "11:0", 2097152, true, "DVD-RW");
    sys.Disk("zram0", "252:0", 8388608, false);
    sys.Swap("/dev/zram0");
    sys.Disk("loop0", "7:0", 0, false);
    sys.Disk("loop1", "7:1", 129024, false);
    sys.Mount("7:1", "/snap/core/1", "/dev/loop1", "squashfs");
    sys.Mount("0:50", "/net/srv", "srv:/export", "nfs4");
}

std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

std::string DevOf(const fs::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return "0:0";
    return MajorMinor::Of(st.st_dev).ToString();
}

} // namespace kx4::test
