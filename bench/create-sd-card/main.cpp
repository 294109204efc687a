// "Create SD Card" end to end as the user waits for it, on the synthetic installation with a rich
// 800 x 480 design: the 96 card pictures and 16 previews rendered over those of the run before,
// then the normal SFC write (the core image copied to the image file, the 16 screen pictures
// converted into it, the configuration written, one flush). Beside it the same bytes moved by
// plain reads and writes: the 112 files' bytes written over copies in the same folders, the core
// image copied by reads and writes over an existing file, the 16 copies of the screen pictures read
// and their packed sizes written at the same offsets, the configuration written, one flush.
// Usage: bench_create_sd_card [folder]  (the folder stands for "C:\"; default a temporary folder,
// removed after; a given folder keeps the image and the pictures)
#include "bench/support/CardWork.h"
#include "bench/support/MoveBytes.h"
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

    const WorkFolder root(argc > 1 ? argv[1] : nullptr, "kx4bench-sdcard");
    const Paths paths(root.path());
    Check(MakeInstallation(paths));
    modOrvel m;
    MakeRichDesign(m, paths);
    CountingPrompts prompts;
    PicBuffers buf;
    CompileOptions opt;
    opt.DispCode = DispCodeOf(m);

    auto createSdCard = [&] {
        RenderCard(m, paths, prompts);
        WriteImage(m, paths, opt, buf);
    };
    const double first = Seconds(createSdCard);

    const std::vector<RenderedFile> files = RenderedFiles(paths);
    ReplaceCopies(files);
    // The screen pictures as the baseline finds them: its own copies of the 16 bitmaps.
    std::vector<SlotMove> screens = SlotMoves(m, paths, opt);
    for (SlotMove& move : screens)
        move.source = BaselineCopy(move.source);
    const fs::path image = BaselineCopy(paths.SDImageFile());
    std::vector<std::uint8_t> buffer;

    const PairedStats s = MeasurePairs(root.path(), createSdCard, [&] {
        ReplaceCopies(files);
        const UniqueFd out = OpenEmptied(image);
        CopyByReadWrite(paths.CoreImageFile(), out.get(), buffer);
        MoveSlots(screens, out.get(), buffer);
        MoveConfig(out.get(), 0, buffer);
        Flush(out.get());
    });
    Report("\"Create SD Card\" end to end, normal SFC write of an 800 x 480 design: 112 bitmaps rendered, "
           "the core image copied, 16 screens converted, the configuration written",
           "moving the same bytes by plain reads and writes", s, 1.3);
    std::printf("  the first run in the process, artwork drawn at first use: %.1f ms%s\n", first * 1e3,
                prompts.messages ? "; message boxes were shown" : "");

    for (const RenderedFile& f : files)
        fs::remove(f.copy);
    fs::remove(image);
    return 0;
}
