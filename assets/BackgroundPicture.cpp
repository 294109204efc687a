#include "assets/BackgroundPicture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstdlib>

namespace kx4 {

IoResult ReadBackgroundFile(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes)
{
    return ReadWholeFile(file, bytes, kBackgroundMaxFileBytes);
}

IoResult DecodeBackgroundPicture(std::span<const std::uint8_t> bytes, const std::filesystem::path& file, QImage& out)
{
    const auto fail = [&](const std::string& why) {
        return IoResult::Fail("Cannot read " + Quoted(file) + " as a picture: " + why + ".");
    };
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
    // The header alone; a top-down picture reports a negative height.
    const QSize size = reader.size();
    const std::int64_t width = size.width();
    const std::int64_t height = std::abs(static_cast<std::int64_t>(size.height()));
    if (width <= 0 || height == 0)
        return fail("its BMP header is damaged or of an unsupported kind");
    if (width > kBackgroundMaxSide || height > kBackgroundMaxSide)
        return fail("its header claims " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels, more than " + std::to_string(kBackgroundMaxSide) + " x " +
                    std::to_string(kBackgroundMaxSide));
    QImage picture;
    if (!reader.read(&picture))
        return fail("its picture data is damaged");
    out = picture.convertToFormat(QImage::Format_RGB32);
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
