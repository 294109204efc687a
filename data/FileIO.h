#pragma once
// Whole-file reads and crash-safe whole-file writes, shared by every file the program reads or saves.
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

// A file descriptor closed on scope exit unless released.
class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    int get() const { return fd_; }
    int release()
    {
        const int f = fd_;
        fd_ = -1;
        return f;
    }
    void reset(int fd = -1);

private:
    int fd_;
};

// The file's path in double quotes, as messages name files.
std::string Quoted(const std::filesystem::path& file);

// Makes a write past the process's file-size limit fail with EFBIG, reported like any failed
// write, instead of ending the process; the program calls it once at start.
void IgnoreFileSizeSignal();

// Reads from `offset` until `buffer` is full or the file ends, retrying interrupted reads; the
// bytes read, or -1 with errno set.
std::ptrdiff_t ReadFullAt(int fd, std::span<std::uint8_t> buffer, std::uint64_t offset);

// Writes all of `bytes` at `offset`, retrying interrupted and partial writes; the bytes written,
// fewer only after an error (errno set) or a write that moved nothing (errno 0).
std::size_t WriteFullAt(int fd, std::span<const std::uint8_t> bytes, std::uint64_t offset);

// Opens `file` with `flags` (O_RDONLY, or O_WRONLY with or without O_CREAT) only when it is a
// regular file, or absent and O_CREAT is given; a FIFO, device or socket is refused without being
// opened for real and without blocking. `fd` gets a close-on-exec descriptor, -1 on failure;
// `size`, where given, the file's size in bytes as opened.
IoResult OpenRegularFile(const std::filesystem::path& file, int flags, int& fd, std::uintmax_t* size = nullptr);

// Reads the start of `file` into `buffer`, at most its size: `got` bytes; `fileSize` is the size of
// the whole file.
IoResult ReadFileStart(const std::filesystem::path& file, std::span<std::uint8_t> buffer, std::size_t& got,
                       std::uintmax_t& fileSize);

// Makes the folder `dir` and any missing folders above it; ok when it is a folder already.
IoResult MakeFolder(const std::filesystem::path& dir);

// Reads the whole regular file into `out`; refuses files larger than `maxBytes`.
IoResult ReadWholeFile(const std::filesystem::path& file, std::vector<std::uint8_t>& out,
                       std::uintmax_t maxBytes = 512u * 1024u * 1024u);

// How a whole-file write is made durable.
struct WriteOptions {
    WriteOptions(bool flushToDevice = true) : flush(flushToDevice) {} // from a bool: whether to flush
    bool flush;              // force the file and its folder onto the device; false for scratch files
    bool unnamedTemp = true; // false: write as on a file system without O_TMPFILE
};

// Writes the new contents into `fd` from byte 0 and sets `size` to their length in bytes; returns
// why it failed, empty on success.
using FileWriter = std::function<std::string(int fd, std::uint64_t& size)>;

// A FileWriter of `bytes`, which must outlive it.
FileWriter WriterOf(std::span<const std::uint8_t> bytes);

// The safe whole-file write behind every save and copy. A symbolic link is followed and its final
// target replaced. The contents go into an unnamed temporary file in the target's folder
// (O_TMPFILE) or, where the file system has none, into ".kx4-save-<hash of the name>.tmp", whose
// leftover from a killed write of the same target is removed first; the file is flushed, given
// the old file's mode and, where allowed, owner and group, and renamed over the target, so a
// failed or killed write leaves the old file whole. Other names of a hard-linked target keep the
// old bytes. A target its user may not write (for root: one without any write permission bit) is
// refused unchanged; where the folder does not let the user add a file but the target is writable,
// the target is rewritten in place, checked and flushed.
IoResult WriteFileThrough(const std::filesystem::path& target, const FileWriter& write, WriteOptions options = {});

// WriteFileThrough with the contents held in memory.
IoResult WriteFileAtomic(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                         WriteOptions options = {});

// A folder held open, so that what is written into it stays in it whatever its path comes to name;
// `path` names it in messages.
struct FolderHandle {
    UniqueFd fd;
    std::filesystem::path path;
};

// Opens the folder `dir` itself, refusing a symbolic link in its place.
IoResult HoldFolder(const std::filesystem::path& dir, FolderHandle& out);

// Opens the folder `relative` beneath `base`, with `create` making each missing part first, one
// part at a time without following a symbolic link, going up with "..", or leaving the file system
// of `base`; a link in the way fails with a message that names it and says to remove it.
IoResult OpenFolderBeneath(const FolderHandle& base, const std::filesystem::path& relative, bool create,
                           FolderHandle& out);

// WriteFileThrough for the file `name` of the open folder `dir`, except that a symbolic link of
// that name is refused, with a message that names it and says to remove it, instead of followed.
IoResult WriteFileInFolder(const FolderHandle& dir, const std::string& name, const FileWriter& write,
                           WriteOptions options = {});

// The name of the temporary file a write of `target` uses where the file system has no O_TMPFILE.
std::filesystem::path SaveTempName(const std::filesystem::path& target);

// Copies the first `count` bytes of `in` (all of it with kWholeFile) to the start of `out` inside
// the kernel (copy_file_range: the bytes never pass through user space, and extents are shared
// where the file system can), by reads and writes where that is not supported; the bytes copied.
// errno is 0 afterwards when all were copied or `in` ended first, and set after an error. Nothing
// is flushed.
inline constexpr std::uint64_t kWholeFile = UINT64_MAX;
std::uint64_t CopyFileBytes(int in, int out, std::uint64_t count);

// CopyFileBytes of `size` bytes, the size `in` had when opened: why not all of them were copied
// (an error, or `source` ending early), empty when they were.
std::string CopyAllBytes(int in, int out, std::uint64_t size, const std::filesystem::path& source);

} // namespace kx4
