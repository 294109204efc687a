#include "bench/support/RenderedFiles.h"

#include "bench/support/MoveBytes.h"
#include "designer/render/Renderer.h"

namespace kx4::bench {

std::vector<RenderedFile> RenderedFiles(const Paths& paths)
{
    std::vector<std::filesystem::path> names;
    for (int iRes = 0; iRes < 3; ++iRes)
        for (const bool portrait : {false, true})
            for (int s = 0; s < kScreenCount; ++s)
                names.push_back(paths.BMPImagesDir() / CardBitmapName(iRes, portrait, s));
    for (int s = 0; s < kScreenCount; ++s)
        names.push_back(paths.PreviewDir() / PreviewName(s));
    std::vector<RenderedFile> files;
    for (const auto& name : names) {
        RenderedFile f;
        f.file = name;
        f.copy = BaselineCopy(name);
        f.bytes.resize(ReadAll(name, f.bytes));
        files.push_back(std::move(f));
    }
    return files;
}

void ReplaceCopies(const std::vector<RenderedFile>& files)
{
    for (const RenderedFile& f : files)
        ReplaceFile(f.copy, f.bytes);
}

} // namespace kx4::bench
