#include "assets/BackgroundPicture.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace kx4 {

IoResult ReadBackgroundPicture(const std::filesystem::path& file, QImage& out)
{
    int fd = -1;
    if (IoResult r = OpenRegularFile(file, O_RDONLY, fd); !r)
        return r;
    QFile device;
    if (!device.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return IoResult::Fail("Cannot read " + Quoted(file) + ": " + device.errorString().toStdString() + ".");
    }
    const auto fail = [&](const std::string& why) {
        return IoResult::Fail("Cannot read " + Quoted(file) + " as a picture: " + why + ".");
    };
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

} // namespace kx4
