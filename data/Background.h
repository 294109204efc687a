#pragma once
// The background text of a screen: a solid colour "[&H…&", the logo "[*L]", or a BMP file path.
#include <cstdint>
#include <string>
#include <string_view>

namespace kx4 {

enum class BackgroundKind { Color, Logo, File };

// Which of the three forms a background text has ("[&H" first, then "[*L]", else a path).
BackgroundKind ClassifyBackground(std::string_view text);

// The colour of a "[&H" text as the platform's colour value (red in the low byte): up to seven
// hexadecimal digits after "[&H", ending at the first other character, taken modulo 2^24.
std::uint32_t ParseBackgroundColor(std::string_view text);

// The text the background dialog stores for a solid colour: "[&H", six upper-case hexadecimal
// digits of the platform colour value (blue first) and "&".
std::string ColorBackgroundText(std::uint32_t value);

// A platform colour value (0x00BBGGRR) as 0x00RRGGBB.
constexpr std::uint32_t ColorValueToRgb(std::uint32_t value)
{
    return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

// 0x00RRGGBB as a platform colour value (0x00BBGGRR).
constexpr std::uint32_t RgbToColorValue(std::uint32_t rgb) { return ColorValueToRgb(rgb); }

} // namespace kx4
