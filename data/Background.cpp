#include "data/Background.h"

#include <cstdio>

namespace kx4 {

BackgroundKind ClassifyBackground(std::string_view text)
{
    if (text.starts_with("[&H"))
        return BackgroundKind::Color;
    if (text.starts_with("[*L]"))
        return BackgroundKind::Logo;
    return BackgroundKind::File;
}

std::uint32_t ParseBackgroundColor(std::string_view text)
{
    std::uint32_t value = 0;
    for (std::size_t i = 3; i < text.size() && i < 10; ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            break;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return value & 0xFFFFFF;
}

std::string ColorBackgroundText(std::uint32_t value)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%06X", value & 0xFFFFFFu);
    return std::string("[&H") + digits + "&";
}

} // namespace kx4
