#include "bench/support/MoveBytes.h"

#include "bench/support/PairedBench.h"
#include "sdcard/PictureTable.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kx4::bench {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kChunk = 1 << 20;

std::string Why() { return std::strerror(errno); }

void WriteAll(int fd, const std::uint8_t* p, std::size_t n, const fs::path& file)
{
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w <= 0)
            Die("cannot write " + file.string() + ": " + Why());
        p += w;
        n -= static_cast<std::size_t>(w);
    }
}

void WriteAllAt(int fd, const std::uint8_t* p, std::size_t n, std::uint64_t at)
{
    while (n > 0) {
        const ssize_t w = ::pwrite(fd, p, n, static_cast<off_t>(at));
        if (w <= 0)
            Die("cannot write the image: " + Why());
        p += w;
        at += static_cast<std::uint64_t>(w);
        n -= static_cast<std::size_t>(w);
    }
}

} // namespace

Fd::~Fd()
{
    if (fd_ >= 0)
        ::close(fd_);
}

fs::path BaselineCopy(const fs::path& file) { return file.parent_path() / ("Copy of " + file.filename().string()); }

Fd OpenEmptied(const fs::path& file)
{
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        Die("cannot open " + file.string() + ": " + Why());
    return Fd(fd);
}

std::size_t ReadAll(const fs::path& file, std::vector<std::uint8_t>& buffer)
{
    const Fd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        Die("cannot open " + file.string() + ": " + Why());
    std::size_t size = 0;
    for (;;) {
        if (buffer.size() < size + kChunk)
            buffer.resize(size + kChunk);
        const ssize_t n = ::read(fd.get(), buffer.data() + size, buffer.size() - size);
        if (n < 0)
            Die("cannot read " + file.string() + ": " + Why());
        if (n == 0)
            return size;
        size += static_cast<std::size_t>(n);
    }
}

void ReplaceFile(const fs::path& file, std::span<const std::uint8_t> bytes)
{
    std::string tmp = (file.parent_path() / ("." + file.filename().string() + ".tmp-XXXXXX")).string();
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0)
        Die("cannot create a file beside " + file.string() + ": " + Why());
    WriteAll(fd, bytes.data(), bytes.size(), tmp);
    if (::close(fd) != 0 || ::rename(tmp.c_str(), file.c_str()) != 0)
        Die("cannot replace " + file.string() + ": " + Why());
}

void CopyByReadWrite(const fs::path& from, int to, std::vector<std::uint8_t>& buffer)
{
    const Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        Die("cannot open " + from.string() + ": " + Why());
    buffer.resize(std::max(buffer.size(), kChunk));
    for (;;) {
        const ssize_t n = ::read(in.get(), buffer.data(), kChunk);
        if (n < 0)
            Die("cannot read " + from.string() + ": " + Why());
        if (n == 0)
            return;
        WriteAll(to, buffer.data(), static_cast<std::size_t>(n), "the copy of " + from.string());
    }
}

std::vector<SlotMove> SlotMoves(const modOrvel& m, const Paths& paths, const CompileOptions& opt)
{
    std::vector<SlotMove> moves;
    std::vector<std::uint8_t> bytes;
    for (int row = 0; row < kImgCount; ++row) {
        if (!RowSelected(row, opt, RawMode(m)))
            continue;
        SlotMove move;
        move.source = SourceFile(row, paths, opt, RawMode(m));
        move.offset = ImgOffset(row);
        // The packed size follows from the picture's size in the header.
        ReadAll(move.source, bytes);
        if (bytes.size() < 26)
            Die(move.source.string() + " is not a picture");
        auto u32 = [&](std::size_t at) { return std::uint32_t{bytes[at]} | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t{bytes[at + 3]} << 24; };
        move.bytes = PackedSize(std::size_t{u32(18)} * u32(22) + (HasHeader(row) ? kPicHeaderWords : 0));
        moves.push_back(move);
    }
    return moves;
}

void MoveSlotsAndConfig(const std::vector<SlotMove>& moves, int image, std::vector<std::uint8_t>& buffer)
{
    for (const SlotMove& move : moves) {
        if (ReadAll(move.source, buffer) < move.bytes)
            Die(move.source.string() + " is shorter than its packed picture");
        WriteAllAt(image, buffer.data(), move.bytes, move.offset);
    }
    WriteAllAt(image, buffer.data(), kConfigSectors * kSectorSize, kConfigOffset);
    WriteAllAt(image, buffer.data(), kSectorSize, kDeviceMapOffset);
}

void Flush(int fd)
{
    if (::fsync(fd) != 0)
        Die(std::string("cannot flush: ") + Why());
}

} // namespace kx4::bench
