#include "tools/make-installation/Installation.h"

#include "data/FileIO.h"
#include "data/modOrvel.h"
#include "sdcard/ConversionRun.h"
#include "sdcard/ImageFileSink.h"
#include "sdcard/PictureTable.h"

#include <cmath>
#include <system_error>

namespace kx4 {
namespace fs = std::filesystem;

namespace {

BmpImage Filled(PicSize size, std::uint32_t color)
{
    BmpImage img;
    img.width = size.width;
    img.height = size.height;
    img.pixels.assign(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height), color);
    return img;
}

} // namespace

PicSize StandardPicSize(int row)
{
    if (!HasHeader(row)) {
        const std::string& name = ImgName(row);
        // QVRS{r}_{o}, CW_SR{r}_{o}: the letter before ".BMP"; SR{r}{o}…: the fourth letter.
        const char orient = name.starts_with("SR") ? name[3] : name[name.size() - 5];
        const int scnRes = SlotSize(row) == 261120 ? 0 : (SlotSize(row) == 153600 ? 1 : 2);
        return PanelDisplaySize(scnRes, orient == 'P');
    }
    const int pixels = static_cast<int>(SlotSize(row) / 2 - 3);
    const int width = static_cast<int>(std::sqrt(static_cast<double>(pixels)));
    return {width, pixels / width};
}

BmpImage StandardPicture(int row)
{
    const PicSize size = StandardPicSize(row);
    BmpImage img;
    img.width = size.width;
    img.height = size.height;
    img.pixels.resize(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height));
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x) {
            const std::uint32_t r = static_cast<std::uint32_t>(x * 8 + row) & 0xFF;
            const std::uint32_t g = static_cast<std::uint32_t>(y * 4 + row * 3) & 0xFF;
            const std::uint32_t b = static_cast<std::uint32_t>((x ^ y) * 16 + row * 7) & 0xFF;
            img.pixels[static_cast<std::size_t>(y) * size.width + x] = r << 16 | g << 8 | b;
        }
    // RGB565 fields of the row number: red bits 15-11, green 10-5, blue 4-0.
    const auto u = static_cast<std::uint32_t>(row);
    img.pixels[0] = (u >> 11 & 0x1F) << 3 << 16 | (u >> 5 & 0x3F) << 2 << 8 | (u & 0x1F) << 3;
    return img;
}

IoResult WriteStandardPictures(const Paths& paths)
{
    for (int row = 0; row < kImgCount; ++row) {
        if (PicFamilyOf(row) != 0)
            continue;
        if (IoResult r = WriteFileAtomic(paths.RawImagesDir() / ImgName(row), EncodeBmp(StandardPicture(row)), false); !r)
            return r;
    }
    return IoResult::Ok();
}

IoResult WriteLogoBackgrounds(const Paths& paths)
{
    for (int row = 0; row < kImgCount; ++row)
        if (ImgName(row).starts_with("QVRS"))
            if (IoResult r = WriteFileAtomic(paths.BMPImagesDir() / ImgName(row), EncodeBmp(StandardPicture(row)), false); !r)
                return r;
    return IoResult::Ok();
}

IoResult WriteScreenFillers(const Paths& paths)
{
    for (int code = 1; code <= kDispCodeCount; ++code) {
        const std::vector<std::uint8_t> bytes = EncodeBmp(Filled(DispCodeScreenSize(code), kFillerColor));
        for (int s = 0; s < kScreenCount; ++s)
            if (IoResult r = WriteFileAtomic(paths.BMPImagesDir() / ImgName(ScreenRow(code, s)), bytes, false); !r)
                return r;
    }
    return IoResult::Ok();
}

IoResult BuildCoreImage(const Paths& paths)
{
    const fs::path core = paths.CoreImageFile();
    const fs::path part = core.string() + ".part";
    std::error_code ec;
    fs::remove(part, ec);

    modOrvel m;
    m.ResetAll();
    CompileOptions opt;
    opt.DispCode = DispCodeOf(m);
    opt.chkBuildBaseImage = true;

    ImageFileSink sink;
    if (IoResult r = sink.Open(part); !r)
        return r;
    PicBuffers buf;
    const CompileResult run = CompileAll(m, paths, opt, sink, buf);
    IoResult closed = sink.Close();
    IoResult r = !run.write ? run.write
               : !run.skipped.empty() ? IoResult::Fail(run.skipped.front().message)
               : closed;
    if (r) {
        fs::rename(part, core, ec);
        if (ec)
            r = IoResult::Fail("Cannot write \"" + core.string() + "\": " + ec.message() + ".");
    }
    if (!r)
        fs::remove(part, ec);
    return r;
}

IoResult MakeInstallation(const Paths& paths)
{
    for (const fs::path& dir : {paths.SDImageDir(), paths.PreviewDir(), paths.RawImagesDir(), paths.BMPImagesDir()})
        if (IoResult r = MakeFolder(dir); !r)
            return r;
    if (IoResult r = WriteStandardPictures(paths); !r)
        return r;
    if (IoResult r = WriteLogoBackgrounds(paths); !r)
        return r;
    if (IoResult r = WriteScreenFillers(paths); !r)
        return r;
    return BuildCoreImage(paths);
}

} // namespace kx4
