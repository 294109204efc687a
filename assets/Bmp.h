#pragma once
// The one BMP codec: 24-bit uncompressed pictures, as the card pictures, the previews, the
// backgrounds and the standard pictures use them.
#include "data/FileIO.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

class QImage;

namespace kx4 {

// Where the pixels of a checked 24-bit BMP file lie in its bytes.
struct BmpLayout {
    int width = 0;
    int height = 0;            // always positive
    std::size_t dataOffset = 0;
    std::size_t rowStride = 0; // bytes per stored row, padding included
    bool bottomUp = true;      // rows stored bottom row first (the usual form)

    // Offset of the first byte (blue) of pixel (x, y), y counted from the top.
    std::size_t PixelOffset(int x, int y) const
    {
        const std::size_t row = bottomUp ? static_cast<std::size_t>(height - 1 - y) : static_cast<std::size_t>(y);
        return dataOffset + row * rowStride + static_cast<std::size_t>(x) * 3;
    }
};

// Largest width or height accepted, pixels.
constexpr int kBmpMaxSide = 16384;

// Checks the headers ("BM", data offset, 40-byte or larger information header, 24 bits, no
// compression, sane width and height, every row inside the file) before any pixel is read.
IoResult ParseBmp(std::span<const std::uint8_t> bytes, BmpLayout& out);

// A picture in memory: 0xRRGGBB per pixel, the top row first.
struct BmpImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

IoResult DecodeBmp(std::span<const std::uint8_t> bytes, BmpImage& out);
IoResult ReadBmpFile(const std::filesystem::path& file, BmpImage& out);

// The bytes of a 24-bit BMP file: 54-byte header, rows bottom-up, each padded to four bytes.
std::vector<std::uint8_t> EncodeBmp(const BmpImage& image);
std::vector<std::uint8_t> EncodeBmp(const QImage& image);
// The same into `out`, whose storage serves picture after picture without being cleared.
void EncodeBmp(const QImage& image, std::vector<std::uint8_t>& out);

// Writes whole via a temporary file; `flush` also forces it to the device. `buffer` holds the
// encoded file and is reused by the next call.
IoResult WriteBmpFile(const std::filesystem::path& file, const QImage& image, std::vector<std::uint8_t>& buffer,
                      bool flush = false);
IoResult WriteBmpFile(const std::filesystem::path& file, const QImage& image, bool flush = false);

// The picture as a QImage in RGB32, and back.
QImage ToQImage(const BmpImage& image);
IoResult ReadBmpFile(const std::filesystem::path& file, QImage& out);

} // namespace kx4
