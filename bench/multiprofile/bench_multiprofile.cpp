// Times "Build Image File" for 128 profiles (or the first N) of 800 x 480 designs (each screen full
// of Buttons with captions, texts and value boxes over a colour, the logo or a picture) on the
// synthetic installation against moving the same bytes the same way in the same run: reading the
// core image and the profiles, writing the last profile's 16 bitmaps, and writing the pictures and
// configuration sectors at the same offsets of a temporary file that is flushed and renamed over an
// existing one. Prints the median of the paired ratios and their range, by the method every
// benchmark shares.
// Usage: bench_multiprofile [profiles built (default 128; fewer for a quick check)] [pairs (at least 7)]
#include "bench/support/MoveBytes.h"
#include "bench/support/PairedBench.h"
#include "bench/support/RichDesign.h"
#include "multiprofile/MPBuild.h"
#include "tools/make-installation/Installation.h"

#include "assets/Bmp.h"
#include "data/modOrvel.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace kx4;
using namespace kx4::bench;
namespace fs = std::filesystem;

namespace {

// Profile p: 800 x 480 landscape, every screen full, no two profiles alike.
fs::path MakeProfile(const Paths& paths, const fs::path& background, int p)
{
    modOrvel m;
    m.ResetAll();
    m.SetScnRes(2);
    m.SetLayout(0);
    for (int s = 0; s < kScreenCount; ++s) {
        m.SetScreen(s);
        m.ScreenBG[static_cast<std::size_t>(s)] = RichBackground(s, background);
        PutButtons(m, [p, s](int i) { return "P" + std::to_string(p) + " S" + std::to_string(s) + " B" + std::to_string(i + 1); });
        PutTexts(m, [](int i) { return i % 3 == 0 ? 2 : 1; },
                 [p](int i) { return "Profile " + std::to_string(p) + " Text " + std::to_string(i); });
    }
    m.SetScreen(0);
    m.DataFile = (paths.ProgramDir() / ("Profile" + std::to_string(p) + ".KQC")).string();
    Check(m.SaveData());
    return m.DataFile;
}

// No message box is expected; one would stop the clock, so it ends the benchmark.
struct NoPrompts final : Prompts {
    MsgAnswer Message(MsgIcon, std::string_view title, std::string_view text, MsgButtons) override
    {
        Die("unexpected message \"" + std::string(title) + "\": " + std::string(text));
    }
    std::optional<fs::path> FileDialog(const FileDialogRequest&) override { return std::nullopt; }
};

} // namespace

int main(int argc, char** argv)
{
    const auto app = StartGui(argc, argv);

    const int profileCount = argc > 1 ? std::clamp(std::atoi(argv[1]), 1, kProfileCount) : kProfileCount;
    const int pairs = argc > 2 ? std::atoi(argv[2]) : PairCount();

    // The installation's core image and logo, a background picture, then the profiles.
    const WorkFolder root(nullptr, "kx4bench-mp");
    const Paths paths(root.path());
    Check(MakeInstallation(paths));
    const fs::path background = WriteRichPicture(paths);
    std::vector<fs::path> files;
    ProfileList list;
    for (int p = 0; p < profileCount; ++p) {
        files.push_back(MakeProfile(paths, background, p));
        list[static_cast<std::size_t>(p)] = files.back().string();
    }

    // Both sides replace a file that exists.
    const fs::path copy = BaselineCopy(paths.SDImageFile());
    Check(WriteFileAtomic(copy, std::vector<std::uint8_t>(512), false));
    Check(WriteFileAtomic(paths.SDImageFile(), std::vector<std::uint8_t>(512), false));

    // The baseline's pictures, held in memory as the build holds them once drawn: each profile's 16
    // end to end in storage of their own, as many profiles as the build holds ahead, written at the
    // build's offsets (display code 3: 800 x 480 landscape); the last profile's 16 bitmaps as copies
    // beside the build's.
    const std::vector<SlotMove> core{{paths.CoreImageFile(), 0, kCardImageSize}};
    const std::vector<std::uint8_t> bitmap = EncodeBmp(Gradient(800, 480, 37));
    const std::uint32_t pictureBytes = MPPictureBytes(3);
    std::vector<std::vector<std::uint8_t>> held;
    for (int k = 0; k < ProfileDrawers::DefaultAhead(); ++k)
        held.emplace_back(std::size_t{kScreenCount} * pictureBytes, static_cast<std::uint8_t>(0x5A + k));
    std::vector<fs::path> bitmaps;
    for (int s = 0; s < kScreenCount; ++s)
        bitmaps.push_back(BaselineCopy(paths.BMPImagesDir() / ProfileBitmapName(s)));
    std::vector<std::uint8_t> buffer;

    modOrvel m;
    NoPrompts prompts;
    RenderTarget canvas;
    PicBuffers buffers;
    const PairedStats s = MeasurePairs(root.path(), [&] {
        MPBuild b(m, paths, prompts, canvas, buffers);
        b.profileCount = profileCount;
        if (const auto stop = b.Build(list))
            Die(stop->text);
    }, [&] {
        Check(WriteFileThrough(copy, [&](int fd, std::uint64_t& size) -> std::string {
            MoveSlots(core, fd, buffer);
            for (int p = 0; p < profileCount; ++p) {
                ReadAll(files[static_cast<std::size_t>(p)], buffer);
                if (p == profileCount - 1)
                    for (const fs::path& file : bitmaps)
                        ReplaceFile(file, bitmap);
                const std::span<const std::uint8_t> pictures(held[static_cast<std::size_t>(p) % held.size()]);
                for (int s = 0; s < kScreenCount; ++s)
                    WriteImageBytes(fd, pictures.subspan(std::size_t{pictureBytes} * static_cast<std::size_t>(s), pictureBytes),
                                    MPPictureOffset(p, s));
                if (p == 0)
                    MoveConfig(fd, 0, buffer);
                MoveConfig(fd, MPConfigOffset(p), buffer);
            }
            size = MPPictureOffset(profileCount - 1, kScreenCount - 1) + pictureBytes;
            return std::string();
        }));
    }, pairs);
    const std::uintmax_t imageBytes = fs::file_size(paths.SDImageFile());

    Report("Multi-profile build of " + std::to_string(profileCount) + " profiles of 800 x 480, image "
               + std::to_string(imageBytes / 1000000) + " MB",
           "moving the same bytes the same way", s, 1.3);
    return 0;
}
