#include "platform/Drives.h"
#include "platform/RawDisk.h"

#include "FakeSystem.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace kx4;
using test::FakeSystem;
using test::TempDir;

namespace {

std::vector<std::string> Captions(const std::array<DriveOption, kDriveOptionCount>& options)
{
    std::vector<std::string> captions;
    for (const auto& o : options)
        captions.push_back(o.caption);
    return captions;
}

std::vector<int> PhysDrives(const std::array<DriveOption, kDriveOptionCount>& options)
{
    std::vector<int> numbers;
    for (const auto& o : options)
        numbers.push_back(o.DriveEnabled ? o.PhysDrive : -1);
    return numbers;
}

} // namespace

TEST(FindDrives, DesktopCaptionsEnabledStatesAndNumbers)
{
    TempDir dir;
    FakeSystem sys(dir.path());
    test::BuildDesktop(sys);
    const DriveScan scan = DiscoverDrives(sys.Tables());
    const auto options = FindDrives(scan);

    // Removable volumes first (the card behind a holder too), then the rest in name order, the
    // network share last; the empty reader, loop devices and device-mapper volumes take no letter.
    EXPECT_EQ(Captions(options), (std::vector<std::string>{
                                     "D:  Removable /  Drive:2", // sdb1, mounted
                                     "E:  Removable /  Drive:3", // sdc, no partitions
                                     "F:  Removable /  Drive:4", // sde1, under dm-2
                                     "G:  Fixed",                // nvme0n1p1
                                     "H:  Fixed",                // nvme0n1p2
                                     "I:  Fixed",                // nvme0n1p3
                                     "J:  Fixed",                // sda1
                                     "K:  CD-ROM",
                                     "L:  RAM Disk",
                                     "M:  Remote",
                                     "N:  (None)",
                                     "O:  (None)",
                                 }));
    EXPECT_EQ(PhysDrives(options), (std::vector<int>{2, 3, 4, -1, -1, -1, -1, -1, -1, -1, -1, -1}));

    ASSERT_NE(FindDisk(scan, "nvme0n1"), nullptr);
    EXPECT_TRUE(FindDisk(scan, "nvme0n1")->system);
    EXPECT_EQ(FindDisk(scan, "nvme0n1")->physNumber, 0);
    EXPECT_TRUE(FindDisk(scan, "nvme0n1")->swap);
    EXPECT_FALSE(FindDisk(scan, "sda")->system); // mounted under /mnt
    EXPECT_EQ(FindDisk(scan, "sda")->physNumber, 1);
    EXPECT_EQ(FindDisk(scan, "sde")->holders, (std::vector<std::string>{"dm-2"}));
    EXPECT_EQ(FindDisk(scan, "sdd"), nullptr);
    EXPECT_EQ(FindDisk(scan, "loop1"), nullptr);
    EXPECT_EQ(FindDisk(scan, "dm-0"), nullptr);
    EXPECT_EQ(FindDisk(scan, "sr0")->physNumber, -1);

    EXPECT_EQ(GetDriveInfo(scan, 'd'), kDriveRemovable);
    EXPECT_EQ(GetDriveInfo(scan, 'G'), kDriveFixed);
    EXPECT_EQ(GetDriveInfo(scan, 'N'), kDriveNoRoot);
    EXPECT_EQ(GetDriveInfo(scan, 'C'), kDriveNoRoot);
    EXPECT_EQ(GetDeviceNumber(scan, 'e'), 3);
    EXPECT_EQ(GetDeviceNumber(scan, 'J'), 1);
    EXPECT_EQ(GetDeviceNumber(scan, 'K'), std::nullopt);
    EXPECT_EQ(GetDeviceNumber(scan, 'N'), std::nullopt);
}

TEST(FindDrives, ToolTipsNameDeviceSizeModelAndMountPoint)
{
    TempDir dir;
    FakeSystem sys(dir.path());
    test::BuildDesktop(sys);
    const auto options = FindDrives(DiscoverDrives(sys.Tables()));

    EXPECT_EQ(options[0].toolTip, "/dev/sdb1 on /dev/sdb (8:17)\n7.9 GB, Generic SD/MMC\nMounted at /media/u/QVR CARD");
    EXPECT_EQ(options[1].toolTip, "/dev/sdc (8:32)\n4.0 GB, Card Reader\nNot mounted");
    EXPECT_EQ(options[2].toolTip, "/dev/sde1 on /dev/sde (8:65)\n15.9 GB, Flash Reader\nMounted at /media/u/secret");
    EXPECT_EQ(FormatSize(999), "999 bytes");
    EXPECT_EQ(FormatSize(999'960'000), "1.0 GB");
    EXPECT_EQ(options[4].toolTip, "/dev/nvme0n1p2 on /dev/nvme0n1 (259:2)\n460.8 GB, Samsung SSD 980 1TB\nMounted at /");
    EXPECT_EQ(options[9].toolTip, "Network share srv:/export\nMounted at /net/srv");
    EXPECT_EQ(options[10].toolTip, "");
}

TEST(FindDrives, SmallMachineReadsLikeThePanelTool)
{
    TempDir dir;
    FakeSystem sys(dir.path());
    sys.Disk("sda", "8:0", 500118192, false);
    sys.Partition("sda", "sda1", "8:1", 500116144);
    sys.Mount("8:1", "/", "/dev/sda1", "ext4");
    sys.Disk("sdb", "8:16", 7744512, true);
    sys.Partition("sdb", "sdb1", "8:17", 7742464);
    sys.Partition("sdb", "sdb2", "8:18", 2); // an extended partition: a container of logical ones
    sys.Partition("sdb", "sdb5", "8:21", 2046);
    sys.Disk("sr0", "11:0", 0, true); // no disc: still a CD-ROM drive
    const DriveScan scan = DiscoverDrives(sys.Tables());
    const auto options = FindDrives(scan);
    EXPECT_EQ(scan.drives[1].volume, "sdb5");

    // Two volumes of one card show the same number and are both enabled.
    EXPECT_EQ(Captions(options), (std::vector<std::string>{
                                     "D:  Removable /  Drive:1", "E:  Removable /  Drive:1", "F:  Fixed",
                                     "G:  CD-ROM", "H:  (None)", "I:  (None)", "J:  (None)", "K:  (None)",
                                     "L:  (None)", "M:  (None)", "N:  (None)", "O:  (None)"}));
    EXPECT_TRUE(options[0].DriveEnabled);
    EXPECT_TRUE(options[1].DriveEnabled);
    EXPECT_FALSE(options[2].DriveEnabled);
    EXPECT_EQ(options[3].toolTip, "/dev/sr0 (11:0)\nNo medium\nNot mounted");
}

TEST(FindDrives, NothingFoundLeavesEveryOptionDisabled)
{
    TempDir dir;
    const auto options = FindDrives(DiscoverDrives({dir / "no-sys", dir / "no-mountinfo", dir / "no-swaps"}));
    for (int i = 0; i < kDriveOptionCount; ++i) {
        EXPECT_EQ(options[i].caption, std::string(1, static_cast<char>('D' + i)) + ":  (None)");
        EXPECT_FALSE(options[i].DriveEnabled);
    }
    // Without a mount table no disk is known to be free of the system.
    FakeSystem sys(dir.path());
    sys.Disk("sdb", "8:16", 1000, true);
    std::filesystem::remove(sys.Tables().mountInfo);
    EXPECT_EQ(FindDrives(DiscoverDrives(sys.Tables()))[0].caption, "D:  Removable /  Drive:0");
}

TEST(FindDrives, AnUnknownDeviceNumberIsListedButNotEnabledAndTakesNoNumber)
{
    TempDir dir;
    FakeSystem sys(dir.path());
    sys.Disk("sda", "8:0", 1000000, false);
    sys.Mount("8:0", "/", "/dev/sda", "ext4");
    sys.Disk("sdb", "8:16", 1000000, true);
    sys.Remove("sdb/dev");
    sys.Disk("sdc", "8:32", 1000000, true);
    sys.Partition("sdc", "sdc1", "8:33", 900000);
    sys.Set("sdc/sdc1/dev", "garbage\n");
    sys.Disk("sdd", "8:48", 1000000, true);
    const DriveScan scan = DiscoverDrives(sys.Tables());
    const auto options = FindDrives(scan);

    EXPECT_EQ(options[0].caption, "D:  Removable");
    EXPECT_FALSE(options[0].DriveEnabled);
    EXPECT_EQ(options[0].PhysDrive, -1);
    EXPECT_EQ(options[0].toolTip, "/dev/sdb (device number unknown)\n512.0 MB\nNot mounted");
    EXPECT_EQ(options[1].caption, "E:  Removable"); // the disk has a number, its volume not
    EXPECT_FALSE(options[1].DriveEnabled);
    EXPECT_EQ(options[2].caption, "F:  Removable /  Drive:2"); // sdc is 1; sdb took none
    EXPECT_EQ(GetDeviceNumber(scan, 'D'), std::nullopt);
    EXPECT_EQ(GetDeviceNumber(scan, 'E'), std::nullopt);

    // Nor can it be opened: it could not be checked again.
    RawDisk raw(scan, sys.Nodes());
    EXPECT_EQ(raw.OpenDriveWrite('D').message, "Could not open drive D:\nThe device number of /dev/sdb is not known.");
    EXPECT_EQ(raw.OpenDriveWrite('E').message, "Could not open drive E:\nThe device number of /dev/sdc is not known.");
}

TEST(FindDrives, SystemDiskIsNumberZeroWhateverItsKind)
{
    // A card that holds the running system (a single-board computer) is removable, numbered 0.
    {
        TempDir dir;
        FakeSystem sys(dir.path());
        sys.Disk("mmcblk0", "179:0", 62333952, false);
        sys.Set("mmcblk0/device/type", "SD\n");
        sys.Set("mmcblk0/device/name", "SC64G\n");
        sys.Partition("mmcblk0", "mmcblk0p1", "179:1", 524288);
        sys.Partition("mmcblk0", "mmcblk0p2", "179:2", 61800000);
        sys.Mount("179:1", "/boot", "/dev/mmcblk0p1");
        sys.Mount("0:31", "/", "/dev/mmcblk0p2", "btrfs"); // btrfs: matched by source, not number
        sys.Disk("sda", "8:0", 7744512, true);
        const auto options = FindDrives(DiscoverDrives(sys.Tables()));
        EXPECT_EQ(Captions(options)[0], "D:  Removable /  Drive:0");
        EXPECT_EQ(Captions(options)[1], "E:  Removable /  Drive:0");
        EXPECT_EQ(Captions(options)[2], "F:  Removable /  Drive:1");
        EXPECT_EQ(options[0].toolTip, "/dev/mmcblk0p1 on /dev/mmcblk0 (179:1)\n268.4 MB, SC64G\nMounted at /boot");
    }
    // Mounted outside the media folders, or used as swap: the system's.
    for (const bool asSwap : {false, true}) {
        TempDir dir;
        FakeSystem sys(dir.path());
        sys.Disk("sdb", "8:16", 7744512, true);
        sys.Partition("sdb", "sdb1", "8:17", 7742464);
        if (asSwap)
            sys.Swap("/dev/sdb1");
        else
            sys.Mount("8:17", "/home/u/card", "/dev/sdb1");
        sys.Disk("sdc", "8:32", 7744512, true);
        sys.Mount("8:32", "/run/media/u/CARD", "/dev/sdc");
        const DriveScan scan = DiscoverDrives(sys.Tables());
        EXPECT_EQ(GetDeviceNumber(scan, 'D'), 0) << asSwap;
        EXPECT_EQ(GetDeviceNumber(scan, 'E'), 1) << asSwap;
        EXPECT_EQ(FindDrive(scan, 'E')->mountPoint, "/run/media/u/CARD");
    }
    // A RAID array over two disks holding / makes both of them system disks; a path that only
    // begins like a media folder does not count as one.
    {
        TempDir dir;
        FakeSystem sys(dir.path());
        sys.Disk("sda", "8:0", 1000000, false);
        sys.Partition("sda", "sda1", "8:1", 900000);
        sys.Disk("sdb", "8:16", 1000000, false);
        sys.Partition("sdb", "sdb1", "8:17", 900000);
        sys.Holder("sda/sda1", "md0", "9:0", "");
        sys.Holder("sdb/sdb1", "md0", "9:0", "");
        sys.Holder("md0", "dm-0", "254:0", "vg-root");
        sys.Mount("254:0", "/", "/dev/mapper/vg-root", "ext4");
        sys.Disk("sdc", "8:32", 1000000, false);
        sys.Mount("8:32", "/mntx", "/dev/sdc", "ext4");
        sys.Disk("sdd", "8:48", 1000000, false);
        const DriveScan scan = DiscoverDrives(sys.Tables());
        EXPECT_EQ(FindDisk(scan, "sda")->physNumber, 0);
        EXPECT_EQ(FindDisk(scan, "sdb")->physNumber, 0);
        EXPECT_EQ(FindDisk(scan, "sda")->holders, (std::vector<std::string>{"md0", "dm-0"}));
        EXPECT_EQ(FindDisk(scan, "sdb")->mountPoints, (std::vector<std::string>{"/"}));
        EXPECT_TRUE(FindDisk(scan, "sdc")->system);
        EXPECT_EQ(FindDisk(scan, "sdc")->physNumber, 0);
        EXPECT_EQ(FindDisk(scan, "sdd")->physNumber, 1);
        EXPECT_EQ(FindDisk(scan, "md0"), nullptr);
    }
}

TEST(FindDrives, BuiltInReadersAndOrdering)
{
    TempDir dir;
    FakeSystem sys(dir.path());
    // A card in a built-in reader reports removable 0 but is removable; eMMC storage is fixed.
    sys.Disk("mmcblk1", "179:32", 30535680, false);
    sys.Set("mmcblk1/device/type", "MMC\n");
    sys.Disk("mmcblk1boot0", "179:64", 8192, false);
    sys.Disk("mmcblk0", "179:0", 15523840, false);
    sys.Set("mmcblk0/device/type", "SD\n");
    // Partitions in number order, not text order.
    sys.Disk("sdb", "8:16", 100000000, true);
    for (int p : {1, 2, 10})
        sys.Partition("sdb", "sdb" + std::to_string(p), "8:" + std::to_string(16 + p), 1000);
    const DriveScan scan = DiscoverDrives(sys.Tables());

    ASSERT_EQ(scan.drives.size(), 5u);
    EXPECT_EQ(scan.drives[0].volume, "mmcblk0");
    EXPECT_EQ(scan.drives[0].type, kDriveRemovable);
    EXPECT_EQ(scan.drives[0].physNumber, 1);
    EXPECT_EQ(scan.drives[1].volume, "sdb1");
    EXPECT_EQ(scan.drives[2].volume, "sdb2");
    EXPECT_EQ(scan.drives[3].volume, "sdb10");
    EXPECT_EQ(scan.drives[3].physNumber, 3);
    EXPECT_EQ(scan.drives[4].volume, "mmcblk1");
    EXPECT_EQ(scan.drives[4].type, kDriveFixed);
    EXPECT_EQ(scan.drives[4].physNumber, 2);
}

TEST(FindDrives, AtMostTwelveLetters)
{
    TempDir dir;
    FakeSystem sys(dir.path());
    for (int i = 0; i < 14; ++i)
        sys.Disk(std::string("sd") + static_cast<char>('b' + i), "8:" + std::to_string(16 * (i + 1)), 1000, true);
    const DriveScan scan = DiscoverDrives(sys.Tables());
    ASSERT_EQ(scan.drives.size(), 12u);
    EXPECT_EQ(scan.drives.back().letter, 'O');
    EXPECT_EQ(scan.drives.back().volume, "sdm");
    EXPECT_EQ(FindDrives(scan)[11].caption, "O:  Removable /  Drive:12");
    EXPECT_EQ(scan.disks.size(), 14u);
}
