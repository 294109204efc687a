#include "sdcard/ImageFileSink.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace kx4;
using namespace kx4::test;

namespace {

Sector Filled(std::uint8_t v)
{
    Sector s;
    s.fill(v);
    return s;
}

} // namespace

TEST(ImageFileSink, WritesBeyondTheEndGrowTheFileWithZeros)
{
    TempDir dir;
    const auto file = dir / "QVRTOUCH.DAT";
    ImageFileSink sink;
    ASSERT_TRUE(sink.Open(file)) << "an absent file is created";
    ASSERT_TRUE(sink.WriteSector(0x10000, Filled(0xAB)));
    ASSERT_TRUE(sink.Flush());
    ASSERT_TRUE(sink.Close());

    const auto bytes = ReadBytes(file);
    ASSERT_EQ(bytes.size(), 66'048u);
    for (std::size_t k = 0; k < 65'536; ++k)
        ASSERT_EQ(bytes[k], 0) << k;
    for (std::size_t k = 65'536; k < bytes.size(); ++k)
        ASSERT_EQ(bytes[k], 0xAB) << k;
}

TEST(ImageFileSink, WritesInPlaceAndKeepsTheRest)
{
    TempDir dir;
    const auto file = dir / "image.dat";
    WriteBytes(file, std::vector<std::uint8_t>(0x10000, 0x11));

    ImageFileSink sink;
    ASSERT_TRUE(sink.Open(file)) << "an existing file is opened, not emptied";
    ASSERT_TRUE(sink.WriteSector(0x4000, Filled(0x22)));
    std::vector<std::uint8_t> two(1024);
    for (std::size_t k = 0; k < two.size(); ++k)
        two[k] = static_cast<std::uint8_t>(k);
    ASSERT_TRUE(sink.WriteSectors(0x8000, two));
    ASSERT_TRUE(sink.Close());

    const auto bytes = ReadBytes(file);
    ASSERT_EQ(bytes.size(), 0x10000u);
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        std::uint8_t want = 0x11;
        if (k >= 16'384 && k <= 16'895)
            want = 0x22;
        else if (k >= 0x8000 && k < 0x8400)
            want = static_cast<std::uint8_t>(k - 0x8000);
        ASSERT_EQ(bytes[k], want) << k;
    }
}

TEST(ImageFileSink, FailuresNameTheFile)
{
    TempDir dir;
    ImageFileSink sink;
    const auto nowhere = dir / "no folder" / "QVRTOUCH.DAT";
    IoResult r = sink.Open(nowhere);
    EXPECT_FALSE(r);
    EXPECT_NE(r.message.find(nowhere.string()), std::string::npos) << r.message;
    EXPECT_FALSE(sink.IsOpen());
    EXPECT_FALSE(sink.WriteSector(0, Filled(1)));
    EXPECT_FALSE(sink.Flush());

    // A FIFO in the image's place is refused at once rather than waited on for a reader.
    const auto pipe = dir / "pipe.dat";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    EXPECT_EQ(sink.Open(pipe).message, "\"" + pipe.string() + "\" is not a regular file.");
    EXPECT_FALSE(sink.IsOpen());

    const auto file = dir / "image.dat";
    ASSERT_TRUE(sink.Open(file));
    r = sink.WriteSector(100, Filled(1));
    EXPECT_FALSE(r) << "offsets are whole sectors";
    EXPECT_NE(r.message.find(file.string()), std::string::npos) << r.message;
    EXPECT_FALSE(sink.WriteSectors(0, std::vector<std::uint8_t>(700)));

    // A write the file system refuses (here: beyond the largest file this process may write).
    struct sigaction ignore {}, old {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &old);
    rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1 << 20;
    setrlimit(RLIMIT_FSIZE, &small);
    r = sink.WriteSector(2 << 20, Filled(1));
    const IoResult grow = sink.WriteSectors((1 << 20) - 512, std::vector<std::uint8_t>(1024, 7));
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &old, nullptr);

    EXPECT_FALSE(r);
    EXPECT_NE(r.message.find(file.string()), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("at byte 2097152"), std::string::npos) << r.message;
    EXPECT_FALSE(grow) << "a short write is a failure";
    EXPECT_NE(grow.message.find("at byte 1048576"), std::string::npos) << grow.message;
    EXPECT_TRUE(sink.Close());
}
