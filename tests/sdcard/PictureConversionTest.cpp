#include "sdcard/PictureConversion.h"

#include "SdTestSupport.h"
#include "TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace kx4;
using namespace kx4::test;

TEST(PictureConversion, Rgb565DropsTheLowBits)
{
    EXPECT_EQ(Rgb565(255, 0, 255), 0xF81F);
    EXPECT_EQ(Rgb565(255, 255, 255), 0xFFFF);
    EXPECT_EQ(Rgb565(8, 4, 8), 0x0821);
    EXPECT_EQ(Rgb565(7, 3, 7), 0x0000);
    EXPECT_EQ(Rgb565(64, 64, 64), 0x4208);
    EXPECT_EQ(Rgb565(255, 0, 0), 0xF800);
    EXPECT_EQ(Rgb565(0, 255, 0), 0x07E0);
    EXPECT_EQ(Rgb565(0, 0, 255), 0x001F);
}

TEST(PictureConversion, HeadedPictureIsPackedIntoSevenSectors)
{
    TempDir dir;
    BmpImage img = PatternPicture(64, 24, 3);
    img.pixels[0] = 0xFF00FF; // top left: magenta
    WriteBmp(dir / "face.bmp", img);

    PicBuffers buf;
    ASSERT_TRUE(CompilePic(dir / "face.bmp", true, buf));
    ASSERT_EQ(buf.PicWordCount, 1539u);
    EXPECT_EQ(buf.PicWords[0], 64);
    EXPECT_EQ(buf.PicWords[1], 24);
    EXPECT_EQ(buf.PicWords[2], 0);
    EXPECT_EQ(buf.PicWords[3], 0xF81F);
    EXPECT_EQ(PackedSize(buf.PicWordCount), 3584u);

    MemorySink sink;
    ASSERT_TRUE(WritePic(buf, 0x10000, sink));
    ASSERT_EQ(sink.order.size(), 7u);
    for (std::uint32_t s = 0; s < 7; ++s)
        EXPECT_EQ(sink.order[s], 0x10000 + s * 512);
    const Sector& first = sink.sectors[0x10000];
    const std::uint8_t start[] = {0x00, 0x40, 0x00, 0x18, 0x00, 0x00, 0xF8, 0x1F};
    for (std::size_t j = 0; j < std::size(start); ++j)
        EXPECT_EQ(first[j], start[j]) << j;
    const Sector& last = sink.sectors[0x10000 + 6 * 512];
    for (std::size_t j = 6; j < 512; ++j)
        ASSERT_EQ(last[j], 0) << "byte " << j << " of the last sector";
    // The whole packed picture, pixel by pixel.
    const std::vector<std::uint8_t> expected = PackedBytes(img, true);
    for (std::uint32_t k = 0; k < expected.size(); ++k)
        ASSERT_EQ(sink.Byte(0x10000 + k), expected[k]) << k;
}

TEST(PictureConversion, WholeScreensHaveNoHeaderAndFillWholeSectors)
{
    TempDir dir;
    struct Case {
        int w, h;
        std::size_t sectors;
    };
    for (const Case c : {Case{480, 272, 510}, Case{320, 240, 300}, Case{800, 480, 1500}}) {
        const BmpImage img = PatternPicture(c.w, c.h, c.w);
        WriteBmp(dir / "screen.bmp", img);
        PicBuffers buf;
        ASSERT_TRUE(CompilePic(dir / "screen.bmp", false, buf));
        EXPECT_EQ(buf.PicWordCount, static_cast<std::size_t>(c.w * c.h));
        MemorySink sink;
        ASSERT_TRUE(WritePic(buf, 0x1CCAE00, sink));
        EXPECT_EQ(sink.order.size(), c.sectors) << c.w;
        EXPECT_EQ(sink.Word(0x1CCAE00), Rgb565Of(img.pixels[0])) << "the first word is the top left pixel";
    }
}

TEST(PictureConversion, RowsArePaddedStoredBottomUpAndReadTheRightWayUp)
{
    TempDir dir;
    PicBuffers buf;
    std::vector<int> widths = {24, 25, 31, 34, 480, 801};
    for (int w = 1; w <= 17; ++w)
        widths.push_back(w);
    for (int w : widths) {
        const BmpImage img = PatternPicture(w, 5, w);
        const auto file = EncodeBmp(img);
        // 34 pixels: 102 bytes and 2 fill bytes per stored row; 480 pixels: none.
        if (w == 34) {
            EXPECT_EQ(file.size(), 54u + 104 * 5);
        }
        if (w == 480) {
            EXPECT_EQ(file.size(), 54u + 1440 * 5);
        }
        WriteBytes(dir / "p.bmp", file);
        ASSERT_TRUE(CompilePic(dir / "p.bmp", true, buf));
        ASSERT_EQ(buf.PicWordCount, 3u + 5 * w);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(buf.PicWords[3 + y * w + x], Rgb565Of(img.At(x, y))) << w << ": " << x << "," << y;
        // The same picture packed where it was drawn, without the file, gives the same bytes.
        MemorySink sink;
        ASSERT_TRUE(WritePic(buf, 0, sink));
        std::vector<std::uint8_t> drawn(PackedSize(buf.PicWordCount), 0xEE);
        PackDrawnPicture(ToQImage(img), true, drawn);
        for (std::size_t k = 0; k < drawn.size(); ++k)
            ASSERT_EQ(drawn[k], sink.Byte(static_cast<std::uint32_t>(k))) << w << ": byte " << k;
    }

    // The first stored row of the file becomes the last row of the words.
    const BmpImage img = PatternPicture(4, 3, 9);
    const auto file = EncodeBmp(img);
    WriteBytes(dir / "p.bmp", file);
    ASSERT_TRUE(CompilePic(dir / "p.bmp", false, buf));
    EXPECT_EQ(buf.PicWords[2 * 4], Rgb565(file[56], file[55], file[54]));

    // A file stored top row first (negative height) comes out the same way up.
    std::vector<std::uint8_t> topDown(file.begin(), file.begin() + 54);
    for (int r = 2; r >= 0; --r)
        topDown.insert(topDown.end(), file.begin() + 54 + r * 12, file.begin() + 54 + (r + 1) * 12);
    Put32(topDown, 22, static_cast<std::uint32_t>(-3));
    WriteBytes(dir / "td.bmp", topDown);
    ASSERT_TRUE(CompilePic(dir / "td.bmp", true, buf));
    EXPECT_EQ(buf.PicWords[1], 3) << "the height word is positive";
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(buf.PicWords[3 + k], Rgb565Of(img.pixels[k])) << k;
}

TEST(PictureConversion, RefusedSourcesNameTheFileAndLeaveNoWords)
{
    TempDir dir;
    PicBuffers buf;
    auto refuse = [&](const std::filesystem::path& file, const std::string& reason) {
        WriteBmp(dir / "good.bmp", PatternPicture(8, 8));
        ASSERT_TRUE(CompilePic(dir / "good.bmp", true, buf));
        const IoResult r = CompilePic(file, true, buf);
        EXPECT_FALSE(r) << file;
        EXPECT_NE(r.message.find(file.string()), std::string::npos) << r.message;
        EXPECT_NE(r.message.find(reason), std::string::npos) << r.message;
        EXPECT_EQ(buf.PicWordCount, 0u) << "the words of the earlier picture must not stand in";
    };

    refuse(dir / "missing.bmp", "No such file");

    auto good = EncodeBmp(PatternPicture(8, 8));
    auto bits16 = good;
    Put16(bits16, 28, 16);
    WriteBytes(dir / "16bit.bmp", bits16);
    refuse(dir / "16bit.bmp", "16 bits per pixel, not 24");

    auto packed = good;
    Put32(packed, 30, 1);
    WriteBytes(dir / "rle.bmp", packed);
    refuse(dir / "rle.bmp", "compressed");

    WriteBytes(dir / "short.bmp", std::vector<std::uint8_t>(good.begin(), good.end() - 40));
    refuse(dir / "short.bmp", "cut short");

    WriteBytes(dir / "text.bmp", {'h', 'e', 'l', 'l', 'o'});
    refuse(dir / "text.bmp", "not a BMP file");

    std::filesystem::create_directory(dir / "folder.bmp");
    refuse(dir / "folder.bmp", "is a folder");

    // 1,400 x 1,000 pixels need 4.2 MB, more than the conversion buffer holds.
    WriteBmp(dir / "huge.bmp", PatternPicture(1400, 1000));
    refuse(dir / "huge.bmp", "larger than 4000001 bytes");
}

TEST(PictureConversion, AnEmptyPictureWritesNothing)
{
    PicBuffers buf;
    MemorySink sink;
    ASSERT_TRUE(WritePic(buf, 0x10000, sink));
    EXPECT_TRUE(sink.order.empty());
}
