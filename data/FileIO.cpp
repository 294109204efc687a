#include "data/FileIO.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx4 {
namespace fs = std::filesystem;

namespace {

std::string Quote(const fs::path& p) { return "\"" + p.string() + "\""; }

std::string SysError() { return std::strerror(errno); }

// Closes the descriptor on scope exit unless released.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { if (fd_ >= 0) ::close(fd_); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() { int f = fd_; fd_ = -1; return f; }
private:
    int fd_;
};

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

IoResult ReadWholeFile(const fs::path& file, std::vector<std::uint8_t>& out, std::uintmax_t maxBytes)
{
    Fd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return IoResult::Fail("Cannot open " + Quote(file) + ": " + SysError());
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return IoResult::Fail("Cannot read " + Quote(file) + ": " + SysError());
    if (!S_ISREG(st.st_mode))
        return IoResult::Fail(Quote(file) + " is not a file.");
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes)
        return IoResult::Fail(Quote(file) + " is too large.");

    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return IoResult::Fail("Cannot read " + Quote(file) + ": " + SysError());
        if (n == 0)
            break; // the file shrank meanwhile: keep what is there
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    out = std::move(bytes);
    return IoResult::Ok();
}

namespace {

// Writes through `body` (which returns an error text, empty on success) into a temporary file
// beside `target`, then renames it into place.
IoResult WriteVia(const fs::path& target, bool flush, const std::function<std::string(int fd)>& body)
{
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string tmpl = (dir / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
    Fd fd(::mkstemp(tmpl.data()));
    if (fd.get() < 0)
        return IoResult::Fail("Cannot write " + Quote(target) + ": " + SysError());
    const fs::path tmp = tmpl;
    auto fail = [&](const std::string& why) {
        if (fd.get() >= 0)
            ::close(fd.release());
        std::error_code ec;
        fs::remove(tmp, ec);
        return IoResult::Fail("Cannot write " + Quote(target) + ": " + why);
    };

    if (std::string error = body(fd.get()); !error.empty())
        return fail(error);

    // New files get the usual permissions, not mkstemp's 0600; an existing file keeps its own.
    mode_t mode = 0666;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd.get(), mode);
    if (flush && ::fsync(fd.get()) != 0)
        return fail(SysError());
    if (::close(fd.release()) != 0)
        return fail(SysError());
    if (::rename(tmp.c_str(), target.c_str()) != 0)
        return fail(SysError());
    if (flush) { // make the rename itself durable
        Fd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dirFd.get() >= 0)
            ::fsync(dirFd.get());
    }
    return IoResult::Ok();
}

} // namespace

IoResult WriteFileAtomic(const fs::path& target, const ChunkSource& source, bool flush)
{
    return WriteVia(target, flush, [&](int fd) -> std::string {
        std::vector<std::uint8_t> chunk;
        std::string error;
        for (;;) {
            chunk.clear();
            const bool more = source(chunk, error);
            if (!error.empty())
                return error;
            if (!WriteAll(fd, chunk.data(), chunk.size()))
                return SysError();
            if (!more)
                return {};
        }
    });
}

IoResult WriteFileAtomic(const fs::path& target, std::span<const std::uint8_t> bytes, bool flush)
{
    return WriteVia(target, flush, [&](int fd) -> std::string {
        return WriteAll(fd, bytes.data(), bytes.size()) ? std::string() : SysError();
    });
}

} // namespace kx4
