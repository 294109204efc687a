#include "sdcard/ConversionRun.h"

#include "sdcard/ConfigFinishing.h"
#include "sdcard/PictureTable.h"

#include <optional>

namespace kx4 {

int DispCodeOf(const modOrvel& m) { return m.GetScnRes() + 1 + (m.GetLayout() > 0 ? 3 : 0); }

bool RawMode(const modOrvel& m) { return m.GetSDFormat() != 0; }

bool RowSelected(int row, const CompileOptions& opt, bool raw)
{
    if (PicFamilyOf(row) == opt.DispCode)
        return true;
    return raw ? opt.chkActiveOnly : opt.chkBuildBaseImage;
}

namespace {

// Standard pictures come from RawImages in Raw mode and in a base build.
bool FromRawImages(int row, const CompileOptions& opt, bool raw)
{
    return PicFamilyOf(row) == 0 && (raw || opt.chkBuildBaseImage);
}

} // namespace

std::filesystem::path SourceFile(int row, const Paths& paths, const CompileOptions& opt, bool raw)
{
    return FindNoCase(FromRawImages(row, opt, raw) ? paths.RawImagesDir() : paths.BMPImagesDir(), ImgName(row));
}

CompileResult CompileAll(modOrvel& m, const Paths& paths, const CompileOptions& opt, SectorSink& sink,
                         PicBuffers& buf, const CompileCallbacks& callbacks)
{
    CompileResult result;
    const bool raw = RawMode(m);
    auto status = [&](const std::string& text) {
        if (callbacks.showStatus)
            callbacks.showStatus(text);
    };

    // Each folder is read once, when a row first needs it: a look-up on the disk for each of the
    // 2,444 files of a base build costs more than reading the folder.
    std::optional<FolderNames> rawImages, bmpImages;
    auto folder = [&](int row) -> const FolderNames& {
        std::optional<FolderNames>& f = FromRawImages(row, opt, raw) ? rawImages : bmpImages;
        if (!f)
            f.emplace(&f == &rawImages ? paths.RawImagesDir() : paths.BMPImagesDir());
        return *f;
    };
    for (int row = 0; row < kImgCount; ++row) {
        if (RowSelected(row, opt, raw)) {
            const std::filesystem::path file = folder(row).Find(ImgName(row));
            status(file.string());
            if (IoResult r = CompilePic(file, HasHeader(row), buf); !r) {
                result.skipped.push_back({row, file, r.message});
            } else if (PackedSize(buf.PicWordCount) > SlotSize(row)) {
                result.skipped.push_back({row, file,
                    Quoted(file) + ": the picture needs " + std::to_string(buf.PicWordCount * 2)
                        + " bytes, its slot holds " + std::to_string(SlotSize(row)) + "."});
            } else if (IoResult w = WritePic(buf, ImgOffset(row), sink); !w) {
                result.write = w;
                return result;
            } else {
                ++result.picturesWritten;
            }
        }
        result.lastRow = row;
        if (callbacks.rowDone && !callbacks.rowDone(row)) {
            result.cancelled = true;
            break;
        }
    }

    QVRBuild(m);
    status(std::string(kConfigDataText));
    if (IoResult w = WriteDat(m, sink); !w) {
        result.write = w;
        return result;
    }
    result.write = sink.Flush();
    return result;
}

} // namespace kx4
