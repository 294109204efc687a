#pragma once
// Whole-file reads and crash-safe whole-file writes, shared by every file the program saves.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace kx4 {

// The outcome of a file operation: ok, or a message for the user that names the file.
struct IoResult {
    bool ok = true;
    std::string message;

    static IoResult Ok() { return {}; }
    static IoResult Fail(std::string text) { return {false, std::move(text)}; }
    explicit operator bool() const { return ok; }
};

// The file's path in double quotes, as messages name files.
std::string Quoted(const std::filesystem::path& file);

// Reads from `offset` until `buffer` is full or the file ends, retrying interrupted reads; the
// bytes read, or -1 with errno set.
std::ptrdiff_t ReadFullAt(int fd, std::span<std::uint8_t> buffer, std::uint64_t offset);

// Writes all of `bytes` at `offset`, retrying interrupted and partial writes; the bytes written,
// fewer only after an error (errno set) or a write that moved nothing (errno 0).
std::size_t WriteFullAt(int fd, std::span<const std::uint8_t> bytes, std::uint64_t offset);

// Reads the start of `file` into `buffer`, at most its size: `got` bytes; `fileSize` is the size of
// the whole file.
IoResult ReadFileStart(const std::filesystem::path& file, std::span<std::uint8_t> buffer, std::size_t& got,
                       std::uintmax_t& fileSize);

// Reads the whole file into `out`; refuses files larger than `maxBytes`.
IoResult ReadWholeFile(const std::filesystem::path& file, std::vector<std::uint8_t>& out,
                       std::uintmax_t maxBytes = 512u * 1024u * 1024u);

// Produces the file's bytes chunk by chunk: each call appends to `chunk` and returns false when done
// or true while more follows; `error` set means the producer failed.
using ChunkSource = std::function<bool(std::vector<std::uint8_t>& chunk, std::string& error)>;

// Writes a temporary file beside `target`, checks every write, flushes it to the device (unless
// `flush` is false, for scratch files) and renames it over `target`; on failure the old file stays
// as it was and the temporary file is removed.
IoResult WriteFileAtomic(const std::filesystem::path& target, const ChunkSource& source, bool flush = true);

// The same for bytes held in memory.
IoResult WriteFileAtomic(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                         bool flush = true);

// Copies the first `count` bytes of `in` to the start of `out` inside the kernel (copy_file_range:
// the bytes never pass through user space, and extents are shared where the file system can),
// by reads and writes where that is not supported; the bytes copied, fewer only after an error
// (errno set) or when `in` ended first (errno 0). Nothing is flushed.
std::uint64_t CopyFileBytes(int in, int out, std::uint64_t count);

} // namespace kx4
