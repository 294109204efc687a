#include "platform/RawDisk.h"

#include "FakeSystem.h"
#include "FakeUDisks2.h"
#include "FileSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <functional>
#include <unistd.h>

using namespace kx4;
using test::FakeSystem;
using test::FirstLine;
using test::ReadBytes;
using test::TempDir;

namespace {

using SectorBytes = std::array<std::uint8_t, kRawSectorSize>;

SectorBytes Pattern(std::uint8_t seed)
{
    SectorBytes s{};
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<std::uint8_t>(seed + i * 7);
    return s;
}

// The desktop of FakeSystem with image files for its disks: cards of 256 sectors whose first
// sector carries a boot-record signature.
struct Desktop {
    TempDir dir;
    FakeSystem sys{dir.path()};
    std::filesystem::path sdb, sdb1, sdc, sde, sda, nvme;

    Desktop()
    {
        test::BuildDesktop(sys);
        nvme = sys.Image("nvme0n1", "259:0", 64);
        sda = sys.Image("sda", "8:0", 64);
        sdb = sys.Image("sdb", "8:16", 256);
        sdb1 = sys.Image("sdb1", "8:17", 255);
        sdc = sys.Image("sdc", "8:32", 256);
        sde = sys.Image("sde", "8:64", 256);
        for (const auto& card : {sdb, sdc}) {
            auto bytes = ReadBytes(card);
            bytes[510] = 0x55;
            bytes[511] = 0xAA;
            test::WriteBytes(card, bytes);
        }
    }

    RawDisk Raw() { return RawDisk(DiscoverDrives(sys.Tables()), sys.Nodes()); }
};

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return {bytes.begin() + static_cast<std::ptrdiff_t>(offset),
            bytes.begin() + static_cast<std::ptrdiff_t>(offset + kRawSectorSize)};
}

std::vector<std::uint8_t> AsVector(const SectorBytes& s) { return {s.begin(), s.end()}; }

} // namespace

TEST(RawDisk, WritesLandAtTheirOffsetsOfTheCard)
{
    Desktop d;
    RawDisk raw = d.Raw();
    ASSERT_TRUE(raw.OpenDriveWrite('e')) << raw.OpenDriveWrite('e').message;
    EXPECT_EQ(raw.OpenNode(), d.sdc.string());
    ASSERT_TRUE(raw.WriteSector(0x4000, Pattern(1)));
    ASSERT_TRUE(raw.WriteSector(0x10000, Pattern(2)));
    ASSERT_TRUE(raw.WriteSector(0, Pattern(3)));
    ASSERT_TRUE(raw.Flush());
    ASSERT_TRUE(raw.CloseDrive());
    EXPECT_FALSE(raw.IsOpen());

    const auto bytes = ReadBytes(d.sdc);
    ASSERT_EQ(bytes.size(), 256u * 512u);
    EXPECT_EQ(Slice(bytes, 0), AsVector(Pattern(3)));
    EXPECT_EQ(Slice(bytes, 0x4000), AsVector(Pattern(1)));
    EXPECT_EQ(Slice(bytes, 0x10000), AsVector(Pattern(2)));
    // Everything else is as it was.
    std::size_t touched = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool written = i < 512 || (i >= 0x4000 && i < 0x4200) || (i >= 0x10000 && i < 0x10200);
        if (!written && bytes[i] != 0xEE)
            ++touched;
    }
    EXPECT_EQ(touched, 0u);
}

TEST(RawDisk, RunsOfSectorsGoOutInOneWrite)
{
    Desktop d;
    RawDisk raw = d.Raw();
    ASSERT_TRUE(raw.OpenDriveWrite('E'));
    std::vector<std::uint8_t> run(3 * 512);
    for (std::size_t i = 0; i < run.size(); ++i)
        run[i] = static_cast<std::uint8_t>(i / 512 + 1);
    ASSERT_TRUE(raw.WriteSectors(0x10000, run));
    EXPECT_EQ(raw.WriteSectors(0x18000, std::span(run).first(700)).message,
              "Could not write to drive E: at byte 98304.\nThe write does not end at the end of a sector.");
    ASSERT_TRUE(raw.CloseDrive());
    const auto bytes = ReadBytes(d.sdc);
    EXPECT_EQ(bytes[0x10000 - 1], 0xEE);
    EXPECT_EQ(bytes[0x10000], 1);
    EXPECT_EQ(bytes[0x10000 + 1023], 2);
    EXPECT_EQ(bytes[0x10000 + 1535], 3);
    EXPECT_EQ(bytes[0x10000 + 1536], 0xEE);
    EXPECT_EQ(bytes[0x18000], 0xEE) << "a refused run writes nothing";
}

TEST(RawDisk, BootRecordCheckAndWipeOfAnUnmountedCard)
{
    Desktop d;
    RawDisk raw = d.Raw();
    SectorBytes SectorBuf{};
    ASSERT_TRUE(raw.OpenPhysRead(3));
    ASSERT_TRUE(raw.ReadSector(0, SectorBuf));
    EXPECT_EQ(SectorBuf[510], 0x55);
    EXPECT_EQ(SectorBuf[511], 0xAA);
    EXPECT_EQ(SectorBuf[0], 0xEE);
    // A device open for reading takes no writes.
    const IoResult refused = raw.WriteSector(0, SectorBytes{});
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.message.find("No drive is open for writing."), std::string::npos);
    ASSERT_TRUE(raw.CloseDrive());

    ASSERT_TRUE(raw.OpenPhysWrite(3));
    ASSERT_TRUE(raw.WriteSector(0, SectorBytes{}));
    // Opening the next device closes (and flushes) this one first.
    ASSERT_TRUE(raw.OpenPhysRead(3));
    SectorBuf.fill(0x11);
    ASSERT_TRUE(raw.ReadSector(0, SectorBuf));
    EXPECT_EQ(AsVector(SectorBuf), std::vector<std::uint8_t>(512, 0));
    ASSERT_TRUE(raw.ReadSector(512, SectorBuf));
    EXPECT_EQ(AsVector(SectorBuf), std::vector<std::uint8_t>(512, 0xEE));

    // Reading a mounted card is harmless: the boot-record check works on it too.
    ASSERT_TRUE(raw.OpenPhysRead(2));
    ASSERT_TRUE(raw.ReadSector(0, SectorBuf));
    EXPECT_EQ(SectorBuf[511], 0xAA);
}

TEST(RawDisk, FailedReadsLeaveNoStaleSectorAndFailedWritesChangeNothing)
{
    Desktop d;
    RawDisk raw = d.Raw();
    SectorBytes SectorBuf{};
    SectorBuf[510] = 0x55;
    SectorBuf[511] = 0xAA;

    IoResult r = raw.ReadSector(0, SectorBuf); // nothing open
    EXPECT_FALSE(r);
    EXPECT_EQ(AsVector(SectorBuf), std::vector<std::uint8_t>(512, 0));

    ASSERT_TRUE(raw.OpenPhysRead(3));
    ASSERT_TRUE(raw.ReadSector(0, SectorBuf));
    r = raw.ReadSector(256 * 512, SectorBuf); // past the end
    EXPECT_FALSE(r);
    EXPECT_EQ(r.message, "Could not read physical drive 3 at byte 131072.\n" + d.sdc.string() +
                             " ends before that sector.");
    EXPECT_EQ(AsVector(SectorBuf), std::vector<std::uint8_t>(512, 0));

    ASSERT_TRUE(raw.ReadSector(0, SectorBuf));
    r = raw.ReadSector(100, SectorBuf);
    EXPECT_EQ(r.message, "Could not read physical drive 3 at byte 100.\nThe offset is not at the start of a sector.");
    EXPECT_EQ(AsVector(SectorBuf), std::vector<std::uint8_t>(512, 0));
    ASSERT_TRUE(raw.CloseDrive());

    EXPECT_EQ(raw.WriteSector(0, Pattern(1)).message, "Could not write at byte 0.\nNo drive is open for writing.");
    EXPECT_FALSE(raw.Flush());
    ASSERT_TRUE(raw.OpenDriveWrite('E'));
    EXPECT_EQ(raw.WriteSector(0x4001, Pattern(1)).message,
              "Could not write to drive E: at byte 16385.\nThe offset is not at the start of a sector.");
    ASSERT_TRUE(raw.CloseDrive());
    EXPECT_EQ(ReadBytes(d.sdc)[0x4001], 0xEE);
}

TEST(RawDisk, WritesToAnythingButAnIdleRemovableCardAreRefused)
{
    Desktop d;
    RawDisk raw = d.Raw();
    const std::vector<std::pair<std::function<IoResult()>, std::string>> cases = {
        {[&] { return raw.OpenPhysWrite(0); }, "Could not open physical drive 0\n/dev/nvme0n1 is the system disk."},
        {[&] { return raw.OpenDriveWrite('G'); }, "Could not open drive G:\n/dev/nvme0n1 is the system disk."},
        {[&] { return raw.OpenPhysWrite(1); }, "Could not open physical drive 1\n/dev/sda is not a removable disk."},
        {[&] { return raw.OpenDriveWrite('d'); }, "Could not open drive D:\n/dev/sdb is mounted at /media/u/QVR CARD.\n"
                                                          "Unmount it first, for example: udisksctl unmount -b /dev/sdb1"},
        {[&] { return raw.OpenDriveWrite('F'); }, "Could not open drive F:\n/dev/sde is mounted at /media/u/secret.\n"
                                                          "Unmount it first, for example: udisksctl unmount -b /dev/sde1"},
        {[&] { return raw.OpenDriveWrite('K'); }, "Could not open drive K:\n/dev/sr0 is not a removable disk."},
        {[&] { return raw.OpenDriveWrite('M'); }, "Could not open drive M:\nDrive M: is not a disk of this computer."},
        {[&] { return raw.OpenDriveWrite('n'); }, "Could not open drive N:\nDrive N: was not found."},
        {[&] { return raw.OpenPhysWrite(12); }, "Could not open physical drive 12\nThere is no physical drive 12."},
        {[&] { return raw.OpenPhysRead(-1); }, "Could not open physical drive -1\nThere is no physical drive -1."},
    };
    for (const auto& [open, message] : cases) {
        const IoResult r = open();
        EXPECT_FALSE(r) << message;
        EXPECT_EQ(r.message, message);
        EXPECT_FALSE(raw.IsOpen()) << message;
    }
    for (const auto& image : {d.nvme, d.sda, d.sdb, d.sdb1, d.sde})
        EXPECT_EQ(Slice(ReadBytes(image), 0)[0], 0xEE) << image;
}

TEST(RawDisk, ChangesSinceDiscoveryAreRefused)
{
    const std::vector<std::pair<std::function<void(FakeSystem&)>, std::string>> changes = {
        {[](FakeSystem& s) { s.Set("sdc/dev", "8:80\n"); }, "The card in /dev/sdc has changed since the drives were listed."},
        {[](FakeSystem& s) { s.Set("sdc/size", "7744000\n"); }, "The card in /dev/sdc has changed since the drives were listed."},
        {[](FakeSystem& s) { s.Set("sdc/device/model", "Other Card\n"); }, "The card in /dev/sdc has changed since the drives were listed."},
        {[](FakeSystem& s) { s.Set("sdc/device/serial", "0x0badcafe\n"); }, "The card in /dev/sdc has changed since the drives were listed."},
        {[](FakeSystem& s) { s.Remove("sdc"); }, "/dev/sdc is no longer present."},
        {[](FakeSystem& s) { s.Set("sdc/size", "0\n"); }, "/dev/sdc is no longer present."},
        {[](FakeSystem& s) { s.Mount("8:32", "/media/u/NEW", "/dev/sdc"); },
         "/dev/sdc is mounted at /media/u/NEW.\nUnmount it first, for example: udisksctl unmount -b /dev/sdc"},
        {[](FakeSystem& s) { s.Mount("8:32", "/home/u/card", "/dev/sdc"); }, "/dev/sdc is the system disk."},
        {[](FakeSystem& s) { s.Swap("/dev/sdc"); }, "/dev/sdc is in use as swap."},
        {[](FakeSystem& s) { s.Set("sdc/removable", "0\n"); }, "/dev/sdc is not a removable disk."},
        {[](FakeSystem& s) { s.Holder("sdc", "dm-7", "254:7", "card"); }, "/dev/sdc is in use by /dev/dm-7."},
        {[](FakeSystem& s) { std::filesystem::remove(s.Tables().mountInfo); },
         "The mount or swap table could not be read, so /dev/sdc may be in use."},
        {[](FakeSystem& s) { std::filesystem::remove(s.Tables().swaps); },
         "The mount or swap table could not be read, so /dev/sdc may be in use."},
    };
    for (const auto& [change, why] : changes) {
        Desktop d;
        RawDisk raw = d.Raw();
        change(d.sys);
        EXPECT_EQ(raw.OpenDriveWrite('E').message, "Could not open drive E:\n" + why);
        EXPECT_EQ(raw.OpenPhysWrite(3).message, "Could not open physical drive 3\n" + why);
        EXPECT_FALSE(raw.IsOpen());
        EXPECT_EQ(Slice(ReadBytes(d.sdc), 0)[0], 0xEE);
    }
}

TEST(RawDisk, AVolumeOnAPartitionIsWrittenThroughItsOwnNode)
{
    TempDir dir;
    FakeSystem sys(dir.path());
    sys.Disk("sdf", "8:80", 4096, true);
    sys.Partition("sdf", "sdf1", "8:81", 2048);
    const auto disk = sys.Image("sdf", "8:80", 8);
    const auto part = sys.Image("sdf1", "8:81", 8);
    {
        RawDisk raw(DiscoverDrives(sys.Tables()), sys.Nodes());
        ASSERT_TRUE(raw.OpenDriveWrite('D'));
        ASSERT_TRUE(raw.WriteSector(512, Pattern(9)));
    } // closed and flushed on destruction
    EXPECT_EQ(Slice(ReadBytes(part), 512), AsVector(Pattern(9)));
    EXPECT_EQ(Slice(ReadBytes(disk), 512), std::vector<std::uint8_t>(512, 0xEE));

    // Another card of the same size in the same reader: its serial number tells.
    const std::string changed = "Could not open drive D:\nThe card in /dev/sdf has changed since the drives were listed.";
    sys.Set("sdf/device/serial", "0x00a1b2c3\n");
    RawDisk raw(DiscoverDrives(sys.Tables()), sys.Nodes());
    sys.Set("sdf/device/serial", "0x00d4e5f6\n");
    EXPECT_EQ(raw.OpenDriveWrite('D').message, changed);
    sys.Set("sdf/device/serial", "0x00a1b2c3\n");
    ASSERT_TRUE(raw.OpenDriveWrite('D')) << "the same card again";
    ASSERT_TRUE(raw.CloseDrive());
    sys.Set("sdf/sdf1/size", "2047\n");
    EXPECT_EQ(raw.OpenDriveWrite('D').message, changed);
    sys.Set("sdf/sdf1/size", "2048\n");
    sys.Set("sdf/sdf1/dev", "8:82\n");
    EXPECT_EQ(raw.OpenDriveWrite('D').message, changed);
    sys.Remove("sdf/sdf1");
    EXPECT_EQ(raw.OpenDriveWrite('D').message, "Could not open drive D:\n/dev/sdf1 is no longer present.");
}

TEST(RawDisk, TheOpenedNodeMustBeTheListedBlockDevice)
{
    Desktop d;
    d.sys.Image("sdc", "8:16", 256); // a node that turns out to be another device
    RawDisk raw = d.Raw();
    EXPECT_EQ(raw.OpenDriveWrite('E').message,
              "Could not open drive E:\n" + d.sdc.string() + " is not the block device 8:32 that was listed.");
    EXPECT_EQ(raw.OpenPhysRead(3).message,
              "Could not open physical drive 3\n" + d.sdc.string() + " is not the block device 8:32 that was listed.");

    // A plain file is no block device at all; a missing node cannot be opened.
    test::WriteBytes(d.dir / "plain", std::vector<std::uint8_t>(512, 0));
    DeviceNodes nodes = d.sys.Nodes();
    nodes.Path = [&](const std::string&) { return d.dir / "plain"; };
    RawDisk plain(DiscoverDrives(d.sys.Tables()), nodes);
    EXPECT_EQ(plain.OpenPhysWrite(3).message, "Could not open physical drive 3\n" + (d.dir / "plain").string() +
                                                  " is not the block device 8:32 that was listed.");
    EXPECT_FALSE(plain.IsOpen());

    nodes.Path = [&](const std::string&) { return d.dir / "missing"; };
    RawDisk missing(DiscoverDrives(d.sys.Tables()), nodes);
    EXPECT_EQ(missing.OpenPhysWrite(3).message,
              "Could not open physical drive 3\n" + (d.dir / "missing").string() + ": No such file or directory");
    EXPECT_FALSE(missing.IsOpen());
}

TEST(RawDisk, AUserWithoutAccessToTheDeviceIsToldWhatIsNeeded)
{
    Desktop d;
    ASSERT_EQ(::chmod(d.dir.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(d.sdc.c_str(), 0), 0);
    const std::string node = d.sdc.string();
    const auto expected = [&](const std::string& failure, const char* access) {
        return failure + "\n" + node + ": Permission denied\nThis needs " + access + " access to " + node +
               " (on Debian: membership of the group \"disk\").";
    };
    const int status = test::RunUnprivileged([&] {
        RawDisk raw = d.Raw();
        const bool read = raw.OpenPhysRead(3).message == expected("Could not open physical drive 3", "read");
        const bool write = raw.OpenDriveWrite('E').message == expected("Could not open drive E:", "write");
        return (read ? 0 : 1) | (write ? 0 : 2);
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Slice(ReadBytes(d.sdc), 0)[0], 0xEE);
}

TEST(DeviceNodes, TheProgramOpensDevAndAcceptsOnlyBlockDevices)
{
    const DeviceNodes real = DeviceNodes::Real();
    EXPECT_EQ(real.Path("sdb"), std::filesystem::path("/dev/sdb"));
    TempDir dir;
    test::WriteBytes(dir / "image", std::vector<std::uint8_t>(512, 0));
    const int fd = ::open((dir / "image").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(real.Identify(fd), std::nullopt);
    ::close(fd);

    // Its disk service is UDisks2 on the system bus, which the tests point nowhere: not there.
    ASSERT_NE(real.service, nullptr);
    UniqueFd handed;
    EXPECT_EQ(real.service->OpenDevice({"sdb", {8, 16}}, true, handed).kind, ServiceAnswer::Unavailable);
    std::string point;
    EXPECT_EQ(real.service->Mount({"sdb1", {8, 17}}, point).kind, ServiceAnswer::Unavailable);
    EXPECT_EQ(handed.get(), -1);
}

namespace {

// The desktop with a private bus on which the fake UDisks2 serves the cards' block devices.
struct ServiceDesktop : Desktop {
    test::PrivateBus bus{dir.path()};
    test::FakeUDisks2 udisks{bus, sys, dir / "root"};

    ServiceDesktop()
    {
        udisks.Block("sdc", "8:32", sdc);
        udisks.Block("sda", "8:0", sda);
        udisks.Block("nvme0n1", "259:0", nvme);
    }
    RawDisk Raw() { return RawDisk(DiscoverDrives(sys.Tables()), sys.Nodes(bus.Service())); }
    test::WithoutDeviceAccess User() { return test::WithoutDeviceAccess({sdc, sda, nvme}, {dir.path()}); }
};

} // namespace

TEST(RawDiskService, ANodeTheUserCannotOpenIsOpenedThroughTheDiskService)
{
    ServiceDesktop d;
    RawDisk raw = d.Raw();
    SectorBytes SectorBuf{};
    {
        const auto user = d.User();
        ASSERT_TRUE(raw.OpenPhysRead(3)) << raw.OpenPhysRead(3).message;
        ASSERT_TRUE(raw.ReadSector(0, SectorBuf));
        ASSERT_TRUE(raw.OpenDriveWrite('E'));
        EXPECT_EQ(raw.OpenNode(), d.sdc.string());
        ASSERT_TRUE(raw.WriteSector(0x4000, Pattern(4)));
        ASSERT_TRUE(raw.CloseDrive());
    }
    EXPECT_EQ(SectorBuf[511], 0xAA);
    const auto bytes = ReadBytes(d.sdc);
    EXPECT_EQ(Slice(bytes, 0x4000), AsVector(Pattern(4)));
    EXPECT_EQ(Slice(bytes, 0x4200), std::vector<std::uint8_t>(512, 0xEE));
    using Call = test::FakeUDisks2::Call;
    EXPECT_EQ(d.udisks.Calls(), (std::vector<Call>{{"OpenDevice", "sdc", "r", 0}, {"OpenDevice", "sdc", "rw", O_EXCL}}));
}

TEST(RawDiskService, RefusalsAndDescriptorsOfAnotherDiskWriteNothing)
{
    const std::vector<std::pair<std::function<void(ServiceDesktop&)>, std::string>> cases = {
        {[](ServiceDesktop& d) { d.udisks.Fail("sdc", "OpenDevice", "org.freedesktop.UDisks2.Error.NotAuthorizedDismissed"); },
         "Access to @ was not granted."},
        {[](ServiceDesktop& d) { d.udisks.Fail("sdc", "OpenDevice", "org.freedesktop.UDisks2.Error.NotAuthorized"); },
         "Access to @ was not granted."},
        {[](ServiceDesktop& d) { d.udisks.Fail("sdc", "OpenDevice", "org.freedesktop.UDisks2.Error.Failed"); },
         "@: UDisks2 answered: refused by the fake"},
        {[](ServiceDesktop& d) { d.udisks.HandOut("sdc", d.sdb); }, "@ is not the block device 8:32 that was listed."},
        {[](ServiceDesktop& d) {
             test::WriteBytes(d.dir / "plain", std::vector<std::uint8_t>(512, 0));
             d.udisks.HandOut("sdc", d.dir / "plain");
         },
         "@ is not the block device 8:32 that was listed."},
        // The card changed, or was mounted, while polkit asked the user.
        {[](ServiceDesktop& d) { d.udisks.whileAsking = [&d] { d.sys.Set("sdc/device/serial", "0x0badcafe\n"); }; },
         "The card in /dev/sdc has changed since the drives were listed."},
        {[](ServiceDesktop& d) { d.udisks.whileAsking = [&d] { d.sys.Mount("8:32", "/media/u/NEW", "/dev/sdc"); }; },
         "/dev/sdc is mounted at /media/u/NEW.\nUnmount it first, for example: udisksctl unmount -b /dev/sdc"},
    };
    for (const auto& [setup, why] : cases) {
        ServiceDesktop d;
        setup(d);
        std::string expected = why;
        if (const auto at = expected.find('@'); at != std::string::npos)
            expected.replace(at, 1, d.sdc.string());
        {
            RawDisk raw = d.Raw();
            const auto user = d.User();
            EXPECT_EQ(raw.OpenDriveWrite('E').message, "Could not open drive E:\n" + expected);
            EXPECT_FALSE(raw.IsOpen());
            EXPECT_EQ(raw.WriteSector(0, Pattern(1)).message, "Could not write at byte 0.\nNo drive is open for writing.");
        }
        EXPECT_EQ(d.udisks.Calls().size(), 1u) << expected;
        for (const auto& image : {d.sdb, d.sdc})
            EXPECT_EQ(Slice(ReadBytes(image), 0)[0], 0xEE) << image;
    }
}

TEST(RawDiskService, NoServiceIsAskedForTheSystemOrAFixedDiskAndWithoutOneTheMessageStays)
{
    ServiceDesktop d;
    const auto denied = [](const std::filesystem::path& node, const std::string& failure, const char* access) {
        return failure + "\n" + node.string() + ": Permission denied\nThis needs " + access + " access to " +
               node.string() + " (on Debian: membership of the group \"disk\").";
    };
    {
        RawDisk raw = d.Raw();
        const auto user = d.User();
        EXPECT_EQ(raw.OpenPhysRead(0).message, denied(d.nvme, "Could not open physical drive 0", "read"));
        EXPECT_EQ(raw.OpenPhysRead(1).message, denied(d.sda, "Could not open physical drive 1", "read"));
        EXPECT_EQ(raw.OpenDriveWrite('J').message, "Could not open drive J:\n/dev/sda is not a removable disk.");
    }
    // Nor is it asked to unmount them, or a card under an encrypted volume.
    d.udisks.Block("sda1", "8:1", d.sda);
    d.udisks.Filesystem("sda1", "/mnt/data", true);
    d.udisks.Block("nvme0n1p1", "259:1", d.nvme);
    d.udisks.Filesystem("nvme0n1p1", "/boot/efi", true);
    d.udisks.Block("sde1", "8:65", d.sde);
    const DriveScan listed = DiscoverDrives(d.sys.Tables());
    const auto service = d.bus.Service();
    for (const int n : {0, 1, 4})
        EXPECT_TRUE(UnmountCard(listed, n, service.get())) << n;
    EXPECT_TRUE(d.udisks.Calls().empty());

    // A bus on which UDisks2 does not answer.
    TempDir other;
    test::PrivateBus empty(other.path());
    RawDisk raw(DiscoverDrives(d.sys.Tables()), d.sys.Nodes(empty.Service()));
    const auto user = d.User();
    EXPECT_EQ(raw.OpenPhysRead(3).message, denied(d.sdc, "Could not open physical drive 3", "read"));
    EXPECT_EQ(raw.OpenDriveWrite('E').message, denied(d.sdc, "Could not open drive E:", "write"));
}
