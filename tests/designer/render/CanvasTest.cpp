// Pixel rules of the canvas and the picture copies, with pictures the tests make themselves.
#include "designer/render/Canvas.h"
#include "designer/render/Renderer.h"

#include "RenderTestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <set>

using namespace kx4;
using test::CountColor;

namespace {

QImage Filled(int w, int h, QRgb c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

QRgb At(const Canvas& c, int x, int y) { return c.GetPixel(x, y).value(); }

std::set<QRgb> Colors(const QImage& img)
{
    std::set<QRgb> s;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            s.insert(img.pixel(x, y));
    return s;
}

} // namespace

TEST(Canvas, PixelReadsAndWritesOutsideTheRasterAreHarmless)
{
    Canvas c(10, 5);
    c.Clear(qRgb(1, 2, 3));
    EXPECT_EQ(At(c, 9, 4), qRgb(1, 2, 3));
    EXPECT_FALSE(c.GetPixel(10, 0));
    EXPECT_FALSE(c.GetPixel(0, -1));
    c.SetPixelV(-1, 0, kBlack);
    c.SetPixelV(10, 4, kBlack);
    EXPECT_EQ(CountColor(c.Image(), qRgb(1, 2, 3)), 50);
    c.SetPixelV(3, 2, qRgb(9, 8, 7));
    EXPECT_EQ(At(c, 3, 2), qRgb(9, 8, 7));

    // A new size keeps the back colour, and 96 dpi for point sizes.
    c.Resize(4, 6);
    EXPECT_EQ(CountColor(c.Image(), qRgb(1, 2, 3)), 24);
    EXPECT_EQ(c.Image().dotsPerMeterX(), 3780);
}

TEST(Canvas, TransparentCopyShowsTheCanvasBeneathMagentaAndClips)
{
    Canvas c(20, 10);
    c.Clear(qRgb(10, 20, 30));
    QImage pic = Filled(4, 3, qRgb(200, 100, 50));
    pic.setPixel(1, 1, qRgb(255, 0, 255));
    pic.setPixel(2, 1, qRgb(254, 0, 255)); // near magenta is copied
    TransparentCopy(c, pic, 5, 2);
    EXPECT_EQ(At(c, 5, 2), qRgb(200, 100, 50));
    EXPECT_EQ(At(c, 6, 3), qRgb(10, 20, 30)) << "magenta shows the canvas";
    EXPECT_EQ(At(c, 7, 3), qRgb(254, 0, 255));
    EXPECT_EQ(At(c, 8, 4), qRgb(200, 100, 50));
    EXPECT_EQ(At(c, 9, 4), qRgb(10, 20, 30));
    EXPECT_EQ(CountColor(c.Image(), qRgb(200, 100, 50)), 10);

    // Partly outside on every side: only the part inside lands.
    Canvas small(3, 2);
    small.Clear(kBlack);
    TransparentCopy(small, Filled(4, 4, kWhite), -2, -3);
    EXPECT_EQ(CountColor(small.Image(), kWhite), 2); // columns 0-1 of row 0
    EXPECT_EQ(At(small, 1, 0), kWhite);
    TransparentCopy(small, Filled(4, 4, qRgb(5, 5, 5)), 2, 1);
    EXPECT_EQ(At(small, 2, 1), qRgb(5, 5, 5));
    EXPECT_EQ(CountColor(small.Image(), qRgb(5, 5, 5)), 1);
    TransparentCopy(small, Filled(4, 4, qRgb(6, 6, 6)), 3, 0); // wholly beyond the right edge
    TransparentCopy(small, Filled(4, 4, qRgb(6, 6, 6)), -4, 0);
    EXPECT_EQ(CountColor(small.Image(), qRgb(6, 6, 6)), 0);
}

TEST(Canvas, OpaqueCopyKeepsMagentaAndBarsAreRecoloured)
{
    Canvas c(8, 8);
    c.Clear(kWhite);
    QImage box = Filled(3, 3, qRgb(128, 128, 128));
    box.setPixel(0, 0, qRgb(255, 0, 255));
    OpaqueCopy(c, box, 6, 6);
    EXPECT_EQ(At(c, 6, 6), qRgb(255, 0, 255));
    EXPECT_EQ(At(c, 7, 7), qRgb(128, 128, 128));
    EXPECT_EQ(CountColor(c.Image(), qRgb(128, 128, 128)), 3);

    const QRgb bright = qRgb(0, 255, 0), dark = qRgb(0, 32, 0), other = qRgb(0, 254, 0);
    QImage bar = Filled(4, 1, kBlack);
    bar.setPixel(0, 0, bright);
    bar.setPixel(1, 0, dark);
    bar.setPixel(2, 0, other);
    struct Case { int type; QRgb bright, dark; };
    for (const Case k : {Case{4, qRgb(0, 0, 255), dark}, Case{7, qRgb(0, 0, 255), dark}, Case{5, bright, dark},
                         Case{8, bright, dark}, Case{6, qRgb(224, 224, 224), qRgb(32, 32, 32)},
                         Case{9, qRgb(224, 224, 224), qRgb(32, 32, 32)}}) {
        Canvas line(4, 1);
        BarCopy(line, bar, 0, 0, k.type);
        EXPECT_EQ(At(line, 0, 0), k.bright) << "type " << k.type;
        EXPECT_EQ(At(line, 1, 0), k.dark) << "type " << k.type;
        EXPECT_EQ(At(line, 2, 0), other) << "type " << k.type;
        EXPECT_EQ(At(line, 3, 0), kBlack) << "type " << k.type;
    }
}

TEST(Canvas, TextHasNoAntiAliasingAndBoldHasMoreInk)
{
    for (const int points : {8, 12, 18, 24}) {
        for (const bool bold : {false, true}) {
            Canvas c(300, 40);
            c.Clear(qRgb(24, 57, 90));
            c.SetForeColor(kWhite);
            c.SetFont(points, bold);
            c.Print(2, 0, QStringLiteral("Kitchen Lights 12:59 Äg"));
            const auto colors = Colors(c.Image());
            EXPECT_EQ(colors, (std::set<QRgb>{qRgb(24, 57, 90), kWhite})) << points << " pt";
        }
    }
    auto ink = [](bool bold) {
        Canvas c(200, 30);
        c.Clear(kWhite);
        c.SetFont(12, bold);
        c.Print(0, 0, QStringLiteral("Living Room"));
        return CountColor(c.Image(), kBlack);
    };
    EXPECT_GT(ink(true), ink(false) + 20);
    EXPECT_GT(ink(false), 50);
}

TEST(Canvas, PrintedTextIsWhatThePainterDrawsAnywhereAndInsideItsRectangle)
{
    // Texts are rasterised once and stamped: the pixels must be those of drawing in place.
    for (const int points : {8, 12, 18, 24})
        for (const bool bold : {false, true})
            for (const QString& text : {QStringLiteral("Wj/_fÄÖ|"), QStringLiteral("' `~^\"*"), QStringLiteral("ffi gy Qq ,.;")})
                for (const QPoint at : {QPoint(30, 20), QPoint(-7, 3), QPoint(380, 70), QPoint(11, -9)}) {
                    Canvas c(400, 80);
                    c.Clear(kWhite);
                    c.SetFont(points, bold);
                    c.SetForeColor(qRgb(200, 0, 0));
                    c.Print(at.x(), at.y(), text);

                    QImage direct(400, 80, QImage::Format_RGB32);
                    direct.fill(kWhite);
                    {
                        QPainter p(&direct);
                        p.setFont(c.Font());
                        p.setPen(QColor(200, 0, 0));
                        p.drawText(at.x(), at.y() + p.fontMetrics().ascent(), text);
                    }
                    const std::string what = std::to_string(points) + " pt" + (bold ? " bold " : " ") + text.toStdString()
                                           + " at " + std::to_string(at.x()) + "," + std::to_string(at.y());
                    EXPECT_TRUE(c.Image() == direct) << what;

                    const QRect rect = c.TextRect(at.x(), at.y(), text);
                    int outside = 0;
                    for (int y = 0; y < 80; ++y)
                        for (int x = 0; x < 400; ++x)
                            outside += At(c, x, y) != kWhite && !rect.contains(x, y);
                    EXPECT_EQ(outside, 0) << what;
                }
    // The smallest rectangle: ink touches each of its sides.
    Canvas c(100, 40);
    c.Clear(kWhite);
    c.Print(10, 5, QStringLiteral("Hg"));
    const QRect r = c.TextRect(10, 5, QStringLiteral("Hg"));
    EXPECT_GT(CountColor(c.Image().copy(r.left(), r.top(), 1, r.height()), kBlack), 0);
    EXPECT_GT(CountColor(c.Image().copy(r.right(), r.top(), 1, r.height()), kBlack), 0);
    EXPECT_GT(CountColor(c.Image().copy(r.left(), r.top(), r.width(), 1), kBlack), 0);
    EXPECT_GT(CountColor(c.Image().copy(r.left(), r.bottom(), r.width(), 1), kBlack), 0);
}

TEST(Canvas, TextCellTopSitsAtThePrintPosition)
{
    Canvas c(100, 60);
    c.Clear(kWhite);
    c.SetFont(24, false);
    c.Print(10, 20, QStringLiteral("H"));
    int top = 60, bottom = -1, left = 100;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x)
            if (At(c, x, y) == kBlack) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
            }
    // A capital of a 32-pixel font starts a few pixels below the cell top and is about 23 high.
    EXPECT_GE(top, 21);
    EXPECT_LE(top, 29);
    EXPECT_GE(bottom - top + 1, 20);
    EXPECT_LE(bottom - top + 1, 26);
    EXPECT_GE(left, 10);
    EXPECT_LE(left, 14);
}

TEST(Canvas, CaptionsKeyOnTheSampledColourAndStayInTheirBox)
{
    RenderTarget t;
    t.picLayout.Resize(120, 50);
    t.picRender.Resize(480, 36);
    t.picRender.SetFont(12, false);

    // Text in the sampled colour leaves no pixel.
    t.picLayout.Clear(qRgb(24, 57, 90));
    t.picRender.SetForeColor(qRgb(24, 57, 90));
    PrintCaption(t, 5, 5, QStringLiteral("Hidden"));
    EXPECT_EQ(CountColor(t.picLayout.Image(), qRgb(24, 57, 90)), 120 * 50);

    // A visible caption: all its pixels inside [x, x + 480) x [y, y + 36) and the canvas, and it
    // is cut at the right edge.
    t.picRender.SetForeColor(kWhite);
    PrintCaption(t, 70, 20, QStringLiteral("A caption much wider than the canvas"));
    int ink = 0;
    bool atEdge = false;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 120; ++x)
            if (At(t.picLayout, x, y) != qRgb(24, 57, 90)) {
                ++ink;
                EXPECT_EQ(At(t.picLayout, x, y), kWhite);
                EXPECT_GE(x, 70);
                EXPECT_GE(y, 20);
                atEdge = atEdge || x == 119;
            }
    EXPECT_GT(ink, 30);
    EXPECT_TRUE(atEdge);

    // An origin outside the canvas samples white: white text vanishes, black text shows only
    // inside the canvas.
    t.picLayout.Clear(qRgb(24, 57, 90));
    PrintCaption(t, -30, 10, QStringLiteral("WWWWWW"));
    EXPECT_EQ(CountColor(t.picLayout.Image(), qRgb(24, 57, 90)), 120 * 50);
    t.picRender.SetForeColor(kBlack);
    PrintCaption(t, -30, 10, QStringLiteral("WWWWWW"));
    const int black = CountColor(t.picLayout.Image(), kBlack);
    EXPECT_GT(black, 10);
    EXPECT_EQ(black + CountColor(t.picLayout.Image(), qRgb(24, 57, 90)), 120 * 50);
}

TEST(Canvas, PicturesSitTopLeftOverTheBackColour)
{
    QImage pic(3, 2, QImage::Format_RGB32);
    const QRgb px[] = {qRgb(1, 2, 3), qRgb(4, 5, 6), qRgb(7, 8, 9), qRgb(10, 11, 12), qRgb(13, 14, 15), qRgb(16, 17, 18)};
    for (int i = 0; i < 6; ++i)
        pic.setPixel(i % 3, i / 3, px[i]);

    Canvas c(5, 4);
    c.Clear(qRgb(64, 64, 64));
    c.SetPixelV(4, 3, kBlack); // the previous drawing goes
    c.SetPicture(pic);
    EXPECT_EQ(At(c, 0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(At(c, 2, 1), qRgb(16, 17, 18));
    EXPECT_EQ(CountColor(c.Image(), qRgb(64, 64, 64)), 20 - 6);
    EXPECT_EQ(c.BackColor(), qRgb(64, 64, 64));

    // Larger than the canvas: cut at the right and bottom.
    Canvas tiny(2, 1);
    tiny.SetPicture(pic);
    EXPECT_EQ(At(tiny, 0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(At(tiny, 1, 0), qRgb(4, 5, 6));
}
