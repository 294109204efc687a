// The Text dialog as a user runs it: the records' bytes in the saved file after each choice.
#include "EditorFixture.h"

#include "editors/ElementTexts.h"
#include "editors/frmOrvelTextBox.h"

#include <QTest>

using namespace kx4;
using namespace kx4::test;

namespace {

constexpr int kSlot = 9;
constexpr int kScreen = 4;

constexpr int TextRecAt(int slot) { return 848 + 8 * slot; }
constexpr int TextDsnAt(int slot) { return 1152 + 56 * slot; }

// One Text object as the saved file holds it.
struct Stored {
    int type, left, top, device, color, font, width, height;
    std::string text;
};

class TextDialog : public EditorTest {
protected:
    TextDialog()
    {
        // As New Text leaves a slot: plain text, black, small, 128 x 64.
        m.SetScreen(kScreen);
        m.SetTxtType(kSlot, 1);
        m.SetTxtWidth(kSlot, 128);
        m.SetTxtHeight(kSlot, 64);
        m.SetScreen(0);
    }

    std::unique_ptr<frmOrvelTextBox> OpenText(int year = 2024)
    {
        m.SetScreen(kScreen);
        m.CurObj = kSlot;
        auto dialog = std::make_unique<frmOrvelTextBox>(m, host, prompts, nullptr, year);
        dialog->show();
        QApplication::processEvents();
        return dialog;
    }

    Stored Object()
    {
        const std::vector<std::uint8_t> bytes = EditorTest::Saved();
        const int rec = TextRecAt(kSlot);
        const int dsn = TextDsnAt(kSlot);
        const auto cfg = [&](int e) { return Cfg(bytes, kScreen, rec + e); };
        const auto design = [&](int e) { return Dsn(bytes, kScreen, dsn + e); };
        std::string text;
        for (int k = 6; k < 56; ++k)
            if (const int code = design(k); code != 0)
                text += static_cast<char>(code);
        // Nothing but the eight entries of the record and the 56 of the design record.
        return {cfg(0), cfg(1) * 256 + cfg(2), cfg(3) * 256 + cfg(4), cfg(5), design(0), design(1),
                design(2) * 256 + design(3), design(4) * 256 + design(5), text};
    }

    static void Choose(QWidget* d, const char* list, const QString& text)
    {
        QComboBox* box = List(d, list);
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
    }

    // Enabled: text, font size, font colour, width, height, device.
    static std::vector<bool> Enabled(QWidget* d)
    {
        return {Find<QLineEdit>(d, "txtText")->isEnabled(), List(d, "cboFontSize")->isEnabled(),
                List(d, "cboTextColor")->isEnabled(),       List(d, "cboWidth")->isEnabled(),
                List(d, "cboHeight")->isEnabled(),          List(d, "cboSldDev")->isEnabled()};
    }
};

} // namespace

TEST_F(TextDialog, ATwentyFourHourClockInLargeStoresTypeSizeAndSample)
{
    auto d = OpenText();
    EXPECT_EQ(d->windowTitle(), "Edit Text / Bar Graph");
    EXPECT_EQ(List(d.get(), "cboType")->count(), 13);
    Choose(d.get(), "cboFontSize", "Large");
    Stored s = Object();
    EXPECT_EQ(s.font, 2);
    EXPECT_EQ(s.width, 128) << "plain text keeps its size";

    Choose(d.get(), "cboType", "Clock - 24 Hour");
    s = Object();
    EXPECT_EQ(s.type, 11);
    EXPECT_EQ(s.text, "00:59");
    EXPECT_EQ(s.color, 0);
    EXPECT_EQ(s.font, 2);
    EXPECT_EQ(s.width, 64);
    EXPECT_EQ(s.height, 28);
    EXPECT_EQ(Find<QLineEdit>(d.get(), "txtText")->text(), "00:59");
    EXPECT_EQ(Enabled(d.get()), (std::vector<bool>{false, true, true, false, false, false}));
    EXPECT_TRUE(List(d.get(), "cboLeft")->isEnabled());
    EXPECT_TRUE(m.DataChanged);
    EXPECT_EQ(host.redraws.back(), "T9");

    Choose(d.get(), "cboFontSize", "Extra Large");
    s = Object();
    EXPECT_EQ(s.width, 86);
    EXPECT_EQ(s.height, 38);
    EXPECT_EQ(List(d.get(), "cboWidth")->currentText(), "86");
}

TEST_F(TextDialog, EveryTypeStoresItsSampleColourAndSize)
{
    struct Case {
        const char* item;
        int type;
        std::string text;
        int width, height; // the size afterwards
        std::vector<bool> enabled;
    };
    // Medium font, a white 200 x 90 object with a text of its own before each choice.
    const Case cases[] = {
        {"Disabled", 0, "Hall", 200, 90, {true, true, true, true, true, false}},
        {"Text", 1, "Hall", 200, 90, {true, true, true, true, true, false}},
        {"Slider Value", 2, "100%", 48, 22, {false, true, false, false, false, true}},
        {"Dimmer Value", 3, "100%", 48, 22, {false, true, false, false, false, true}},
        {"Dim Bar Graph - Small Blue", 4, "", 200, 90, {false, false, false, false, false, true}},
        {"Dim Bar Graph - Small Green", 5, "", 200, 90, {false, false, false, false, false, true}},
        {"Dim Bar Graph - Small Gray", 6, "", 200, 90, {false, false, false, false, false, true}},
        {"Dim Bar Graph - Large Blue", 7, "", 200, 90, {false, false, false, false, false, true}},
        {"Dim Bar Graph - Large Green", 8, "", 200, 90, {false, false, false, false, false, true}},
        {"Dim Bar Graph - Large Gray", 9, "", 200, 90, {false, false, false, false, false, true}},
        {"Clock - 12 Hour", 10, "12:59 AM", 48, 22, {false, true, true, false, false, false}},
        {"Clock - 24 Hour", 11, "00:59", 48, 22, {false, true, true, false, false, false}},
        {"Date", 12, "01/01/07", 48, 22, {false, true, true, false, false, false}},
    };
    for (const Case& c : cases) {
        m.SetScreen(kScreen);
        m.SetTxtType(kSlot, c.type == 1 ? 2 : 1);
        m.SetTxtColor(kSlot, 1);
        m.SetTxtFontSize(kSlot, 1);
        m.SetTxtWidth(kSlot, 200);
        m.SetTxtHeight(kSlot, 90);
        m.SetTxtText(kSlot, "Hall");
        auto d = OpenText(2007);
        Choose(d.get(), "cboType", c.item);
        const Stored s = Object();
        EXPECT_EQ(s.type, c.type) << c.item;
        EXPECT_EQ(s.text, c.text) << c.item;
        EXPECT_EQ(s.color, c.type <= 1 ? 1 : 0) << c.item;
        EXPECT_EQ(s.font, 1) << c.item;
        EXPECT_EQ(s.width, c.width) << c.item;
        EXPECT_EQ(s.height, c.height) << c.item;
        EXPECT_EQ(Enabled(d.get()), c.enabled) << c.item;
    }
}

TEST_F(TextDialog, TextAfterAClockKeepsTheSampleAndOpensEveryField)
{
    auto d = OpenText();
    Choose(d.get(), "cboType", "Clock - 12 Hour");
    Choose(d.get(), "cboTextColor", "White");
    Choose(d.get(), "cboType", "Text");
    const Stored s = Object();
    EXPECT_EQ(s.type, 1);
    EXPECT_EQ(s.text, "12:59 AM");
    EXPECT_EQ(s.color, 1);
    EXPECT_EQ(Enabled(d.get()), (std::vector<bool>{true, true, true, true, true, false}));

    // A typed comma never reaches the text; the characters around it are stored side by side.
    QLineEdit* text = Find<QLineEdit>(d.get(), "txtText");
    text->clear();
    QTest::keyClicks(text, "Hall,way");
    EXPECT_EQ(Object().text, "Hallway");
    // The record holds 50 characters.
    text->setText(QString(60, 'x'));
    EXPECT_EQ(Object().text, std::string(50, 'x'));
}

TEST_F(TextDialog, PositionSizeDeviceAndColourAreStoredAsChosen)
{
    m.SetBVRange(7);
    auto d = OpenText();
    EXPECT_EQ(List(d.get(), "cboSldDev")->count(), 8);
    List(d.get(), "cboLeft")->setCurrentIndex(799);
    List(d.get(), "cboTop")->setCurrentIndex(271);
    List(d.get(), "cboWidth")->setCurrentIndex(300);
    List(d.get(), "cboHeight")->setCurrentIndex(7);
    Choose(d.get(), "cboType", "Dimmer Value");
    List(d.get(), "cboSldDev")->setCurrentIndex(6);
    const Stored s = Object();
    EXPECT_EQ(s.left, 799);
    EXPECT_EQ(s.top, 271);
    EXPECT_EQ(s.width, 32) << "the value box of the small font";
    EXPECT_EQ(s.height, 18);
    EXPECT_EQ(s.device, 6);
}

TEST_F(TextDialog, RemoveObjectDisablesOnlyTheTypeAndClosingDropsTheChoice)
{
    m.SelText = kSlot;
    auto d = OpenText();
    Choose(d.get(), "cboType", "Slider Value");
    const Stored before = Object();
    Press(d.get(), "cmdUnused");
    EXPECT_TRUE(d->isVisible()) << "the window stays open";
    Stored after = Object();
    EXPECT_EQ(after.type, 0);
    after.type = before.type;
    EXPECT_EQ(after.text, before.text);
    EXPECT_EQ(after.width, before.width);
    EXPECT_EQ(after.color, before.color);
    EXPECT_EQ(m.SelText, kSlot);
    Press(d.get(), "cmdClose");
    EXPECT_EQ(m.SelText, -1);

    // A Text object still in use stays chosen.
    m.SelText = kSlot;
    m.SetScreen(kScreen);
    m.SetTxtType(kSlot, 1);
    OpenText()->close();
    EXPECT_EQ(m.SelText, kSlot);
}

TEST_F(TextDialog, OpeningAWhiteClockChangesNothing)
{
    m.SetScreen(kScreen);
    m.SetTxtType(kSlot, 10);
    m.SetTxtColor(kSlot, 1);
    m.SetTxtFontSize(kSlot, 3);
    m.SetTxtWidth(kSlot, 20); // not the size of its font
    m.SetTxtText(kSlot, "12:59 AM");
    m.DataChanged = false;
    const std::vector<std::uint8_t> before = EditorTest::Saved();
    auto d = OpenText();
    EXPECT_EQ(List(d.get(), "cboTextColor")->currentText(), "White");
    EXPECT_EQ(List(d.get(), "cboFontSize")->currentText(), "Extra Large");
    EXPECT_EQ(List(d.get(), "cboWidth")->currentText(), "20");
    d->close();
    EXPECT_EQ(EditorTest::Saved(), before);
    EXPECT_FALSE(m.DataChanged);
    EXPECT_EQ(host.marks, 0);
}

TEST_F(TextDialog, AStoredTypeOrFontSizeNoListShowsIsLeftAsStored)
{
    m.SetScreen(kScreen);
    m.SetTxtType(kSlot, 14);
    m.SetTxtFontSize(kSlot, 6);
    m.SetTxtWidth(kSlot, 900);
    m.SelText = kSlot;
    m.DataChanged = false;
    const std::vector<std::uint8_t> before = EditorTest::Saved();
    auto d = OpenText();
    EXPECT_EQ(List(d.get(), "cboType")->currentIndex(), -1);
    EXPECT_EQ(List(d.get(), "cboFontSize")->currentIndex(), -1);
    EXPECT_EQ(List(d.get(), "cboWidth")->currentIndex(), -1);
    EXPECT_EQ(Enabled(d.get()), (std::vector<bool>(6, true))) << "every field stays open for a repair";
    d->close();
    EXPECT_EQ(EditorTest::Saved(), before);
    EXPECT_EQ(m.SelText, kSlot) << "an unknown type is still a used slot";

    // A value type without a font size the list shows keeps its size.
    auto again = OpenText();
    Choose(again.get(), "cboType", "Slider Value");
    const Stored s = Object();
    EXPECT_EQ(s.font, 6);
    EXPECT_EQ(s.width, 900);
    EXPECT_EQ(s.text, "100%");
}

TEST_F(TextDialog, ADeviceBeyondTheRangeOpensAsTheFirstDevice)
{
    m.SetBVRange(3);
    m.SetScreen(kScreen);
    m.SetTxtType(kSlot, 4);
    m.SetTxtSldDev(kSlot, 7);
    m.DataChanged = false;
    auto d = OpenText();
    QComboBox* device = List(d.get(), "cboSldDev");
    EXPECT_EQ(device->count(), 4);
    EXPECT_EQ(device->itemText(3), "04");
    EXPECT_EQ(device->currentIndex(), 0);
    EXPECT_EQ(Object().device, 0);
    EXPECT_TRUE(m.DataChanged) << "the reset is a change of the project";
}

TEST(TextRules, SamplesAndSizesByTypeAndFontSize)
{
    EXPECT_EQ(TextSample(12, 2007), "01/01/07");
    EXPECT_EQ(TextSample(12, 2100), "01/01/00");
    EXPECT_EQ(TextSample(12, 1999), "01/01/99");
    EXPECT_EQ(TextSample(1, 2007), std::nullopt);
    EXPECT_EQ(TextSample(13, 2007), std::nullopt);
    EXPECT_EQ(SizeForFont(0), (PicSize{32, 18}));
    EXPECT_EQ(SizeForFont(3), (PicSize{86, 38}));
    EXPECT_EQ(SizeForFont(4), std::nullopt);
    EXPECT_EQ(SizeForFont(-1), std::nullopt);
}
