#include "sdcard/ConversionRun.h"

#include "sdcard/ConfigFinishing.h"
#include "sdcard/PictureTable.h"

namespace kx4 {

int DispCodeOf(const modOrvel& m) { return m.GetScnRes() + 1 + (m.GetLayout() > 0 ? 3 : 0); }

bool RawMode(const modOrvel& m) { return m.GetSDFormat() != 0; }

bool RowSelected(int row, const CompileOptions& opt, bool raw)
{
    if (PicFamilyOf(row) == opt.DispCode)
        return true;
    return raw ? opt.chkActiveOnly : opt.chkBuildBaseImage;
}

std::filesystem::path SourceFile(int row, const Paths& paths, const CompileOptions& opt, bool raw)
{
    const bool standard = PicFamilyOf(row) == 0 && (raw || opt.chkBuildBaseImage);
    return FindNoCase(standard ? paths.RawImagesDir() : paths.BMPImagesDir(), ImgName(row));
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

    for (int row = 0; row < kImgCount; ++row) {
        if (RowSelected(row, opt, raw)) {
            const std::filesystem::path file = SourceFile(row, paths, opt, raw);
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
