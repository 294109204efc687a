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

// Colours every depth holds exactly: each channel 0 or 255, five or six bits widened.
const std::vector<QRgb> kPure = {qRgb(0, 0, 0),   qRgb(255, 255, 255), qRgb(255, 0, 0),   qRgb(0, 255, 0),
                                 qRgb(0, 0, 255), qRgb(255, 255, 0),   qRgb(255, 0, 255), qRgb(0, 255, 255)};

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

// The picture as the card stores it: five bits of red, six of green, five of blue.
QImage Packed565(const QImage& picture)
{
    QImage out = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = out.pixel(x, y);
            out.setPixel(x, y, qRgb(qRed(c) >> 3, qGreen(c) >> 2, qBlue(c) >> 3));
        }
    return out;
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
        bool packed = false; // compared as the card stores both
    };
    const std::vector<Form> forms = {
        {"1-bit", {qRgb(12, 34, 56), qRgb(200, 150, 100)}, 1, false, false},
        {"4-bit", kPure, 4, false, false},
        {"8-bit", Shades(200), 8, false, false},
        {"8-bit top-down", Shades(100), 8, false, true},
        {"16-bit 5-5-5", kPure, 16, false, false},
        {"16-bit 5-6-5 masks", kPure, 16, true, false},
        {"16-bit 5-6-5 shades", Shades(256), 16, true, false, true},
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
        EXPECT_EQ(f.packed ? FirstDifference(Packed565(read), Packed565(reference)) : FirstDifference(read, reference), "")
            << f.name;
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

    // Claims beyond the memory limit are refused from the header; smaller ones need their bytes.
    const auto holds = [](int fileBytes, int needed) {
        return " as a picture: the file holds " + std::to_string(fileBytes) + " bytes, fewer than the " +
               std::to_string(needed) + " its header needs.";
    };
    WriteBytes(dir / "wide.bmp", claim(4097, 1));
    WriteBytes(dir / "deep.bmp", claim(1, -100000));
    WriteBytes(dir / "limit.bmp", claim(8000, 8000));
    WriteBytes(dir / "over.bmp", claim(8001, 8000));
    WriteBytes(dir / "vast.bmp", claim(100000, 100000));
    EXPECT_EQ(reason("wide.bmp"), "Cannot read " + Quoted(dir / "wide.bmp") + holds(58, 54 + 12292));
    EXPECT_EQ(reason("deep.bmp"), "Cannot read " + Quoted(dir / "deep.bmp") + holds(58, 54 + 400000));
    EXPECT_EQ(reason("limit.bmp"), "Cannot read " + Quoted(dir / "limit.bmp") + holds(58, 54 + 192000000));
    EXPECT_EQ(reason("over.bmp"), "Cannot read " + Quoted(dir / "over.bmp") +
                                      " as a picture: its header claims 8001 x 8000 pixels, more than 64 megapixels.");
    EXPECT_EQ(reason("vast.bmp"), "Cannot read " + Quoted(dir / "vast.bmp") +
                                      " as a picture: its header claims 100000 x 100000 pixels, more than 64 megapixels.");
    // The last row's padding is pixel data too.
    auto unpadded = BmpOfDepth(blank(3, 2), 24);
    unpadded.pop_back();
    WriteBytes(dir / "unpadded.bmp", unpadded);
    EXPECT_EQ(reason("unpadded.bmp"), "Cannot read " + Quoted(dir / "unpadded.bmp") + holds(77, 78));

    // Ten bits a channel, which Qt's reader would show black.
    auto tenBits = BmpOfDepth(blank(2, 2), 32, true);
    for (const auto& [at, mask] : {std::pair{54, 0x3FF00000u}, {58, 0x000FFC00u}, {62, 0x000003FFu}})
        for (int i = 0; i < 4; ++i)
            tenBits[static_cast<std::size_t>(at + i)] = static_cast<std::uint8_t>(mask >> (8 * i));
    WriteBytes(dir / "ten.bmp", tenBits);
    EXPECT_EQ(reason("ten.bmp"), "Cannot read " + Quoted(dir / "ten.bmp") +
                                     " as a picture: its colour masks are wider than 8 bits or broken up.");

    // Run-length coded rows have no length: the codes must reach the picture's end. Pixels that
    // a move skips take colour 0, wherever Qt's reader finds its memory.
    for (int i = 0; i < 20; ++i)
        QImage(8, 4, QImage::Format_Indexed8).fill(0xAB);
    QImage two = blank(8, 4);
    two.setPixel(1, 0, qRgb(200, 100, 50)); // colour 1; colour 0 is the blank's
    std::vector<std::uint8_t> rle = BmpOfDepth(two, 8);
    rle.resize(rle.size() - 4 * 8);
    rle[30] = 1; // RLE8
    // Two right and one up from the bottom row's start; three of colour 1; a row of 0, 1, 0, 1, 0 as
    // they are, padded; the end.
    const std::vector<std::uint8_t> codes = {0, 2, 2, 1, 3, 1, 0, 0, 0, 5, 0, 1, 0, 1, 0, 0, 0, 1};
    rle.insert(rle.end(), codes.begin(), codes.end());
    WriteBytes(dir / "rle.bmp", rle);
    QImage coded;
    ASSERT_TRUE(ReadBackgroundPicture(dir / "rle.bmp", coded));
    std::string rows;
    for (int y = 0; y < 4; ++y, rows += '|')
        for (int x = 0; x < 8; ++x)
            rows += coded.pixel(x, y) == qRgb(1, 2, 3) ? '0' : coded.pixel(x, y) == qRgb(200, 100, 50) ? '1' : '?';
    EXPECT_EQ(rows, "00000000|01010000|00111000|00000000|");
    rle.resize(rle.size() - 10); // the codes of the third row and the end
    WriteBytes(dir / "rle cut.bmp", rle);
    EXPECT_EQ(reason("rle cut.bmp"), "Cannot read " + Quoted(dir / "rle cut.bmp") +
                                         " as a picture: its run-length coded pixels end before the picture does.");

    ASSERT_EQ(::mkfifo((dir / "pipe.bmp").c_str(), 0644), 0);
    FifoRescue rescue(dir / "pipe.bmp");
    EXPECT_EQ(reason("pipe.bmp"), Quoted(dir / "pipe.bmp") + " is not a regular file.");
    EXPECT_FALSE(rescue.Rescued());
}
