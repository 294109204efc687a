#pragma once
// The baselines' byte movers: plain read(2) and pwrite(2), each result checked, so that a baseline
// moves the same bytes as the user's work the same way and nothing else.
#include "data/FileIO.h"
#include "sdcard/ConversionRun.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace kx4::bench {

// The baseline's file beside `file` of the user's work: "Copy of " and its name.
std::filesystem::path BaselineCopy(const std::filesystem::path& file);

// Opens `file` for writing, emptied (created when absent), as cp opens its target.
UniqueFd OpenEmptied(const std::filesystem::path& file);

// Reads `file` whole into `buffer` (grown as needed); its size in bytes.
std::size_t ReadAll(const std::filesystem::path& file, std::vector<std::uint8_t>& buffer);

// Replaces `file` as the renderer replaces its pictures: `bytes` into a new file beside it, which
// is then renamed over the old one; nothing is flushed.
void ReplaceFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);

// cp --reflink=never: every byte of `from` read and written from the start of `to`.
void CopyByReadWrite(const std::filesystem::path& from, int to, std::vector<std::uint8_t>& buffer);

// One picture of a conversion run as bytes: `source` read whole, its first `bytes` bytes written at
// `offset` of the card image, where the engine writes the packed picture.
struct SlotMove {
    std::filesystem::path source;
    std::uint32_t offset = 0;
    std::uint32_t bytes = 0;
};

// The moves of the rows a run writes, as the engine would find them.
std::vector<SlotMove> SlotMoves(const modOrvel& m, const Paths& paths, const CompileOptions& opt);

// The moves into `image`.
void MoveSlots(const std::vector<SlotMove>& moves, int image, std::vector<std::uint8_t>& buffer);

// `bytes` held in memory written at `offset` of `image`, as a sink writes a picture.
void WriteImageBytes(int image, std::span<const std::uint8_t> bytes, std::uint64_t offset);

// The 32 configuration sectors and the device map sector of a configuration block at `base` of
// `image`, as the configuration writer writes them.
void MoveConfig(int image, std::uint32_t base, std::vector<std::uint8_t>& buffer);

void Flush(int fd);

} // namespace kx4::bench
