#pragma once
// Test doubles, picture and byte helpers shared by the card image tests.
#include "assets/Bmp.h"
#include "sdcard/PictureTable.h"
#include "sdcard/SectorSink.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <vector>

namespace kx4::test {

// A card image in memory that records every sector in the order written; it can be told to fail.
class MemorySink : public SectorSink {
public:
    std::vector<std::uint32_t> order;           // offsets, one per sector, as written
    std::map<std::uint32_t, Sector> sectors;    // the last content of each sector
    int failAtSector = -1;                      // the write of this sector (counted from 0) fails
    bool failFlush = false;
    int flushes = 0;

    IoResult WriteSector(std::uint32_t offset, const Sector& sector) override
    {
        if (static_cast<int>(order.size()) == failAtSector)
            return IoResult::Fail("Cannot write \"card\" at byte " + std::to_string(offset) + ": test failure.");
        order.push_back(offset);
        sectors[offset] = sector;
        return IoResult::Ok();
    }
    IoResult Flush() override
    {
        ++flushes;
        return failFlush ? IoResult::Fail("Cannot write \"card\": flush failed.") : IoResult::Ok();
    }

    // Byte `at` of the image; unwritten bytes read as zero.
    std::uint8_t Byte(std::uint32_t at) const
    {
        const auto it = sectors.find(at / kSectorSize * kSectorSize);
        return it == sectors.end() ? 0 : it->second[at % kSectorSize];
    }
    // The big-endian word at byte `at`.
    std::uint16_t Word(std::uint32_t at) const { return static_cast<std::uint16_t>(Byte(at) << 8 | Byte(at + 1)); }
};

// A picture whose every pixel differs from its neighbours, marked by `seed`.
inline BmpImage PatternPicture(int width, int height, int seed = 0)
{
    BmpImage img;
    img.width = width;
    img.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            img.pixels.push_back((static_cast<std::uint32_t>(x * 7 + seed * 29) & 0xFF) << 16
                                 | (static_cast<std::uint32_t>(y * 5 + seed * 13) & 0xFF) << 8
                                 | (static_cast<std::uint32_t>(x + y * 3 + seed) & 0xFF));
    return img;
}

inline std::uint16_t Rgb565Of(std::uint32_t rgb)
{
    return static_cast<std::uint16_t>(((rgb >> 16 & 0xFF) >> 3) << 11 | ((rgb >> 8 & 0xFF) >> 2) << 5 | (rgb & 0xFF) >> 3);
}

// The packed form of a picture as the card holds it: optional header, then big-endian RGB565
// pixels from the top row, zero-filled to whole sectors.
inline std::vector<std::uint8_t> PackedBytes(const BmpImage& img, bool header)
{
    std::vector<std::uint16_t> words;
    if (header)
        words = {static_cast<std::uint16_t>(img.width), static_cast<std::uint16_t>(img.height), 0};
    for (std::uint32_t p : img.pixels)
        words.push_back(Rgb565Of(p));
    std::vector<std::uint8_t> bytes;
    for (std::uint16_t w : words) {
        bytes.push_back(static_cast<std::uint8_t>(w >> 8));
        bytes.push_back(static_cast<std::uint8_t>(w));
    }
    bytes.resize((bytes.size() + kSectorSize - 1) / kSectorSize * kSectorSize, 0);
    return bytes;
}

// `n` bytes of a pattern marked by `seed`.
inline std::vector<std::uint8_t> Pattern(std::size_t n, int seed)
{
    std::vector<std::uint8_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<std::uint8_t>(i * 13 + seed + i / 509);
    return v;
}

// A core image as long as the card layout, its bytes a pattern marked by `seed`.
inline std::vector<std::uint8_t> CorePattern(int seed) { return Pattern(kCardImageSize, seed); }

// A whole file in one read: card images are tens of megabytes.
inline std::vector<std::uint8_t> ReadAll(const std::filesystem::path& file)
{
    std::vector<std::uint8_t> bytes;
    const IoResult r = ReadWholeFile(file, bytes);
    EXPECT_TRUE(r) << r.message;
    return bytes;
}

inline void WriteBmp(const std::filesystem::path& file, const BmpImage& img) { WriteBytes(file, EncodeBmp(img)); }

} // namespace kx4::test
