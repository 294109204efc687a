#include "data/Ansi.h"

#include <gtest/gtest.h>

using namespace kx4;

TEST(Ansi, EveryByteRoundTrips)
{
    for (int b = 1; b <= 255; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(one)), one) << "byte " << b;
    }
}

TEST(Ansi, MapsTheWindows1252Characters)
{
    EXPECT_EQ(AnsiToUtf8("\x80"), "\u20AC");     // euro sign
    EXPECT_EQ(AnsiToUtf8("\x93x\x94"), "\u201Cx\u201D");
    EXPECT_EQ(AnsiToUtf8("\xE9"), "\u00E9");      // é
    EXPECT_EQ(Utf8ToAnsi("caf\u00E9 \u20AC5"), "caf\xE9 \x80" "5");
    EXPECT_EQ(AnsiCode(U'\u0160'), 0x8A);
}

TEST(Ansi, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(Utf8ToAnsi("a\u4E2Db"), "a?b");   // CJK
    EXPECT_EQ(Utf8ToAnsi("\U0001F600"), "?");    // four-byte form
    EXPECT_EQ(Utf8ToAnsi("x\xC3"), "x?");        // cut-off sequence
    EXPECT_EQ(Utf8ToAnsi("\xFFy"), "?y");        // not UTF-8 at all
}
