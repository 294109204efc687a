#include "platform/Files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

IoResult LinkFileOver(const fs::path& existing, const fs::path& target)
{
    struct stat from {}, to {};
    if (::stat(existing.c_str(), &from) != 0)
        return IoResult::Fail("Cannot open " + Quoted(existing) + ": " + std::strerror(errno));
    if (::stat(target.c_str(), &to) == 0 && to.st_dev == from.st_dev && to.st_ino == from.st_ino)
        return IoResult::Ok(); // already a name of that file
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    static unsigned counter = 0;
    fs::path link;
    for (int attempt = 0;; ++attempt) {
        link = dir / ("." + target.filename().string() + ".link-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        if (::link(existing.c_str(), link.c_str()) == 0)
            break;
        if (errno != EEXIST || attempt == 100)
            return IoResult::Fail("Cannot write " + Quoted(target) + ": " + std::strerror(errno));
    }
    if (::rename(link.c_str(), target.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        ::unlink(link.c_str());
        return IoResult::Fail("Cannot write " + Quoted(target) + ": " + why);
    }
    return IoResult::Ok();
}

} // namespace kx4
