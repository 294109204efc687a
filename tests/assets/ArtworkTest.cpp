#include "assets/Artwork.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>

using namespace kx4;

namespace {

QRgb Five(int r, int g, int b) { return qRgb(Widen5(r), Widen5(g), Widen5(b)); }

const QRgb kLightFace = Five(25, 26, 26);
const QRgb kDarkFace = Five(3, 7, 11);
const QRgb kCorner = Five(29, 29, 29);
const QRgb kMagenta = qRgb(255, 0, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kScreenGrey = qRgb(239, 239, 239);

QRgb At(const QImage& img, int x, int y) { return img.pixel(x, y) | 0xFF000000u; }

std::map<QRgb, int> Histogram(const QImage& img)
{
    std::map<QRgb, int> h;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ++h[At(img, x, y)];
    return h;
}

std::set<QRgb> Colours(const QImage& img)
{
    std::set<QRgb> s;
    for (const auto& [c, n] : Histogram(img))
        s.insert(c);
    return s;
}

int Brightness(QRgb c) { return qRed(c) + qGreen(c) + qBlue(c); }

void ExpectSize(const QImage& img, PicSize size, const std::string& what)
{
    EXPECT_EQ(img.width(), size.width) << what;
    EXPECT_EQ(img.height(), size.height) << what;
    EXPECT_EQ(img.format(), QImage::Format_RGB32) << what;
}

} // namespace

TEST(Artwork, EveryPictureHasItsTablesSize)
{
    for (int i = 0; i < kButtonFaceCount; ++i)
        ExpectSize(imgButton(i), kButtonFaceSizes[i], "imgButton " + std::to_string(i));
    for (int i = 0; i < kPilotIconCount; ++i) {
        ExpectSize(imgSIOn(i), kPilotIconSizes[i], "imgSIOn " + std::to_string(i));
        ExpectSize(imgSIOff(i), kPilotIconSizes[i], "imgSIOff " + std::to_string(i));
    }
    for (int i = 0; i < kSliderPicCount; ++i) {
        ExpectSize(imgSlider(i), kSliderPicSizes[i], "imgSlider " + std::to_string(i));
        ExpectSize(imgSliderRender(i), kSliderPicSizes[i], "imgSliderRender " + std::to_string(i));
    }
    for (int i = 0; i < kClockPicCount; ++i)
        ExpectSize(picClkCal(i), kClockPicSizes[i / 8][(i % 8) / 2], "picClkCal " + std::to_string(i));
    for (int i = 0; i < kTextBoxCount; ++i)
        ExpectSize(picTextBox(i), kTextBoxSizes[i], "picTextBox " + std::to_string(i));
    ExpectSize(picBGSml(), kBarSmallSize, "picBGSml");
    ExpectSize(picBGLrg(), kBarLargeSize, "picBGLrg");
    ExpectSize(WindowIcon(), kWindowIconSize, "window icon");

    // The full list names each picture once and holds them all.
    const auto all = AllArtwork();
    EXPECT_EQ(all.size(), 8u + 3 + 3 + 10 + 10 + 24 + 2 + 4 + 1);
    std::set<std::string> names;
    for (const ArtworkPicture& p : all) {
        EXPECT_TRUE(names.insert(p.name).second) << p.name;
        ASSERT_NE(p.image, nullptr) << p.name;
        EXPECT_FALSE(p.image->isNull()) << p.name;
    }
    EXPECT_TRUE(names.count("imgButton_0") && names.count("imgSliderRender_9") && names.count("picClkCal_23")
                && names.count("picBGLrg") && names.count("picTextBox_3"));
}

TEST(Artwork, NoPictureHoldsTheTransparentKey)
{
    for (const ArtworkPicture& p : AllArtwork())
        EXPECT_EQ(Histogram(*p.image).count(kMagenta), 0u) << p.name;
}

TEST(Artwork, SixteenBitPicturesUseOnlyWidenedFiveBitColours)
{
    int checked = 0;
    for (const ArtworkPicture& p : AllArtwork()) {
        if (p.bitsPerPixel != 16)
            continue;
        ++checked;
        for (const QRgb c : Colours(*p.image))
            for (const int v : {qRed(c), qGreen(c), qBlue(c)})
                ASSERT_EQ(Widen5(v >> 3), v) << p.name << " holds level " << v;
    }
    EXPECT_EQ(checked, 8 + 3 + 3);
}

TEST(Artwork, ButtonFacesAreFlatRoundedRectangles)
{
    // The caption inset of each size class, in pixels: the renderer samples the caption's
    // background there, so it must land on the flat face.
    const int inset[4] = {5, 7, 11, 14};
    for (int i = 0; i < kButtonFaceCount; ++i) {
        const QImage& f = imgButton(i);
        const QRgb face = i % 2 == 0 ? kLightFace : kDarkFace;
        const int w = f.width();
        const int h = f.height();
        EXPECT_EQ(At(f, w / 2, h / 2), face) << i;
        EXPECT_EQ(At(f, inset[i / 2], inset[i / 2]), face) << i;
        EXPECT_EQ(At(f, w / 2, 0), face) << i << ": the face reaches the edges";
        EXPECT_EQ(At(f, 0, h / 2), face) << i;
        for (const auto& [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
            EXPECT_EQ(At(f, x, y), kCorner) << i << " corner " << x << "," << y;
        // Along the top edge the corner grey blends into the face over a few pixels.
        int blended = 0;
        int firstFace = -1;
        for (int x = 0; x < w / 2 && firstFace < 0; ++x) {
            const QRgb c = At(f, x, 0);
            if (c == face)
                firstFace = x;
            else if (c != kCorner)
                ++blended;
        }
        EXPECT_GT(blended, 0) << i;
        EXPECT_GT(firstFace, 1) << i;
        EXPECT_LT(firstFace, 8) << i;
    }
}

TEST(Artwork, PilotIconsAreSwitchesWithTheirKnob)
{
    for (int i = 0; i < kPilotIconCount; ++i) {
        const QImage& on = imgSIOn(i);
        const QImage& off = imgSIOff(i);
        const int w = on.width();
        const int h = on.height();
        const int mid = h / 2;
        // On: dark blue switch, white knob at the right.
        EXPECT_EQ(At(on, w - mid, mid), Five(31, 31, 31)) << i;
        EXPECT_EQ(At(on, mid, mid), kDarkFace) << i;
        // Off: light grey switch, mid-grey knob at the left.
        EXPECT_EQ(At(off, mid, mid), Five(16, 16, 16)) << i;
        EXPECT_EQ(At(off, w - mid, mid), kLightFace) << i;
        for (const QImage* icon : {&on, &off}) {
            EXPECT_EQ(At(*icon, 0, 0), kCorner) << i;
            EXPECT_EQ(At(*icon, w - 1, h - 1), kCorner) << i;
            // The switch fills the height between its rounded ends.
            EXPECT_EQ(At(*icon, w / 2, 0), At(*icon, w / 2, 1)) << i;
            EXPECT_NE(At(*icon, w / 2, 0), kCorner) << i;
        }
    }
}

TEST(Artwork, SlidersShowTheirTrackColourBelowTheKnob)
{
    const QRgb colours[4] = {qRgb(24, 41, 74), qRgb(247, 0, 0), qRgb(66, 255, 0), qRgb(0, 0, 255)};
    for (int i = 0; i < kSliderPicCount; ++i) {
        const QImage& dialog = imgSlider(i);
        const QImage& render = imgSliderRender(i);
        const int w = dialog.width();
        const int h = dialog.height();
        const int x = w / 2;
        for (const QImage* s : {&dialog, &render}) {
            EXPECT_EQ(At(*s, 0, 0), kScreenGrey) << i;
            EXPECT_EQ(At(*s, 0, h - 1), kScreenGrey) << i;
            EXPECT_EQ(At(*s, w - 1, h / 4), kScreenGrey) << i;
            EXPECT_EQ(At(*s, 1, h / 4), kScreenGrey) << i << ": the track is narrow";
        }
        // The knob spans nearly the whole width: at mid-height in the dialog's picture, at the top
        // in the rendering's.
        EXPECT_NE(At(dialog, 3, h / 2), kScreenGrey) << i;
        EXPECT_EQ(At(dialog, 3, 12), kScreenGrey) << i;
        EXPECT_NE(At(render, 3, 8), kScreenGrey) << i;
        EXPECT_EQ(At(render, 3, h / 2), kScreenGrey) << i;

        const int colour = i % 5;
        if (colour < 4) {
            EXPECT_EQ(At(dialog, x, h * 3 / 4), colours[colour]) << i;
            EXPECT_NE(At(dialog, x, h / 4), colours[colour]) << i << ": empty above the knob";
            EXPECT_EQ(At(render, x, h / 4), colours[colour]) << i;
            EXPECT_EQ(At(render, x, h * 3 / 4), colours[colour]) << i;
        } else {
            // Amber at the bottom fading to white at the top.
            const QRgb bottom = At(render, x, h - 12);
            const QRgb middle = At(render, x, h / 2);
            const QRgb top = At(render, x, 30);
            EXPECT_NEAR(qRed(bottom), 239, 3) << i;
            EXPECT_NEAR(qGreen(bottom), 140, 8) << i;
            EXPECT_NEAR(qBlue(bottom), 82, 8) << i;
            EXPECT_LT(Brightness(bottom), Brightness(middle)) << i;
            EXPECT_LT(Brightness(middle), Brightness(top)) << i;
            EXPECT_GT(Brightness(top), 3 * 240) << i;
            EXPECT_EQ(At(dialog, x, h - 12), bottom) << i << ": the same gradient below the knob";
        }
    }
}

TEST(Artwork, BarSamplesHoldExactlyTheTwoGreensInABlackFrame)
{
    const QRgb dark = qRgb(0, 32, 0);
    const QRgb bright = qRgb(0, 255, 0);
    for (const QImage* bar : {&picBGSml(), &picBGLrg()}) {
        const int w = bar->width();
        const int h = bar->height();
        EXPECT_EQ(Colours(*bar), (std::set<QRgb>{kBlack, kWhite, dark, bright})) << w;
        for (int x = 0; x < w; ++x) {
            EXPECT_EQ(At(*bar, x, 0), kBlack);
            EXPECT_EQ(At(*bar, x, h - 1), kBlack);
        }
        for (int y = 0; y < h; ++y) {
            EXPECT_EQ(At(*bar, 0, y), kBlack);
            EXPECT_EQ(At(*bar, w - 1, y), kBlack);
        }
        // Half full: dark above, bright below, one white line between.
        EXPECT_EQ(At(*bar, w / 2, 1), dark);
        EXPECT_EQ(At(*bar, w / 2, h / 2 - 1), dark);
        EXPECT_EQ(At(*bar, w / 2, h / 2), kWhite);
        EXPECT_EQ(At(*bar, w / 2, h / 2 + 1), bright);
        EXPECT_EQ(At(*bar, w / 2, h - 2), bright);
        const auto hist = Histogram(*bar);
        EXPECT_EQ(hist.at(kWhite), w - 2);
        EXPECT_EQ(hist.at(dark), hist.at(bright));
    }
}

TEST(Artwork, ValueBoxesAreWhiteInASunkenFrame)
{
    for (int i = 0; i < kTextBoxCount; ++i) {
        const QImage& box = picTextBox(i);
        const int w = box.width();
        const int h = box.height();
        for (int y = 2; y < h - 2; ++y)
            for (int x = 2; x < w - 2; ++x)
                ASSERT_EQ(At(box, x, y), kWhite) << i << " at " << x << "," << y;
        // Sunken: top and left darker than bottom and right, on both rings of the frame.
        for (int ring = 0; ring < 2; ++ring) {
            EXPECT_LT(Brightness(At(box, w / 2, ring)), Brightness(At(box, w / 2, h - 1 - ring))) << i;
            EXPECT_LT(Brightness(At(box, ring, h / 2)), Brightness(At(box, w - 1 - ring, h / 2))) << i;
            EXPECT_NE(At(box, w - 1 - ring, h / 2), kWhite) << i << ": the frame is grey all round";
        }
        for (const QRgb c : Colours(box))
            EXPECT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c)) << i << ": grey and white only";
    }
}

TEST(Artwork, ClockSamplesAreTwoColouredTextThatFits)
{
    for (int i = 0; i < kClockPicCount; ++i) {
        const QImage& sample = picClkCal(i);
        const bool whiteText = i % 2 == 1;
        const QRgb back = whiteText ? kBlack : kWhite;
        const QRgb fore = whiteText ? kWhite : kBlack;
        const auto hist = Histogram(sample);
        ASSERT_EQ(hist.size(), 2u) << i << ": drawn without anti-aliasing";
        const int area = sample.width() * sample.height();
        EXPECT_GT(hist.at(back), area / 2) << i;
        EXPECT_GT(hist.at(fore), area / 20) << i << ": the text is legible, not a speck";
        // Nothing is cut off at the edges.
        for (int x = 0; x < sample.width(); ++x) {
            EXPECT_EQ(At(sample, x, 0), back) << i;
            EXPECT_EQ(At(sample, x, sample.height() - 1), back) << i;
        }
        for (int y = 0; y < sample.height(); ++y) {
            EXPECT_EQ(At(sample, 0, y), back) << i;
            EXPECT_EQ(At(sample, sample.width() - 1, y), back) << i;
        }
        // The white sample is the black one inverted.
        if (whiteText) {
            QImage inverted = picClkCal(i - 1).copy();
            inverted.invertPixels();
            EXPECT_EQ(sample, inverted) << i;
        }
    }
    // The three texts differ, and a larger font size shows a larger text.
    EXPECT_NE(picClkCal(0), picClkCal(16)) << "12-hour clock and date of the same size";
    EXPECT_LT(Histogram(picClkCal(8)).at(kBlack), Histogram(picClkCal(14)).at(kBlack));
}

// The size of the pixels `text` inks when painted in `font`, without anti-aliasing.
QSize PaintedInk(const QString& text, const QFont& font)
{
    const int pixels = font.pixelSize();
    QImage img(pixels * (static_cast<int>(text.size()) + 4), pixels * 4, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(pixels * 2, pixels * 2, text);
    }
    QRect ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (At(img, x, y) != kWhite)
                ink |= QRect(x, y, 1, 1);
    return ink.size();
}

TEST(Artwork, ClockTextIsTheLargestThatFitsItsPicture)
{
    for (int type = 0; type < 3; ++type)
        for (int fontSize = 0; fontSize < 4; ++fontSize) {
            const std::string what = std::to_string(type) + "/" + std::to_string(fontSize);
            const QString text = QString::fromLatin1(kClockTexts[type]);
            const int pixels = ClockTextPixels(type, fontSize);
            const QSize room = ClockTextRoom(type, fontSize);
            const QSize ink = PaintedInk(text, ClockFont(fontSize, pixels));
            EXPECT_TRUE(ink.width() <= room.width() && ink.height() <= room.height()) << what;
            const int largest = 2 * kClockPicSizes[type][fontSize].height;
            for (int larger = pixels + 1; larger <= largest; ++larger) {
                const QSize big = PaintedInk(text, ClockFont(fontSize, larger));
                EXPECT_FALSE(big.width() <= room.width() && big.height() <= room.height()) << what << " at " << larger;
            }
            // The sample shows the text at that size, in the middle.
            const QImage& sample = picClkCal(type * 8 + fontSize * 2);
            QRect shown;
            for (int y = 0; y < sample.height(); ++y)
                for (int x = 0; x < sample.width(); ++x)
                    if (At(sample, x, y) == kBlack)
                        shown |= QRect(x, y, 1, 1);
            EXPECT_EQ(shown.size(), ink) << what;
            EXPECT_EQ(shown.left(), (sample.width() - ink.width()) / 2) << what;
            EXPECT_EQ(shown.top(), (sample.height() - ink.height()) / 2) << what;
        }
}

TEST(Artwork, WindowIconUsesTheSixteenColourPalette)
{
    const std::set<QRgb> palette = {
        qRgb(0, 0, 0),     qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),   qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0), qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),   qRgb(0, 255, 255), qRgb(255, 255, 255),
    };
    const std::set<QRgb> used = Colours(WindowIcon());
    EXPECT_GE(used.size(), 4u);
    for (const QRgb c : used)
        EXPECT_TRUE(palette.count(c)) << std::hex << c;
}

TEST(Artwork, LookUpsFollowTheRecordValues)
{
    // Face 5 chosen in the Button dialog is stored as picture 6: 160 x 48.
    ASSERT_NE(ButtonFace(6), nullptr);
    EXPECT_EQ(ButtonFace(6), &imgButton(5));
    EXPECT_EQ(ButtonFace(6)->size(), QSize(160, 48));
    EXPECT_EQ(At(*ButtonFace(6), 80, 24), kDarkFace);
    EXPECT_EQ(ButtonFace(1), &imgButton(0));
    EXPECT_EQ(ButtonFace(8), &imgButton(7));

    // Slider picture 10 is the large gradient.
    ASSERT_NE(SliderPicture(10), nullptr);
    EXPECT_EQ(SliderPicture(10), &imgSlider(9));
    EXPECT_EQ(SliderPicture(10)->size(), QSize(42, 421));
    EXPECT_EQ(SliderRenderPicture(10), &imgSliderRender(9));
    EXPECT_EQ(SliderPicture(1), &imgSlider(0));
    EXPECT_EQ(SliderPicture(1)->size(), QSize(34, 221));

    for (int icon = 0; icon < 3; ++icon) {
        EXPECT_EQ(PilotIconOn(icon), &imgSIOn(icon));
        EXPECT_EQ(PilotIconOff(icon), &imgSIOff(icon));
    }
    for (int size = 0; size < 4; ++size)
        EXPECT_EQ(TextBoxPicture(size), &picTextBox(size));
    for (int type = 4; type <= 6; ++type)
        EXPECT_EQ(BarPicture(type), &picBGSml()) << type;
    for (int type = 7; type <= 9; ++type)
        EXPECT_EQ(BarPicture(type), &picBGLrg()) << type;

    // A 24-hour clock, Large, white: sample 13 of 72 x 23.
    EXPECT_EQ(ClockPicIndex(11, 2, 1), 13);
    ASSERT_NE(ClockPicture(11, 2, 1), nullptr);
    EXPECT_EQ(ClockPicture(11, 2, 1), &picClkCal(13));
    EXPECT_EQ(ClockPicture(11, 2, 1)->size(), QSize(72, 23));
    // A date, Extra Large, black: sample 22 of 148 x 28.
    EXPECT_EQ(ClockPicIndex(12, 3, 0), 22);
    EXPECT_EQ(ClockPicture(12, 3, 0)->size(), QSize(148, 28));
    EXPECT_EQ(ClockPicIndex(10, 0, 0), 0);
    EXPECT_EQ(ClockPicIndex(11, 3, 1), 15);
    // Any colour but black counts as white.
    EXPECT_EQ(ClockPicIndex(10, 1, 7), 3);
    EXPECT_EQ(ClockPicIndex(10, 1, -1), 3);
}

TEST(Artwork, ValuesOutsideATableFindNoPicture)
{
    for (const int v : {0, 9, 255, -1, INT_MIN, INT_MAX})
        EXPECT_EQ(ButtonFace(v), nullptr) << v;
    for (const int v : {3, 255, -1, INT_MIN, INT_MAX}) {
        EXPECT_EQ(PilotIconOn(v), nullptr) << v;
        EXPECT_EQ(PilotIconOff(v), nullptr) << v;
    }
    for (const int v : {0, 11, 255, -1, INT_MIN, INT_MAX}) {
        EXPECT_EQ(SliderPicture(v), nullptr) << v;
        EXPECT_EQ(SliderRenderPicture(v), nullptr) << v;
    }
    for (const int v : {4, 255, -1, INT_MIN})
        EXPECT_EQ(TextBoxPicture(v), nullptr) << v;
    for (const int v : {0, 1, 3, 10, 12, -4, INT_MIN})
        EXPECT_EQ(BarPicture(v), nullptr) << v;
    for (const int type : {0, 9, 13, 255, -10, INT_MIN})
        EXPECT_EQ(ClockPicture(type, 0, 0), nullptr) << type;
    for (const int size : {4, 255, -1, INT_MIN, INT_MAX})
        EXPECT_EQ(ClockPicture(10, size, 0), nullptr) << size;

    // The tables by index give an empty picture outside their range.
    EXPECT_TRUE(imgButton(8).isNull());
    EXPECT_TRUE(imgButton(-1).isNull());
    EXPECT_TRUE(imgSIOn(3).isNull());
    EXPECT_TRUE(imgSIOff(-1).isNull());
    EXPECT_TRUE(imgSlider(10).isNull());
    EXPECT_TRUE(imgSliderRender(-1).isNull());
    EXPECT_TRUE(picClkCal(24).isNull());
    EXPECT_TRUE(picTextBox(4).isNull());
}
