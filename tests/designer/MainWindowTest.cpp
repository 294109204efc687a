#include "DesignerFixture.h"

#include "designer/ScreenGeometry.h"
#include "multiprofile/frmOrvelCompileMP.h"

#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include <filesystem>
#include <fstream>

using namespace kx4;
using kx4::test::Designer;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> Captions(const QMenu* menu)
{
    std::vector<std::string> out;
    for (const QAction* a : menu->actions())
        out.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    return out;
}

QMenu* SubMenu(QMenuBar* bar, const QString& title)
{
    for (QAction* a : bar->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

} // namespace

TEST(MainWindowStart, MakesTheFoldersAndStartsWithAFreshProjectOnHome)
{
    Designer d;
    frmOrvel& w = d.Start();

    for (const fs::path& folder : {d.paths.ProgramDir(), d.paths.SDImageDir(), d.paths.PreviewDir(),
                                   d.paths.SDCardGraphicsDir(), d.paths.BMPImagesDir()})
        EXPECT_TRUE(fs::is_directory(folder)) << folder;
    EXPECT_FALSE(fs::exists(d.paths.RawImagesDir()));
    EXPECT_TRUE(d.prompts.Log().empty());

    EXPECT_EQ(w.windowTitle().toStdString(), "QVR Brivane KX4 Pro   (None)");
    EXPECT_EQ(d.project.AppTitle, "QVR Brivane KX4 Pro");
    EXPECT_EQ(d.project.DataFile, "None");
    EXPECT_FALSE(d.project.DataChanged);
    EXPECT_TRUE(d.project.IncludeStdFlag);
    EXPECT_EQ(d.project.CurScreen, 0);
    EXPECT_EQ(d.project.ScreenBG[0], "[*L]");
    EXPECT_EQ(d.project.ScreenBG[1], "[&HEFEFEF&]");

    for (const char* name : {"cboBVAddress", "cboBVRange", "cboScnRes", "cboCmdSet", "cboScreenNumber"})
        EXPECT_EQ(d.List(name)->currentIndex(), 0) << name;
    EXPECT_EQ(d.List("cboBVAddress")->count(), 251);
    EXPECT_EQ(d.List("cboBVAddress")->itemText(0).toStdString(), "Brivane Node: 01");
    EXPECT_EQ(d.List("cboBVAddress")->itemText(250).toStdString(), "Brivane Node: FB");
    EXPECT_EQ(d.List("cboBVRange")->count(), 16);
    EXPECT_EQ(d.List("cboBVRange")->itemText(0).toStdString(), "Devices: 4  (Count = 0)");
    EXPECT_EQ(d.List("cboBVRange")->itemText(15).toStdString(), "Devices: 64  (Count = F)");
    EXPECT_EQ(d.List("cboScnRes")->itemText(2).toStdString(), "7.0 (800x480)");
    EXPECT_EQ(d.List("cboCmdSet")->itemText(1).toStdString(), "SD Format - Raw");
    ASSERT_EQ(d.List("cboScreenNumber")->count(), 16);
    EXPECT_EQ(d.List("cboScreenNumber")->itemText(0).toStdString(), "Home");
    EXPECT_EQ(d.List("cboScreenNumber")->itemText(1).toStdString(), "Screen: 01");
    EXPECT_EQ(d.List("cboScreenNumber")->itemText(15).toStdString(), "Screen: 15");
    // No standard pictures installed: the SD format cannot be chosen.
    EXPECT_FALSE(d.List("cboCmdSet")->isVisible());

    EXPECT_TRUE(d.Find<QRadioButton>("optLayout_0")->isChecked());
    EXPECT_EQ(d.Find<QRadioButton>("optLayout_0")->text().toStdString(), "Landscape");
    EXPECT_EQ(d.Find<QRadioButton>("optLayout_1")->text().toStdString(), "Portrait");
    EXPECT_FALSE(d.Find<QCheckBox>("chkBeep")->isChecked());
    EXPECT_EQ(d.Find<QCheckBox>("chkBeep")->text().toStdString(), "Audio");
    EXPECT_EQ(d.Find<QCheckBox>("chkHideTitleBG")->text().toStdString(), "Show Boxes (Edit Only)");
    EXPECT_EQ(d.Find<QLabel>("lblBGFile")->text().toStdString(), "QVR Logo");

    EXPECT_TRUE(d.Action("mnuMultiProfile")->isEnabled());
    EXPECT_FALSE(d.Action("mnuUndoSnap")->isEnabled());
    EXPECT_TRUE(d.Action("mnuGridSize_0")->isChecked());
    EXPECT_TRUE(d.Action("mnuGridColor_1")->isChecked());
    EXPECT_FALSE(d.Action("mnuShowGrid")->isChecked());

    EXPECT_EQ(d.Find<QLabel>("lblBSettings_31")->text().toStdString(), "Disabled");
    EXPECT_EQ(d.Find<QLabel>("lblTSettings_15")->text().toStdString(), "Disabled");
    EXPECT_FALSE(d.Find("imgPB_0")->isVisible());
}

TEST(MainWindowStart, OffersTheSDFormatWhereTheStandardPicturesAreInstalled)
{
    Designer d;
    fs::create_directories(d.paths.RawImagesDir());
    d.Start();
    EXPECT_TRUE(d.List("cboCmdSet")->isVisible());
    EXPECT_EQ(d.List("cboCmdSet")->currentIndex(), 0);
}

TEST(MainWindowStart, AFolderThatCannotBeMadeIsNamedOnceAndTheWindowStillOpens)
{
    Designer d;
    { std::ofstream(d.paths.ProgramDir()) << "in the way"; }
    d.prompts.Answer(MsgAnswer::Ok);
    d.Start();

    ASSERT_EQ(d.prompts.Log().size(), 1u);
    EXPECT_EQ(d.prompts.Log()[0].icon, MsgIcon::Critical);
    EXPECT_NE(d.prompts.Log()[0].text.find(d.paths.ProgramDir().string()), std::string::npos);
    EXPECT_EQ(d.List("cboScreenNumber")->count(), 16);
    EXPECT_FALSE(d.project.DataChanged);
}

TEST(MainWindowMenus, CaptionsShortcutsAndCommandsOnTheBar)
{
    Designer d;
    d.Start();
    QMenuBar* bar = d.window->menuBar();
    std::vector<std::string> top;
    for (const QAction* a : bar->actions())
        top.push_back(a->text().toStdString());
    EXPECT_EQ(top, (std::vector<std::string>{"File", "Edit", "Create SD Card", "Multi-Profile", "About"}));
    EXPECT_EQ(d.Action("mnuProgram")->menu(), nullptr);

    EXPECT_EQ(Captions(SubMenu(bar, "File")), (std::vector<std::string>{"New", "Open", "Save", "Save As", "-",
                                                                       "Export Screen", "Import Screen", "-", "Exit"}));
    EXPECT_EQ(Captions(SubMenu(bar, "Edit")),
              (std::vector<std::string>{"New Button", "New Pilot", "New Slider", "New Text", "-", "Clear Screen", "-",
                                        "Show Grid", "Grid Size", "Grid Color", "-", "Snap To Grid", "Undo Snap"}));
    const QMenu* edit = SubMenu(bar, "Edit");
    const QMenu* sizes = nullptr;
    const QMenu* colors = nullptr;
    for (const QAction* a : edit->actions()) {
        if (a->text() == "Grid Size")
            sizes = a->menu();
        if (a->text() == "Grid Color")
            colors = a->menu();
    }
    ASSERT_TRUE(sizes && colors);
    EXPECT_EQ(Captions(sizes), (std::vector<std::string>{"8 x 8", "16 x 16", "32 x 32", "64 x 64"}));
    EXPECT_EQ(Captions(colors), (std::vector<std::string>{"Black", "Gray", "White"}));

    EXPECT_EQ(d.Action("mnuNewButton")->shortcut(), QKeySequence("Ctrl+B"));
    EXPECT_EQ(d.Action("mnuNewPilot")->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_EQ(d.Action("mnuNewSlider")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(d.Action("mnuNewText")->shortcut(), QKeySequence("Ctrl+T"));
    EXPECT_EQ(d.Action("mnuClearScreen")->shortcut(), QKeySequence("Ctrl+X"));
}

TEST(MainWindowMenus, AboutShowsTheRevision)
{
    Designer d;
    d.Start();
    d.prompts.Answer(MsgAnswer::Ok);
    d.Action("mnuAbout")->trigger();
    ASSERT_EQ(d.prompts.Log().size(), 1u);
    const auto& box = d.prompts.Log()[0];
    EXPECT_EQ(box.icon, MsgIcon::None);
    EXPECT_EQ(box.title, "QVR Brivane KX4 Pro");
    EXPECT_EQ(box.text, "Software Rev 3.07");
    EXPECT_EQ(box.buttons, MsgButtons::Ok);
    EXPECT_FALSE(d.project.DataChanged);
}

TEST(MainWindowScreens, ChoosingAScreenMakesItCurrentWithoutMarkingModified)
{
    Designer d;
    d.Start();
    d.project.SelButton = 4;
    d.project.SelPilot = 2;
    d.project.SelSlider = 1;
    d.project.SelText = 3;
    d.Action("mnuUndoSnap")->setEnabled(true);
    // A button on screen 3 only.
    d.project.SetScreen(3);
    d.project.SetBtnType(0, 25);
    d.project.SetScreen(0);

    d.List("cboScreenNumber")->setCurrentIndex(3);
    EXPECT_EQ(d.project.CurScreen, 3);
    EXPECT_EQ(d.project.ScrBase, 3 * 1024);
    EXPECT_EQ(d.project.DsnBase, 3 * 2048);
    EXPECT_EQ(d.project.SelButton, -1);
    EXPECT_EQ(d.project.SelPilot, -1);
    EXPECT_EQ(d.project.SelSlider, -1);
    EXPECT_EQ(d.project.SelText, -1);
    EXPECT_FALSE(d.project.DataChanged);
    EXPECT_TRUE(d.Action("mnuMultiProfile")->isEnabled());
    EXPECT_FALSE(d.Action("mnuUndoSnap")->isEnabled());
    EXPECT_EQ(d.Find<QLabel>("lblBSettings_0")->text().toStdString(), "Goto Home");
    EXPECT_EQ(d.Find<QLabel>("lblBGFile")->text().toStdString(), "Solid Color");

    d.List("cboScreenNumber")->setCurrentIndex(0);
    EXPECT_EQ(d.Find<QLabel>("lblBSettings_0")->text().toStdString(), "Disabled");
}

TEST(MainWindowOptions, EachOptionIsStoredAndMarksTheProjectModified)
{
    Designer d;
    fs::create_directories(d.paths.RawImagesDir());
    d.Start();

    d.Find<QCheckBox>("chkBeep")->setChecked(true);
    EXPECT_EQ(d.project.GetBeep(), 1);
    EXPECT_TRUE(d.project.DataChanged);
    EXPECT_FALSE(d.Action("mnuMultiProfile")->isEnabled());

    d.project.DataChanged = false;
    d.List("cboCmdSet")->setCurrentIndex(1);
    EXPECT_EQ(d.project.GetSDFormat(), 1);
    EXPECT_TRUE(d.project.DataChanged);

    d.project.DataChanged = false;
    d.Find<QRadioButton>("optLayout_1")->setChecked(true);
    EXPECT_EQ(d.project.GetLayout(), 1);
    EXPECT_TRUE(d.project.DataChanged);

    d.project.DataChanged = false;
    d.List("cboScnRes")->setCurrentIndex(1);
    EXPECT_EQ(d.project.GetScnRes(), 1);
    EXPECT_TRUE(d.project.DataChanged);

    d.project.DataChanged = false;
    d.Find<QCheckBox>("chkHideTitleBG")->setChecked(true);
    EXPECT_FALSE(d.project.DataChanged) << "a view option is not stored";
    // "Multi-Profile" never comes back during the run.
    EXPECT_FALSE(d.Action("mnuMultiProfile")->isEnabled());
    EXPECT_TRUE(d.prompts.Log().empty());
}

TEST(MainWindowOptions, NodeAddressAndDeviceCountAreCheckedTogether)
{
    Designer d;
    d.Start();
    QComboBox* address = d.List("cboBVAddress");
    QComboBox* range = d.List("cboBVRange");

    address->setCurrentIndex(250);
    EXPECT_EQ(d.project.GetBVAddress(), 250) << "node 251 with 4 devices reaches 254";

    address->setCurrentIndex(0);
    range->setCurrentIndex(1);
    EXPECT_EQ(d.project.GetBVRange(), 7);
    address->setCurrentIndex(246);
    EXPECT_EQ(d.project.GetBVAddress(), 246);
    EXPECT_TRUE(d.prompts.Log().empty());

    d.project.DataChanged = false;
    d.prompts.Answer(MsgAnswer::Ok);
    address->setCurrentIndex(247);
    ASSERT_EQ(d.prompts.Log().size(), 1u);
    EXPECT_EQ(d.prompts.Log()[0].text, "Base Address + Count Invalid");
    EXPECT_EQ(d.prompts.Log()[0].title, "Error");
    EXPECT_EQ(d.prompts.Log()[0].icon, MsgIcon::Critical);
    EXPECT_EQ(d.prompts.Log()[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(d.project.GetBVAddress(), 246) << "nothing stored";
    EXPECT_EQ(address->currentIndex(), 246) << "the list returns to the stored value";
    EXPECT_TRUE(d.project.DataChanged);

    address->setCurrentIndex(0);
    range->setCurrentIndex(15);
    address->setCurrentIndex(190);
    EXPECT_EQ(d.project.GetBVAddress(), 190);
    d.prompts.ClearLog();
    d.prompts.Answer(MsgAnswer::Ok);
    address->setCurrentIndex(191);
    EXPECT_EQ(d.prompts.Log().size(), 1u);
    EXPECT_EQ(d.project.GetBVAddress(), 190);

    // A larger count is refused for a high node the same way.
    d.prompts.Answer(MsgAnswer::Ok);
    d.prompts.ClearLog();
    address->setCurrentIndex(250);
    EXPECT_EQ(d.project.GetBVAddress(), 190);
    range->setCurrentIndex(0);
    EXPECT_EQ(d.project.GetBVRange(), 3);
}

TEST(MainWindowOptions, RedrawingAProjectWhoseOptionsDifferRunsTheirHandlers)
{
    Designer d;
    d.Start();
    d.List("cboBVRange")->setCurrentIndex(15);
    d.project.DataChanged = false;

    // As if a file with node index 250 and 4 devices had been loaded: the address comes first and,
    // with the 64 devices still shown, is refused once; then both lists show what is stored.
    d.project.SetBVAddress(250);
    d.project.SetBVRange(3);
    d.project.SetScnRes(2);
    d.prompts.Answer(MsgAnswer::Ok);
    d.window->ShowScreen();

    ASSERT_EQ(d.prompts.Log().size(), 1u);
    EXPECT_EQ(d.prompts.Log()[0].text, "Base Address + Count Invalid");
    EXPECT_EQ(d.project.GetBVAddress(), 250);
    EXPECT_EQ(d.project.GetBVRange(), 3);
    EXPECT_EQ(d.List("cboBVAddress")->currentIndex(), 250);
    EXPECT_EQ(d.List("cboBVRange")->currentIndex(), 0);
    EXPECT_EQ(d.List("cboScnRes")->currentIndex(), 2);
    EXPECT_EQ(d.Find("picLayout")->width(), 804);
    EXPECT_TRUE(d.project.DataChanged);
}

TEST(MainWindowOptions, ADamagedOptionShowsNoSelectionAndStaysAsStored)
{
    Designer d;
    d.Start();
    d.project.SetScnRes(7);
    d.project.SetBVAddress(251);
    d.project.SetBVRange(64);
    d.project.SetSDFormat(5);
    d.window->ShowScreen();
    d.window->ScreenRes();
    d.window->ScreenShape();

    EXPECT_EQ(d.List("cboScnRes")->currentIndex(), -1);
    EXPECT_EQ(d.List("cboBVAddress")->currentIndex(), -1);
    EXPECT_EQ(d.List("cboBVRange")->currentIndex(), -1);
    EXPECT_EQ(d.List("cboCmdSet")->currentIndex(), -1);
    EXPECT_TRUE(d.List("cboCmdSet")->isVisible()) << "so that the project can go back to SFC";
    EXPECT_EQ(d.project.GetScnRes(), 7);
    EXPECT_EQ(d.project.GetBVAddress(), 251);
    EXPECT_EQ(d.project.GetBVRange(), 64);
    EXPECT_EQ(d.project.GetSDFormat(), 5);
    EXPECT_FALSE(d.project.DataChanged);
    EXPECT_EQ(d.Find("picLayout")->size(), QSize(4, 4));

    // Choosing a valid entry works as usual.
    d.List("cboScnRes")->setCurrentIndex(0);
    EXPECT_EQ(d.project.GetScnRes(), 0);
    EXPECT_EQ(d.Find("picLayout")->size(), QSize(484, 276));
}

TEST(MainWindowOptions, ARawProjectKeepsTheFormatListWithoutTheStandardPictures)
{
    Designer d;
    d.Start();
    d.project.SetSDFormat(1);
    d.window->ShowScreen();
    EXPECT_TRUE(d.List("cboCmdSet")->isVisible());
    EXPECT_EQ(d.List("cboCmdSet")->currentIndex(), 1);

    d.List("cboCmdSet")->setCurrentIndex(0);
    EXPECT_EQ(d.project.GetSDFormat(), 0);
    EXPECT_FALSE(d.List("cboCmdSet")->isVisible());
}

TEST(MainWindowGeometry, PanelSizeAndOrientationSizeTheLayoutArea)
{
    Designer d;
    frmOrvel& w = d.Start();
    QWidget* layout = d.Find("picLayout");
    QWidget* pan = d.Find("picPan");
    QWidget* buttons = d.Find("frmButtons");
    QWidget* texts = d.Find("frmTitlesLarge");
    const QSize normalWindow = w.size();
    const int buttonsLeft = buttons->x();

    EXPECT_EQ(layout->size(), QSize(484, 276));
    EXPECT_EQ(pan->size(), QSize(484, 276));
    EXPECT_EQ(d.Find("picLayoutSurface")->size(), QSize(480, 272));
    EXPECT_EQ(pan->pos(), QPoint(8, 88));
    EXPECT_EQ(buttonsLeft, 520);
    EXPECT_EQ(d.Find("frmPilots")->x(), 696);
    EXPECT_EQ(texts->x(), 840);

    d.Find<QRadioButton>("optLayout_1")->setChecked(true);
    EXPECT_EQ(layout->size(), QSize(276, 484));
    EXPECT_EQ(d.Find("picLayoutSurface")->size(), QSize(272, 480));

    d.List("cboScnRes")->setCurrentIndex(1);
    EXPECT_EQ(layout->size(), QSize(244, 324));
    d.Find<QRadioButton>("optLayout_0")->setChecked(true);
    EXPECT_EQ(layout->size(), QSize(324, 244));
    EXPECT_EQ(w.size(), normalWindow);

    // 800 x 480 in landscape widens the window and moves every frame by 320 pixels.
    d.List("cboScnRes")->setCurrentIndex(2);
    EXPECT_EQ(layout->size(), QSize(804, 484));
    EXPECT_EQ(pan->size(), QSize(804, 484));
    EXPECT_EQ(w.width(), normalWindow.width() + 320);
    EXPECT_EQ(buttons->x(), buttonsLeft + 320);
    EXPECT_EQ(d.Find("frmPilots")->x(), 696 + 320);
    EXPECT_EQ(d.Find("frmSliders")->x(), 840 + 320);
    EXPECT_EQ(texts->x(), 840 + 320);

    // In portrait on a tall display the window grows instead, and the whole panel shows.
    d.Find<QRadioButton>("optLayout_1")->setChecked(true);
    EXPECT_EQ(layout->size(), QSize(484, 804));
    EXPECT_EQ(pan->size(), QSize(484, 804));
    EXPECT_EQ(w.size(), QSize(normalWindow.width(), normalWindow.height() + (14325 - 9765) / 15));
    EXPECT_EQ(buttons->x(), buttonsLeft);
    EXPECT_FALSE(d.Find("vsPan")->isVisible());
    // Centred on the 1600 x 1000 display: (24000 - 14535) / 2 twips across, (15000 - 14325) / 2 down.
    EXPECT_EQ(w.pos(), QPoint(TwipsToPixels((24000 - 14535) / 2), TwipsToPixels((15000 - 14325) / 2)));
}

TEST(MainWindowGeometry, ATallPortraitPanelPansOnALowDisplay)
{
    Designer d(test::kLowDisplay);
    frmOrvel& w = d.Start();
    const QSize normalWindow = w.size();
    QWidget* layout = d.Find("picLayout");
    auto* pan = d.Find<QScrollBar>("vsPan");

    d.List("cboScnRes")->setCurrentIndex(2);
    d.Find<QRadioButton>("optLayout_1")->setChecked(true);
    EXPECT_EQ(w.size(), normalWindow);
    EXPECT_EQ(layout->size(), QSize(484, 804));
    EXPECT_EQ(d.Find("picPan")->size(), QSize(484, 480));
    EXPECT_TRUE(pan->isVisible());
    EXPECT_EQ(pan->maximum(), 4890);
    EXPECT_EQ(pan->geometry(), QRect(496, 88, pan->width(), 480));

    pan->setValue(300);
    EXPECT_EQ(layout->y(), -20);
    pan->setValue(4890);
    EXPECT_EQ(layout->y(), -326);

    // Another size returns the layout area to the top and hides the bar.
    d.List("cboScnRes")->setCurrentIndex(0);
    EXPECT_EQ(layout->y(), 0);
    EXPECT_EQ(pan->value(), 0);
    EXPECT_FALSE(pan->isVisible());
}

TEST(MainWindowClose, ClosingAModifiedProjectAsksAndNoKeepsTheWindow)
{
    Designer d;
    frmOrvel& w = d.Start();
    d.Find<QCheckBox>("chkBeep")->setChecked(true);

    d.prompts.Answer(MsgAnswer::No);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(d.project.DataChanged);
    ASSERT_EQ(d.prompts.Log().size(), 1u);
    EXPECT_EQ(d.prompts.Log()[0].text, "Discard Any Changes?");
    EXPECT_EQ(d.prompts.Log()[0].title, "QVR Brivane KX4 Pro");
    EXPECT_EQ(d.prompts.Log()[0].icon, MsgIcon::Question);
    EXPECT_EQ(d.prompts.Log()[0].buttons, MsgButtons::YesNo);

    d.prompts.Answer(MsgAnswer::Yes);
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible());
}

TEST(MainWindowClose, ExitAsksOnceAndOnlyWhenModified)
{
    {
        Designer d;
        frmOrvel& w = d.Start();
        d.Find<QCheckBox>("chkBeep")->setChecked(true);
        d.prompts.Answer(MsgAnswer::No);
        d.Action("mnuExit")->trigger();
        EXPECT_TRUE(w.isVisible());

        d.prompts.ClearLog();
        d.prompts.Answer(MsgAnswer::Yes);
        d.Action("mnuExit")->trigger();
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(d.prompts.Log().size(), 1u) << "the close after Exit does not ask again";
    }
    {
        Designer d;
        frmOrvel& w = d.Start();
        d.Action("mnuExit")->trigger();
        EXPECT_FALSE(w.isVisible());
        EXPECT_TRUE(d.prompts.Log().empty());
    }
}

TEST(MainWindowActivation, RedrawsAfterAModalWindowButNotOnOtherActivations)
{
    Designer d;
    // The load step resets the project; make the missing background part of it afterwards.
    d.window = std::make_unique<frmOrvel>(d.project, d.paths, d.prompts, d.display);
    d.project.ScreenBG[0] = "C:\\QVR Brivane KX4 Pro Screen\\BMP Library\\Gone.bmp";
    d.prompts.Answer(MsgAnswer::Ok);
    d.window->show();
    QApplication::processEvents();
    EXPECT_EQ(d.prompts.Log().size(), 1u) << "the first showing runs the activation step";

    // Activation events, such as the one after a message box closes, do not redraw.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(d.window.get(), &activate);
    d.window->activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(d.prompts.Log().size(), 1u);

    // The close of a window it opened does.
    d.project.ScreenBG[0] = "[&H0000FF&]";
    d.project.SetBtnType(0, 57);
    QDialog dialog(d.window.get());
    QTimer::singleShot(0, &dialog, &QDialog::reject);
    d.window->RunModal(dialog);
    EXPECT_EQ(d.Find<QLabel>("lblBSettings_0")->text().toStdString(), "Color Control");
    EXPECT_EQ(d.Pixel(300, 200), 0xFF0000u);
}

TEST(MainWindowMultiProfile, TheCommandOpensTheBuilderAndItsCloseResetsTheProject)
{
    Designer d;
    d.Start();
    // What a build leaves behind: the last profile's tables and file, another screen current.
    d.project.ScreenBG[3] = "[&H123456&]";
    d.project.DataFile = "/panels/Last.KQC";
    d.project.SetScreen(15);
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* builder = qobject_cast<frmOrvelCompileMP*>(QApplication::activeModalWidget());
        ASSERT_NE(builder, nullptr);
        opened = true;
        EXPECT_EQ(builder->windowTitle().toStdString(), "QVR Brivane Touch - Build Multi-Profile Image");
        builder->findChild<QAction*>("mnuPrjClose")->trigger(); // unchanged: no question
    });
    d.Action("mnuMultiProfile")->trigger();

    EXPECT_TRUE(opened);
    EXPECT_EQ(d.project.ScreenBG[3], "[&HEFEFEF&]");
    EXPECT_EQ(d.project.DataFile, "None");
    EXPECT_EQ(d.project.CurScreen, 0);
    EXPECT_FALSE(d.project.DataChanged);
    EXPECT_EQ(d.List("cboScreenNumber")->currentIndex(), 0);
}

TEST(MainWindowMultiProfile, TheReturnGivesAFreshUnmodifiedProjectOnHome)
{
    Designer d;
    d.Start();
    d.Find<QCheckBox>("chkBeep")->setChecked(true);
    d.List("cboScreenNumber")->setCurrentIndex(4);
    d.project.DataFile = "/somewhere/Panel.KQC";
    d.Action("mnuUndoSnap")->setEnabled(true);
    d.Find<QCheckBox>("chkBeep")->setChecked(false);

    d.window->ResetAfterMultiProfile();
    EXPECT_FALSE(d.project.DataChanged);
    EXPECT_EQ(d.project.DataFile, "None");
    EXPECT_EQ(d.project.CurScreen, 0);
    EXPECT_EQ(d.List("cboScreenNumber")->currentIndex(), 0);
    EXPECT_FALSE(d.Action("mnuUndoSnap")->isEnabled());
    EXPECT_FALSE(d.Action("mnuMultiProfile")->isEnabled()) << "withdrawn by the earlier edit, for good";
    EXPECT_EQ(d.window->windowTitle().toStdString(), "QVR Brivane KX4 Pro   (None)");
}

TEST(MainWindowMultiProfile, OptionsShownBeforeTheResetMarkTheFreshProjectModified)
{
    Designer d;
    d.Start();
    d.List("cboScnRes")->setCurrentIndex(2);

    d.window->ResetAfterMultiProfile();
    // The list still showed 7.0 inch: bringing it back to the stored 4.3 inch ran its handler.
    EXPECT_TRUE(d.project.DataChanged);
    EXPECT_EQ(d.project.GetScnRes(), 0);
    EXPECT_EQ(d.List("cboScnRes")->currentIndex(), 0);
    EXPECT_EQ(d.Find("picLayout")->size(), QSize(484, 276));
}
