// The whole rendering of "Create SD Card": the 112 files, their form, the fillers, the carried
// back colour, the messages, and the project state afterwards.
#include "designer/render/CreateCardBitmaps.h"

#include "FileSupport.h"
#include "RenderTestSupport.h"
#include "assets/Bmp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using namespace kx4;
using namespace kx4::test;
namespace fs = std::filesystem;

namespace {

int FileCount(const fs::path& dir) { return static_cast<int>(Entries(dir).size()); }

constexpr QRgb kGrey = 0xFF404040;

QImage ReadPicture(const fs::path& file)
{
    QImage img;
    const IoResult r = ReadBmpFile(file, img);
    EXPECT_TRUE(r) << r.message;
    return img;
}

// Buttons of every face and texts on screens 0, 5 and 15.
void FillDesign(modOrvel& m)
{
    for (const int s : {0, 5, 15}) {
        m.SetScreen(s);
        for (int image = 1; image <= 8; ++image)
            PutButton(m, image - 1, image, 4 + (image % 2) * 110, 4 + (image - 1) / 2 * 70, "B" + std::to_string(image));
        PutText(m, 0, 1, 10, 290, 1, 0, "Home");
        PutText(m, 1, 2, 150, 290, 0, 0);
    }
}

} // namespace

TEST(CreateCardBitmaps, APortraitDesignOfThreePointFiveFillsItsFamilyAndFillsTheRest)
{
    RenderRoot root;
    modOrvel m;
    m.ResetAll();
    m.SetScnRes(1);
    m.SetLayout(1);
    m.SetSDFormat(1); // Raw, with its folder present
    fs::create_directories(root.paths.RawImagesDir());
    FillDesign(m);
    m.SetScreen(7);
    m.DataChanged = false;
    MessageLog log;

    ASSERT_EQ(CreateCardBitmaps(m, root.paths, log.prompts), CreateCardResult::Done);
    EXPECT_TRUE(log.Shown().empty());
    EXPECT_EQ(m.CurScreen, 7);
    EXPECT_EQ(m.ScrBase, 7 * 1024);
    EXPECT_EQ(m.DsnBase, 7 * 2048);
    EXPECT_FALSE(m.DataChanged);

    const char* families[] = {"SR0L", "SR0P", "SR1L", "SR1P", "SR2L", "SR2P"};
    const QSize sizes[] = {{480, 272}, {272, 480}, {320, 240}, {240, 320}, {800, 480}, {480, 800}};
    for (int f = 0; f < 6; ++f)
        for (int s = 0; s < 16; ++s) {
            char name[16];
            std::snprintf(name, sizeof name, "%s%02d.BMP", families[f], s);
            const fs::path file = root.paths.BMPImagesDir() / name;
            ASSERT_TRUE(fs::exists(file)) << name;
            std::vector<std::uint8_t> bytes;
            ASSERT_TRUE(ReadWholeFile(file, bytes)) << name;
            BmpLayout layout;
            ASSERT_TRUE(ParseBmp(bytes, layout)) << name;
            EXPECT_EQ(bytes[28], 24) << name;
            EXPECT_EQ(layout.dataOffset, 54u) << name;
            EXPECT_TRUE(layout.bottomUp) << name;
            EXPECT_EQ(QSize(layout.width, layout.height), sizes[f]) << name;
            // None of the six sizes needs row padding: every pixel byte is a colour byte.
            ASSERT_EQ(layout.rowStride, static_cast<std::size_t>(layout.width) * 3) << name;
            ASSERT_EQ(bytes.size(), 54 + layout.rowStride * layout.height) << name;
            const bool grey = std::all_of(bytes.begin() + 54, bytes.end(), [](std::uint8_t b) { return b == 0x40; });
            EXPECT_EQ(grey, f != 3) << name << (f == 3 ? " carries the design" : " is a filler");
        }
    EXPECT_EQ(FileCount(root.paths.BMPImagesDir()), 96) << "no temporary files left behind";

    // Home has the logo background, missing here: plain EFEFEF under the buttons.
    const QImage home = ReadPicture(root.paths.BMPImagesDir() / "SR1P00.BMP");
    EXPECT_EQ(home.pixel(239, 319), kLogoBack);
    EXPECT_TRUE(AllColor(ReadPicture(root.paths.BMPImagesDir() / "SR1P01.BMP"), kLogoBack)) << "an empty screen";
    EXPECT_FALSE(AllColor(ReadPicture(root.paths.BMPImagesDir() / "SR1P15.BMP"), kLogoBack));

    for (int s = 0; s < 16; ++s) {
        char name[24];
        std::snprintf(name, sizeof name, s == 0 ? "Screen 00 Home.BMP" : "Screen %02d.BMP", s);
        const fs::path file = root.paths.PreviewDir() / name;
        ASSERT_TRUE(fs::exists(file)) << name;
        EXPECT_EQ(ReadPicture(file).size(), QSize(240, 320)) << name;
    }
    EXPECT_EQ(FileCount(root.paths.PreviewDir()), 16);

    // Every picture Button now carries the caption insets of its size class.
    const int insets[] = {75, 105, 165, 210};
    for (const int s : {0, 5, 15}) {
        m.SetScreen(s);
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(m.GetBtnTxtX(i), insets[m.GetBtnSize(i)]) << s << "/" << i;
            EXPECT_EQ(m.GetBtnTxtY(i), insets[m.GetBtnSize(i)]) << s << "/" << i;
        }
    }
}

TEST(CreateCardBitmaps, FillersAreTheFreshlyDrawnPicturesAlsoOverDamagedFilesOfAnEarlierRun)
{
    RenderRoot root;
    modOrvel m;
    m.ResetAll(); // 480 x 272 landscape: five filler families
    MessageLog log;
    ASSERT_EQ(CreateCardBitmaps(m, root.paths, log.prompts), CreateCardResult::Done);
    // Damage the earlier run's fillers in place, through one name and through another.
    for (const char* name : {"SR0P03.BMP", "SR2P00.BMP", "SR2P15.BMP"}) {
        std::FILE* f = std::fopen((root.paths.BMPImagesDir() / name).c_str(), "r+b");
        ASSERT_NE(f, nullptr);
        std::fseek(f, 60, SEEK_SET);
        std::fputc(0x12, f);
        std::fclose(f);
    }
    ASSERT_EQ(CreateCardBitmaps(m, root.paths, log.prompts), CreateCardResult::Done);

    const char* families[] = {"SR0P", "SR1L", "SR1P", "SR2L", "SR2P"};
    const QSize sizes[] = {{272, 480}, {320, 240}, {240, 320}, {800, 480}, {480, 800}};
    for (int f = 0; f < 5; ++f) {
        QImage filler(sizes[f], QImage::Format_RGB32);
        filler.fill(kGrey);
        const std::vector<std::uint8_t> want = EncodeBmp(filler);
        for (int s = 0; s < 16; ++s) {
            char name[16];
            std::snprintf(name, sizeof name, "%s%02d.BMP", families[f], s);
            std::vector<std::uint8_t> bytes;
            ASSERT_TRUE(ReadWholeFile(root.paths.BMPImagesDir() / name, bytes)) << name;
            ASSERT_TRUE(bytes == want) << name;
        }
    }
    EXPECT_EQ(FileCount(root.paths.BMPImagesDir()), 96) << "no temporary files or links left behind";
}

TEST(CreateCardBitmaps, RawModeWithoutItsFolderIsRefusedBeforeAnything)
{
    RenderRoot root;
    modOrvel m;
    m.ResetAll();
    m.SetSDFormat(1);
    m.SetScreen(3);
    MessageLog log;
    log.Expect(1);
    EXPECT_EQ(CreateCardBitmaps(m, root.paths, log.prompts), CreateCardResult::Refused);
    ASSERT_EQ(log.Shown().size(), 1u);
    EXPECT_EQ(log.Shown()[0].icon, MsgIcon::Information);
    EXPECT_EQ(log.Shown()[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(log.Shown()[0].title, "Raw Format Error");
    EXPECT_EQ(log.Shown()[0].text, "Raw image folder missing.\nUse SFC mode or Contact QVR");
    EXPECT_EQ(FileCount(root.paths.BMPImagesDir()), 0);
    EXPECT_EQ(FileCount(root.paths.PreviewDir()), 0);
    EXPECT_EQ(m.CurScreen, 3);
}

TEST(CreateCardBitmaps, BackgroundPicturesAreCutAtTheEdgesOrKeepTheBackColourOfTheDrawingBefore)
{
    RenderRoot root;
    modOrvel m;
    m.ResetAll();
    m.SetScnRes(1); // 320 x 240 landscape: drawn right after the 480 x 272 fillers
    BmpImage pic;
    pic.width = 100;
    pic.height = 50;
    pic.pixels.assign(100 * 50, 0xABCDEF);
    const fs::path file = root.dir / "small.bmp";
    WriteBytes(file, EncodeBmp(pic));
    m.ScreenBG[0] = file.string();
    m.ScreenBG[1] = "[&HFF0000&]"; // blue
    m.ScreenBG[2] = file.string();
    const fs::path gone = root.dir / "gone.bmp";
    m.ScreenBG[3] = gone.string();
    // A 16-bit white on black; a picture wider and taller than the screen; the same cut short.
    m.ScreenBG[4] = "[&H000000&]";
    const fs::path white16 = root.dir / "white16.bmp";
    WriteBytes(white16, BmpOfDepth(ColourPattern(100, 50, {qRgb(255, 255, 255)}), 16, true));
    m.ScreenBG[5] = white16.string();
    const QImage wide = ColourPattern(5000, 300, {qRgb(1, 2, 3), qRgb(40, 50, 60), qRgb(200, 100, 0)});
    std::vector<std::uint8_t> wideFile = BmpOfDepth(wide, 24);
    WriteBytes(root.dir / "wide.bmp", wideFile);
    m.ScreenBG[6] = (root.dir / "wide.bmp").string();
    wideFile.resize(wideFile.size() / 2);
    const fs::path cut = root.dir / "cut.bmp";
    WriteBytes(cut, wideFile);
    m.ScreenBG[7] = cut.string();
    MessageLog log;

    log.Expect(4);
    ASSERT_EQ(CreateCardBitmaps(m, root.paths, log.prompts), CreateCardResult::Done);
    const auto dir = root.paths.BMPImagesDir();
    auto check = [&](const fs::path& f, QRgb around) {
        const QImage img = ReadPicture(f);
        EXPECT_EQ(img.pixel(99, 49), qRgb(0xAB, 0xCD, 0xEF)) << f;
        EXPECT_EQ(CountColor(img, qRgb(0xAB, 0xCD, 0xEF)), 5000) << f;
        EXPECT_EQ(CountColor(img, around), 320 * 240 - 5000) << f;
    };
    check(dir / "SR1L00.BMP", kGrey);                 // after SR0P15, a filler
    check(dir / "SR1L02.BMP", qRgb(0, 0, 255));       // after the blue screen 1
    check(root.paths.PreviewDir() / "Screen 00 Home.BMP", kGrey); // after SR1P15, a filler
    check(root.paths.PreviewDir() / "Screen 02.BMP", qRgb(0, 0, 255));

    const QImage white = ReadPicture(dir / "SR1L05.BMP");
    EXPECT_EQ(CountColor(white, kWhite), 5000);
    EXPECT_EQ(CountColor(white, qRgb(0, 0, 0)), 320 * 240 - 5000);
    EXPECT_EQ(ReadPicture(dir / "SR1L06.BMP"), wide.copy(0, 0, 320, 240).convertToFormat(QImage::Format_RGB32))
        << "cut at the right and bottom edges";

    // The missing file and the cut one: one message each for the card picture and the preview;
    // white pictures.
    ASSERT_EQ(log.Shown().size(), 4u);
    for (const int i : {0, 2}) {
        EXPECT_EQ(log.Shown()[i].title, "File Missing");
        EXPECT_EQ(log.Shown()[i].text, "File Not Found\n" + gone.string());
        EXPECT_EQ(log.Shown()[i + 1].title, "Picture Not Readable");
        EXPECT_EQ(log.Shown()[i + 1].text, "Cannot read " + Quoted(cut) + " as a picture: the file holds " +
                                               std::to_string(wideFile.size()) + " bytes, fewer than the " +
                                               std::to_string(wideFile.size() * 2) + " its header needs.");
    }
    for (const char* name : {"SR1L03.BMP", "SR1L07.BMP"})
        EXPECT_TRUE(AllColor(ReadPicture(dir / name), kWhite)) << name;
    for (const char* name : {"Screen 03.BMP", "Screen 07.BMP"})
        EXPECT_TRUE(AllColor(ReadPicture(root.paths.PreviewDir() / name), kWhite)) << name;
}

TEST(CreateCardBitmaps, APictureThatCannotBeWrittenEndsTheCommand)
{
    RenderRoot root;
    modOrvel m;
    m.ResetAll();
    m.SetScnRes(2);
    m.SetScreen(9);
    // A folder where the picture SR0P04.BMP must go.
    fs::create_directories(root.paths.BMPImagesDir() / "SR0P04.BMP");
    MessageLog log;
    log.Expect(1);
    EXPECT_EQ(CreateCardBitmaps(m, root.paths, log.prompts), CreateCardResult::Failed);
    ASSERT_EQ(log.Shown().size(), 1u);
    EXPECT_EQ(log.Shown()[0].icon, MsgIcon::Critical);
    EXPECT_NE(log.Shown()[0].text.find((root.paths.BMPImagesDir() / "SR0P04.BMP").string()), std::string::npos)
        << log.Shown()[0].text;
    EXPECT_EQ(m.CurScreen, 9);
    EXPECT_EQ(m.DsnBase, 9 * 2048);
    EXPECT_FALSE(fs::exists(root.paths.BMPImagesDir() / "SR0P05.BMP")) << "nothing after the failure";
    EXPECT_EQ(FileCount(root.paths.BMPImagesDir()), 16 + 5) << "no temporary file left behind";
    EXPECT_EQ(FileCount(root.paths.PreviewDir()), 0);
}
