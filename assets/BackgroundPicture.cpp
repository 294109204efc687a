#include "assets/BackgroundPicture.h"

#include "assets/LittleEndian.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <array>
#include <bit>
#include <optional>

namespace kx4 {
namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitFields = 3;

// What a BMP header says of its pixel data, read as Qt's reader reads it; checked before Qt
// decodes, since Qt takes a file that ends early and leaves the rows it lacks undefined.
struct PixelData {
    std::uint64_t width = 0;
    std::uint64_t height = 0; // rows, without the sign of the top-down order
    int bits = 0;
    std::uint32_t compression = kBiRgb;
    std::uint64_t start = 0;              // the byte the first row starts at
    std::array<std::uint32_t, 3> masks{}; // red, green, blue of 16- and 32-bit pixels
};

// Nothing when the file is too short for its headers or its colour table claims more than 256.
std::optional<PixelData> ReadPixelData(std::span<const std::uint8_t> b)
{
    if (b.size() < 18)
        return std::nullopt;
    const std::uint32_t infoSize = U32(b, 14);
    PixelData p;
    std::int64_t height = 0;
    std::uint64_t paletteEntry = 4;
    std::uint64_t colours = 0;
    if (infoSize == 12) { // OS/2 1.x: sides of 16 bits, colours of three bytes
        if (b.size() < 26)
            return std::nullopt;
        p.width = static_cast<std::uint64_t>(std::max(0, static_cast<int>(static_cast<std::int16_t>(U16(b, 18)))));
        height = static_cast<std::int16_t>(U16(b, 20));
        p.bits = U16(b, 24);
        paletteEntry = 3;
    } else {
        if (infoSize < 40 || b.size() < 54)
            return std::nullopt;
        p.width = static_cast<std::uint64_t>(std::max(0, static_cast<std::int32_t>(U32(b, 18))));
        height = static_cast<std::int32_t>(U32(b, 22));
        p.bits = U16(b, 28);
        p.compression = U32(b, 30);
        colours = U32(b, 46);
    }
    if (colours > 256)
        return std::nullopt;
    p.height = static_cast<std::uint64_t>(height < 0 ? -height : height);

    std::uint64_t headersEnd = 14 + std::uint64_t{infoSize};
    if (p.compression == kBiBitFields) {
        // Right after a 40-byte header, inside the larger ones: at byte 54 either way.
        if (b.size() < 66)
            return std::nullopt;
        p.masks = {U32(b, 54), U32(b, 58), U32(b, 62)};
        if (infoSize == 40)
            headersEnd += 12;
    } else if (p.bits == 16) {
        p.masks = {0x7C00, 0x03E0, 0x001F};
    } else if (p.bits == 32) {
        p.masks = {0xFF0000, 0x00FF00, 0x0000FF};
    }
    if (p.bits >= 1 && p.bits <= 8)
        headersEnd += (colours ? colours : std::uint64_t{1} << p.bits) * paletteEntry;
    // Qt's reader moves to the data offset only when it lies beyond the headers and colours.
    p.start = std::max<std::uint64_t>(U32(b, 10), headersEnd);
    return p;
}

// Bytes the rows of an uncompressed picture take from its start, each padded to four bytes.
std::uint64_t RowBytes(const PixelData& p) { return (p.width * static_cast<std::uint64_t>(p.bits) + 31) / 32 * 4 * p.height; }

// True when run-length data reaches its end mark, or covers every row, before the file ends.
bool RunLengthComplete(std::span<const std::uint8_t> b, const PixelData& p)
{
    std::uint64_t at = p.start;
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    while (at + 2 <= b.size()) {
        const std::uint8_t count = b[at];
        const std::uint8_t code = b[at + 1];
        at += 2;
        if (count > 0) { // a run of one colour
            x += count;
        } else if (code == 0) { // end of a row
            x = 0;
            ++y;
        } else if (code == 1) { // end of the picture
            return true;
        } else if (code == 2) { // a move right and up
            if (at + 2 > b.size())
                return false;
            x += b[at];
            y += b[at + 1];
            at += 2;
        } else { // `code` pixels as they are, padded to two bytes
            const std::uint64_t bytes = p.compression == kBiRle4 ? (code + 1u) / 2 : code;
            if (at + bytes > b.size())
                return false;
            at += bytes + bytes % 2;
            x += code;
        }
        if (y >= p.height || (y + 1 == p.height && x >= p.width))
            return true;
    }
    return false;
}

// A contiguous run of 0 to 8 bits: the masks whose channels Qt's reader scales by shifting.
bool ShiftableMask(std::uint32_t mask)
{
    if (mask == 0)
        return true;
    const std::uint32_t run = mask >> std::countr_zero(mask);
    return (run & (run + 1)) == 0 && std::popcount(run) <= 8;
}

// Qt's reader shifts an n-bit channel to the top of its byte; this repeats its high bits below
// it, so that the channel's largest value gives 255.
void WidenChannels(QImage& picture, const std::array<std::uint32_t, 3>& masks)
{
    std::array<std::array<std::uint8_t, 256>, 3> widened{};
    bool any = false;
    for (std::size_t c = 0; c < 3; ++c) {
        const int n = std::popcount(masks[c]);
        for (int q = 0; q < 256; ++q) {
            if (n == 0 || n >= 8) {
                widened[c][static_cast<std::size_t>(q)] = static_cast<std::uint8_t>(q);
                continue;
            }
            const int v = q >> (8 - n);
            int out = 0;
            for (int shift = 8 - n; shift > -n; shift -= n)
                out |= shift >= 0 ? v << shift : v >> -shift;
            widened[c][static_cast<std::size_t>(q)] = static_cast<std::uint8_t>(out);
        }
        any = any || (n > 0 && n < 8);
    }
    if (!any)
        return;
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            row[x] = qRgb(widened[0][static_cast<std::size_t>(qRed(row[x]))], widened[1][static_cast<std::size_t>(qGreen(row[x]))],
                          widened[2][static_cast<std::size_t>(qBlue(row[x]))]);
    }
}

} // namespace

IoResult ReadBackgroundFile(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes)
{
    return ReadWholeFile(file, bytes, kBackgroundMaxFileBytes);
}

IoResult DecodeBackgroundPicture(std::span<const std::uint8_t> bytes, const std::filesystem::path& file, QImage& out)
{
    const auto fail = [&](const std::string& why) {
        return IoResult::Fail("Cannot read " + Quoted(file) + " as a picture: " + why + ".");
    };
    const IoResult damaged = fail("its BMP header is damaged or of an unsupported kind");
    // The bytes are only looked at, never copied.
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<qsizetype>(bytes.size()));
    QBuffer device;
    device.setData(data);
    if (!device.open(QIODevice::ReadOnly))
        return fail("it cannot be opened in memory");
    QImageReader reader(&device, "bmp");
    reader.setAutoDetectImageFormat(false);
    if (!reader.canRead())
        return fail("it is not a BMP file");
    const std::optional<PixelData> p = ReadPixelData(bytes);
    if (!p)
        return damaged;
    if (p->width * p->height > kBackgroundMaxPixels)
        return fail("its header claims " + std::to_string(p->width) + " x " + std::to_string(p->height) +
                    " pixels, more than " + std::to_string(kBackgroundMaxPixels / 1'000'000) + " megapixels");
    // Qt's own checks of the header; its size of a top-down picture has a negative height.
    if (reader.size().width() <= 0 || p->width == 0 || p->height == 0)
        return damaged;
    if (!std::all_of(p->masks.begin(), p->masks.end(), ShiftableMask))
        return fail("its colour masks are wider than 8 bits or broken up");
    const bool runLength = p->compression == kBiRle8 || p->compression == kBiRle4;
    if (p->compression == kBiRgb || p->compression == kBiBitFields) {
        const std::uint64_t needed = p->start + RowBytes(*p);
        if (bytes.size() < needed)
            return fail("the file holds " + std::to_string(bytes.size()) + " bytes, fewer than the " +
                        std::to_string(needed) + " its header needs");
    } else if (runLength) {
        // Coded rows have no length of their own: the codes must reach the end of the picture.
        if (!RunLengthComplete(bytes, *p))
            return fail("its run-length coded pixels end before the picture does");
    } else {
        return damaged;
    }
    // Qt's own limit on a picture's memory lies below ours.
    reader.setAllocationLimit(static_cast<int>(kBackgroundMaxPixels * 4 / (1024 * 1024) + 1));
    QImage picture;
    if (runLength) {
        // Qt's reader leaves the pixels that move codes skip as it found its picture's memory; it
        // decodes into a picture of the right size and kind it is given, here all of colour 0.
        picture = QImage(static_cast<int>(p->width), static_cast<int>(p->height), QImage::Format_Indexed8);
        if (picture.isNull())
            return fail("there is not enough memory for its pixels");
        picture.fill(0);
    }
    if (!reader.read(&picture))
        return fail("its picture data is damaged");
    picture.convertTo(QImage::Format_RGB32);
    WidenChannels(picture, p->masks);
    out = std::move(picture);
    return IoResult::Ok();
}

IoResult ReadBackgroundPicture(const std::filesystem::path& file, QImage& out)
{
    std::vector<std::uint8_t> bytes;
    if (IoResult r = ReadBackgroundFile(file, bytes); !r)
        return r;
    return DecodeBackgroundPicture(bytes, file, out);
}

} // namespace kx4
