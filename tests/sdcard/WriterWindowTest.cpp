// The SD card writer window: its opening, and whole write flows with scripted answers, the bytes of
// the image file, the card, the raw card and the backup checked.
#include "data/ProjectFiles.h"
#include "sdcard/ConfigFinishing.h"
#include "WriterFixture.h"

#include "TextFit.h"

#include <QTest>
#include <QTimer>

#include <csignal>
#include <optional>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace kx4;
using namespace kx4::test;
namespace fs = std::filesystem;

namespace {

const std::string kSfcWarning =
    " Brivane Touch firmware revision 03.xx or higher required.\n"
    "  The SD card must be reformatted as FAT32 each time with the Windows utility or an approved SD card "
    "formatter and be named QVR.\n"
    "  The write process will alter data on all logical drives with the same physical drive number as the "
    "selected drive.\n"
    "  Once the write process begins, there is no method to recover any data previously on the drive.\n"
    "  It is recommended that the user verifies the correct drive is selected by using the Windows Disk "
    "Management utility.";

const std::string kRawWarning =
    " Ensure you select the correct logical/physical drive.\n"
    "  The write process will erase all data on all logical drives with the same physical drive number as the "
    "selected drive.\n"
    "  Once the write process begins, there is no method to recover any data previously on the drive.\n"
    "  It is recommended that the user verifies the correct drive is selected by using the Windows Disk "
    "Management utility.\n"
    "  The utility is in Control Panel | System and Security | Administrative Tools | Computer Management | "
    "Storage | Disk Management (local)";

const Writer::Box kComplete{MsgIcon::None, "Write Data", "Write Data Complete"};
const Writer::Box kStopped{MsgIcon::Critical, "Write Data",
                           "Write Data Stopped By User.\nSD Card Has Incomplete Data.\n"
                           "Entire SD Card MUST Be Written To Correct Damaged Images."};

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t n)
{
    return {bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.begin() + static_cast<std::ptrdiff_t>(from + n)};
}

// The configuration block and device map of `m` as the card image holds them.
void ExpectConfiguration(const std::vector<std::uint8_t>& image, const modOrvel& m)
{
    ASSERT_GE(image.size(), 0x4200u);
    for (std::uint32_t k = 0; k < 16384; ++k)
        ASSERT_EQ(image[k], static_cast<std::uint8_t>(m.PanelCfg[k])) << k;
    for (std::uint32_t d = 0; d < 512; ++d)
        ASSERT_EQ(image[0x4000 + d], d < 128 ? static_cast<std::uint8_t>(m.DeviceMap[d]) : 0) << d;
}

// The 16 screen pictures of display code 1 as WriteScreens made them.
void ExpectScreens(const std::vector<std::uint8_t>& image)
{
    for (int s = 0; s < 16; ++s) {
        const auto packed = PackedBytes(PatternPicture(480, 272, s), false);
        ASSERT_GE(image.size(), ImgOffset(ScreenRow(1, s)) + packed.size());
        EXPECT_EQ(std::memcmp(image.data() + ImgOffset(ScreenRow(1, s)), packed.data(), packed.size()), 0) << s;
    }
}

} // namespace

TEST(WriterWindow, OpensWithTheDrivesTheDisplayAndTheWarningOfSfcMode)
{
    Writer t;
    t.m.IncludeStdFlag = false;
    frmOrvelSDWrite& w = t.Open();

    EXPECT_EQ(w.windowTitle(), "QVR Brivane Touch SD Card Writer");
    EXPECT_TRUE(w.isModal());
    EXPECT_EQ(w.size(), QSize(681, 353));
    EXPECT_EQ(w.pos(), QPoint(459, 323)) << "centred on the display";

    const std::vector<std::string> captions = {"D:  Removable /  Drive:1", "E:  Removable /  Drive:2", "F:  Fixed",
                                               "G:  (None)", "H:  (None)", "I:  (None)", "J:  (None)", "K:  (None)",
                                               "L:  (None)", "M:  (None)", "N:  (None)", "O:  (None)"};
    const int tops[] = {16, 40, 64, 88, 112, 136};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(t.Option(i)->text().toStdString(), captions[static_cast<std::size_t>(i)]);
        EXPECT_EQ(t.Option(i)->isEnabled(), i < 2) << i;
        EXPECT_FALSE(t.Option(i)->isChecked()) << i;
        EXPECT_EQ(t.Option(i)->geometry(), QRect(i < 6 ? 16 : 256, tops[i % 6], 225, 17)) << i;
    }
    EXPECT_EQ(t.Option(0)->toolTip().toStdString(), "/dev/sdb1 on /dev/sdb (8:17)\n7.9 GB, SD/MMC\nMounted at /media/u/QVR");
    EXPECT_EQ(t.Option(1)->toolTip().toStdString(), "/dev/sdc (8:32)\n4.0 GB, Card Reader\nNot mounted");

    EXPECT_EQ(t.Text("lblDspDim"), " 480 x 272 Landscape");
    EXPECT_EQ(t.Text("lblWarning").toStdString(), kSfcWarning);
    EXPECT_EQ(t.Text("lblFiles"), "");
    QCheckBox* active = t.Check("chkActiveOnly");
    EXPECT_EQ(active->text(), "Include Standard Icons and Unused Screens (Must be done once per SD Card to initialize)");
    EXPECT_TRUE(active->isChecked());
    EXPECT_FALSE(active->isEnabled());
    EXPECT_TRUE(active->isHidden());
    EXPECT_FALSE(t.m.IncludeStdFlag) << "opening shows the flag, never sets it";
    QCheckBox* base = t.Check("chkBuildBaseImage");
    EXPECT_EQ(base->text(), "Build Base Image (Admin ONLY)");
    EXPECT_TRUE(base->isHidden());
    EXPECT_FALSE(base->isChecked());
    QProgressBar* bar = t.Find<QProgressBar>("pbFiles");
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 2443);
    EXPECT_EQ(t.Button("cmdCancel")->text(), "Cancel Write");
    EXPECT_TRUE(t.Button("cmdCancel")->isHidden());
    EXPECT_EQ(t.Button("cmdClose")->text(), "Close");
    EXPECT_TRUE(t.Button("cmdClose")->isEnabled());

    EXPECT_EQ(t.Find("lblDspDim")->geometry(), QRect(520, 64, 153, 17));
    EXPECT_EQ(t.Find("cmdCompileAll")->geometry(), QRect(8, 168, 105, 28));
    EXPECT_EQ(t.Find("lblFiles")->geometry(), QRect(120, 168, 553, 17));
    EXPECT_EQ(t.Find("pbFiles")->geometry(), QRect(120, 184, 553, 13));
    EXPECT_EQ(t.Find("cmdCancel")->geometry(), QRect(8, 200, 105, 25));
    EXPECT_EQ(t.Find("chkActiveOnly")->geometry(), QRect(120, 208, 473, 17));
    EXPECT_EQ(t.Find("cmdClose")->geometry(), QRect(616, 208, 57, 25));
    EXPECT_EQ(t.Find("lblWarning")->geometry(), QRect(16, 248, 649, 89));

    // The colours as drawn: the window, the display label, the progress label, the warning.
    const QImage shot = w.grab().toImage();
    EXPECT_EQ(shot.pixel(600, 40) & 0xFFFFFF, 0xE8E8E8u);
    EXPECT_EQ(shot.pixel(670, 78) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(shot.pixel(400, 176) & 0xFFFFFF, 0x80FFFFu);
    EXPECT_EQ(shot.pixel(660, 332) & 0xFFFFFF, 0xFFFF80u);

    // The write button waits for a drive.
    QPushButton* write = t.Button("cmdCompileAll");
    EXPECT_EQ(write->text(), "Write To SD Card");
    EXPECT_FALSE(write->isEnabled());
    t.Option(1)->click();
    EXPECT_EQ(write->text(), "Create Image on E:");
    EXPECT_TRUE(write->isEnabled());
    EXPECT_EQ(ClippedTexts(w), std::vector<std::string>{});
    EXPECT_TRUE(t.prompts.Log().empty());
}

TEST(WriterWindow, RawModeShowsTheUsersLastChoiceOfTheStandardPictures)
{
    Writer t;
    t.m.SetSDFormat(1);
    t.m.SetScnRes(2);
    t.m.SetLayout(1);
    t.m.IncludeStdFlag = false;
    t.Open();
    EXPECT_EQ(t.Text("lblDspDim"), " 800 x 480 Portrait");
    EXPECT_EQ(t.Text("lblWarning").toStdString(), kRawWarning);
    QCheckBox* active = t.Check("chkActiveOnly");
    EXPECT_FALSE(active->isChecked());
    EXPECT_TRUE(active->isEnabled());
    EXPECT_FALSE(active->isHidden());
    t.Option(0)->click();
    EXPECT_EQ(ClippedTexts(*t.window), std::vector<std::string>{});

    active->click();
    EXPECT_TRUE(t.m.IncludeStdFlag);
    t.Button("cmdClose")->click();
    EXPECT_FALSE(t.window->isVisible());
    t.Open();
    EXPECT_TRUE(t.Check("chkActiveOnly")->isChecked());
    t.Check("chkActiveOnly")->click();
    EXPECT_FALSE(t.m.IncludeStdFlag);
}

TEST(WriterWindow, NoToTheConfirmationChangesNothing)
{
    Writer t;
    t.WriteScreens();
    WriteBytes(t.paths.CoreImageFile(), CorePattern(1));
    WriteBytes(t.paths.SDImageFile(), {1, 2, 3});
    t.Open();
    t.prompts.Answer(MsgAnswer::No);
    t.prompts.Answer(MsgAnswer::Ok);
    t.WriteTo(0);

    EXPECT_EQ(t.Boxes(), (std::vector<Writer::Box>{{MsgIcon::Question, "Write Data", kSfcConfirm},
                                                   {MsgIcon::None, "Write Data", "Action Canceled"}}));
    EXPECT_EQ(t.prompts.Log()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ReadAll(t.paths.SDImageFile()), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_TRUE(Entries(t.Card()).empty());
    EXPECT_EQ(t.ScreenBitmaps(), 96);
    t.ExpectUnlocked();
}

TEST(WriterWindow, PhysicalDiskZeroIsRefusedAfterTheConfirmation)
{
    Writer t;
    // A removable disk that holds a system folder is the system disk.
    t.sys.Disk("sdd", "8:48", 7744512, true, "USB Disk");
    t.sys.Mount("8:48", "/home", "/dev/sdd", "ext4");
    t.m.SetSDFormat(1);
    const auto image = t.sys.Image("sdd", "8:48", 64);
    t.WriteScreens();
    t.Open();
    EXPECT_EQ(t.Option(2)->text(), "F:  Removable /  Drive:0");
    t.prompts.Answer(MsgAnswer::Yes);
    t.prompts.Answer(MsgAnswer::Ok);
    t.WriteTo(2);

    EXPECT_EQ(t.Boxes(), (std::vector<Writer::Box>{
                             {MsgIcon::Question, "Write Data",
                              "This action will permanently erase data on drive F:\nand all logical drives on physical "
                              "drive: 0\nDo you want to continue?"},
                             {MsgIcon::Critical, "Write Error", "Writing to physical disk 0 not allowed.\nWrite canceled."}}));
    EXPECT_EQ(ReadAll(image), std::vector<std::uint8_t>(64 * 512, 0xEE));
    EXPECT_EQ(t.ScreenBitmaps(), 96);
    EXPECT_TRUE(t.Option(2)->isChecked()) << "the chosen option stays chosen";
    EXPECT_TRUE(t.Option(2)->isEnabled());
    EXPECT_EQ(t.Button("cmdCompileAll")->text(), "Create Image on F:");
    EXPECT_TRUE(t.Check("chkActiveOnly")->isEnabled());
    t.ExpectUnlocked();
}

TEST(WriterWindow, RawCardWithABootRecordIsWipedInItsFirstSectorOnlyAndTheWindowCloses)
{
    Writer t;
    t.m.SetSDFormat(1);
    t.WriteScreens();
    std::vector<std::uint8_t> card = Pattern(256 * 512, 5);
    card[510] = 0x55;
    card[511] = 0xAA;
    const auto node = t.sys.Image("sdc", "8:32", 256);
    WriteBytes(node, card);
    const std::vector<Writer::Box> asked = {{MsgIcon::Question, "Write Data", kRawConfirmE},
                                            {MsgIcon::Question, "Verify Drive",
                                             "MBR found on device.\nVerify you have selected the correct drive.\nContinue?"}};

    // No: nothing written, the window usable again.
    t.Open();
    t.prompts.Answer(MsgAnswer::Yes);
    t.prompts.Answer(MsgAnswer::No);
    t.prompts.Answer(MsgAnswer::Ok);
    t.WriteTo(1);
    auto boxes = asked;
    boxes.push_back({MsgIcon::Information, "Cancel", "Write canceled."});
    EXPECT_EQ(t.Boxes(), boxes);
    EXPECT_EQ(ReadAll(node), card);
    EXPECT_TRUE(t.window->isVisible());
    t.ExpectUnlocked();

    // Yes: the first sector becomes zero, nothing else changes, and the window closes.
    t.prompts.ClearLog();
    t.prompts.Answer(MsgAnswer::Yes);
    t.prompts.Answer(MsgAnswer::Yes);
    t.prompts.Answer(MsgAnswer::Ok);
    t.Button("cmdCompileAll")->click();
    boxes = asked;
    boxes.push_back({MsgIcon::None, "QVR Brivane KX4 Pro",
                     "Device has been initialized.\nFollow these steps to proceed:\n -Remove SD card\n -Wait 5 seconds\n"
                     " -Reinsert SD card\n -Click OK and select Program | Compile And Write To SD Card again"});
    EXPECT_EQ(t.Boxes(), boxes);
    const auto after = ReadAll(node);
    EXPECT_EQ(Slice(after, 0, 512), std::vector<std::uint8_t>(512, 0));
    EXPECT_EQ(Slice(after, 512, after.size() - 512), Slice(card, 512, card.size() - 512));
    EXPECT_FALSE(t.window->isVisible());
    EXPECT_EQ(t.window->result(), QDialog::Accepted);
    EXPECT_EQ(t.ScreenBitmaps(), 96) << "nothing else happened";
}

TEST(WriterWindow, RawWriteOfTheScreensAndTheConfigurationWithoutBackup)
{
    Writer t;
    t.m.SetSDFormat(1);
    t.m.IncludeStdFlag = false; // the screens only
    t.m.SetScreen(2);
    t.m.SetSldImage(0, 3);
    t.m.SetSldDevice(0, 7);
    t.m.SetScreen(0);
    t.WriteScreens();
    const auto node = t.sys.Image("sdc", "8:32", 256);
    t.Open();
    t.prompts.Answer(MsgAnswer::Yes);
    t.prompts.Answer(MsgAnswer::Ok);
    t.WriteTo(1);

    EXPECT_EQ(t.Boxes(), (std::vector<Writer::Box>{{MsgIcon::Question, "Write Data", kRawConfirmE}, kComplete}));
    const auto card = ReadAll(node);
    ExpectConfiguration(card, t.m);
    EXPECT_EQ(card[0x4000 + 7], 255) << "the slider's device";
    ExpectScreens(card);
    EXPECT_EQ(Slice(card, 0x4200, 0x10000 - 0x4200), std::vector<std::uint8_t>(0x10000 - 0x4200, 0xEE))
        << "the gap and the standard pictures are not written";
    EXPECT_EQ(card.size(), ImgOffset(ScreenRow(1, 15)) + SlotSize(ScreenRow(1, 15)));
    EXPECT_TRUE(Entries(t.sysDir / "root").size() == 1 && Entries(t.Card()).empty()) << "no backup anywhere";
    EXPECT_EQ(t.ScreenBitmaps(), 0);
    EXPECT_EQ(t.Find<QProgressBar>("pbFiles")->value(), 2443);
    t.ExpectUnlocked();
}

TEST(WriterWindow, RawWritesNeedAnUnmountedCardAndStopAtAFailingOne)
{
    Writer t;
    t.m.SetSDFormat(1);
    t.m.IncludeStdFlag = false;
    t.WriteScreens();
    const auto volume = t.sys.Image("sdb1", "8:17", 64);
    t.sys.Image("sdb", "8:16", 64);
    const auto sdc = t.sys.Image("sdc", "8:32", 256);
    PrivateBus bus(t.sysDir.path()); // UDisks2 does not answer on it
    t.service = bus.Service();
    t.Open();

    // The mounted card: told where it is mounted and how to unmount it.
    t.prompts.Answer(MsgAnswer::Yes);
    t.prompts.Answer(MsgAnswer::Ok);
    t.WriteTo(0);
    ASSERT_EQ(t.Boxes().size(), 2u);
    EXPECT_EQ(t.Boxes()[1], (Writer::Box{MsgIcon::Critical, "Write Error",
                                         "Could not open drive D:\n/dev/sdb is mounted at /media/u/QVR.\n"
                                         "Unmount it first, for example: udisksctl unmount -b /dev/sdb1"}));
    EXPECT_EQ(ReadAll(volume), std::vector<std::uint8_t>(64 * 512, 0xEE));
    EXPECT_EQ(t.ScreenBitmaps(), 96);
    t.ExpectUnlocked();

    // A card that refuses a write past its first sectors: the run stops there, named.
    t.prompts.ClearLog();
    t.prompts.Answer(MsgAnswer::Yes);
    t.prompts.Answer(MsgAnswer::Ok);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 256 * 512;
    ::setrlimit(RLIMIT_FSIZE, &small);
    t.WriteTo(1);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);
    ASSERT_EQ(t.Boxes().size(), 2u);
    EXPECT_EQ(t.Boxes()[1], (Writer::Box{MsgIcon::Critical, "Write Error",
                                         "Could not write to drive E: at byte " + std::to_string(ImgOffset(ScreenRow(1, 0))) +
                                             ".\n" + sdc.string() + ": File too large"}));
    EXPECT_EQ(ReadAll(sdc), std::vector<std::uint8_t>(256 * 512, 0xEE)) << "nothing written before the failure";
    EXPECT_EQ(t.ScreenBitmaps(), 96) << "kept for another try";
    t.ExpectUnlocked();
}

TEST(WriterWindow, SfcWriteCopyOntoTheCardBackupCleanUpAndBaseBuild)
{
    Writer t;
    ASSERT_TRUE(MakeInstallation(t.paths));
    t.WriteScreens();
    const auto core = ReadAll(t.paths.CoreImageFile());
    // A colour-control button, and a background picture on screen 3 given as a Windows path.
    t.m.SetScreen(4);
    t.m.SetBtnType(0, 57);
    t.m.SetBtnDevice(0, 20);
    t.m.SetScreen(0);
    fs::create_directories(t.paths.BMPLibraryDir());
    WriteBmp(t.paths.BMPLibraryDir() / "Stone.bmp", PatternPicture(40, 30, 9));
    t.m.ScreenBG[3] = "C:\\QVR Brivane KX4 Pro Screen\\BMP Library\\STONE.BMP";
    t.m.ScreenBG[7] = "C:\\missing.bmp";
    // What an earlier write left on the card.
    WriteBytes(t.Card() / "QVRTOUCH.DAT", Pattern(5000, 2));
    fs::create_directories(t.Card() / "Backup");
    WriteBytes(t.Card() / "Backup" / "Backup.KQC", Pattern(300000, 3));

    t.Open();
    t.prompts.Answer(MsgAnswer::Yes);
    t.prompts.Answer(MsgAnswer::Ok);
    t.WriteTo(0);
    EXPECT_EQ(t.Boxes(), (std::vector<Writer::Box>{{MsgIcon::Question, "Write Data", kSfcConfirm}, kComplete}));

    // The image: the core image but for the configuration, the device map and the 16 screens.
    const auto image = ReadAll(t.paths.SDImageFile());
    ASSERT_EQ(image.size(), core.size());
    ExpectConfiguration(image, t.m);
    EXPECT_EQ(image[0x4000 + 20], 255);
    EXPECT_EQ(image[0x4000 + 64 + 23], 255);
    ExpectScreens(image);
    const std::uint32_t screens = ImgOffset(ScreenRow(1, 0));
    const std::uint32_t screensEnd = ImgOffset(ScreenRow(1, 15)) + SlotSize(ScreenRow(1, 15));
    EXPECT_EQ(std::memcmp(image.data() + 0x4200, core.data() + 0x4200, screens - 0x4200), 0);
    EXPECT_EQ(std::memcmp(image.data() + screensEnd, core.data() + screensEnd, core.size() - screensEnd), 0);
    // On the card: the same bytes, and the backup.
    EXPECT_TRUE(ReadAll(t.Card() / "QVRTOUCH.DAT") == image);
    ProjectTables backup;
    ASSERT_TRUE(LoadPanelDataFile(t.Card() / "Backup" / "Backup.KQC", backup));
    EXPECT_EQ(backup.PanelCfg, t.m.PanelCfg);
    EXPECT_EQ(backup.DesignCfg, t.m.DesignCfg);
    EXPECT_EQ(backup.ScreenBG, t.m.ScreenBG);
    EXPECT_EQ(ReadAll(t.Card() / "Backup" / "Screen03.BMP"), ReadAll(t.paths.BMPLibraryDir() / "Stone.bmp"));
    EXPECT_EQ(Entries(t.Card() / "Backup"), (std::vector<std::string>{"Backup.KQC", "Screen03.BMP"}));
    EXPECT_EQ(Entries(t.Card()), (std::vector<std::string>{"Backup", "QVRTOUCH.DAT"})) << "nothing left over";
    EXPECT_EQ(t.ScreenBitmaps(), 0);
    EXPECT_EQ(t.Text("lblFiles"), "Copy SD Card Image.....Please Wait.....");
    EXPECT_EQ(t.Button("cmdCompileAll")->text(), "Create Image on D:");
    t.ExpectUnlocked();

    // A second write from this opening has no screen pictures left.
    t.prompts.ClearLog();
    t.prompts.Answer(MsgAnswer::Ok);
    t.Button("cmdCompileAll")->click();
    EXPECT_EQ(t.Boxes(), (std::vector<Writer::Box>{{MsgIcon::Exclamation, "Write Data",
                                                    "The screen pictures of this design were deleted after the last "
                                                    "write.\nUse \"Create SD Card\" again to write the card once more."}}));

    // The base build of a new opening: every picture from RawImages into an empty image, which
    // becomes the core image.
    t.Button("cmdClose")->click();
    t.WriteScreens();
    t.Open();
    QTest::mouseClick(t.Find("lblWarning"), Qt::LeftButton, Qt::AltModifier, QPoint(20, 20));
    ASSERT_FALSE(t.Check("chkBuildBaseImage")->isHidden());
    t.Check("chkBuildBaseImage")->click();
    t.prompts.ClearLog();
    t.prompts.Answer(MsgAnswer::Yes);
    t.prompts.Answer(MsgAnswer::Ok);
    t.WriteTo(0);
    EXPECT_EQ(t.Boxes().back(), kComplete);
    const auto built = ReadAll(t.paths.SDImageFile());
    EXPECT_TRUE(ReadAll(t.paths.CoreImageFile()) == built);
    EXPECT_TRUE(ReadAll(t.Card() / "QVRTOUCH.DAT") == built);
    EXPECT_EQ(Slice(built, 0x4200, 0x10000 - 0x4200), std::vector<std::uint8_t>(0x10000 - 0x4200, 0)) << "started empty";
    EXPECT_EQ(Entries(t.paths.SDCardGraphicsDir()),
              (std::vector<std::string>{"BMPImages", "QVR_KX4_CoreIMG.DAT", "RawImages"}));
}

TEST(WriterWindow, CancelStillWritesTheConfigurationAndTheCardButNoBackup)
{
    Writer t;
    t.WriteScreens();
    const auto core = CorePattern(4);
    WriteBytes(t.paths.CoreImageFile(), core);
    t.Open();
    bool lockedWhileWriting = false;
    QTimer::singleShot(0, [&] {
        // The close box does nothing while the write runs; the base-build box is locked.
        t.window->close();
        lockedWhileWriting = t.window->isVisible() && !t.Button("cmdClose")->isEnabled() &&
                             !t.Button("cmdCompileAll")->isEnabled() && !t.Check("chkBuildBaseImage")->isEnabled() &&
                             !t.Option(0)->isEnabled() && t.Button("cmdCancel")->isVisible();
        t.Button("cmdCancel")->click();
    });
    t.prompts.Answer(MsgAnswer::Yes);
    t.prompts.Answer(MsgAnswer::Ok);
    t.WriteTo(0);

    EXPECT_TRUE(lockedWhileWriting);
    EXPECT_EQ(t.Boxes(), (std::vector<Writer::Box>{{MsgIcon::Question, "Write Data", kSfcConfirm}, kStopped}));
    EXPECT_EQ(t.Find<QProgressBar>("pbFiles")->value(), 0) << "stopped after the first row";
    const auto image = ReadAll(t.paths.SDImageFile());
    ASSERT_EQ(image.size(), core.size()) << "no screen was written";
    ExpectConfiguration(image, t.m);
    EXPECT_EQ(Slice(image, 0x4200, core.size() - 0x4200), Slice(core, 0x4200, core.size() - 0x4200));
    EXPECT_TRUE(ReadAll(t.Card() / "QVRTOUCH.DAT") == image);
    EXPECT_EQ(Entries(t.Card()), std::vector<std::string>{"QVRTOUCH.DAT"}) << "no backup";
    EXPECT_EQ(t.ScreenBitmaps(), 0);
    EXPECT_TRUE(t.window->isVisible());
    t.ExpectUnlocked();
}

TEST(WriterWindow, AMissingCoreImageOrCardEndsBeforeAnythingIsWritten)
{
    Writer t;
    t.WriteScreens();
    WriteBytes(t.paths.SDImageFile(), {7, 7});
    WriteBytes(t.Card() / "QVRTOUCH.DAT", {8, 8});
    PrivateBus bus(t.sysDir.path()); // UDisks2 does not answer on it
    t.service = bus.Service();
    t.Open();
    const auto refused = [&](int option, const std::string& confirm, const std::string& message) {
        t.prompts.ClearLog();
        t.prompts.Answer(MsgAnswer::Yes);
        t.prompts.Answer(MsgAnswer::Ok);
        t.WriteTo(option);
        EXPECT_EQ(t.Boxes(), (std::vector<Writer::Box>{{MsgIcon::Question, "Write Data", confirm},
                                                       {MsgIcon::Critical, "Write Error", message}}));
        EXPECT_EQ(ReadAll(t.paths.SDImageFile()), (std::vector<std::uint8_t>{7, 7}));
        EXPECT_EQ(ReadAll(t.Card() / "QVRTOUCH.DAT"), (std::vector<std::uint8_t>{8, 8}));
        EXPECT_EQ(t.ScreenBitmaps(), 96);
        t.ExpectUnlocked();
    };
    refused(0, kSfcConfirm, "Core image file missing.\n" + t.paths.CoreImageFile().string());
    // Cut short, it would give a card without its standard pictures.
    WriteBytes(t.paths.CoreImageFile(), Pattern(1 << 20, 1));
    refused(0, kSfcConfirm,
            Quoted(t.paths.CoreImageFile()) +
                " is not a complete core image: it holds 1048576 bytes, and a core image must hold at least 84197376.");

    WriteBytes(t.paths.CoreImageFile(), CorePattern(1));
    refused(1,
            "This action will permanently alter data on drive E:\nand logical drives on physical drive: 2\n"
            "Do you want to continue?",
            "Drive E: (/dev/sdc) is not mounted.\nMount it (for example: udisksctl mount -b /dev/sdc) and start the "
            "write again.");

    t.sys.Set("sdb/device/model", "Other Card\n");
    refused(0, kSfcConfirm,
            "The card in drive D: (/dev/sdb1) has changed since the drives were listed.\n"
            "Insert the card, close this window and use \"Create SD Card\" again.");

    t.sys.Remove("sdb");
    refused(0, kSfcConfirm,
            "Drive D: (/dev/sdb1) is no longer present.\nInsert the card, close this window and use \"Create SD Card\" "
            "again.");
}

TEST(WriterWindow, LinksOnTheCardAndFilesNamedByTheProjectReachNothingOutsideTheCard)
{
    Writer t;
    t.WriteScreens();
    WriteBytes(t.paths.CoreImageFile(), CorePattern(1));
    const fs::path outside = t.root / "outside";
    fs::create_directories(outside / "folder");
    WriteBytes(outside / "victim", {1, 2, 3});
    WriteBytes(outside / "secret", {'k', 'e', 'y'}); // stands in for a key or a password file
    fs::create_symlink(outside / "victim", t.Card() / "QVRTOUCH.DAT");
    const auto write = [&] {
        t.prompts.ClearLog();
        t.prompts.Answer(MsgAnswer::Yes);
        t.prompts.Answer(MsgAnswer::Ok);
        t.Button("cmdCompileAll")->click();
        return t.Boxes().back();
    };
    t.Open();
    t.Option(0)->click();

    EXPECT_EQ(write(), (Writer::Box{MsgIcon::Critical, "Write Error",
                                    "Cannot write " + Quoted(t.Card() / "QVRTOUCH.DAT") +
                                        ": it is a symbolic link, which is not followed here. Remove the link and start again."}));
    EXPECT_TRUE(fs::is_symlink(t.Card() / "QVRTOUCH.DAT"));

    // The image goes onto the card; the backup folder leads elsewhere.
    fs::remove(t.Card() / "QVRTOUCH.DAT");
    fs::create_symlink(outside / "folder", t.Card() / "Backup");
    EXPECT_EQ(write(), (Writer::Box{MsgIcon::Critical, "Write Error",
                                    "Cannot open the folder " + Quoted(t.Card() / "Backup") +
                                        ": it is a symbolic link, which is not followed here. Remove the link and start "
                                        "again.\nThe image itself was written onto the card; only the backup of the "
                                        "design is missing or incomplete."}));
    EXPECT_TRUE(ReadAll(t.Card() / "QVRTOUCH.DAT") == ReadAll(t.paths.SDImageFile()));

    // A background naming a file that is no picture is left out of the backup, and said so.
    fs::remove(t.Card() / "Backup");
    WriteBmp(t.root / "Stone.bmp", PatternPicture(40, 30, 9));
    t.m.ScreenBG[2] = (outside / "secret").string();
    t.m.ScreenBG[5] = (t.root / "Stone.bmp").string();
    EXPECT_EQ(write(), (Writer::Box{MsgIcon::Exclamation, "Write Data",
                                    "Write Data Complete\n1 background was not copied into the backup on the card, not "
                                    "being readable pictures:\nCannot read " + Quoted(outside / "secret") +
                                        " as a picture: it is not a BMP file."}));
    EXPECT_EQ(Entries(t.Card() / "Backup"), (std::vector<std::string>{"Backup.KQC", "Screen05.BMP"}));
    EXPECT_EQ(Entries(outside), (std::vector<std::string>{"folder", "secret", "victim"}));
    EXPECT_TRUE(fs::is_empty(outside / "folder"));
    EXPECT_EQ(ReadAll(outside / "victim"), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(WriterWindow, ACardThatRefusesTheImageKeepsItsOldOneAndTheWriteCanBeRepeated)
{
    Writer t;
    t.WriteScreens();
    WriteBytes(t.paths.CoreImageFile(), CorePattern(1));
    const auto old = Pattern(3000, 6);
    const fs::path onCard = t.Card() / "QVRTOUCH.DAT";
    WriteBytes(onCard, old);
    ASSERT_EQ(::chmod(onCard.c_str(), 0444), 0);
    t.Open();
    t.prompts.Answer(MsgAnswer::Yes);
    t.prompts.Answer(MsgAnswer::Ok);
    t.WriteTo(0);
    EXPECT_EQ(t.Boxes().back(), (Writer::Box{MsgIcon::Critical, "Write Error",
                                             "Cannot write " + Quoted(onCard) + ": the file is read-only."}));
    EXPECT_EQ(ReadAll(onCard), old);
    EXPECT_EQ(Entries(t.Card()), std::vector<std::string>{"QVRTOUCH.DAT"}) << "no litter, no backup";
    EXPECT_EQ(t.ScreenBitmaps(), 96);
    t.ExpectUnlocked();

    ASSERT_EQ(::chmod(onCard.c_str(), 0644), 0);
    t.prompts.ClearLog();
    t.prompts.Answer(MsgAnswer::Yes);
    t.prompts.Answer(MsgAnswer::Ok);
    t.Button("cmdCompileAll")->click();
    EXPECT_EQ(t.Boxes().back(), kComplete);
    EXPECT_TRUE(ReadAll(onCard) == ReadAll(t.paths.SDImageFile()));
}

TEST(WriterWindow, SkippedPicturesAreListedInsteadOfComplete)
{
    Writer t;
    t.WriteScreens();
    WriteBytes(t.paths.CoreImageFile(), CorePattern(1));
    const fs::path missing = t.paths.BMPImagesDir() / "SR0L05.BMP";
    fs::remove(missing);
    const fs::path wrong = t.paths.BMPImagesDir() / "SR0L09.BMP";
    WriteBytes(wrong, {'B', 'M', 1, 2});
    t.Open();
    t.prompts.Answer(MsgAnswer::Yes);
    t.prompts.Answer(MsgAnswer::Ok);
    t.WriteTo(0);

    ASSERT_EQ(t.Boxes().size(), 2u);
    const Writer::Box box = t.Boxes()[1];
    EXPECT_EQ(box.icon, MsgIcon::Exclamation);
    EXPECT_EQ(box.title, "Write Data");
    EXPECT_TRUE(box.text.starts_with("Write Data Incomplete.\n2 pictures were not written:\nCannot open " + Quoted(missing) +
                                     ": No such file or directory.\n" + Quoted(wrong)))
        << box.text;
    EXPECT_TRUE(fs::exists(t.Card() / "QVRTOUCH.DAT"));
    EXPECT_TRUE(fs::exists(t.Card() / "Backup" / "Backup.KQC"));
    EXPECT_EQ(t.ScreenBitmaps(), 0);
}

TEST(WriterWindow, TheBaseBuildGestureAndACancelledBaseBuild)
{
    Writer t;
    t.WriteScreens();
    const auto core = CorePattern(8);
    WriteBytes(t.paths.CoreImageFile(), core);
    t.Open();
    QWidget* warning = t.Find("lblWarning");
    QCheckBox* base = t.Check("chkBuildBaseImage");
    QTest::mouseClick(warning, Qt::LeftButton, Qt::AltModifier);
    EXPECT_TRUE(base->isHidden()) << "only where the standard pictures are installed";

    fs::create_directories(t.paths.RawImagesDir());
    QTest::mouseClick(warning, Qt::LeftButton);
    QTest::mouseClick(warning, Qt::LeftButton, Qt::ShiftModifier | Qt::AltModifier);
    QTest::mouseClick(warning, Qt::RightButton, Qt::AltModifier);
    EXPECT_TRUE(base->isHidden());
    QTest::mouseClick(warning, Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FALSE(base->isHidden());
    EXPECT_FALSE(base->isChecked());

    // Cancelled at once: the card gets the unfinished image, the core image stays.
    base->click();
    QTimer::singleShot(0, [&] { t.Button("cmdCancel")->click(); });
    t.prompts.Answer(MsgAnswer::Yes);
    t.prompts.Answer(MsgAnswer::Ok);
    t.WriteTo(0);
    EXPECT_EQ(t.Boxes().back(), kStopped);
    EXPECT_EQ(ReadAll(t.paths.CoreImageFile()), core);
    const auto image = ReadAll(t.paths.SDImageFile());
    EXPECT_EQ(image.size(), 0x4200u) << "an empty image with the configuration";
    EXPECT_TRUE(ReadAll(t.Card() / "QVRTOUCH.DAT") == image);
    EXPECT_TRUE(base->isEnabled());

    // Raw mode has no base build.
    t.m.SetSDFormat(1);
    t.prompts.ClearLog();
    t.Open();
    t.prompts.Answer(MsgAnswer::Ok);
    QTest::mouseClick(t.Find("lblWarning"), Qt::LeftButton, Qt::AltModifier);
    EXPECT_EQ(t.Boxes(), (std::vector<Writer::Box>{{MsgIcon::None, "QVR Brivane KX4 Pro", "Must use SFC to build base image file."}}));
    EXPECT_TRUE(t.Check("chkBuildBaseImage")->isHidden());
}

namespace {

const std::string kRawConfirmD = "This action will permanently erase data on drive D:\n"
                                 "and all logical drives on physical drive: 1\nDo you want to continue?";
const std::string kSfcConfirmE = "This action will permanently alter data on drive E:\n"
                                 "and logical drives on physical drive: 2\nDo you want to continue?";
using Call = FakeUDisks2::Call;

// A Raw design of the 16 screens only.
void RawScreens(Writer& t)
{
    t.m.SetSDFormat(1);
    t.m.IncludeStdFlag = false;
    t.WriteScreens();
}

// A core image as long as the card layout, all zero.
void EmptyCoreImage(Writer& t)
{
    fs::create_directories(t.paths.CoreImageFile().parent_path());
    WriteBytes(t.paths.CoreImageFile(), {});
    fs::resize_file(t.paths.CoreImageFile(), ImgOffset(kImgCount - 1) + SlotSize(kImgCount - 1));
}

} // namespace

TEST(WriterWindow, ARawWriteByAUserWithoutAccessToTheCardGoesThroughUDisks2AndEqualsRootsWrite)
{
    // The card E: as a Raw write of the screens leaves it, written by root itself or by a user
    // without access to its node, through UDisks2.
    const auto written = [](bool byUser) {
        Writer t;
        RawScreens(t);
        std::optional<WriterUDisks2> d;
        if (byUser)
            d.emplace(t);
        else
            t.sys.Image("sdc", "8:32", 256);
        t.Open();
        t.prompts.Answer(MsgAnswer::Yes);
        t.prompts.Answer(MsgAnswer::Ok);
        {
            std::optional<WithoutDeviceAccess> user;
            if (byUser)
                user.emplace(std::vector<fs::path>{t.sysDir / "dev/sdb", t.sysDir / "dev/sdb1", t.sysDir / "dev/sdc"},
                             std::vector<fs::path>{t.root.path(), t.sysDir.path()},
                             std::vector<fs::path>{t.paths.BMPImagesDir()});
            t.WriteTo(1);
        }
        EXPECT_EQ(t.Boxes(), (std::vector<Writer::Box>{{MsgIcon::Question, "Write Data", kRawConfirmE}, kComplete}));
        if (d) {
            EXPECT_EQ(d->udisks.Calls(),
                      (std::vector<Call>{{"OpenDevice", "sdc", "r", 0}, {"OpenDevice", "sdc", "rw", O_EXCL}}));
        }
        EXPECT_EQ(t.ScreenBitmaps(), 0);
        t.ExpectUnlocked();
        return ReadAll(t.sysDir / "dev/sdc");
    };
    const auto byRoot = written(false);
    ExpectScreens(byRoot);
    EXPECT_TRUE(written(true) == byRoot);
}

TEST(WriterWindow, UDisks2UnmountsTheCardBeforeARawWriteAndMountsItForAnSfcCopy)
{
    Writer t;
    RawScreens(t);
    WriterUDisks2 d(t);
    t.Open();
    t.prompts.Answer(MsgAnswer::Yes);
    t.prompts.Answer(MsgAnswer::Ok);
    t.WriteTo(0);
    EXPECT_EQ(t.Boxes(), (std::vector<Writer::Box>{{MsgIcon::Question, "Write Data", kRawConfirmD}, kComplete}));
    EXPECT_EQ(d.udisks.Calls(), (std::vector<Call>{{"Unmount", "sdb1", "", 0}})) << "opened by root itself";
    ExpectConfiguration(ReadAll(t.sysDir / "dev/sdb1"), t.m);
    ExpectScreens(ReadAll(t.sysDir / "dev/sdb1"));
    EXPECT_EQ(FindDrive(DiscoverDrives(t.sys.Tables()), 'D')->mountPoint, "");
    t.Button("cmdClose")->click();

    // SFC onto the unmounted card sdc: mounted where UDisks2 chooses, and left mounted.
    t.m.SetSDFormat(0);
    t.WriteScreens();
    EmptyCoreImage(t);
    d.udisks.Filesystem("sdc", "/media/u/CARD");
    t.prompts.ClearLog();
    t.Open();
    t.prompts.Answer(MsgAnswer::Yes);
    t.prompts.Answer(MsgAnswer::Ok);
    t.WriteTo(1);
    EXPECT_EQ(t.Boxes(), (std::vector<Writer::Box>{{MsgIcon::Question, "Write Data", kSfcConfirmE}, kComplete}));
    EXPECT_EQ(d.udisks.Calls().back(), (Call{"Mount", "sdc", "", 0}));
    EXPECT_EQ(d.udisks.Calls().size(), 2u);
    const fs::path card = t.sysDir / "root/media/u/CARD";
    EXPECT_EQ(Entries(card), (std::vector<std::string>{"Backup", "QVRTOUCH.DAT"}));
    EXPECT_EQ(fs::file_size(card / "QVRTOUCH.DAT"), fs::file_size(t.paths.CoreImageFile()));
    EXPECT_TRUE(ReadAll(card / "QVRTOUCH.DAT") == ReadAll(t.paths.SDImageFile()));
    EXPECT_EQ(FindDrive(DiscoverDrives(t.sys.Tables()), 'E')->mountPoint, "/media/u/CARD");
}

TEST(WriterWindow, WhatUDisks2RefusesEndsTheWriteWithItsMessageAndNothingWritten)
{
    struct Case {
        bool raw;
        int option;
        std::function<void(FakeUDisks2&)> setup;
        std::string message; // "@" stands for the image file of sdc
    };
    const std::vector<Case> cases = {
        {true, 0, [](FakeUDisks2& u) { u.Fail("sdb1", "Unmount", "org.freedesktop.UDisks2.Error.DeviceBusy"); },
         "Could not unmount /media/u/QVR (/dev/sdb1).\n"
         "It is in use: close the files and programs that use it, then start the write again."},
        {true, 0, [](FakeUDisks2& u) { u.Fail("sdb1", "Unmount", "org.freedesktop.UDisks2.Error.NotAuthorizedDismissed"); },
         "Could not unmount /media/u/QVR (/dev/sdb1).\nAccess was not granted."},
        {true, 1, [](FakeUDisks2& u) { u.Fail("sdc", "OpenDevice", "org.freedesktop.UDisks2.Error.NotAuthorizedDismissed"); },
         "Could not open physical drive 2\nAccess to @ was not granted."},
        {false, 1, [](FakeUDisks2& u) {
             u.Filesystem("sdc", "/media/u/CARD");
             u.Fail("sdc", "Mount", "org.freedesktop.UDisks2.Error.NotAuthorized");
         },
         "Drive E: (/dev/sdc) could not be mounted.\nAccess was not granted."},
        {false, 1, [](FakeUDisks2& u) {
             u.Filesystem("sdc", "/media/u/CARD");
             u.Fail("sdc", "Mount", "org.freedesktop.UDisks2.Error.Failed");
         },
         "Drive E: (/dev/sdc) could not be mounted.\nUDisks2 answered: refused by the fake"},
        // Mounted where no card of the desktop is mounted: nothing is copied there.
        {false, 1, [](FakeUDisks2& u) { u.Filesystem("sdc", "/home/u/elsewhere"); },
         "Drive E: (/dev/sdc) could not be mounted.\nThe mount table does not show /dev/sdc mounted at /home/u/elsewhere."},
    };
    for (const Case& c : cases) {
        Writer t;
        RawScreens(t);
        t.m.SetSDFormat(c.raw ? 1 : 0);
        EmptyCoreImage(t);
        WriterUDisks2 d(t);
        c.setup(d.udisks);
        std::string message = c.message;
        if (const auto at = message.find('@'); at != std::string::npos)
            message.replace(at, 1, (t.sysDir / "dev/sdc").string());
        t.Open();
        t.prompts.Answer(MsgAnswer::Yes);
        t.prompts.Answer(MsgAnswer::Ok);
        {
            const WithoutDeviceAccess user({t.sysDir / "dev/sdc"}, {t.root.path(), t.sysDir.path()});
            t.WriteTo(c.option);
        }
        const std::string confirm = c.raw ? (c.option == 0 ? kRawConfirmD : kRawConfirmE) : kSfcConfirmE;
        EXPECT_EQ(t.Boxes(), (std::vector<Writer::Box>{{MsgIcon::Question, "Write Data", confirm},
                                                       {MsgIcon::Critical, "Write Error", message}}));
        EXPECT_EQ(d.udisks.Calls().size(), 1u) << message;
        for (const char* image : {"sdb", "sdb1", "sdc"}) {
            const auto bytes = ReadAll(t.sysDir / "dev" / image);
            EXPECT_TRUE(!bytes.empty() && std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0xEE; }))
                << image;
        }
        EXPECT_FALSE(fs::exists(t.paths.SDImageFile()));
        EXPECT_FALSE(fs::exists(t.sysDir / "root/media/u/CARD") && !Entries(t.sysDir / "root/media/u/CARD").empty());
        EXPECT_EQ(t.ScreenBitmaps(), 96);
        t.ExpectUnlocked();
    }
}
