#include "assets/Bmp.h"

#include "assets/LittleEndian.h"

#include <QImage>

#include <bit>
#include <cstring>
#include <type_traits>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define KX4_BMP_SIMD 1
#endif

namespace kx4 {
namespace fs = std::filesystem;

static_assert(std::endian::native == std::endian::little, "pixels are copied as little-endian words");
static_assert(std::is_same_v<QRgb, std::uint32_t>, "0xRRGGBB pixels are copied as QRgb rows");

namespace {

void Put32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}
void Put16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

constexpr std::size_t kHeaderBytes = 54;

std::size_t Stride(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

// A row of QRgb (blue, green, red, alpha in memory) as blue, green, red. Every picture the
// renderer writes passes through here; the vector version below moves four pixels per step.
void RowToBgrPlain(const QRgb* src, int width, std::uint8_t* p)
{
    // Four-byte stores; each spare byte is overwritten by the next pixel.
    int x = 0;
    for (; x + 1 < width; ++x, p += 3)
        std::memcpy(p, src + x, 4);
    if (x < width)
        std::memcpy(p, src + x, 3);
}

#ifdef KX4_BMP_SIMD

// Stores 16 bytes for every 12 it fills, so it stops while at least six pixels are left.
__attribute__((target("ssse3"))) void RowToBgrSsse3(const QRgb* src, int width, std::uint8_t* p)
{
    const __m128i pack = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int x = 0;
    for (; x + 6 <= width; x += 4, p += 12)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p),
                         _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x)), pack));
    RowToBgrPlain(src + x, width - x, p);
}

bool HasSsse3()
{
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

#endif

void RowToBgr(const QRgb* src, int width, std::uint8_t* p)
{
#ifdef KX4_BMP_SIMD
    if (HasSsse3())
        return RowToBgrSsse3(src, width, p);
#endif
    RowToBgrPlain(src, width, p);
}

// Makes `f`, reusing its storage, the 24-bit BMP file of a `width` x `height` picture whose row `y`
// (the top row first) starts at `row(y)`.
template <class RowOf>
void BuildFile(std::vector<std::uint8_t>& f, int width, int height, RowOf row)
{
    const std::size_t stride = Stride(width);
    const std::size_t dataSize = stride * static_cast<std::size_t>(height);
    f.resize(kHeaderBytes + dataSize);
    std::fill(f.begin(), f.begin() + kHeaderBytes, std::uint8_t{0});
    f[0] = 'B';
    f[1] = 'M';
    Put32(&f[2], static_cast<std::uint32_t>(f.size()));
    Put32(&f[10], kHeaderBytes);
    Put32(&f[14], 40);
    Put32(&f[18], static_cast<std::uint32_t>(width));
    Put32(&f[22], static_cast<std::uint32_t>(height));
    Put16(&f[26], 1);
    Put16(&f[28], 24);
    Put32(&f[34], static_cast<std::uint32_t>(dataSize));
    Put32(&f[38], 2835); // 72 dpi
    Put32(&f[42], 2835);
    const std::size_t pad = stride - static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = f.data() + kHeaderBytes + stride * static_cast<std::size_t>(height - 1 - y);
        RowToBgr(row(y), width, p);
        std::fill_n(p + stride - pad, pad, std::uint8_t{0});
    }
}

} // namespace

IoResult ParseBmp(std::span<const std::uint8_t> b, BmpLayout& out)
{
    auto bad = [](const std::string& why) { return IoResult::Fail(why); };
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M')
        return bad("not a BMP file");
    const std::uint32_t dataOffset = U32(b, 10);
    const std::uint32_t infoSize = U32(b, 14);
    if (infoSize < 40)
        return bad("unsupported BMP header (information header of " + std::to_string(infoSize) + " bytes)");
    if (b.size() < 14 + 40)
        return bad("the BMP file is cut short");
    const auto width = static_cast<std::int32_t>(U32(b, 18));
    const auto height = static_cast<std::int32_t>(U32(b, 22));
    const std::uint16_t planes = U16(b, 26);
    const std::uint16_t bits = U16(b, 28);
    const std::uint32_t compression = U32(b, 30);
    if (bits != 24)
        return bad("the BMP file has " + std::to_string(bits) + " bits per pixel, not 24");
    if (compression != 0)
        return bad("the BMP file is compressed");
    if (planes != 1)
        return bad("the BMP file has " + std::to_string(planes) + " planes");
    if (width <= 0 || width > kBmpMaxSide || height == 0 || height < -kBmpMaxSide || height > kBmpMaxSide)
        return bad("the BMP file's size " + std::to_string(width) + " x " + std::to_string(height)
                   + " is out of range");
    if (std::uint64_t{dataOffset} < 14 + std::uint64_t{infoSize} || dataOffset > b.size())
        return bad("the BMP file's pixel data offset is wrong");
    BmpLayout l;
    l.width = width;
    l.height = height < 0 ? -height : height;
    l.bottomUp = height > 0;
    l.dataOffset = dataOffset;
    l.rowStride = Stride(width);
    // The last row need not carry its padding.
    const std::size_t needed = l.rowStride * static_cast<std::size_t>(l.height - 1) + static_cast<std::size_t>(width) * 3;
    if (b.size() - dataOffset < needed)
        return bad("the BMP file is cut short");
    out = l;
    return IoResult::Ok();
}

IoResult DecodeBmp(std::span<const std::uint8_t> bytes, BmpImage& out)
{
    BmpLayout l;
    if (IoResult r = ParseBmp(bytes, l); !r)
        return r;
    BmpImage img;
    img.width = l.width;
    img.height = l.height;
    img.pixels.resize(static_cast<std::size_t>(l.width) * l.height);
    for (int y = 0; y < l.height; ++y) {
        const std::uint8_t* p = bytes.data() + l.PixelOffset(0, y);
        std::uint32_t* row = img.pixels.data() + static_cast<std::size_t>(y) * l.width;
        for (int x = 0; x < l.width; ++x, p += 3)
            row[x] = (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
    }
    out = std::move(img);
    return IoResult::Ok();
}

IoResult ReadBmpFile(const fs::path& file, BmpImage& out)
{
    std::vector<std::uint8_t> bytes;
    if (IoResult r = ReadWholeFile(file, bytes); !r)
        return r;
    if (IoResult r = DecodeBmp(bytes, out); !r)
        return IoResult::Fail(Quoted(file) + ": " + r.message + ".");
    return IoResult::Ok();
}

std::vector<std::uint8_t> EncodeBmp(const BmpImage& image)
{
    // 0xRRGGBB words lie in memory as a QRgb does: blue, green, red first.
    std::vector<std::uint8_t> f;
    BuildFile(f, image.width, image.height,
              [&](int y) { return image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width); });
    return f;
}

void EncodeBmp(const QImage& source, std::vector<std::uint8_t>& f)
{
    const QImage image = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                           ? source
                           : source.convertToFormat(QImage::Format_RGB32);
    BuildFile(f, image.width(), image.height(), [&](int y) { return reinterpret_cast<const QRgb*>(image.constScanLine(y)); });
}

std::vector<std::uint8_t> EncodeBmp(const QImage& image)
{
    std::vector<std::uint8_t> f;
    EncodeBmp(image, f);
    return f;
}

IoResult WriteBmpFile(const fs::path& file, const QImage& image, std::vector<std::uint8_t>& buffer, bool flush)
{
    EncodeBmp(image, buffer);
    return WriteFileAtomic(file, buffer, flush);
}

IoResult WriteBmpFile(const fs::path& file, const QImage& image, bool flush)
{
    std::vector<std::uint8_t> buffer;
    return WriteBmpFile(file, image, buffer, flush);
}

QImage ToQImage(const BmpImage& image)
{
    QImage q(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(q.scanLine(y));
        for (int x = 0; x < image.width; ++x)
            row[x] = 0xFF000000u | image.At(x, y);
    }
    return q;
}

IoResult ReadBmpFile(const fs::path& file, QImage& out)
{
    BmpImage img;
    if (IoResult r = ReadBmpFile(file, img); !r)
        return r;
    out = ToQImage(img);
    return IoResult::Ok();
}

} // namespace kx4
