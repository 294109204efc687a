// The Pilot dialog: icon, device, number, position, and the link that makes Button CurObj the
// Pilot's touch area.
#include "EditorFixture.h"

#include "editors/frmOrvelPilot.h"

#include <QCheckBox>
#include <QTest>

using namespace kx4;
using namespace kx4::test;

namespace {

constexpr int kSlot = 9;
constexpr int kScreen = 4;

struct ButtonState {
    int type, image, left, top, width, height, linked;
    friend bool operator==(const ButtonState&, const ButtonState&) = default;
};

class PilotDialog : public EditorTest {
protected:
    std::unique_ptr<frmOrvelPilot> OpenPilot() { return Open<frmOrvelPilot>(kSlot, kScreen); }
    static QCheckBox* Link(QWidget* d) { return Find<QCheckBox>(d, "chkLinked"); }
    // Button kSlot as the saved file holds it.
    ButtonState Button()
    {
        const auto b = Saved();
        const int rec = ButtonRecAt(kSlot);
        const int dsn = ButtonDsnAt(kSlot);
        return {Cfg(b, kScreen, rec),
                Dsn(b, kScreen, dsn),
                Cfg(b, kScreen, rec + 1) * 256 + Cfg(b, kScreen, rec + 2),
                Cfg(b, kScreen, rec + 5) * 256 + Cfg(b, kScreen, rec + 6),
                Dsn(b, kScreen, dsn + 1) * 256 + Dsn(b, kScreen, dsn + 2),
                Dsn(b, kScreen, dsn + 3) * 256 + Dsn(b, kScreen, dsn + 4),
                Dsn(b, kScreen, dsn + 10) >> 4 & 1};
    }
    void EnabledPilotAt(int left, int top, int icon)
    {
        m.SetScreen(kScreen);
        m.SetPilotEnabled(kSlot, 1);
        m.SetPilotIcon(kSlot, icon);
        m.SetPilotLeft(kSlot, left);
        m.SetPilotTop(kSlot, top);
    }
};

} // namespace

TEST_F(PilotDialog, EveryListAndIconIsStored)
{
    auto d = OpenPilot();
    EXPECT_EQ(d->windowTitle(), "Edit Pilot");
    QComboBox* number = List(d.get(), "cboPilot");
    ASSERT_EQ(number->count(), 8);
    EXPECT_EQ(number->itemText(7), "8");
    // The off icon of row 2 enables a free Pilot with the large icon.
    QTest::mouseClick(Find<QWidget>(d.get(), "imgSIOff_2"), Qt::LeftButton);
    number->setCurrentIndex(7);
    List(d.get(), "cboDevice")->setCurrentIndex(2);
    List(d.get(), "cboLeft")->setCurrentIndex(700);
    List(d.get(), "cboTop")->setCurrentIndex(33);
    auto b = Saved();
    const int rec = PilotRecAt(kSlot);
    EXPECT_EQ(Cfg(b, kScreen, rec), 1);
    EXPECT_EQ(Cfg(b, kScreen, rec + 1), 2);
    EXPECT_EQ(Cfg(b, kScreen, rec + 2) * 256 + Cfg(b, kScreen, rec + 3), 700);
    EXPECT_EQ(Cfg(b, kScreen, rec + 5), 33);
    EXPECT_EQ(Cfg(b, kScreen, rec + 6), 2);
    EXPECT_EQ(Cfg(b, kScreen, rec + 7), 7);
    QTest::mouseClick(Find<QWidget>(d.get(), "imgSIOn_0"), Qt::LeftButton);
    EXPECT_EQ(Cfg(Saved(), kScreen, rec + 1), 0);
    EXPECT_EQ(host.redraws.back(), "P9");
    EXPECT_TRUE(m.DataChanged);
}

TEST_F(PilotDialog, LinkingMakesTheButtonATargetOfTheIconsSize)
{
    EnabledPilotAt(120, 40, 1);
    auto d = OpenPilot();
    EXPECT_FALSE(Link(d.get())->isChecked());
    Link(d.get())->setChecked(true);
    EXPECT_EQ(Button().linked, 1) << "the box stores the link at once";
    EXPECT_EQ(Button().type, 0) << "the touch area waits for Close";
    Press(d.get(), "cmdClose");
    EXPECT_EQ(Button(), (ButtonState{1, 0, 120, 40, 67, 32, 1}));
    EXPECT_TRUE(m.DataChanged);

    // Moving the Pilot moves its Button at the next Close; a typed Button keeps its type.
    m.SetBtnType(kSlot, 30);
    m.SetBtnImage(kSlot, 3);
    auto again = OpenPilot();
    EXPECT_TRUE(Link(again.get())->isChecked());
    List(again.get(), "cboLeft")->setCurrentIndex(200);
    EXPECT_EQ(Button().left, 120);
    Press(again.get(), "cmdClose");
    EXPECT_EQ(Button(), (ButtonState{30, 0, 200, 40, 67, 32, 1}));
}

TEST_F(PilotDialog, RemovingTheLinkedPilotFreesItsButton)
{
    EnabledPilotAt(300, 100, 2);
    m.SetBtnType(kSlot, 7);
    m.SetBtnLinked(kSlot, 1);
    m.SelPilot = kSlot;
    auto d = OpenPilot();
    Press(d.get(), "cmdUnused");
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(Button(), (ButtonState{0, 0, 0, 0, 34, 16, 0}));
    EXPECT_EQ(Cfg(Saved(), kScreen, PilotRecAt(kSlot)), 0);
    // The box is still ticked, but a disabled Pilot links nothing.
    EXPECT_TRUE(Link(d.get())->isChecked());
    Press(d.get(), "cmdClose");
    EXPECT_EQ(Button().linked, 0);
    EXPECT_EQ(m.SelPilot, -1);
}

TEST_F(PilotDialog, CloseOnADisabledPilotClearsTheLink)
{
    m.SetScreen(kScreen);
    m.SetBtnType(kSlot, 3);
    m.SetBtnLinked(kSlot, 1);
    auto d = OpenPilot();
    EXPECT_TRUE(Link(d.get())->isChecked());
    Press(d.get(), "cmdClose");
    EXPECT_EQ(Button().linked, 0);
    EXPECT_EQ(Button().type, 3);
}

TEST_F(PilotDialog, UnlinkingKeepsTheButtonAndTheCloseBoxSkipsTheTouchArea)
{
    EnabledPilotAt(10, 20, 0);
    m.SetBtnType(kSlot, 2);
    m.SetBtnImage(kSlot, 5);
    m.SetBtnLeft(kSlot, 400);
    m.SetBtnLinked(kSlot, 1);
    auto d = OpenPilot();
    Link(d.get())->setChecked(false);
    Press(d.get(), "cmdClose");
    EXPECT_EQ(Button(), (ButtonState{2, 5, 400, 0, 96, 32, 0}));

    auto again = OpenPilot();
    Link(again.get())->setChecked(true);
    again->close();
    EXPECT_EQ(Button(), (ButtonState{2, 5, 400, 0, 96, 32, 1})) << "linked, with its old type, place and size";
}
