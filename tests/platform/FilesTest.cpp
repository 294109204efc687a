#include "platform/Files.h"

#include "FileSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

using namespace kx4;
using test::Entries;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(PathExists, FilesAndFolders)
{
    TempDir dir;
    WriteBytes(dir / "f", {1});
    EXPECT_TRUE(PathExists(dir / "f"));
    EXPECT_TRUE(PathExists(dir.path()));
    EXPECT_FALSE(PathExists(dir / "nothing"));
    EXPECT_FALSE(PathExists(""));
}

TEST(CopyFileTo, ReplacesTheDestinationWhole)
{
    TempDir dir;
    std::vector<std::uint8_t> big(3 * 1024 * 1024 + 17);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<std::uint8_t>(i * 31 + 7);
    WriteBytes(dir / "src", big);
    WriteBytes(dir / "dst", std::vector<std::uint8_t>(5 * 1024 * 1024, 1));
    ASSERT_TRUE(CopyFileTo(dir / "src", dir / "dst"));
    EXPECT_EQ(ReadBytes(dir / "dst"), big);
    // No temporary file is left behind.
    EXPECT_EQ(Entries(dir.path()).size(), 2u);
}

TEST(CopyFileTo, AFailureLeavesTheDestinationAsItWas)
{
    TempDir dir;
    WriteBytes(dir / "dst", {9, 9});
    const IoResult missing = CopyFileTo(dir / "nope", dir / "dst");
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.message.find("nope"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir / "dst"), (std::vector<std::uint8_t>{9, 9}));

    WriteBytes(dir / "src", {1, 2});
    EXPECT_FALSE(CopyFileTo(dir / "src", dir / "no-folder" / "dst"));
}

TEST(CopyFileTo, OnlyRegularFilesAreCopiedAndNothingWaitsOnAFifo)
{
    TempDir dir;
    const auto fifo = dir / "QVRTOUCH.DAT";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    WriteBytes(dir / "src", {1, 2, 3});
    test::FifoRescue rescue(fifo);
    EXPECT_EQ(CopyFileTo(fifo, dir / "dst").message, Quoted(fifo) + " is not a regular file.");
    EXPECT_EQ(CopyFileTo(dir / "src", fifo).message, Quoted(fifo) + " is not a regular file.");
    EXPECT_FALSE(rescue.Rescued());
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_FALSE(std::filesystem::exists(dir / "dst"));
}

// Copies and saves killed at random moments: the target is always one whole version, and what
// they leave behind is at most one temporary file, which the next copy removes.
TEST(CopyFileTo, KilledCopiesAndSavesLeaveAtMostOneLeftover)
{
    std::mt19937 random(12);
    for (const bool unnamed : {true, false}) {
        TempDir dir;
        WriteOptions options;
        options.unnamedTemp = unnamed;
        std::vector<std::uint8_t> image(3 * 1024 * 1024);
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = static_cast<std::uint8_t>(i * 7 + i / 4096);
        const std::vector<std::uint8_t> backup(image.begin(), image.begin() + 1024 * 1024 + 5);
        const auto src = dir / "core";
        const auto dst = dir / "QVRTOUCH.DAT";
        WriteBytes(src, image);
        WriteBytes(dst, backup);

        int leftovers = 0;
        for (int round = 0; round < 25; ++round) {
            const pid_t pid = ::fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                for (;;) {
                    CopyFileTo(src, dst, options);
                    WriteFileAtomic(dst, backup, options);
                }
            }
            std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution(500, 15000)(random)));
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);

            const auto now = ReadBytes(dst);
            ASSERT_TRUE(now == image || now == backup) << "a torn file after round " << round;
            const std::size_t entries = std::distance(std::filesystem::directory_iterator(dir.path()), {});
            ASSERT_LE(entries, 3u) << "more than one leftover after round " << round;
            leftovers += entries == 3u ? 1 : 0;
        }
        ASSERT_TRUE(CopyFileTo(src, dst, options));
        EXPECT_EQ(ReadBytes(dst), image);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << "unnamed " << unnamed;
        if (!unnamed) {
            EXPECT_GT(leftovers, 0) << "no round was killed inside a write";
        }
    }
}

TEST(LinkFileOver, MakesTheTargetANameOfTheFileAndLeavesNothingElse)
{
    TempDir dir;
    WriteBytes(dir / "first", {1, 2, 3});

    ASSERT_TRUE(LinkFileOver(dir / "first", dir / "new"));
    EXPECT_EQ(ReadBytes(dir / "new"), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_TRUE(std::filesystem::equivalent(dir / "first", dir / "new"));

    // An existing file is replaced; its other names keep the old content.
    WriteBytes(dir / "old", {7});
    std::filesystem::create_hard_link(dir / "old", dir / "other name of old");
    ASSERT_TRUE(LinkFileOver(dir / "first", dir / "old"));
    EXPECT_EQ(ReadBytes(dir / "old"), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(ReadBytes(dir / "other name of old"), (std::vector<std::uint8_t>{7}));

    // Already a name of the file: nothing to do, nothing left over.
    ASSERT_TRUE(LinkFileOver(dir / "first", dir / "new"));
    EXPECT_EQ(std::filesystem::hard_link_count(dir / "first"), 3u);
    EXPECT_EQ(Entries(dir.path()).size(), 4u);
}

TEST(LinkFileOver, AFailureChangesNothing)
{
    TempDir dir;
    WriteBytes(dir / "target", {5});
    const IoResult missing = LinkFileOver(dir / "nope", dir / "target");
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.message, "Cannot open \"" + (dir / "nope").string() + "\": No such file or directory");
    EXPECT_EQ(ReadBytes(dir / "target"), (std::vector<std::uint8_t>{5}));

    // What the safe write follows or refuses is left to it.
    std::filesystem::create_directories(dir / "folder");
    const IoResult folder = LinkFileOver(dir / "target", dir / "folder");
    EXPECT_EQ(folder.message, Quoted(dir / "folder") + " is not a plain writable file.");
    EXPECT_TRUE(std::filesystem::is_empty(dir / "folder"));
    WriteBytes(dir / "elsewhere", {6});
    std::filesystem::create_symlink(dir / "elsewhere", dir / "link");
    EXPECT_FALSE(LinkFileOver(dir / "target", dir / "link"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
    WriteBytes(dir / "read-only", {4});
    std::filesystem::permissions(dir / "read-only", std::filesystem::perms::owner_read);
    EXPECT_FALSE(LinkFileOver(dir / "target", dir / "read-only"));
    EXPECT_EQ(ReadBytes(dir / "read-only"), (std::vector<std::uint8_t>{4}));
    EXPECT_EQ(std::filesystem::hard_link_count(dir / "target"), 1u) << "no link left behind";
}
