#include "DesignerFixture.h"

#include "designer/GridRules.h"

#include <QRadioButton>
#include <QTest>

using namespace kx4;
using kx4::test::Designer;

namespace {

constexpr TwipsSize kFullHd{1920 * 15, 1080 * 15};

LayoutSurface* Surface(const Designer& d) { return d.Find<LayoutSurface>("picLayoutSurface"); }

int Ticks(const Designer& d, const char* base, int count)
{
    int ticked = 0;
    for (int i = 0; i < count; ++i)
        ticked += d.Action(QString("%1_%2").arg(base).arg(i))->isChecked() ? 1 : 0;
    return ticked;
}

// Slot 0 and the last slot of every kind, as (Left, Top) pairs.
std::vector<std::pair<int, int>> Places(const modOrvel& m)
{
    return {{m.GetBtnLeft(0), m.GetBtnTop(0)},     {m.GetBtnLeft(31), m.GetBtnTop(31)},
            {m.GetPilotLeft(0), m.GetPilotTop(0)}, {m.GetPilotLeft(31), m.GetPilotTop(31)},
            {m.GetSldLeft(0), m.GetSldTop(0)},     {m.GetSldLeft(7), m.GetSldTop(7)},
            {m.GetTxtLeft(0), m.GetTxtTop(0)},     {m.GetTxtLeft(15), m.GetTxtTop(15)}};
}

void PlaceAll(modOrvel& m, int x, int y)
{
    for (const int slot : {0, 31}) {
        m.SetBtnLeft(slot, x);
        m.SetBtnTop(slot, y);
        m.SetPilotLeft(slot, x);
        m.SetPilotTop(slot, y);
    }
    for (const int slot : {0, 7}) {
        m.SetSldLeft(slot, x);
        m.SetSldTop(slot, y);
    }
    for (const int slot : {0, 15}) {
        m.SetTxtLeft(slot, x);
        m.SetTxtTop(slot, y);
    }
}

std::vector<std::pair<int, int>> AllAt(int x, int y) { return std::vector<std::pair<int, int>>(8, {x, y}); }

} // namespace

TEST(GridRules, LineCountsAndPlaces)
{
    // 1920 x 1080 pixels, 64 x 64: 17 lines down to 1088, 30 across to 1920.
    const std::vector<int> horizontal = GridLinePlaces(kFullHd.height, 64);
    ASSERT_EQ(horizontal.size(), 17u);
    EXPECT_EQ(horizontal.front(), 64);
    EXPECT_EQ(horizontal.back(), 1088);
    const std::vector<int> vertical = GridLinePlaces(kFullHd.width, 64);
    ASSERT_EQ(vertical.size(), 30u);
    EXPECT_EQ(vertical.back(), 1920);
    // 8 x 8: at most 101 lines, the last at 808.
    EXPECT_EQ(GridLineCount(kFullHd.height, 8), 101);
    EXPECT_EQ(GridLineCount(kFullHd.width, 8), 101);
    EXPECT_EQ(GridLinePlaces(kFullHd.width, 8).back(), 808);
    // Halves go to the even count: 63.5 and 64.5 both give line index 64.
    EXPECT_EQ(GridLineCount(1032 * 15, 16), 65);
    EXPECT_EQ(GridLineCount(1048 * 15, 16), 65);
    // A display smaller than the largest layout area still gets lines across all of it.
    EXPECT_EQ(GridLineCount(320 * 15, 8), 100);
    EXPECT_EQ(GridLinePlaces(0, 64).back(), 768);
    EXPECT_EQ(GridLineCount(0, 32), 25);

    EXPECT_EQ(SnapDown(37, 16), 32);
    EXPECT_EQ(SnapDown(50, 16), 48);
    EXPECT_EQ(SnapDown(64, 64), 64);
    EXPECT_EQ(SnapDown(0, 8), 0);
    EXPECT_EQ(SnapDown(-37, 16), -32);
}

TEST(Grid, ShownInTheChosenSizeAndColourOnTheLayoutArea)
{
    Designer d(kFullHd);
    d.Start();
    LayoutSurface* surface = Surface(d);
    const QRgb back = d.Pixel(300, 200);
    EXPECT_EQ(back, 0xEFEFEFu);
    EXPECT_TRUE(surface->VerticalGridLines().empty());

    d.Action("mnuShowGrid")->trigger();
    EXPECT_TRUE(d.Action("mnuShowGrid")->isChecked());
    EXPECT_EQ(surface->VerticalGridLines().size(), 101u);
    EXPECT_EQ(surface->HorizontalGridLines().size(), 101u);
    EXPECT_EQ(d.Pixel(8, 100), 0x808080u);
    EXPECT_EQ(d.Pixel(100, 16), 0x808080u);
    EXPECT_EQ(d.Pixel(9, 101), back);

    d.Action("mnuGridSize_3")->trigger();
    EXPECT_EQ(Ticks(d, "mnuGridSize", 4), 1);
    EXPECT_TRUE(d.Action("mnuGridSize_3")->isChecked());
    EXPECT_EQ(surface->HorizontalGridLines().size(), 17u);
    EXPECT_EQ(surface->VerticalGridLines().size(), 30u);
    EXPECT_EQ(d.Pixel(8, 100), back);
    EXPECT_EQ(d.Pixel(64, 100), 0x808080u);

    d.Action("mnuGridColor_0")->trigger();
    EXPECT_EQ(Ticks(d, "mnuGridColor", 3), 1);
    EXPECT_EQ(d.Pixel(64, 100), 0x000000u);
    EXPECT_EQ(surface->VerticalGridLines().size(), 30u) << "a colour keeps the lines";

    // Hidden: no lines; the colour chosen meanwhile holds when shown, and through size changes.
    d.Action("mnuShowGrid")->trigger();
    EXPECT_TRUE(surface->VerticalGridLines().empty());
    EXPECT_EQ(d.Pixel(64, 100), back);
    d.Action("mnuGridColor_2")->trigger();
    EXPECT_TRUE(d.Action("mnuGridColor_2")->isChecked());
    EXPECT_EQ(Ticks(d, "mnuGridColor", 3), 1);
    d.Action("mnuGridSize_1")->trigger();
    EXPECT_TRUE(surface->VerticalGridLines().empty()) << "a size change while hidden shows nothing";
    d.Action("mnuShowGrid")->trigger();
    EXPECT_EQ(d.Pixel(16, 100), 0xFFFFFFu);
    d.Action("mnuGridSize_2")->trigger();
    EXPECT_EQ(d.Pixel(32, 100), 0xFFFFFFu);
    EXPECT_EQ(d.Pixel(16, 100), back);
    // Choosing the ticked item again keeps it the only one ticked.
    d.Action("mnuGridSize_2")->trigger();
    EXPECT_TRUE(d.Action("mnuGridSize_2")->isChecked());
    EXPECT_EQ(Ticks(d, "mnuGridSize", 4), 1);

    EXPECT_FALSE(d.project.DataChanged) << "the grid is the window's, not the project's";
}

TEST(Snap, MovesEverySlotDownOntoTheGridAndUndoPutsThemBack)
{
    Designer d;
    d.Start();
    modOrvel& m = d.project;
    PlaceAll(m, 37, 50);
    m.SetSldImage(0, 1);
    d.window->ShowScreen();
    QAction* undo = d.Action("mnuUndoSnap");

    d.Action("mnuGridSize_1")->trigger();
    d.Action("mnuSnapToGrid")->trigger();
    EXPECT_EQ(Places(m), AllAt(32, 48));
    EXPECT_EQ(d.Find("imgSlider_0")->pos(), QPoint(32, 48));
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_TRUE(m.DataChanged);

    undo->trigger();
    EXPECT_EQ(Places(m), AllAt(37, 50));
    EXPECT_EQ(d.Find("imgSlider_0")->pos(), QPoint(37, 50));
    EXPECT_FALSE(undo->isEnabled());
    // Disabled, it cannot apply the store again.
    PlaceAll(m, 1, 2);
    d.window->mnuUndoSnap_Click();
    EXPECT_EQ(Places(m), AllAt(1, 2));

    // One level: 16, then 64, then undo returns to the 16 places.
    PlaceAll(m, 37, 50);
    d.Action("mnuSnapToGrid")->trigger();
    d.Action("mnuGridSize_3")->trigger();
    d.Action("mnuSnapToGrid")->trigger();
    EXPECT_EQ(Places(m), AllAt(0, 0));
    undo->trigger();
    EXPECT_EQ(Places(m), AllAt(32, 48));
}

TEST(Snap, MarksTheProjectModifiedOnlyWhenSomethingMoved)
{
    // Nothing off the grid: no edit, and Exit asks nothing.
    {
        Designer d;
        d.Start();
        PlaceAll(d.project, 64, 128);
        d.Action("mnuSnapToGrid")->trigger();
        EXPECT_FALSE(d.project.DataChanged);
        EXPECT_TRUE(d.Action("mnuMultiProfile")->isEnabled());
        d.Action("mnuUndoSnap")->trigger();
        EXPECT_FALSE(d.project.DataChanged);
        d.Action("mnuExit")->trigger();
        EXPECT_TRUE(d.prompts.Log().empty());
        EXPECT_FALSE(d.window->isVisible());
    }
    // Moved: Exit asks before discarding the new places.
    {
        Designer d;
        d.Start();
        PlaceAll(d.project, 37, 50);
        d.Action("mnuSnapToGrid")->trigger();
        EXPECT_TRUE(d.project.DataChanged);
        EXPECT_FALSE(d.Action("mnuMultiProfile")->isEnabled());
        d.prompts.Answer(MsgAnswer::No);
        d.Action("mnuExit")->trigger();
        ASSERT_EQ(d.prompts.Log().size(), 1u);
        EXPECT_EQ(d.prompts.Log()[0].text, "Discard Any Changes?");
        EXPECT_TRUE(d.window->isVisible());
    }
}

TEST(Snap, UndoOutlivesADropButNotAScreenOrPanelChange)
{
    Designer d;
    d.Start();
    modOrvel& m = d.project;
    m.SetSldImage(0, 1);
    m.SetSldLeft(0, 37);
    m.SetSldTop(0, 50);
    d.window->ShowScreen();
    QAction* undo = d.Action("mnuUndoSnap");

    d.Action("mnuSnapToGrid")->trigger(); // 8 x 8: (32, 48)
    QWidget* slider = d.Find("imgSlider_0");
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseRelease(Surface(d), Qt::LeftButton, {}, QPoint(201, 101));
    EXPECT_EQ(m.GetSldLeft(0), 200);
    EXPECT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(m.GetSldLeft(0), 37);
    EXPECT_EQ(m.GetSldTop(0), 50);

    // Another screen: its places are never overwritten with the first screen's.
    d.Action("mnuSnapToGrid")->trigger();
    d.List("cboScreenNumber")->setCurrentIndex(3);
    EXPECT_FALSE(undo->isEnabled());
    d.List("cboScreenNumber")->setCurrentIndex(0);
    d.Action("mnuSnapToGrid")->trigger();
    d.List("cboScnRes")->setCurrentIndex(1);
    EXPECT_FALSE(undo->isEnabled());
    d.Action("mnuSnapToGrid")->trigger();
    d.Find<QRadioButton>("optLayout_1")->setChecked(true);
    EXPECT_FALSE(undo->isEnabled());
}
