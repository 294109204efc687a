// The rendering half of "Create SD Card": 112 bitmaps of a rich design, replacing the files of the
// run before, against writing the same bytes over existing files in the same folders.
// Usage: bench_render [folder]  (the folder stands for "C:\"; default a temporary folder, removed after)
#include "bench/support/CardWork.h"
#include "bench/support/PairedBench.h"
#include "bench/support/RenderedFiles.h"
#include "bench/support/RichDesign.h"
#include "tools/make-installation/Installation.h"

#include <cstdio>

using namespace kx4;
using namespace kx4::bench;
namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    const auto app = StartGui(argc, argv);

    const WorkFolder root(argc > 1 ? argv[1] : nullptr, "kx4bench-render");
    const Paths paths(root.path());
    fs::create_directories(paths.BMPImagesDir());
    fs::create_directories(paths.PreviewDir());
    Check(WriteLogoBackgrounds(paths));
    modOrvel m;
    MakeRichDesign(m, paths);
    CountingPrompts prompts;

    auto render = [&] { RenderCard(m, paths, prompts); };
    const double first = Seconds(render);
    std::vector<RenderedFile> files = RenderedFiles(paths);
    std::size_t bytes = 0;
    for (const RenderedFile& f : files)
        bytes += f.bytes.size();

    const PairedStats s = MeasurePairs(root.path(), render, [&] { ReplaceCopies(files); });
    Report("Render of " + std::to_string(files.size()) + " bitmaps (" + std::to_string(bytes / 1000000)
               + " MB) replacing the files of the run before",
           "writing the same bytes over existing files (a new file renamed over each, unflushed, as the renderer does)", s, 1.5);
    std::printf("  the first render in the process, artwork drawn at first use: %.1f ms%s\n", first * 1e3,
                prompts.messages ? "; message boxes were shown" : "");

    for (const RenderedFile& f : files)
        fs::remove(f.copy);
    return 0;
}
