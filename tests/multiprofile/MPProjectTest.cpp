// The multi-profile project file, byte by byte, and the texts of the builder's rows.
#include "multiprofile/MPProject.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace kx4;
using namespace kx4::test;

TEST(MPProjectFile, EmptyAndOneProfileProjectsByteByByte)
{
    std::vector<std::uint8_t> bytes;
    ProfileList profiles;
    ASSERT_TRUE(EncodeMPProject(profiles, bytes));
    EXPECT_EQ(bytes, std::vector<std::uint8_t>(256, 0));

    profiles[0] = "C:\\A\\B.KQC"; // ten characters
    ASSERT_TRUE(EncodeMPProject(profiles, bytes));
    std::vector<std::uint8_t> expected = {0x0A, 0x00, 'C', ':', '\\', 'A', '\\', 'B', '.', 'K', 'Q', 'C'};
    expected.resize(266, 0);
    EXPECT_EQ(bytes, expected);
}

TEST(MPProjectFile, PathsTravelInWindows1252AndBackWhole)
{
    ProfileList profiles;
    profiles[0] = "/home/ann/Caf\xC3\xA9 \xE2\x82\xAC.KQC"; // "Café €.KQC"
    profiles[127] = "/last.KQC";
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(EncodeMPProject(profiles, bytes));
    EXPECT_EQ(bytes[0], 20); // one byte per character
    EXPECT_EQ(bytes[2 + 13], 0xE9);
    EXPECT_EQ(bytes[2 + 15], 0x80);

    ProfileList back;
    ASSERT_TRUE(DecodeMPProject(bytes, back, "p.MPP"));
    EXPECT_EQ(back, profiles);

    // A path the code page cannot hold is refused, naming the profile, rather than stored as '?'.
    profiles[4] = "/\xE6\x97\xA5\xE6\x9C\xAC.KQC";
    const IoResult r = EncodeMPProject(profiles, bytes);
    EXPECT_FALSE(r);
    EXPECT_NE(r.message.find("profile 005"), std::string::npos) << r.message;
}

TEST(MPProjectFile, AFileCutShortChangesNothingAndNamesItself)
{
    ProfileList profiles;
    profiles[3] = "/p.KQC";
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(EncodeMPProject(profiles, bytes));
    ProfileList out;
    out[0] = "/kept.KQC";
    for (const std::size_t cut : {std::size_t{0}, std::size_t{7}, bytes.size() - 1}) {
        const IoResult r = DecodeMPProject(std::span(bytes).first(cut), out, "/x/Short.MPP");
        EXPECT_FALSE(r);
        EXPECT_EQ(r.message, "\"/x/Short.MPP\" is not a multi-profile project file: it is cut short or damaged.");
        EXPECT_EQ(out[0], "/kept.KQC");
    }
}

TEST(MPProjectFile, SavingOverALongerFileKeepsItsTailAndReadsBackTheSame)
{
    TempDir dir;
    const auto file = dir / "Panels.MPP";
    WriteBytes(file, std::vector<std::uint8_t>(300, 0x77));
    ProfileList profiles;
    profiles[0] = "C:\\A\\B.KQC";
    ASSERT_TRUE(SaveMPProjectFile(profiles, file));
    const auto bytes = ReadBytes(file);
    ASSERT_EQ(bytes.size(), 300u);
    EXPECT_EQ(bytes[265], 0);
    EXPECT_EQ(bytes[266], 0x77);

    ProfileList back;
    back[9] = "/old.KQC";
    ASSERT_TRUE(LoadMPProjectFile(file, back));
    EXPECT_EQ(back, profiles);
}

TEST(MPProjectRows, NumbersAndPlaceholders)
{
    ProfileList profiles;
    EXPECT_EQ(ProfileNumber(0), "001");
    EXPECT_EQ(ProfileNumber(127), "128");
    EXPECT_EQ(ProfileRowText(profiles, 0), "<Profile 001 Must Be Selected>");
    EXPECT_EQ(ProfileRowText(profiles, 1), "<Replicate Profile 001>");
    profiles[1] = "/b.KQC";
    EXPECT_EQ(ProfileRowText(profiles, 1), "/b.KQC");
}
