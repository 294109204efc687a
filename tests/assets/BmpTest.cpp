#include "assets/Bmp.h"

#include "TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace kx4;
using kx4::test::Put32;

namespace {

BmpImage Pattern(int w, int h)
{
    BmpImage img;
    img.width = w;
    img.height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.pixels.push_back(static_cast<std::uint32_t>((x * 37 + 1) << 16 | (y * 53 + 2) << 8 | (x * y + 3)) & 0xFFFFFF);
    return img;
}


} // namespace

TEST(Bmp, WrittenFilesHaveTheDocumentedLayout)
{
    const auto f = EncodeBmp(Pattern(5, 3));
    // 5 pixels = 15 bytes, padded to 16; three rows.
    ASSERT_EQ(f.size(), 54u + 16 * 3);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(f[2], f.size());
    EXPECT_EQ(f[10], 54);
    EXPECT_EQ(f[14], 40);
    EXPECT_EQ(f[18], 5);
    EXPECT_EQ(f[22], 3);
    EXPECT_EQ(f[28], 24);
    EXPECT_EQ(f[30], 0);
    // The first stored row is the bottom row; pixels are blue, green, red.
    const auto img = Pattern(5, 3);
    const std::uint32_t bottomLeft = img.At(0, 2);
    EXPECT_EQ(f[54], bottomLeft & 0xFF);
    EXPECT_EQ(f[55], (bottomLeft >> 8) & 0xFF);
    EXPECT_EQ(f[56], (bottomLeft >> 16) & 0xFF);
    EXPECT_EQ(f[54 + 15], 0) << "padding byte";
}

TEST(Bmp, RoundTripsEveryPaddingCase)
{
    test::TempDir dir;
    // Widths around every padding and every step of four pixels, and a screen's width.
    std::vector<std::uint8_t> reused;
    for (int w : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 800, 801, 5}) {
        const BmpImage img = Pattern(w, 4);
        const std::vector<std::uint8_t> file = EncodeBmp(img);
        BmpImage back;
        ASSERT_TRUE(DecodeBmp(file, back)) << w;
        EXPECT_EQ(back.width, w);
        EXPECT_EQ(back.height, 4);
        EXPECT_EQ(back.pixels, img.pixels) << "width " << w;

        // The QImage paths write and read the same bytes, also into a buffer that held a larger
        // picture with other padding before.
        EXPECT_EQ(EncodeBmp(ToQImage(img)), file) << w;
        EncodeBmp(ToQImage(img), reused);
        EXPECT_EQ(reused, file) << w;
        test::WriteBytes(dir / "p.bmp", file);
        QImage read;
        ASSERT_TRUE(ReadBmpFile(dir / "p.bmp", read)) << w;
        EXPECT_EQ(read, ToQImage(img)) << w;
        EXPECT_EQ(read.format(), QImage::Format_RGB32);
    }
}

TEST(Bmp, ReadsTopDownFilesTheRightWayUp)
{
    const BmpImage img = Pattern(3, 4);
    auto f = EncodeBmp(img);
    // Reverse the stored rows and mark the height negative.
    const std::size_t stride = 12;
    std::vector<std::uint8_t> flipped(f.begin(), f.begin() + 54);
    for (int r = 3; r >= 0; --r)
        flipped.insert(flipped.end(), f.begin() + 54 + r * stride, f.begin() + 54 + (r + 1) * stride);
    Put32(flipped, 22, static_cast<std::uint32_t>(-4));
    BmpImage back;
    ASSERT_TRUE(DecodeBmp(flipped, back));
    EXPECT_EQ(back.pixels, img.pixels);
}

TEST(Bmp, RefusesWhatItCannotRead)
{
    const auto good = EncodeBmp(Pattern(6, 6));
    BmpImage out;
    auto refused = [&](std::vector<std::uint8_t> b, const std::string& fragment) {
        const IoResult r = DecodeBmp(b, out);
        EXPECT_FALSE(r) << fragment;
        EXPECT_NE(r.message.find(fragment), std::string::npos) << r.message;
    };
    refused({}, "not a BMP");
    refused({'B', 'M'}, "not a BMP");
    auto notBm = good;
    notBm[0] = 'X';
    refused(notBm, "not a BMP");
    refused({good.begin(), good.begin() + 40}, "cut short");
    refused({good.begin(), good.end() - 30}, "cut short");
    auto compressed = good;
    Put32(compressed, 30, 1);
    refused(compressed, "compressed");
    auto eightBit = good;
    eightBit[28] = 8;
    refused(eightBit, "8 bits");
    auto huge = good;
    Put32(huge, 18, 0x7FFFFFFF);
    refused(huge, "out of range");
    auto hugeHeight = good;
    Put32(hugeHeight, 22, 0x80000000u);
    refused(hugeHeight, "out of range");
    auto zero = good;
    Put32(zero, 18, 0);
    refused(zero, "out of range");
    auto offset = good;
    Put32(offset, 10, 1'000'000);
    refused(offset, "offset");
    auto smallInfo = good;
    Put32(smallInfo, 14, 12);
    refused(smallInfo, "header");
    auto hugeInfo = good;
    Put32(hugeInfo, 14, 0xFFFFFFF0u);
    refused(hugeInfo, "offset");
}

TEST(Bmp, FilesNameThemselvesInErrors)
{
    test::TempDir dir;
    test::WriteBytes(dir / "broken.bmp", {'B', 'M', 1, 2});
    BmpImage img;
    const IoResult r = ReadBmpFile(dir / "broken.bmp", img);
    EXPECT_FALSE(r);
    EXPECT_NE(r.message.find("broken.bmp"), std::string::npos);

    QImage q(7, 3, QImage::Format_RGB32);
    q.fill(qRgb(1, 2, 3));
    q.setPixel(6, 2, qRgb(250, 0, 7));
    ASSERT_TRUE(WriteBmpFile(dir / "q.bmp", q));
    QImage back;
    ASSERT_TRUE(ReadBmpFile(dir / "q.bmp", back));
    EXPECT_EQ(back.size(), q.size());
    EXPECT_EQ(back.pixel(6, 2), qRgb(250, 0, 7));
    EXPECT_EQ(back.pixel(0, 0), qRgb(1, 2, 3));
}
