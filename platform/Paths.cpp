#include "platform/Paths.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace kx4 {
namespace fs = std::filesystem;

namespace {

std::string Folded(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
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

fs::path Paths::NearestExistingFolder(const fs::path& folder) const
{
    std::error_code ec;
    for (fs::path p = folder; !p.empty(); p = p.parent_path()) {
        if (fs::is_directory(p, ec))
            return p;
        if (p == root_ || p == p.parent_path())
            break;
    }
    return root_;
}

fs::path FindNoCase(const fs::path& dir, const std::string& name)
{
    fs::path exact = dir / name;
    std::error_code ec;
    if (fs::exists(exact, ec))
        return exact;
    const std::string folded = Folded(name);
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (Folded(it->path().filename().string()) == folded)
            return it->path();
    return exact;
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

FolderNames::FolderNames(fs::path dir) : dir_(std::move(dir))
{
    std::error_code ec;
    for (fs::directory_iterator it(dir_, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        folded_.try_emplace(Folded(name), name); // the first in folder order, as FindNoCase finds it
        names_.insert(std::move(name));
    }
}

fs::path FolderNames::Find(const std::string& name) const
{
    if (names_.count(name))
        return dir_ / name;
    const auto it = folded_.find(Folded(name));
    return dir_ / (it != folded_.end() ? it->second : name);
}

} // namespace kx4
