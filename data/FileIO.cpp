#include "data/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx4 {
namespace fs = std::filesystem;

namespace {

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
    void reset(int fd)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
private:
    int fd_;
};

// Opens `file` for reading when it is a regular file; `size` is its length.
IoResult OpenRegular(const fs::path& file, Fd& fd, std::uintmax_t& size)
{
    Fd opened(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (opened.get() < 0)
        return IoResult::Fail("Cannot open " + Quoted(file) + ": " + SysError() + ".");
    struct stat st {};
    if (::fstat(opened.get(), &st) != 0)
        return IoResult::Fail("Cannot read " + Quoted(file) + ": " + SysError() + ".");
    if (!S_ISREG(st.st_mode))
        return IoResult::Fail(Quoted(file) + (S_ISDIR(st.st_mode) ? " is a folder." : " is not a file."));
    size = static_cast<std::uintmax_t>(st.st_size);
    fd.reset(opened.release());
    return IoResult::Ok();
}

// Why the last write stopped short: errno, or a write that moved nothing.
std::string WriteError() { return errno != 0 ? SysError() : std::string("nothing could be written"); }

} // namespace

std::string Quoted(const fs::path& file) { return "\"" + file.string() + "\""; }

std::ptrdiff_t ReadFullAt(int fd, std::span<std::uint8_t> buffer, std::uint64_t offset)
{
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t n = ::pread(fd, buffer.data() + done, buffer.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::ptrdiff_t>(done);
}

std::size_t WriteFullAt(int fd, std::span<const std::uint8_t> bytes, std::uint64_t offset)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = 0;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

IoResult ReadFileStart(const fs::path& file, std::span<std::uint8_t> buffer, std::size_t& got, std::uintmax_t& fileSize)
{
    got = 0;
    Fd fd(-1);
    if (IoResult r = OpenRegular(file, fd, fileSize); !r)
        return r;
    const std::ptrdiff_t n = ReadFullAt(fd.get(), buffer.first(static_cast<std::size_t>(std::min<std::uintmax_t>(fileSize, buffer.size()))), 0);
    if (n < 0)
        return IoResult::Fail("Cannot read " + Quoted(file) + ": " + SysError() + ".");
    got = static_cast<std::size_t>(n); // a file that shrank meanwhile gives what is there
    return IoResult::Ok();
}

IoResult ReadWholeFile(const fs::path& file, std::vector<std::uint8_t>& out, std::uintmax_t maxBytes)
{
    Fd fd(-1);
    std::uintmax_t size = 0;
    if (IoResult r = OpenRegular(file, fd, size); !r)
        return r;
    if (size > maxBytes)
        return IoResult::Fail(Quoted(file) + " is too large.");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    const std::ptrdiff_t n = ReadFullAt(fd.get(), bytes, 0);
    if (n < 0)
        return IoResult::Fail("Cannot read " + Quoted(file) + ": " + SysError() + ".");
    bytes.resize(static_cast<std::size_t>(n)); // a file that shrank meanwhile gives what is there
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
        return IoResult::Fail("Cannot write " + Quoted(target) + ": " + SysError());
    const fs::path tmp = tmpl;
    auto fail = [&](const std::string& why) {
        if (fd.get() >= 0)
            ::close(fd.release());
        std::error_code ec;
        fs::remove(tmp, ec);
        return IoResult::Fail("Cannot write " + Quoted(target) + ": " + why);
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
        std::uint64_t at = 0;
        for (;;) {
            chunk.clear();
            const bool more = source(chunk, error);
            if (!error.empty())
                return error;
            if (WriteFullAt(fd, chunk, at) != chunk.size())
                return WriteError();
            at += chunk.size();
            if (!more)
                return {};
        }
    });
}

IoResult WriteFileAtomic(const fs::path& target, std::span<const std::uint8_t> bytes, bool flush)
{
    return WriteVia(target, flush, [&](int fd) -> std::string {
        return WriteFullAt(fd, bytes, 0) == bytes.size() ? std::string() : WriteError();
    });
}

std::uint64_t CopyFileBytes(int in, int out, std::uint64_t count)
{
    constexpr std::uint64_t kKernelChunk = 1u << 30;
    constexpr std::size_t kBufferChunk = 1u << 20;
    std::uint64_t done = 0;
    bool kernel = true;
    std::vector<std::uint8_t> buffer;
    while (done < count) {
        if (kernel) {
            loff_t from = static_cast<loff_t>(done);
            loff_t to = static_cast<loff_t>(done);
            const ssize_t n = ::copy_file_range(in, &from, out, &to, static_cast<std::size_t>(std::min(count - done, kKernelChunk)), 0);
            if (n > 0) {
                done += static_cast<std::uint64_t>(n);
                continue;
            }
            if (n == 0) {
                errno = 0;
                return done;
            }
            if (errno == EINTR)
                continue;
            // Not offered by this kernel or between these files: reads and writes do the rest,
            // and report any real fault themselves.
            if (errno != ENOSYS && errno != EXDEV && errno != EOPNOTSUPP && errno != EINVAL && errno != EBADF)
                return done;
            kernel = false;
        }
        buffer.resize(kBufferChunk);
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(count - done, kBufferChunk));
        const std::ptrdiff_t got = ReadFullAt(in, std::span(buffer).first(want), done);
        if (got <= 0) {
            if (got == 0)
                errno = 0;
            return done;
        }
        const std::size_t put = WriteFullAt(out, std::span(buffer).first(static_cast<std::size_t>(got)), done);
        done += put;
        if (put < static_cast<std::size_t>(got))
            return done;
    }
    return done;
}

} // namespace kx4
