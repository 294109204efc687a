// The card image engine against moving the same bytes: a base build of all 2,444 rows, and a
// normal SFC write (the core image copied, the 16 screen pictures and the configuration written),
// each beside plain reads and writes of the same bytes into an existing file in the same folder,
// flushed once at the end on both sides.
// Usage: bench_card_image [folder]  (the folder stands for "C:\"; default a temporary folder, removed after)
#include "bench/support/CardWork.h"
#include "bench/support/MoveBytes.h"
#include "bench/support/PairedBench.h"
#include "sdcard/PictureTable.h"
#include "tools/make-installation/Installation.h"

#include <cstdio>

using namespace kx4;
using namespace kx4::bench;
namespace fs = std::filesystem;

namespace {

std::uint64_t Total(const std::vector<SlotMove>& moves, bool read)
{
    std::uint64_t n = 0;
    for (const SlotMove& m : moves)
        n += read ? fs::file_size(m.source) : m.bytes;
    return n;
}

} // namespace

int main(int argc, char** argv)
{
    const WorkFolder root(argc > 1 ? argv[1] : nullptr, "kx4bench-card");
    const Paths paths(root.path());
    const double install = Seconds([&] { Check(MakeInstallation(paths)); });
    std::printf("synthetic installation (2,348 standard pictures, 96 screen bitmaps, core image): %.2f s\n", install);

    modOrvel m;
    m.ResetAll();
    PicBuffers buf;
    std::vector<std::uint8_t> buffer;
    const fs::path copy = BaselineCopy(paths.SDImageFile());

    // Base build: every row into an emptied image.
    CompileOptions base;
    base.DispCode = DispCodeOf(m);
    base.chkBuildBaseImage = true;
    const std::vector<SlotMove> all = SlotMoves(m, paths, base);
    const PairedStats full = MeasurePairs(root.path(), [&] { WriteImage(m, paths, base, buf); }, [&] {
        const UniqueFd out = OpenEmptied(copy);
        MoveSlots(all, out.get(), buffer);
        MoveConfig(out.get(), 0, buffer);
        Flush(out.get());
    });
    if (fs::file_size(paths.SDImageFile()) != kCardImageSize)
        Die("the base build has the wrong size");
    Report("Base build, 2,444 rows into an emptied image (read " + std::to_string(Total(all, true) / 1000000)
               + " MB, write " + std::to_string(Total(all, false) / 1000000) + " MB)",
           "reading the same files and writing the same bytes at the same offsets", full, 1.3);

    // Normal SFC write of a 480 x 272 landscape design: the installation's screen bitmaps.
    CompileOptions normal;
    normal.DispCode = DispCodeOf(m);
    const std::vector<SlotMove> screens = SlotMoves(m, paths, normal);
    const PairedStats write = MeasurePairs(root.path(), [&] { WriteImage(m, paths, normal, buf); }, [&] {
        const UniqueFd out = OpenEmptied(copy);
        CopyByReadWrite(paths.CoreImageFile(), out.get(), buffer);
        MoveSlots(screens, out.get(), buffer);
        MoveConfig(out.get(), 0, buffer);
        Flush(out.get());
    });
    Report("Normal SFC write: the 84 MB core image copied, 16 screens of 480 x 272 and the configuration written",
           "copying the core image by reads and writes, then the same reads and writes", write, 1.3);

    fs::remove(copy);
    return 0;
}
