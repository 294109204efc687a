#pragma once
// Screen backgrounds chosen by the user: any whole BMP file Qt's reader takes, under a size limit.
#include "data/FileIO.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

class QImage;

namespace kx4 {

// Most pixels a background picture may have: 64 megapixels, 256,000,000 bytes at 32 bits a pixel.
constexpr std::uintmax_t kBackgroundMaxPixels = 64'000'000;

// Largest background file read, bytes: no picture of kBackgroundMaxPixels stores more than four
// bytes a pixel, rows padded or run-length coded, with room for its headers and colour table.
constexpr std::uintmax_t kBackgroundMaxFileBytes = kBackgroundMaxPixels * 4 + 64 * 1024;

// Reads the regular file `file` whole, refusing one larger than kBackgroundMaxFileBytes.
IoResult ReadBackgroundFile(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes);

// Decodes the bytes of a BMP file of any form Qt's BMP reader takes (1 to 32 bits, colour tables,
// bit-field masks, RLE, either row order) into an RGB32 picture, channels of fewer than 8 bits
// widened by repeating their high bits. Refused from the header, before any pixel is decoded: more
// than kBackgroundMaxPixels, fewer pixel bytes in the file than the header needs, colour masks
// wider than 8 bits or broken up. A failure names `file` and why it is not a readable picture;
// `out` is then left as it was.
IoResult DecodeBackgroundPicture(std::span<const std::uint8_t> bytes, const std::filesystem::path& file, QImage& out);

// ReadBackgroundFile, then DecodeBackgroundPicture.
IoResult ReadBackgroundPicture(const std::filesystem::path& file, QImage& out);

} // namespace kx4
