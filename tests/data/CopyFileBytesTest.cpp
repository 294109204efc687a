#include "data/FileIO.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

using namespace kx4;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

namespace {

std::vector<std::uint8_t> Pattern(std::size_t n)
{
    std::vector<std::uint8_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<std::uint8_t>(i * 31 + i / 251);
    return v;
}

struct Open {
    int fd;
    Open(const std::filesystem::path& file, int flags) : fd(::open(file.c_str(), flags | O_CLOEXEC, 0644)) {}
    ~Open() { ::close(fd); }
};

} // namespace

TEST(CopyFileBytes, CopiesFromTheStartAndKeepsWhatLiesBeyond)
{
    TempDir dir;
    const auto source = Pattern(3 * 1024 * 1024 + 17);
    WriteBytes(dir / "src", source);
    WriteBytes(dir / "dst", std::vector<std::uint8_t>(source.size() + 5, 0xEE));
    {
        Open in(dir / "src", O_RDONLY);
        Open out(dir / "dst", O_WRONLY);
        errno = EIO;
        EXPECT_EQ(CopyFileBytes(in.fd, out.fd, source.size()), source.size());
        EXPECT_EQ(errno, 0);
    }
    auto want = source;
    want.insert(want.end(), 5, 0xEE);
    EXPECT_EQ(ReadBytes(dir / "dst"), want);
}

TEST(CopyFileBytes, AShortSourceEndsTheCopyWithoutAnError)
{
    TempDir dir;
    WriteBytes(dir / "src", Pattern(1000));
    Open in(dir / "src", O_RDONLY);
    Open out(dir / "dst", O_WRONLY | O_CREAT);
    errno = EIO;
    EXPECT_EQ(CopyFileBytes(in.fd, out.fd, 5000), 1000u);
    EXPECT_EQ(errno, 0);
    EXPECT_EQ(ReadBytes(dir / "dst"), Pattern(1000));
    // A copy of a file that was longer when it was opened is no whole copy.
    EXPECT_EQ(CopyAllBytes(in.fd, out.fd, 5000, dir / "src"), Quoted(dir / "src") + " became shorter while it was copied");
    EXPECT_EQ(CopyAllBytes(in.fd, out.fd, 1000, dir / "src"), "");
}

TEST(CopyFileBytes, WhereTheKernelRefusesReadsAndWritesDoTheSame)
{
    // The kernel does not copy into a file opened for appending; the plain copy does, to the end.
    TempDir dir;
    const auto source = Pattern(2 * 1024 * 1024 + 300);
    WriteBytes(dir / "src", source);
    {
        Open in(dir / "src", O_RDONLY);
        Open out(dir / "dst", O_WRONLY | O_CREAT | O_APPEND);
        EXPECT_EQ(CopyFileBytes(in.fd, out.fd, kWholeFile), source.size());
        EXPECT_EQ(errno, 0) << "the kernel's refusal is not reported";
    }
    EXPECT_EQ(ReadBytes(dir / "dst"), source);
}

TEST(CopyFileBytes, AFailureReportsTheBytesCopiedAndTheError)
{
    TempDir dir;
    WriteBytes(dir / "src", Pattern(4096));
    WriteBytes(dir / "dst", {});
    Open in(dir / "src", O_RDONLY);
    Open out(dir / "dst", O_RDONLY);
    EXPECT_EQ(CopyFileBytes(in.fd, out.fd, 4096), 0u);
    EXPECT_EQ(errno, EBADF);
}
