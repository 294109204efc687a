#include "designer/PanelOptions.h"
#include "designer/ScreenGeometry.h"

#include <gtest/gtest.h>

using namespace kx4;

TEST(PanelOptions, ListTextsAreExact)
{
    const auto address = BVAddressItems();
    ASSERT_EQ(address.size(), 251u);
    EXPECT_EQ(address.front(), "Brivane Node: 01");
    EXPECT_EQ(address[9], "Brivane Node: 0A");
    EXPECT_EQ(address.back(), "Brivane Node: FB");

    const auto range = BVRangeItems();
    ASSERT_EQ(range.size(), 16u);
    EXPECT_EQ(range.front(), "Devices: 4  (Count = 0)");
    EXPECT_EQ(range[2], "Devices: 12  (Count = 2)");
    EXPECT_EQ(range.back(), "Devices: 64  (Count = F)");

    EXPECT_EQ(ScnResItems(), (std::vector<std::string>{"4.3 (480x272)", "3.5 (320x240)", "7.0 (800x480)"}));
    EXPECT_EQ(CmdSetItems(), (std::vector<std::string>{"SD Format - SFC", "SD Format - Raw"}));

    const auto screens = ScreenNumberItems();
    ASSERT_EQ(screens.size(), 16u);
    EXPECT_EQ(screens[0], "Home");
    EXPECT_EQ(screens[1], "Screen: 01");
    EXPECT_EQ(screens[9], "Screen: 09");
    EXPECT_EQ(screens[10], "Screen: 10");
    EXPECT_EQ(screens[15], "Screen: 15");
}

TEST(PanelOptions, StoredValuesMapToListPositionsAndBack)
{
    EXPECT_EQ(BVRangeListIndex(3), 0);
    EXPECT_EQ(BVRangeListIndex(7), 1);
    EXPECT_EQ(BVRangeListIndex(63), 15);
    EXPECT_EQ(BVRangeListIndex(0), 0);
    EXPECT_EQ(BVRangeListIndex(64), -1) << "a damaged count has no list position";
    EXPECT_EQ(BVRangeListIndex(255), -1);
    EXPECT_EQ(BVRangeFromListIndex(0), 3);
    EXPECT_EQ(BVRangeFromListIndex(15), 63);

    EXPECT_EQ(ListIndexFor(2, 3), 2);
    EXPECT_EQ(ListIndexFor(3, 3), -1);
    EXPECT_EQ(ListIndexFor(-1, 3), -1);
}

TEST(PanelOptions, TheHighestDeviceAddressMustStayAt254)
{
    EXPECT_TRUE(AddressRangeValid(250, 0));  // node 251 + offsets 0-3
    EXPECT_FALSE(AddressRangeValid(251, 0));
    EXPECT_TRUE(AddressRangeValid(246, 1));
    EXPECT_FALSE(AddressRangeValid(247, 1));
    EXPECT_TRUE(AddressRangeValid(190, 15));
    EXPECT_FALSE(AddressRangeValid(191, 15));
}

TEST(ScreenGeometry, WindowSizeAndFrameOffsetByPanel)
{
    constexpr int low = 14924, tall = 14925;
    struct Case { int res, layout, display, height, width, offset; };
    for (const Case c : {Case{0, 0, low, 9765, 14535, 0}, Case{0, 1, low, 9765, 14535, 0}, Case{1, 1, tall, 9765, 14535, 0},
                         Case{2, 0, low, 9765, 19335, 4800}, Case{2, 1, tall, 14325, 14535, 0},
                         Case{2, 1, low, 9765, 14535, 0}}) {
        const WindowGeometry g = ScreenResGeometry(c.res, c.layout, c.display);
        EXPECT_TRUE(g.resize);
        EXPECT_EQ(g.height, c.height) << c.res << c.layout << c.display;
        EXPECT_EQ(g.width, c.width) << c.res << c.layout << c.display;
        EXPECT_EQ(g.frameOffset, c.offset) << c.res << c.layout << c.display;
    }
    const WindowGeometry damaged = ScreenResGeometry(7, 0, low);
    EXPECT_FALSE(damaged.resize);
    EXPECT_EQ(damaged.frameOffset, 0);
}

TEST(ScreenGeometry, LayoutAreaByPanelSizeAndOrientation)
{
    constexpr int low = 14924, tall = 14925;
    struct Case { int res, layout, display, lw, lh, pw, ph; bool pan; };
    for (const Case c : {Case{0, 0, low, 7260, 4140, 7260, 4140, false}, Case{0, 1, low, 4140, 7260, 4140, 7260, false},
                         Case{1, 0, low, 4860, 3660, 4860, 3660, false}, Case{1, 1, low, 3660, 4860, 3660, 4860, false},
                         Case{2, 0, low, 12060, 7260, 12060, 7260, false}, Case{2, 1, tall, 7260, 12060, 7260, 12060, false},
                         Case{2, 1, low, 7260, 12060, 7260, 7200, true}, Case{9, 0, low, 60, 60, 60, 60, false}}) {
        const LayoutGeometry g = ScreenShapeGeometry(c.res, c.layout, c.display);
        EXPECT_EQ(g.layoutWidth, c.lw) << c.res << c.layout;
        EXPECT_EQ(g.layoutHeight, c.lh) << c.res << c.layout;
        EXPECT_EQ(g.panWidth, c.pw) << c.res << c.layout;
        EXPECT_EQ(g.panHeight, c.ph) << c.res << c.layout;
        EXPECT_EQ(g.panOn, c.pan) << c.res << c.layout;
    }
}

TEST(ScreenGeometry, TwipRounding)
{
    EXPECT_EQ(TwipsToPixels(165), 11);
    EXPECT_EQ(TwipsToPixels(7), 0);
    EXPECT_EQ(TwipsToPixels(8), 1);
    EXPECT_EQ(TwipsToPixels(-15), -1);
    EXPECT_EQ(TwipsToPixels(4890), 326);
}
