// "Create SD Card" from the menu: the pictures on disk, the designer as it was, and the SD card
// writer over a complete set of pictures.
#include "DesignerFixture.h"
#include "FakeSystem.h"

#include "sdcard/frmOrvelSDWrite.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <filesystem>
#include <functional>

using namespace kx4;
using kx4::test::Designer;

namespace {

// Calls `act` once with the writer window as soon as it is shown modally.
std::unique_ptr<QTimer> WhenWriterOpens(std::function<void(frmOrvelSDWrite&)> act)
{
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(5);
    QTimer* t = timer.get();
    QObject::connect(t, &QTimer::timeout, [t, act] {
        if (auto* w = qobject_cast<frmOrvelSDWrite*>(QApplication::activeModalWidget())) {
            t->stop();
            act(*w);
        }
    });
    timer->start();
    return timer;
}

// A card reader with a card, for the writer to list.
struct Drives {
    test::TempDir dir;
    test::FakeSystem sys{dir.path()};
    Drives() { sys.Disk("sdb", "8:16", 15523840, true, "SD/MMC"); }
    CardSystem System() const { return {sys.Tables(), sys.Nodes(), dir / "root"}; }
};

QString Text(QWidget& w, const char* name) { return w.findChild<QLabel*>(name)->text(); }

} // namespace

TEST(CreateSDCard, WritesEveryPictureOpensTheWriterAndRedrawsAfterIt)
{
    Designer d;
    Drives drives;
    frmOrvel& w = d.Start();
    w.SetCardSystem(drives.System());
    d.project.SetScreen(3);
    d.project.SetBtnType(0, 1);
    d.project.SetBtnImage(0, 5);
    d.project.SetBtnSize(0, 2);
    d.project.SetBtnLeft(0, 10);
    d.project.SetBtnTop(0, 20);
    d.List("cboScreenNumber")->setCurrentIndex(3);
    d.Find<QCheckBox>("chkHideTitleBG")->setChecked(true);
    const bool modified = d.project.DataChanged;

    int bitmapsWhenOpened = 0;
    QStringList texts;
    const auto watch = WhenWriterOpens([&](frmOrvelSDWrite& writer) {
        for (const char* name : {"SR0L00.BMP", "SR0L15.BMP", "SR1P07.BMP", "SR2P15.BMP"})
            bitmapsWhenOpened += std::filesystem::exists(d.paths.BMPImagesDir() / name);
        texts << writer.windowTitle() << writer.findChild<QRadioButton*>("optDrive_0")->text()
              << Text(writer, "lblDspDim") << Text(writer, "lblWarning").section('\n', 0, 0)
              << writer.findChild<QPushButton*>("cmdCompileAll")->text();
        // Changed while the writer is open; the designer shows it once the writer has closed.
        d.project.ScreenBG[3] = "[&H0000FF&]";
        writer.findChild<QPushButton*>("cmdClose")->click();
    });
    d.Action("mnuProgram")->trigger();

    EXPECT_EQ(bitmapsWhenOpened, 4);
    EXPECT_EQ(texts, (QStringList{"QVR Brivane Touch SD Card Writer", "D:  Removable /  Drive:1", " 480 x 272 Landscape",
                                  " Brivane Touch firmware revision 03.xx or higher required.", "Write To SD Card"}));
    EXPECT_EQ(d.Pixel(300, 200), 0xFF0000u) << "redrawn after the writer closed";
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
}

TEST(CreateSDCard, NoWriterAfterARefusedOrFailedRendering)
{
    Designer d;
    Drives drives;
    d.Start().SetCardSystem(drives.System());
    int opened = 0;
    const auto watch = WhenWriterOpens([&](frmOrvelSDWrite& writer) {
        ++opened;
        writer.findChild<QPushButton*>("cmdClose")->click();
    });

    d.project.SetSDFormat(1);
    d.prompts.Answer(MsgAnswer::Ok);
    d.Action("mnuProgram")->trigger();
    ASSERT_EQ(d.prompts.Log().size(), 1u);
    EXPECT_EQ(d.prompts.Log()[0].title, "Raw Format Error");
    EXPECT_EQ(d.prompts.Log()[0].text, "Raw image folder missing.\nUse SFC mode or Contact QVR");
    EXPECT_EQ(d.prompts.Log()[0].icon, MsgIcon::Information);
    EXPECT_FALSE(std::filesystem::exists(d.paths.BMPImagesDir() / "SR0L00.BMP"));

    // A picture that cannot be saved: BMPImages is a file.
    d.project.SetSDFormat(0);
    std::filesystem::remove_all(d.paths.BMPImagesDir());
    test::WriteBytes(d.paths.BMPImagesDir(), {1});
    d.prompts.Answer(MsgAnswer::Ok);
    d.Action("mnuProgram")->trigger();
    ASSERT_EQ(d.prompts.Log().size(), 2u);
    EXPECT_EQ(d.prompts.Log()[1].icon, MsgIcon::Critical);
    EXPECT_EQ(d.prompts.Log()[1].title, "Create SD Card");
    QApplication::processEvents();
    EXPECT_EQ(opened, 0);
}

TEST(CreateSDCard, AMissingBackgroundIsReportedOnceForTheWholeCommand)
{
    Designer d;
    Drives drives;
    d.Start().SetCardSystem(drives.System());
    const std::string gone = (d.root / "Gone.bmp").string();
    d.project.ScreenBG[3] = gone;
    d.project.ScreenBG[5] = (d.root / "Also gone.bmp").string();
    d.prompts.Answer(MsgAnswer::Ok);
    d.List("cboScreenNumber")->setCurrentIndex(3);
    d.prompts.ClearLog();
    // Drawn for the card, for the preview, on the layout after the drawing and after the writer.
    const auto watch = WhenWriterOpens([](frmOrvelSDWrite& writer) { writer.findChild<QPushButton*>("cmdClose")->click(); });
    d.prompts.Answer(MsgAnswer::Ok);
    d.prompts.Answer(MsgAnswer::Ok);
    d.Action("mnuProgram")->trigger();

    std::vector<std::string> texts;
    for (const auto& asked : d.prompts.Log())
        texts.push_back(asked.title + ": " + asked.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"File Missing: File Not Found\n" + gone,
                                               "File Missing: File Not Found\n" + d.project.ScreenBG[5]}));
    EXPECT_EQ(d.Pixel(300, 200), 0xFFFFFFu);

    // The next command reports it again.
    d.prompts.ClearLog();
    d.prompts.Answer(MsgAnswer::Ok);
    d.List("cboScreenNumber")->setCurrentIndex(5);
    d.prompts.Answer(MsgAnswer::Ok);
    d.List("cboScreenNumber")->setCurrentIndex(3);
    EXPECT_EQ(d.prompts.Log().size(), 2u);
}
