#include "assets/Artwork.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>

namespace kx4 {

namespace {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

// Five-bit colours of the 16-bit pictures.
constexpr Rgb kFaceLight{25, 26, 26};
constexpr Rgb kFaceDark{3, 7, 11};
constexpr Rgb kCornerGrey{29, 29, 29};
constexpr Rgb kKnobOffGrey{16, 16, 16};
constexpr Rgb kWhite5{31, 31, 31};

// Eight-bit colours of the 24-bit pictures.
constexpr Rgb kScreenGrey{239, 239, 239}; // the default screen background
constexpr Rgb kTrackEdge{128, 128, 128};
constexpr Rgb kTrackEmpty{208, 208, 208};
constexpr Rgb kKnobEdge{96, 96, 96};
constexpr Rgb kKnobTop{255, 255, 255};
constexpr Rgb kKnobBottom{216, 216, 216};
constexpr Rgb kAmber{239, 140, 82};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBarDark{0, 32, 0};    // the renderer recolours exactly these two greens
constexpr Rgb kBarBright{0, 255, 0};
constexpr Rgb kBoxShadow{128, 128, 128};
constexpr Rgb kBoxDeepShadow{64, 64, 64};
constexpr Rgb kBoxLight{192, 192, 192};
constexpr Rgb kBoxHighlight{224, 224, 224};

constexpr std::array<Rgb, 5> kSliderColours = {{
    {24, 41, 74}, // navy
    {247, 0, 0},  // red
    {66, 255, 0}, // green
    {0, 0, 255},  // blue
    kAmber,       // amber at the bottom, fading to white at the top
}};
constexpr int kGradientSlider = 4;

// Shapes are placed in eighths of a pixel; each pixel is sampled on a 4 x 4 grid, so edges are
// smoothed by integer arithmetic alone and every pixel comes out the same on every machine.
constexpr int kSub = 8;
constexpr int kSamples = 16;
constexpr int Px(int pixels) { return pixels * kSub; }

// A picture under construction, in five-bit levels (16-bit pictures) or eight-bit levels.
class Canvas {
public:
    Canvas(int width, int height, int maxLevel, Rgb ground)
        : width_(width), height_(height), maxLevel_(maxLevel),
          pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), ground)
    {
    }

    int Width() const { return width_; }
    int Height() const { return height_; }

    void Set(int x, int y, Rgb c)
    {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            At(x, y) = c;
    }

    // Mixes `c` over the pixel by `coverage` samples of kSamples.
    void Blend(int x, int y, Rgb c, int coverage)
    {
        Rgb& p = At(x, y);
        auto mix = [coverage](int old, int add) { return (old * (kSamples - coverage) + add * coverage + kSamples / 2) / kSamples; };
        p = {mix(p.r, c.r), mix(p.g, c.g), mix(p.b, c.b)};
    }

    QImage ToImage() const
    {
        QImage img(width_, height_, QImage::Format_RGB32);
        for (int y = 0; y < height_; ++y) {
            auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < width_; ++x) {
                const Rgb& p = pixels_[Index(x, y)];
                row[x] = maxLevel_ == 31 ? qRgb(Widen5(p.r), Widen5(p.g), Widen5(p.b)) : qRgb(p.r, p.g, p.b);
            }
        }
        return img;
    }

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x); }
    Rgb& At(int x, int y) { return pixels_[Index(x, y)]; }

    int width_;
    int height_;
    int maxLevel_;
    std::vector<Rgb> pixels_;
};

// A rectangle with rounded corners, in eighths of a pixel; right and bottom are exclusive.
struct RoundRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int radius = 0;

    RoundRect Inset(int by) const { return {left + by, top + by, right - by, bottom - by, std::max(0, radius - by)}; }

    bool Contains(int x, int y) const
    {
        if (x < left || x >= right || y < top || y >= bottom)
            return false;
        const int r = std::min({radius, (right - left) / 2, (bottom - top) / 2});
        const int dx = x - std::clamp(x, left + r, right - r);
        const int dy = y - std::clamp(y, top + r, bottom - r);
        return dx * dx + dy * dy <= r * r;
    }
};

// Paints the shape with the colour `colourAt(x, y)` gives for each pixel it touches.
template <class ColourAt>
void Fill(Canvas& c, const RoundRect& s, ColourAt colourAt)
{
    const int x0 = std::max(0, s.left / kSub);
    const int y0 = std::max(0, s.top / kSub);
    const int x1 = std::min(c.Width(), (s.right + kSub - 1) / kSub);
    const int y1 = std::min(c.Height(), (s.bottom + kSub - 1) / kSub);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            int covered = 0;
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i)
                    covered += s.Contains(x * kSub + 2 * i + 1, y * kSub + 2 * j + 1) ? 1 : 0;
            if (covered > 0)
                c.Blend(x, y, colourAt(x, y), covered);
        }
    }
}

auto Flat(Rgb c)
{
    return [c](int, int) { return c; };
}

// `from` at num = 0 to `to` at num = den.
Rgb Lerp(Rgb from, Rgb to, int num, int den)
{
    auto mix = [num, den](int a, int b) { return (a * (den - num) + b * num + den / 2) / den; };
    return {mix(from.r, to.r), mix(from.g, to.g), mix(from.b, to.b)};
}

QImage DrawButtonFace(int index)
{
    const PicSize size = kButtonFaceSizes[static_cast<std::size_t>(index)];
    Canvas c(size.width, size.height, 31, kCornerGrey);
    // Small enough that the caption inset (5 to 14 pixels) always lands on the flat face.
    const int radius = 2 + size.height / 16;
    Fill(c, {0, 0, Px(size.width), Px(size.height), Px(radius)}, Flat(index % 2 != 0 ? kFaceDark : kFaceLight));
    return c.ToImage();
}

QImage DrawPilotIcon(int index, bool on)
{
    const PicSize size = kPilotIconSizes[static_cast<std::size_t>(index)];
    Canvas c(size.width, size.height, 31, kCornerGrey);
    Fill(c, {0, 0, Px(size.width), Px(size.height), Px(size.height) / 2}, Flat(on ? kFaceDark : kFaceLight));
    const int margin = Px(std::max(2, size.height / 8));
    const int knob = Px(size.height) - 2 * margin;
    const int left = on ? Px(size.width) - margin - knob : margin;
    Fill(c, {left, margin, left + knob, margin + knob, knob / 2}, Flat(on ? kWhite5 : kKnobOffGrey));
    return c.ToImage();
}

QImage DrawSlider(int index, bool render)
{
    const PicSize size = kSliderPicSizes[static_cast<std::size_t>(index)];
    const bool large = index >= kSliderPicCount / 2;
    const int colour = index % (kSliderPicCount / 2);
    const int w = size.width;
    const int h = size.height;
    Canvas c(w, h, 255, kScreenGrey);

    const int trackWidth = large ? 10 : 8;
    const int knobHeight = large ? 20 : 16;
    const int knobTop = render ? 1 : (h - knobHeight) / 2;
    // The track's rounded ends lie just beyond the knob's centre at either end of its travel.
    const int trackLeft = (w - trackWidth) / 2;
    const RoundRect track{Px(trackLeft), Px(1 + knobHeight / 2 - trackWidth / 2), Px(trackLeft + trackWidth),
                          Px(h - 1 - knobHeight / 2 + trackWidth / 2), Px(trackWidth) / 2};
    const RoundRect inner = track.Inset(Px(1));
    const int fillFrom = render ? 0 : knobTop + knobHeight / 2;
    const int top = inner.top / kSub;
    const int bottom = inner.bottom / kSub - 1;
    Fill(c, track, Flat(kTrackEdge));
    Fill(c, inner, [&](int, int y) {
        if (y < fillFrom)
            return kTrackEmpty;
        if (colour != kGradientSlider)
            return kSliderColours[static_cast<std::size_t>(colour)];
        return Lerp(kAmber, kWhite, std::clamp(bottom - y, 0, bottom - top), bottom - top);
    });

    const RoundRect knob{Px(2), Px(knobTop), Px(w - 2), Px(knobTop + knobHeight), Px(3)};
    Fill(c, knob, Flat(kKnobEdge));
    Fill(c, knob.Inset(Px(1)), [&](int, int y) { return Lerp(kKnobTop, kKnobBottom, y - knobTop, knobHeight - 1); });
    // A grip line across the knob's middle.
    for (int x = 6; x < w - 6; ++x)
        c.Set(x, knobTop + knobHeight / 2, kKnobEdge);
    return c.ToImage();
}

QImage DrawBar(PicSize size)
{
    Canvas c(size.width, size.height, 255, kBlack);
    const int middle = size.height / 2;
    for (int y = 1; y < size.height - 1; ++y)
        for (int x = 1; x < size.width - 1; ++x)
            c.Set(x, y, y < middle ? kBarDark : y == middle ? kWhite : kBarBright);
    return c.ToImage();
}

QImage DrawTextBox(int index)
{
    const PicSize size = kTextBoxSizes[static_cast<std::size_t>(index)];
    const int w = size.width;
    const int h = size.height;
    Canvas c(w, h, 255, kWhite);
    // Two rings; the bottom and right edges are drawn last and own the corners they share.
    auto ring = [&](int in, Rgb topLeft, Rgb bottomRight) {
        for (int x = in; x < w - in; ++x)
            c.Set(x, in, topLeft);
        for (int y = in; y < h - in; ++y)
            c.Set(in, y, topLeft);
        for (int x = in; x < w - in; ++x)
            c.Set(x, h - 1 - in, bottomRight);
        for (int y = in; y < h - in; ++y)
            c.Set(w - 1 - in, y, bottomRight);
    };
    ring(0, kBoxShadow, kBoxHighlight);
    ring(1, kBoxDeepShadow, kBoxLight);
    return c.ToImage();
}

// `text` painted black on white without anti-aliasing, cropped to its inked pixels; null when
// nothing was inked.
QImage InkOf(const QString& text, const QFont& font)
{
    const QFontMetrics fm(font);
    const int pad = fm.height();
    QImage scratch(fm.horizontalAdvance(text) + 2 * pad, 3 * pad, QImage::Format_RGB32);
    scratch.fill(Qt::white);
    {
        QPainter p(&scratch);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(pad, pad + fm.ascent(), text);
    }
    int left = scratch.width();
    int top = scratch.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x) {
            if ((row[x] & 0xFFFFFFu) != 0xFFFFFFu) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        return {};
    return scratch.copy(left, top, right - left + 1, bottom - top + 1);
}

QString ClockText(int type) { return QString::fromLatin1(kClockTexts[type]); }

bool Fits(const QSize& ink, const QSize& room) { return ink.width() <= room.width() && ink.height() <= room.height(); }

// The sample text of clock type `type` (0-2) painted at the size ClockTextPixels finds, which
// `found` gets where given (0, and a null picture, when none fits).
QImage FittedInk(int type, int fontSize, int* found = nullptr)
{
    // Painting every size from the top down, each in a font engine of its own, cost tens of
    // milliseconds at the first drawing of a run. The text's measured ink box at the largest size
    // scales to an estimate; measuring from a little above it finds the size without painting, and
    // painting confirms it, starting two sizes above in case the measure and the pixels differ.
    const int largest = 2 * kClockPicSizes[static_cast<std::size_t>(type)][static_cast<std::size_t>(fontSize)].height;
    const QSize room = ClockTextRoom(type, fontSize);
    const QString text = ClockText(type);
    auto measured = [&](int pixels) { return QFontMetrics(ClockFont(fontSize, pixels)).tightBoundingRect(text).size(); };
    const QSize atLargest = measured(largest);
    int pixels = largest;
    if (!atLargest.isEmpty())
        pixels = std::min(largest, 3 + static_cast<int>(largest * std::min(static_cast<double>(room.width()) / atLargest.width(),
                                                                           static_cast<double>(room.height()) / atLargest.height())));
    while (pixels > kSmallestClockPixels && !Fits(measured(pixels), room))
        --pixels;
    for (pixels = std::min(largest, pixels + 2); pixels >= kSmallestClockPixels; --pixels) {
        QImage ink = InkOf(text, ClockFont(fontSize, pixels));
        if (!ink.isNull() && Fits(ink.size(), room)) {
            if (found)
                *found = pixels;
            return ink;
        }
    }
    if (found)
        *found = 0;
    return {};
}

QImage DrawClock(const QImage& ink, PicSize size, bool white)
{
    const QRgb back = white ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    const QRgb fore = white ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    QImage img(size.width, size.height, QImage::Format_RGB32);
    img.fill(back);
    const int left = (size.width - ink.width()) / 2;
    const int top = (size.height - ink.height()) / 2;
    for (int y = 0; y < ink.height(); ++y)
        for (int x = 0; x < ink.width(); ++x)
            if ((ink.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu)
                img.setPixel(left + x, top + y, fore);
    return img;
}

// A touch panel with buttons, a pilot and a slider on its screen, in the standard 16 colours.
QImage DrawWindowIcon()
{
    QImage img(kWindowIconSize.width, kWindowIconSize.height, QImage::Format_RGB32);
    auto box = [&](int x0, int y0, int x1, int y1, QRgb c) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                img.setPixel(x, y, c);
    };
    const QRgb black = qRgb(0, 0, 0);
    const QRgb grey = qRgb(128, 128, 128);
    const QRgb silver = qRgb(192, 192, 192);
    const QRgb white = qRgb(255, 255, 255);
    const QRgb navy = qRgb(0, 0, 128);
    const QRgb lime = qRgb(0, 255, 0);
    const QRgb green = qRgb(0, 128, 0);
    const QRgb yellow = qRgb(255, 255, 0);
    const QRgb teal = qRgb(0, 128, 128);

    // The panel's body with a raised edge.
    box(0, 0, 31, 31, silver);
    box(0, 0, 31, 0, white);
    box(0, 0, 0, 31, white);
    box(0, 31, 31, 31, black);
    box(31, 0, 31, 31, black);
    box(1, 30, 30, 30, grey);
    box(30, 1, 30, 30, grey);
    // The screen in its bezel.
    box(3, 3, 28, 24, black);
    box(4, 4, 27, 23, navy);
    // Two buttons, a pilot and a slider on the screen.
    for (int y : {6, 14}) {
        box(6, y, 16, y + 5, silver);
        box(6, y, 16, y, white);
        box(6, y + 5, 16, y + 5, grey);
    }
    box(19, 6, 25, 9, teal);
    box(23, 7, 24, 8, white);
    box(21, 12, 23, 21, grey);
    box(22, 16, 22, 21, yellow);
    box(19, 15, 25, 16, white);
    // A status light and a speaker grille under the screen.
    box(5, 27, 7, 28, lime);
    box(5, 28, 7, 28, green);
    for (int x = 20; x <= 27; x += 2)
        box(x, 27, x, 28, grey);
    return img;
}

const QImage& NoPicture()
{
    static const QImage none;
    return none;
}

template <std::size_t N>
const QImage& Entry(const std::array<QImage, N>& table, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= N)
        return NoPicture();
    return table[static_cast<std::size_t>(index)];
}

template <std::size_t N, class Draw>
std::array<QImage, N> DrawEach(Draw draw)
{
    std::array<QImage, N> table;
    for (std::size_t i = 0; i < N; ++i)
        table[i] = draw(static_cast<int>(i));
    return table;
}

const QImage* Found(const QImage& picture) { return picture.isNull() ? nullptr : &picture; }

} // namespace

QFont ClockFont(int fontSize, int pixels)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setBold(fontSize <= 1); // as the designer's labels are
    font.setStyleStrategy(QFont::NoAntialias);
    font.setPixelSize(pixels);
    return font;
}

QSize ClockTextRoom(int type, int fontSize)
{
    const PicSize size = kClockPicSizes[static_cast<std::size_t>(type)][static_cast<std::size_t>(fontSize)];
    const int marginX = 2;
    const int marginY = std::max(1, size.height / 10);
    return {size.width - 2 * marginX, size.height - 2 * marginY};
}

int ClockTextPixels(int type, int fontSize)
{
    int pixels = 0;
    FittedInk(type, fontSize, &pixels);
    return pixels;
}

const QImage& imgButton(int index)
{
    static const auto table = DrawEach<kButtonFaceCount>(DrawButtonFace);
    return Entry(table, index);
}

const QImage& imgSIOn(int index)
{
    static const auto table = DrawEach<kPilotIconCount>([](int i) { return DrawPilotIcon(i, true); });
    return Entry(table, index);
}

const QImage& imgSIOff(int index)
{
    static const auto table = DrawEach<kPilotIconCount>([](int i) { return DrawPilotIcon(i, false); });
    return Entry(table, index);
}

const QImage& imgSlider(int index)
{
    static const auto table = DrawEach<kSliderPicCount>([](int i) { return DrawSlider(i, false); });
    return Entry(table, index);
}

const QImage& imgSliderRender(int index)
{
    static const auto table = DrawEach<kSliderPicCount>([](int i) { return DrawSlider(i, true); });
    return Entry(table, index);
}

const QImage& picClkCal(int index)
{
    static const auto table = [] {
        std::array<QImage, kClockPicCount> t;
        for (int type = 0; type < 3; ++type) {
            for (int fontSize = 0; fontSize < 4; ++fontSize) {
                const PicSize size = kClockPicSizes[static_cast<std::size_t>(type)][static_cast<std::size_t>(fontSize)];
                const QImage ink = FittedInk(type, fontSize);
                const auto at = static_cast<std::size_t>(type * 8 + fontSize * 2);
                t[at] = DrawClock(ink, size, false);
                t[at + 1] = DrawClock(ink, size, true);
            }
        }
        return t;
    }();
    return Entry(table, index);
}

const QImage& picBGSml()
{
    static const QImage picture = DrawBar(kBarSmallSize);
    return picture;
}

const QImage& picBGLrg()
{
    static const QImage picture = DrawBar(kBarLargeSize);
    return picture;
}

const QImage& picTextBox(int index)
{
    static const auto table = DrawEach<kTextBoxCount>(DrawTextBox);
    return Entry(table, index);
}

const QImage& WindowIcon()
{
    static const QImage picture = DrawWindowIcon();
    return picture;
}

const QImage* ButtonFace(int image) { return image < 1 ? nullptr : Found(imgButton(image - 1)); }
const QImage* PilotIconOn(int icon) { return Found(imgSIOn(icon)); }
const QImage* PilotIconOff(int icon) { return Found(imgSIOff(icon)); }
const QImage* SliderPicture(int image) { return image < 1 ? nullptr : Found(imgSlider(image - 1)); }
const QImage* SliderRenderPicture(int image) { return image < 1 ? nullptr : Found(imgSliderRender(image - 1)); }
const QImage* TextBoxPicture(int fontSize) { return Found(picTextBox(fontSize)); }

std::optional<int> ClockPicIndex(int type, int fontSize, int color)
{
    if (type < 10 || type > 12 || fontSize < 0 || fontSize > 3)
        return std::nullopt;
    return (type - 10) * 8 + fontSize * 2 + (color != 0 ? 1 : 0);
}

const QImage* ClockPicture(int type, int fontSize, int color)
{
    const std::optional<int> index = ClockPicIndex(type, fontSize, color);
    return index ? Found(picClkCal(*index)) : nullptr;
}

const QImage* BarPicture(int type)
{
    if (type >= 4 && type <= 6)
        return &picBGSml();
    if (type >= 7 && type <= 9)
        return &picBGLrg();
    return nullptr;
}

std::vector<ArtworkPicture> AllArtwork()
{
    std::vector<ArtworkPicture> all;
    auto add = [&all](const std::string& name, int count, const QImage& (*table)(int), int bits) {
        for (int i = 0; i < count; ++i)
            all.push_back({name + "_" + std::to_string(i), &table(i), bits});
    };
    add("imgButton", kButtonFaceCount, imgButton, 16);
    add("imgSIOn", kPilotIconCount, imgSIOn, 16);
    add("imgSIOff", kPilotIconCount, imgSIOff, 16);
    add("imgSlider", kSliderPicCount, imgSlider, 24);
    add("imgSliderRender", kSliderPicCount, imgSliderRender, 24);
    add("picClkCal", kClockPicCount, picClkCal, 24);
    all.push_back({"picBGSml", &picBGSml(), 24});
    all.push_back({"picBGLrg", &picBGLrg(), 24});
    add("picTextBox", kTextBoxCount, picTextBox, 24);
    all.push_back({"WindowIcon", &WindowIcon(), 4});
    return all;
}

} // namespace kx4
