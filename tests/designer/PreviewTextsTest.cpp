#include "designer/PreviewTexts.h"

#include <gtest/gtest.h>

using namespace kx4;

TEST(PreviewTexts, DeviceAddressesAreTwoUpperCaseHexDigits)
{
    EXPECT_EQ(DeviceText(0, 0), "01");
    EXPECT_EQ(DeviceText(9, 0), "0A");
    EXPECT_EQ(DeviceText(190, 63), "FE");
}

TEST(PreviewTexts, ButtonRowsAndTooltipsByType)
{
    struct Case { int type; const char* row; const char* tip; };
    for (const Case c : {Case{0, "Disabled", ""},
                         Case{1, "Mom In:1 Dev:2C", "D:2C I:1"},
                         Case{3, "Mom In:3 Dev:2C", "D:2C I:3"},
                         Case{8, "Mom In:8 Dev:2C", "D:2C I:8"},
                         Case{9, "Turn ON In:1 Dev:2C", "D:2C I:1"},
                         Case{16, "Turn ON In:8 Dev:2C", "D:2C I:8"},
                         Case{17, "Turn OFF In:1 Dev:2C", "D:2C I:1"},
                         Case{24, "Turn OFF In:8 Dev:2C", "D:2C I:8"},
                         Case{25, "Goto Home", "Goto Home"},
                         Case{26, "Goto Screen:1", "Goto Screen:1"},
                         Case{40, "Goto Screen:15", "Goto Screen:15"},
                         Case{41, "Goto Screen Home PW:012345", "Goto Screen Home"},
                         Case{42, "Goto Screen:1 PW:012345", "Goto Screen:1"},
                         Case{56, "Goto Screen:15 PW:012345", "Goto Screen:15"},
                         Case{57, "Color Control", "Color Control"},
                         Case{58, "Color Control With Tracking", "Color Control With Tracking"},
                         Case{59, "", ""},
                         Case{255, "", ""}}) {
        const RowText t = ButtonRowText(c.type, "2C", 12345);
        EXPECT_EQ(t.row, c.row) << c.type;
        EXPECT_EQ(t.tooltip, c.tip) << c.type;
    }
    EXPECT_EQ(ButtonRowText(41, "01", 0).row, "Goto Screen Home PW:000000");
    EXPECT_EQ(ButtonRowText(41, "01", 999999).row, "Goto Screen Home PW:999999");
}

TEST(PreviewTexts, PilotSliderAndTextRows)
{
    EXPECT_EQ(PilotRowText(0, 4, "05").row, "Disabled");
    EXPECT_EQ(PilotRowText(0, 4, "05").tooltip, "");
    EXPECT_EQ(PilotRowText(1, 4, "05").row, "Enabled Pilot:5 Dev:05");
    EXPECT_EQ(PilotRowText(1, 4, "05").tooltip, "D:05 P:5");
    EXPECT_EQ(PilotRowText(2, 4, "05").row, "");
    EXPECT_EQ(PilotRowText(2, 4, "05").tooltip, "");

    EXPECT_EQ(SliderRowText(0, 1, "11").row, "Disabled");
    EXPECT_EQ(SliderRowText(0, 1, "11").tooltip, "");
    EXPECT_EQ(SliderRowText(3, 0, "11").row, "Enabled Dev:11");
    EXPECT_EQ(SliderRowText(3, 1, "11").row, "E/Track Dev:11");
    EXPECT_EQ(SliderRowText(3, 1, "11").tooltip, "D:11");

    const char* rows[] = {"Disabled", "Text", "Slider Dev:7F", "Dimmer Dev:7F", "Dim Bar Dev:7F", "Dim Bar Dev:7F",
                          "Dim Bar Dev:7F", "Dim Bar Dev:7F", "Dim Bar Dev:7F", "Dim Bar Dev:7F", "12H Clock", "24H Clock",
                          "Date"};
    for (int t = 0; t <= 12; ++t)
        EXPECT_EQ(TextRowText(t, "7F"), rows[t]) << t;
    EXPECT_FALSE(TextRowText(13, "7F").has_value());
}

TEST(PreviewTexts, CaptionAndTextFonts)
{
    const int points[] = {8, 12, 18, 24};
    const int insets[] = {75, 105, 165, 210};
    const bool bold[] = {true, true, false, false};
    for (int s = 0; s < 4; ++s) {
        ASSERT_TRUE(ButtonCaptionStyle(s).has_value());
        EXPECT_EQ(ButtonCaptionStyle(s)->points, points[s]);
        EXPECT_EQ(ButtonCaptionStyle(s)->insetTwips, insets[s]);
        ASSERT_TRUE(TextFontOf(s).has_value());
        EXPECT_EQ(TextFontOf(s)->points, points[s]);
        EXPECT_EQ(TextFontOf(s)->bold, bold[s]);
    }
    EXPECT_FALSE(ButtonCaptionStyle(4).has_value());
    EXPECT_FALSE(TextFontOf(4).has_value());
    EXPECT_EQ(PointsToPixels(8), 11);
    EXPECT_EQ(PointsToPixels(12), 16);
    EXPECT_EQ(PointsToPixels(18), 24);
    EXPECT_EQ(PointsToPixels(24), 32);
}
