// New Button, Pilot, Slider and Text, and Clear Screen: the records written, and the commands as a
// user runs them from the Edit menu.
#include "DesignerFixture.h"

#include "designer/ElementDefaults.h"

#include <QLabel>
#include <QTest>

using namespace kx4;
using kx4::test::Designer;

namespace {

modOrvel FreshProject()
{
    modOrvel m;
    m.ResetAll();
    return m;
}

const ScriptedPrompts::Asked& Last(const Designer& d) { return d.prompts.Log().back(); }

} // namespace

TEST(ElementDefaults, TheLowestFreeSlotOfEachKind)
{
    modOrvel m = FreshProject();
    m.SetScreen(3);
    for (int slot : {0, 1, 3})
        m.SetBtnType(slot, 5);
    EXPECT_EQ(FindFreeSlot(m, ElementKind::Button), 2);
    m.SetPilotEnabled(0, 1);
    EXPECT_EQ(FindFreeSlot(m, ElementKind::Pilot), 1);
    m.SetSldTrack(0, 1); // the tracking bit alone does not use the slot
    EXPECT_EQ(FindFreeSlot(m, ElementKind::Slider), 0);
    for (int slot = 0; slot < kSliderCount; ++slot)
        m.SetSldImage(slot, 1);
    EXPECT_EQ(FindFreeSlot(m, ElementKind::Slider), -1);
    for (int slot = 0; slot < kTextCount - 1; ++slot)
        m.SetTxtType(slot, 12);
    EXPECT_EQ(FindFreeSlot(m, ElementKind::Text), 15);
    m.SetScreen(4);
    EXPECT_EQ(FindFreeSlot(m, ElementKind::Button), 0) << "only the current screen counts";
}

TEST(ElementDefaults, DefaultsLeaveTheFieldsTheyDoNotOwn)
{
    modOrvel m = FreshProject();
    // Left over in the slots from earlier elements.
    m.SetBtnRight(4, 777);
    m.SetBtnTxtX(4, 165);
    m.SetBtnLinked(4, 1);
    m.SetBtnSize(4, 3);
    m.SetBtnText(4, "Old");
    m.SetPilotIcon(6, 2);
    m.SetPilotNum(6, 7);
    m.SetSldTrack(2, 1);
    m.SetTxtSldDev(1, 9);
    m.SetTxtText(1, "Old text");

    PlaceNewElement(m, ElementKind::Button, 4, -1);
    EXPECT_EQ(m.GetBtnSize(4), 0);
    EXPECT_EQ(m.GetBtnText(4), "B 05");
    EXPECT_EQ(m.GetBtnLinked(4), 1);
    EXPECT_EQ(m.GetBtnTxtX(4), 165);
    EXPECT_EQ(m.PanelCfg[256 + 16 * 4 + 4], 777 % 256) << "ButtonRec.Right";

    PlaceNewElement(m, ElementKind::Pilot, 6, -1);
    EXPECT_EQ(m.GetPilotEnabled(6), 1);
    EXPECT_EQ(m.GetPilotIcon(6), 0);
    EXPECT_EQ(m.GetPilotNum(6), 0);

    PlaceNewElement(m, ElementKind::Slider, 2, -1);
    EXPECT_EQ(m.GetSldImage(2), 1);
    EXPECT_EQ(m.GetSldTrack(2), 1);
    EXPECT_EQ(m.GetSldWidth(2), 34);
    EXPECT_EQ(m.GetSldHeight(2), 221);

    PlaceNewElement(m, ElementKind::Text, 1, -1);
    EXPECT_EQ(m.GetTxtType(1), 1);
    EXPECT_EQ(m.GetTxtWidth(1), 128);
    EXPECT_EQ(m.GetTxtHeight(1), 64);
    EXPECT_EQ(m.GetTxtText(1), "");
    EXPECT_EQ(m.GetTxtSldDev(1), 9);
}

TEST(ElementDefaults, AChoiceIsCopiedToTopLeftUnlessItsSlotHasBeenEmptied)
{
    modOrvel m = FreshProject();
    m.SetBtnType(5, 41);
    m.SetBtnLeft(5, 120);
    m.SetBtnTop(5, 60);
    m.SetBtnDevice(5, 3);
    m.SetBtnPassword(5, 123456);
    m.SetBtnImage(5, 7);
    m.SetBtnWidth(5, 224);
    m.SetBtnHeight(5, 64);
    m.SetBtnTextColor(5, 1);
    m.SetBtnSize(5, 2);
    m.SetBtnText(5, "Scene");
    PlaceNewElement(m, ElementKind::Button, 0, 5);
    EXPECT_EQ(m.GetBtnType(0), 41);
    EXPECT_EQ(m.GetBtnLeft(0), 0);
    EXPECT_EQ(m.GetBtnTop(0), 0);
    EXPECT_EQ(m.GetBtnDevice(0), 3);
    EXPECT_EQ(m.GetBtnPassword(0), 123456);
    EXPECT_EQ(m.GetBtnImage(0), 7);
    EXPECT_EQ(m.GetBtnWidth(0), 224);
    EXPECT_EQ(m.GetBtnHeight(0), 64);
    EXPECT_EQ(m.GetBtnTextColor(0), 1);
    EXPECT_EQ(m.GetBtnSize(0), 2);
    EXPECT_EQ(m.GetBtnText(0), "Scene");

    // Pilot 9 was chosen and has since been switched off: no template.
    m.SetPilotIcon(9, 2);
    m.SetPilotDevice(9, 8);
    PlaceNewElement(m, ElementKind::Pilot, 0, 9);
    EXPECT_EQ(m.GetPilotEnabled(0), 1);
    EXPECT_EQ(m.GetPilotIcon(0), 0);
    EXPECT_EQ(m.GetPilotDevice(0), 0);
}

TEST(NewElementCommands, ThreeButtonsOnAnEmptyScreenTakeSlotsZeroToTwo)
{
    Designer d;
    d.Start();
    d.Action("mnuUndoSnap")->setEnabled(true);
    for (int n = 0; n < 3; ++n)
        d.Action("mnuNewButton")->trigger();

    const modOrvel& m = d.project;
    for (int slot = 0; slot < 3; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(m.PanelCfg[256 + 16 * slot], 1) << "type";
        EXPECT_EQ(m.GetBtnLeft(slot), 0);
        EXPECT_EQ(m.GetBtnTop(slot), 0);
        EXPECT_EQ(m.GetBtnImage(slot), 1);
        EXPECT_EQ(m.GetBtnWidth(slot), 96);
        EXPECT_EQ(m.GetBtnHeight(slot), 32);
        const std::string caption = "B 0" + std::to_string(slot + 1);
        const int at = 35 * slot + 11;
        EXPECT_EQ(std::string({char(m.DesignCfg[at]), char(m.DesignCfg[at + 1]), char(m.DesignCfg[at + 2]),
                               char(m.DesignCfg[at + 3])}),
                  caption);
        EXPECT_EQ(m.DesignCfg[at + 4], 0);
        EXPECT_EQ(d.Find<QLabel>(QString("lblButton_%1").arg(slot))->text().toStdString(), caption);
        EXPECT_TRUE(d.Find(QString("imgPB_%1").arg(slot))->isVisible());
    }
    EXPECT_EQ(m.GetBtnType(3), 0);
    EXPECT_TRUE(m.DataChanged);
    EXPECT_FALSE(d.Action("mnuMultiProfile")->isEnabled());
    EXPECT_FALSE(d.Action("mnuUndoSnap")->isEnabled());
    EXPECT_TRUE(d.prompts.Log().empty());
}

TEST(NewElementCommands, AFullScreenGetsTheNoticeOfItsKindAndStillCountsAsAnEdit)
{
    struct Case {
        const char* action;
        int count;
        const char* title;
        const char* text;
    };
    for (const Case& c : {Case{"mnuNewButton", 32, "New Button", "All Buttons Used."},
                          Case{"mnuNewPilot", 32, "New Pilot", "All Pilots Used."},
                          Case{"mnuNewSlider", 8, "New Slider", "All Sliders Used."},
                          Case{"mnuNewText", 16, "New Text", "All Text Objects Used."}}) {
        SCOPED_TRACE(c.action);
        Designer d;
        d.Start();
        for (int n = 0; n < c.count; ++n)
            d.Action(c.action)->trigger();
        EXPECT_TRUE(d.prompts.Log().empty());
        const ProjectTables full = d.project;
        d.project.DataChanged = false;
        d.Action("mnuUndoSnap")->setEnabled(true);

        d.prompts.Answer(MsgAnswer::Ok);
        d.Action(c.action)->trigger();
        ASSERT_EQ(d.prompts.Log().size(), 1u);
        EXPECT_EQ(Last(d).icon, MsgIcon::Information);
        EXPECT_EQ(Last(d).title, c.title);
        EXPECT_EQ(Last(d).text, c.text);
        EXPECT_EQ(Last(d).buttons, MsgButtons::Ok);
        EXPECT_EQ(d.project.PanelCfg, full.PanelCfg);
        EXPECT_EQ(d.project.DesignCfg, full.DesignCfg);
        EXPECT_TRUE(d.project.DataChanged);
        EXPECT_FALSE(d.Action("mnuUndoSnap")->isEnabled());
    }
}

TEST(NewElementCommands, ANewSliderCopiesTheChosenPictureWithItsSize)
{
    Designer d;
    d.Start();
    modOrvel& m = d.project;
    d.List("cboScreenNumber")->setCurrentIndex(2);
    m.SetSldImage(0, 6);
    m.SetSldDevice(0, 2);
    m.SetSldLeft(0, 100);
    m.SetSldTop(0, 20);
    m.SetSldWidth(0, 42);
    m.SetSldHeight(0, 421);
    m.SelSlider = 0;
    const ProjectTables before = m;

    d.Action("mnuNewSlider")->trigger();
    EXPECT_EQ(m.GetSldImage(1), 6);
    EXPECT_EQ(m.GetSldDevice(1), 2);
    EXPECT_EQ(m.GetSldLeft(1), 0);
    EXPECT_EQ(m.GetSldTop(1), 0);
    EXPECT_EQ(m.GetSldWidth(1), 42);
    EXPECT_EQ(m.GetSldHeight(1), 421);
    EXPECT_EQ(m.SelSlider, 0) << "the choice stays";
    // Only the new slot's design record changed.
    const int sizeAt = 2 * 2048 + 1120 + 4;
    for (int e = 0; e < kDesignCfgSize; ++e)
        if (e < sizeAt || e >= sizeAt + 4) {
            ASSERT_EQ(m.DesignCfg[e], before.DesignCfg[e]) << e;
        }
    EXPECT_TRUE(d.Find("imgSlider_1")->isVisible());
    EXPECT_EQ(d.Find("imgSlider_1")->size(), QSize(42, 421));
}

TEST(NewElementCommands, TheMenuShortcutsRunTheCommands)
{
    Designer d;
    frmOrvel& w = d.Start();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_B, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(d.project.GetBtnType(0), 1);
    EXPECT_EQ(d.project.GetPilotEnabled(0), 1);
    EXPECT_EQ(d.project.GetSldImage(0), 1);
    EXPECT_EQ(d.project.GetTxtType(0), 1);

    d.prompts.Answer(MsgAnswer::Yes);
    QTest::keyClick(&w, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Last(d).title, "Clear Entire Screen");
    EXPECT_EQ(d.project.GetBtnType(0), 0);
}

TEST(ClearScreenCommand, NamesTheScreenAndClearsOnlyOnYes)
{
    Designer d;
    d.Start();
    d.Action("mnuNewButton")->trigger();
    d.prompts.Answer(MsgAnswer::No);
    d.Action("mnuClearScreen")->trigger();
    EXPECT_EQ(Last(d).icon, MsgIcon::Question);
    EXPECT_EQ(Last(d).title, "Clear Entire Screen");
    EXPECT_EQ(Last(d).text, "Clear All Objects On Screen Home?");
    EXPECT_EQ(Last(d).buttons, MsgButtons::YesNo);
    EXPECT_EQ(d.project.GetBtnType(0), 1);

    d.List("cboScreenNumber")->setCurrentIndex(12);
    d.Action("mnuNewPilot")->trigger();
    d.project.SelButton = 0;
    d.project.DataChanged = false;
    d.Action("mnuUndoSnap")->setEnabled(true);
    d.prompts.Answer(MsgAnswer::Yes);
    d.Action("mnuClearScreen")->trigger();
    EXPECT_EQ(Last(d).text, "Clear All Objects On Screen 12?");
    EXPECT_EQ(d.project.GetPilotEnabled(0), 0);
    EXPECT_EQ(d.project.ScreenBG[12], "[&HFFFFFF&]");
    EXPECT_EQ(d.project.SelButton, -1);
    EXPECT_TRUE(d.project.DataChanged) << "a cleared screen is an edit";
    EXPECT_FALSE(d.Action("mnuUndoSnap")->isEnabled());
    EXPECT_FALSE(d.Find("imgPilot_0")->isVisible());
    EXPECT_EQ(d.project.PanelCfg[256], 1) << "the button on Home stays";

    EXPECT_EQ(ScreenName(5), "05");
}
