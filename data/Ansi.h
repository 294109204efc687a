#pragma once
// Windows-1252, the code page of every string the panel files hold. Text in the program is UTF-8.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kx4 {

// The Windows-1252 byte for a Unicode code point, or '?' when the code page cannot hold it.
std::uint8_t AnsiCode(char32_t codePoint);

// The Unicode code point of a Windows-1252 byte; the five unassigned bytes map to the C1 controls,
// so every byte 1-255 round-trips.
char32_t AnsiChar(std::uint8_t code);

// UTF-8 text to Windows-1252 bytes, one per character; malformed UTF-8 bytes become '?'.
std::string Utf8ToAnsi(std::string_view utf8);

// True when Windows-1252 holds every character of the UTF-8 text, so that it is stored as it is.
bool AnsiHolds(std::string_view utf8);

// Windows-1252 bytes to UTF-8 text.
std::string AnsiToUtf8(std::string_view ansi);

// Appends the UTF-8 form of one Windows-1252 byte.
void AppendAnsiChar(std::string& utf8, std::uint8_t code);

// Appends a string as the panel files hold each element of a string array: its byte count as a
// 16-bit little-endian word, then its Windows-1252 bytes; false, appending nothing, when it has more
// than 65,535 of them.
bool PutCountedString(std::vector<std::uint8_t>& out, std::string_view utf8);

// Reads the counted string at byte `at` and moves `at` behind it; false, changing neither `at` nor
// `utf8`, when the string runs past the end of `bytes`.
bool GetCountedString(std::span<const std::uint8_t> bytes, std::size_t& at, std::string& utf8);

} // namespace kx4
