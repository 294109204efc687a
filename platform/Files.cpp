#include "platform/Files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kx4 {
namespace fs = std::filesystem;

bool PathExists(const fs::path& path)
{
    std::error_code ec;
    return !path.empty() && fs::exists(path, ec);
}

IoResult CopyFileTo(const fs::path& source, const fs::path& destination)
{
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return IoResult::Fail("Cannot open \"" + source.string() + "\": " + std::strerror(errno));

    constexpr std::size_t kChunk = 1 << 20;
    IoResult r = WriteFileAtomic(destination, [&](std::vector<std::uint8_t>& chunk, std::string& error) {
        chunk.resize(kChunk);
        ssize_t n;
        do {
            n = ::read(in, chunk.data(), kChunk);
        } while (n < 0 && errno == EINTR);
        if (n < 0) {
            error = "cannot read \"" + source.string() + "\": " + std::strerror(errno);
            chunk.clear();
            return false;
        }
        chunk.resize(static_cast<std::size_t>(n));
        return n > 0;
    });
    ::close(in);
    return r;
}

} // namespace kx4
