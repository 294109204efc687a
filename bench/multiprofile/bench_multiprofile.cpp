// Times "Build Image File" for 128 profiles (or the first N) of 800 x 480 designs (each screen full of Buttons with
// captions, texts and value boxes over a colour, the logo or a picture) against moving the same
// bytes the same way in the same run: reading the core image and the profiles, writing and reading
// back the 16 bitmaps of each profile, and writing the pictures and configuration sectors at the
// same offsets of a temporary file that is flushed and renamed over an existing one. Prints the
// median of the paired ratios and their range.
// Usage: bench_multiprofile [profiles built (default 128; fewer for a quick check)] [runs (default 7)]
#include "multiprofile/MPBuild.h"
#include "sdcard/ImageFileSink.h"

#include "assets/Bmp.h"
#include "data/modOrvel.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

#include <QFont>
#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

using namespace kx4;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

[[noreturn]] void Die(const std::string& message)
{
    std::fprintf(stderr, "bench_multiprofile: %s\n", message.c_str());
    std::exit(1);
}

void Check(const IoResult& r)
{
    if (!r)
        Die(r.message);
}

BmpImage Gradient(int w, int h, int seed)
{
    BmpImage img;
    img.width = w;
    img.height = h;
    img.pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] =
                static_cast<std::uint32_t>((x * 255 / w) << 16 | (y * 255 / h) << 8 | (seed * 37 & 0xFF));
    return img;
}

// Profile p: 800 x 480 landscape, every screen full, no two profiles alike.
fs::path MakeProfile(const Paths& paths, const fs::path& background, int p)
{
    modOrvel m;
    m.ResetAll();
    m.SetScnRes(2);
    m.SetLayout(0);
    for (int s = 0; s < kScreenCount; ++s) {
        m.SetScreen(s);
        m.ScreenBG[static_cast<std::size_t>(s)] = s % 3 == 0 ? "[*L]" : s % 3 == 1 ? "[&H203040&]" : background.string();
        for (int i = 0; i < kButtonCount; ++i) {
            const int image = i % 8 + 1;
            m.SetBtnType(i, 1);
            m.SetBtnImage(i, image);
            m.SetBtnLeft(i, (i % 4) * 190);
            m.SetBtnTop(i, (i / 4) * 58);
            m.SetBtnSize(i, (image - 1) / 2);
            m.SetBtnTextColor(i, (image - 1) % 2);
            m.SetBtnText(i, "P" + std::to_string(p) + " S" + std::to_string(s) + " B" + std::to_string(i + 1));
        }
        for (int i = 0; i < kTextCount; ++i) {
            m.SetTxtType(i, i % 3 == 0 ? 2 : 1);
            m.SetTxtLeft(i, 20 + (i % 8) * 90);
            m.SetTxtTop(i, 250 + (i / 8) * 60);
            m.SetTxtFontSize(i, i % 4);
            m.SetTxtColor(i, i % 2);
            m.SetTxtText(i, "Profile " + std::to_string(p) + " Text " + std::to_string(i));
        }
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
    static const std::vector<std::uint8_t> bitmap(EncodeBmp(Gradient(800, 480, 1)));
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

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    QFont::insertSubstitution("Arial", "Liberation Sans");

    const int profileCount = argc > 1 ? std::clamp(std::atoi(argv[1]), 1, kProfileCount) : kProfileCount;
    const int runs = argc > 2 ? std::max(std::atoi(argv[2]), 1) : 7;

    std::string tmpl = (fs::temp_directory_path() / "kx4bench-mp-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        Die("cannot create a temporary folder");
    const fs::path root = tmpl;
    const Paths paths(root);
    for (const auto& d : {paths.SDImageDir(), paths.BMPImagesDir(), paths.PreviewDir()})
        fs::create_directories(d);

    // The installation's core image, the logo and a background picture, then the profiles.
    std::vector<std::uint8_t> core(kCardImageSize);
    for (std::size_t k = 0; k < core.size(); ++k)
        core[k] = static_cast<std::uint8_t>(k * 131 >> 7);
    Check(WriteFileAtomic(paths.CoreImageFile(), core, false));
    core = {};
    Check(WriteFileAtomic(paths.BMPImagesDir() / "QVRS2_L.BMP", EncodeBmp(Gradient(800, 480, 2)), false));
    const fs::path background = root / "Wood.BMP";
    Check(WriteFileAtomic(background, EncodeBmp(Gradient(700, 400, 3)), false));
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
    std::vector<double> ratios, builds, moves;
    for (int run = 0; run < runs; ++run) {
        // Alternate which side goes first, so neither always meets the other's dirty pages.
        double build = 0, move = 0;
        for (int side = 0; side < 2; ++side) {
            if ((side == 0) == (run % 2 == 0)) {
                const auto t0 = Clock::now();
                MPBuild b(m, paths, prompts, canvas, buffers);
                b.profileCount = profileCount;
                if (const auto stop = b.Build(list))
                    Die(stop->text);
                build = Seconds(Clock::now() - t0);
            } else {
                const auto t0 = Clock::now();
                MoveSameBytes(paths, files, copy);
                move = Seconds(Clock::now() - t0);
            }
        }
        builds.push_back(build);
        moves.push_back(move);
        ratios.push_back(build / move);
        std::printf("  run %d: build %.2f s, same bytes %.2f s, ratio %.2f\n", run + 1, build, move, build / move);
        std::fflush(stdout);
    }
    const std::uintmax_t imageBytes = fs::file_size(paths.SDImageFile());
    std::error_code ec;
    fs::remove_all(root, ec);

    std::printf("bench_multiprofile: %d profiles of 800 x 480, image %.0f MB: build median %.2f s, "
                "same bytes moved median %.2f s; ratio median %.2f (range %.2f-%.2f) over %d runs (target < 2)\n",
                profileCount, static_cast<double>(imageBytes) / 1e6, Median(builds), Median(moves), Median(ratios),
                *std::min_element(ratios.begin(), ratios.end()), *std::max_element(ratios.begin(), ratios.end()), runs);
    return 0;
}
