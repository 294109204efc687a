#include "bench/support/MoveBytes.h"

#include "assets/Bmp.h"
#include "bench/support/PairedBench.h"
#include "sdcard/PictureTable.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kx4::bench {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kChunk = 1 << 20;

std::string Why() { return std::strerror(errno); }

// `bytes` written at `at` of `fd`; `what` names the file in the message of a failure.
void WriteAt(int fd, std::span<const std::uint8_t> bytes, std::uint64_t at, const std::string& what)
{
    if (WriteFullAt(fd, bytes, at) < bytes.size())
        Die("cannot write " + what + ": " + Why());
}

UniqueFd OpenToRead(const fs::path& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        Die("cannot open " + file.string() + ": " + Why());
    return UniqueFd(fd);
}

} // namespace

fs::path BaselineCopy(const fs::path& file) { return file.parent_path() / ("Copy of " + file.filename().string()); }

UniqueFd OpenEmptied(const fs::path& file)
{
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        Die("cannot open " + file.string() + ": " + Why());
    return UniqueFd(fd);
}

std::size_t ReadAll(const fs::path& file, std::vector<std::uint8_t>& buffer)
{
    const UniqueFd fd = OpenToRead(file);
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
    WriteAt(fd, bytes, 0, tmp);
    if (::close(fd) != 0 || ::rename(tmp.c_str(), file.c_str()) != 0)
        Die("cannot replace " + file.string() + ": " + Why());
}

void CopyByReadWrite(const fs::path& from, int to, std::vector<std::uint8_t>& buffer)
{
    const UniqueFd in = OpenToRead(from);
    buffer.resize(std::max(buffer.size(), kChunk));
    for (std::uint64_t at = 0;;) {
        const ssize_t n = ::read(in.get(), buffer.data(), kChunk);
        if (n < 0)
            Die("cannot read " + from.string() + ": " + Why());
        if (n == 0)
            return;
        WriteAt(to, std::span(buffer).first(static_cast<std::size_t>(n)), at, "the copy of " + from.string());
        at += static_cast<std::uint64_t>(n);
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
        const std::size_t size = ReadAll(move.source, bytes);
        BmpLayout bmp;
        if (!ParseBmp(std::span(bytes).first(size), bmp))
            Die(move.source.string() + " is not a picture");
        const std::size_t pixels = static_cast<std::size_t>(bmp.width) * static_cast<std::size_t>(bmp.height);
        move.bytes = PackedSize(pixels + (HasHeader(row) ? kPicHeaderWords : 0));
        moves.push_back(move);
    }
    return moves;
}

void MoveSlots(const std::vector<SlotMove>& moves, int image, std::vector<std::uint8_t>& buffer)
{
    for (const SlotMove& move : moves) {
        if (ReadAll(move.source, buffer) < move.bytes)
            Die(move.source.string() + " is shorter than its packed picture");
        WriteAt(image, std::span(buffer).first(move.bytes), move.offset, "the image");
    }
}

void WriteImageBytes(int image, std::span<const std::uint8_t> bytes, std::uint64_t offset)
{
    WriteAt(image, bytes, offset, "the image");
}

void MoveConfig(int image, std::uint32_t base, std::vector<std::uint8_t>& buffer)
{
    buffer.resize(std::max<std::size_t>(buffer.size(), kConfigSectors * kSectorSize));
    WriteAt(image, std::span(buffer).first(kConfigSectors * kSectorSize), base + kConfigOffset, "the image");
    WriteAt(image, std::span(buffer).first(kSectorSize), base + kDeviceMapOffset, "the image");
}

void Flush(int fd)
{
    if (::fsync(fd) != 0)
        Die(std::string("cannot flush: ") + Why());
}

} // namespace kx4::bench
