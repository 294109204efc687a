#include "sdcard/ImageFileSink.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kx4 {

ImageFileSink::~ImageFileSink()
{
    if (fd_ >= 0 && owned_)
        ::close(fd_);
}

IoResult ImageFileSink::Fail(const std::string& what) const
{
    return IoResult::Fail("Cannot write " + Quoted(file_) + what + ".");
}

IoResult ImageFileSink::Open(const std::filesystem::path& file)
{
    if (IoResult r = Close(); !r)
        return r;
    file_ = file;
    owned_ = true;
    return OpenRegularFile(file, O_WRONLY | O_CREAT, fd_);
}

void ImageFileSink::Attach(int fd, const std::filesystem::path& file)
{
    (void)Close();
    file_ = file;
    fd_ = fd;
    owned_ = false;
}

IoResult ImageFileSink::WriteSector(std::uint32_t offset, const Sector& sector)
{
    return WriteSectors(offset, sector);
}

IoResult ImageFileSink::WriteSectors(std::uint32_t offset, std::span<const std::uint8_t> bytes)
{
    if (fd_ < 0)
        return Fail(": the file is not open");
    if (offset % kSectorSize != 0 || bytes.size() % kSectorSize != 0)
        return Fail(" at byte " + std::to_string(offset) + ": not whole sectors");
    const std::size_t done = WriteFullAt(fd_, bytes, offset);
    if (done < bytes.size()) {
        const std::string why = errno == 0 ? std::string("nothing written") : std::strerror(errno);
        return Fail(" at byte " + std::to_string(std::uint64_t{offset} + done) + ": " + why);
    }
    return IoResult::Ok();
}

IoResult ImageFileSink::Flush()
{
    if (fd_ < 0)
        return Fail(": the file is not open");
    if (::fsync(fd_) != 0)
        return Fail(std::string(": ") + std::strerror(errno));
    return IoResult::Ok();
}

IoResult ImageFileSink::Close()
{
    if (fd_ < 0)
        return IoResult::Ok();
    const int fd = fd_;
    fd_ = -1;
    if (!owned_)
        return IoResult::Ok();
    if (::close(fd) != 0)
        return Fail(std::string(": ") + std::strerror(errno));
    return IoResult::Ok();
}

} // namespace kx4
