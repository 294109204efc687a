// Times "Build Image File" for 128 profiles (or the first N) of 800 x 480 designs (each screen full of Buttons with
// captions, texts and value boxes over a colour, the logo or a picture) against moving the same
// bytes the same way in the same run: reading the core image and the profiles, writing and reading
// back the 16 bitmaps of each profile, and writing the pictures and configuration sectors at the
// same offsets of a temporary file that is flushed and renamed over an existing one. Prints the
// median of the paired ratios and their range, by the method every benchmark shares.
// Usage: bench_multiprofile [profiles built (default 128; fewer for a quick check)] [pairs (at least 7)]
#include "bench/support/PairedBench.h"
#include "bench/support/RichDesign.h"
#include "multiprofile/MPBuild.h"
#include "sdcard/ImageFileSink.h"

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

// Reads `file` whole into `buf` as the build reads its inputs.
void ReadInto(const fs::path& file, std::vector<std::uint8_t>& buf)
{
    std::size_t got = 0;
    std::uintmax_t size = 0;
    Check(ReadFileStart(file, buf, got, size));
}

// The build's bytes without the drawing and conversion: the same reads, the same bitmap files, the
// same sectors at the same offsets, the same flush and rename over an existing file.
void MoveSameBytes(const Paths& paths, const std::vector<fs::path>& profiles, const fs::path& target)
{
    static std::vector<std::uint8_t> in(kMPCoreBytes);
    static const std::vector<std::uint8_t> bitmap(EncodeBmp(Gradient(800, 480, 37)));
    static const std::vector<std::uint8_t> picture(MPPictureBytes(3), 0x5A);
    static const std::vector<std::uint8_t> config(0x4200, 0x33);

    Check(WriteFileThrough(target, [&](int fd, std::uint64_t& size) -> std::string {
        ImageFileSink image;
        image.Attach(fd, target);
        ReadInto(paths.CoreImageFile(), in);
        Check(image.WriteSectors(0, std::span(in).first(kCardImageSize)));
        for (std::size_t p = 0; p < profiles.size(); ++p) {
            ReadInto(profiles[p], in);
            for (int s = 0; s < kScreenCount; ++s)
                Check(WriteFileAtomic(paths.BMPImagesDir() / ("COPY_S" + TwoDigits(s) + ".BMP"), bitmap, false));
            for (int s = 0; s < kScreenCount; ++s) {
                ReadInto(paths.BMPImagesDir() / ("COPY_S" + TwoDigits(s) + ".BMP"), in);
                Check(image.WriteSectors(MPPictureOffset(static_cast<int>(p), s), picture));
            }
            if (p == 0)
                Check(image.WriteSectors(0, config));
            Check(image.WriteSectors(MPConfigOffset(static_cast<int>(p)), config));
        }
        size = MPPictureOffset(static_cast<int>(profiles.size()) - 1, kScreenCount - 1) + picture.size();
        return std::string();
    }));
}

} // namespace

int main(int argc, char** argv)
{
    const auto app = StartGui(argc, argv);

    const int profileCount = argc > 1 ? std::clamp(std::atoi(argv[1]), 1, kProfileCount) : kProfileCount;
    const int pairs = argc > 2 ? std::atoi(argv[2]) : PairCount();

    const fs::path root = WorkFolder(nullptr, "kx4bench-mp");
    const Paths paths(root);
    for (const auto& d : {paths.SDImageDir(), paths.BMPImagesDir(), paths.PreviewDir()})
        fs::create_directories(d);

    // The installation's core image, the logo and a background picture, then the profiles.
    std::vector<std::uint8_t> core(kCardImageSize);
    for (std::size_t k = 0; k < core.size(); ++k)
        core[k] = static_cast<std::uint8_t>(k * 131 >> 7);
    Check(WriteFileAtomic(paths.CoreImageFile(), core, false));
    core = {};
    Check(WriteFileAtomic(paths.BMPImagesDir() / "QVRS2_L.BMP", EncodeBmp(Gradient(800, 480, 74)), false));
    const fs::path background = root / "Wood.BMP";
    Check(WriteFileAtomic(background, EncodeBmp(Gradient(700, 400, 111)), false));
    std::vector<fs::path> files;
    ProfileList list;
    for (int p = 0; p < profileCount; ++p) {
        files.push_back(MakeProfile(paths, background, p));
        list[static_cast<std::size_t>(p)] = files.back().string();
    }

    // Both sides replace a file that exists.
    const fs::path copy = paths.SDImageDir() / "COPY.DAT";
    Check(WriteFileAtomic(copy, std::vector<std::uint8_t>(512), false));
    Check(WriteFileAtomic(paths.SDImageFile(), std::vector<std::uint8_t>(512), false));

    modOrvel m;
    NoPrompts prompts;
    RenderTarget canvas;
    PicBuffers buffers;
    const PairedStats s = MeasurePairs(root, [&] {
        MPBuild b(m, paths, prompts, canvas, buffers);
        b.profileCount = profileCount;
        if (const auto stop = b.Build(list))
            Die(stop->text);
    }, [&] { MoveSameBytes(paths, files, copy); }, pairs);
    const std::uintmax_t imageBytes = fs::file_size(paths.SDImageFile());
    std::error_code ec;
    fs::remove_all(root, ec);

    Report("Multi-profile build of " + std::to_string(profileCount) + " profiles of 800 x 480, image "
               + std::to_string(imageBytes / 1000000) + " MB",
           "moving the same bytes the same way", s, 2.0);
    return 0;
}
