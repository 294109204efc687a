// Every text of the main window fits its control: captions, list entries, menu items, and the
// longest row each settings list can show; a path too long for its label is cut in the middle.
#include "DesignerFixture.h"

#include "TextFit.h"
#include "assets/Bmp.h"
#include "data/modOrvel.h"
#include "designer/PreviewTexts.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <set>

using namespace kx4;
using namespace kx4::test;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kNone;

// The rows `add` makes for each device address an element can show (node address + offset runs
// from 01 to FE), without repeats.
std::vector<QString> RowsForEveryDevice(const std::function<void(const std::string&, std::set<std::string>&)>& add)
{
    std::set<std::string> rows;
    for (int device = 0; device < 254; ++device)
        add(DeviceText(0, device), rows);
    std::vector<QString> out;
    for (const std::string& row : rows)
        out.push_back(QString::fromStdString(row));
    return out;
}

std::vector<QString> ButtonRows()
{
    return RowsForEveryDevice([](const std::string& dd, std::set<std::string>& rows) {
        for (int type = 0; type <= 58; ++type)
            for (int digit = 0; digit <= 9; ++digit)
                rows.insert(ButtonRowText(type, dd, digit * 111111).row);
    });
}

std::vector<QString> PilotRows()
{
    return RowsForEveryDevice([](const std::string& dd, std::set<std::string>& rows) {
        for (int enabled = 0; enabled <= 1; ++enabled)
            for (int pilot = 0; pilot <= 7; ++pilot)
                rows.insert(PilotRowText(enabled, pilot, dd).row);
    });
}

std::vector<QString> SliderRows()
{
    return RowsForEveryDevice([](const std::string& dd, std::set<std::string>& rows) {
        for (int image = 0; image <= 1; ++image)
            for (int track = 0; track <= 1; ++track)
                rows.insert(SliderRowText(image, track, dd).row);
    });
}

std::vector<QString> TextRows()
{
    return RowsForEveryDevice([](const std::string& dd, std::set<std::string>& rows) {
        for (int type = 0; type <= 12; ++type)
            rows.insert(*TextRowText(type, dd));
    });
}

// Each row of list `base` (rows 0 to count - 1, all in one font) measured with the widest of `texts`.
std::vector<std::string> ClippedRows(const Designer& d, const char* base, int count, const std::vector<QString>& texts)
{
    const QString widest = Widest(*d.Find<QLabel>(QString("%1_0").arg(base)), texts);
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i)
        for (const std::string& c : ClippedInLabel(*d.Find<QLabel>(QString("%1_%2").arg(base).arg(i)), {widest}))
            out.push_back(c);
    return out;
}

} // namespace

TEST(MainWindowTexts, EveryCaptionEntryMenuItemAndTheLongestRowOfEachListFit)
{
    Designer d;
    frmOrvel& w = d.Start();
    const QWidget* layout = d.Find("picLayout");
    EXPECT_EQ(ClippedTexts(w, {layout}), kNone);

    const std::vector<QString> buttons = ButtonRows();
    ASSERT_EQ(Widest(*d.Find<QLabel>("lblBSettings_0"), buttons), "Goto Screen Home PW:000000");
    EXPECT_EQ(ClippedRows(d, "lblBSettings", 32, buttons), kNone);
    EXPECT_EQ(ClippedRows(d, "lblPSettings", 32, PilotRows()), kNone);
    EXPECT_EQ(ClippedRows(d, "lblSSettings", 8, SliderRows()), kNone);
    EXPECT_EQ(ClippedRows(d, "lblTSettings", 16, TextRows()), kNone);

    // The same long row as the window writes it, and the other panel sizes and orientation.
    d.project.SetBtnType(0, 41);
    d.project.SetBtnPassword(0, 1234);
    for (int res = 0; res < 3; ++res) {
        d.project.SetScnRes(res);
        d.project.SetLayout(res == 2 ? 1 : 0);
        d.window->ShowScreen();
        EXPECT_EQ(d.Find<QLabel>("lblBSettings_0")->text(), "Goto Screen Home PW:001234");
        EXPECT_EQ(ClippedTexts(w, {layout}), kNone) << res;
    }
}

TEST(MainWindowTexts, ALongBackgroundPathIsCutInTheMiddleAndWholeInItsTooltip)
{
    Designer d;
    frmOrvel& w = d.Start();
    const fs::path file = d.paths.BMPLibraryDir() / "A folder with a rather long name" / "Evening Sunset Over The Lake.bmp";
    fs::create_directories(file.parent_path());
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(WriteBmpFile(file, picture));
    d.project.ScreenBG[0] = file.string();
    d.window->ShowScreen();

    const auto* label = d.Find<QLabel>("lblBGFile");
    const QString shown = label->text();
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(QString::fromStdString(file.string()).startsWith(shown.left(shown.indexOf(QChar(0x2026)))));
    EXPECT_TRUE(shown.endsWith(".bmp")) << shown.toStdString();
    EXPECT_EQ(label->toolTip().toStdString(), file.string());
    EXPECT_EQ(ClippedTexts(w, {d.Find("picLayout")}), kNone);
    EXPECT_TRUE(d.prompts.Log().empty());

    // A short text that fits is shown whole.
    d.project.ScreenBG[0] = "[&H00FF00&]";
    d.window->ShowScreen();
    EXPECT_EQ(label->text(), "Solid Color");
}

TEST(MainWindowTexts, AControlTooSmallForItsTextIsNamed)
{
    Designer d;
    frmOrvel& w = d.Start();
    d.project.SetBtnType(0, 41);
    d.window->ShowScreen();
    d.Find("lblBSettings_0")->resize(100, 17);
    d.Find("cmdBGSel")->resize(20, 24);
    d.Find("chkBeep")->resize(30, 20);
    d.Find("optLayout_1")->resize(40, 20);
    d.Find("frmSliders")->resize(20, 100);
    // A caption that wraps is measured by its height as well.
    d.Find("chkHideTitleBG")->resize(d.Find("chkHideTitleBG")->width(), 14);
    auto* list = d.List("cboBVRange");
    list->resize(60, list->height());

    std::vector<std::string> expected = {
        "lblBSettings_0: Goto Screen Home PW:000000", "chkBeep: Audio", "optLayout_1: Portrait",
        "chkHideTitleBG: Show Boxes (Edit Only)", "cmdBGSel: Select",
    };
    for (int k = 0; k < 16; ++k)
        expected.push_back("cboBVRange: " + list->itemText(k).toStdString());
    // A frame too narrow for its title, and for the rows inside it.
    expected.push_back("frmSliders: Sliders");
    for (int k = 0; k < 8; ++k)
        expected.push_back("lblSSettings_" + std::to_string(k) + ": Disabled");
    std::vector<std::string> clipped = ClippedTexts(w, {d.Find("picLayout")});
    EXPECT_EQ(std::multiset<std::string>(clipped.begin(), clipped.end()),
              std::multiset<std::string>(expected.begin(), expected.end()));
}
