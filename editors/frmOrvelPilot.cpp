#include "editors/frmOrvelPilot.h"

#include "assets/Artwork.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

namespace kx4 {
namespace {

// Tops of the icon rows by size, and the left edges of the off icons; every on icon stands at 1560.
constexpr std::array<int, kPilotIconCount> kIconTop = {360, 720, 1320};
constexpr std::array<int, kPilotIconCount> kOffLeft = {1080, 600, 120};
constexpr int kOnLeft = 1560;

} // namespace

frmOrvelPilot::frmOrvelPilot(modOrvel& project, ElementHost& host, Prompts& prompts, QWidget* parent)
    : ElementDialog(project, host, prompts, &modOrvel::SelPilot, &ElementHost::UDPilot, parent)
{
    setObjectName("frmOrvelPilot");
    setWindowTitle("Edit Pilot");
    SetClientSize(6375, 2535);

    cboDevice = MakeDeviceRow(240, &frmOrvelPilot::cboDevice_Click);
    cboPilot = MakeRow("lblPilot", "Pilot", "cboPilot", 600, &frmOrvelPilot::cboPilot_Click).list;
    cboLeft = MakeRow("lblLeft", "Left", "cboLeft", 960, &frmOrvelPilot::cboLeft_Click).list;
    cboTop = MakeRow("lblTop", "Top", "cboTop", 1320, &frmOrvelPilot::cboTop_Click).list;
    chkLinked = MakeCheck(this, "chkLinked", "Link Pilot To Button Target", 480, 1680, 2295);
    connect(chkLinked, &QCheckBox::toggled, this, &frmOrvelPilot::chkLinked_Click);
    MakeRemoveAndClose("Remove Pilot", 2040, &frmOrvelPilot::cmdUnused_Click, &frmOrvelPilot::cmdClose_Click);

    QGroupBox* frmIcons = MakeFrame("frmIcons", "Pilot Icons (Click To Select)", 3000, 120, 3255, 2295);
    for (int i = 0; i < kPilotIconCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        PictureControl* off = MakePicture(frmIcons, QString("imgSIOff_%1").arg(i), kx4::imgSIOff(i), kOffLeft[at], kIconTop[at]);
        connect(off, &PictureControl::clicked, this, [this, i] { imgSIOff_Click(i); });
        connect(off, &PictureControl::doubleClicked, this, [this, i] { imgSIOff_DblClick(i); });
        PictureControl* on = MakePicture(frmIcons, QString("imgSIOn_%1").arg(i), kx4::imgSIOn(i), kOnLeft, kIconTop[at]);
        connect(on, &PictureControl::clicked, this, [this, i] { imgSIOn_Click(i); });
        connect(on, &PictureControl::doubleClicked, this, [this, i] { imgSIOn_DblClick(i); });
    }

    Form_Load();
}

void frmOrvelPilot::Form_Load()
{
    FillTexts(cboPilot, {"1", "2", "3", "4", "5", "6", "7", "8"});
    FillPositions({cboLeft, cboTop});
}

void frmOrvelPilot::Form_Activate()
{
    Loading = true;
    // This dialog fills its device list here rather than on load.
    FillDevices(cboDevice);
    ResetDevice(&modOrvel::GetPilotDevice, &modOrvel::SetPilotDevice);
    ShowIndex(cboDevice, m_.GetPilotDevice(CurObj));
    ShowIndex(cboPilot, m_.GetPilotNum(CurObj));
    ShowIndex(cboLeft, m_.GetPilotLeft(CurObj));
    ShowIndex(cboTop, m_.GetPilotTop(CurObj));
    Loading = false;
    chkLinked->setChecked(m_.GetBtnLinked(CurObj) != 0);
}

bool frmOrvelPilot::InUse() const { return m_.GetPilotEnabled(CurObj) != 0; }

void frmOrvelPilot::cboDevice_Click(int i) { StoreListIndex(i, &modOrvel::GetPilotDevice, &modOrvel::SetPilotDevice); }
void frmOrvelPilot::cboPilot_Click(int i) { StoreListIndex(i, &modOrvel::GetPilotNum, &modOrvel::SetPilotNum); }
void frmOrvelPilot::cboLeft_Click(int i) { StoreListIndex(i, &modOrvel::GetPilotLeft, &modOrvel::SetPilotLeft); }
void frmOrvelPilot::cboTop_Click(int i) { StoreListIndex(i, &modOrvel::GetPilotTop, &modOrvel::SetPilotTop); }

void frmOrvelPilot::ChooseIcon(int Index)
{
    if (m_.GetPilotEnabled(CurObj) == 0)
        m_.SetPilotEnabled(CurObj, 1);
    m_.SetPilotIcon(CurObj, Index);
    LiveUpdate();
}

void frmOrvelPilot::imgSIOff_Click(int Index) { ChooseIcon(Index); }
void frmOrvelPilot::imgSIOff_DblClick(int Index) { ChooseIcon(Index); }
void frmOrvelPilot::imgSIOn_Click(int Index) { ChooseIcon(Index); }
void frmOrvelPilot::imgSIOn_DblClick(int Index) { ChooseIcon(Index); }

void frmOrvelPilot::chkLinked_Click(bool checked)
{
    StoreMarked([this, checked] { Put(&modOrvel::GetBtnLinked, &modOrvel::SetBtnLinked, checked ? 1 : 0); });
}

void frmOrvelPilot::cmdUnused_Click()
{
    m_.SetPilotEnabled(CurObj, 0);
    if (m_.GetBtnLinked(CurObj) != 0) {
        m_.SetBtnLinked(CurObj, 0);
        m_.SetBtnType(CurObj, 0);
        m_.SetBtnImage(CurObj, 0);
        m_.SetBtnLeft(CurObj, 0);
        m_.SetBtnTop(CurObj, 0);
        m_.SetBtnWidth(CurObj, 34);
        m_.SetBtnHeight(CurObj, 16);
    }
    LiveUpdate();
}

void frmOrvelPilot::cmdClose_Click()
{
    // Values already stored are not written again, so that a Close without a change changes no byte.
    StoreMarked([this] {
        if (m_.GetPilotEnabled(CurObj) == 0) {
            Put(&modOrvel::GetBtnLinked, &modOrvel::SetBtnLinked, 0);
            return;
        }
        const bool linked = chkLinked->isChecked();
        Put(&modOrvel::GetBtnLinked, &modOrvel::SetBtnLinked, linked ? 1 : 0);
        if (!linked)
            return;
        // Button CurObj becomes the Pilot's touch area: a "Target" over the icon.
        if (m_.GetBtnType(CurObj) == 0)
            m_.SetBtnType(CurObj, 1);
        Put(&modOrvel::GetBtnImage, &modOrvel::SetBtnImage, 0);
        // The lists show the Pilot's position; a stored one they cannot show is taken as stored.
        Put(&modOrvel::GetBtnLeft, &modOrvel::SetBtnLeft, cboLeft->currentIndex() >= 0 ? cboLeft->currentIndex() : m_.GetPilotLeft(CurObj));
        Put(&modOrvel::GetBtnTop, &modOrvel::SetBtnTop, cboTop->currentIndex() >= 0 ? cboTop->currentIndex() : m_.GetPilotTop(CurObj));
        const int icon = m_.GetPilotIcon(CurObj);
        if (icon >= 0 && icon < kPilotIconCount) {
            const PicSize size = kPilotIconSizes[static_cast<std::size_t>(icon)];
            Put(&modOrvel::GetBtnWidth, &modOrvel::SetBtnWidth, size.width);
            Put(&modOrvel::GetBtnHeight, &modOrvel::SetBtnHeight, size.height);
        }
    });
    accept();
}

} // namespace kx4
