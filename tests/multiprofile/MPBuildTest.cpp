// The multi-profile build through to the image file: its layout, the profile flag, the pictures,
// and the builds that stop.
#include "multiprofile/MPBuild.h"

#include "MPTestSupport.h"
#include "assets/Bmp.h"
#include "sdcard/ConfigFinishing.h"
#include "sdcard/ConversionRun.h"
#include "sdcard/ImageFileSink.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

using namespace kx4;
using namespace kx4::test;
namespace fs = std::filesystem;

namespace {

struct Builder {
    MPRoot root;
    modOrvel m;
    RenderTarget canvas;
    PicBuffers buffers;
    std::vector<std::string> statuses;
    std::vector<int> started;
    int pictures = 0;

    // Builds the first `count` profiles.
    std::optional<MPBuildStop> Build(const ProfileList& profiles, int count = kProfileCount)
    {
        MPBuildCallbacks cb;
        cb.profileStarted = [this](int p) { started.push_back(p); };
        cb.showStatus = [this](const std::string& s) { statuses.push_back(s); };
        cb.pictureWritten = [this](int) { ++pictures; };
        MPBuild build(m, root.paths, root.prompts, canvas, buffers, cb);
        build.profileCount = count;
        return build.Build(profiles);
    }

    // An image file from an earlier build, which a stopped build must leave alone.
    std::vector<std::uint8_t> OldImage() const
    {
        std::vector<std::uint8_t> old(5000, 0x5A);
        WriteBytes(root.paths.SDImageFile(), old);
        return old;
    }

    // Nothing but the image file in the SDImage folder: no temporary file left behind.
    bool SDImageHoldsOnlyTheImage() const
    {
        int n = 0;
        for (const auto& e : fs::directory_iterator(root.paths.SDImageDir()))
            n += e.path().filename() == "QVRTOUCH.DAT" ? 0 : 1;
        return n == 0;
    }
};

std::uint16_t WordAt(const fs::path& file, std::uint64_t at)
{
    const auto b = BytesAt(file, at, 2);
    return static_cast<std::uint16_t>(b[0] << 8 | b[1]);
}

// The first `count` profiles built one step after another through the bitmap files on one canvas,
// into `file`, which starts as a copy of the core image: what the build has to match.
void BuildStepByStep(MPRoot& root, const ProfileList& profiles, int count, const fs::path& file)
{
    fs::copy_file(root.paths.CoreImageFile(), file);
    ImageFileSink sink;
    ASSERT_TRUE(sink.Open(file));
    modOrvel m;
    RenderTarget canvas;
    PicBuffers buffers;
    MPBuild steps(m, root.paths, root.prompts, canvas, buffers);
    for (steps.lProfile = 0; steps.lProfile < count; ++steps.lProfile) {
        const std::string& chosen = profiles[static_cast<std::size_t>(steps.lProfile)];
        m.DataFile = chosen.empty() ? profiles[0] : chosen;
        ASSERT_TRUE(m.LoadData());
        steps.DispCode = DispCodeOf(m);
        ASSERT_TRUE(steps.RenderDLImagesMP());
        m.SetMPFlag(255);
        ASSERT_TRUE(steps.CompileAllMP(sink));
    }
    ASSERT_TRUE(sink.Close());
}

} // namespace

TEST(MPBuild, OnlyProfile001OfAThreePointFivePortraitDesignFillsAll128Profiles)
{
    Builder b;
    b.root.WriteCore();
    ProfileList profiles;
    profiles[0] = b.root.Profile("One.KQC", 1, 1, [](modOrvel& m) {
        m.ScreenBG[5] = "[&H0000FF&]"; // red
        m.SetScreen(2);
        m.SetBtnType(0, 57); // Color Control on device 4
        m.SetBtnDevice(0, 4);
    }).string();
    const auto profileBytes = ReadBytes(profiles[0]);

    const auto stop = b.Build(profiles);
    ASSERT_FALSE(stop) << stop->text;
    const fs::path image = b.root.paths.SDImageFile();
    EXPECT_EQ(fs::file_size(image), 0x66765A00u);
    EXPECT_TRUE(b.SDImageHoldsOnlyTheImage());
    EXPECT_EQ(b.started.size(), 128u);
    EXPECT_EQ(b.pictures, 128 * 16);

    // Profile 001's configuration and device map stand over the core image's, the rest of the core
    // image stays, and beyond its end the copy reads as zero.
    const auto first = BytesAt(image, 0, 0x4200);
    EXPECT_EQ(first, BytesAt(image, kMPConfigBase, 0x4200));
    EXPECT_EQ(first[982], 255);
    EXPECT_EQ(first[0x4000 + 4], 255) << "device map";
    EXPECT_EQ(first[0x4000 + 64 + 7], 255);
    EXPECT_EQ(first[0x4000 + 8], 0);
    const auto core = BytesAt(image, 0x4200, kTestCoreSize - 0x4200);
    for (std::uint32_t k = 0x4200; k < kTestCoreSize; k += 0x1001)
        ASSERT_EQ(core[k - 0x4200], CoreByte(k)) << k;
    EXPECT_EQ(BytesAt(image, kTestCoreSize, 4096), std::vector<std::uint8_t>(4096, 0));

    // Every profile is the same file: identical blocks, each flagged.
    for (int p = 0; p < kProfileCount; ++p)
        ASSERT_EQ(BytesAt(image, MPConfigOffset(p) + 982, 1)[0], 255) << p;
    EXPECT_EQ(BytesAt(image, MPConfigOffset(127), 0x4200), first);
    EXPECT_EQ(ReadBytes(profiles[0]), profileBytes) << "the profile's own file is not changed";

    // Profile 037's screen 5: header 240, 320, 0, then red pixels; 301 sectors, zero behind them.
    const std::uint32_t slot = 0x21BC0000;
    ASSERT_EQ(MPPictureOffset(36, 5), slot);
    EXPECT_EQ(BytesAt(image, slot, 8), (std::vector<std::uint8_t>{0x00, 0xF0, 0x01, 0x40, 0x00, 0x00, 0xF8, 0x00}));
    EXPECT_EQ(WordAt(image, slot + 153604), 0xF800) << "last pixel";
    EXPECT_EQ(BytesAt(image, slot + 153606, 301 * 512 - 153606 + 512), std::vector<std::uint8_t>(1024 - 518 + 512, 0));
    EXPECT_EQ(BytesAt(image, MPPictureOffset(0, 5), 301 * 512), BytesAt(image, MPPictureOffset(127, 5), 301 * 512));
    // The other screens keep the grey of a new project.
    EXPECT_EQ(WordAt(image, MPPictureOffset(36, 4) + 6), Rgb565(0xEF, 0xEF, 0xEF));

    // The bitmaps stay behind at the profile's size; the window was told of each step.
    QImage bitmap;
    ASSERT_TRUE(ReadBmpFile(b.root.paths.BMPImagesDir() / "MP_S15.BMP", bitmap));
    EXPECT_EQ(bitmap.size(), QSize(240, 320));
    EXPECT_EQ(b.statuses[0], (b.root.paths.BMPImagesDir() / "MP_S00.BMP").string());
    EXPECT_EQ(b.statuses[16], kConfigDataText);
    // What the last profile loaded stays in the project.
    EXPECT_EQ(b.m.DataFile, profiles[0]);
    EXPECT_EQ(b.m.CurScreen, 15);
}

TEST(MPBuild, ProfilesOfOtherSizesTakeTheirOwnPictureSizesAndMatchTheStepByStepBuild)
{
    Builder b;
    b.root.WriteCore();
    // A background picture smaller than every display: around it stands the back colour the
    // drawing before left, also when that was another profile's.
    const fs::path tiny = b.root.paths.CDrive() / "Tiny.bmp";
    WriteBytes(tiny, EncodeBmp(BmpImage{100, 50, std::vector<std::uint32_t>(5000, 0x123456)}));
    ProfileList profiles;
    profiles[0] = b.root.Profile("Small.KQC", 0, 0, [](modOrvel& m) { // 480 x 272
        m.SetScreen(0);
        m.SetBtnType(0, 1);
        m.SetBtnImage(0, 7);
        m.SetBtnSize(0, 3); // captions in 24 point
        m.SetBtnText(0, "Big");
        m.SetTxtType(0, 1);
        m.SetTxtFontSize(0, 3);
        m.SetTxtText(0, "Large text");
        m.ScreenBG[15] = "[&H00FF00&]"; // green, the last back colour
    }).string();
    // A picture of the whole display first keeps the colour before it for the small one after it.
    const fs::path whole = b.root.paths.CDrive() / "Whole.bmp";
    WriteBytes(whole, EncodeBmp(BmpImage{480, 800, std::vector<std::uint32_t>(480 * 800, 0x654321)}));
    profiles[1] = b.root.Profile("Tall.KQC", 2, 1, [&](modOrvel& m) { // 800 x 480 portrait
        m.ScreenBG[0] = whole.string();
        m.ScreenBG[1] = tiny.string();
    }).string();
    profiles[3] = b.root.Profile("Wide.KQC", 2, 0, [&](modOrvel& m) { // 800 x 480
        m.SetScreen(0);
        // A caption and a text of no known size print in the fonts the profile before left.
        m.SetBtnType(0, 1);
        m.SetBtnImage(0, 1);
        m.SetBtnSize(0, 9);
        m.SetBtnText(0, "Odd");
        m.SetTxtType(0, 1);
        m.SetTxtFontSize(0, 7);
        m.SetTxtTop(0, 300);
        m.SetTxtText(0, "Odd text");
        m.SetScreen(15);
        m.SetTxtType(0, 2); // an empty value box at the top left
    }).string();
    const fs::path steps = b.root.dir / "Steps.DAT";
    BuildStepByStep(b.root, profiles, 4, steps);
    std::vector<std::vector<std::uint8_t>> stepBitmaps;
    for (int s = 0; s < kScreenCount; ++s)
        stepBitmaps.push_back(ReadBytes(b.root.paths.BMPImagesDir() / ProfileBitmapName(s)));
    ASSERT_FALSE(b.Build(profiles, 4));

    const fs::path image = b.root.paths.SDImageFile();
    EXPECT_EQ(fs::file_size(image), MPPictureOffset(3, 15) + 1501u * 512) << "ends with the last picture";
    EXPECT_EQ(BytesAt(image, MPPictureOffset(0, 0), 6), (std::vector<std::uint8_t>{0x01, 0xE0, 0x01, 0x10, 0, 0}));
    EXPECT_EQ(BytesAt(image, MPPictureOffset(1, 0), 6), (std::vector<std::uint8_t>{0x01, 0xE0, 0x03, 0x20, 0, 0}));
    EXPECT_EQ(BytesAt(image, MPPictureOffset(2, 0), 6), (std::vector<std::uint8_t>{0x01, 0xE0, 0x01, 0x10, 0, 0}))
        << "an empty row repeats profile 001";
    EXPECT_EQ(BytesAt(image, MPPictureOffset(3, 15), 6), (std::vector<std::uint8_t>{0x03, 0x20, 0x01, 0xE0, 0, 0}));
    // Profile 002's panel size stands in its own block only.
    EXPECT_EQ(BytesAt(image, MPConfigOffset(1) + 980, 1)[0], 2);
    EXPECT_EQ(BytesAt(image, 980, 1)[0], 0);
    EXPECT_NE(WordAt(image, MPPictureOffset(3, 15) + 6), Rgb565(0xEF, 0xEF, 0xEF)) << "the value box's frame";
    const std::uint16_t green = Rgb565(0, 0xFF, 0);
    EXPECT_EQ(WordAt(image, MPPictureOffset(1, 1) + 6 + 2 * (700 * 480 + 400)), green) << "beside profile 002's picture";

    // Byte for byte what the steps made, whichever profile a worker drew first.
    EXPECT_EQ(fs::file_size(image), fs::file_size(steps));
    EXPECT_TRUE(BytesAt(image, 0, 0x10000) == BytesAt(steps, 0, 0x10000));
    for (int p = 0; p < 4; ++p) {
        EXPECT_TRUE(BytesAt(image, MPConfigOffset(p), 0x4200) == BytesAt(steps, MPConfigOffset(p), 0x4200)) << p;
        for (int s = 0; s < kScreenCount; ++s)
            EXPECT_TRUE(BytesAt(image, MPPictureOffset(p, s), kMPSlotSize) == BytesAt(steps, MPPictureOffset(p, s), kMPSlotSize))
                << "profile " << p << ", screen " << s;
    }
    // The bitmaps are the last profile's, as the steps left them.
    for (int s = 0; s < kScreenCount; ++s)
        EXPECT_TRUE(ReadBytes(b.root.paths.BMPImagesDir() / ProfileBitmapName(s)) == stepBitmaps[static_cast<std::size_t>(s)]) << s;
    QImage bitmap;
    ASSERT_TRUE(ReadBmpFile(b.root.paths.BMPImagesDir() / "MP_S00.BMP", bitmap));
    EXPECT_EQ(bitmap.size(), QSize(800, 480)) << "the last profile's";
}

TEST(MPBuild, AMissingProfile010StopsAfterNineAndLeavesTheOldImage)
{
    Builder b;
    b.root.WriteCore();
    const auto old = b.OldImage();
    ProfileList profiles;
    // Each rendering of profile 001's screen 3 reports its missing background.
    profiles[0] = b.root.Profile("One.KQC", 1, 0, [](modOrvel& m) { m.ScreenBG[3] = "/nowhere/Wood.BMP"; }).string();
    profiles[9] = (b.root.paths.ProgramDir() / "Gone.KQC").string();
    for (int i = 0; i < 9; ++i)
        b.root.prompts.Answer(MsgAnswer::Ok);

    const auto stop = b.Build(profiles);
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->icon, MsgIcon::Information);
    EXPECT_EQ(stop->title, "File Not Found");
    EXPECT_EQ(stop->text, profiles[9] + " Not Found.\nBuild Canceled");
    EXPECT_EQ(b.started, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    ASSERT_EQ(b.root.prompts.Log().size(), 9u);
    EXPECT_EQ(b.root.prompts.Log()[8].title, "File Missing");
    EXPECT_EQ(ReadBytes(b.root.paths.SDImageFile()), old);
    EXPECT_TRUE(b.SDImageHoldsOnlyTheImage());
}

TEST(MPBuild, AMissingCoreImageOrADamagedProfileStopsWithoutTouchingTheOldImage)
{
    Builder b;
    const auto old = b.OldImage();
    ProfileList profiles;
    profiles[0] = b.root.Profile("One.KQC", 0, 0).string();

    auto stop = b.Build(profiles);
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->title, "File Not Found");
    EXPECT_EQ(stop->text, b.root.paths.CoreImageFile().string() + " Not Found.\nBuild Canceled");
    EXPECT_TRUE(b.started.empty());

    // A core image cut short would give an image without its standard pictures.
    b.root.WriteCore(1 << 20);
    stop = b.Build(profiles);
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->title, "Open Error");
    EXPECT_EQ(stop->text, Quoted(b.root.paths.CoreImageFile()) + " is not a complete core image: it holds 1048576 "
                          "bytes, and a core image must hold at least 84197376.\nBuild Canceled");
    EXPECT_TRUE(b.started.empty());
    EXPECT_EQ(ReadBytes(b.root.paths.SDImageFile()), old);

    b.root.WriteCore();
    profiles[2] = (b.root.paths.ProgramDir() / "Short.KQC").string();
    WriteBytes(profiles[2], std::vector<std::uint8_t>(100, 1));
    // A later profile that fails too, which a worker may meet first: the build names the first.
    profiles[5] = (b.root.paths.ProgramDir() / "Gone.KQC").string();
    stop = b.Build(profiles);
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->icon, MsgIcon::Critical);
    EXPECT_EQ(stop->title, "Open Error");
    EXPECT_EQ(stop->text, "\"" + profiles[2] + "\" is not a panel data file: it is cut short or damaged.\nBuild Canceled");
    EXPECT_EQ(b.started, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(ReadBytes(b.root.paths.SDImageFile()), old);
    EXPECT_TRUE(b.SDImageHoldsOnlyTheImage());

#ifndef __SANITIZE_ADDRESS__ // its shadow memory takes more address space than any limit leaves
    // A worker that runs out of memory: the background's bytes do not fit under the limit.
    const fs::path huge = b.root.paths.CDrive() / "Huge.bmp";
    WriteBytes(huge, {'B', 'M'});
    fs::resize_file(huge, 240u << 20); // under the largest background file the reader takes
    ProfileList heavy;
    heavy[0] = b.root.Profile("Heavy.KQC", 2, 0, [&](modOrvel& m) { m.ScreenBG[0] = huge.string(); }).string();
    b.started.clear();
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_AS, &saved), 0);
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    rlimit tight = saved;
    tight.rlim_cur = static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (200u << 20);
    ASSERT_EQ(::setrlimit(RLIMIT_AS, &tight), 0);
    stop = b.Build(heavy);
    ::setrlimit(RLIMIT_AS, &saved);
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->title, "Build Error");
    EXPECT_EQ(stop->text, "Profile 001 (" + heavy[0] + ") could not be built: there is not enough memory.\nBuild Canceled");
    EXPECT_EQ(ReadBytes(b.root.paths.SDImageFile()), old);
    EXPECT_TRUE(b.SDImageHoldsOnlyTheImage());
#endif
}
