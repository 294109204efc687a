// The card's folder found again before an SFC copy, and the clean-up of the screen bitmaps.
#include "sdcard/CardFiles.h"

#include "sdcard/PictureTable.h"
#include "FakeSystem.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace kx4;
using namespace kx4::test;
namespace fs = std::filesystem;

TEST(CardFolder, TheVolumeIsFoundByItsDeviceEvenWhenTheLettersMove)
{
    TempDir dir;
    FakeSystem sys(dir.path());
    sys.Disk("sdc", "8:32", 7744512, true, "Reader");
    sys.Partition("sdc", "sdc1", "8:33", 7742464);
    // The card's file system is not what the folder is on: the card went, or something was
    // mounted over it.
    sys.Mount("8:33", "/media/u/QVR", "/dev/sdc1");
    fs::create_directories(dir / "root/media/u/QVR");
    FolderHandle folder;
    EXPECT_EQ(FindCardFolder(DiscoverDrives(sys.Tables()), 'D', dir / "root", folder).message,
              "The card folder " + Quoted(dir / "root/media/u/QVR") + " of drive D: (/dev/sdc1) is not on the card: "
              "the card is no longer mounted there, or another file system is mounted over it.\n"
              "Insert the card, close this window and use \"Create SD Card\" again.");
    EXPECT_EQ(folder.fd.get(), -1);
    sys.Unmount("/media/u/QVR");
    sys.Mount(DevOf(dir.path()), "/media/u/QVR", "/dev/sdc1");
    const DriveScan listed = DiscoverDrives(sys.Tables());
    ASSERT_EQ(FindDrive(listed, 'D')->volume, "sdc1");

    // Another card inserted meanwhile takes D:; the chosen volume is still the one found.
    sys.Disk("sdb", "8:16", 1000, true);
    ASSERT_TRUE(FindCardFolder(listed, 'd', dir / "root", folder));
    EXPECT_EQ(folder.path, dir / "root/media/u/QVR");

    // A mount point that is not there is no card folder.
    fs::remove(dir / "root/media/u/QVR");
    const IoResult r = FindCardFolder(listed, 'D', dir / "root", folder);
    EXPECT_EQ(r.message, "The card folder " + Quoted(dir / "root/media/u/QVR") + " of drive D: (/dev/sdc1) cannot be opened: No such file or directory.");
    EXPECT_EQ(folder.fd.get(), -1);

    // A partition of another size is another card.
    sys.Set("sdc/sdc1/size", "7742463\n");
    EXPECT_EQ(FindCardFolder(listed, 'D', dir / "root", folder).message,
              "The card in drive D: (/dev/sdc1) has changed since the drives were listed.\n"
              "Insert the card, close this window and use \"Create SD Card\" again.");
    EXPECT_EQ(FindCardFolder(listed, 'K', dir / "root", folder).message, "K: is not a drive of this computer.");
}

TEST(ScreenBitmaps, AllNinetySixAreDeletedAndNothingElse)
{
    TempDir dir;
    const Paths paths(dir.path());
    fs::create_directories(paths.BMPImagesDir());
    for (int row = 0; row < kImgCount; ++row)
        if (PicFamilyOf(row) != 0 || row == 1468 || row == 1446)
            std::ofstream(paths.BMPImagesDir() / ImgName(row)) << "x";
    std::ofstream(paths.BMPImagesDir() / "MP_S00.BMP") << "x";
    DeleteScreenBitmaps(paths);
    EXPECT_EQ(Entries(paths.BMPImagesDir()), (std::vector<std::string>{"MP_S00.BMP", "QVRS0_L.BMP", "SR0LAD.BMP"}));
}
