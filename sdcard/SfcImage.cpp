#include "sdcard/SfcImage.h"

#include "sdcard/ImageFileSink.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx4 {
namespace fs = std::filesystem;

namespace {

std::string SysError() { return std::strerror(errno); }

// Closes the descriptor at scope exit.
struct FdGuard {
    int fd = -1;
    ~FdGuard()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Opens `file` for reading when it is a regular file; `size` is its length.
IoResult OpenSource(const fs::path& file, FdGuard& fd, std::uint64_t& size)
{
    fd.fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat st {};
    if (fd.fd < 0 || ::fstat(fd.fd, &st) != 0)
        return IoResult::Fail("Cannot open " + Quoted(file) + ": " + SysError() + ".");
    if (!S_ISREG(st.st_mode))
        return IoResult::Fail(Quoted(file) + " is not a file.");
    size = static_cast<std::uint64_t>(st.st_size);
    return IoResult::Ok();
}

// Empties the image file, or creates it; anything but a regular file there is refused untouched.
IoResult OpenEmptyImage(const fs::path& file, FdGuard& fd)
{
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return IoResult::Fail("Cannot write " + Quoted(file) + ": it is not a file.");
    fd.fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd.fd < 0)
        return IoResult::Fail("Cannot write " + Quoted(file) + ": " + SysError() + ".");
    return IoResult::Ok();
}

// The image file as the conversion run starts on it.
IoResult PrepareImage(const Paths& paths, const CompileOptions& opt)
{
    std::error_code ec;
    fs::create_directories(paths.SDImageDir(), ec);
    if (ec)
        return IoResult::Fail("Cannot create the folder " + Quoted(paths.SDImageDir()) + ": " + ec.message() + ".");
    const fs::path image = paths.SDImageFile();
    if (opt.chkBuildBaseImage) {
        FdGuard out;
        return OpenEmptyImage(image, out);
    }
    const fs::path core = paths.CoreImageFile();
    FdGuard in;
    std::uint64_t size = 0;
    if (IoResult r = OpenSource(core, in, size); !r)
        return r;
    FdGuard out;
    if (IoResult r = OpenEmptyImage(image, out); !r)
        return r;
    const std::uint64_t copied = CopyFileBytes(in.fd, out.fd, size);
    if (copied < size) {
        const std::string why = errno != 0 ? SysError() : "it became shorter while it was read";
        return IoResult::Fail("Cannot copy " + Quoted(core) + " to " + Quoted(image) + ": " + why + ".");
    }
    const int fd = out.fd;
    out.fd = -1;
    if (::close(fd) != 0)
        return IoResult::Fail("Cannot write " + Quoted(image) + ": " + SysError() + ".");
    return IoResult::Ok();
}

} // namespace

CompileResult WriteSfcImage(modOrvel& m, const Paths& paths, const CompileOptions& opt, PicBuffers& buf,
                            const CompileCallbacks& callbacks)
{
    CompileResult result;
    if (result.write = PrepareImage(paths, opt); !result.write)
        return result;
    ImageFileSink sink;
    if (result.write = sink.Open(paths.SDImageFile()); !result.write)
        return result;
    result = CompileAll(m, paths, opt, sink, buf, callbacks); // flushes the image at its end
    if (IoResult closed = sink.Close(); result.write && !closed)
        result.write = closed;
    return result;
}

} // namespace kx4
