#include "multiprofile/MPBuild.h"

#include "assets/Bmp.h"
#include "multiprofile/MPProject.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "sdcard/ConfigFinishing.h"
#include "sdcard/ConversionRun.h"
#include "sdcard/ImageFileSink.h"
#include "sdcard/SfcImage.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <sys/stat.h>
#include <vector>

namespace kx4 {
namespace {

constexpr const char* kCanceled = "\nBuild Canceled";

MPBuildStop NotFound(const std::string& file)
{
    return {MsgIcon::Information, "File Not Found", file + " Not Found." + kCanceled};
}

MPBuildStop Unreadable(const IoResult& r) { return {MsgIcon::Critical, "Open Error", r.message + kCanceled}; }

MPBuildStop WriteFailed(const IoResult& r) { return {MsgIcon::Critical, "Write Error", r.message + kCanceled}; }

// Memory or threads running out stop the build as any other fault does; `what` is what could not
// be done.
MPBuildStop Exhausted(const std::string& what, const std::exception& e)
{
    const bool memory = dynamic_cast<const std::bad_alloc*>(&e) != nullptr;
    return {MsgIcon::Critical, "Build Error",
            what + ": " + (memory ? std::string("there is not enough memory") : std::string(e.what())) + "." + kCanceled};
}

} // namespace

std::string ProfileBitmapName(int screen) { return "MP_S" + TwoDigits(screen) + ".BMP"; }

MPBuild::MPBuild(modOrvel& project, const Paths& paths, Prompts& prompts, RenderTarget& canvas, PicBuffers& buffers,
                 MPBuildCallbacks callbacks)
    : m_(project), paths_(paths), prompts_(prompts), canvas_(canvas), buf_(buffers), cb_(std::move(callbacks))
{
}

void MPBuild::Status(const std::string& text) const
{
    if (cb_.showStatus)
        cb_.showStatus(text);
}

std::optional<MPBuildStop> MPBuild::Build(const ProfileList& sProfileFile)
{
    try {
        return BuildImage(sProfileFile);
    } catch (const std::exception& e) {
        drawers_.reset();
        return Exhausted("The image file could not be built", e);
    }
}

std::optional<MPBuildStop> MPBuild::BuildImage(const ProfileList& sProfileFile)
{
    if (IoResult r = MakeFolder(paths_.SDImageDir()); !r)
        return WriteFailed(r);

    // Without the core image there is nothing to build on: stop before anything is written.
    const std::filesystem::path core = paths_.CoreImageFile();
    if (!PathExists(core))
        return NotFound(core.string());
    std::vector<std::uint8_t> bCoreImage(WholeSectors(kMPCoreBytes));
    std::size_t got = 0;
    std::uintmax_t coreSize = 0;
    if (IoResult r = ReadFileStart(core, std::span(bCoreImage).first(kMPCoreBytes), got, coreSize); !r)
        return Unreadable(r);
    if (IoResult r = CheckCoreImageSize(core, coreSize); !r)
        return Unreadable(r);
    if (got < std::min<std::uintmax_t>(coreSize, kMPCoreBytes))
        return Unreadable(IoResult::Fail(Quoted(core) + " became shorter while it was read."));

    // The workers draw while the core image is copied.
    StartDrawing(sProfileFile);
    // The file is made whole under a temporary name and takes its own only when complete.
    std::optional<MPBuildStop> stop;
    const IoResult written = WriteFileThrough(paths_.SDImageFile(), [&](int fd, std::uint64_t& size) -> std::string {
        ImageFileSink sink;
        sink.Attach(fd, paths_.SDImageFile());
        // Bytes beyond the core image's end stay unwritten and read as zero.
        const IoResult copied = sink.WriteSectors(0, std::span(bCoreImage).first(WholeSectors(got)));
        bCoreImage = {};
        try {
            stop = copied ? BuildProfiles(sProfileFile, sink) : WriteFailed(copied);
        } catch (const std::exception& e) {
            stop = Exhausted("Profile " + ProfileNumber(lProfile) + " (" + m_.DataFile + ") could not be built", e);
        }
        struct stat st {};
        if (!stop && ::fstat(fd, &st) != 0)
            return std::strerror(errno);
        size = static_cast<std::uint64_t>(st.st_size);
        return stop ? "the build stopped" : std::string();
    });
    drawers_.reset();
    if (stop)
        return stop;
    if (!written)
        return WriteFailed(written);
    return std::nullopt;
}

void MPBuild::StartDrawing(const ProfileList& sProfileFile)
{
    std::vector<std::string> files;
    for (int p = 0; p < profileCount; ++p) {
        const std::string& chosen = sProfileFile[static_cast<std::size_t>(p)];
        files.push_back(paths_.Map(chosen.empty() ? sProfileFile[0] : chosen).string());
    }
    drawers_ = std::make_unique<ProfileDrawers>(m_, paths_, std::move(files), CarriedState::Of(canvas_),
                                                ProfileDrawers::DefaultWorkers(), ProfileDrawers::DefaultAhead());
}

std::optional<MPBuildStop> MPBuild::BuildProfiles(const ProfileList& sProfileFile, SectorSink& sink)
{
    if (!drawers_)
        StartDrawing(sProfileFile);
    const std::unique_ptr<ProfileDrawers> drawers = std::move(drawers_);
    for (lProfile = 0; lProfile < profileCount; ++lProfile) {
        if (cb_.profileStarted)
            cb_.profileStarted(lProfile);
        m_.DataFile = drawers->File(lProfile);
        DrawnProfile d = drawers->Take(lProfile, cb_.waiting);
        if (d.missing)
            return NotFound(m_.DataFile);
        if (!d.load)
            return Unreadable(d.load);
        m_ = d.project;
        DispCode = d.DispCode;
        d.carried.ApplyTo(canvas_);
        for (const HeldMessage& box : d.messages)
            prompts_.Message(box.icon, box.title, box.text, MsgButtons::Ok);
        if (IoResult r = WriteDrawn(d, sink); !r)
            return WriteFailed(r);
        drawers->GiveBack(std::move(d.pictures));
    }
    return std::nullopt;
}

IoResult MPBuild::WriteDrawn(const DrawnProfile& d, SectorSink& sink)
{
    for (std::size_t s = 0; s < d.screens.size(); ++s)
        if (IoResult r = WriteBmpFile(paths_.BMPImagesDir() / ProfileBitmapName(static_cast<int>(s)), d.screens[s], bmp_, false); !r)
            return r;
    const std::span<const std::uint8_t> pictures(d.pictures);
    for (int i = 0; i < kScreenCount; ++i) {
        Status((paths_.BMPImagesDir() / ProfileBitmapName(i)).string());
        if (IoResult r = sink.WriteSectors(MPPictureOffset(lProfile, i),
                                           pictures.subspan(static_cast<std::size_t>(i) * d.pictureBytes, d.pictureBytes));
            !r)
            return r;
        if (cb_.pictureWritten)
            cb_.pictureWritten(i);
    }
    return WriteDatMP(sink);
}

IoResult MPBuild::RenderDLImagesMP()
{
    // A renderer per profile: each profile's background files are read afresh.
    ScreenRenderer renderer(m_, paths_, canvas_, prompts_);
    return DrawProfileScreens(renderer, m_, canvas_, DispCode, [this](int s, const QImage& picture) {
        return WriteBmpFile(paths_.BMPImagesDir() / ProfileBitmapName(s), picture, bmp_, false);
    });
}

IoResult MPBuild::CompileAllMP(SectorSink& sink)
{
    for (int i = 0; i < kScreenCount; ++i) {
        if (IoResult r = CompilePicMP(i); !r)
            return r;
        if (IoResult r = WritePicMP(i, sink); !r)
            return r;
        if (cb_.pictureWritten)
            cb_.pictureWritten(i);
    }
    QVRBuild(m_); // the card writer's own finishing of the configuration, for this profile
    return WriteDatMP(sink);
}

IoResult MPBuild::CompilePicMP(int i)
{
    const std::filesystem::path file = paths_.BMPImagesDir() / ProfileBitmapName(i);
    Status(file.string());
    return CompilePic(file, true, buf_);
}

IoResult MPBuild::WritePicMP(int i, SectorSink& sink)
{
    return WritePic(buf_, MPPictureOffset(lProfile, i), sink);
}

IoResult MPBuild::WriteDatMP(SectorSink& sink)
{
    Status(std::string(kConfigDataText));
    // Profile 001 also stands over the core image's configuration block and device map.
    if (lProfile == 0)
        if (IoResult r = WriteDat(m_, sink, 0); !r)
            return r;
    return WriteDat(m_, sink, MPConfigOffset(lProfile));
}

} // namespace kx4
