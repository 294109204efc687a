#include "editors/BackgroundChoice.h"

#include "data/Ansi.h"
#include "data/FileIO.h"
#include "data/ProjectFiles.h"

#include <array>

namespace kx4 {
namespace {

// Per row: the level of the colour swatches and of the grey one.
constexpr std::array<std::uint32_t, 5> kLevel = {255, 224, 192, 128, 64};
constexpr std::array<std::uint32_t, 5> kGrey = {255, 192, 128, 64, 0};

// Red, green, blue present per position in a row: grey, red, green, blue, yellow, magenta, cyan.
struct Mix {
    bool r, g, b;
};
constexpr std::array<Mix, 7> kMix = {{
    {true, true, true}, {true, false, false}, {false, true, false}, {false, false, true},
    {true, true, false}, {true, false, true}, {false, true, true},
}};
constexpr std::array<int, 7> kColumn = {0, 1, 3, 5, 2, 6, 4};

} // namespace

std::uint32_t StdColor(int index)
{
    if (index < 0 || index >= kStdColorCount)
        return 0;
    const auto row = static_cast<std::size_t>(index / 7);
    const auto position = static_cast<std::size_t>(index % 7);
    const std::uint32_t level = position == 0 ? kGrey[row] : kLevel[row];
    const Mix mix = kMix[position];
    return (mix.r ? level : 0) | (mix.g ? level << 8 : 0) | (mix.b ? level << 16 : 0);
}

int StdColorColumn(int index) { return index < 0 ? 0 : kColumn[static_cast<std::size_t>(index % 7)]; }

std::optional<std::string> BackgroundPathRefusal(const std::string& path)
{
    const std::string start = Quoted(path) + " cannot be stored as a background: ";
    // It would be stored with '?' in place of those characters and name another file.
    if (!AnsiHolds(path))
        return start + "its path has characters that a panel data file cannot hold.";
    const std::size_t length = Utf8ToAnsi(path).size();
    if (length > kScreenBackgroundCodes)
        return start + "its path has " + std::to_string(length) + " characters, more than the "
               + std::to_string(kScreenBackgroundCodes) + " that a screen file holds.";
    return std::nullopt;
}

} // namespace kx4
