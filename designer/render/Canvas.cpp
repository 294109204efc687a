#include "designer/render/Canvas.h"

#include "designer/render/TextStyles.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace kx4 {
namespace {

constexpr int kDotsPerMetre = 3780; // 96 dpi

QImage AsRgb32(const QImage& image)
{
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
        return image; // shared, no copy
    return image.convertToFormat(QImage::Format_RGB32);
}

// The rows of a picture, its storage detached once rather than at every row.
template <class Pixel, class Bytes>
struct Rows {
    Bytes* bits;
    qsizetype bytesPerLine;
    Pixel* operator[](int y) const { return reinterpret_cast<Pixel*>(bits + y * bytesPerLine); }
};
Rows<QRgb, uchar> RowsOf(QImage& img) { return {img.bits(), img.bytesPerLine()}; }
Rows<const QRgb, const uchar> RowsOf(const QImage& img) { return {img.constBits(), img.bytesPerLine()}; }

// Calls pixel(source, destination) for each pixel of `source` placed at (left, top) that falls
// inside the canvas, row by row through scanlines.
template <class PixelFn>
void ClippedCopy(Canvas& canvas, const QImage& source, int left, int top, PixelFn pixel)
{
    const QImage src = AsRgb32(source);
    QImage& dst = canvas.Image();
    const int x0 = std::max(0, -left);
    const int x1 = std::min(src.width(), dst.width() - left);
    const int y0 = std::max(0, -top);
    const int y1 = std::min(src.height(), dst.height() - top);
    if (x0 >= x1 || y0 >= y1)
        return;
    const auto from = RowsOf(src);
    const auto to = RowsOf(dst);
    for (int y = y0; y < y1; ++y) {
        const QRgb* s = from[y];
        QRgb* d = to[top + y] + left;
        for (int x = x0; x < x1; ++x)
            pixel(s[x] | 0xFF000000u, d[x]);
    }
}

} // namespace

Canvas::Canvas(int width, int height)
{
    SetFont(8, false);
    Resize(width, height);
}

void Canvas::Resize(int width, int height)
{
    if (!image_.isNull() && image_.width() == width && image_.height() == height) {
        image_.fill(back_);
        return;
    }
    image_ = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    image_.setDotsPerMeterX(kDotsPerMetre);
    image_.setDotsPerMeterY(kDotsPerMetre);
    image_.fill(back_);
}

void Canvas::Clear(QRgb color)
{
    back_ = color | 0xFF000000u;
    image_.fill(back_);
}

void Canvas::Fill(const QRect& area, QRgb color)
{
    const QRect r = area & image_.rect();
    color |= 0xFF000000u;
    if (r.isEmpty())
        return;
    const auto rows = RowsOf(image_);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb* d = rows[y];
        std::fill(d + r.left(), d + r.right() + 1, color);
    }
}

void Canvas::SetPicture(const QImage& picture)
{
    const QImage src = AsRgb32(picture);
    const int w = std::min(src.width(), Width());
    const int h = std::min(src.height(), Height());
    // The back colour where the picture does not reach.
    Fill(QRect(w, 0, Width() - w, h), back_);
    Fill(QRect(0, h, Width(), Height() - h), back_);
    if (w <= 0 || h <= 0)
        return;
    const auto from = RowsOf(src);
    const auto to = RowsOf(image_);
    for (int y = 0; y < h; ++y) {
        const QRgb* s = from[y];
        QRgb* d = to[y];
        std::transform(s, s + w, d, [](QRgb c) { return c | 0xFF000000u; });
    }
}

std::optional<QRgb> Canvas::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return std::nullopt;
    return reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x];
}

void Canvas::SetPixelV(int x, int y, QRgb color)
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return;
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = color | 0xFF000000u;
}

void Canvas::SetFont(int points, bool bold) { SetFont(CanvasFont{PointsToPixels(points), bold}); }

void Canvas::SetFont(const CanvasFont& choice)
{
    const int pixels = choice.pixels;
    const bool bold = choice.bold;
    if (font_.pixelSize() == pixels && font_.bold() == bold)
        return;
    // A font made again would look up its glyphs and metrics again, under a lock every drawing
    // thread shares.
    auto [it, made] = fonts_.try_emplace(std::make_pair(pixels, bold));
    MadeFont& m = it->second;
    if (made) {
        m.font = QFont(QStringLiteral("Arial"));
        m.font.setPixelSize(pixels);
        m.font.setWeight(bold ? QFont::Bold : QFont::Normal);
        // Every pixel is either text or background, so pictures are exact and keyed copies clean.
        m.font.setStyleStrategy(QFont::NoAntialias);
        m.font.setKerning(false);
        m.height = QFontMetrics(m.font).height();
        // The ascent as a painter on a picture of the canvas's resolution has it.
        QImage probe(1, 1, QImage::Format_RGB32);
        probe.setDotsPerMeterX(kDotsPerMetre);
        probe.setDotsPerMeterY(kDotsPerMetre);
        QPainter p(&probe);
        p.setFont(m.font);
        m.ascent = p.fontMetrics().ascent();
    }
    font_ = m.font;
    fontAscent_ = m.ascent;
    fontHeight_ = m.height;
}

const Canvas::TextInk& Canvas::Ink(const QString& text) const
{
    auto key = std::make_tuple(font_.pixelSize(), font_.bold(), text);
    if (const auto it = inks_.find(key); it != inks_.end())
        return it->second;
    constexpr std::size_t kMaxInks = 4096; // a design has at most 768 texts
    if (inks_.size() >= kMaxInks)
        inks_.clear();

    // Drawn once in black on white with room around the cell for overhanging glyphs. Glyphs
    // without anti-aliasing land on whole pixels, so the ink is the same at every position.
    const int pad = font_.pixelSize() / 2 + 2;
    QImage img(QFontMetrics(font_).horizontalAdvance(text) + 2 * pad, fontHeight_ + 2 * pad, QImage::Format_RGB32);
    img.setDotsPerMeterX(kDotsPerMetre);
    img.setDotsPerMeterY(kDotsPerMetre);
    img.fill(kWhite);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setFont(font_);
        p.setPen(QColor::fromRgb(kBlack));
        p.drawText(QPoint(pad, pad + fontAscent_), text);
    }
    int left = img.width(), right = -1, top = img.height(), bottom = -1;
    for (int y = 0; y < img.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        const auto* end = row + img.width();
        const auto* first = std::find_if(row, end, [](QRgb c) { return c != kWhite; });
        if (first == end)
            continue;
        const auto* last = std::find_if(std::make_reverse_iterator(end), std::make_reverse_iterator(first),
                                        [](QRgb c) { return c != kWhite; }).base() - 1;
        left = std::min(left, static_cast<int>(first - row));
        right = std::max(right, static_cast<int>(last - row));
        top = std::min(top, y);
        bottom = y;
    }
    const QRect box = right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
    TextInk ink;
    ink.rect = box.translated(-pad, -pad);
    ink.mask.resize(static_cast<std::size_t>(box.width()) * static_cast<std::size_t>(box.height()));
    for (int y = 0; y < box.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(box.top() + y)) + box.left();
        for (int x = 0; x < box.width(); ++x)
            ink.mask[static_cast<std::size_t>(y) * box.width() + x] = row[x] != kWhite;
    }
    return inks_.emplace(std::move(key), std::move(ink)).first->second;
}

void Canvas::Print(int x, int y, const QString& text)
{
    if (text.isEmpty() || image_.isNull())
        return;
    const TextInk& ink = Ink(text);
    const QRect r = ink.rect.translated(x, y) & image_.rect();
    const QRgb color = fore_ | 0xFF000000u;
    const int left = x + ink.rect.left(); // canvas column of the mask's first column
    if (r.isEmpty())
        return;
    const auto rows = RowsOf(image_);
    for (int py = r.top(); py <= r.bottom(); ++py) {
        const std::uint8_t* m = ink.mask.data() + static_cast<std::size_t>(py - y - ink.rect.top()) * ink.rect.width();
        QRgb* d = rows[py];
        for (int px = r.left(); px <= r.right(); ++px)
            d[px] = m[px - left] ? color : d[px];
    }
}

QRect Canvas::TextRect(int x, int y, const QString& text) const
{
    return text.isEmpty() ? QRect() : Ink(text).rect.translated(x, y);
}

void TransparentCopy(Canvas& canvas, const QImage& source, int left, int top, QRgb key)
{
    key |= 0xFF000000u;
    // Branch-free: a select per pixel rather than a jump the key colour makes unpredictable.
    ClippedCopy(canvas, source, left, top, [key](QRgb s, QRgb& d) { d = s != key ? s : d; });
}

void OpaqueCopy(Canvas& canvas, const QImage& source, int left, int top)
{
    ClippedCopy(canvas, source, left, top, [](QRgb s, QRgb& d) { d = s; });
}

QRgb RecolourBar(QRgb pixel, int textType)
{
    constexpr QRgb kBright = 0xFF00FF00; // &HFF00
    constexpr QRgb kDark = 0xFF002000;   // &H2000
    pixel |= 0xFF000000u;
    switch (textType) {
    case 4:
    case 7:
        return pixel == kBright ? 0xFF0000FF : pixel;
    case 6:
    case 9:
        if (pixel == kDark)
            return 0xFF202020;
        return pixel == kBright ? 0xFFE0E0E0 : pixel;
    default:
        return pixel;
    }
}

void BarCopy(Canvas& canvas, const QImage& bar, int left, int top, int textType)
{
    ClippedCopy(canvas, bar, left, top, [textType](QRgb s, QRgb& d) { d = RecolourBar(s, textType); });
}

} // namespace kx4
