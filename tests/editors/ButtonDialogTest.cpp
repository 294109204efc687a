// The Button dialog as a user runs it: the records' bytes in the saved file after each change.
#include "EditorFixture.h"

#include "editors/frmOrvelButton.h"

#include <QTest>

using namespace kx4;
using namespace kx4::test;

namespace {

constexpr int kSlot = 5;
constexpr int kScreen = 3;
constexpr const char* kInputTypeText =
    "A Device:Input used as an Input ON or Input OFF must not be configured as an Push Button Input on this or any "
    "other screen.";

class ButtonDialog : public EditorTest {
protected:
    std::unique_ptr<frmOrvelButton> OpenButton() { return Open<frmOrvelButton>(kSlot, kScreen); }
    static void ClickFace(QWidget* d, int index)
    {
        QTest::mouseClick(Find<QWidget>(d, QString("imgButton_%1").arg(index)), Qt::LeftButton);
    }
    static QLineEdit* Box(QWidget* d, int index) { return Find<QLineEdit>(d, QString("txtPassword_%1").arg(index)); }
    static int Password(const std::vector<std::uint8_t>& bytes)
    {
        int p = 0;
        for (int e = 10; e <= 15; ++e)
            p = p * 10 + Cfg(bytes, kScreen, ButtonRecAt(kSlot) + e);
        return p;
    }
};

} // namespace

TEST_F(ButtonDialog, AFaceStoresPictureSizeClassSizeAndTextColour)
{
    auto d = OpenButton();
    EXPECT_EQ(d->windowTitle(), "Edit Button");
    EXPECT_EQ(List(d.get(), "cboType")->currentIndex(), 0) << "a free slot";
    ClickFace(d.get(), 6);

    auto bytes = Saved();
    EXPECT_EQ(Cfg(bytes, kScreen, ButtonRecAt(kSlot)), 1) << "a free slot becomes Push Button Input 1";
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot)), 7);
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot) + 1), 0);
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot) + 2), 224);
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot) + 3), 0);
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot) + 4), 64);
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot) + 9), 0) << "light face, black caption";
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot) + 10), 3) << "size class";
    EXPECT_EQ(List(d.get(), "cboType")->currentText(), "Push Button Input 1");
    EXPECT_FALSE(List(d.get(), "cboWidth")->isVisibleTo(d.get())) << "a face has its picture's size";
    EXPECT_TRUE(Find<QLineEdit>(d.get(), "txtText")->isEnabled());

    // Face 5 keeps the type and takes the dark face's white caption.
    QTest::mouseDClick(Find<QWidget>(d.get(), "imgButton_5"), Qt::LeftButton);
    bytes = Saved();
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot)), 6);
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot) + 2), 160);
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot) + 4), 48);
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot) + 9), 1);
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot) + 10), 2);
    EXPECT_EQ(List(d.get(), "cboTextColor")->currentText(), "White");
    EXPECT_TRUE(m.DataChanged);
    EXPECT_EQ(host.redraws.back(), "B5");
}

TEST_F(ButtonDialog, TargetKeepsTheSizeAndOpensItForEditing)
{
    m.SetScreen(kScreen);
    m.SetBtnType(kSlot, 30);
    m.SetBtnImage(kSlot, 4);
    m.SetBtnWidth(kSlot, 96);
    m.SetBtnHeight(kSlot, 32);
    auto d = OpenButton();
    Press(d.get(), "cmdNoButton");
    QComboBox* width = List(d.get(), "cboWidth");
    EXPECT_TRUE(width->isVisibleTo(d.get()));
    EXPECT_EQ(width->currentText(), "96");
    EXPECT_FALSE(Find<QLineEdit>(d.get(), "txtText")->isEnabled());
    EXPECT_FALSE(List(d.get(), "cboTextColor")->isEnabled());

    width->setCurrentIndex(150);
    List(d.get(), "cboHeight")->setCurrentIndex(799);
    List(d.get(), "cboLeft")->setCurrentIndex(300);
    List(d.get(), "cboTop")->setCurrentIndex(12);
    List(d.get(), "cboDevice")->setCurrentIndex(2);
    List(d.get(), "cboType")->setCurrentIndex(58);
    const auto bytes = Saved();
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot)), 0);
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot) + 2), 150);
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot) + 3) * 256 + Dsn(bytes, kScreen, ButtonDsnAt(kSlot) + 4), 799);
    EXPECT_EQ(Cfg(bytes, kScreen, ButtonRecAt(kSlot)), 58);
    EXPECT_EQ(Cfg(bytes, kScreen, ButtonRecAt(kSlot) + 1) * 256 + Cfg(bytes, kScreen, ButtonRecAt(kSlot) + 2), 300);
    EXPECT_EQ(Cfg(bytes, kScreen, ButtonRecAt(kSlot) + 6), 12);
    EXPECT_EQ(Cfg(bytes, kScreen, ButtonRecAt(kSlot) + 9), 2);
}

TEST_F(ButtonDialog, VerifyInputTypeIsShownOncePerRun)
{
    m.SetScreen(kScreen);
    m.SetBtnType(kSlot, 12);
    prompts.Answer(MsgAnswer::Ok);
    auto d = OpenButton();
    ASSERT_EQ(prompts.Log().size(), 1u) << "shown while the dialog opens";
    EXPECT_EQ(prompts.Log()[0].icon, MsgIcon::Information);
    EXPECT_EQ(prompts.Log()[0].title, "Verify Input Type");
    EXPECT_EQ(prompts.Log()[0].text, kInputTypeText);
    EXPECT_TRUE(m.InputTypeWarned);
    EXPECT_EQ(List(d.get(), "cboType")->currentText(), "Turn ON Input 4");
    EXPECT_FALSE(m.DataChanged) << "opening changes nothing";

    List(d.get(), "cboType")->setCurrentIndex(20);
    d->close();
    auto again = OpenButton();
    EXPECT_EQ(prompts.Log().size(), 1u);
    EXPECT_EQ(m.GetBtnType(kSlot), 20);
}

TEST_F(ButtonDialog, ATypedPasswordDigitReplacesItsDigitAndMovesTheFocus)
{
    m.SetScreen(kScreen);
    m.SetBtnType(kSlot, 41);
    m.SetBtnPassword(kSlot, 123456);
    auto d = OpenButton();
    QString shown;
    for (int i = 5; i >= 0; --i)
        shown += Box(d.get(), i)->text();
    EXPECT_EQ(shown, "123456");
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(Box(d.get(), i)->isEnabled());

    d->activateWindow();
    Box(d.get(), 3)->setFocus();
    QTest::keyClick(Box(d.get(), 3), Qt::Key_7);
    EXPECT_EQ(Password(Saved()), 127456);
    EXPECT_EQ(Box(d.get(), 3)->text(), "7");
    EXPECT_TRUE(Box(d.get(), 2)->hasFocus());
    EXPECT_TRUE(m.DataChanged);

    QTest::keyClick(Box(d.get(), 0), Qt::Key_9);
    EXPECT_EQ(Password(Saved()), 127459);
    EXPECT_TRUE(Box(d.get(), 5)->hasFocus()) << "from the rightmost box back to the leftmost";

    // Letters and Backspace are discarded; the box keeps its digit.
    QTest::keyClick(Box(d.get(), 5), Qt::Key_A);
    QTest::keyClick(Box(d.get(), 5), Qt::Key_Backspace);
    EXPECT_EQ(Box(d.get(), 5)->text(), "1");
    EXPECT_EQ(Password(Saved()), 127459);

    // Types without a password keep it, shown in disabled boxes.
    List(d.get(), "cboType")->setCurrentIndex(57);
    EXPECT_FALSE(Box(d.get(), 0)->isEnabled());
    EXPECT_EQ(Box(d.get(), 0)->text(), "9");
    List(d.get(), "cboType")->setCurrentIndex(56);
    EXPECT_TRUE(Box(d.get(), 0)->isEnabled());
    List(d.get(), "cboType")->setCurrentIndex(40);
    EXPECT_FALSE(Box(d.get(), 0)->isEnabled());
    EXPECT_EQ(Password(Saved()), 127459);
    d->close();

    // A damaged file's digit entries: the boxes show digits, and a typed one gives six digits.
    m.SetBtnType(kSlot, 41);
    for (int k = 0; k < 6; ++k)
        m.PanelCfg[static_cast<std::size_t>(kScreen * kScreenCfgEntries + ButtonRecAt(kSlot) + 10 + k)] = 32767;
    auto damaged = OpenButton();
    shown.clear();
    for (int i = 5; i >= 0; --i)
        shown += Box(damaged.get(), i)->text();
    EXPECT_EQ(shown, "193159") << "the lowest digits of 32767 x 111111, wrapped to 32 bits";
    damaged->activateWindow();
    Box(damaged.get(), 3)->setFocus();
    QTest::keyClick(Box(damaged.get(), 3), Qt::Key_1);
    EXPECT_EQ(Password(Saved()), 191159);
}

TEST_F(ButtonDialog, TheCaptionKeepsTwentyFourCharactersAndNoComma)
{
    m.SetScreen(kScreen);
    m.SetBtnType(kSlot, 1);
    m.SetBtnImage(kSlot, 2);
    auto d = OpenButton();
    QLineEdit* text = Find<QLineEdit>(d.get(), "txtText");
    EXPECT_EQ(text->text(), "B 06");
    text->clear();
    QTest::keyClicks(text, "Lights, On");
    EXPECT_EQ(m.GetBtnText(kSlot), "Lights On");
    text->setText("123456789012345678901234567890");
    auto bytes = Saved();
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot) + 11), '1');
    EXPECT_EQ(Dsn(bytes, kScreen, ButtonDsnAt(kSlot) + 34), '4');
    d->close();
    auto again = OpenButton();
    EXPECT_EQ(Find<QLineEdit>(again.get(), "txtText")->text(), "123456789012345678901234");
}

TEST_F(ButtonDialog, ALinkedButtonCannotBeRemovedAndKeepsItsPlace)
{
    m.SetScreen(kScreen);
    m.SetBtnType(kSlot, 30);
    m.SetBtnLinked(kSlot, 1);
    auto d = OpenButton();
    EXPECT_EQ(d->width(), 201) << "the left column only";
    EXPECT_TRUE(Find<QWidget>(d.get(), "lblLinked")->isVisibleTo(d.get()));
    EXPECT_FALSE(Find<QWidget>(d.get(), "frmButtons")->isVisibleTo(d.get()));
    EXPECT_FALSE(Find<QWidget>(d.get(), "cmdUnused")->isVisibleTo(d.get()));
    for (const char* name : {"cboLeft", "cboTop", "cboWidth", "cboHeight"})
        EXPECT_FALSE(List(d.get(), name)->isEnabled()) << name;

    prompts.Answer(MsgAnswer::Ok);
    List(d.get(), "cboType")->setCurrentIndex(0);
    ASSERT_EQ(prompts.Log().size(), 1u);
    EXPECT_EQ(prompts.Log()[0].title, "Linked Button");
    EXPECT_EQ(prompts.Log()[0].text, "This button is linked to a pilot. It cannot be disabled.");
    EXPECT_EQ(List(d.get(), "cboType")->currentIndex(), 30);
    EXPECT_EQ(Cfg(Saved(), kScreen, ButtonRecAt(kSlot)), 30);
}

TEST_F(ButtonDialog, ALinkedFreeButtonRefusesOnceWhenItOpens)
{
    m.SetScreen(kScreen);
    m.SetBtnLinked(kSlot, 1);
    prompts.Answer(MsgAnswer::Ok);
    auto d = OpenButton();
    ASSERT_EQ(prompts.Log().size(), 1u);
    EXPECT_EQ(prompts.Log()[0].title, "Linked Button");
    EXPECT_EQ(List(d.get(), "cboType")->currentText(), "Unused");
    // Choosing a type takes the slot into use.
    List(d.get(), "cboType")->setCurrentIndex(25);
    EXPECT_EQ(m.GetBtnType(kSlot), 25);
}

TEST_F(ButtonDialog, RemoveFreesTheSlotAndClosingForgetsTheChoice)
{
    m.SetScreen(kScreen);
    m.SetBtnType(kSlot, 44);
    m.SetBtnLeft(kSlot, 40);
    m.SetBtnPassword(kSlot, 4711);
    m.SelButton = kSlot;
    auto d = OpenButton();
    const auto before = Saved();
    Press(d.get(), "cmdUnused");
    EXPECT_TRUE(d->isVisible()) << "the window stays open";
    auto after = Saved();
    EXPECT_EQ(Cfg(after, kScreen, ButtonRecAt(kSlot)), 0);
    after[2 * (kScreen * kScreenCfgEntries + ButtonRecAt(kSlot))] = 44;
    EXPECT_EQ(after, before) << "no other field changes";
    EXPECT_EQ(m.SelButton, kSlot);
    Press(d.get(), "cmdClose");
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(m.SelButton, -1);
}

TEST_F(ButtonDialog, ADeviceAboveTheRangeIsResetAndMarked)
{
    m.SetScreen(kScreen);
    m.SetBtnType(kSlot, 1);
    m.SetBtnDevice(kSlot, 7);
    auto d = OpenButton();
    QComboBox* device = List(d.get(), "cboDevice");
    ASSERT_EQ(device->count(), 4);
    EXPECT_EQ(device->itemText(3), "04");
    EXPECT_EQ(device->currentIndex(), 0);
    EXPECT_EQ(Cfg(Saved(), kScreen, ButtonRecAt(kSlot) + 9), 0);
    EXPECT_TRUE(m.DataChanged) << "the reset is a change to save";
    EXPECT_EQ(host.redraws, std::vector<std::string>{"B5"});
}
