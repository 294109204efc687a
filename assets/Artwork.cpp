// Stand-in pictures: plain rectangles of the right sizes until the drawn artwork arrives.
#include "assets/Artwork.h"
#include "assets/ArtworkSizes.h"

#include <QImage>

#include <array>
#include <cstddef>

namespace kx4 {
namespace {

QImage Plain(PicSize size, QRgb color)
{
    QImage img(size.width, size.height, QImage::Format_RGB32);
    img.fill(color);
    return img;
}

template <std::size_t N>
const QImage* Pick(const std::array<QImage, N>& set, int index)
{
    if (index < 0 || index >= static_cast<int>(N))
        return nullptr;
    return &set[static_cast<std::size_t>(index)];
}

} // namespace

const QImage* ButtonFace(int image)
{
    static const auto set = [] {
        std::array<QImage, kButtonFaceCount> s;
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = Plain(kButtonFaceSizes[i], i % 2 ? qRgb(24, 56, 88) : qRgb(200, 208, 208));
        return s;
    }();
    return Pick(set, image - 1);
}

const QImage* PilotIconOn(int icon)
{
    static const auto set = [] {
        std::array<QImage, kPilotIconCount> s;
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = Plain(kPilotIconSizes[i], qRgb(24, 56, 88));
        return s;
    }();
    return Pick(set, icon);
}

const QImage* PilotIconOff(int icon)
{
    static const auto set = [] {
        std::array<QImage, kPilotIconCount> s;
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = Plain(kPilotIconSizes[i], qRgb(200, 208, 208));
        return s;
    }();
    return Pick(set, icon);
}

const QImage* SliderPicture(int image)
{
    static const auto set = [] {
        std::array<QImage, kSliderPicCount> s;
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = Plain(kSliderPicSizes[i], qRgb(24, 41, 74));
        return s;
    }();
    return Pick(set, image - 1);
}

const QImage* SliderRenderPicture(int image)
{
    static const auto set = [] {
        std::array<QImage, kSliderPicCount> s;
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = Plain(kSliderPicSizes[i], qRgb(48, 82, 148));
        return s;
    }();
    return Pick(set, image - 1);
}

const QImage* ClockPicture(int textType, int fontSize, int color)
{
    static const auto set = [] {
        std::array<QImage, kClockPicCount> s;
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = Plain(kClockPicSizes[i / 8][(i % 8) / 2], i % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        return s;
    }();
    if (textType < 10 || textType > 12 || fontSize < 0 || fontSize > 3)
        return nullptr;
    return Pick(set, (textType - 10) * 8 + fontSize * 2 + (color != 0 ? 1 : 0));
}

const QImage* TextBoxPicture(int fontSize)
{
    static const auto set = [] {
        std::array<QImage, kTextBoxCount> s;
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = Plain(kTextBoxSizes[i], qRgb(255, 255, 255));
        return s;
    }();
    return Pick(set, fontSize);
}

const QImage* BarPicture(int textType)
{
    static const QImage small = Plain(kBarSmallSize, qRgb(0, 255, 0));
    static const QImage large = Plain(kBarLargeSize, qRgb(0, 255, 0));
    if (textType >= 4 && textType <= 6)
        return &small;
    if (textType >= 7 && textType <= 9)
        return &large;
    return nullptr;
}

const QImage* WindowIcon()
{
    static const QImage icon = Plain(kWindowIconSize, qRgb(24, 56, 88));
    return &icon;
}

} // namespace kx4
