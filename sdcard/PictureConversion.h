#pragma once
// Picture conversion (a 24-bit BMP file into RGB565 picture words) and packing (the words, high
// byte first, into whole 512-byte sectors of the card image).
#include "sdcard/SectorSink.h"

#include <cstdint>
#include <filesystem>
#include <vector>

class QImage;

namespace kx4 {

// Largest source file read, bytes.
constexpr std::size_t kBmpBufSize = 4'000'001;
constexpr std::size_t kPicHeaderWords = 3;

// The buffers of conversion and packing, allocated once and reused for every picture.
struct PicBuffers {
    std::vector<std::uint8_t> BmpBuf;    // the source file (at most kBmpBufSize bytes); BmpSize of them valid
    std::size_t BmpSize = 0;
    std::vector<std::uint16_t> PicWords; // the converted picture; PicWordCount words are valid
    std::size_t PicWordCount = 0;
    std::vector<std::uint8_t> Packed;    // the packed picture in whole sectors

    PicBuffers();
};

// The RGB565 word of an 8-bit colour; the low bits of each channel are dropped.
constexpr std::uint16_t Rgb565(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return static_cast<std::uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

// Bytes of whole sectors that `wordCount` packed words fill.
constexpr std::uint32_t PackedSize(std::size_t wordCount) { return WholeSectors(wordCount * 2); }

// Converts the 24-bit uncompressed BMP `file` into buf.PicWords: with `withHeader` first the words
// width, height, 0, then one word per pixel, the top row first. On failure the message names the
// file and PicWordCount is 0, so no earlier picture can be written in its place.
IoResult CompilePic(const std::filesystem::path& file, bool withHeader, PicBuffers& buf);

// Packs `picture` into `out` as CompilePic and WritePic pack the same picture saved as a 24-bit
// BMP file, without the file and in one pass: `out` holds PackedSize(words) bytes, the words being
// the header (with `withHeader`) and one per pixel.
void PackDrawnPicture(const QImage& picture, bool withHeader, std::span<std::uint8_t> out);

// Writes buf.PicWords packed into PackedSize(PicWordCount) bytes from byte `offset` of the card image
// (a multiple of 512); the tail of the last sector is zero.
IoResult WritePic(PicBuffers& buf, std::uint32_t offset, SectorSink& sink);

} // namespace kx4
