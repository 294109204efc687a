// The background dialog as a user runs it: the background strings of the saved file after each
// choice, the swatches as drawn, and the files "Browse" takes or refuses.
#include "EditorFixture.h"

#include "assets/Bmp.h"
#include "data/ProjectFiles.h"
#include "editors/BackgroundChoice.h"
#include "editors/frmOrvelBGSel.h"
#include "platform/Paths.h"

#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace kx4;
using namespace kx4::test;
namespace fs = std::filesystem;

namespace {

constexpr int kScreen = 6;
constexpr const char* kFilter = "BMP Images (*.BMP)|*.BMP|All Files (*.*)|*.*";

class BackgroundDialog : public EditorTest {
protected:
    BackgroundDialog() : paths(root.path()) { m.DataChanged = false; }

    std::unique_ptr<frmOrvelBGSel> OpenBG(const std::string& background)
    {
        m.ScreenBG[kScreen] = background;
        m.SetScreen(kScreen);
        auto dialog = std::make_unique<frmOrvelBGSel>(m, host, prompts, paths);
        dialog->show();
        QApplication::processEvents();
        return dialog;
    }

    // The 16 background strings of the saved file, as their bytes.
    std::vector<std::string> SavedBackgrounds()
    {
        const std::vector<std::uint8_t> bytes = Saved();
        std::vector<std::string> out;
        std::size_t at = kPanelTablesBytes;
        for (int s = 0; s < kScreenCount; ++s) {
            const std::size_t n = bytes.at(at) | bytes.at(at + 1) << 8;
            at += 2;
            out.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + n));
            at += n;
        }
        EXPECT_EQ(at, bytes.size());
        return out;
    }

    static QScrollBar* Bar(QWidget* d, const char* name) { return Find<QScrollBar>(d, name); }
    static std::vector<int> Bars(QWidget* d)
    {
        return {Bar(d, "hsRed")->value(), Bar(d, "hsGrn")->value(), Bar(d, "hsBlu")->value()};
    }
    static std::vector<QString> Captions(QWidget* d)
    {
        return {Find<QLabel>(d, "lblCCRed")->text(), Find<QLabel>(d, "lblCCGrn")->text(), Find<QLabel>(d, "lblCCBlu")->text()};
    }
    static QRadioButton* Option(QWidget* d, int i) { return Find<QRadioButton>(d, QString("optBG_%1").arg(i)); }
    // The selected-colour swatch as drawn.
    static QRgb SelectedSwatch(QWidget* d)
    {
        QWidget* swatch = Find<QWidget>(d, "lblStdCol_35");
        return swatch->grab().toImage().pixel(swatch->width() / 2, swatch->height() / 2) & 0xFFFFFF;
    }
    static void ClickSwatch(QWidget* d, int i) { QTest::mouseClick(Find<QWidget>(d, QString("lblStdCol_%1").arg(i)), Qt::LeftButton); }
    static std::string ShownPath(QWidget* d) { return Find<QLabel>(d, "lblBMP")->toolTip().toStdString(); }

    fs::path Picture(const std::string& name, QRgb color = qRgb(10, 20, 30))
    {
        const fs::path file = paths.BMPLibraryDir() / name;
        fs::create_directories(file.parent_path());
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(color);
        EXPECT_TRUE(WriteBmpFile(file, img));
        return file;
    }

    Paths paths;
};

} // namespace

TEST_F(BackgroundDialog, AWhiteScreenOpensAsSolidWhiteAndSaveStoresItWithoutBracket)
{
    auto d = OpenBG("[&HFFFFFF&]");
    EXPECT_EQ(d->windowTitle(), "Select Background");
    EXPECT_TRUE(Option(d.get(), 0)->isChecked());
    EXPECT_EQ(Bars(d.get()), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(Captions(d.get()), (std::vector<QString>{"255", "255", "255"}));
    EXPECT_EQ(SelectedSwatch(d.get()), 0xFFFFFFu);
    EXPECT_FALSE(m.DataChanged) << "opening changes nothing";

    Press(d.get(), "cmdClose");
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(SavedBackgrounds()[kScreen], "[&HFFFFFF&");
    EXPECT_TRUE(m.DataChanged);
    EXPECT_EQ(host.marks, 1);
    EXPECT_TRUE(host.redraws.empty()) << "the designer redraws after the close";
}

TEST_F(BackgroundDialog, ColourTextsOpenWithRedInTheLowByte)
{
    struct Case {
        const char* text;
        std::vector<int> bars;
        QRgb swatch;
    };
    for (const Case& c : {Case{"[&H0000FF&]", {255, 0, 0}, 0xFF0000}, Case{"[&HEFEFEF&]", {239, 239, 239}, 0xEFEFEF},
                          Case{"[&H123456&", {0x56, 0x34, 0x12}, 0x563412},
                          // Seven digits: taken modulo 2^24.
                          Case{"[&H1FF0000&]", {0, 0, 255}, 0x0000FF}, Case{"[&H&]", {0, 0, 0}, 0x000000}}) {
        auto d = OpenBG(c.text);
        EXPECT_TRUE(Option(d.get(), 0)->isChecked()) << c.text;
        EXPECT_EQ(Bars(d.get()), c.bars) << c.text;
        EXPECT_EQ(SelectedSwatch(d.get()), c.swatch) << c.text;
    }
    auto d = OpenBG("[&H1FF0000&]");
    Press(d.get(), "cmdClose");
    EXPECT_EQ(SavedBackgrounds()[kScreen], "[&HFF0000&");
}

TEST_F(BackgroundDialog, TheRedBarAtSixteenSavesSixDigits)
{
    auto d = OpenBG("[*L]");
    Option(d.get(), 0)->setChecked(true);
    EXPECT_EQ(Bars(d.get()), (std::vector<int>{0, 0, 0})) << "a logo opens with the bars at black";
    Bar(d.get(), "hsRed")->setValue(16);
    EXPECT_EQ(Captions(d.get()), (std::vector<QString>{"16", "0", "0"}));
    EXPECT_EQ(SelectedSwatch(d.get()), 0x100000u);
    Press(d.get(), "cmdClose");
    const std::vector<std::string> saved = SavedBackgrounds();
    EXPECT_EQ(saved[kScreen], "[&H000010&");
    EXPECT_EQ(saved[0], "[*L]") << "other screens keep theirs";
    EXPECT_EQ(saved[5], "[&HEFEFEF&]");

    // The bars move in steps of 1 and 16.
    auto again = OpenBG(saved[kScreen]);
    QScrollBar* green = Bar(again.get(), "hsGrn");
    green->triggerAction(QAbstractSlider::SliderPageStepAdd);
    green->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    Press(again.get(), "cmdClose");
    EXPECT_EQ(SavedBackgrounds()[kScreen], "[&H001110&");
}

TEST_F(BackgroundDialog, QVRDefaultMixesTheGreyAndIsOffForAFile)
{
    auto d = OpenBG("[&H0000FF&]");
    Option(d.get(), 1)->setChecked(true);
    EXPECT_FALSE(Find<QWidget>(d.get(), "cmdQVRDefault")->isEnabled());
    EXPECT_FALSE(Bar(d.get(), "hsRed")->isEnabled());
    EXPECT_TRUE(Find<QWidget>(d.get(), "cmdBrowse")->isEnabled());
    Option(d.get(), 2)->setChecked(true);
    EXPECT_FALSE(Find<QWidget>(d.get(), "cmdBrowse")->isEnabled());
    EXPECT_FALSE(Find<QWidget>(d.get(), "lblStdCol_4")->isEnabled());
    Option(d.get(), 0)->setChecked(true);
    Press(d.get(), "cmdQVRDefault");
    EXPECT_TRUE(Option(d.get(), 0)->isChecked()) << "the kind stays";
    EXPECT_EQ(Bars(d.get()), (std::vector<int>{239, 239, 239}));
    EXPECT_EQ(Captions(d.get()), (std::vector<QString>{"239", "239", "239"}));
    Press(d.get(), "cmdClose");
    EXPECT_EQ(SavedBackgrounds()[kScreen], "[&HEFEFEF&");
}

TEST_F(BackgroundDialog, SwatchesSetTheBarsAndAreDrawnInTheirColumns)
{
    auto d = OpenBG("[&HFFFFFF&]");
    ClickSwatch(d.get(), 20);
    EXPECT_EQ(Bars(d.get()), (std::vector<int>{0, 192, 192}));
    EXPECT_EQ(Captions(d.get()), (std::vector<QString>{"0", "192", "192"}));
    EXPECT_EQ(SelectedSwatch(d.get()), 0x00C0C0u);
    // The selected swatch copies itself; the caption above the grid chooses nothing.
    ClickSwatch(d.get(), 35);
    QTest::mouseClick(Find<QWidget>(d.get(), "lblStdCol_36"), Qt::LeftButton);
    EXPECT_EQ(Bars(d.get()), (std::vector<int>{0, 192, 192}));

    // Each row left to right: grey, red, yellow, green, cyan, blue, magenta.
    QWidget* frame = Find<QWidget>(d.get(), "frmStd");
    const QImage drawn = frame->grab().toImage();
    const auto at = [&](int i) {
        const QRect r = Find<QWidget>(d.get(), QString("lblStdCol_%1").arg(i))->geometry();
        return std::make_pair(r.center(), drawn.pixel(r.center()) & 0xFFFFFF);
    };
    const std::vector<std::vector<QRgb>> rows = {
        {0xFFFFFF, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x0000FF, 0xFF00FF},
        {0xC0C0C0, 0xE00000, 0xE0E000, 0x00E000, 0x00E0E0, 0x0000E0, 0xE000E0},
        {0x808080, 0xC00000, 0xC0C000, 0x00C000, 0x00C0C0, 0x0000C0, 0xC000C0},
        {0x404040, 0x800000, 0x808000, 0x008000, 0x008080, 0x000080, 0x800080},
        {0x000000, 0x400000, 0x404000, 0x004000, 0x004040, 0x000040, 0x400040},
    };
    for (int row = 0; row < 5; ++row) {
        std::vector<std::pair<QPoint, QRgb>> swatches;
        for (int p = 0; p < 7; ++p)
            swatches.push_back(at(row * 7 + p));
        std::sort(swatches.begin(), swatches.end(), [](const auto& a, const auto& b) { return a.first.x() < b.first.x(); });
        for (int col = 0; col < 7; ++col) {
            EXPECT_EQ(swatches[static_cast<std::size_t>(col)].second, rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)])
                << "row " << row << " column " << col;
            EXPECT_EQ(swatches[static_cast<std::size_t>(col)].first.y(), swatches[0].first.y());
        }
    }
    // Clicking every swatch selects exactly the colour drawn.
    for (int i = 0; i < kStdColorCount; ++i) {
        ClickSwatch(d.get(), i);
        EXPECT_EQ(SelectedSwatch(d.get()), at(i).second) << i;
    }
}

TEST_F(BackgroundDialog, BrowseStartsInTheLibraryOrTheNearestFolderAboveAndKeepsThePathWhenCancelled)
{
    auto d = OpenBG("/pictures/Old.bmp");
    EXPECT_TRUE(Option(d.get(), 1)->isChecked());
    EXPECT_EQ(Find<QLabel>(d.get(), "lblBMP")->text(), "/pictures/Old.bmp");

    prompts.CancelFile();
    Press(d.get(), "cmdBrowse");
    ASSERT_EQ(prompts.Log().size(), 1u);
    const FileDialogRequest first = prompts.Log()[0].dialog;
    EXPECT_EQ(first.kind, FileDialogRequest::Kind::Open);
    EXPECT_EQ(first.filter, kFilter);
    EXPECT_EQ(first.folder, paths.CDrive()) << "the nearest folder there is, on a fresh installation";
    EXPECT_EQ(first.fileName, "*.BMP");
    EXPECT_EQ(ShownPath(d.get()), "/pictures/Old.bmp");

    // The preset given back counts as cancelled too.
    fs::create_directories(paths.BMPLibraryDir().parent_path());
    prompts.ChooseFile(paths.BMPLibraryDir() / "*.BMP");
    Press(d.get(), "cmdBrowse");
    EXPECT_EQ(prompts.Log()[1].dialog.fileName, "");
    EXPECT_EQ(prompts.Log()[1].dialog.folder, paths.BMPLibraryDir().parent_path());
    EXPECT_EQ(ShownPath(d.get()), "/pictures/Old.bmp");

    const fs::path chosen = Picture("Sunset.bmp");
    prompts.ChooseFile(chosen);
    Press(d.get(), "cmdBrowse");
    EXPECT_EQ(ShownPath(d.get()), chosen.string());
    prompts.CancelFile();
    Press(d.get(), "cmdBrowse");
    EXPECT_EQ(prompts.Log()[3].dialog.folder, chosen.parent_path()) << "where it last found a file";
    EXPECT_EQ(ShownPath(d.get()), chosen.string());
    Press(d.get(), "cmdClose");
    EXPECT_EQ(SavedBackgrounds()[kScreen], chosen.string());
}

TEST_F(BackgroundDialog, BrowseRefusesFilesAScreenCannotHoldOrShow)
{
    fs::create_directories(paths.BMPLibraryDir());
    const fs::path broken = paths.BMPLibraryDir() / "Broken.bmp";
    { std::ofstream(broken) << "not a picture"; }
    const fs::path greek = Picture("\xce\xa9mega.bmp");
    // The first 1,000 of its 3,654 bytes.
    const fs::path cut = paths.BMPLibraryDir() / "Cut.bmp";
    fs::copy_file(greek, cut);
    fs::resize_file(cut, 1000);
    fs::path deep = paths.BMPLibraryDir();
    while (deep.string().size() < 250)
        deep /= std::string(40, 'd');
    fs::create_directories(deep);
    const fs::path longPath = deep / "Long.bmp";
    fs::copy_file(greek, longPath);

    struct Case {
        fs::path file;
        std::string title, text;
    };
    const std::string tooLong = Quoted(longPath) + " cannot be stored as a background: its path has "
                                + std::to_string(longPath.string().size()) + " characters, more than the 256 that a screen file holds.";
    for (const Case& c : {
             Case{broken, "Picture Not Readable", "Cannot read " + Quoted(broken) + " as a picture: it is not a BMP file."},
             Case{cut, "Picture Not Readable",
                  "Cannot read " + Quoted(cut) + " as a picture: the file holds 1000 bytes, fewer than the 3654 its header needs."},
             Case{greek, "Error",
                  Quoted(greek) + " cannot be stored as a background: its path has characters that a panel data file cannot hold."},
             Case{longPath, "Error", tooLong},
         }) {
        auto d = OpenBG("[&H0000FF&]");
        Option(d.get(), 1)->setChecked(true);
        prompts.ClearLog();
        prompts.ChooseFile(c.file);
        prompts.Answer(MsgAnswer::Ok);
        Press(d.get(), "cmdBrowse");
        ASSERT_EQ(prompts.Log().size(), 2u) << c.file;
        const auto& box = prompts.Log()[1];
        EXPECT_EQ(box.title, c.title);
        EXPECT_EQ(box.text, c.text);
        EXPECT_EQ(box.icon, MsgIcon::Information);
        EXPECT_EQ(ShownPath(d.get()), "") << "nothing chosen";
        d->close();
    }
    EXPECT_EQ(SavedBackgrounds()[kScreen], "[&H0000FF&]");

    // Windows-1252 holds an accented name: it is stored in one byte per character.
    const fs::path accented = Picture("Caf\xc3\xa9.bmp");
    auto d = OpenBG("[*L]");
    Option(d.get(), 1)->setChecked(true);
    prompts.ChooseFile(accented);
    Press(d.get(), "cmdBrowse");
    Press(d.get(), "cmdClose");
    EXPECT_EQ(SavedBackgrounds()[kScreen], (paths.BMPLibraryDir() / "Caf\xe9.bmp").string());
    EXPECT_EQ(m.ScreenBG[kScreen], accented.string());
}

TEST_F(BackgroundDialog, SaveWithoutAFileIsRefusedAndTheLogoIsStoredAsItsMark)
{
    // Any text that is neither a colour nor the logo is a path, the empty text included.
    auto d = OpenBG("");
    EXPECT_TRUE(Option(d.get(), 1)->isChecked());
    prompts.Answer(MsgAnswer::Ok);
    Press(d.get(), "cmdClose");
    ASSERT_EQ(prompts.Log().size(), 1u);
    EXPECT_EQ(prompts.Log()[0].title, "Error");
    EXPECT_EQ(prompts.Log()[0].text, "Invalid File Name");
    EXPECT_EQ(prompts.Log()[0].icon, MsgIcon::Information);
    EXPECT_TRUE(d->isVisible()) << "the dialog stays open";
    EXPECT_TRUE(Option(d.get(), 1)->isChecked());
    EXPECT_FALSE(m.DataChanged);

    Option(d.get(), 2)->setChecked(true);
    Press(d.get(), "cmdClose");
    EXPECT_EQ(SavedBackgrounds()[kScreen], "[*L]");
    EXPECT_TRUE(m.DataChanged);

    // Only the first four characters make a logo.
    auto logo = OpenBG("[*L]Old");
    EXPECT_TRUE(Option(logo.get(), 2)->isChecked());
    EXPECT_EQ(Bars(logo.get()), (std::vector<int>{0, 0, 0}));
}

TEST_F(BackgroundDialog, CancelAndTheCloseBoxChangeNothing)
{
    m.ScreenBG[kScreen] = "[&H00FF00&]";
    const std::vector<std::uint8_t> before = Saved();
    for (const bool closeBox : {false, true}) {
        auto d = OpenBG("[&H00FF00&]");
        ClickSwatch(d.get(), 3);
        Option(d.get(), 2)->setChecked(true);
        if (closeBox)
            d->close();
        else
            Press(d.get(), "cmdCancel");
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(d->result(), QDialog::Rejected);
        EXPECT_EQ(Saved(), before);
        EXPECT_FALSE(m.DataChanged);
        EXPECT_EQ(host.marks, 0);
    }
}

TEST(BackgroundRules, StandardColoursAndStorablePaths)
{
    EXPECT_EQ(StdColor(0), 0xFFFFFFu);
    EXPECT_EQ(StdColor(1), 0x0000FFu) << "red in the low byte";
    EXPECT_EQ(StdColor(3), 0xFF0000u);
    EXPECT_EQ(StdColor(13), 0xE0E000u) << "cyan 224";
    EXPECT_EQ(StdColor(28), 0x000000u);
    EXPECT_EQ(StdColor(33), 0x400040u) << "magenta 64";
    EXPECT_EQ(BackgroundPathRefusal(std::string(256, 'a')), std::nullopt);
    EXPECT_NE(BackgroundPathRefusal(std::string(257, 'a')), std::nullopt);
    // 256 characters of two UTF-8 bytes each are 256 characters of a screen file.
    std::string accented;
    for (int i = 0; i < 256; ++i)
        accented += "\xc3\xa9";
    EXPECT_EQ(BackgroundPathRefusal(accented), std::nullopt);
    EXPECT_NE(BackgroundPathRefusal("/a/\xe2\x82\xac\xe2\x84\xa2/\xe2\x88\x9e.bmp"), std::nullopt) << "the infinity sign";
    EXPECT_EQ(BackgroundPathRefusal("/a/\xe2\x82\xac\xe2\x84\xa2.bmp"), std::nullopt) << "euro and trade mark are in the code page";
    EXPECT_NE(BackgroundPathRefusal("/a/\xff.bmp"), std::nullopt) << "not UTF-8";
}
