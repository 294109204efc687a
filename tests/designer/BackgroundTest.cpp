#include "DesignerFixture.h"

#include "FileSupport.h"
#include "assets/Bmp.h"
#include "designer/PreviewWidgets.h"
#include "designer/render/CreateCardBitmaps.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

using namespace kx4;
using kx4::test::Designer;
using kx4::test::BmpOfDepth;
using kx4::test::ColourPattern;
using kx4::test::FifoRescue;
using kx4::test::WriteBytes;
namespace fs = std::filesystem;

namespace {

void WritePicture(const fs::path& file, int w, int h, QRgb color)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(color);
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(WriteBmpFile(file, img));
}

// What the background label says in full: a long path shows cut to the label's width.
std::string Label(const Designer& d) { return d.Find<QLabel>("lblBGFile")->toolTip().toStdString(); }

} // namespace

TEST(Background, SolidColoursHaveRedInTheLowByte)
{
    Designer d;
    d.Start();
    struct Case { const char* text; QRgb rgb; };
    for (const Case c : {Case{"[&HFFFFFF&]", 0xFFFFFF}, Case{"[&H0000FF&]", 0xFF0000}, Case{"[&HFF0000&]", 0x0000FF},
                         Case{"[&H123456&]", 0x563412}, Case{"[&H&]", 0x000000}, Case{"[&Hff00&]", 0x00FF00},
                         // Seven digits: the colour is taken modulo 2^24.
                         Case{"[&H1FF0000&]", 0x0000FF}}) {
        d.project.ScreenBG[0] = c.text;
        d.window->ShowScreen();
        EXPECT_EQ(d.Pixel(0, 0), c.rgb) << c.text;
        EXPECT_EQ(d.Pixel(479, 271), c.rgb) << c.text;
        EXPECT_EQ(Label(d), "Solid Color");
    }
    EXPECT_TRUE(d.prompts.Log().empty());
    EXPECT_FALSE(d.project.DataChanged);
}

TEST(Background, TheLogoPictureOfThePanelSizeAndOrientation)
{
    Designer d;
    d.Start();
    EXPECT_EQ(d.Pixel(10, 10), 0xEFEFEFu) << "no logo installed";
    EXPECT_EQ(Label(d), "QVR Logo");

    WritePicture(d.paths.BMPImagesDir() / "QVRS0_L.BMP", 480, 272, qRgb(200, 10, 20));
    WritePicture(d.paths.BMPImagesDir() / "qvrs0_p.bmp", 272, 480, qRgb(30, 40, 250));
    d.window->ShowScreen();
    EXPECT_EQ(d.Pixel(10, 10), 0xC80A14u);
    EXPECT_EQ(d.Pixel(479, 271), 0xC80A14u);

    d.Find<QRadioButton>("optLayout_1")->setChecked(true);
    EXPECT_EQ(d.Pixel(271, 479), 0x1E28FAu) << "found whatever the case of its name";

    // Only the first four characters count.
    d.project.ScreenBG[0] = "[*L]anything";
    d.window->ShowScreen();
    EXPECT_EQ(d.Pixel(5, 5), 0x1E28FAu);
    EXPECT_TRUE(d.prompts.Log().empty());
}

TEST(Background, ABmpFileFromTheStoredPath)
{
    Designer d;
    d.Start();
    WritePicture(d.paths.BMPLibraryDir() / "Sunset.BMP", 100, 50, qRgb(10, 20, 30));
    // The colour of the screen shown before stays where a small picture does not reach.
    d.project.ScreenBG[0] = "[&H0000FF&]";
    d.window->ShowScreen();
    const std::string stored = "C:\\qvr brivane kx4 pro screen\\bmp library\\sunset.bmp";
    d.project.ScreenBG[0] = stored;
    d.window->ShowScreen();

    EXPECT_EQ(d.Pixel(0, 0), 0x0A141Eu);
    EXPECT_EQ(d.Pixel(99, 49), 0x0A141Eu);
    EXPECT_EQ(d.Pixel(100, 49), 0xFF0000u);
    EXPECT_EQ(d.Pixel(5, 50), 0xFF0000u);
    EXPECT_EQ(Label(d), stored);
    EXPECT_TRUE(d.prompts.Log().empty());
}

TEST(Background, AMissingOrUnreadableFileIsReportedAndShowsWhite)
{
    Designer d;
    d.Start();
    fs::create_directories(d.paths.BMPLibraryDir());
    const fs::path broken = d.paths.BMPLibraryDir() / "Broken.bmp";
    { std::ofstream(broken) << "not a picture"; }
    const fs::path pipe = d.root / "pipe.bmp";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    FifoRescue rescue(pipe);

    struct Case {
        std::string stored, title, text, label;
    };
    const std::string gone = "C:\\QVR Brivane KX4 Pro Screen\\BMP Library\\Gone.bmp";
    const std::string elsewhere = (d.root.path() / "elsewhere.bmp").string();
    for (const Case& c : {
             Case{gone, "File Missing", "File Not Found\n" + gone, "BMP File Missing"},
             Case{elsewhere, "File Missing", "File Not Found\n" + elsewhere, "BMP File Missing"},
             Case{"C:\\QVR Brivane KX4 Pro Screen\\BMP Library\\Broken.bmp", "Picture Not Readable",
                  "Cannot read " + Quoted(broken) + " as a picture: it is not a BMP file.", "BMP File Not Readable"},
             Case{pipe.string(), "Picture Not Readable", Quoted(pipe) + " is not a regular file.", "BMP File Not Readable"},
         }) {
        d.prompts.ClearLog();
        d.project.ScreenBG[0] = "[&H0000FF&]";
        d.window->ShowScreen();
        d.project.ScreenBG[0] = c.stored;
        d.prompts.Answer(MsgAnswer::Ok);
        d.window->ShowScreen();

        ASSERT_EQ(d.prompts.Log().size(), 1u) << c.stored;
        const auto& box = d.prompts.Log()[0];
        EXPECT_EQ(box.text, c.text);
        EXPECT_EQ(box.title, c.title);
        EXPECT_EQ(box.icon, MsgIcon::Information);
        EXPECT_EQ(box.buttons, MsgButtons::Ok);
        EXPECT_EQ(d.Pixel(0, 0), 0xFFFFFFu);
        EXPECT_EQ(d.Pixel(300, 200), 0xFFFFFFu);
        EXPECT_EQ(Label(d), c.label);
        EXPECT_EQ(d.project.ScreenBG[0], c.stored) << "the stored background stays";
    }
    EXPECT_FALSE(rescue.Rescued()) << "a redraw waited on a FIFO";
}

TEST(Background, BmpFilesOfEveryDepthShowAsTheirTwentyFourBitCopy)
{
    Designer d;
    d.Start();
    fs::create_directories(d.paths.BMPLibraryDir());
    // Each channel five bits widened by repeating their high bits, which 16 bits hold exactly.
    const auto five = [](int v) { return v << 3 | v >> 2; };
    std::vector<QRgb> colours;
    for (int i = 0; i < 16; ++i)
        colours.push_back(qRgb(five(31 - i), five(i * 2), five((i * 5) & 31)));
    const QImage picture = ColourPattern(123, 45, colours);
    const QImage pair = ColourPattern(123, 45, {colours[2], colours[11]});
    const auto shown = [&](const std::vector<std::uint8_t>& bytes) {
        WriteBytes(d.paths.BMPLibraryDir() / "Picture.bmp", bytes);
        d.project.ScreenBG[0] = "C:\\QVR Brivane KX4 Pro Screen\\BMP Library\\Picture.bmp";
        d.window->ShowScreen();
        return d.Pixels().copy(0, 0, 124, 46);
    };
    const QImage reference = shown(BmpOfDepth(picture, 24));
    const QImage pairReference = shown(BmpOfDepth(pair, 24));
    EXPECT_EQ(reference.pixel(122, 44), picture.pixel(122, 44));
    for (const int bits : {1, 4, 8, 16, 32}) {
        const QImage source = bits == 1 ? pair : picture;
        EXPECT_EQ(shown(BmpOfDepth(source, bits, bits == 32, bits == 4)), bits == 1 ? pairReference : reference)
            << bits << " bits";
        EXPECT_EQ(Label(d), "C:\\QVR Brivane KX4 Pro Screen\\BMP Library\\Picture.bmp");
    }
    EXPECT_TRUE(d.prompts.Log().empty());
}

TEST(Background, AMissingFileIsReportedOncePerRedrawEvenWhenOptionsRedrawInside)
{
    Designer d;
    d.Start();
    d.project.ScreenBG[0] = "C:\\QVR Brivane KX4 Pro Screen\\BMP Library\\Gone.bmp";
    d.project.SetScnRes(1);
    d.project.SetLayout(1);
    d.prompts.Answer(MsgAnswer::Ok);
    d.window->ShowScreen();
    EXPECT_EQ(d.prompts.Log().size(), 1u);
    EXPECT_EQ(d.Find("picLayout")->size(), QSize(244, 324));
    EXPECT_EQ(d.Pixel(100, 300), 0xFFFFFFu);
}

TEST(Background, SelectOpensTheDialogAndTheSavedColourShows)
{
    Designer d;
    frmOrvel& w = d.Start();
    auto* row = d.Find<SettingsRow>("lblBSettings_4");
    row->SetHighlight(true);
    bool ran = false;
    Designer::WhenDialogOpens([&](QDialog& dialog) {
        ran = true;
        EXPECT_EQ(dialog.objectName(), "frmOrvelBGSel");
        EXPECT_TRUE(dialog.isModal());
        EXPECT_EQ(dialog.pos(), QPoint(w.x(), 60));
        EXPECT_FALSE(row->Highlighted());
        EXPECT_FALSE(d.project.DataChanged) << "opening is no edit";
        auto* logo = dialog.findChild<QRadioButton*>("optBG_2");
        EXPECT_TRUE(logo->isChecked()) << "Home starts with the logo";
        dialog.findChild<QRadioButton*>("optBG_0")->setChecked(true);
        dialog.findChild<QScrollBar*>("hsRed")->setValue(255);
        dialog.findChild<QScrollBar*>("hsGrn")->setValue(0);
        dialog.findChild<QScrollBar*>("hsBlu")->setValue(16);
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
    });
    QTest::mouseClick(d.Find<QPushButton>("cmdBGSel"), Qt::LeftButton);
    ASSERT_TRUE(ran);
    EXPECT_EQ(d.project.ScreenBG[0], "[&H1000FF&");
    EXPECT_EQ(d.Pixel(0, 0), 0xFF0010u);
    EXPECT_EQ(d.Pixel(479, 271), 0xFF0010u);
    EXPECT_EQ(Label(d), "Solid Color");
    EXPECT_TRUE(d.project.DataChanged);
    EXPECT_FALSE(d.Action("mnuMultiProfile")->isEnabled());

    // "Cancel" leaves the screen and the flag as they were.
    d.project.DataChanged = false;
    Designer::WhenDialogOpens([](QDialog& dialog) {
        dialog.findChild<QRadioButton*>("optBG_2")->setChecked(true);
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
    });
    QTest::mouseClick(d.Find<QPushButton>("cmdBGSel"), Qt::LeftButton);
    EXPECT_EQ(d.project.ScreenBG[0], "[&H1000FF&");
    EXPECT_FALSE(d.project.DataChanged);
    EXPECT_EQ(d.Pixel(10, 10), 0xFF0010u);
    EXPECT_TRUE(d.prompts.Log().empty());
}

TEST(Background, ABmpFileChosenWithBrowseShowsOnTheLayoutAndInTheCardPictures)
{
    Designer d;
    d.Start();
    std::vector<QRgb> colours;
    for (int i = 0; i < 12; ++i)
        colours.push_back(qRgb(i * 20, 255 - i * 20, (i * 70) & 0xFF));
    const QImage picture = ColourPattern(480, 272, colours);
    const fs::path file = d.paths.BMPLibraryDir() / "Garden.bmp";
    fs::create_directories(file.parent_path());
    WriteBytes(file, BmpOfDepth(picture, 8));

    d.List("cboScreenNumber")->setCurrentIndex(2);
    Designer::WhenDialogOpens([&](QDialog& dialog) {
        dialog.findChild<QRadioButton*>("optBG_1")->setChecked(true);
        d.prompts.ChooseFile(file);
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdBrowse"), Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
    });
    QTest::mouseClick(d.Find<QPushButton>("cmdBGSel"), Qt::LeftButton);
    EXPECT_EQ(d.project.ScreenBG[2], file.string());
    EXPECT_EQ(Label(d), file.string());

    const auto samePixels = [&](const QImage& shown, const char* where) {
        ASSERT_GE(shown.width(), 480) << where;
        ASSERT_GE(shown.height(), 272) << where;
        int differing = 0;
        for (int y = 0; y < 272; ++y)
            for (int x = 0; x < 480; ++x)
                differing += (shown.pixel(x, y) & 0xFFFFFF) != (picture.pixel(x, y) & 0xFFFFFF);
        EXPECT_EQ(differing, 0) << where;
    };
    samePixels(d.Pixels(), "layout");

    ASSERT_EQ(CreateCardBitmaps(d.project, d.paths, d.prompts), CreateCardResult::Done);
    QImage card;
    ASSERT_TRUE(ReadBmpFile(d.paths.BMPImagesDir() / "SR0L02.BMP", card));
    samePixels(card, "card picture of screen 02");
    QImage home;
    ASSERT_TRUE(ReadBmpFile(d.paths.BMPImagesDir() / "SR0L00.BMP", home));
    EXPECT_EQ(home.pixel(100, 100) & 0xFFFFFF, 0xEFEFEFu) << "Home keeps its own background";
    EXPECT_TRUE(d.prompts.Log().size() == 1u) << "the file dialog only";
}
