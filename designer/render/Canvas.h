#pragma once
// The raster pictures the renderer draws on: a canvas that keeps what is drawn on it, with single
// pixel reads and writes, a back colour and a font, and the copies of pictures onto it.
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace kx4 {

constexpr QRgb kMagenta = 0xFFFF00FF;   // transparent key of Button, Pilot and Slider pictures
constexpr QRgb kLogoBack = 0xFFEFEFEF;  // behind the logo background
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kFiller = 0xFF404040;    // pictures of a size or orientation not in use

// A canvas font as drawing leaves it for the next: Arial at `pixels`, bold or regular.
struct CanvasFont {
    int pixels = 0;
    bool bold = false;
    bool operator==(const CanvasFont&) const = default;
};

// A persistent RGB32 raster of W x H panel pixels. Its back colour outlives each drawing: a picture
// smaller than the canvas leaves the rest in the back colour set by the last Clear.
class Canvas {
public:
    explicit Canvas(int width = 0, int height = 0);

    // New size in panel pixels; the contents become the back colour.
    void Resize(int width, int height);
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    const QImage& Image() const { return image_; }
    QImage& Image() { return image_; }

    QRgb BackColor() const { return back_; }
    // Removes the picture: the back colour becomes `color` and fills the canvas.
    void Clear(QRgb color);
    // Fills the part of `area` inside the canvas with `color`.
    void Fill(const QRect& area, QRgb color);
    // `picture` as the canvas picture: drawn at the top-left corner at its own size, cut at the
    // canvas edges, the back colour around it.
    void SetPicture(const QImage& picture);

    // The colour at (x, y), none outside the canvas.
    std::optional<QRgb> GetPixel(int x, int y) const;
    // Sets (x, y); a point outside the canvas is ignored.
    void SetPixelV(int x, int y, QRgb color);

    // Font of printed text: Arial at `points` (96 dpi), bold or regular; kept until set again.
    void SetFont(int points, bool bold);
    const QFont& Font() const { return font_; }
    CanvasFont FontChoice() const { return {font_.pixelSize(), font_.bold()}; }
    // The font FontChoice gave, set again.
    void SetFont(const CanvasFont& font);

    void SetForeColor(QRgb color) { fore_ = color; }
    // Prints `text` in the fore colour with its character cell's top-left corner at (x, y)
    // pixels, without anti-aliasing; only glyph pixels change.
    void Print(int x, int y, const QString& text);
    // The smallest rectangle that holds every pixel Print(x, y, text) changes; it may reach
    // beyond the canvas.
    QRect TextRect(int x, int y, const QString& text) const;

private:
    // The pixels a text covers in a font, printed with its cell's top-left corner at (0, 0).
    struct TextInk {
        QRect rect;                     // the ink's bounding box
        std::vector<std::uint8_t> mask; // rect.width() x rect.height(), row by row; 1 is ink
    };
    const TextInk& Ink(const QString& text) const;

    QImage image_;
    QRgb back_ = kWhite;
    QRgb fore_ = kBlack;
    // A font with the metrics a text's ink needs.
    struct MadeFont {
        QFont font;
        int ascent = 0;
        int height = 0;
    };
    QFont font_;
    int fontAscent_ = 0;
    int fontHeight_ = 0;
    std::map<std::pair<int, bool>, MadeFont> fonts_; // by pixel size and weight
    // Texts come back on every screen and in both pictures: each is rasterised once.
    mutable std::map<std::tuple<int, bool, QString>, TextInk> inks_;
};

// Copies `source` with its top-left corner at (left, top) panel pixels, leaving out pixels of
// colour `key`; pixels beyond the canvas are lost.
void TransparentCopy(Canvas& canvas, const QImage& source, int left, int top, QRgb key = kMagenta);

// Copies every pixel of `source` to (left, top) onwards, cut at the canvas edges.
void OpaqueCopy(Canvas& canvas, const QImage& source, int left, int top);

// A bar-graph sample pixel as Text type `textType` shows it: the greens become blue (4, 7) or
// grey (6, 9); other types and colours stay.
QRgb RecolourBar(QRgb pixel, int textType);

// OpaqueCopy of a bar-graph sample, recoloured for Text type `textType`.
void BarCopy(Canvas& canvas, const QImage& bar, int left, int top, int textType);

} // namespace kx4
