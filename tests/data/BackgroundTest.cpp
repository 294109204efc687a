#include "data/Background.h"

#include <gtest/gtest.h>

using namespace kx4;

TEST(Background, TellsTheThreeFormsApart)
{
    EXPECT_EQ(ClassifyBackground("[&HEFEFEF&]"), BackgroundKind::Color);
    EXPECT_EQ(ClassifyBackground("[&H"), BackgroundKind::Color);
    EXPECT_EQ(ClassifyBackground("[*L]"), BackgroundKind::Logo);
    EXPECT_EQ(ClassifyBackground("[*L]/more"), BackgroundKind::Logo);
    EXPECT_EQ(ClassifyBackground("C:\\pics\\a.bmp"), BackgroundKind::File);
    EXPECT_EQ(ClassifyBackground(""), BackgroundKind::File);
    EXPECT_EQ(ClassifyBackground("[*L"), BackgroundKind::File);
}

TEST(Background, ReadsTheColourValue)
{
    EXPECT_EQ(ParseBackgroundColor("[&HFFFFFF&]"), 0xFFFFFFu);
    EXPECT_EQ(ParseBackgroundColor("[&H0000FF&"), 0x0000FFu);
    EXPECT_EQ(ColorValueToRgb(ParseBackgroundColor("[&H0000FF&")), 0xFF0000u) << "red in the low byte";
    EXPECT_EQ(ParseBackgroundColor("[&H"), 0u);
    EXPECT_EQ(ParseBackgroundColor("[&Hxyz"), 0u);
    EXPECT_EQ(ParseBackgroundColor("[&Hff&"), 0xFFu);
    EXPECT_EQ(ParseBackgroundColor("[&H1ABCDEF&"), 0xABCDEFu) << "seven digits, modulo 2^24";
    EXPECT_EQ(ParseBackgroundColor("[&H12345678"), 0x234567u) << "at most seven digits are read";
}
