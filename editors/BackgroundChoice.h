#pragma once
// The background dialog's rules: the standard colour swatches and which BMP paths a screen's
// background can hold.
#include <cstdint>
#include <optional>
#include <string>

namespace kx4 {

constexpr int kStdColorCount = 35; // swatches lblStdCol 0-34: 5 rows of 7

// The platform colour value (red in the low byte) of swatch `index` (0-34): row index / 7 from the
// brightest, and within a row grey, red, green, blue, yellow, magenta, cyan.
std::uint32_t StdColor(int index);

// The column on screen (0 = left) of swatch `index`: grey, red, yellow, green, cyan, blue, magenta.
int StdColorColumn(int index);

// Why the BMP file at `path` (UTF-8) cannot be stored as a screen's background, as a message that
// names it: characters Windows-1252 lacks, or more characters than a screen file holds. None when
// it can.
std::optional<std::string> BackgroundPathRefusal(const std::string& path);

} // namespace kx4
