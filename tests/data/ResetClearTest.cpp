#include "data/modOrvel.h"

#include <gtest/gtest.h>

#include <memory>

using namespace kx4;

TEST(ResetAll, GivesEveryScreenItsDefaults)
{
    auto m = std::make_unique<modOrvel>();
    m->PanelCfg.fill(7);
    m->DataChanged = true;
    m->DataFile = "/x.KQC";
    m->SelButton = 4;
    m->ResetAll();

    EXPECT_EQ(m->DataFile, "None");
    EXPECT_FALSE(m->DataChanged);
    EXPECT_EQ(m->CurScreen, 0);
    EXPECT_EQ(m->ScrBase, 0);
    EXPECT_EQ(m->DsnBase, 0);
    EXPECT_EQ(m->SelButton, -1);
    EXPECT_EQ(m->SelPilot, -1);
    EXPECT_EQ(m->SelSlider, -1);
    EXPECT_EQ(m->SelText, -1);
    EXPECT_EQ(m->ScreenBG[0], "[*L]");
    for (int s = 0; s < 16; ++s) {
        m->SetScreen(s);
        if (s > 0) {
            EXPECT_EQ(m->ScreenBG[s], "[&HEFEFEF&]");
        }
        for (int i = 0; i < 32; ++i) {
            char caption[8];
            std::snprintf(caption, sizeof caption, "B %02d", i + 1);
            EXPECT_EQ(m->GetBtnText(i), caption);
            EXPECT_EQ(m->GetBtnWidth(i), 96);
            EXPECT_EQ(m->GetBtnHeight(i), 32);
            EXPECT_EQ(m->GetBtnType(i), 0);
            EXPECT_EQ(m->GetPilotEnabled(i), 0);
        }
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(m->GetTxtWidth(i), 128);
            EXPECT_EQ(m->GetTxtHeight(i), 64);
            EXPECT_EQ(m->GetTxtType(i), 0);
        }
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(m->GetSldImage(i), 0);
    }
    EXPECT_EQ(m->GetBVRange(), 3);
    EXPECT_EQ(m->GetLayout(), 0);
    EXPECT_EQ(m->GetBVAddress(), 0);
    EXPECT_EQ(m->GetBeep(), 0);
    EXPECT_EQ(m->GetScnRes(), 0);
    EXPECT_EQ(m->GetSDFormat(), 0);
    EXPECT_EQ(m->PanelCfg[982], 0);
    m->SetScreen(0);
    EXPECT_EQ(m->GetBtnText(31), "B 32");
}

TEST(ClearScreenData, EmptiesOnlyTheCurrentScreen)
{
    auto m = std::make_unique<modOrvel>();
    m->ResetAll();
    for (int s = 0; s < 16; ++s) {
        m->SetScreen(s);
        m->SetBtnType(3, 9);
        m->SetTxtType(1, 1);
        m->SetTxtText(1, "hello");
    }
    m->SetBVAddress(17);
    m->SetScreen(4);
    const auto before = static_cast<ProjectTables>(*m);
    m->DataChanged = true;
    m->SelText = 2;
    m->ClearScreenData();

    EXPECT_EQ(m->CurScreen, 4);
    EXPECT_EQ(m->ScreenBG[4], "[&HFFFFFF&]");
    EXPECT_EQ(m->GetBtnType(3), 0);
    EXPECT_EQ(m->GetTxtType(1), 0);
    EXPECT_EQ(m->GetTxtText(1), "");
    EXPECT_EQ(m->GetBtnText(3), "B 04");
    EXPECT_EQ(m->GetBtnWidth(31), 96);
    EXPECT_EQ(m->GetTxtWidth(7), 128);
    EXPECT_EQ(m->GetTxtHeight(7), 64);
    EXPECT_EQ(m->GetTxtWidth(8), 0);
    EXPECT_EQ(m->GetTxtHeight(15), 0);
    EXPECT_EQ(m->SelText, -1);
    EXPECT_TRUE(m->DataChanged) << "other screens may hold unsaved edits";

    for (int i = 0; i < kPanelCfgSize; ++i) {

        if (i / 1024 != 4) {

            ASSERT_EQ(m->PanelCfg[i], before.PanelCfg[i]) << "entry " << i;

        }

    }
    for (int i = 0; i < kDesignCfgSize; ++i) {
        if (i / 2048 != 4) {
            ASSERT_EQ(m->DesignCfg[i], before.DesignCfg[i]) << "entry " << i;
        }
    }
    for (int s = 0; s < 16; ++s) {
        if (s != 4) {
            EXPECT_EQ(m->ScreenBG[s], before.ScreenBG[s]);
        }
    }
}

TEST(ClearScreenData, KeepsThePanelSettingsOnTheHomeScreen)
{
    auto m = std::make_unique<modOrvel>();
    m->ResetAll();
    m->SetSDFormat(1);
    m->SetScnRes(2);
    m->SetLayout(1);
    m->SetBVAddress(100);
    m->SetBVRange(15);
    m->SetBeep(1);
    m->SetMPFlag(255);
    m->SetBtnType(0, 5);
    m->ClearScreenData();
    EXPECT_EQ(m->GetBtnType(0), 0);
    EXPECT_EQ(m->GetSDFormat(), 1);
    EXPECT_EQ(m->GetScnRes(), 2);
    EXPECT_EQ(m->GetLayout(), 1);
    EXPECT_EQ(m->GetBVAddress(), 100);
    EXPECT_EQ(m->GetBVRange(), 15);
    EXPECT_EQ(m->GetBeep(), 1);
    EXPECT_EQ(m->PanelCfg[982], 255);
}
