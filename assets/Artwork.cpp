// Temporary stand-in: plain pictures of the right sizes until the drawn artwork arrives.
#include "assets/Artwork.h"

#include "assets/ArtworkSizes.h"

#include <QPainter>
#include <vector>

namespace kx4 {
namespace {

QImage Plain(PicSize size, QRgb fill, QRgb frame)
{
    QImage img(size.width, size.height, QImage::Format_RGB32);
    img.fill(fill);
    QPainter p(&img);
    p.setPen(QColor::fromRgb(frame));
    p.drawRect(0, 0, size.width - 1, size.height - 1);
    return img;
}

const QImage* Pick(const std::vector<QImage>& table, int index)
{
    if (index < 0 || index >= static_cast<int>(table.size()))
        return nullptr;
    return &table[static_cast<std::size_t>(index)];
}

const std::vector<QImage>& Faces()
{
    static const std::vector<QImage> t = [] {
        std::vector<QImage> v;
        for (int i = 0; i < kButtonFaceCount; ++i)
            v.push_back(Plain(kButtonFaceSizes[i], i % 2 ? qRgb(24, 57, 90) : qRgb(206, 211, 214), qRgb(239, 239, 239)));
        return v;
    }();
    return t;
}

const std::vector<QImage>& Pilots(bool on)
{
    static const std::vector<QImage> tOn = [] {
        std::vector<QImage> v;
        for (const PicSize s : kPilotIconSizes)
            v.push_back(Plain(s, qRgb(24, 57, 90), qRgb(255, 255, 255)));
        return v;
    }();
    static const std::vector<QImage> tOff = [] {
        std::vector<QImage> v;
        for (const PicSize s : kPilotIconSizes)
            v.push_back(Plain(s, qRgb(206, 211, 214), qRgb(132, 132, 132)));
        return v;
    }();
    return on ? tOn : tOff;
}

const std::vector<QImage>& Sliders()
{
    static const std::vector<QImage> t = [] {
        constexpr QRgb kTrack[] = {qRgb(24, 41, 74), qRgb(247, 0, 0), qRgb(66, 255, 0), qRgb(0, 0, 255), qRgb(239, 140, 82)};
        std::vector<QImage> v;
        for (int i = 0; i < kSliderPicCount; ++i)
            v.push_back(Plain(kSliderPicSizes[i], kTrack[i % 5], qRgb(239, 239, 239)));
        return v;
    }();
    return t;
}

const std::vector<QImage>& Clocks()
{
    static const std::vector<QImage> t = [] {
        std::vector<QImage> v;
        for (int type = 0; type < 3; ++type)
            for (int size = 0; size < 4; ++size)
                for (int color = 0; color < 2; ++color)
                    v.push_back(Plain(kClockPicSizes[type][size], color ? qRgb(0, 0, 0) : qRgb(255, 255, 255),
                                      color ? qRgb(255, 255, 255) : qRgb(0, 0, 0)));
        return v;
    }();
    return t;
}

const std::vector<QImage>& TextBoxes()
{
    static const std::vector<QImage> t = [] {
        std::vector<QImage> v;
        for (const PicSize s : kTextBoxSizes)
            v.push_back(Plain(s, qRgb(255, 255, 255), qRgb(128, 128, 128)));
        return v;
    }();
    return t;
}

QImage Bar(PicSize size)
{
    QImage img = Plain(size, qRgb(0, 255, 0), qRgb(0, 0, 0));
    QPainter p(&img);
    p.fillRect(1, 1, size.width - 2, size.height / 2 - 1, QColor(0, 32, 0));
    p.setPen(Qt::white);
    p.drawLine(1, size.height / 2, size.width - 2, size.height / 2);
    return img;
}

const std::vector<QImage>& Bars()
{
    static const std::vector<QImage> t = {Bar(kBarSmallSize), Bar(kBarLargeSize)};
    return t;
}

} // namespace

const QImage* ButtonFace(int image) { return Pick(Faces(), image - 1); }
const QImage* PilotIconOn(int icon) { return Pick(Pilots(true), icon); }
const QImage* PilotIconOff(int icon) { return Pick(Pilots(false), icon); }
const QImage* SliderPicture(int image) { return Pick(Sliders(), image - 1); }
const QImage* SliderRenderPicture(int image) { return Pick(Sliders(), image - 1); }

const QImage* ClockPicture(int textType, int fontSize, int color)
{
    if (textType < 10 || textType > 12 || fontSize < 0 || fontSize > 3)
        return nullptr;
    return Pick(Clocks(), (textType - 10) * 8 + fontSize * 2 + (color != 0 ? 1 : 0));
}

const QImage* TextBoxPicture(int fontSize) { return Pick(TextBoxes(), fontSize); }

const QImage* BarPicture(int textType)
{
    if (textType < 4 || textType > 9)
        return nullptr;
    return Pick(Bars(), textType <= 6 ? 0 : 1);
}

} // namespace kx4
