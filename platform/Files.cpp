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

namespace {

// Opens `source` and hands `copy` a writer of its bytes.
IoResult WithCopyOf(const fs::path& source, const std::function<IoResult(const FileWriter&)>& copy)
{
    int fd = -1;
    std::uintmax_t bytes = 0;
    if (IoResult r = OpenRegularFile(source, O_RDONLY, fd, &bytes); !r)
        return r;
    const UniqueFd in(fd);
    return copy([&](int out, std::uint64_t& size) {
        size = bytes;
        return CopyAllBytes(in.get(), out, bytes, source);
    });
}

} // namespace

IoResult CopyFileTo(const fs::path& source, const fs::path& destination, WriteOptions options)
{
    return WithCopyOf(source, [&](const FileWriter& write) { return WriteFileThrough(destination, write, options); });
}

IoResult CopyFileInto(const fs::path& source, const FolderHandle& dir, const std::string& name, WriteOptions options)
{
    return WithCopyOf(source, [&](const FileWriter& write) { return WriteFileInFolder(dir, name, write, options); });
}

IoResult LinkFileOver(const fs::path& existing, const fs::path& target)
{
    struct stat from {}, to {};
    if (::stat(existing.c_str(), &from) != 0)
        return IoResult::Fail("Cannot open " + Quoted(existing) + ": " + std::strerror(errno));
    if (::lstat(target.c_str(), &to) == 0) {
        if (to.st_dev == from.st_dev && to.st_ino == from.st_ino)
            return IoResult::Ok(); // already a name of that file
        // Links, read-only files and anything but a file are for the safe write to follow or refuse.
        if (!S_ISREG(to.st_mode) || (to.st_mode & 0222) == 0)
            return IoResult::Fail(Quoted(target) + " is not a plain writable file.");
    }
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
