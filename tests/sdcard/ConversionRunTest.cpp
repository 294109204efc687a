#include "sdcard/ConversionRun.h"

#include "sdcard/ConfigFinishing.h"
#include "sdcard/PictureTable.h"
#include "SdTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace kx4;
using namespace kx4::test;

namespace {

std::vector<int> SelectedRows(const CompileOptions& opt, bool raw)
{
    std::vector<int> rows;
    for (int i = 0; i < kImgCount; ++i)
        if (RowSelected(i, opt, raw))
            rows.push_back(i);
    return rows;
}

std::vector<int> Range(int first, int last)
{
    std::vector<int> v;
    for (int i = first; i <= last; ++i)
        v.push_back(i);
    return v;
}

// A data root with the folders of an installation and nothing in them.
class ConversionRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(paths.RawImagesDir());
        std::filesystem::create_directories(paths.BMPImagesDir());
        m.ResetAll();
    }

    // The 16 screen bitmaps of `code`, each marked by its screen number.
    void WriteScreens(int code)
    {
        const PicSize size = DispCodeScreenSize(code);
        for (int s = 0; s < 16; ++s)
            WriteBmp(paths.BMPImagesDir() / ImgName(ScreenRow(code, s)), PatternPicture(size.width, size.height, s));
    }

    TempDir root;
    Paths paths{root.path()};
    modOrvel m;
    PicBuffers buf;
};

} // namespace

TEST(RowSelection, ByModeAndChoice)
{
    CompileOptions sfc;
    sfc.DispCode = 1;
    EXPECT_EQ(SelectedRows(sfc, false), Range(1452, 1467)) << "SFC ignores the standard-pictures box";
    sfc.DispCode = 6;
    EXPECT_EQ(SelectedRows(sfc, false), Range(1542, 1557));
    sfc.chkBuildBaseImage = true;
    EXPECT_EQ(SelectedRows(sfc, false).size(), 2444u);

    CompileOptions raw;
    raw.DispCode = 4;
    raw.chkActiveOnly = true;
    EXPECT_EQ(SelectedRows(raw, true).size(), 2444u);
    raw.chkActiveOnly = false;
    raw.chkBuildBaseImage = true; // a base build is SFC only
    EXPECT_EQ(SelectedRows(raw, true), Range(1506, 1521));
}

TEST_F(ConversionRun, SourceFoldersAndTheDisplayCode)
{
    CompileOptions opt;
    EXPECT_EQ(SourceFile(0, paths, opt, false), paths.BMPImagesDir() / "B0_S0_C0.BMP");
    EXPECT_EQ(SourceFile(0, paths, opt, true), paths.RawImagesDir() / "B0_S0_C0.BMP");
    EXPECT_EQ(SourceFile(1468, paths, opt, true), paths.RawImagesDir() / "SR0LAD.BMP");
    EXPECT_EQ(SourceFile(1452, paths, opt, true), paths.BMPImagesDir() / "SR0L00.BMP") << "screens come from BMPImages";
    opt.chkBuildBaseImage = true;
    EXPECT_EQ(SourceFile(2443, paths, opt, false), paths.RawImagesDir() / "ChrPmS3W.BMP");
    EXPECT_EQ(SourceFile(1557, paths, opt, false), paths.BMPImagesDir() / "SR2P15.BMP");

    // Names are found without regard to case, as on the panel maker's system.
    WriteBmp(paths.RawImagesDir() / "digit0.bmp", PatternPicture(2, 2));
    EXPECT_EQ(SourceFile(2208, paths, opt, false), paths.RawImagesDir() / "digit0.bmp");

    EXPECT_FALSE(RawMode(m));
    m.SetSDFormat(1);
    EXPECT_TRUE(RawMode(m));
    m.SetSDFormat(2); // any value but 0 is Raw
    EXPECT_TRUE(RawMode(m));

    m.SetScnRes(1);
    EXPECT_EQ(DispCodeOf(m), 2);
    m.SetLayout(1);
    EXPECT_EQ(DispCodeOf(m), 5);
    m.SetScnRes(2);
    EXPECT_EQ(DispCodeOf(m), 6);
}

TEST_F(ConversionRun, NormalWriteTheScreensThenTheConfiguration)
{
    m.SetScnRes(1);
    m.SetLayout(1); // 320 x 240 portrait: DispCode 5
    m.SetScreen(3);
    m.SetBtnLeft(2, 10);
    m.SetScreen(0);
    WriteScreens(5);
    CompileOptions opt;
    opt.DispCode = DispCodeOf(m);

    std::vector<std::string> status;
    std::vector<int> progress;
    CompileCallbacks cb;
    cb.showStatus = [&](const std::string& t) { status.push_back(t); };
    cb.rowDone = [&](int row) {
        progress.push_back(row);
        return true;
    };
    MemorySink sink;
    const CompileResult r = CompileAll(m, paths, opt, sink, buf, cb);

    ASSERT_TRUE(r.write) << r.write.message;
    EXPECT_TRUE(r.Complete());
    EXPECT_EQ(r.picturesWritten, 16);
    EXPECT_EQ(r.lastRow, 2443);
    EXPECT_EQ(progress, Range(0, 2443)) << "every row reports, written or not";
    ASSERT_EQ(status.size(), 17u);
    EXPECT_EQ(status[0], (paths.BMPImagesDir() / "SR1P00.BMP").string());
    EXPECT_EQ(status[16], "Configuration Data.....Please Wait.....");
    EXPECT_EQ(sink.flushes, 1);

    // 16 slots of 300 sectors in row order, then the 33 configuration sectors.
    std::vector<std::uint32_t> want;
    for (int s = 0; s < 16; ++s)
        for (std::uint32_t k = 0; k < 300; ++k)
            want.push_back(ImgOffset(ScreenRow(5, s)) + k * 512);
    for (std::uint32_t k = 0; k < 32; ++k)
        want.push_back(k * 512);
    want.push_back(0x4000);
    EXPECT_EQ(sink.order, want);

    for (int s = 0; s < 16; s += 5) {
        const auto expected = PackedBytes(PatternPicture(240, 320, s), false);
        const std::uint32_t at = ImgOffset(ScreenRow(5, s));
        for (std::uint32_t k = 0; k < expected.size(); k += 97)
            ASSERT_EQ(sink.Byte(at + k), expected[k]) << "screen " << s << " byte " << k;
    }
    // The configuration went out finished: button 2 of screen 3 has its right edge.
    EXPECT_EQ(sink.Byte(3 * 1024 + 256 + 2 * 16 + 4), 105);
    EXPECT_EQ(sink.Byte(981), 0);
}

TEST_F(ConversionRun, UnusablePicturesAreSkippedAndListed)
{
    WriteScreens(1);
    const auto dir = paths.BMPImagesDir();
    std::filesystem::remove(dir / "SR0L03.BMP");
    auto bits16 = EncodeBmp(PatternPicture(480, 272));
    bits16[28] = 16;
    WriteBytes(dir / "SR0L04.BMP", bits16);
    WriteBmp(dir / "SR0L05.BMP", PatternPicture(481, 272)); // one column too many for its slot
    WriteBmp(dir / "SR0L06.BMP", PatternPicture(400, 200)); // smaller is fine

    CompileOptions opt;
    MemorySink sink;
    const CompileResult r = CompileAll(m, paths, opt, sink, buf);

    ASSERT_TRUE(r.write);
    EXPECT_FALSE(r.Complete());
    EXPECT_EQ(r.picturesWritten, 13);
    ASSERT_EQ(r.skipped.size(), 3u);
    EXPECT_EQ(r.skipped[0].row, 1455);
    EXPECT_EQ(r.skipped[0].file, dir / "SR0L03.BMP");
    EXPECT_NE(r.skipped[0].message.find("No such file"), std::string::npos) << r.skipped[0].message;
    EXPECT_EQ(r.skipped[1].row, 1456);
    EXPECT_NE(r.skipped[1].message.find("16 bits per pixel"), std::string::npos) << r.skipped[1].message;
    EXPECT_EQ(r.skipped[2].row, 1457);
    EXPECT_EQ(r.skipped[2].message,
              "\"" + (dir / "SR0L05.BMP").string() + "\": the picture needs 261664 bytes, its slot holds 261120.");
    for (const auto& s : r.skipped) {
        EXPECT_NE(s.message.find(s.file.string()), std::string::npos);
        for (std::uint32_t k = 0; k < SlotSize(s.row); k += 512)
            ASSERT_EQ(sink.sectors.count(ImgOffset(s.row) + k), 0u) << "slot of row " << s.row << " untouched";
    }
    EXPECT_EQ(sink.sectors.count(ImgOffset(1458)), 1u);
    EXPECT_EQ(sink.sectors.count(ImgOffset(1458) + 312 * 512), 1u) << "400 x 200 fills 313 sectors";
    EXPECT_EQ(sink.sectors.count(ImgOffset(1458) + 313 * 512), 0u) << "sectors behind the picture are not written";
    EXPECT_EQ(sink.sectors.count(0x4000), 1u) << "the configuration is written all the same";
}

TEST_F(ConversionRun, ACancelStopsAfterTheRowAndStillWritesTheConfiguration)
{
    // Raw mode with every row chosen; sources only as far as row 110.
    m.SetSDFormat(1);
    for (int row = 0; row <= 110; ++row)
        WriteBmp(paths.RawImagesDir() / ImgName(row), PatternPicture(8, 4, row));
    CompileOptions opt;
    opt.chkActiveOnly = true;

    std::vector<int> progress;
    CompileCallbacks cb;
    cb.rowDone = [&](int row) {
        progress.push_back(row);
        return row != 100;
    };
    MemorySink sink;
    const CompileResult r = CompileAll(m, paths, opt, sink, buf, cb);

    ASSERT_TRUE(r.write);
    EXPECT_TRUE(r.cancelled);
    EXPECT_FALSE(r.Complete());
    EXPECT_EQ(r.lastRow, 100);
    EXPECT_EQ(progress, Range(0, 100));
    EXPECT_EQ(r.picturesWritten, 101);
    EXPECT_TRUE(r.skipped.empty());
    // 8 x 4 with header: 35 words, one sector per row.
    std::vector<std::uint32_t> want;
    for (int row = 0; row <= 100; ++row)
        want.push_back(ImgOffset(row));
    for (std::uint32_t k = 0; k < 32; ++k)
        want.push_back(k * 512);
    want.push_back(0x4000);
    EXPECT_EQ(sink.order, want);
    EXPECT_EQ(sink.Word(ImgOffset(100)), 8);
    EXPECT_EQ(sink.Word(ImgOffset(100) + 6), Rgb565Of(PatternPicture(8, 4, 100).pixels[0]));
    EXPECT_EQ(sink.Byte(981), 1) << "Raw recorded in the configuration";
}

TEST_F(ConversionRun, AFailedWriteStopsTheRun)
{
    WriteScreens(1);
    CompileOptions opt;
    std::vector<int> progress;
    CompileCallbacks cb;
    cb.rowDone = [&](int row) {
        progress.push_back(row);
        return true;
    };
    MemorySink sink;
    sink.failAtSector = 510 * 2 + 17; // inside the third screen
    CompileResult r = CompileAll(m, paths, opt, sink, buf, cb);

    EXPECT_FALSE(r.write);
    EXPECT_NE(r.write.message.find("test failure"), std::string::npos);
    EXPECT_EQ(r.lastRow, 1453);
    EXPECT_EQ(progress.back(), 1453);
    EXPECT_EQ(r.picturesWritten, 2);
    EXPECT_EQ(sink.sectors.count(0x4000), 0u) << "nothing after the failure";
    EXPECT_EQ(sink.flushes, 0);

    // A failed flush is a failed run too.
    MemorySink unflushable;
    unflushable.failFlush = true;
    r = CompileAll(m, paths, opt, unflushable, buf);
    EXPECT_FALSE(r.write);
    EXPECT_FALSE(r.Complete());
    EXPECT_NE(r.write.message.find("flush failed"), std::string::npos);
}
