#pragma once
// Sizes of the built-in pictures, panel pixels; known without drawing a picture.
#include "data/PanelSizes.h"

#include <array>
#include <optional>

namespace kx4 {

constexpr int kButtonFaceCount = 8;  // imgButton, index = ButtonDsn.Image - 1
constexpr int kPilotIconCount = 3;   // imgSIOn / imgSIOff, index = PilotRec.Icon
constexpr int kSliderPicCount = 10;  // imgSlider / imgSliderRender, index = SliderRec.Image - 1
constexpr int kClockPicCount = 24;   // picClkCal
constexpr int kTextBoxCount = 4;     // picTextBox, index = TextDsn.FontSize

constexpr std::array<PicSize, kButtonFaceCount> kButtonFaceSizes = {{
    {64, 24}, {64, 24}, {96, 32}, {96, 32}, {160, 48}, {160, 48}, {224, 64}, {224, 64},
}};
constexpr std::array<PicSize, kPilotIconCount> kPilotIconSizes = {{{34, 16}, {67, 32}, {101, 48}}};
constexpr std::array<PicSize, kSliderPicCount> kSliderPicSizes = {{
    {34, 221}, {34, 221}, {34, 221}, {34, 221}, {34, 221},
    {42, 421}, {42, 421}, {42, 421}, {42, 421}, {42, 421},
}};
// By clock type (0 12-hour, 1 24-hour, 2 date) and font size; both colours share a size.
constexpr std::array<std::array<PicSize, 4>, 3> kClockPicSizes = {{
    {{{72, 11}, {88, 16}, {112, 23}, {144, 28}}},
    {{{48, 11}, {56, 16}, {72, 23}, {88, 28}}},
    {{{72, 11}, {90, 16}, {116, 23}, {148, 28}}},
}};
constexpr std::array<PicSize, kTextBoxCount> kTextBoxSizes = {{{32, 18}, {48, 22}, {64, 28}, {86, 38}}};
constexpr PicSize kBarSmallSize{16, 221}; // picBGSml, text types 4-6
constexpr PicSize kBarLargeSize{20, 421}; // picBGLrg, text types 7-9
constexpr PicSize kWindowIconSize{32, 32};

// The slider picture of SliderRec.Image `image` (1-10); none for any other value.
constexpr std::optional<PicSize> SliderPicSize(int image)
{
    if (image < 1 || image > kSliderPicCount)
        return std::nullopt;
    return kSliderPicSizes[static_cast<std::size_t>(image - 1)];
}

// The button face of ButtonDsn.Image `image` (1-8); none for 0 (no face) or any other value.
constexpr std::optional<PicSize> ButtonFaceSize(int image)
{
    if (image < 1 || image > kButtonFaceCount)
        return std::nullopt;
    return kButtonFaceSizes[static_cast<std::size_t>(image - 1)];
}

} // namespace kx4
