// Times the card image engine against moving the same bytes: reading the same source files and
// writing a file of the same size as what the engine writes, both flushed to the device.
#include "platform/Files.h"
#include "sdcard/ConversionRun.h"
#include "sdcard/ImageFileSink.h"
#include "sdcard/PictureTable.h"
#include "tools/make-installation/Installation.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace kx4;

namespace {

constexpr int kRepeats = 3;

[[noreturn]] void Die(const std::string& message)
{
    std::fprintf(stderr, "bench_card_image: %s\n", message.c_str());
    std::exit(1);
}

void Check(const IoResult& r)
{
    if (!r)
        Die(r.message);
}

template <class F>
double Seconds(F f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The baseline: reads every file whole, then writes `outBytes` bytes from the start of `out` and
// flushes it; `fresh` makes `out` a new file, otherwise it is written in place as the engine's image is.
void MoveSameBytes(const std::vector<fs::path>& sources, std::uint64_t outBytes, const fs::path& out, bool fresh)
{
    static std::vector<char> buf(kBmpBufSize);
    for (const fs::path& file : sources) {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            Die("cannot open " + file.string());
        while (::read(fd, buf.data(), buf.size()) > 0) {
        }
        ::close(fd);
    }
    if (fresh)
        fs::remove(out);
    const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        Die("cannot create " + out.string());
    std::fill(buf.begin(), buf.end(), 'x');
    for (std::uint64_t done = 0; done < outBytes;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(1 << 20, outBytes - done));
        if (::write(fd, buf.data(), n) != static_cast<ssize_t>(n))
            Die("cannot write " + out.string());
        done += n;
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0)
        Die("cannot flush " + out.string());
}

// One conversion run into `image`, which must exist (or not) as the case needs.
void Run(const Paths& paths, const CompileOptions& opt, const fs::path& image, PicBuffers& buf)
{
    modOrvel m;
    m.ResetAll();
    ImageFileSink sink;
    Check(sink.Open(image));
    const CompileResult r = CompileAll(m, paths, opt, sink, buf);
    Check(r.write);
    Check(sink.Close());
    if (!r.skipped.empty())
        Die(r.skipped.front().message);
}

std::uint64_t TotalSize(const std::vector<fs::path>& files)
{
    std::uint64_t total = 0;
    for (const fs::path& f : files)
        total += fs::file_size(f);
    return total;
}

void Report(const char* what, double engine, double copy, std::uint64_t readBytes, std::uint64_t writeBytes)
{
    std::printf("%s: %.3f s; copying the same bytes (read %.1f MB, write %.1f MB): %.3f s; ratio %.2f\n", what,
                engine, readBytes / 1e6, writeBytes / 1e6, copy, engine / copy);
}

} // namespace

int main()
{
    std::string tmpl = (fs::temp_directory_path() / "kx4bench-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        Die("cannot create a temporary folder");
    const fs::path root = tmpl;
    const Paths paths(root);

    std::printf("card image benchmark, best of %d\n", kRepeats);
    const double install = Seconds([&] { Check(MakeInstallation(paths)); });
    std::printf("synthetic installation (2,348 standard pictures, 96 screen bitmaps, core image): %.3f s\n", install);

    PicBuffers buf;
    const fs::path image = paths.SDImageFile();
    const fs::path scratch = paths.SDImageDir() / "copy.dat";

    // Full build: every row into an empty image.
    CompileOptions base;
    base.chkBuildBaseImage = true;
    std::vector<fs::path> allSources;
    for (int row = 0; row < kImgCount; ++row)
        allSources.push_back(SourceFile(row, paths, base, false));
    double fullEngine = 1e9, fullCopy = 1e9;
    for (int i = 0; i < kRepeats; ++i) {
        fullCopy = std::min(fullCopy, Seconds([&] { MoveSameBytes(allSources, kCardImageSize, scratch, true); }));
        fs::remove(image);
        fullEngine = std::min(fullEngine, Seconds([&] { Run(paths, base, image, buf); }));
    }
    if (fs::file_size(image) != kCardImageSize)
        Die("the full build has the wrong size");
    Report("full build, 2,444 rows into an empty image", fullEngine, fullCopy, TotalSize(allSources), kCardImageSize);

    // Normal SFC write: the 16 screens of a 480 x 272 landscape design into a copy of the core image.
    CompileOptions normal;
    normal.DispCode = 1;
    std::vector<fs::path> screenSources;
    std::uint64_t screenBytes = 0;
    for (int s = 0; s < 16; ++s) {
        const int row = ScreenRow(1, s);
        BmpImage img;
        img.width = 480;
        img.height = 272;
        for (int k = 0; k < 480 * 272; ++k)
            img.pixels.push_back(static_cast<std::uint32_t>(k * 2654435761u) & 0xFFFFFF);
        screenSources.push_back(paths.BMPImagesDir() / ImgName(row));
        Check(WriteFileAtomic(screenSources.back(), EncodeBmp(img), false));
        screenBytes += SlotSize(row);
    }
    const std::uint64_t configBytes = (kConfigSectors + 1) * kSectorSize;
    double normalEngine = 1e9, normalCopy = 1e9, coreCopy = 1e9;
    for (int i = 0; i < kRepeats; ++i) {
        coreCopy = std::min(coreCopy, Seconds([&] { Check(CopyFileTo(paths.CoreImageFile(), image)); }));
        Check(CopyFileTo(paths.CoreImageFile(), scratch));
        normalCopy = std::min(normalCopy, Seconds([&] { MoveSameBytes(screenSources, screenBytes + configBytes, scratch, false); }));
        normalEngine = std::min(normalEngine, Seconds([&] { Run(paths, normal, image, buf); }));
    }
    Report("normal SFC write, 16 screens of 480 x 272 into a copy of the core image", normalEngine, normalCopy,
           TotalSize(screenSources), screenBytes + configBytes);
    std::printf("  (the copy of the core image before it, done by the write flow: %.3f s)\n", coreCopy);

    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
