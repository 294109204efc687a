// Opening a dialog and closing it without a change leaves every byte of the project as it was and
// marks nothing, also for stored values no control can show.
#include "EditorFixture.h"

#include "editors/frmOrvelButton.h"
#include "editors/frmOrvelPilot.h"
#include "editors/frmOrvelSlider.h"

using namespace kx4;
using namespace kx4::test;

namespace {

constexpr int kScreen = 3;

class OpenClose : public EditorTest {
protected:
    OpenClose()
    {
        m.InputTypeWarned = true;
        m.SetScreen(kScreen);
        i16* cfg = &m.PanelCfg[static_cast<std::size_t>(m.ScrBase)];
        i16* dsn = &m.DesignCfg[static_cast<std::size_t>(m.DsnBase)];

        // Button 5: a type beyond the list, a position no list shows, a left edge in two entries
        // that do not hold a byte each, a caption with a zero inside, a negative code and 0x81.
        m.SetBtnType(5, 70);
        m.SetBtnTop(5, 900);
        cfg[ButtonRecAt(5) + 1] = 0;
        cfg[ButtonRecAt(5) + 2] = 300;
        m.SetBtnDevice(5, 2);
        m.SetBtnPassword(5, 654321);
        m.SetBtnImage(5, 3);
        m.SetBtnTextColor(5, 1);
        m.SetBtnSize(5, 2);
        m.SetBtnText(5, "A\xc2\x81" "BC");
        dsn[ButtonDsnAt(5) + 13] = 0;
        dsn[ButtonDsnAt(5) + 16] = -5;
        // Control characters a text box might not keep as they are.
        int at = ButtonDsnAt(5) + 17;
        for (const int code : {10, 13, 9, 1})
            dsn[at++] = static_cast<i16>(code);
        dsn[ButtonDsnAt(5) + 10] |= 0x100; // a bit beside the size class and the link

        // Pilot 5: a pilot number and a left edge no list shows.
        m.SetPilotEnabled(5, 1);
        m.SetPilotIcon(5, 2);
        m.SetPilotLeft(5, 850);
        m.SetPilotDevice(5, 1);
        m.SetPilotNum(5, 9);

        // Pilot 6 and its linked touch area, as "Close" leaves them.
        m.SetPilotEnabled(6, 1);
        m.SetPilotIcon(6, 1);
        m.SetPilotLeft(6, 64);
        m.SetPilotTop(6, 80);
        m.SetBtnType(6, 9);
        m.SetBtnImage(6, 0);
        m.SetBtnLeft(6, 64);
        m.SetBtnTop(6, 80);
        m.SetBtnWidth(6, 67);
        m.SetBtnHeight(6, 32);
        m.SetBtnLinked(6, 1);

        // Slider 5: tracking, a top no list shows, a picture number above the table.
        m.SetSldImage(5, 12);
        m.SetSldTrack(5, 1);
        m.SetSldDevice(5, 3);
        m.SetSldLeft(5, 805);
        cfg[SliderRecAt(5) + 6] = 0;
        cfg[SliderRecAt(5) + 7] = 511;
        m.SetScreen(0);
        m.DataChanged = false;
        before = Saved();
    }

    template <class D>
    void OpenAndClose(int slot, bool byCloseBox)
    {
        auto d = Open<D>(slot, kScreen);
        if (byCloseBox)
            d->close();
        else
            Press(d.get(), "cmdClose");
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(Saved(), before) << D::staticMetaObject.className() << " slot " << slot;
        EXPECT_EQ(host.marks, 0);
        EXPECT_FALSE(m.DataChanged);
    }

    std::vector<std::uint8_t> before;
};

} // namespace

TEST_F(OpenClose, EveryDialogLeavesTheFileByteIdentical)
{
    for (const bool closeBox : {false, true}) {
        OpenAndClose<frmOrvelButton>(5, closeBox);
        OpenAndClose<frmOrvelButton>(6, closeBox);
        OpenAndClose<frmOrvelButton>(20, closeBox);
        OpenAndClose<frmOrvelPilot>(5, closeBox);
        OpenAndClose<frmOrvelPilot>(6, closeBox);
        OpenAndClose<frmOrvelPilot>(20, closeBox);
        OpenAndClose<frmOrvelSlider>(5, closeBox);
        OpenAndClose<frmOrvelSlider>(1, closeBox);
    }
    EXPECT_TRUE(prompts.Log().empty());
}

TEST_F(OpenClose, ValuesNoListCanShowAreShownAsNoSelection)
{
    auto button = Open<frmOrvelButton>(5, kScreen);
    EXPECT_EQ(List(button.get(), "cboType")->currentIndex(), -1);
    EXPECT_EQ(List(button.get(), "cboTop")->currentIndex(), -1);
    EXPECT_EQ(List(button.get(), "cboLeft")->currentText(), "300");
    EXPECT_EQ(Find<QLineEdit>(button.get(), "txtText")->text(), "A\u0081C\n\r\t\u0001");
    EXPECT_EQ(Find<QLineEdit>(button.get(), "txtPassword_5")->text(), "6");
    auto pilot = Open<frmOrvelPilot>(5, kScreen);
    EXPECT_EQ(List(pilot.get(), "cboPilot")->currentIndex(), -1);
    EXPECT_EQ(List(pilot.get(), "cboLeft")->currentIndex(), -1);
    auto slider = Open<frmOrvelSlider>(5, kScreen);
    EXPECT_EQ(List(slider.get(), "cboLeft")->currentIndex(), -1);
    EXPECT_EQ(List(slider.get(), "cboTop")->currentIndex(), 511);
    EXPECT_EQ(host.marks, 0);
}
