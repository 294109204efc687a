#include "platform/Files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <vector>

namespace kx4 {
namespace fs = std::filesystem;

namespace {

// Moves the bytes of `in` from its start into `out` from its start; `copied` counts them.
std::string CopyBytes(int in, int out, const fs::path& source, std::uint64_t& copied)
{
    constexpr std::size_t kChunk = 1 << 20;
    std::vector<std::uint8_t> chunk(kChunk);
    for (;;) {
        const std::ptrdiff_t n = ReadFullAt(in, chunk, copied);
        if (n < 0)
            return "cannot read " + Quoted(source) + ": " + std::strerror(errno);
        const auto bytes = std::span(chunk).first(static_cast<std::size_t>(n));
        if (WriteFullAt(out, bytes, copied) != bytes.size())
            return errno != 0 ? std::strerror(errno) : "nothing could be written";
        copied += bytes.size();
        if (bytes.size() < kChunk) // a short read is the end of the file
            return {};
    }
}

} // namespace

bool PathExists(const fs::path& path)
{
    std::error_code ec;
    return !path.empty() && fs::exists(path, ec);
}

IoResult CopyFileTo(const fs::path& source, const fs::path& destination, WriteOptions options)
{
    int fd = -1;
    if (IoResult r = OpenRegularFile(source, O_RDONLY, fd); !r)
        return r;
    const UniqueFd in(fd);
    return WriteFileThrough(destination, [&](int out, std::uint64_t& size) { return CopyBytes(in.get(), out, source, size); },
                            options);
}

} // namespace kx4
