#include "DesignerFixture.h"

#include "designer/DropRules.h"
#include "designer/PreviewWidgets.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

using namespace kx4;
using kx4::test::Designer;

namespace {

ElementView* View(const Designer& d, const char* base, int i)
{
    return d.Find<ElementView>(QString("%1_%2").arg(base).arg(i));
}
SettingsRow* Row(const Designer& d, const char* base, int i)
{
    return d.Find<SettingsRow>(QString("%1_%2").arg(base).arg(i));
}
LayoutSurface* Surface(const Designer& d) { return d.Find<LayoutSurface>("picLayoutSurface"); }

// A user's drag: press inside `source`, move over the layout area, release at `to` on `target`
// (panel pixels when the target is the layout surface).
void Drag(Designer& d, QWidget* source, QPoint grab, QWidget* target, QPoint to)
{
    QTest::mousePress(source, Qt::LeftButton, {}, grab);
    QTest::mouseMove(Surface(d), QPoint(150, 120));
    QTest::mouseRelease(target, Qt::LeftButton, {}, to);
}

void AddSlider(modOrvel& m, int slot, int left, int top)
{
    m.SetSldImage(slot, 1); // 34 x 221
    m.SetSldLeft(slot, left);
    m.SetSldTop(slot, top);
}

void AddButton(modOrvel& m, int slot, int left, int top, int sizeClass)
{
    m.SetBtnType(slot, 1);
    m.SetBtnImage(slot, 3); // 96 x 32
    m.SetBtnSize(slot, sizeClass);
    m.SetBtnText(slot, "B");
    m.SetBtnLeft(slot, left);
    m.SetBtnTop(slot, top);
}

void AddPilot(modOrvel& m, int slot, int left, int top)
{
    m.SetPilotEnabled(slot, 1);
    m.SetPilotIcon(slot, 0); // 34 x 16
    m.SetPilotLeft(slot, left);
    m.SetPilotTop(slot, top);
}

} // namespace

TEST(DropRules, RefusalBelowZeroAndRoundingHalvesToEven)
{
    // Refused even where rounding would give 0; the caption's inset counts.
    EXPECT_TRUE(DropPosition(-0.5, 0, 0, 0).refused);
    EXPECT_TRUE(DropPosition(300, 104.5, 105, 105).refused);
    EXPECT_FALSE(DropPosition(105, 105, 105, 105).refused);
    // 1.5 and 2.5 pixels both go to 2.
    EXPECT_EQ(DropPosition(22.5, 37.5, 0, 0).left, 2);
    EXPECT_EQ(DropPosition(22.5, 37.5, 0, 0).top, 2);

    EXPECT_EQ(GrabOffset(44.5), 44);
    EXPECT_EQ(GrabOffset(45.5), 46);
    EXPECT_EQ(GrabOffset(1e9), 32767);
}

TEST(Drag, ASliderLandsAtThePointerLessWhereItWasGrabbed)
{
    Designer d;
    d.Start();
    AddSlider(d.project, 2, 0, 0);
    d.window->ShowScreen();
    ElementView* slider = View(d, "imgSlider", 2);
    auto* outline = d.Find<DragOutline>("dragOutline");

    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(3, 2));
    EXPECT_EQ(d.project.GrabX, 45);
    EXPECT_EQ(d.project.GrabY, 30);
    QTest::mouseMove(Surface(d), QPoint(100, 50));
    // The outline of the slider follows the pointer, held where it was grabbed.
    EXPECT_TRUE(outline->isVisible());
    EXPECT_EQ(outline->size(), slider->size());
    EXPECT_EQ(outline->mapTo(d.window.get(), QPoint(0, 0)), Surface(d)->mapTo(d.window.get(), QPoint(97, 48)));
    EXPECT_EQ(d.project.GetSldLeft(2), 0) << "nothing is stored before the drop";
    QTest::mouseRelease(Surface(d), Qt::LeftButton, {}, QPoint(200, 100));

    EXPECT_FALSE(outline->isVisible());
    EXPECT_EQ(d.project.GetSldLeft(2), 197);
    EXPECT_EQ(d.project.GetSldTop(2), 98);
    EXPECT_EQ(slider->pos(), QPoint(197, 98));
    EXPECT_TRUE(d.project.DataChanged);
    EXPECT_FALSE(d.Action("mnuMultiProfile")->isEnabled());
    EXPECT_TRUE(d.prompts.Log().empty());
}

TEST(Drag, AButtonCaptionIsPlacedByItsButtonsCornerAndHintsOnce)
{
    Designer d;
    d.Start();
    AddButton(d.project, 0, 40, 40, 1); // caption inset 105 twips, 7 pixels
    d.window->ShowScreen();
    ElementView* caption = View(d, "lblButton", 0);
    ASSERT_EQ(caption->pos(), QPoint(47, 47));

    // Caption left edge at 6 pixels: the button would stand at -1. Refused, but hinted.
    d.prompts.Answer(MsgAnswer::Ok);
    d.project.SetBtnTop(0, 60); // not yet shown: the refusal's redraw shows it
    Drag(d, caption, QPoint(2, 2), Surface(d), QPoint(8, 50));
    ASSERT_EQ(d.prompts.Log().size(), 1u);
    EXPECT_EQ(d.prompts.Log()[0].icon, MsgIcon::Information);
    EXPECT_EQ(d.prompts.Log()[0].title, "Button Placement");
    EXPECT_EQ(d.prompts.Log()[0].text, "For ease of placement, drag buttons by the upper or left edges");
    EXPECT_EQ(d.prompts.Log()[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(d.project.GetBtnLeft(0), 40);
    EXPECT_FALSE(d.project.DataChanged);
    EXPECT_EQ(caption->pos(), QPoint(47, 67));

    // At 7 pixels the button stands at 0; the hint is not shown again.
    Drag(d, caption, QPoint(2, 2), Surface(d), QPoint(9, 50));
    EXPECT_EQ(d.prompts.Log().size(), 1u);
    EXPECT_EQ(d.project.GetBtnLeft(0), 0);
    EXPECT_EQ(d.project.GetBtnTop(0), 41);
    EXPECT_TRUE(d.project.DataChanged);
    EXPECT_EQ(View(d, "imgPB", 0)->pos(), QPoint(0, 41));
    EXPECT_EQ(caption->pos(), QPoint(7, 48));

    // The face is placed by its own corner, and the caption follows; a face shows no hint.
    Drag(d, View(d, "imgPB", 0), QPoint(1, 1), Surface(d), QPoint(101, 81));
    EXPECT_EQ(d.prompts.Log().size(), 1u);
    EXPECT_EQ(d.project.GetBtnLeft(0), 100);
    EXPECT_EQ(d.project.GetBtnTop(0), 80);
    EXPECT_EQ(caption->pos(), QPoint(107, 87));
}

TEST(Drag, ALinkedPilotCarriesItsButtonAnUnlinkedOneMovesAlone)
{
    Designer d;
    d.Start();
    modOrvel& m = d.project;
    AddPilot(m, 2, 0, 0);
    AddButton(m, 2, 200, 10, 0);
    m.SetBtnLinked(2, 1);
    d.window->ShowScreen();

    Drag(d, View(d, "imgPilot", 2), QPoint(5, 5), Surface(d), QPoint(105, 65));
    EXPECT_EQ(m.GetPilotLeft(2), 100);
    EXPECT_EQ(m.GetPilotTop(2), 60);
    EXPECT_EQ(m.GetBtnLeft(2), 100);
    EXPECT_EQ(m.GetBtnTop(2), 60);
    EXPECT_EQ(View(d, "imgPB", 2)->pos(), QPoint(100, 60));

    m.SetBtnLinked(2, 0);
    Drag(d, View(d, "imgPilot", 2), QPoint(5, 5), Surface(d), QPoint(305, 205));
    EXPECT_EQ(m.GetPilotLeft(2), 300);
    EXPECT_EQ(m.GetBtnLeft(2), 100);
    EXPECT_EQ(m.GetBtnTop(2), 60);
}

TEST(Drag, ADropOnAnElementIsADropAtThatPointOfTheLayout)
{
    Designer d;
    d.Start();
    modOrvel& m = d.project;
    AddSlider(m, 0, 0, 0);
    m.SetTxtType(3, 10); // a 12-hour clock picture
    m.SetTxtLeft(3, 200);
    m.SetTxtTop(3, 100);
    d.window->ShowScreen();

    // Released on the clock picture, 10 pixels inside it.
    Drag(d, View(d, "imgSlider", 0), QPoint(4, 4), View(d, "imgClkCal", 3), QPoint(10, 10));
    EXPECT_EQ(m.GetSldLeft(0), 206);
    EXPECT_EQ(m.GetSldTop(0), 106);

    // The clock picture is dragged for its text object.
    Drag(d, View(d, "imgClkCal", 3), QPoint(1, 1), Surface(d), QPoint(41, 31));
    EXPECT_EQ(m.GetTxtLeft(3), 40);
    EXPECT_EQ(m.GetTxtTop(3), 30);
    EXPECT_EQ(View(d, "imgClkCal", 3)->pos(), QPoint(40, 30));
}

TEST(Drag, PressAndReleaseWithoutAMoveStoresTheSamePlaceAndMarksModified)
{
    Designer d;
    d.Start();
    AddSlider(d.project, 1, 37, 50);
    d.window->ShowScreen();
    // The pointer last rested elsewhere; the grab is where the button went down.
    QTest::mouseMove(Surface(d), QPoint(300, 200));
    ElementView* slider = View(d, "imgSlider", 1);
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(4, 9));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(4, 9));
    EXPECT_EQ(d.project.GetSldLeft(1), 37);
    EXPECT_EQ(d.project.GetSldTop(1), 50);
    EXPECT_TRUE(d.project.DataChanged);
}

TEST(Drag, RefusedOrOutsideDropsChangeNothing)
{
    Designer d;
    d.Start();
    AddPilot(d.project, 0, 0, 0);
    AddSlider(d.project, 0, 50, 10);
    d.window->ShowScreen();

    // A pilot would stand at pixel -1.
    Drag(d, View(d, "imgPilot", 0), QPoint(5, 5), Surface(d), QPoint(4, 20));
    Drag(d, View(d, "imgPilot", 0), QPoint(5, 5), Surface(d), QPoint(20, 4));
    EXPECT_EQ(d.project.GetPilotLeft(0), 0);
    EXPECT_EQ(d.project.GetPilotTop(0), 0);
    EXPECT_FALSE(d.project.DataChanged);

    // Released over a settings row: the row takes no click, nothing moves.
    SettingsRow* row = Row(d, "lblSSettings", 0);
    QSignalSpy clicks(row, &SettingsRow::clicked);
    Drag(d, View(d, "imgSlider", 0), QPoint(5, 5), row, QPoint(10, 5));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(d.project.GetSldLeft(0), 50);
    EXPECT_EQ(d.project.GetSldTop(0), 10);
    EXPECT_FALSE(d.project.DataChanged);
    EXPECT_FALSE(d.Find<DragOutline>("dragOutline")->isVisible());
    EXPECT_TRUE(d.prompts.Log().empty());

    // The drag is over: the row takes clicks again, and opens the Slider dialog.
    Designer::WhenDialogOpens([](QDialog& dialog) { EXPECT_EQ(dialog.objectName(), "frmOrvelSlider"); });
    QTest::mouseClick(row, Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(clicks.count(), 1);

    // A drag whose release went elsewhere ends at the next move without the button: no drop.
    QTest::mousePress(View(d, "imgSlider", 0), Qt::LeftButton, {}, QPoint(5, 5));
    const QPoint at = Surface(d)->mapToGlobal(QPoint(200, 100));
    QMouseEvent lost(QEvent::MouseMove, QPointF(200, 100), QPointF(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Surface(d), &lost);
    EXPECT_FALSE(d.Find<DragOutline>("dragOutline")->isVisible());
    QTest::mouseRelease(Surface(d), Qt::LeftButton, {}, QPoint(200, 100));
    EXPECT_EQ(d.project.GetSldLeft(0), 50);
    EXPECT_FALSE(d.project.DataChanged);
}

TEST(Drag, TheRowOfTheElementUnderThePointerIsLit)
{
    Designer d;
    d.Start();
    modOrvel& m = d.project;
    AddButton(m, 4, 300, 200, 0);
    AddPilot(m, 4, 100, 10);
    m.SetBtnLinked(4, 1);
    AddSlider(m, 1, 0, 0);
    m.SetTxtType(2, 1);
    m.SetTxtLeft(2, 200);
    m.SetTxtTop(2, 20);
    d.window->ShowScreen();
    const auto lit = [&](const char* list, int i) { return Row(d, list, i)->Highlighted(); };

    QTest::mouseMove(View(d, "imgSlider", 1), QPoint(3, 7));
    EXPECT_TRUE(lit("lblSSettings", 1));
    EXPECT_EQ(m.GrabX, 45);
    EXPECT_EQ(m.GrabY, 105);
    QTest::mouseMove(View(d, "imgPB", 4), QPoint(2, 2));
    EXPECT_TRUE(lit("lblBSettings", 4));
    EXPECT_FALSE(lit("lblSSettings", 1));
    QTest::mouseMove(View(d, "lblTextBox", 2), QPoint(5, 5));
    EXPECT_TRUE(lit("lblTSettings", 2));
    EXPECT_FALSE(lit("lblBSettings", 4));
    // A linked pilot lights its button's row too.
    QTest::mouseMove(View(d, "imgPilot", 4), QPoint(2, 2));
    EXPECT_TRUE(lit("lblPSettings", 4));
    EXPECT_TRUE(lit("lblBSettings", 4));

    // During a drag nothing is lit and the grab stays.
    QTest::mousePress(View(d, "imgPilot", 4), Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(View(d, "imgSlider", 1), QPoint(3, 3));
    EXPECT_FALSE(lit("lblSSettings", 1));
    EXPECT_EQ(m.GrabX, 30);
    QTest::mouseRelease(Surface(d), Qt::LeftButton, {}, QPoint(102, 12));

    // The empty layout area puts every row out.
    QTest::mouseMove(View(d, "imgPilot", 4), QPoint(4, 4));
    EXPECT_TRUE(lit("lblPSettings", 4));
    QTest::mouseMove(Surface(d), QPoint(450, 250));
    EXPECT_FALSE(lit("lblPSettings", 4));
    EXPECT_FALSE(lit("lblBSettings", 4));
    EXPECT_EQ(m.GrabX, 450 * 15);
}
