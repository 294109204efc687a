#include "sdcard/PictureConversion.h"

#include "assets/Bmp.h"

#include <QImage>

#include <algorithm>
#include <bit>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define KX4_X86_SIMD 1
#endif

namespace kx4 {
namespace {

// Bytes behind the file's bytes that the vector loop may read (and ignore) past a row's end.
constexpr std::size_t kReadSlack = 16;

// Reads up to kBmpBufSize bytes of `file` into buf.BmpBuf; `fileSize` gets the whole file's size.
IoResult ReadSource(const std::filesystem::path& file, PicBuffers& buf, std::uintmax_t& fileSize)
{
    buf.BmpSize = 0;
    // Short files are left to the parser, which decides whether enough is there.
    return ReadFileStart(file, std::span(buf.BmpBuf).first(kBmpBufSize), buf.BmpSize, fileSize);
}

// Conversion and packing carry a full build of the card image, 42 million pixels: the plain loops
// below are the reference, the vector versions do eight pixels or words per step.

void ConvertRowPlain(const std::uint8_t* p, int width, std::uint16_t* out)
{
    for (int x = 0; x < width; ++x, p += 3)
        out[x] = Rgb565(p[2], p[1], p[0]);
}

void PackWordsPlain(const std::uint16_t* words, std::size_t n, std::uint8_t* out)
{
    for (std::size_t k = 0; k < n; ++k) {
        out[2 * k] = static_cast<std::uint8_t>(words[k] >> 8);
        out[2 * k + 1] = static_cast<std::uint8_t>(words[k]);
    }
}

#ifdef KX4_X86_SIMD

// Eight pixels (24 bytes) per step; reads up to 4 bytes past the eighth pixel.
__attribute__((target("ssse3"))) void ConvertRowSsse3(const std::uint8_t* p, int width, std::uint16_t* out)
{
    constexpr char z = static_cast<char>(0x80); // pshufb: a zero byte
    // Per 16-bit lane: green low, red high (lanes 0-3 from the first load, 4-7 from the second) …
    const __m128i gr0 = _mm_setr_epi8(1, 2, 4, 5, 7, 8, 10, 11, z, z, z, z, z, z, z, z);
    const __m128i gr1 = _mm_setr_epi8(z, z, z, z, z, z, z, z, 1, 2, 4, 5, 7, 8, 10, 11);
    // … and blue alone.
    const __m128i b0 = _mm_setr_epi8(0, z, 3, z, 6, z, 9, z, z, z, z, z, z, z, z, z);
    const __m128i b1 = _mm_setr_epi8(z, z, z, z, z, z, z, z, 0, z, 3, z, 6, z, 9, z);
    const __m128i red = _mm_set1_epi16(static_cast<short>(0xF800));
    const __m128i green = _mm_set1_epi16(0x07E0);
    int x = 0;
    for (; x + 8 <= width; x += 8, p += 24) {
        const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 12));
        const __m128i grv = _mm_or_si128(_mm_shuffle_epi8(lo, gr0), _mm_shuffle_epi8(hi, gr1));
        const __m128i bv = _mm_or_si128(_mm_shuffle_epi8(lo, b0), _mm_shuffle_epi8(hi, b1));
        const __m128i w = _mm_or_si128(_mm_or_si128(_mm_and_si128(grv, red), _mm_and_si128(_mm_slli_epi16(grv, 3), green)),
                                       _mm_srli_epi16(bv, 3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), w);
    }
    ConvertRowPlain(p, width - x, out + x);
}

// Sixteen pixels (48 bytes) per step, each half as the SSSE3 step does it; reads up to 4 bytes
// past the sixteenth pixel.
__attribute__((target("avx2"))) void ConvertRowAvx2(const std::uint8_t* p, int width, std::uint16_t* out)
{
    constexpr char z = static_cast<char>(0x80);
    const __m256i gr0 = _mm256_setr_epi8(1, 2, 4, 5, 7, 8, 10, 11, z, z, z, z, z, z, z, z,
                                         1, 2, 4, 5, 7, 8, 10, 11, z, z, z, z, z, z, z, z);
    const __m256i gr1 = _mm256_setr_epi8(z, z, z, z, z, z, z, z, 1, 2, 4, 5, 7, 8, 10, 11,
                                         z, z, z, z, z, z, z, z, 1, 2, 4, 5, 7, 8, 10, 11);
    const __m256i b0 = _mm256_setr_epi8(0, z, 3, z, 6, z, 9, z, z, z, z, z, z, z, z, z,
                                        0, z, 3, z, 6, z, 9, z, z, z, z, z, z, z, z, z);
    const __m256i b1 = _mm256_setr_epi8(z, z, z, z, z, z, z, z, 0, z, 3, z, 6, z, 9, z,
                                        z, z, z, z, z, z, z, z, 0, z, 3, z, 6, z, 9, z);
    const __m256i red = _mm256_set1_epi16(static_cast<short>(0xF800));
    const __m256i green = _mm256_set1_epi16(0x07E0);
    int x = 0;
    for (; x + 16 <= width; x += 16, p += 48) {
        // The low lane takes pixels 0-7 as the SSSE3 step does, the high lane pixels 8-15.
        const auto load = [p](int at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at)); };
        const __m256i lo = _mm256_inserti128_si256(_mm256_castsi128_si256(load(0)), load(24), 1);
        const __m256i hi = _mm256_inserti128_si256(_mm256_castsi128_si256(load(12)), load(36), 1);
        const __m256i grv = _mm256_or_si256(_mm256_shuffle_epi8(lo, gr0), _mm256_shuffle_epi8(hi, gr1));
        const __m256i bv = _mm256_or_si256(_mm256_shuffle_epi8(lo, b0), _mm256_shuffle_epi8(hi, b1));
        const __m256i w = _mm256_or_si256(
            _mm256_or_si256(_mm256_and_si256(grv, red), _mm256_and_si256(_mm256_slli_epi16(grv, 3), green)),
            _mm256_srli_epi16(bv, 3));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), w);
    }
    ConvertRowSsse3(p, width - x, out + x);
}

__attribute__((target("avx2"))) void PackWordsAvx2(const std::uint16_t* words, std::size_t n, std::uint8_t* out)
{
    std::size_t k = 0;
    for (; k + 16 <= n; k += 16) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(words + k));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 2 * k),
                            _mm256_or_si256(_mm256_slli_epi16(v, 8), _mm256_srli_epi16(v, 8)));
    }
    PackWordsPlain(words + k, n - k, out + 2 * k);
}

void PackWordsSse2(const std::uint16_t* words, std::size_t n, std::uint8_t* out)
{
    std::size_t k = 0;
    for (; k + 8 <= n; k += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(words + k));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * k), _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8)));
    }
    PackWordsPlain(words + k, n - k, out + 2 * k);
}

bool HasSsse3()
{
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

bool HasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

#endif

void ConvertRow(const std::uint8_t* p, int width, std::uint16_t* out)
{
#ifdef KX4_X86_SIMD
    if (HasAvx2())
        return ConvertRowAvx2(p, width, out);
    if (HasSsse3())
        return ConvertRowSsse3(p, width, out);
#endif
    ConvertRowPlain(p, width, out);
}

void PackWords(const std::uint16_t* words, std::size_t n, std::uint8_t* out)
{
#ifdef KX4_X86_SIMD
    if (HasAvx2())
        return PackWordsAvx2(words, n, out);
    PackWordsSse2(words, n, out);
#else
    PackWordsPlain(words, n, out);
#endif
}

} // namespace

PicBuffers::PicBuffers() : BmpBuf(kBmpBufSize + kReadSlack) {}

IoResult CompilePic(const std::filesystem::path& file, bool withHeader, PicBuffers& buf)
{
    buf.PicWordCount = 0;
    std::uintmax_t fileSize = 0;
    if (IoResult r = ReadSource(file, buf, fileSize); !r)
        return r;

    const std::span<const std::uint8_t> bytes(buf.BmpBuf.data(), buf.BmpSize);
    BmpLayout l;
    if (IoResult r = ParseBmp(bytes, l); !r) {
        if (fileSize > kBmpBufSize)
            return IoResult::Fail(Quoted(file) + ": the file is larger than " + std::to_string(kBmpBufSize) + " bytes.");
        return IoResult::Fail(Quoted(file) + ": " + r.message + ".");
    }

    const std::size_t h = withHeader ? kPicHeaderWords : 0;
    const std::size_t count = h + static_cast<std::size_t>(l.width) * static_cast<std::size_t>(l.height);
    if (buf.PicWords.size() < count)
        buf.PicWords.resize(count);
    std::uint16_t* words = buf.PicWords.data();
    if (withHeader) {
        words[0] = static_cast<std::uint16_t>(l.width);
        words[1] = static_cast<std::uint16_t>(l.height);
        words[2] = 0;
    }
    const std::uint8_t* data = buf.BmpBuf.data();
    for (int y = 0; y < l.height; ++y)
        ConvertRow(data + l.PixelOffset(0, y), l.width,
                   words + h + static_cast<std::size_t>(y) * static_cast<std::size_t>(l.width));
    buf.PicWordCount = count;
    return IoResult::Ok();
}

void PackDrawnPicture(const QImage& picture, bool withHeader, std::span<std::uint8_t> out)
{
    const QImage image = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB32);
    std::uint8_t* o = out.data();
    const auto put = [&o](std::uint16_t word) {
        *o++ = static_cast<std::uint8_t>(word >> 8);
        *o++ = static_cast<std::uint8_t>(word);
    };
    if (withHeader) {
        put(static_cast<std::uint16_t>(image.width()));
        put(static_cast<std::uint16_t>(image.height()));
        put(0);
    }
    const auto width = static_cast<std::size_t>(image.width());
    for (int y = 0; y < image.height(); ++y, o += 2 * width) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        // Rgb565 of the pixel's red, green and blue bytes, done on the whole word, high byte first.
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t c = row[x];
            const auto word = static_cast<std::uint16_t>((c >> 8 & 0xF800) | (c >> 5 & 0x07E0) | (c >> 3 & 0x001F));
            o[2 * x] = static_cast<std::uint8_t>(word >> 8);
            o[2 * x + 1] = static_cast<std::uint8_t>(word);
        }
    }
    std::fill(o, out.data() + out.size(), std::uint8_t{0});
}

IoResult WritePic(PicBuffers& buf, std::uint32_t offset, SectorSink& sink)
{
    const std::size_t n = buf.PicWordCount;
    const std::uint32_t size = PackedSize(n);
    if (size == 0)
        return IoResult::Ok();
    if (buf.Packed.size() < size)
        buf.Packed.resize(size);
    std::uint8_t* out = buf.Packed.data();
    PackWords(buf.PicWords.data(), n, out);
    std::fill(out + 2 * n, out + size, std::uint8_t{0});
    return sink.WriteSectors(offset, std::span<const std::uint8_t>(out, size));
}

} // namespace kx4
