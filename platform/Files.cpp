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
        return IoResult::Fail("Cannot open " + Quoted(source) + ": " + std::strerror(errno));

    constexpr std::size_t kChunk = 1 << 20;
    std::uint64_t at = 0;
    IoResult r = WriteFileAtomic(destination, [&](std::vector<std::uint8_t>& chunk, std::string& error) {
        chunk.resize(kChunk);
        const std::ptrdiff_t n = ReadFullAt(in, chunk, at);
        if (n < 0) {
            error = "cannot read " + Quoted(source) + ": " + std::strerror(errno);
            chunk.clear();
            return false;
        }
        chunk.resize(static_cast<std::size_t>(n));
        at += chunk.size();
        return chunk.size() == kChunk; // a short read is the end of the file
    });
    ::close(in);
    return r;
}

} // namespace kx4
