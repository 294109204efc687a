#include "sdcard/SfcImage.h"

#include "sdcard/ImageFileSink.h"
#include "sdcard/PictureTable.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kx4 {
namespace fs = std::filesystem;

namespace {

std::string SysError() { return std::strerror(errno); }

// The image file as the conversion run starts on it, left open for writing in `out`.
IoResult PrepareImage(const Paths& paths, const CompileOptions& opt, UniqueFd& out)
{
    if (IoResult r = MakeFolder(paths.SDImageDir()); !r)
        return r;
    const fs::path core = paths.CoreImageFile();
    const fs::path image = paths.SDImageFile();
    int fd = -1;
    UniqueFd in;
    std::uintmax_t coreSize = 0;
    if (!opt.chkBuildBaseImage) { // the core image is checked first: a bad one leaves the image alone
        if (IoResult r = OpenRegularFile(core, O_RDONLY, fd, &coreSize); !r)
            return r;
        in.reset(fd);
        if (IoResult r = CheckCoreImageSize(core, coreSize); !r)
            return r;
    }
    if (IoResult r = OpenRegularFile(image, O_WRONLY | O_CREAT | O_TRUNC, fd); !r)
        return r;
    out.reset(fd);
    if (in.get() < 0)
        return IoResult::Ok();
    if (std::string why = CopyAllBytes(in.get(), out.get(), coreSize, core); !why.empty())
        return IoResult::Fail("Cannot copy " + Quoted(core) + " to " + Quoted(image) + ": " + why + ".");
    return IoResult::Ok();
}

} // namespace

IoResult CheckCoreImageSize(const fs::path& file, std::uintmax_t size)
{
    if (size >= kCardImageSize)
        return IoResult::Ok();
    return IoResult::Fail(Quoted(file) + " is not a complete core image: it holds " + std::to_string(size) +
                          " bytes, and a core image must hold at least " + std::to_string(kCardImageSize) + ".");
}

CompileResult WriteSfcImage(modOrvel& m, const Paths& paths, const CompileOptions& opt, PicBuffers& buf,
                            const CompileCallbacks& callbacks)
{
    CompileResult result;
    UniqueFd image;
    if (result.write = PrepareImage(paths, opt, image); !result.write)
        return result;
    // The run writes through the descriptor the copy left open.
    ImageFileSink sink;
    sink.Attach(image.get(), paths.SDImageFile());
    result = CompileAll(m, paths, opt, sink, buf, callbacks); // flushes the image at its end
    if (::close(image.release()) != 0 && result.write)
        result.write = IoResult::Fail("Cannot write " + Quoted(paths.SDImageFile()) + ": " + SysError() + ".");
    return result;
}

} // namespace kx4
