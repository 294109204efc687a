// Whole card images on disk: the synthetic installation's core image, and a normal write into a
// copy of it, compared byte for byte.
#include "platform/Files.h"
#include "sdcard/ConfigFinishing.h"
#include "sdcard/ConversionRun.h"
#include "sdcard/ImageFileSink.h"
#include "sdcard/PictureTable.h"
#include "tools/make-installation/Installation.h"
#include "SdTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace kx4;
using namespace kx4::test;

namespace {

std::uint16_t WordAt(const std::vector<std::uint8_t>& image, std::uint32_t at)
{
    return static_cast<std::uint16_t>(image[at] << 8 | image[at + 1]);
}

bool SameBytes(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b, std::uint32_t from, std::uint32_t to)
{
    return std::memcmp(a.data() + from, b.data() + from, to - from) == 0;
}

} // namespace

TEST(Installation, SyntheticPicturesFitTheirSlots)
{
    for (int row = 0; row < kImgCount; ++row) {
        if (PicFamilyOf(row) != 0)
            continue;
        const PicSize size = StandardPicSize(row);
        const std::uint32_t bytes = 2 * (static_cast<std::uint32_t>(size.width * size.height) + (HasHeader(row) ? 3 : 0));
        if (HasHeader(row)) {
            EXPECT_LE(bytes, SlotSize(row)) << ImgName(row);
            EXPECT_GT(bytes, SlotSize(row) - 512) << ImgName(row) << " fills the last sector of its slot";
        } else {
            EXPECT_EQ(bytes, SlotSize(row)) << ImgName(row) << " is a whole screen";
        }
    }
    EXPECT_EQ(StandardPicSize(1451), (PicSize{480, 800})) << "QVRS2_P";
    EXPECT_EQ(StandardPicSize(1540), (PicSize{240, 320})) << "SR1PAD";
    EXPECT_EQ(StandardPicSize(1560), (PicSize{480, 272})) << "CW_SR0_L";
    for (int row : {0, 31, 1468, 2443})
        EXPECT_EQ(Rgb565Of(StandardPicture(row).pixels[0]), row) << "the top left pixel names the row";
}

TEST(CardImage, CoreImageAndANormalWriteIntoACopyOfIt)
{
    TempDir root;
    const Paths paths(root.path());
    ASSERT_TRUE(MakeInstallation(paths));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(paths.RawImagesDir()), {}), 2348);
    // The logo backgrounds stand where the designer reads them, as in the standard pictures.
    for (int res = 0; res < 3; ++res)
        for (int layout = 0; layout < 2; ++layout) {
            const std::filesystem::path logo = paths.LogoFile(res, layout);
            ASSERT_TRUE(std::filesystem::is_regular_file(logo)) << logo;
            EXPECT_EQ(ReadAll(logo), ReadAll(paths.RawImagesDir() / logo.filename())) << logo;
        }

    // The core image: a base build of every row into an empty file.
    const std::vector<std::uint8_t> core = ReadAll(paths.CoreImageFile());
    ASSERT_EQ(core.size(), kCardImageSize);
    modOrvel reset;
    reset.ResetAll();
    QVRBuild(reset);
    for (std::uint32_t k = 0; k < 16384; ++k)
        ASSERT_EQ(core[k], static_cast<std::uint8_t>(reset.PanelCfg[k])) << k;
    for (std::uint32_t k = 0x4000; k < 0x10000; ++k)
        ASSERT_EQ(core[k], 0) << "device map of an empty project and the gap: " << k;
    for (int row = 0; row < kImgCount; ++row) {
        const std::uint32_t at = ImgOffset(row);
        if (PicFamilyOf(row) != 0) {
            const PicSize size = DispCodeScreenSize(PicFamilyOf(row));
            EXPECT_EQ(WordAt(core, at), 0x4208) << ImgName(row);
            EXPECT_EQ(WordAt(core, at + 2 * static_cast<std::uint32_t>(size.width * size.height) - 2), 0x4208) << ImgName(row);
            continue;
        }
        const PicSize size = StandardPicSize(row);
        const std::uint32_t pixel = HasHeader(row) ? at + 6 : at;
        if (HasHeader(row)) {
            EXPECT_EQ(WordAt(core, at), size.width) << ImgName(row);
            EXPECT_EQ(WordAt(core, at + 2), size.height) << ImgName(row);
            EXPECT_EQ(WordAt(core, at + 4), 0) << ImgName(row);
        }
        ASSERT_EQ(WordAt(core, pixel), row) << ImgName(row);
        if (row % 23 == 0 || row == kImgCount - 1) {
            const auto packed = PackedBytes(StandardPicture(row), HasHeader(row));
            EXPECT_EQ(std::vector<std::uint8_t>(core.begin() + at, core.begin() + at + packed.size()), packed) << ImgName(row);
        }
    }

    // A normal SFC write of a 480 x 272 portrait design, screen 7's bitmap missing.
    modOrvel m;
    m.ResetAll();
    m.SetLayout(1);
    m.SetScreen(2);
    m.SetBtnType(0, 57);
    m.SetBtnDevice(0, 10);
    m.SetScreen(0);
    CompileOptions opt;
    opt.DispCode = DispCodeOf(m);
    ASSERT_EQ(opt.DispCode, 4);
    for (int s = 0; s < 16; ++s)
        WriteBmp(paths.BMPImagesDir() / ImgName(ScreenRow(4, s)), PatternPicture(272, 480, s));
    std::filesystem::remove(paths.BMPImagesDir() / "SR0P07.BMP");

    ASSERT_TRUE(CopyFileTo(paths.CoreImageFile(), paths.SDImageFile()));
    ImageFileSink sink;
    ASSERT_TRUE(sink.Open(paths.SDImageFile()));
    PicBuffers buf;
    const CompileResult r = CompileAll(m, paths, opt, sink, buf);
    ASSERT_TRUE(sink.Close());
    ASSERT_TRUE(r.write) << r.write.message;
    ASSERT_EQ(r.skipped.size(), 1u);
    EXPECT_EQ(r.skipped[0].row, ScreenRow(4, 7));

    const std::vector<std::uint8_t> image = ReadAll(paths.SDImageFile());
    ASSERT_EQ(image.size(), core.size());

    // Only the configuration sectors and the 15 written screen slots differ from the core image.
    std::uint32_t from = 0x4200;
    for (int s = 0; s < 16; ++s) {
        const std::uint32_t at = ImgOffset(ScreenRow(4, s));
        EXPECT_TRUE(SameBytes(image, core, from, at)) << "bytes " << from << " to " << at;
        from = at + SlotSize(ScreenRow(4, s));
        if (s == 7) {
            EXPECT_TRUE(SameBytes(image, core, at, from)) << "the skipped screen keeps the core image's bytes";
            continue;
        }
        const auto packed = PackedBytes(PatternPicture(272, 480, s), false);
        ASSERT_EQ(packed.size(), SlotSize(ScreenRow(4, s)));
        EXPECT_EQ(std::memcmp(image.data() + at, packed.data(), packed.size()), 0) << "screen " << s;
    }
    EXPECT_TRUE(SameBytes(image, core, from, kCardImageSize));

    for (std::uint32_t k = 0; k < 16384; ++k)
        ASSERT_EQ(image[k], static_cast<std::uint8_t>(m.PanelCfg[k])) << k;
    EXPECT_EQ(image[976], 1) << "portrait";
    EXPECT_EQ(image[2 * 1024 + 256 + 4], 95) << "right edge of the colour control";
    for (std::uint32_t d = 0; d < 128; ++d) {
        const bool claimed = (d >= 10 && d <= 13) || (d >= 74 && d <= 77);
        EXPECT_EQ(image[0x4000 + d], claimed ? 255 : 0) << d;
    }
    for (std::uint32_t k = 0x4080; k < 0x4200; ++k)
        ASSERT_EQ(image[k], 0) << k;
}
