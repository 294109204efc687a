#include "DesignerFixture.h"

#include "assets/ArtworkSizes.h"
#include "designer/PreviewWidgets.h"

#include <QGroupBox>
#include <QLabel>

using namespace kx4;
using kx4::test::Designer;

namespace {

ElementView* View(const Designer& d, const char* base, int i)
{
    return d.Find<ElementView>(QString("%1_%2").arg(base).arg(i));
}

std::string Row(const Designer& d, const char* base, int i)
{
    return d.Find<QLabel>(QString("%1_%2").arg(base).arg(i))->text().toStdString();
}

} // namespace

TEST(ButtonPreview, AFaceWithItsCaptionAtTheInsetOfItsSizeClass)
{
    Designer d;
    d.Start();
    modOrvel& m = d.project;
    m.SetBVAddress(0x2A);
    m.SetBtnType(5, 3);
    m.SetBtnDevice(5, 1);
    m.SetBtnLeft(5, 10);
    m.SetBtnTop(5, 20);
    m.SetBtnImage(5, 5);
    m.SetBtnSize(5, 2);
    m.SetBtnTextColor(5, 1);
    m.SetBtnText(5, "Lights");
    m.SetBtnTxtX(5, 1);
    m.SetBtnTxtY(5, 2);
    d.window->UDButton(5);

    ElementView* face = View(d, "imgPB", 5);
    ElementView* caption = View(d, "lblButton", 5);
    EXPECT_TRUE(face->isVisible());
    EXPECT_EQ(face->geometry(), QRect(10, 20, 160, 48));
    EXPECT_FALSE(face->HasBorder());
    EXPECT_TRUE(caption->isVisible());
    EXPECT_EQ(caption->geometry(), QRect(21, 31, 149, 37));
    EXPECT_EQ(caption->text().toStdString(), "Lights");
    EXPECT_EQ(caption->font().family().toStdString(), "Calibri");
    EXPECT_EQ(caption->font().pixelSize(), 24);
    EXPECT_FALSE(caption->font().bold());
    EXPECT_EQ(caption->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    EXPECT_EQ(m.GetBtnTxtX(5), 165);
    EXPECT_EQ(m.GetBtnTxtY(5), 165);
    EXPECT_FALSE(m.DataChanged) << "the inset is written without marking the project modified";

    EXPECT_EQ(Row(d, "lblBSettings", 5), "Mom In:3 Dev:2C");
    EXPECT_EQ(face->toolTip().toStdString(), "D:2C I:3");
    EXPECT_EQ(caption->toolTip().toStdString(), "D:2C I:3");
    // The caption lies over the face.
    const QObjectList& stack = face->parentWidget()->children();
    EXPECT_GT(stack.indexOf(caption), stack.indexOf(face));

    // Each size class has its font and inset; another value changes neither.
    const int pixels[] = {11, 16, 24, 32};
    const int insets[] = {75, 105, 165, 210};
    for (int s = 0; s < 4; ++s) {
        m.SetBtnSize(5, s);
        d.window->UDButton(5);
        EXPECT_EQ(caption->font().pixelSize(), pixels[s]);
        EXPECT_EQ(m.GetBtnTxtX(5), insets[s]);
    }
    m.SetBtnSize(5, 9);
    m.SetBtnTxtX(5, 30);
    d.window->UDButton(5);
    EXPECT_EQ(caption->font().pixelSize(), 32);
    EXPECT_EQ(m.GetBtnTxtX(5), 30);
    EXPECT_EQ(caption->x(), 10 + 2);
}

TEST(ButtonPreview, ATouchAreaWithoutAFaceIsAnOutlinedBoxOfItsStoredSize)
{
    Designer d;
    d.Start();
    modOrvel& m = d.project;
    m.SetBtnType(0, 25);
    m.SetBtnImage(0, 0);
    m.SetBtnLeft(0, 100);
    m.SetBtnTop(0, 40);
    m.SetBtnWidth(0, 50);
    m.SetBtnHeight(0, 20);
    m.SetBtnTxtX(0, 99);
    d.window->ShowScreen();

    EXPECT_TRUE(View(d, "imgPB", 0)->isVisible());
    EXPECT_EQ(View(d, "imgPB", 0)->geometry(), QRect(100, 40, 50, 20));
    EXPECT_TRUE(View(d, "imgPB", 0)->HasBorder());
    EXPECT_FALSE(View(d, "lblButton", 0)->isVisible());
    EXPECT_EQ(m.GetBtnTxtX(0), 99);
    EXPECT_EQ(Row(d, "lblBSettings", 0), "Goto Home");
    // The outline is black, the inside shows the background.
    EXPECT_EQ(d.Pixel(100, 40), 0x000000u);
    EXPECT_EQ(d.Pixel(149, 59), 0x000000u);
    EXPECT_EQ(d.Pixel(120, 50), d.Pixel(300, 200));

    // Freed again: hidden, "Disabled", no tooltip.
    m.SetBtnType(0, 0);
    d.window->UDButton(0);
    EXPECT_FALSE(View(d, "imgPB", 0)->isVisible());
    EXPECT_EQ(Row(d, "lblBSettings", 0), "Disabled");
    EXPECT_TRUE(View(d, "imgPB", 0)->toolTip().isEmpty());
}

TEST(ButtonPreview, PasswordTypesShowSixDigits)
{
    Designer d;
    d.Start();
    d.project.SetBtnType(2, 41);
    d.project.SetBtnPassword(2, 4321);
    d.project.SetBtnType(3, 44);
    d.project.SetBtnPassword(3, 120034);
    d.window->ShowScreen();
    EXPECT_EQ(Row(d, "lblBSettings", 2), "Goto Screen Home PW:004321");
    EXPECT_EQ(View(d, "imgPB", 2)->toolTip().toStdString(), "Goto Screen Home");
    EXPECT_EQ(Row(d, "lblBSettings", 3), "Goto Screen:3 PW:120034");
    EXPECT_EQ(View(d, "lblButton", 3)->toolTip().toStdString(), "Goto Screen:3");
}

TEST(PilotPreview, TheOnIconAtItsPlaceVisibleOnlyWhenEnabled)
{
    Designer d;
    d.Start();
    modOrvel& m = d.project;
    m.SetBVAddress(4);
    m.SetPilotIcon(7, 2);
    m.SetPilotLeft(7, 33);
    m.SetPilotTop(7, 44);
    m.SetPilotDevice(7, 5);
    m.SetPilotNum(7, 6);
    d.window->UDPilot(7);
    ElementView* icon = View(d, "imgPilot", 7);
    EXPECT_FALSE(icon->isVisible());
    EXPECT_EQ(icon->geometry(), QRect(33, 44, 101, 48)) << "a disabled pilot keeps its place and size";
    EXPECT_EQ(Row(d, "lblPSettings", 7), "Disabled");
    EXPECT_TRUE(icon->toolTip().isEmpty());

    m.SetPilotEnabled(7, 1);
    m.SetPilotIcon(7, 0);
    d.window->UDPilot(7);
    EXPECT_TRUE(icon->isVisible());
    EXPECT_EQ(icon->geometry(), QRect(33, 44, 34, 16));
    EXPECT_EQ(Row(d, "lblPSettings", 7), "Enabled Pilot:7 Dev:0A");
    EXPECT_EQ(icon->toolTip().toStdString(), "D:0A P:7");

    m.SetPilotEnabled(7, 2);
    d.window->UDPilot(7);
    EXPECT_TRUE(icon->isVisible());
    EXPECT_EQ(Row(d, "lblPSettings", 7), "");
}

TEST(SliderPreview, ThePictureOfItsNumberAndTheTrackingRow)
{
    Designer d;
    d.Start();
    modOrvel& m = d.project;
    m.SetSldImage(3, 10);
    m.SetSldTrack(3, 1);
    m.SetSldDevice(3, 2);
    m.SetSldLeft(3, 400);
    m.SetSldTop(3, 12);
    d.window->ShowScreen();
    ElementView* slider = View(d, "imgSlider", 3);
    EXPECT_TRUE(slider->isVisible());
    EXPECT_EQ(slider->geometry(), QRect(400, 12, 42, 421));
    EXPECT_EQ(Row(d, "lblSSettings", 3), "E/Track Dev:03");
    EXPECT_EQ(slider->toolTip().toStdString(), "D:03");

    m.SetSldImage(3, 1);
    m.SetSldTrack(3, 0);
    d.window->UDSlider(3);
    EXPECT_EQ(slider->size(), QSize(34, 221));
    EXPECT_EQ(Row(d, "lblSSettings", 3), "Enabled Dev:03");

    m.SetSldImage(3, 0);
    d.window->UDSlider(3);
    EXPECT_FALSE(slider->isVisible());
    EXPECT_EQ(Row(d, "lblSSettings", 3), "Disabled");
}

TEST(TextPreview, PlainTextIsTransparentUnlessBoxesAreShown)
{
    Designer d;
    d.Start();
    modOrvel& m = d.project;
    m.ScreenBG[0] = "[&H0000FF&]";
    m.SetTxtType(2, 1);
    m.SetTxtLeft(2, 50);
    m.SetTxtTop(2, 60);
    m.SetTxtWidth(2, 120);
    m.SetTxtHeight(2, 40);
    m.SetTxtText(2, "Kitchen");
    m.SetTxtFontSize(2, 1);
    d.window->ShowScreen();
    ElementView* label = View(d, "lblTextBox", 2);
    EXPECT_TRUE(label->isVisible());
    EXPECT_FALSE(View(d, "imgClkCal", 2)->isVisible());
    EXPECT_EQ(label->geometry(), QRect(50, 60, 120, 40));
    EXPECT_EQ(label->text().toStdString(), "Kitchen");
    EXPECT_EQ(label->font().family().toStdString(), "Calibri");
    EXPECT_EQ(label->font().pixelSize(), 16);
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(Row(d, "lblTSettings", 2), "Text");
    EXPECT_EQ(d.Pixel(168, 98), 0xFF0000u) << "the background shows through";

    d.Find<QCheckBox>("chkHideTitleBG")->setChecked(true);
    EXPECT_EQ(d.Pixel(168, 98), 0xC0C0C0u);
    EXPECT_FALSE(d.project.DataChanged);
    d.Find<QCheckBox>("chkHideTitleBG")->setChecked(false);
    EXPECT_EQ(d.Pixel(168, 98), 0xFF0000u);
}

TEST(TextPreview, ValueBoxesBarsClocksAndRows)
{
    Designer d;
    d.Start();
    modOrvel& m = d.project;
    m.ScreenBG[0] = "[&H0000FF&]";
    m.SetBVAddress(0x10);
    for (int t = 0; t <= 12; ++t) {
        m.SetTxtType(t, t);
        m.SetTxtLeft(t, 30 * t);
        m.SetTxtTop(t, 5);
        m.SetTxtWidth(t, 25);
        m.SetTxtHeight(t, 18);
        m.SetTxtSldDev(t, 1);
    }
    m.SetTxtFontSize(11, 3);
    m.SetTxtColor(11, 1);
    d.window->ShowScreen();

    EXPECT_EQ(Row(d, "lblTSettings", 3), "Dimmer Dev:12");
    EXPECT_EQ(Row(d, "lblTSettings", 12), "Date");

    EXPECT_FALSE(View(d, "lblTextBox", 0)->isVisible());
    EXPECT_FALSE(View(d, "imgClkCal", 0)->isVisible());
    // Value boxes: white with a black outline, at their stored size.
    EXPECT_EQ(View(d, "lblTextBox", 2)->geometry(), QRect(60, 5, 25, 18));
    EXPECT_EQ(d.Pixel(60, 5), 0x000000u);
    EXPECT_EQ(d.Pixel(70, 12), 0xFFFFFFu);
    // Bars: their fixed sizes and colours, whatever the stored size.
    const QRgb barColors[] = {0x0000FF, 0x00FF00, 0x808080};
    for (int t = 4; t <= 9; ++t) {
        ElementView* bar = View(d, "lblTextBox", t);
        EXPECT_EQ(bar->size(), t <= 6 ? QSize(16, 221) : QSize(20, 421)) << t;
        EXPECT_TRUE(bar->text().isEmpty());
        EXPECT_EQ(d.Pixel(30 * t + 5, 100), barColors[(t - 4) % 3]) << t;
    }
    // Clocks and the date: the sample picture, the label hidden.
    for (int t = 10; t <= 12; ++t) {
        EXPECT_FALSE(View(d, "lblTextBox", t)->isVisible()) << t;
        EXPECT_TRUE(View(d, "imgClkCal", t)->isVisible()) << t;
        EXPECT_EQ(View(d, "imgClkCal", t)->pos(), QPoint(30 * t, 5));
    }
    const PicSize clock24 = kClockPicSizes[1][3];
    EXPECT_EQ(View(d, "imgClkCal", 11)->size(), QSize(clock24.width, clock24.height));
    EXPECT_EQ(View(d, "imgClkCal", 10)->size(), QSize(kClockPicSizes[0][0].width, kClockPicSizes[0][0].height));
}

TEST(Previews, NumbersOutsideThePictureTablesShowNothing)
{
    Designer d;
    d.Start();
    modOrvel& m = d.project;
    m.SetBtnType(0, 1);
    m.SetBtnImage(0, 9);
    m.SetPilotEnabled(0, 1);
    m.SetPilotIcon(0, 3);
    m.SetSldImage(0, 11);
    m.SetTxtType(0, 10);
    m.SetTxtFontSize(0, 4);
    m.SetTxtType(1, 2);
    m.SetTxtFontSize(1, 7);
    d.window->ShowScreen();

    EXPECT_FALSE(View(d, "imgPB", 0)->isVisible());
    EXPECT_FALSE(View(d, "lblButton", 0)->isVisible());
    EXPECT_FALSE(View(d, "imgPilot", 0)->isVisible());
    EXPECT_FALSE(View(d, "imgSlider", 0)->isVisible());
    EXPECT_FALSE(View(d, "imgClkCal", 0)->isVisible());
    EXPECT_TRUE(View(d, "lblTextBox", 1)->isVisible());
    // The rows still describe the elements.
    EXPECT_EQ(Row(d, "lblBSettings", 0), "Mom In:1 Dev:01");
    EXPECT_EQ(Row(d, "lblSSettings", 0), "Enabled Dev:01");
    EXPECT_EQ(Row(d, "lblTSettings", 0), "12H Clock");

    // A text type above 12 leaves its controls and row as they were.
    m.SetTxtType(1, 13);
    m.SetTxtLeft(1, 77);
    d.window->UDTitle(1);
    EXPECT_TRUE(View(d, "lblTextBox", 1)->isVisible());
    EXPECT_EQ(View(d, "lblTextBox", 1)->x(), 77);
    EXPECT_EQ(Row(d, "lblTSettings", 1), "Slider Dev:01");
}

TEST(Previews, SettingsRowsSitInTheirFramesAndClearHLWhitensThemAll)
{
    Designer d;
    d.Start();
    struct Case { const char* base; int count; int width; const char* frame; };
    for (const Case c : {Case{"lblBSettings", 32, 153, "frmButtons"}, Case{"lblPSettings", 32, 121, "frmPilots"},
                         Case{"lblSSettings", 8, 89, "frmSliders"}, Case{"lblTSettings", 16, 89, "frmTitlesLarge"}}) {
        for (int i = 0; i < c.count; ++i) {
            auto* row = d.Find<SettingsRow>(QString("%1_%2").arg(c.base).arg(i));
            EXPECT_EQ(row->geometry(), QRect(8, 16 * (i + 1), c.width, 17)) << c.base << i;
            EXPECT_EQ(row->parentWidget()->objectName().toStdString(), c.frame);
            row->SetHighlight(true);
            EXPECT_EQ(row->palette().color(QPalette::Window), QColor(255, 255, 0));
        }
    }
    EXPECT_EQ(d.Find<QGroupBox>("frmButtons")->title().toStdString(), "Buttons");
    EXPECT_EQ(d.Find<QGroupBox>("frmPilots")->title().toStdString(), "Pilots");
    EXPECT_EQ(d.Find<QGroupBox>("frmSliders")->title().toStdString(), "Sliders");
    EXPECT_EQ(d.Find<QGroupBox>("frmTitlesLarge")->title().toStdString(), "Text / Bar Graph");

    d.window->ClearHL();
    for (SettingsRow* row : d.window->findChildren<SettingsRow*>()) {
        EXPECT_FALSE(row->Highlighted());
        EXPECT_EQ(row->palette().color(QPalette::Window), QColor(255, 255, 255));
    }
    EXPECT_EQ(d.window->findChildren<SettingsRow*>().size(), 88);
}
