#pragma once
// Screen backgrounds chosen by the user: any BMP file Qt's reader takes, under a size limit.
#include "data/FileIO.h"

#include <filesystem>

class QImage;

namespace kx4 {

// Largest width and height of a background picture, pixels.
constexpr int kBackgroundMaxSide = 4096;

// Reads a BMP file of any form Qt's BMP reader takes (1 to 32 bits, colour tables, bit-field
// masks, RLE, either row order) into an RGB32 picture; a header claiming more than
// kBackgroundMaxSide pixels a side is refused before any pixel is decoded. A failure names the file
// and why it is not a readable picture.
IoResult ReadBackgroundPicture(const std::filesystem::path& file, QImage& out);

} // namespace kx4
