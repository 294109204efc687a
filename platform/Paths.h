#pragma once
// "C:\" is a folder of ours (the home folder in the program, a temporary folder in tests); the
// fixed folders of the program lie under it, and Windows-form paths read from files map into it.
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace kx4 {

class Paths {
public:
    // `cDrive` is the folder that stands for "C:\".
    explicit Paths(std::filesystem::path cDrive);
    // The user's home folder as "C:\".
    static Paths FromHome();

    const std::filesystem::path& CDrive() const { return root_; }
    std::filesystem::path ProgramDir() const;        // C:\QVR Brivane KX4 Pro
    std::filesystem::path SDImageDir() const;        // …\SDImage
    std::filesystem::path SDImageFile() const;       // …\SDImage\QVRTOUCH.DAT
    std::filesystem::path PreviewDir() const;        // …\Screen Preview
    std::filesystem::path SDCardGraphicsDir() const; // …\SDCardGraphics
    std::filesystem::path BMPImagesDir() const;      // …\SDCardGraphics\BMPImages
    std::filesystem::path RawImagesDir() const;      // …\SDCardGraphics\RawImages
    std::filesystem::path CoreImageFile() const;     // …\SDCardGraphics\QVR_KX4_CoreIMG.DAT
    std::filesystem::path BMPLibraryDir() const;     // C:\QVR Brivane KX4 Pro Screen\BMP Library
    // The logo background of a panel size and layout ("QVRS0_L.BMP" … in BMPImages, index
    // ScnRes × 2 + Layout), found without regard to case; empty for an index outside 0-5.
    std::filesystem::path LogoFile(int scnRes, int layout) const;

    // `folder` when it exists, else the nearest existing folder above it, CDrive() at the highest
    // for a folder under it: where a file dialog starts, since Qt's starts in the working folder.
    std::filesystem::path NearestExistingFolder(const std::filesystem::path& folder) const;

    // A path as stored in a project: a Windows-form path on "C:\" maps under CDrive() with `\`
    // turned into `/` and each name matched without regard to case; any other path is taken as is.
    std::filesystem::path Map(std::string_view stored) const;

private:
    std::filesystem::path root_;
};

// Finds `name` in `dir`, first exactly, then without regard to case; returns dir/name when neither.
std::filesystem::path FindNoCase(const std::filesystem::path& dir, const std::string& name);

// The names in a folder, read once, for finding many files as FindNoCase finds them without a
// look-up of each on the disk; names added later are not seen.
class FolderNames {
public:
    explicit FolderNames(std::filesystem::path dir);
    std::filesystem::path Find(const std::string& name) const;

private:
    std::filesystem::path dir_;
    std::unordered_set<std::string> names_;
    std::unordered_map<std::string, std::string> folded_; // lower case: the first such name
};

} // namespace kx4
