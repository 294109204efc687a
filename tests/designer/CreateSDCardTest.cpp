// "Create SD Card" from the menu: the pictures on disk and the designer as it was.
#include "DesignerFixture.h"

#include <filesystem>

using namespace kx4;
using kx4::test::Designer;

TEST(CreateSDCard, WritesEveryPictureAndGivesTheDesignerBackItsScreen)
{
    Designer d;
    frmOrvel& w = d.Start();
    d.project.SetScreen(3);
    d.project.SetBtnType(0, 1);
    d.project.SetBtnImage(0, 5);
    d.project.SetBtnSize(0, 2);
    d.project.SetBtnLeft(0, 10);
    d.project.SetBtnTop(0, 20);
    d.List("cboScreenNumber")->setCurrentIndex(3);
    d.Find<QCheckBox>("chkHideTitleBG")->setChecked(true);
    const bool modified = d.project.DataChanged;

    d.Action("mnuProgram")->trigger();

    for (const char* name : {"SR0L00.BMP", "SR0L15.BMP", "SR1P07.BMP", "SR2P15.BMP"})
        EXPECT_TRUE(std::filesystem::exists(d.paths.BMPImagesDir() / name)) << name;
    EXPECT_TRUE(std::filesystem::exists(d.paths.PreviewDir() / "Screen 00 Home.BMP"));
    EXPECT_TRUE(std::filesystem::exists(d.paths.PreviewDir() / "Screen 03.BMP"));
    EXPECT_EQ(d.project.CurScreen, 3);
    EXPECT_EQ(d.project.ScrBase, 3 * 1024);
    EXPECT_EQ(d.project.DsnBase, 3 * 2048);
    EXPECT_EQ(d.List("cboScreenNumber")->currentIndex(), 3);
    EXPECT_FALSE(d.Find<QCheckBox>("chkHideTitleBG")->isChecked());
    EXPECT_EQ(d.project.DataChanged, modified) << "rendering is no edit";
    EXPECT_EQ(d.project.GetBtnTxtX(0), 165);
    // The layout area is back at the design's size: 480 x 272 inside a 2-pixel border.
    EXPECT_EQ(d.Find<QWidget>("picLayoutSurface")->size(), QSize(480, 272));
    EXPECT_TRUE(d.prompts.Log().empty());
    (void)w;
}

TEST(CreateSDCard, RawModeWithoutTheRawImagesFolderRendersNothing)
{
    Designer d;
    d.Start();
    d.project.SetSDFormat(1);
    d.prompts.Answer(MsgAnswer::Ok);
    d.Action("mnuProgram")->trigger();
    ASSERT_EQ(d.prompts.Log().size(), 1u);
    EXPECT_EQ(d.prompts.Log()[0].title, "Raw Format Error");
    EXPECT_EQ(d.prompts.Log()[0].text, "Raw image folder missing.\nUse SFC mode or Contact QVR");
    EXPECT_EQ(d.prompts.Log()[0].icon, MsgIcon::Information);
    EXPECT_FALSE(std::filesystem::exists(d.paths.BMPImagesDir() / "SR0L00.BMP"));
}
