#include "platform/Files.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace kx4;
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
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 2);
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
