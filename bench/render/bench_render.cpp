// Times "Create SD Card"'s rendering (112 bitmaps of a design with every element kind on every
// screen) against writing the same bytes to files in the same run, and prints the ratio.
// Usage: bench_render [folder]  (the folder stands for "C:\" and keeps the pictures; default a
// temporary folder that is removed afterwards)
#include "designer/render/CreateCardBitmaps.h"

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

BmpImage Gradient(int w, int h)
{
    BmpImage img;
    img.width = w;
    img.height = h;
    img.pixels.resize(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.pixels[static_cast<std::size_t>(y) * w + x] =
                static_cast<std::uint32_t>((x * 255 / w) << 16 | (y * 255 / h) << 8 | 0x60);
    return img;
}

// 800 x 480 landscape; every screen holds every element kind over a colour, the logo or a file.
void MakeDesign(modOrvel& m, const Paths& paths)
{
    m.ResetAll();
    m.SetScnRes(2);
    m.SetLayout(0);
    const fs::path background = paths.CDrive() / "Backgrounds" / "Wood.bmp";
    fs::create_directories(background.parent_path());
    WriteFileAtomic(background, EncodeBmp(Gradient(700, 400)), false);
    WriteFileAtomic(paths.BMPImagesDir() / "QVRS2_L.BMP", EncodeBmp(Gradient(800, 480)), false);
    for (int s = 0; s < kScreenCount; ++s) {
        m.SetScreen(s);
        m.ScreenBG[s] = s % 3 == 0 ? "[*L]" : s % 3 == 1 ? "[&H203040&]" : background.string();
        for (int i = 0; i < kButtonCount; ++i) {
            const int image = i % 8 + 1;
            m.SetBtnType(i, 1);
            m.SetBtnImage(i, image);
            m.SetBtnLeft(i, (i % 4) * 190);
            m.SetBtnTop(i, (i / 4) * 58);
            m.SetBtnSize(i, (image - 1) / 2);
            m.SetBtnTextColor(i, (image - 1) % 2);
            m.SetBtnText(i, "S" + std::to_string(s) + " Button " + std::to_string(i + 1)); // no two alike
            m.SetPilotEnabled(i, 1);
            m.SetPilotIcon(i, i % 3);
            m.SetPilotLeft(i, (i % 8) * 100);
            m.SetPilotTop(i, 400 + (i / 8) * 12);
        }
        for (int i = 0; i < kSliderCount; ++i) {
            m.SetSldImage(i, i + 1 + (i >= 5 ? 2 : 0));
            m.SetSldLeft(i, 560 + i * 30);
            m.SetSldTop(i, 20);
        }
        for (int i = 0; i < kTextCount; ++i) {
            const int type = i < 12 ? i + 1 : 1;
            m.SetTxtType(i, type);
            m.SetTxtLeft(i, 20 + (i % 8) * 90);
            m.SetTxtTop(i, 250 + (i / 8) * 60);
            m.SetTxtFontSize(i, i % 4);
            m.SetTxtColor(i, i % 2);
            m.SetTxtText(i, "Screen " + std::to_string(s) + " Text " + std::to_string(i));
        }
    }
    m.SetScreen(0);
}

// Counts message boxes instead of showing them.
struct CountingPrompts final : Prompts {
    int messages = 0;
    MsgAnswer Message(MsgIcon, std::string_view, std::string_view, MsgButtons) override
    {
        ++messages;
        return MsgAnswer::Ok;
    }
    std::optional<fs::path> FileDialog(const FileDialogRequest&) override { return std::nullopt; }
};

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    QFont::insertSubstitution("Arial", "Liberation Sans");

    const bool keep = argc > 1;
    fs::path root = keep ? fs::path(argv[1]) : fs::temp_directory_path() / ("kx4bench-render-" + std::to_string(::getpid()));
    const Paths paths(root);
    fs::create_directories(paths.BMPImagesDir());
    fs::create_directories(paths.PreviewDir());
    const fs::path copies = root / "copies";
    fs::create_directories(copies);

    modOrvel m;
    MakeDesign(m, paths);
    CountingPrompts prompts;

    constexpr int kRuns = 7; // the best of each, against a busy machine
    double render = 1e9, write = 1e9;
    std::uintmax_t bytes = 0;
    std::size_t files = 0;
    for (int run = 0; run < kRuns; ++run) {
        const auto t0 = Clock::now();
        if (CreateCardBitmaps(m, paths, prompts) != CreateCardResult::Done) {
            std::fprintf(stderr, "bench_render: rendering failed\n");
            return 1;
        }
        render = std::min(render, Seconds(Clock::now() - t0));

        // The same files' sizes, written the same way from bytes already in memory.
        std::vector<std::uintmax_t> sizes;
        for (const auto& dir : {paths.BMPImagesDir(), paths.PreviewDir()})
            for (const auto& e : fs::directory_iterator(dir))
                if (e.path().filename().string().starts_with("SR") || dir == paths.PreviewDir())
                    sizes.push_back(e.file_size());
        files = sizes.size();
        bytes = 0;
        for (const auto s : sizes)
            bytes += s;
        const std::vector<std::uint8_t> buffer(*std::max_element(sizes.begin(), sizes.end()), 0x5A);
        const auto t1 = Clock::now();
        for (std::size_t i = 0; i < sizes.size(); ++i)
            if (!WriteFileAtomic(copies / ("copy" + std::to_string(i) + ".BMP"),
                                 std::span(buffer.data(), static_cast<std::size_t>(sizes[i])), false)) {
                std::fprintf(stderr, "bench_render: cannot write copies\n");
                return 1;
            }
        write = std::min(write, Seconds(Clock::now() - t1));
    }
    if (!keep)
        fs::remove_all(root);
    else
        fs::remove_all(copies);

    std::printf("bench_render: %zu bitmaps, %.1f MB: render and write %.1f ms, write alone %.1f ms, ratio %.2f "
                "(target < 3)%s\n",
                files, static_cast<double>(bytes) / 1e6, render * 1e3, write * 1e3, render / write,
                prompts.messages ? ", with messages" : "");
    return 0;
}
