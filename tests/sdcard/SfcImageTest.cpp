// The SFC image file of a write, made on disk from a small core image.
#include "sdcard/SfcImage.h"

#include "sdcard/PictureTable.h"
#include "SdTestSupport.h"
#include "FileSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

using namespace kx4;
using namespace kx4::test;

namespace {

class SfcImage : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(paths.BMPImagesDir());
        WriteBytes(paths.CoreImageFile(), core);
        m.ResetAll(); // 480 x 272 landscape: display code 1
        m.SetScreen(4);
        m.SetBtnType(0, 57);
        m.SetBtnDevice(0, 20);
        m.SetScreen(0);
        opt.DispCode = DispCodeOf(m);
    }

    TempDir root;
    Paths paths{root.path()};
    const std::vector<std::uint8_t> core = CorePattern(1);
    modOrvel m;
    CompileOptions opt;
    PicBuffers buf;
};

} // namespace

TEST_F(SfcImage, ANormalWriteReplacesTheImageWithTheCoreImageAndTheNewScreens)
{
    for (int s = 0; s < 16; ++s)
        WriteBmp(paths.BMPImagesDir() / ImgName(ScreenRow(1, s)), PatternPicture(480, 272, s));
    ASSERT_FALSE(std::filesystem::exists(paths.SDImageDir()));

    const CompileResult first = WriteSfcImage(m, paths, opt, buf);
    ASSERT_TRUE(first.write) << first.write.message;
    // The image of an earlier write, longer than the core image, is replaced whole.
    WriteBytes(paths.SDImageFile(), Pattern(kCardImageSize + (1 << 20), 7));
    const CompileResult r = WriteSfcImage(m, paths, opt, buf);
    ASSERT_TRUE(r.write) << r.write.message;
    EXPECT_TRUE(r.Complete());
    EXPECT_EQ(r.picturesWritten, 16);

    std::vector<std::uint8_t> image;
    ASSERT_TRUE(ReadWholeFile(paths.SDImageFile(), image));
    const std::uint32_t firstSlot = ImgOffset(ScreenRow(1, 0));
    ASSERT_EQ(image.size(), core.size()) << "nothing of the longer earlier image is left";
    for (std::uint32_t k = 0; k < 16384; ++k)
        ASSERT_EQ(image[k], static_cast<std::uint8_t>(m.PanelCfg[k])) << k;
    EXPECT_EQ(image[4 * 1024 + 256 + 4], 95) << "the right edge of the colour control on screen 4";
    for (std::uint32_t d = 0; d < 512; ++d)
        ASSERT_EQ(image[0x4000 + d], (d >= 20 && d <= 23) || (d >= 84 && d <= 87) ? 255 : 0) << d;
    const std::uint32_t screensEnd = ImgOffset(ScreenRow(1, 15)) + SlotSize(ScreenRow(1, 15));
    EXPECT_EQ(std::memcmp(image.data() + 0x4200, core.data() + 0x4200, firstSlot - 0x4200), 0)
        << "the core image's bytes behind the device map";
    EXPECT_EQ(std::memcmp(image.data() + screensEnd, core.data() + screensEnd, core.size() - screensEnd), 0);
    for (int s = 0; s < 16; ++s) {
        const auto packed = PackedBytes(PatternPicture(480, 272, s), false);
        EXPECT_EQ(std::memcmp(image.data() + ImgOffset(ScreenRow(1, s)), packed.data(), packed.size()), 0) << s;
    }
    EXPECT_EQ(ReadBytes(paths.CoreImageFile()), core);
}

TEST_F(SfcImage, ABaseBuildStartsEmptyAndLeavesTheCoreImageAlone)
{
    std::filesystem::create_directories(paths.SDImageDir());
    WriteBytes(paths.SDImageFile(), Pattern(100000, 3));
    CompileCallbacks cb;
    cb.rowDone = [](int) { return false; }; // cancelled after the first row, whose source is missing
    opt.chkBuildBaseImage = true;

    const CompileResult r = WriteSfcImage(m, paths, opt, buf, cb);
    ASSERT_TRUE(r.write) << r.write.message;
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.lastRow, 0);
    const std::vector<std::uint8_t> image = ReadBytes(paths.SDImageFile());
    ASSERT_EQ(image.size(), 0x4200u) << "only the configuration and the device map";
    for (std::uint32_t k = 0; k < 16384; ++k)
        ASSERT_EQ(image[k], static_cast<std::uint8_t>(m.PanelCfg[k])) << k;
    EXPECT_EQ(ReadBytes(paths.CoreImageFile()), core);
}

TEST_F(SfcImage, ACoreImageOrAnImageFileThatCannotBeUsedStopsBeforeAnythingIsWritten)
{
    std::filesystem::create_directories(paths.SDImageDir());
    WriteBytes(paths.SDImageFile(), {9, 9, 9});
    std::filesystem::remove(paths.CoreImageFile());
    int rows = 0;
    CompileCallbacks cb;
    cb.rowDone = [&](int) { return ++rows, true; };

    CompileResult r = WriteSfcImage(m, paths, opt, buf, cb);
    EXPECT_FALSE(r.write);
    EXPECT_EQ(r.write.message, "Cannot open \"" + paths.CoreImageFile().string() + "\": No such file or directory.");
    EXPECT_EQ(ReadBytes(paths.SDImageFile()), (std::vector<std::uint8_t>{9, 9, 9}));

    std::filesystem::create_directories(paths.CoreImageFile());
    r = WriteSfcImage(m, paths, opt, buf, cb);
    EXPECT_EQ(r.write.message, "\"" + paths.CoreImageFile().string() + "\" is a folder.");
    EXPECT_EQ(ReadBytes(paths.SDImageFile()), (std::vector<std::uint8_t>{9, 9, 9}));

    std::filesystem::remove(paths.CoreImageFile());
    WriteBytes(paths.CoreImageFile(), core);
    std::filesystem::remove(paths.SDImageFile());
    ASSERT_EQ(::mkfifo(paths.SDImageFile().c_str(), 0644), 0);
    {
        FifoRescue rescue(paths.SDImageFile());
        r = WriteSfcImage(m, paths, opt, buf, cb);
        EXPECT_FALSE(rescue.Rescued()) << "nothing waited on the FIFO";
    }
    EXPECT_EQ(r.write.message, "\"" + paths.SDImageFile().string() + "\" is not a regular file.");
    EXPECT_EQ(rows, 0) << "no row was converted";
    EXPECT_EQ(r.lastRow, -1);
    EXPECT_EQ(ReadBytes(paths.CoreImageFile()), core);
}
