#include "sdcard/SfcImage.h"

#include "sdcard/ImageFileSink.h"

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
    if (!opt.chkBuildBaseImage) { // the core image is opened first: a missing one leaves the image alone
        if (IoResult r = OpenRegularFile(core, O_RDONLY, fd); !r)
            return r;
        in.reset(fd);
    }
    if (IoResult r = OpenRegularFile(image, O_WRONLY | O_CREAT | O_TRUNC, fd); !r)
        return r;
    out.reset(fd);
    if (in.get() >= 0 && (CopyFileBytes(in.get(), out.get(), kWholeFile), errno != 0))
        return IoResult::Fail("Cannot copy " + Quoted(core) + " to " + Quoted(image) + ": " + SysError() + ".");
    return IoResult::Ok();
}

} // namespace

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
