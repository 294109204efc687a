// The Slider dialog: pictures and their sizes, the track setting stored on "Close".
#include "EditorFixture.h"

#include "data/PanelSizes.h"
#include "editors/frmOrvelSlider.h"

#include <QCheckBox>
#include <QTest>

using namespace kx4;
using namespace kx4::test;

namespace {

constexpr int kSlot = 6;
constexpr int kScreen = 2;

class SliderDialog : public EditorTest {
protected:
    std::unique_ptr<frmOrvelSlider> OpenSlider() { return Open<frmOrvelSlider>(kSlot, kScreen); }
    static void ClickPicture(QWidget* d, int index)
    {
        QTest::mouseClick(Find<QWidget>(d, QString("imgSlider_%1").arg(index)), Qt::LeftButton);
    }
    static QCheckBox* Track(QWidget* d) { return Find<QCheckBox>(d, "chkTrack"); }
    static int Entry0(const std::vector<std::uint8_t>& bytes) { return Cfg(bytes, kScreen, SliderRecAt(kSlot)); }
    static PicSize Size(const std::vector<std::uint8_t>& bytes)
    {
        const int at = SliderDsnAt(kSlot);
        return {Dsn(bytes, kScreen, at) * 256 + Dsn(bytes, kScreen, at + 1), Dsn(bytes, kScreen, at + 2) * 256 + Dsn(bytes, kScreen, at + 3)};
    }
};

} // namespace

TEST_F(SliderDialog, APictureStoresItsNumberAndSize)
{
    auto d = OpenSlider();
    EXPECT_EQ(d->windowTitle(), "Edit Slider");
    for (int i = 0; i < 10; ++i)
        EXPECT_FALSE(Find<QWidget>(d.get(), QString("imgSliderRender_%1").arg(i))->isVisibleTo(d.get()));
    ClickPicture(d.get(), 7);
    auto bytes = Saved();
    EXPECT_EQ(Entry0(bytes), 8);
    EXPECT_EQ(Size(bytes), (PicSize{42, 421}));
    EXPECT_EQ(host.redraws.back(), "S6");
    ClickPicture(d.get(), 2);
    bytes = Saved();
    EXPECT_EQ(Entry0(bytes), 3);
    EXPECT_EQ(Size(bytes), (PicSize{34, 221}));

    List(d.get(), "cboDevice")->setCurrentIndex(3);
    List(d.get(), "cboLeft")->setCurrentIndex(420);
    List(d.get(), "cboTop")->setCurrentIndex(9);
    bytes = Saved();
    EXPECT_EQ(Cfg(bytes, kScreen, SliderRecAt(kSlot) + 1), 3);
    EXPECT_EQ(Cfg(bytes, kScreen, SliderRecAt(kSlot) + 2) * 256 + Cfg(bytes, kScreen, SliderRecAt(kSlot) + 3), 420);
    EXPECT_EQ(Cfg(bytes, kScreen, SliderRecAt(kSlot) + 7), 9);
}

TEST_F(SliderDialog, TrackIsStoredOnCloseOnly)
{
    m.SetScreen(kScreen);
    m.SetSldImage(kSlot, 4);
    auto d = OpenSlider();
    Track(d.get())->setChecked(true);
    EXPECT_EQ(Entry0(Saved()), 4) << "the box alone stores nothing";
    EXPECT_FALSE(m.DataChanged);
    Press(d.get(), "cmdClose");
    EXPECT_EQ(Entry0(Saved()), 128 + 4);
    EXPECT_TRUE(m.DataChanged) << "the stored flag changed";

    // The close box drops a change of the box.
    m.DataChanged = false;
    auto again = OpenSlider();
    EXPECT_TRUE(Track(again.get())->isChecked());
    Track(again.get())->setChecked(false);
    again->close();
    EXPECT_EQ(Entry0(Saved()), 128 + 4);
    // "Close" with the box as stored marks nothing.
    auto third = OpenSlider();
    Press(third.get(), "cmdClose");
    EXPECT_FALSE(m.DataChanged);
    EXPECT_EQ(host.marks, 1);
}

TEST_F(SliderDialog, RemoveFreesTheSlotYetCloseStoresTheBoxAgain)
{
    m.SetScreen(kScreen);
    m.SetSldImage(kSlot, 9);
    m.SetSldTrack(kSlot, 1);
    m.SelSlider = kSlot;
    auto d = OpenSlider();
    Press(d.get(), "cmdUnused");
    EXPECT_EQ(Entry0(Saved()), 0);
    EXPECT_TRUE(Track(d.get())->isChecked()) << "the box keeps its state";
    Press(d.get(), "cmdClose");
    EXPECT_EQ(Entry0(Saved()), 128) << "a free slot with the track flag set";
    EXPECT_EQ(m.SelSlider, -1);

    // A picture takes the slot into use again, at that picture's size.
    auto again = OpenSlider();
    ClickPicture(again.get(), 5);
    EXPECT_EQ(Entry0(Saved()), 128 + 6);
    EXPECT_EQ(Size(Saved()), (PicSize{42, 421}));
    again->close();
    EXPECT_EQ(m.SelSlider, -1) << "closing never chooses a slot";
}

TEST_F(SliderDialog, ADeviceAboveTheRangeIsResetAndMarked)
{
    m.SetScreen(kScreen);
    m.SetBVRange(7);
    m.SetSldImage(kSlot, 1);
    m.SetSldDevice(kSlot, 12);
    auto d = OpenSlider();
    EXPECT_EQ(List(d.get(), "cboDevice")->count(), 8);
    EXPECT_EQ(List(d.get(), "cboDevice")->currentIndex(), 0);
    EXPECT_EQ(Cfg(Saved(), kScreen, SliderRecAt(kSlot) + 1), 0);
    EXPECT_TRUE(m.DataChanged);
}
