#pragma once
// The panel data file (*.KQC: both tables and the 16 background strings) and the screen file
// (*.KQS: one screen), as pure codecs between tables and bytes, and as files.
#include "data/FileIO.h"
#include "data/modOrvel.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace kx4 {

constexpr std::size_t kPanelTablesBytes = 2 * (kPanelCfgSize + kDesignCfgSize); // 98,304
constexpr std::size_t kScreenFileBytes = 6560;
constexpr std::size_t kScreenBackgroundCodes = 256;

// One screen as a screen file carries it.
struct ScreenData {
    std::array<i16, kScreenRecordEntries> cfg{};
    std::array<i16, kScreenDsnEntries> dsn{};
    std::string background; // UTF-8
};

// The bytes of a panel data file; fails only for a background string too long for its length field.
IoResult EncodePanelData(const ProjectTables& tables, std::vector<std::uint8_t>& out);

// Reads a panel data file's bytes; `out` is written only when the whole layout is present and the
// panel-wide options lie within their lists. Bytes after the 16th string are ignored. `what` names the file in the message.
IoResult DecodePanelData(std::span<const std::uint8_t> bytes, ProjectTables& out, const std::string& what);

// The 6,560 bytes of a screen file; fails when the background has more than 256 characters.
IoResult EncodeScreenData(const ScreenData& screen, std::vector<std::uint8_t>& out, const std::string& what);

// Reads a screen file's bytes; needs at least 6,560 of them.
IoResult DecodeScreenData(std::span<const std::uint8_t> bytes, ScreenData& out, const std::string& what);

// Saves whole and atomically: a failed save leaves the old file.
IoResult SavePanelDataFile(const ProjectTables& tables, const std::filesystem::path& file);
IoResult LoadPanelDataFile(const std::filesystem::path& file, ProjectTables& out);
IoResult ExportScreenFile(const ScreenData& screen, const std::filesystem::path& file);
IoResult ImportScreenFile(const std::filesystem::path& file, ScreenData& out);

} // namespace kx4
