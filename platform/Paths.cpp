#include "platform/Paths.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace kx4 {
namespace fs = std::filesystem;

namespace {

bool SameNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

} // namespace

Paths::Paths(fs::path cDrive) : root_(std::move(cDrive)) {}

Paths Paths::FromHome()
{
    const char* home = std::getenv("HOME");
    return Paths(home && *home ? fs::path(home) : fs::current_path());
}

fs::path Paths::ProgramDir() const { return root_ / "QVR Brivane KX4 Pro"; }
fs::path Paths::SDImageDir() const { return ProgramDir() / "SDImage"; }
fs::path Paths::SDImageFile() const { return SDImageDir() / "QVRTOUCH.DAT"; }
fs::path Paths::PreviewDir() const { return ProgramDir() / "Screen Preview"; }
fs::path Paths::SDCardGraphicsDir() const { return ProgramDir() / "SDCardGraphics"; }
fs::path Paths::BMPImagesDir() const { return SDCardGraphicsDir() / "BMPImages"; }
fs::path Paths::RawImagesDir() const { return SDCardGraphicsDir() / "RawImages"; }
fs::path Paths::CoreImageFile() const { return SDCardGraphicsDir() / "QVR_KX4_CoreIMG.DAT"; }
fs::path Paths::BMPLibraryDir() const { return root_ / "QVR Brivane KX4 Pro Screen" / "BMP Library"; }

fs::path Paths::LogoFile(int scnRes, int layout) const
{
    const int index = scnRes * 2 + layout;
    if (index < 0 || index > 5)
        return {};
    return FindNoCase(BMPImagesDir(), "QVRS" + std::to_string(index / 2) + (index % 2 ? "_P.BMP" : "_L.BMP"));
}

fs::path FindNoCase(const fs::path& dir, const std::string& name)
{
    std::error_code ec;
    if (fs::exists(dir / name, ec))
        return dir / name;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (SameNoCase(entry, name))
            return it->path();
    }
    return dir / name;
}

fs::path Paths::Map(std::string_view stored) const
{
    const bool onC = stored.size() >= 3 && (stored[0] == 'C' || stored[0] == 'c') && stored[1] == ':'
                  && (stored[2] == '\\' || stored[2] == '/');
    if (!onC)
        return fs::path(std::string(stored));

    fs::path p = root_;
    std::string part;
    auto step = [&] {
        if (!part.empty() && part != ".")
            p = part == ".." ? p.parent_path() : FindNoCase(p, part);
        part.clear();
    };
    for (std::size_t i = 3; i < stored.size(); ++i) {
        if (stored[i] == '\\' || stored[i] == '/')
            step();
        else
            part.push_back(stored[i]);
    }
    step();
    return p;
}

} // namespace kx4
