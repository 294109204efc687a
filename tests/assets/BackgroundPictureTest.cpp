// Backgrounds are any BMP the user has, read by Qt's reader under a size limit.
#include "assets/BackgroundPicture.h"
#include "assets/Bmp.h"

#include "FileSupport.h"
#include "TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace kx4;
using namespace kx4::test;

namespace {

// Colours a 16-bit picture holds exactly: each channel 0 or 248, five bits shifted up.
const std::vector<QRgb> kPure = {qRgb(0, 0, 0),   qRgb(248, 248, 248), qRgb(248, 0, 0),   qRgb(0, 248, 0),
                                 qRgb(0, 0, 248), qRgb(248, 248, 0),   qRgb(248, 0, 248), qRgb(0, 248, 248)};

std::vector<QRgb> Shades(int n)
{
    std::vector<QRgb> c;
    for (int i = 0; i < n; ++i)
        c.push_back(qRgb(i, 255 - i, (i * 7) & 0xFF));
    return c;
}

// Where two pictures first differ, empty when they do not.
std::string FirstDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return "sizes differ";
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return "(" + std::to_string(x) + ", " + std::to_string(y) + "): " + std::to_string(a.pixel(x, y)) +
                       " vs " + std::to_string(b.pixel(x, y));
    return {};
}

} // namespace

TEST(BackgroundPicture, EveryDepthGivesThePixelsOfItsTwentyFourBitCopy)
{
    TempDir dir;
    struct Form {
        const char* name;
        std::vector<QRgb> colours;
        int bits;
        bool bitFields;
        bool topDown;
    };
    const std::vector<Form> forms = {
        {"1-bit", {qRgb(12, 34, 56), qRgb(200, 150, 100)}, 1, false, false},
        {"4-bit", kPure, 4, false, false},
        {"8-bit", Shades(200), 8, false, false},
        {"8-bit top-down", Shades(100), 8, false, true},
        {"16-bit 5-5-5", kPure, 16, false, false},
        {"16-bit 5-6-5 masks", kPure, 16, true, false},
        {"24-bit top-down", Shades(256), 24, false, true},
        {"32-bit", Shades(256), 32, false, false},
        {"32-bit masks", Shades(256), 32, true, true},
    };
    for (const Form& f : forms) {
        const QImage source = ColourPattern(37, 11, f.colours); // rows of every depth end in padding
        const auto file = dir / (std::string(f.name) + ".bmp");
        const auto copy = dir / (std::string(f.name) + " copy.bmp");
        WriteBytes(file, BmpOfDepth(source, f.bits, f.bitFields, f.topDown));
        WriteBytes(copy, BmpOfDepth(source, 24));

        QImage read, reference;
        const IoResult r = ReadBackgroundPicture(file, read);
        ASSERT_TRUE(r) << f.name << ": " << r.message;
        ASSERT_TRUE(ReadBmpFile(copy, reference)) << "the strict reader takes the 24-bit copy";
        EXPECT_EQ(read.format(), QImage::Format_RGB32) << f.name;
        ASSERT_EQ(read.size(), QSize(37, 11)) << f.name;
        EXPECT_EQ(FirstDifference(read, reference), "") << f.name;
    }
}

TEST(BackgroundPicture, WhatIsNotAReadablePictureIsNamedWithTheReason)
{
    TempDir dir;
    const auto reason = [&](const std::string& name) {
        QImage img(1, 1, QImage::Format_RGB32);
        const IoResult r = ReadBackgroundPicture(dir / name, img);
        EXPECT_FALSE(img.isNull()) << "a failed read leaves the picture alone";
        return r.message;
    };
    const auto blank = [](int w, int h) { return ColourPattern(w, h, {qRgb(1, 2, 3)}); };
    const auto claim = [&](int w, int h) {
        std::vector<std::uint8_t> f = BmpOfDepth(blank(1, 1), 24);
        for (int i = 0; i < 4; ++i) {
            f[18 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(w) >> (8 * i));
            f[22 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(h) >> (8 * i));
        }
        return f;
    };

    WriteBytes(dir / "text.bmp", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'});
    EXPECT_EQ(reason("text.bmp"), "Cannot read " + Quoted(dir / "text.bmp") + " as a picture: it is not a BMP file.");
    auto sevenBits = BmpOfDepth(blank(2, 2), 24);
    sevenBits[28] = 7;
    WriteBytes(dir / "seven.bmp", sevenBits);
    EXPECT_EQ(reason("seven.bmp"), "Cannot read " + Quoted(dir / "seven.bmp") +
                                       " as a picture: its BMP header is damaged or of an unsupported kind.");

    // Huge claims are refused from the header, before any memory is taken for the pixels.
    WriteBytes(dir / "wide.bmp", claim(4097, 1));
    WriteBytes(dir / "deep.bmp", claim(1, -100000));
    WriteBytes(dir / "vast.bmp", claim(60000, 60000));
    EXPECT_EQ(reason("wide.bmp"), "Cannot read " + Quoted(dir / "wide.bmp") +
                                      " as a picture: its header claims 4097 x 1 pixels, more than 4096 x 4096.");
    EXPECT_EQ(reason("deep.bmp"), "Cannot read " + Quoted(dir / "deep.bmp") +
                                      " as a picture: its header claims 1 x 100000 pixels, more than 4096 x 4096.");
    EXPECT_EQ(reason("vast.bmp").rfind("Cannot read " + Quoted(dir / "vast.bmp") + " as a picture: ", 0), 0u);

    ASSERT_EQ(::mkfifo((dir / "pipe.bmp").c_str(), 0644), 0);
    FifoRescue rescue(dir / "pipe.bmp");
    EXPECT_EQ(reason("pipe.bmp"), Quoted(dir / "pipe.bmp") + " is not a regular file.");
    EXPECT_FALSE(rescue.Rescued());

    // The largest side allowed is read.
    WriteBytes(dir / "edge.bmp", BmpOfDepth(blank(4096, 2), 8));
    QImage edge;
    EXPECT_TRUE(ReadBackgroundPicture(dir / "edge.bmp", edge));
    EXPECT_EQ(edge.size(), QSize(4096, 2));
}
