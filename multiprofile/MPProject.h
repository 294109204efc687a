#pragma once
// The multi-profile project: the panel data files of the 128 profiles and the project file
// (*.MPP) that keeps them, with the texts of the builder window's rows.
#include "data/FileIO.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace kx4 {

constexpr int kProfileCount = 128;
constexpr int kProfileRows = 16;                             // rows the builder window shows
constexpr int kLastTopProfile = kProfileCount - kProfileRows; // 112

// sProfileFile: the path of profile k + 1's panel data file (UTF-8), empty when not chosen.
using ProfileList = std::array<std::string, kProfileCount>;

// The project file's bytes: the 128 paths in order, each a counted Windows-1252 string. Fails,
// naming the profile, for a path the code page cannot hold or one longer than 65,535 bytes.
IoResult EncodeMPProject(const ProfileList& profiles, std::vector<std::uint8_t>& out);

// Reads the 128 paths from the start of `bytes`, ignoring what follows them; `out` changes only
// when all 128 are there. `what` names the file in the message.
IoResult DecodeMPProject(std::span<const std::uint8_t> bytes, ProfileList& out, const std::string& what);

// Saves the project whole through the safe write. Bytes of an older, longer file beyond the new
// end stay where they were, as the project file has always been written.
IoResult SaveMPProjectFile(const ProfileList& profiles, const std::filesystem::path& file);

// Reads the project file whole and decodes it; `out` changes only on success.
IoResult LoadMPProjectFile(const std::filesystem::path& file, ProfileList& out);

// The profile number of index k as the rows show it: "001" to "128".
std::string ProfileNumber(int k);

// What row text shows for index k: the chosen file, or the placeholder of an empty row.
std::string ProfileRowText(const ProfileList& profiles, int k);

} // namespace kx4
