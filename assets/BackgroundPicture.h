#pragma once
// Screen backgrounds chosen by the user: any BMP file Qt's reader takes, under a size limit.
#include "data/FileIO.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

class QImage;

namespace kx4 {

// Largest width and height of a background picture, pixels.
constexpr int kBackgroundMaxSide = 4096;

// Largest background file read, bytes: the largest picture at 32 bits a pixel, with room for its
// headers and colour table.
constexpr std::uintmax_t kBackgroundMaxFileBytes =
    std::uintmax_t{kBackgroundMaxSide} * kBackgroundMaxSide * 4 + 64 * 1024;

// Reads the regular file `file` whole, refusing one larger than kBackgroundMaxFileBytes.
IoResult ReadBackgroundFile(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes);

// Decodes the bytes of a BMP file of any form Qt's BMP reader takes (1 to 32 bits, colour tables,
// bit-field masks, RLE, either row order) into an RGB32 picture; a header claiming more than
// kBackgroundMaxSide pixels a side is refused before any pixel is decoded. A failure names `file`
// and why it is not a readable picture; `out` is then left as it was.
IoResult DecodeBackgroundPicture(std::span<const std::uint8_t> bytes, const std::filesystem::path& file, QImage& out);

// ReadBackgroundFile, then DecodeBackgroundPicture.
IoResult ReadBackgroundPicture(const std::filesystem::path& file, QImage& out);

} // namespace kx4
