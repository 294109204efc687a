#include "editors/frmOrvelSlider.h"

#include "assets/Artwork.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

namespace kx4 {
namespace {

// Left edges of the ten slider pictures in the frame, twips.
constexpr std::array<int, kSliderPicCount> kPictureLeft = {240, 960, 1680, 2400, 3120, 3840, 4680, 5520, 6360, 7200};
constexpr int kPictureTop = 360;

} // namespace

frmOrvelSlider::frmOrvelSlider(modOrvel& project, ElementHost& host, Prompts& prompts, QWidget* parent)
    : ElementDialog(project, host, prompts, &modOrvel::SelSlider, &ElementHost::UDSlider, parent)
{
    setObjectName("frmOrvelSlider");
    setWindowTitle("Edit Slider");
    SetClientSize(11055, 7095);

    cboDevice = MakeDeviceRow(240, &frmOrvelSlider::cboDevice_Click);
    cboLeft = MakeRow("lblLeft", "Left", "cboLeft", 720, &frmOrvelSlider::cboLeft_Click).list;
    cboTop = MakeRow("lblTop", "Top", "cboTop", 1080, &frmOrvelSlider::cboTop_Click).list;
    MakeRemoveAndClose("Remove Slider", 1560, &frmOrvelSlider::cmdUnused_Click, &frmOrvelSlider::cmdClose_Click);
    // No handler: the box is stored on "Close" only.
    chkTrack = MakeCheck(this, "chkTrack", "Track Dimmer Level", 360, 2160, 2055);

    QGroupBox* frmSlidders = MakeFrame("frmSlidders", "Slider Style (Click To Select)", 2880, 120, 8055, 6855);
    for (int i = 0; i < kSliderPicCount; ++i) {
        const int left = kPictureLeft[static_cast<std::size_t>(i)];
        PictureControl* picture = MakePicture(frmSlidders, QString("imgSlider_%1").arg(i), kx4::imgSlider(i), left, kPictureTop);
        connect(picture, &PictureControl::clicked, this, [this, i] { imgSlider_Click(i); });
        connect(picture, &PictureControl::doubleClicked, this, [this, i] { imgSlider_DblClick(i); });
        // The renderer's set, never shown here.
        MakePicture(frmSlidders, QString("imgSliderRender_%1").arg(i), kx4::imgSliderRender(i), left + 120, kPictureTop + 120)->hide();
    }

    Form_Load();
}

void frmOrvelSlider::Form_Load()
{
    FillDevices(cboDevice);
    FillPositions({cboLeft, cboTop});
}

void frmOrvelSlider::Form_Activate()
{
    Loading = true;
    ResetDevice(&modOrvel::GetSldDevice, &modOrvel::SetSldDevice);
    ShowIndex(cboDevice, m_.GetSldDevice(CurObj));
    ShowIndex(cboLeft, m_.GetSldLeft(CurObj));
    ShowIndex(cboTop, m_.GetSldTop(CurObj));
    Loading = false;
    chkTrack->setChecked(m_.GetSldTrack(CurObj) != 0);
}

bool frmOrvelSlider::InUse() const { return m_.GetSldImage(CurObj) != 0; }

void frmOrvelSlider::cboDevice_Click(int i) { StoreListIndex(i, &modOrvel::GetSldDevice, &modOrvel::SetSldDevice); }
void frmOrvelSlider::cboLeft_Click(int i) { StoreListIndex(i, &modOrvel::GetSldLeft, &modOrvel::SetSldLeft); }
void frmOrvelSlider::cboTop_Click(int i) { StoreListIndex(i, &modOrvel::GetSldTop, &modOrvel::SetSldTop); }

void frmOrvelSlider::imgSlider_Click(int Index)
{
    m_.SetSldImage(CurObj, Index + 1);
    const PicSize size = kSliderPicSizes[static_cast<std::size_t>(Index)];
    m_.SetSldWidth(CurObj, size.width);
    m_.SetSldHeight(CurObj, size.height);
    LiveUpdate();
}

void frmOrvelSlider::imgSlider_DblClick(int Index) { imgSlider_Click(Index); }

void frmOrvelSlider::cmdUnused_Click()
{
    m_.SetSldImage(CurObj, 0);
    m_.SetSldTrack(CurObj, 0);
    LiveUpdate();
}

void frmOrvelSlider::cmdClose_Click()
{
    StoreMarked([this] { Put(&modOrvel::GetSldTrack, &modOrvel::SetSldTrack, chkTrack->isChecked() ? 1 : 0); });
    accept();
}

} // namespace kx4
