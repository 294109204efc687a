#include "sdcard/ConfigFinishing.h"

#include "SdTestSupport.h"

#include <gtest/gtest.h>

using namespace kx4;
using namespace kx4::test;

namespace {

// A two-entry value of PanelCfg at `entry` of screen `screen`, high byte first.
int Cfg2(const modOrvel& m, int screen, int entry)
{
    const int at = screen * 1024 + entry;
    return m.PanelCfg[at] * 256 + m.PanelCfg[at + 1];
}
int BtnRight(const modOrvel& m, int screen, int slot) { return Cfg2(m, screen, 256 + 16 * slot + 3); }
int BtnBottom(const modOrvel& m, int screen, int slot) { return Cfg2(m, screen, 256 + 16 * slot + 7); }
int SldRight(const modOrvel& m, int screen, int slot) { return Cfg2(m, screen, 768 + 10 * slot + 4); }
int SldBottom(const modOrvel& m, int screen, int slot) { return Cfg2(m, screen, 768 + 10 * slot + 8); }

class ConfigFinishing : public ::testing::Test {
protected:
    void SetUp() override { m.ResetAll(); }
    modOrvel m;
};

} // namespace

TEST_F(ConfigFinishing, EdgesAreComputedIn32BitsAndLimited)
{
    m.SetScreen(0);
    m.SetBtnLeft(0, 10);
    m.SetBtnTop(0, 20);
    m.SetBtnWidth(0, 96);
    m.SetBtnHeight(0, 32);
    m.SetBtnLeft(1, 4905); // 4905 + 96 - 1 = 5000
    m.SetBtnTop(1, 30000);
    m.SetBtnHeight(1, 30000); // 59,999: past 16 bits, still "above 4095"
    m.SetBtnWidth(2, 0);      // 0 + 0 - 1 = -1
    m.SetScreen(15);
    m.SetBtnLeft(31, 700);
    m.SetBtnTop(31, 400);

    QVRBuild(m);

    EXPECT_EQ(BtnRight(m, 0, 0), 105);
    EXPECT_EQ(BtnBottom(m, 0, 0), 51);
    EXPECT_EQ(BtnRight(m, 0, 1), 4095);
    EXPECT_EQ(BtnBottom(m, 0, 1), 4095);
    EXPECT_EQ(BtnRight(m, 0, 2), 8);
    EXPECT_EQ(BtnRight(m, 15, 31), 795) << "every screen and slot, used or not";
    EXPECT_EQ(BtnBottom(m, 15, 31), 431);
    EXPECT_EQ(BtnRight(m, 7, 5), 95) << "an unused default slot: 96 x 32 at 0, 0";

    // An empty slider slot with a design size of 0 x 0.
    EXPECT_EQ(SldRight(m, 3, 0), 8);
    EXPECT_EQ(SldBottom(m, 3, 0), 8);
}

TEST_F(ConfigFinishing, SliderPicturesGiveTheirSizes)
{
    m.SetScreen(2);
    m.SetSldImage(0, 3);
    m.SetSldLeft(0, 100);
    m.SetSldTop(0, 10);
    m.SetSldImage(1, 7);
    m.SetSldImage(2, 11); // no such picture: the design's size stays
    m.SetSldWidth(2, 50);
    m.SetSldHeight(2, 60);
    m.SetSldLeft(2, 5);
    m.SetSldTop(2, 5);
    m.SetSldWidth(3, 70); // no picture: size not touched
    m.SetSldHeight(3, 80);

    QVRBuild(m);

    m.SetScreen(2);
    EXPECT_EQ(m.GetSldWidth(0), 34);
    EXPECT_EQ(m.GetSldHeight(0), 221);
    EXPECT_EQ(SldRight(m, 2, 0), 133);
    EXPECT_EQ(SldBottom(m, 2, 0), 230);
    EXPECT_EQ(m.GetSldWidth(1), 42);
    EXPECT_EQ(m.GetSldHeight(1), 421);
    EXPECT_EQ(m.GetSldWidth(2), 50);
    EXPECT_EQ(m.GetSldHeight(2), 60);
    EXPECT_EQ(SldRight(m, 2, 2), 54);
    EXPECT_EQ(SldBottom(m, 2, 2), 64);
    EXPECT_EQ(m.GetSldWidth(3), 70);
    EXPECT_EQ(SldRight(m, 2, 3), 69);
}

TEST_F(ConfigFinishing, TextFontSizeAndColourAreCopied)
{
    m.SetScreen(4);
    m.SetTxtFontSize(0, 2);
    m.SetTxtColor(0, 1);
    m.SetTxtFontSize(15, 3);
    QVRBuild(m);
    EXPECT_EQ(m.PanelCfg[4 * 1024 + 848 + 6], 2);
    EXPECT_EQ(m.PanelCfg[4 * 1024 + 848 + 7], 1);
    EXPECT_EQ(m.PanelCfg[4 * 1024 + 848 + 15 * 8 + 6], 3);
    EXPECT_EQ(m.PanelCfg[4 * 1024 + 848 + 15 * 8 + 7], 0);
}

TEST_F(ConfigFinishing, DeviceMapFromSlidersColourControlsAndInputButtons)
{
    auto button = [&](int screen, int slot, int type, int device) {
        m.SetScreen(screen);
        m.SetBtnType(slot, type);
        m.SetBtnDevice(slot, device);
    };
    auto slider = [&](int screen, int slot, int image, int device) {
        m.SetScreen(screen);
        m.SetSldImage(slot, image);
        m.SetSldDevice(slot, device);
    };
    slider(0, 0, 1, 63);
    slider(0, 1, 2, 64);   // beyond the map
    slider(0, 2, 0, 10);   // no picture
    button(1, 0, 57, 60);  // Color Control: 60-63
    button(1, 1, 58, 61);  // would run past 63
    button(2, 0, 58, 20);  // Color Control With Tracking: 20-23
    button(3, 0, 11, 5);   // Turn ON Input 3
    button(3, 1, 19, 5);   // Turn OFF Input 3
    button(3, 2, 25, 6);   // other types do not count
    button(3, 3, 8, 6);
    button(4, 0, 24, 7);   // Turn OFF Input 8
    button(4, 1, 9, 64);   // beyond the map
    button(5, 0, 12, 30);  // Turn ON and a slider on one device
    slider(6, 0, 5, 30);
    m.SetScreen(9);
    m.CurObj = 3;

    QVRBuild(m);
    std::array<int, 128> want{};
    want[63] = want[127] = 255;
    for (int d = 60; d <= 63; ++d)
        want[d] = want[d + 64] = 255;
    for (int d = 20; d <= 23; ++d)
        want[d] = want[d + 64] = 255;
    want[64 + 5] = 4;
    want[64 + 7] = 0x80;
    want[30] = want[64 + 30] = 255;
    for (int d = 0; d < 128; ++d)
        EXPECT_EQ(m.DeviceMap[d], want[d]) << "entry " << d;

    // Inputs 1 and 8 added on another screen.
    button(8, 4, 9, 5);
    button(8, 5, 16, 5);
    QVRBuild(m);
    EXPECT_EQ(m.DeviceMap[69], 0x85);

    // The screen is restored; CurObj ends at 16.
    EXPECT_EQ(m.CurScreen, 8);
    EXPECT_EQ(m.ScrBase, 8 * 1024);
    EXPECT_EQ(m.DsnBase, 8 * 2048);
    EXPECT_EQ(m.CurObj, 16);
}

TEST_F(ConfigFinishing, WriteDatWritesTheConfigurationThenTheDeviceMap)
{
    for (int k = 0; k < kPanelCfgSize; ++k)
        m.PanelCfg[k] = static_cast<i16>(k * 7 % 256);
    m.PanelCfg[5] = 300; // taken modulo 256
    m.PanelCfg[6] = -1;
    for (int d = 0; d < 128; ++d)
        m.DeviceMap[d] = static_cast<i16>(d + 100);

    for (std::uint32_t base : {0u, 0x6000000u}) {
        MemorySink sink;
        std::vector<std::uint32_t> want;
        for (std::uint32_t s = 0; s < 32; ++s)
            want.push_back(base + s * 512);
        want.push_back(base + 0x4000);

        ASSERT_TRUE(WriteDat(m, sink, base));
        EXPECT_EQ(sink.order, want) << "33 sectors, ascending";
        EXPECT_EQ(sink.Byte(base + 5), 44);
        EXPECT_EQ(sink.Byte(base + 6), 255);
        for (std::uint32_t k = 7; k < 16384; ++k)
            ASSERT_EQ(sink.Byte(base + k), k * 7 % 256) << k;
        for (std::uint32_t j = 0; j < 512; ++j)
            ASSERT_EQ(sink.Byte(base + 0x4000 + j), j < 128 ? (j + 100) % 256 : 0) << j;
    }

    MemorySink failing;
    failing.failAtSector = 32;
    const IoResult r = WriteDat(m, failing);
    EXPECT_FALSE(r) << "the device map sector's failure is reported";
    EXPECT_NE(r.message.find("16384"), std::string::npos) << r.message;
}
