#include "sdcard/PictureConversion.h"

#include "assets/Bmp.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx4 {
namespace {

std::string Quote(const std::filesystem::path& p) { return "\"" + p.string() + "\""; }

// Reads up to the buffer's size of `file` into buf.BmpBuf; `fileSize` gets the whole file's size.
IoResult ReadSource(const std::filesystem::path& file, PicBuffers& buf, std::uintmax_t& fileSize)
{
    buf.BmpSize = 0;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return IoResult::Fail("Cannot open " + Quote(file) + ": " + std::strerror(errno) + ".");
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return IoResult::Fail("Cannot read " + Quote(file) + ": " + std::strerror(err) + ".");
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return IoResult::Fail(Quote(file) + (S_ISDIR(st.st_mode) ? " is a folder." : " is not a file."));
    }
    fileSize = static_cast<std::uintmax_t>(st.st_size);
    const std::size_t want = static_cast<std::size_t>(std::min<std::uintmax_t>(fileSize, buf.BmpBuf.size()));
    std::size_t done = 0;
    while (done < want) {
        const ssize_t n = ::read(fd, buf.BmpBuf.data() + done, want - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            return IoResult::Fail("Cannot read " + Quote(file) + ": " + std::strerror(err) + ".");
        }
        if (n == 0)
            break; // shorter than it was: the parser decides whether enough is there
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    buf.BmpSize = done;
    return IoResult::Ok();
}

} // namespace

PicBuffers::PicBuffers() : BmpBuf(kBmpBufSize) {}

IoResult CompilePic(const std::filesystem::path& file, bool withHeader, PicBuffers& buf)
{
    buf.PicWordCount = 0;
    std::uintmax_t fileSize = 0;
    if (IoResult r = ReadSource(file, buf, fileSize); !r)
        return r;

    const std::span<const std::uint8_t> bytes(buf.BmpBuf.data(), buf.BmpSize);
    BmpLayout l;
    if (IoResult r = ParseBmp(bytes, l); !r) {
        if (fileSize > buf.BmpBuf.size())
            return IoResult::Fail(Quote(file) + ": the file is larger than " + std::to_string(kBmpBufSize) + " bytes.");
        return IoResult::Fail(Quote(file) + ": " + r.message + ".");
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
    for (int y = 0; y < l.height; ++y) {
        const std::uint8_t* p = data + l.PixelOffset(0, y);
        std::uint16_t* out = words + h + static_cast<std::size_t>(y) * static_cast<std::size_t>(l.width);
        for (int x = 0; x < l.width; ++x, p += 3)
            out[x] = Rgb565(p[2], p[1], p[0]);
    }
    buf.PicWordCount = count;
    return IoResult::Ok();
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
    const std::uint16_t* words = buf.PicWords.data();
    for (std::size_t k = 0; k < n; ++k) {
        out[2 * k] = static_cast<std::uint8_t>(words[k] >> 8);
        out[2 * k + 1] = static_cast<std::uint8_t>(words[k]);
    }
    std::fill(out + 2 * n, out + size, std::uint8_t{0});
    return sink.WriteSectors(offset, std::span<const std::uint8_t>(out, size));
}

} // namespace kx4
