#include "data/Ansi.h"

#include <array>

namespace kx4 {
namespace {

// Code points of bytes 0x80-0x9F; the unassigned ones stand for themselves.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

} // namespace

std::uint8_t AnsiCode(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<std::uint8_t>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp)
            return static_cast<std::uint8_t>(0x80 + i);
    return '?';
}

char32_t AnsiChar(std::uint8_t code)
{
    return (code >= 0x80 && code < 0xA0) ? kHigh[code - 0x80] : char32_t{code};
}

void AppendAnsiChar(std::string& utf8, std::uint8_t code)
{
    AppendUtf8(utf8, AnsiChar(code));
}

std::string Utf8ToAnsi(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        int extra = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            cp = b & 0x07;
        } else {
            out.push_back('?');
            ++i;
            continue;
        }
        bool ok = true;
        for (int k = 1; ok && k <= extra; ++k) {
            if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        }
        if (!ok) {
            out.push_back('?');
            ++i;
            continue;
        }
        out.push_back(static_cast<char>(AnsiCode(cp)));
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string AnsiToUtf8(std::string_view ansi)
{
    std::string out;
    out.reserve(ansi.size());
    for (const char c : ansi)
        AppendAnsiChar(out, static_cast<std::uint8_t>(c));
    return out;
}

bool PutCountedString(std::vector<std::uint8_t>& out, std::string_view utf8)
{
    const std::string ansi = Utf8ToAnsi(utf8);
    if (ansi.size() > 0xFFFF)
        return false;
    out.push_back(static_cast<std::uint8_t>(ansi.size() & 0xFF));
    out.push_back(static_cast<std::uint8_t>(ansi.size() >> 8));
    out.insert(out.end(), ansi.begin(), ansi.end());
    return true;
}

bool GetCountedString(std::span<const std::uint8_t> bytes, std::size_t& at, std::string& utf8)
{
    if (at > bytes.size() || bytes.size() - at < 2)
        return false;
    const std::size_t n = bytes[at] | static_cast<std::size_t>(bytes[at + 1]) << 8;
    if (n > bytes.size() - at - 2)
        return false;
    utf8 = AnsiToUtf8({reinterpret_cast<const char*>(bytes.data() + at + 2), n});
    at += 2 + n;
    return true;
}

bool AnsiHolds(std::string_view utf8)
{
    return AnsiToUtf8(Utf8ToAnsi(utf8)) == utf8;
}

} // namespace kx4
