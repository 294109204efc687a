#include "platform/Files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace kx4 {
namespace fs = std::filesystem;

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
    struct stat st {};
    if (::fstat(in.get(), &st) != 0)
        return IoResult::Fail("Cannot read " + Quoted(source) + ": " + std::strerror(errno) + ".");
    const auto bytes = static_cast<std::uint64_t>(st.st_size);
    return WriteFileThrough(destination, [&](int out, std::uint64_t& size) -> std::string {
        size = CopyFileBytes(in.get(), out, bytes);
        if (size == bytes)
            return {};
        return errno != 0 ? std::strerror(errno) : Quoted(source) + " became shorter while it was copied";
    }, options);
}

} // namespace kx4
