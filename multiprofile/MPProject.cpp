#include "multiprofile/MPProject.h"

#include "data/Ansi.h"

#include <cstdio>

namespace kx4 {

IoResult EncodeMPProject(const ProfileList& profiles, std::vector<std::uint8_t>& out)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(2 * kProfileCount);
    for (int k = 0; k < kProfileCount; ++k) {
        const std::string& path = profiles[static_cast<std::size_t>(k)];
        // A character the code page lacks would be stored as '?' and name another file.
        if (!AnsiHolds(path))
            return IoResult::Fail("The file of profile " + ProfileNumber(k) + ", " + Quoted(path)
                                  + ", has characters a project file cannot hold.");
        if (!PutCountedString(bytes, path))
            return IoResult::Fail("The file name of profile " + ProfileNumber(k) + " is too long for a project file.");
    }
    out = std::move(bytes);
    return IoResult::Ok();
}

IoResult DecodeMPProject(std::span<const std::uint8_t> bytes, ProfileList& out, const std::string& what)
{
    ProfileList read;
    std::size_t at = 0;
    for (std::string& path : read)
        if (!GetCountedString(bytes, at, path))
            return IoResult::Fail(Quoted(what) + " is not a multi-profile project file: it is cut short or damaged.");
    out = std::move(read);
    return IoResult::Ok();
}

IoResult SaveMPProjectFile(const ProfileList& profiles, const std::filesystem::path& file)
{
    std::vector<std::uint8_t> bytes;
    if (IoResult r = EncodeMPProject(profiles, bytes); !r)
        return IoResult::Fail("Cannot save " + Quoted(file) + ": " + r.message);
    // Readers stop after the 128th path, so an older file's tail is kept rather than cut off.
    std::vector<std::uint8_t> old;
    std::error_code ec;
    if (std::filesystem::is_regular_file(file, ec) && ReadWholeFile(file, old) && old.size() > bytes.size())
        bytes.insert(bytes.end(), old.begin() + static_cast<std::ptrdiff_t>(bytes.size()), old.end());
    return WriteFileAtomic(file, bytes);
}

IoResult LoadMPProjectFile(const std::filesystem::path& file, ProfileList& out)
{
    std::vector<std::uint8_t> bytes;
    if (IoResult r = ReadWholeFile(file, bytes); !r)
        return r;
    return DecodeMPProject(bytes, out, file.string());
}

std::string ProfileNumber(int k)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%03d", k + 1);
    return buf;
}

std::string ProfileRowText(const ProfileList& profiles, int k)
{
    const std::string& file = profiles[static_cast<std::size_t>(k)];
    if (!file.empty())
        return file;
    return k == 0 ? "<Profile 001 Must Be Selected>" : "<Replicate Profile 001>";
}

} // namespace kx4
