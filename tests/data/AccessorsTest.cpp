#include "data/modOrvel.h"

#include <gtest/gtest.h>

#include <memory>

using namespace kx4;

namespace {

std::unique_ptr<modOrvel> Fresh(int screen = 0)
{
    auto m = std::make_unique<modOrvel>();
    m->ResetAll();
    m->SetScreen(screen);
    return m;
}

} // namespace

TEST(Accessors, TwoEntryFieldsStoreHighByteFirst)
{
    auto m = Fresh(2);
    m->SetBtnLeft(3, 300);
    const int e = 2 * 1024 + 256 + 3 * 16 + 1;
    EXPECT_EQ(m->PanelCfg[e], 1);
    EXPECT_EQ(m->PanelCfg[e + 1], 44);
    EXPECT_EQ(m->GetBtnLeft(3), 300);
    m->SetBtnLeft(3, 0);
    EXPECT_EQ(m->PanelCfg[e], 0);
    EXPECT_EQ(m->PanelCfg[e + 1], 0);
    m->SetBtnLeft(3, 32767);
    EXPECT_EQ(m->GetBtnLeft(3), 32767);
}

TEST(Accessors, EveryFieldLandsOnItsEntry)
{
    auto m = Fresh(1);
    const int cfg = 1024, dsn = 2048;
    struct Probe {
        const char* name;
        std::function<void(modOrvel&)> set;
        int table; // 0 PanelCfg, 1 DesignCfg
        int entry;
        int value;
    };
    const std::vector<Probe> probes = {
        {"PilotEnabled", [](modOrvel& o) { o.SetPilotEnabled(5, 1); }, 0, cfg + 40 + 0, 1},
        {"PilotIcon", [](modOrvel& o) { o.SetPilotIcon(5, 2); }, 0, cfg + 40 + 1, 2},
        {"PilotLeft", [](modOrvel& o) { o.SetPilotLeft(5, 7); }, 0, cfg + 40 + 3, 7},
        {"PilotTop", [](modOrvel& o) { o.SetPilotTop(5, 9); }, 0, cfg + 40 + 5, 9},
        {"PilotDevice", [](modOrvel& o) { o.SetPilotDevice(5, 11); }, 0, cfg + 40 + 6, 11},
        {"PilotNum", [](modOrvel& o) { o.SetPilotNum(5, 6); }, 0, cfg + 40 + 7, 6},
        {"BtnType", [](modOrvel& o) { o.SetBtnType(2, 58); }, 0, cfg + 256 + 32, 58},
        {"BtnRight", [](modOrvel& o) { o.SetBtnRight(2, 13); }, 0, cfg + 256 + 32 + 4, 13},
        {"BtnTop", [](modOrvel& o) { o.SetBtnTop(2, 14); }, 0, cfg + 256 + 32 + 6, 14},
        {"BtnBottom", [](modOrvel& o) { o.SetBtnBottom(2, 15); }, 0, cfg + 256 + 32 + 8, 15},
        {"BtnDevice", [](modOrvel& o) { o.SetBtnDevice(2, 63); }, 0, cfg + 256 + 32 + 9, 63},
        {"SldDevice", [](modOrvel& o) { o.SetSldDevice(7, 3); }, 0, cfg + 768 + 70 + 1, 3},
        {"SldLeft", [](modOrvel& o) { o.SetSldLeft(7, 4); }, 0, cfg + 768 + 70 + 3, 4},
        {"SldRight", [](modOrvel& o) { o.SetSldRight(7, 5); }, 0, cfg + 768 + 70 + 5, 5},
        {"SldTop", [](modOrvel& o) { o.SetSldTop(7, 6); }, 0, cfg + 768 + 70 + 7, 6},
        {"SldBottom", [](modOrvel& o) { o.SetSldBottom(7, 7); }, 0, cfg + 768 + 70 + 9, 7},
        {"TxtType", [](modOrvel& o) { o.SetTxtType(15, 12); }, 0, cfg + 848 + 120, 12},
        {"TxtLeft", [](modOrvel& o) { o.SetTxtLeft(15, 8); }, 0, cfg + 848 + 120 + 2, 8},
        {"TxtTop", [](modOrvel& o) { o.SetTxtTop(15, 9); }, 0, cfg + 848 + 120 + 4, 9},
        {"TxtSldDev", [](modOrvel& o) { o.SetTxtSldDev(15, 10); }, 0, cfg + 848 + 120 + 5, 10},
        {"TxtPanelFont", [](modOrvel& o) { o.SetTxtPanelFont(15, 3); }, 0, cfg + 848 + 120 + 6, 3},
        {"TxtPanelColor", [](modOrvel& o) { o.SetTxtPanelColor(15, 1); }, 0, cfg + 848 + 120 + 7, 1},
        {"BtnImage", [](modOrvel& o) { o.SetBtnImage(31, 8); }, 1, dsn + 35 * 31, 8},
        {"BtnWidth", [](modOrvel& o) { o.SetBtnWidth(31, 224); }, 1, dsn + 35 * 31 + 2, 224},
        {"BtnHeight", [](modOrvel& o) { o.SetBtnHeight(31, 64); }, 1, dsn + 35 * 31 + 4, 64},
        {"BtnTxtX", [](modOrvel& o) { o.SetBtnTxtX(31, 210); }, 1, dsn + 35 * 31 + 6, 210},
        {"BtnTxtY", [](modOrvel& o) { o.SetBtnTxtY(31, 165); }, 1, dsn + 35 * 31 + 8, 165},
        {"BtnTextColor", [](modOrvel& o) { o.SetBtnTextColor(31, 1); }, 1, dsn + 35 * 31 + 9, 1},
        {"SldWidth", [](modOrvel& o) { o.SetSldWidth(1, 42); }, 1, dsn + 1120 + 4 + 1, 42},
        {"SldHeight", [](modOrvel& o) { o.SetSldHeight(1, 221); }, 1, dsn + 1120 + 4 + 3, 221},
        {"TxtColor", [](modOrvel& o) { o.SetTxtColor(3, 1); }, 1, dsn + 1152 + 168, 1},
        {"TxtFontSize", [](modOrvel& o) { o.SetTxtFontSize(3, 2); }, 1, dsn + 1152 + 168 + 1, 2},
        {"TxtWidth", [](modOrvel& o) { o.SetTxtWidth(3, 99); }, 1, dsn + 1152 + 168 + 3, 99},
        {"TxtHeight", [](modOrvel& o) { o.SetTxtHeight(3, 77); }, 1, dsn + 1152 + 168 + 5, 77},
    };
    for (const Probe& p : probes) {
        auto fresh = Fresh(1);
        p.set(*fresh);
        if (p.table == 0) {
            EXPECT_EQ(fresh->PanelCfg[p.entry], p.value) << p.name;
        }
        else
            EXPECT_EQ(fresh->DesignCfg[p.entry], p.value) << p.name;
        // Nothing else of the tables changed.
        auto before = Fresh(1);
        int changed = 0;
        for (int i = 0; i < kPanelCfgSize; ++i)
            changed += fresh->PanelCfg[i] != before->PanelCfg[i];
        for (int i = 0; i < kDesignCfgSize; ++i)
            changed += fresh->DesignCfg[i] != before->DesignCfg[i];
        EXPECT_EQ(changed, 1) << p.name;
    }
}

TEST(Accessors, GettersReadWhatSettersWrote)
{
    auto m = Fresh(9);
    m->SetPilotLeft(31, 799);
    m->SetPilotTop(31, 479);
    m->SetBtnTop(0, 271);
    m->SetTxtWidth(15, 500);
    m->SetSldHeight(7, 421);
    m->SetBtnDevice(4, 200);
    EXPECT_EQ(m->GetPilotLeft(31), 799);
    EXPECT_EQ(m->GetPilotTop(31), 479);
    EXPECT_EQ(m->GetBtnTop(0), 271);
    EXPECT_EQ(m->GetTxtWidth(15), 500);
    EXPECT_EQ(m->GetSldHeight(7), 421);
    EXPECT_EQ(m->GetBtnDevice(4), 200);
    m->SetScreen(8);
    EXPECT_EQ(m->GetPilotLeft(31), 0) << "accessors work on the current screen";
}

TEST(Accessors, CaptionAndTextKeepTheirLengthLimits)
{
    auto m = Fresh();
    m->SetBtnText(0, "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234");
    EXPECT_EQ(m->GetBtnText(0), "ABCDEFGHIJKLMNOPQRSTUVWX");
    m->SetBtnText(0, "");
    EXPECT_EQ(m->GetBtnText(0), "");
    for (int k = 0; k < 24; ++k)
        EXPECT_EQ(m->DesignCfg[11 + k], 0);

    const std::string sixty(60, 'x');
    m->SetTxtText(2, sixty);
    EXPECT_EQ(m->GetTxtText(2), std::string(50, 'x'));
    EXPECT_EQ(m->DesignCfg[1152 + 2 * 56 + 6 + 49], 'x');
    EXPECT_EQ(m->DesignCfg[1152 + 3 * 56], 0) << "the next slot is untouched";

    // Zero codes are skipped wherever they stand; codes are Windows-1252.
    m->SetBtnText(1, "\u20AC1");
    EXPECT_EQ(m->DesignCfg[35 + 11], 0x80);
    m->DesignCfg[35 + 11] = 0;
    m->DesignCfg[35 + 13] = 'Z';
    EXPECT_EQ(m->GetBtnText(1), "1Z");
    m->SetBtnText(1, "\u4E2D");
    EXPECT_EQ(m->GetBtnText(1), "?");
}

TEST(Accessors, PasswordKeepsSixDigits)
{
    auto m = Fresh();
    m->SetBtnPassword(0, 1234567);
    EXPECT_EQ(m->GetBtnPassword(0), 234567);
    m->SetBtnPassword(0, 42);
    EXPECT_EQ(m->GetBtnPassword(0), 42);
    const int e = 256 + 10;
    EXPECT_EQ(m->PanelCfg[e + 0], 0);
    EXPECT_EQ(m->PanelCfg[e + 4], 4);
    EXPECT_EQ(m->PanelCfg[e + 5], 2);
    m->SetBtnPassword(0, 987654);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(m->PanelCfg[e + k], 9 - k);
}

TEST(Accessors, BitFieldsLeaveTheirNeighboursAlone)
{
    auto m = Fresh();
    m->SetBtnSize(0, 3);
    m->SetBtnLinked(0, 1);
    EXPECT_EQ(m->GetBtnSize(0), 3);
    EXPECT_EQ(m->GetBtnLinked(0), 1);
    m->SetBtnSize(0, 2);
    EXPECT_EQ(m->GetBtnLinked(0), 1);
    EXPECT_EQ(m->DesignCfg[10], 16 + 2);
    m->SetBtnLinked(0, 0);
    EXPECT_EQ(m->GetBtnSize(0), 2);
    m->SetBtnLinked(0, 7);
    EXPECT_EQ(m->GetBtnLinked(0), 1);

    m->SetSldImage(1, 10);
    m->SetSldTrack(1, 1);
    EXPECT_EQ(m->GetSldImage(1), 10);
    EXPECT_EQ(m->GetSldTrack(1), 1);
    EXPECT_EQ(m->PanelCfg[768 + 10], 128 + 10);
    m->SetSldImage(1, 4);
    EXPECT_EQ(m->GetSldTrack(1), 1);
    m->SetSldTrack(1, 0);
    EXPECT_EQ(m->GetSldImage(1), 4);
}

TEST(Accessors, PanelSettingsAreAbsolute)
{
    auto m = Fresh(5);
    m->SetLayout(1);
    EXPECT_EQ(m->PanelCfg[976], 1);
    EXPECT_EQ(m->PanelCfg[5 * 1024 + 976], 0);
    m->SetBVAddress(250);
    m->SetBVRange(63);
    m->SetBeep(1);
    m->SetScnRes(2);
    m->SetSDFormat(1);
    m->SetMPFlag(255);
    EXPECT_EQ(m->PanelCfg[977], 250);
    EXPECT_EQ(m->PanelCfg[978], 63);
    EXPECT_EQ(m->PanelCfg[979], 1);
    EXPECT_EQ(m->PanelCfg[980], 2);
    EXPECT_EQ(m->PanelCfg[981], 1);
    EXPECT_EQ(m->PanelCfg[982], 255);
    m->SetScreen(0);
    EXPECT_EQ(m->GetBVRange(), 63);
    EXPECT_EQ(m->GetDevRange(), m->GetBVRange());
    EXPECT_EQ(m->GetScnRes(), 2);
}

TEST(Accessors, SlotsOutsideTheirFamilyAreIgnored)
{
    auto m = Fresh(15);
    const auto cfg = m->PanelCfg;
    const auto dsn = m->DesignCfg;
    m->SetBtnLeft(32, 5);
    m->SetBtnText(-1, "x");
    m->SetPilotEnabled(32, 1);
    m->SetSldImage(8, 1);
    m->SetTxtText(16, "overflow");
    m->SetTxtHeight(16, 9);
    m->SetBtnPassword(40, 123456);
    EXPECT_EQ(m->PanelCfg, cfg);
    EXPECT_EQ(m->DesignCfg, dsn);
    EXPECT_EQ(m->GetSldWidth(8), 0);
    EXPECT_EQ(m->GetTxtText(16), "");
    EXPECT_EQ(m->GetBtnPassword(-3), 0);
}

TEST(Hex, FormatsLowDigits)
{
    EXPECT_EQ(Hex2(10), "0A");
    EXPECT_EQ(Hex2(255), "FF");
    EXPECT_EQ(Hex2(0x1AB), "AB");
    EXPECT_EQ(Hex2(-1), "FF");
    EXPECT_EQ(Hex1(17), "1");
    EXPECT_EQ(Hex1(15), "F");
}
